// A scrolling, zooming picture view, the base of the cut page view and the hall map view. The
// derived view says whether there is a picture, how large it is and how to draw it; this view
// renders it once per zoom into a cache at the screen's device pixel ratio and blits the visible
// part, so scrolling never rescales. The user pans in one of three modes (Space held + left drag,
// middle-button auto-scroll, plain left drag) and scrolls with the bars, the wheel and the arrow
// keys. Ctrl or Shift with the wheel, and the wheel over a picture that fits, go to the frame.
//
// Image pixels and view (viewport) coordinates are converted by ViewToImage and ImageToView only.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QImage>

#include "ui/views/PanCursorSet.h"

namespace vx {

class ZoomableImageView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // The setting "ScrollMode".
  enum ScrollMode { kScrollSpaceDrag = 0, kScrollAuto = 1, kScrollDrag = 2 };
  enum class FitMode { kNone, kWidth, kHeight, kWhole };

  static constexpr int kAutoScrollIntervalMs = 20;
  // Auto-scroll stands still while the pointer is less than this from where it started, and the
  // direction cursor counts in steps of it.
  static constexpr int kAutoScrollZone = 32;

  explicit ZoomableImageView(QWidget* parent = nullptr);
  ~ZoomableImageView() override;

  // Ignored unless `percent` > 0. Also how a derived view says its picture changed: the cache is
  // rebuilt even when the zoom stays.
  void SetZoom(int percent);
  int Zoom() const { return zoom_; }
  // The picture's size at the current zoom, in view pixels.
  QSize ZoomedSize() const { return zoomedSize_; }
  // Bilinear (on) or nearest-neighbour (off) scaling.
  void SetSmoothing(bool on);
  bool Smoothing() const { return smooth_; }
  bool FitsInClient() const;

  // The frames' zoom commands: one step of 25 % within [minZoom, maxZoom], applied when it
  // changes the zoom; each answers whether it did.
  void SetZoomRange(int minZoom, int maxZoom);
  bool ZoomIn();
  bool ZoomOut();
  bool ZoomByWheel(int delta);
  // Zooms so that the picture's width, height or both fit the view, within the zoom range.
  // Computed twice, since the scroll bars come or go with the first result; a result below 1 or
  // equal to the zoom is not applied. Answers whether the zoom changed.
  bool FitOnce(FitMode mode);
  // A kept fit mode is applied now and again after every resize; kNone keeps the zoom as it is.
  void SetFitMode(FitMode mode);

  void SetScrollMode(int mode);
  int ScrollMode() const { return scrollMode_; }
  // Ends panning and auto-scroll: arrow cursor, mouse released. The frame calls it when it loses
  // activation.
  void CancelDrag();
  ViewCursor ShownCursor() const { return shownCursor_; }

  QPoint ScrollPosition() const;
  // Clamped to the scrollable range.
  void ScrollTo(QPoint position);

  // The image pixel under a view point.
  QPoint ViewToImage(QPoint viewPoint) const;
  // Where an image rectangle lies in the view: each edge scaled by the zoom and truncated to a
  // whole device pixel, so that overlays meet the cached picture exactly at any pixel ratio.
  QRectF ImageToView(const QRect& imageRect) const;

  // The picture at the current zoom (device pixels; its devicePixelRatio says which); null when
  // there is none.
  const QImage& ZoomCache() const { return cache_; }
  QColor WorkspaceColor() const;

 Q_SIGNALS:
  void zoomChanged(int percent);

 protected:
  virtual bool HasImage() const = 0;
  virtual QSize ImageSize() const = 0;
  // Draws the whole picture into `target` (image pixels; the painter carries the zoom).
  virtual void DrawImage(QPainter& painter, const QRectF& target) const = 0;
  // Drawn over the picture, in view coordinates; only `clip` needs drawing.
  virtual void PaintOverlay(QPainter& painter, const QRect& clip);

  void RebuildZoomCache();
  // For a picture too large to keep whole at every zoom: no cache; every paint draws the exposed
  // part at the zoom, so memory stays that of the picture however far it is zoomed.
  void SetDrawOnPaint(bool on);
  // Panning or auto-scroll is under way (a plain-drag click is not panning).
  bool IsPanning() const;

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  enum PanBits { kSpaceHeld = 1, kDragging = 2 };

  QImage RenderZoomed(double pixelRatio) const;
  void DrawZoomed(QPainter& painter, double pixelRatio) const;
  void PaintCache(QPainter& painter, const QRect& clip);
  void UpdateScrollBars();
  bool ApplyZoomStep(int zoom);
  int FitZoomFor(FitMode mode) const;

  void LeftButtonDown(QPoint point);
  void MiddleButtonDown(QPoint point);
  void AutoScrollTick();
  void UpdateCursor(QPoint point);
  void ShowCursor(ViewCursor which);
  void TakeCapture();
  void ReleaseCapture();

  QImage cache_;
  QSize zoomedSize_;
  int zoom_ = 100;
  bool smooth_ = true;
  bool drawOnPaint_ = false;
  int minZoom_ = 1;
  int maxZoom_ = 100000;
  FitMode fitMode_ = FitMode::kNone;
  bool fitting_ = false;

  PanCursorSet cursors_;
  ViewCursor shownCursor_ = ViewCursor::kArrow;
  int panState_ = 0;
  int scrollMode_ = kScrollSpaceDrag;
  QPoint anchor_;
  QPoint lastMouse_;
  bool mouseInside_ = false;
  bool captured_ = false;
  QBasicTimer autoScrollTimer_;
};

}  // namespace vx
