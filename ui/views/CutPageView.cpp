// The page picture, its marks and the application messages of the cut page view.
#include "ui/views/CutPageView.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "app/CatalogController.h"
#include "data/images/CutDrawing.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

QRect ToQRect(const CutRect& r) { return QRect(r.x, r.y, r.w, r.h); }

}  // namespace

CutPageView::CutPageView(CatalogController& controller, QWidget* parent)
    : ZoomableImageView(parent), controller_(controller) {
  CreateCommands();
}

// --- Picture -------------------------------------------------------------------------------------

bool CutPageView::HasImage() const { return controller_.HasPageImage(); }

QSize CutPageView::ImageSize() const {
  return QSize(controller_.GetPageImageWidth(), controller_.GetPageImageHeight());
}

void CutPageView::DrawImage(QPainter& painter, const QRectF& target) const {
  controller_.DrawPageImage(painter, target);
}

// On a screen of high pixel ratio the page comes from the high-resolution cuts where it can.
void CutPageView::showEvent(QShowEvent* event) {
  ZoomableImageView::showEvent(event);
  controller_.SetPagePixelRatio(devicePixelRatioF());
}

// --- Application messages ------------------------------------------------------------------------

void CutPageView::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  const int circleId = static_cast<int>(lParam);
  switch (message) {
    case UM_CIRCLE_CHANGED:
      OnCircleChanged();
      break;
    case UM_PAGE_CHANGED:
      OnPageChanged();
      break;
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
      OnCheckChanged(circleId, static_cast<int>(wParam));
      break;
    case UM_CIRCLE_UNCHECKED:
      OnCheckChanged(circleId, -1);
      break;
    case UM_CHECKLIST_RESET:
      for (SlotMark& slot : marks_) slot.color = -1;
      viewport()->update();
      break;
    case UM_CHECKLIST_MARKS_CHANGED:
      ReadPageMarks();
      viewport()->update();
      break;
    case UM_IMAGES_CHANGED:
      ReadPageMarks();
      SetZoom(Zoom());
      break;
    default:
      break;
  }
}

void CutPageView::OnCircleChanged() {
  UnpinSelection();
  current_ = controller_.GetCurrentCircle();
  SetHighlightCut(current_.cutIndex);
  ReportCutCentre(current_.cutIndex);
}

void CutPageView::OnPageChanged() {
  UnpinSelection();
  ReadPageMarks();
  SetZoom(Zoom());
}

void CutPageView::OnCheckChanged(int circleId, int color) {
  const int cut = controller_.FindCircleCut(circleId);
  if (cut < 1 || cut > static_cast<int>(marks_.size()) || controller_.GetCurrentPage() <= 0) {
    return;
  }
  marks_[static_cast<std::size_t>(cut - 1)].color = color;
  RedrawCut(cut);
}

void CutPageView::ReadPageMarks() {
  marks_.assign(static_cast<std::size_t>(std::max(0, controller_.GetCutsPerPage())), SlotMark{});
  for (int cut = 1; cut <= static_cast<int>(marks_.size()); ++cut) {
    SlotMark& slot = marks_[static_cast<std::size_t>(cut - 1)];
    slot.circleId = controller_.GetPageCutCircleId(cut);
    slot.color = slot.circleId >= 1 ? controller_.GetCircleColor(slot.circleId) : 0;
    slot.pageRect = ToQRect(controller_.GetCutRect(cut));
  }
  for (int i = 0; i < kMaxCheckColors; ++i) {
    markColors_[static_cast<std::size_t>(i)] =
        ColorFromColorRef(controller_.GetColorValue(i, CatalogController::kChecklistColor));
  }
}

// --- Highlight -----------------------------------------------------------------------------------

QRect CutPageView::CutViewRect(int cut) const {
  return ImageToView(ToQRect(controller_.GetCutRect(cut))).toAlignedRect();
}

void CutPageView::RedrawCut(int cut) {
  if (cut >= 1 && cut <= controller_.GetCutsPerPage()) viewport()->update(CutViewRect(cut));
}

