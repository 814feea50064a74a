#include "ui/views/ZoomableImageView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ui/views/ZoomSteps.h"

namespace vx {

namespace {

// A zoomed side never exceeds this; a larger cache could not be allocated anyway.
constexpr std::int64_t kMaxZoomedSide = 1 << 20;

int ZoomedSide(int side, int zoom) {
  return static_cast<int>(std::min<std::int64_t>(std::int64_t{side} * zoom / 100, kMaxZoomedSide));
}

// 0 in the middle, 1 left, 2 right; plus 0, 3 up or 6 down.
int AutoScrollDirection(QPoint offset) {
  const int column = offset.x() / ZoomableImageView::kAutoScrollZone;
  const int row = offset.y() / ZoomableImageView::kAutoScrollZone;
  return (column < 0 ? 1 : column > 0 ? 2 : 0) + (row < 0 ? 3 : row > 0 ? 6 : 0);
}

// The offscreen platform has no pointer to grab.
bool CanGrabMouse() { return QGuiApplication::platformName() != QLatin1String("offscreen"); }

}  // namespace

ZoomableImageView::ZoomableImageView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setCursor(cursors_.Get(ViewCursor::kArrow));
}

ZoomableImageView::~ZoomableImageView() { ReleaseCapture(); }

// --- Zoom and cache ------------------------------------------------------------------------------

void ZoomableImageView::SetZoom(int percent) {
  if (percent <= 0) return;
  const bool changed = percent != zoom_;
  zoom_ = percent;
  const QSize image = ImageSize();
  zoomedSize_ = QSize(ZoomedSide(image.width(), zoom_), ZoomedSide(image.height(), zoom_));
  UpdateScrollBars();
  RebuildZoomCache();
  if (changed) Q_EMIT zoomChanged(zoom_);
}

void ZoomableImageView::SetSmoothing(bool on) {
  smooth_ = on;
  RebuildZoomCache();
}

void ZoomableImageView::SetDrawOnPaint(bool on) {
  drawOnPaint_ = on;
  RebuildZoomCache();
}

void ZoomableImageView::RebuildZoomCache() {
  cache_ = QImage();
  if (!drawOnPaint_ && HasImage() && zoomedSize_.width() >= 1 && zoomedSize_.height() >= 1) {
    cache_ = RenderZoomed(devicePixelRatioF());
    // Too large for the screen's ratio: one view pixel per cache pixel still shows every cut.
    if (cache_.isNull() && devicePixelRatioF() > 1) cache_ = RenderZoomed(1);
  }
  viewport()->update();
}

QImage ZoomableImageView::RenderZoomed(double pixelRatio) const {
  const QSize deviceSize(static_cast<int>(std::ceil(zoomedSize_.width() * pixelRatio)),
                         static_cast<int>(std::ceil(zoomedSize_.height() * pixelRatio)));
  QImage cache(deviceSize, QImage::Format_RGB32);
  if (cache.isNull()) return cache;
  cache.setDevicePixelRatio(pixelRatio);
  cache.fill(Qt::white);
  QPainter painter(&cache);
  DrawZoomed(painter, pixelRatio);
  return cache;
}

void ZoomableImageView::DrawZoomed(QPainter& painter, double pixelRatio) const {
  // At actual size on a screen of whole-number pixel ratio every picture pixel becomes a block of
  // device pixels: as sharp as on a standard screen, whatever the smoothing.
  const bool actualSize = zoom_ == 100 && pixelRatio == std::floor(pixelRatio);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth_ && !actualSize);
  // The zoom itself, not zoomed / image size: cuts then land where ImageToView puts overlays.
  painter.scale(zoom_ / 100.0, zoom_ / 100.0);
  DrawImage(painter, QRectF(QPointF(0, 0), QSizeF(ImageSize())));
}

bool ZoomableImageView::FitsInClient() const {
  const QSize client = viewport()->size();
  return zoomedSize_.width() <= client.width() && zoomedSize_.height() <= client.height();
}

void ZoomableImageView::SetZoomRange(int minZoom, int maxZoom) {
  minZoom_ = minZoom;
  maxZoom_ = maxZoom;
}

bool ZoomableImageView::ZoomIn() { return ApplyZoomStep(ZoomStepIn(zoom_, maxZoom_)); }

bool ZoomableImageView::ZoomOut() { return ApplyZoomStep(ZoomStepOut(zoom_, minZoom_)); }

