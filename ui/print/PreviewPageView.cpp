#include "ui/print/PreviewPageView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

#include "print/PreviewZoom.h"

namespace vx {

namespace {

// Preview commands sent by keys.
constexpr int kCommandPreviousPage = 3012;
constexpr int kCommandNextPage = 3013;
constexpr int kCommandZoomFirst = 3014;
constexpr int kCommandClose = 3019;
constexpr int kCommandOpenPageList = 3020;
constexpr int kCommandZoomIn = 3021;
constexpr int kCommandZoomOut = 3022;

}  // namespace

PreviewPageView::PreviewPageView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("VPR_PreviewSub"));
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::ArrowCursor);
  horizontalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setSingleStep(1);
}

void PreviewPageView::SetPage(const QImage& page) {
  page_ = page.isNull() ? QImage() : page.convertToFormat(QImage::Format_RGB32);
  UpdateScrollBars();
  viewport()->update();
}

void PreviewPageView::SetZoomPercent(int percent) {
  percent_ = percent;
  UpdateScrollBars();
  viewport()->update();
}

QPoint PreviewPageView::Position() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void PreviewPageView::SetPosition(QPoint position) {
  horizontalScrollBar()->setValue(position.x());
  verticalScrollBar()->setValue(position.y());
}

QSize PreviewPageView::VisiblePagePixels() const {
  return {viewport()->width() * 100 / percent_, viewport()->height() * 100 / percent_};
}

void PreviewPageView::UpdateScrollBars() {
  // Qt decides about each bar from its range; the ranges in page pixels follow the viewport,
  // which the bars themselves make smaller.
  for (int pass = 0; pass < 2; ++pass) {
    const QSize visible = VisiblePagePixels();
    const int width = page_.isNull() ? 0 : page_.width();
    const int height = page_.isNull() ? 0 : page_.height();
    horizontalScrollBar()->setRange(0, std::max(0, width - visible.width()));
    horizontalScrollBar()->setPageStep(std::max(1, visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, height - visible.height()));
    verticalScrollBar()->setPageStep(std::max(1, visible.height()));
  }
}

void PreviewPageView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QSize visible = VisiblePagePixels();
  const QImage part =
      Preview_ZoomedPart(page_, percent_, horizontalScrollBar()->value(),
                         verticalScrollBar()->value(), visible.width(), visible.height());
  if (!part.isNull()) painter.drawImage(0, 0, part);
  const QColor gray(128, 128, 128);
  const int right = page_.isNull() ? 0 : part.width();
  const int bottom = page_.isNull() ? 0 : part.height();
  painter.fillRect(right, 0, viewport()->width() - right, viewport()->height(), gray);
  painter.fillRect(0, bottom, right, viewport()->height() - bottom, gray);
}

void PreviewPageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void PreviewPageView::scrollContentsBy(int, int) { viewport()->update(); }

bool PreviewPageView::KeyCommand(QKeyEvent* event) {
  const int key = event->key();
  int command = 0;
  if (key == Qt::Key_Escape || key == Qt::Key_X) {
    command = kCommandClose;
  } else if (key >= Qt::Key_1 && key <= Qt::Key_5) {
    command = kCommandZoomFirst + (key - Qt::Key_1);
  } else if (key == Qt::Key_Plus) {
    command = kCommandZoomIn;
  } else if (key == Qt::Key_Minus) {
    command = kCommandZoomOut;
  } else if (key == Qt::Key_N) {
    command = kCommandNextPage;
  } else if (key == Qt::Key_P) {
    command = kCommandPreviousPage;
  } else if (key == Qt::Key_O) {
    command = kCommandOpenPageList;
  }
  if (command == 0) return false;
  Q_EMIT commandRequested(command);
  return true;
}

void PreviewPageView::keyPressEvent(QKeyEvent* event) {
  if (KeyCommand(event)) return;
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  switch (event->key()) {
    case Qt::Key_Left:
      h->setValue(h->value() - kArrowStep);
      break;
    case Qt::Key_Right:
      h->setValue(h->value() + kArrowStep);
      break;
    case Qt::Key_Up:
      v->setValue(v->value() - kArrowStep);
      break;
    case Qt::Key_Down:
      v->setValue(v->value() + kArrowStep);
      break;
    case Qt::Key_PageUp:
      v->setValue(v->value() - v->pageStep());
      break;
    case Qt::Key_PageDown:
      v->setValue(v->value() + v->pageStep());
      break;
    case Qt::Key_Home:
      SetPosition({h->minimum(), v->minimum()});
      break;
    case Qt::Key_End:
      SetPosition({h->maximum(), v->maximum()});
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
  }
}

void PreviewPageView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  dragStart_ = event->position().toPoint();
  dragPosition_ = Position();
  setFocus();
}

void PreviewPageView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint moved = (dragStart_ - event->position().toPoint()) * 100 / percent_;
  SetPosition(dragPosition_ + moved);  // the bars clamp to the page's edges
}

void PreviewPageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = false;
  setFocus();
}

}  // namespace vx