// A cut outside the page (a circle without a place has cut -1) highlights nothing.
void CutPageView::SetHighlightCut(int cut) {
  RedrawCut(highlightCut_);
  highlightCut_ = cut >= 1 && cut <= controller_.GetCutsPerPage() ? cut : 0;
  if (highlightCut_ == 0) return;
  RedrawCut(highlightCut_);
  ScrollCutIntoView(highlightCut_);
}

// The least scroll that shows the whole cut; a cut larger than the view shows its top left.
void CutPageView::ScrollCutIntoView(int cut) {
  const QRect rect = CutViewRect(cut);
  const QSize client = viewport()->size();
  const auto axis = [](int start, int length, int shown) {
    if (start < 0 || length > shown) return start;
    return start + length > shown ? start + length - shown : 0;
  };
  ScrollTo(ScrollPosition() + QPoint(axis(rect.left(), rect.width(), client.width()),
                                     axis(rect.top(), rect.height(), client.height())));
}

void CutPageView::ReportCutCentre(int cut) {
  if (cut < 1 || cut > controller_.GetCutsPerPage()) {
    hoverCut_ = 0;
    return;
  }
  const CutRect r = controller_.GetCutRect(cut);
  const QPoint scroll = ScrollPosition();
  const QPoint centre((r.x + r.x + r.w) * Zoom() / 200 - scroll.x(),
                      (r.y + r.y + r.h) * Zoom() / 200 - scroll.y());
  hoverCut_ = cut;
  Q_EMIT pointerReported(centre);
}

void CutPageView::PinSelection() {
  if (!HasCurrentCircle() || !autoSelect_ || pinned_) return;
  pinned_ = true;
  RedrawCut(highlightCut_);
}

void CutPageView::UnpinSelection() {
  if (!pinned_) return;
  pinned_ = false;
  RedrawCut(highlightCut_);
}

// --- Marks ---------------------------------------------------------------------------------------

// Each cut is ANDed with its tint, so white takes the tint and dark lines stay; the mark square
// multiplies the check colour onto the picture instead of the tint.
void CutPageView::PaintOverlay(QPainter& painter, const QRect& clip) {
  if (!HasImage()) return;
  if (!controller_.GetGuard().IsRaised()) ReadPageMarks();
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  for (int cut = 1; cut <= static_cast<int>(marks_.size()); ++cut) {
    PaintSlot(painter, clip, cut, marks_[static_cast<std::size_t>(cut - 1)]);
  }
  painter.restore();
}

void CutPageView::PaintSlot(QPainter& painter, const QRect& clip, int cut, const SlotMark& slot) {
  const bool highlighted = cut == highlightCut_;
  if (!highlighted && slot.color <= 0) return;
  const QRectF cell = ImageToView(slot.pageRect);
  if (!cell.intersects(QRectF(clip))) return;
  const QColor tint = ColorFromColorRef(pinned_ ? kPinnedColor : kHighlightColor);
  if (slot.color <= 0) {  // highlighted only
    painter.fillRect(cell, tint);
    return;
  }
  const QRectF mark = MarkSquare(cell);
  if (highlighted) {
    const QRectF strips[] = {
        {cell.left(), cell.top(), cell.width(), mark.top() - cell.top()},
        {cell.left(), mark.bottom(), cell.width(), cell.bottom() - mark.bottom()},
        {cell.left(), mark.top(), mark.left() - cell.left(), mark.height()},
        {mark.right(), mark.top(), cell.right() - mark.right(), mark.height()},
    };
    for (const QRectF& strip : strips) painter.fillRect(strip, tint);
  }
  painter.fillRect(mark, MarkColor(slot.color));
}

// Sized from the cut's width in device pixels, so it stays sharp at any pixel ratio.
QRectF CutPageView::MarkSquare(const QRectF& cell) const {
  const double ratio = devicePixelRatioF();
  CutRect square{0, 0, static_cast<int>(std::lround(cell.width() * ratio)),
                 static_cast<int>(std::lround(cell.height() * ratio))};
  CutMarkRect(square);
  const QRectF mark(cell.x() + square.x / ratio, cell.y() + square.y / ratio, square.w / ratio,
                    square.h / ratio);
  return mark & cell;
}

QColor CutPageView::MarkColor(int color) const {
  return color <= kMaxCheckColors ? markColors_[static_cast<std::size_t>(color - 1)]
                                  : QColor(Qt::black);
}

}  // namespace vx