bool ZoomableImageView::ZoomByWheel(int delta) {
  return ApplyZoomStep(ZoomStepByWheel(zoom_, delta, minZoom_, maxZoom_));
}

bool ZoomableImageView::ApplyZoomStep(int zoom) {
  if (zoom == zoom_) return false;
  SetZoom(zoom);
  return true;
}

int ZoomableImageView::FitZoomFor(FitMode mode) const {
  const QSize image = ImageSize();
  const QSize client = viewport()->size();
  const int byWidth = image.width() > 0 ? client.width() * 100 / image.width() : 0;
  const int byHeight = image.height() > 0 ? client.height() * 100 / image.height() : 0;
  switch (mode) {
    case FitMode::kWidth:
      return byWidth;
    case FitMode::kHeight:
      return byHeight;
    case FitMode::kWhole:
      return std::min(byWidth, byHeight);
    case FitMode::kNone:
      break;
  }
  return 0;
}

bool ZoomableImageView::FitOnce(FitMode mode) {
  bool changed = false;
  fitting_ = true;
  for (int pass = 0; pass < 2; ++pass) {
    int zoom = FitZoomFor(mode);
    if (zoom < 1) break;
    zoom = std::clamp(zoom, minZoom_, maxZoom_);
    if (zoom == zoom_) break;
    SetZoom(zoom);
    changed = true;
  }
  fitting_ = false;
  return changed;
}

void ZoomableImageView::SetFitMode(FitMode mode) {
  fitMode_ = mode;
  if (mode != FitMode::kNone) FitOnce(mode);
}

// --- Coordinates and scrolling -------------------------------------------------------------------

QPoint ZoomableImageView::ScrollPosition() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void ZoomableImageView::ScrollTo(QPoint position) {
  horizontalScrollBar()->setValue(position.x());
  verticalScrollBar()->setValue(position.y());
}

QPoint ZoomableImageView::ViewToImage(QPoint viewPoint) const {
  const QPoint content = ScrollPosition() + viewPoint;
  return QPoint(content.x() * 100 / zoom_, content.y() * 100 / zoom_);
}

QRectF ZoomableImageView::ImageToView(const QRect& imageRect) const {
  const double ratio = devicePixelRatioF();
  const auto edge = [&](int v) { return std::trunc(double(v) * zoom_ * ratio / 100.0) / ratio; };
  const QPointF scroll = ScrollPosition();
  return QRectF(QPointF(edge(imageRect.left()), edge(imageRect.top())) - scroll,
                QPointF(edge(imageRect.left() + imageRect.width()),
                        edge(imageRect.top() + imageRect.height())) -
                    scroll);
}

// The bars are shown or hidden here rather than by the scroll area, which would do it only later:
// a fit computed right after a zoom must see the view as the new zoom leaves it.
void ZoomableImageView::UpdateScrollBars() {
  const QSize area = maximumViewportSize();
  const int barWidth = verticalScrollBar()->sizeHint().width();
  const int barHeight = horizontalScrollBar()->sizeHint().height();
  bool across = zoomedSize_.width() > area.width();
  bool down = zoomedSize_.height() > area.height();
  if (across && !down) down = zoomedSize_.height() > area.height() - barHeight;
  if (down && !across) across = zoomedSize_.width() > area.width() - barWidth;
  const auto policy = [](bool needed) {
    return needed ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  };
  if (horizontalScrollBarPolicy() != policy(across)) setHorizontalScrollBarPolicy(policy(across));
  if (verticalScrollBarPolicy() != policy(down)) setVerticalScrollBarPolicy(policy(down));

  const QSize client = viewport()->size();
  QScrollBar* bars[] = {horizontalScrollBar(), verticalScrollBar()};
  const int zoomed[] = {zoomedSize_.width(), zoomedSize_.height()};
  const int shown[] = {client.width(), client.height()};
  for (int i = 0; i < 2; ++i) {
    bars[i]->setPageStep(shown[i]);
    bars[i]->setSingleStep(std::max(1, zoomed[i] / 100));
    bars[i]->setRange(0, std::max(0, zoomed[i] - shown[i]));
  }
}

void ZoomableImageView::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

void ZoomableImageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
  if (fitMode_ != FitMode::kNone && !fitting_) FitOnce(fitMode_);
}

// --- Painting ------------------------------------------------------------------------------------

QColor ZoomableImageView::WorkspaceColor() const { return palette().color(QPalette::Dark); }

