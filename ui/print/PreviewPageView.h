// The preview's page view: the page picture at the zoom level, scrolled in page pixels (not in
// screen pixels), so that a zoom change keeps the same part of the page in view. Keys, the
// mouse (the page follows a drag) and the scroll bars move it; the keys that belong to the
// preview window are handed on as its commands.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>

namespace vx {

class PreviewPageView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kArrowStep = 16;  // page pixels

  explicit PreviewPageView(QWidget* parent = nullptr);

  // A null picture shows nothing.
  void SetPage(const QImage& page);
  void SetZoomPercent(int percent);
  int ZoomPercent() const { return percent_; }
  const QImage& Page() const { return page_; }

  // The scroll position in page pixels.
  QPoint Position() const;
  void SetPosition(QPoint position);
  // Page pixels the viewport shows whole at the zoom level.
  QSize VisiblePagePixels() const;

 Q_SIGNALS:
  // A preview command (3012..3022) asked for by a key.
  void commandRequested(int commandId);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void UpdateScrollBars();
  bool KeyCommand(QKeyEvent* event);

  QImage page_;
  int percent_ = 100;
  bool dragging_ = false;
  QPoint dragStart_;
  QPoint dragPosition_;
};

}  // namespace vx
