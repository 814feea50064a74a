// One value of the detail view's link lines: the field's text drawn as a link (underlined, blue, on
// the button face) when there is an address behind it, plainly when there is none. Only the text
// itself takes clicks: the hand cursor shows over it, and a click beside a short text does
// nothing.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace vx {

class LinkLabel : public QWidget {
  Q_OBJECT

 public:
  static constexpr QRgb kLinkColor = 0x0000FF;

  explicit LinkLabel(QWidget* parent = nullptr);

  // `openable`: there is an address to open behind the text.
  void SetLink(const QString& text, bool openable);
  const QString& Text() const { return text_; }
  bool IsOpenable() const { return openable_; }
  // Where the text stands.
  QRect TextExtent() const;

 Q_SIGNALS:
  void activated();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool OnText(QPoint point) const;
  void SetHovered(bool hovered);
  QFont TextFont() const;
  QRect TextBounds() const;

  QString text_;
  bool openable_ = false;
};

}  // namespace vx