void ZoomableImageView::paintEvent(QPaintEvent* event) {
  // Moved to a screen of another pixel ratio since the cache was made.
  if (!cache_.isNull() && cache_.devicePixelRatio() != devicePixelRatioF()) RebuildZoomCache();
  QPainter painter(viewport());
  PaintCache(painter, event->rect());
  PaintOverlay(painter, event->rect());
}

void ZoomableImageView::PaintCache(QPainter& painter, const QRect& clip) {
  QRect shown;
  const QPoint scroll = ScrollPosition();
  if (!cache_.isNull()) {
    shown = clip & QRect(-scroll, zoomedSize_);
    if (!shown.isEmpty()) {
      const double ratio = cache_.devicePixelRatio();
      const QRectF source(QPointF(shown.topLeft() + scroll) * ratio, QSizeF(shown.size()) * ratio);
      painter.drawImage(QRectF(shown), cache_, source);
    }
  } else if (drawOnPaint_ && HasImage()) {
    shown = clip & QRect(-scroll, zoomedSize_);
    if (!shown.isEmpty()) {
      painter.save();
      painter.setClipRect(shown);
      painter.fillRect(shown, Qt::white);
      painter.translate(-scroll);
      DrawZoomed(painter, devicePixelRatioF());
      painter.restore();
    }
  }
  for (const QRect& strip : QRegion(clip).subtracted(QRegion(shown))) {
    painter.fillRect(strip, WorkspaceColor());
  }
}

void ZoomableImageView::PaintOverlay(QPainter&, const QRect&) {}

// --- Keys ----------------------------------------------------------------------------------------

void ZoomableImageView::keyPressEvent(QKeyEvent* event) {
  // With Alt a key belongs to the menus and accelerators.
  if (event->modifiers() & Qt::AltModifier) {
    QWidget::keyPressEvent(event);
    return;
  }
  bool handled = true;
  switch (event->key()) {
    case Qt::Key_Space:
      if (scrollMode_ == kScrollSpaceDrag && mouseInside_) {
        panState_ |= kSpaceHeld;
        UpdateCursor(lastMouse_);
      }
      break;
    case Qt::Key_Left:
      horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case Qt::Key_Right:
      horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    case Qt::Key_Up:
      verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case Qt::Key_Down:
      verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    default:
      handled = false;
  }
  if (scrollMode_ == kScrollAuto && panState_ != 0) {
    panState_ = 0;
    UpdateCursor(lastMouse_);
  }
  if (!handled) QWidget::keyPressEvent(event);
}

void ZoomableImageView::keyReleaseEvent(QKeyEvent* event) {
  // The system repeats a held key as release and press pairs; the key is still held.
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && scrollMode_ == kScrollSpaceDrag) {
    panState_ &= ~(kSpaceHeld | kDragging);
    UpdateCursor(lastMouse_);
    return;
  }
  QWidget::keyReleaseEvent(event);
}

// --- Mouse ---------------------------------------------------------------------------------------

void ZoomableImageView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  lastMouse_ = point;
  const QSize client = viewport()->size();
  mouseInside_ = point.x() >= 0 && point.y() >= 0 && point.x() <= client.width() &&
                 point.y() <= client.height();
  UpdateCursor(point);
  if (!captured_) {
    ShowCursor(ViewCursor::kArrow);
  } else if (scrollMode_ == kScrollDrag) {
    ShowCursor(ViewCursor::kGrabbing);
  }
  if (scrollMode_ == kScrollAuto) return;
  // A direction in which the picture fits has no range, so it stays at 0.
  if (panState_ & kDragging) ScrollTo(anchor_ - point);
}

void ZoomableImageView::mousePressEvent(QMouseEvent* event) {
  lastMouse_ = event->position().toPoint();
  switch (event->button()) {
    case Qt::LeftButton:
      LeftButtonDown(event->position().toPoint());
      break;
    case Qt::RightButton:
      panState_ = 0;
      ShowCursor(ViewCursor::kArrow);
      ReleaseCapture();
      break;
    case Qt::MiddleButton:
      MiddleButtonDown(event->position().toPoint());
      break;
    default:
      break;
  }
}

void ZoomableImageView::LeftButtonDown(QPoint point) {
  if (scrollMode_ == kScrollAuto) {
    panState_ = 0;
    UpdateCursor(point);
    return;
  }
  if (scrollMode_ == kScrollSpaceDrag && !(panState_ & kSpaceHeld)) {
    UpdateCursor(point);
    return;
  }
  anchor_ = ScrollPosition() + point;
  panState_ |= kDragging;
  UpdateCursor(point);
}

void ZoomableImageView::MiddleButtonDown(QPoint point) {
  if (scrollMode_ != kScrollAuto) return;
  if (panState_ & kDragging) {
    panState_ = 0;
  } else if (mouseInside_) {
    panState_ |= kDragging;
    anchor_ = point;
    autoScrollTimer_.start(kAutoScrollIntervalMs, this);
  }
  UpdateCursor(point);
}

void ZoomableImageView::mouseReleaseEvent(QMouseEvent* event) {
  lastMouse_ = event->position().toPoint();
  if (event->button() != Qt::LeftButton || scrollMode_ == kScrollAuto) return;
  panState_ &= ~kDragging;
  UpdateCursor(event->position().toPoint());
}

// The derived view decides what a double click does.
void ZoomableImageView::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void ZoomableImageView::wheelEvent(QWheelEvent* event) {
  QScrollBar* bar = verticalScrollBar()->maximum() > 0     ? verticalScrollBar()
                    : horizontalScrollBar()->maximum() > 0 ? horizontalScrollBar()
                                                           : nullptr;
  if ((event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) || !bar) {
    event->ignore();  // zoom or turn the page: the frame's
    return;
  }
  const int delta =
      event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
  const int lines = delta * QApplication::wheelScrollLines() / 120;  // 120 a notch
  bar->setValue(bar->value() - lines * bar->singleStep());
  event->accept();
}

void ZoomableImageView::timerEvent(QTimerEvent* event) {
  if (event->timerId() != autoScrollTimer_.timerId()) {
    QAbstractScrollArea::timerEvent(event);
    return;
  }
  if (scrollMode_ == kScrollAuto && captured_) {
    AutoScrollTick();
  } else {
    autoScrollTimer_.stop();
  }
}

void ZoomableImageView::AutoScrollTick() {
  const QPoint offset = lastMouse_ - anchor_;
  if (std::abs(offset.x()) < kAutoScrollZone && std::abs(offset.y()) < kAutoScrollZone) return;
  // An arithmetic shift, as the step rounds toward minus infinity in both directions.
  ScrollTo(ScrollPosition() + QPoint(offset.x() >> 3, offset.y() >> 3));
}

void ZoomableImageView::SetScrollMode(int mode) {
  CancelDrag();
  scrollMode_ = mode;
}

void ZoomableImageView::CancelDrag() {
  panState_ = 0;
  ShowCursor(ViewCursor::kArrow);
  ReleaseCapture();
}

bool ZoomableImageView::IsPanning() const { return panState_ != 0 && scrollMode_ != kScrollDrag; }

// --- Cursors and capture -------------------------------------------------------------------------

void ZoomableImageView::UpdateCursor(QPoint point) {
  switch (scrollMode_) {
    case kScrollSpaceDrag:
      if (!(panState_ & kSpaceHeld)) {
        ReleaseCapture();
        break;
      }
      ShowCursor(panState_ & kDragging ? ViewCursor::kGrabbing : ViewCursor::kHand);
      TakeCapture();
      break;
    case kScrollDrag:
      if (panState_ & kDragging) {
        TakeCapture();
      } else {
        ReleaseCapture();
      }
      break;
    case kScrollAuto:
      if (!(panState_ & kDragging)) {
        ReleaseCapture();
        break;
      }
      ShowCursor(AutoScrollCursor(AutoScrollDirection(point - anchor_)));
      TakeCapture();
      break;
    default:
      break;
  }
  // A pan that ended shows the arrow at once, not only after the next move.
  if (!captured_) ShowCursor(ViewCursor::kArrow);
}

void ZoomableImageView::ShowCursor(ViewCursor which) {
  if (which == shownCursor_) return;
  shownCursor_ = which;
  viewport()->setCursor(cursors_.Get(which));
}

void ZoomableImageView::TakeCapture() {
  if (captured_) return;
  captured_ = true;
  if (viewport()->isVisible() && CanGrabMouse()) viewport()->grabMouse();
}

void ZoomableImageView::ReleaseCapture() {
  if (!captured_) return;
  captured_ = false;
  if (CanGrabMouse()) viewport()->releaseMouse();
}

}  // namespace vx
