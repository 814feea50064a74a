// The slots, pictures, checks and cross-hair of the hall map view.
#include "ui/map/HallMapView.h"

#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/CatalogController.h"
#include "checklist/FavoriteEntry.h"
#include "data/images/CutDrawing.h"
#include "res/ResourceIds.h"

namespace vx {

HallMapView::HallMapView(CatalogController& controller, QWidget* parent)
    : ZoomableImageView(parent),
      controller_(controller),
      circleCommands_(controller, [this] { return current_.id; }),
      halves_(controller.GetMapDeskWidth(), controller.GetMapDeskHeight()) {
  SetDrawOnPaint(true);
  circleCommands_.AddTo(commands_);
  connect(this, &ZoomableImageView::zoomChanged, this, [this] { KeepCrossHairInView(); });
}

// --- Slots ---------------------------------------------------------------------------------------

void HallMapView::SetMapSlotCount(int count) {
  if (count < 1) return;
  mapsPerDay_ = controller_.GetMapCount();
  slots_.assign(static_cast<std::size_t>(count), SlotFiles{});
}

void HallMapView::SetMapFiles(int slot, const std::filesystem::path& mapPath,
                              const std::filesystem::path& genrePath) {
  if (slot < 0 || slot >= SlotCount()) return;
  SlotFiles& files = slots_[static_cast<std::size_t>(slot)];
  files.map = mapPath;
  if (!genrePath.empty()) files.genre = genrePath;
}

void HallMapView::SetHighResolutionFiles(int slot, const std::filesystem::path& mapPath,
                                         const std::filesystem::path& genrePath) {
  if (slot < 0 || slot >= SlotCount()) return;
  SlotFiles& files = slots_[static_cast<std::size_t>(slot)];
  files.sharpMap = mapPath;
  files.sharpGenre = genrePath;
}

std::filesystem::path HallMapView::Sharp(const std::filesystem::path& path) const {
  return devicePixelRatioF() >= 1.5 ? path : std::filesystem::path();
}

void HallMapView::SelectMap(int slot) {
  if (slot < 0 || slot >= SlotCount()) return;
  currentSlot_ = slot;
  lastHit_ = 0;
  const SlotFiles& files = slots_[static_cast<std::size_t>(slot)];
  picture_.LoadMap(files.map, Sharp(files.sharpMap));
  RebuildCheckLayer();
  picture_.LoadGenre(files.genre, opacity_, Sharp(files.sharpGenre));
  PlaceCrossHair();
  SetZoom(Zoom());
  KeepCrossHairInView();
}

void HallMapView::SetGenreOpacity(int percent) {
  opacity_ = percent;
  if (currentSlot_ < SlotCount()) {
    const SlotFiles& files = slots_[static_cast<std::size_t>(currentSlot_)];
    picture_.LoadGenre(files.genre, opacity_, Sharp(files.sharpGenre));
  }
  viewport()->update();
}

// --- Checks --------------------------------------------------------------------------------------

void HallMapView::RebuildCheckLayerAll() {
  RebuildCheckLayer();
  viewport()->update();
}

void HallMapView::RebuildCheckLayer() {
  picture_.ResetCheckLayer();
  if (!picture_.HasCheckLayer()) return;
  controller_.ForEachInPrintOrder([this](const FavoriteEntry& entry) {
    PaintHalfSpace(entry.record, entry.color);
    return true;
  });
}

int HallMapView::SlotOf(const CircleRecord& record) const {
  const int mapId = controller_.GetMapIdOfBlock(record.blockId);
  // A block of no hall among the maps would otherwise land on another day's last map.
  if (mapId < 1 || mapId > mapsPerDay_) return -1;
  return (record.day - 1) * mapsPerDay_ + mapId - 1;
}

QRect HallMapView::HalfSpaceOnMap(const CircleRecord& record) const {
  if (record.id < 1 || record.day < 1 || SlotOf(record) != currentSlot_) return QRect();
  const QPoint desk(controller_.GetSpaceX(record.blockId, record.spaceNo),
                    controller_.GetSpaceY(record.blockId, record.spaceNo));
  return halves_.HalfAt(desk, controller_.GetSpaceLayout(record.blockId, record.spaceNo),
                        record.spaceNoSub);
}

std::pair<QRect, QColor> HallMapView::HalfSpaceFill(const CircleRecord& record, int color) const {
  const QRect rect = HalfSpaceOnMap(record);
  if (rect.isNull()) return {};
  const std::uint32_t colorRef =
      color >= 1 ? controller_.GetColorValue(color - 1, CatalogController::kChecklistColor)
                 : 0xFFFFFFu;
  return {rect, ColorFromColorRef(colorRef)};
}

void HallMapView::PaintHalfSpace(const CircleRecord& record, int color) {
  const auto [rect, fill] = HalfSpaceFill(record, color);
  if (rect.isNull() || !picture_.HasCheckLayer()) return;
  picture_.FillCheck(rect, fill);
  viewport()->update(ViewRectOf(rect));
}

void HallMapView::OnCheckChanged(int circleId, int color) {
  CircleRecord record;
  if (controller_.GetCircle(circleId, &record)) PaintHalfSpace(record, color);
}

void HallMapView::OnAppMessageRun(std::span<const AppMessage> run) {
  std::vector<std::pair<QRect, QColor>> fills;
  QRect changed;
  const auto paint = [&] {
    picture_.FillChecks(fills);
    fills.clear();
    if (!changed.isNull()) viewport()->update(ViewRectOf(changed));
    changed = QRect();
  };
  for (const AppMessage& m : run) {
    const bool check = m.message == UM_CIRCLE_CHECKED || m.message == UM_CIRCLE_COLOR_CHANGED;
    if (!check && m.message != UM_CIRCLE_UNCHECKED) {
      paint();
      OnAppMessage(m.message, m.wParam, m.lParam);
      continue;
    }
    CircleRecord record;
    if (!picture_.HasCheckLayer() || !controller_.GetCircle(static_cast<int>(m.lParam), &record)) {
      continue;
    }
    const auto fill = HalfSpaceFill(record, check ? static_cast<int>(m.wParam) : 0);
    if (fill.first.isNull()) continue;
    fills.push_back(fill);
    changed |= fill.first;
  }
  paint();
}

void HallMapView::OnChecklistReset() {
  if (slots_.empty()) return;
  picture_.ResetCheckLayer();
  viewport()->update();
}

// --- Cross-hair ----------------------------------------------------------------------------------

void HallMapView::OnCircleChanged(int circleId) {
  if (circleId == current_.id) return;
  if (!controller_.GetCircle(circleId, &current_)) current_ = CircleRecord();
  RedrawCrossHair();
  PlaceCrossHair();
  if (KeepCrossHairInView()) {
    viewport()->update();
  } else {
    RedrawCrossHair();
  }
}

// At the middle of the current circle's half-space when that lies on the map shown.
void HallMapView::PlaceCrossHair() {
  const QRect half = HalfSpaceOnMap(current_);
  if (half.isNull()) {
    crossHair_ = current_.id < 1 ? kNoCrossHair : kOffMap;
  } else {
    crossHair_ = QPoint((2 * half.left() + half.width()) / 2, (2 * half.top() + half.height()) / 2);
  }
}

void HallMapView::RedrawCrossHair() {
  if (!HasCrossHair()) return;
  const QPoint scroll = ScrollPosition();
  const QSize client = viewport()->size();
  viewport()->update(crossHair_.x() * Zoom() / 100 - scroll.x(), 0, 1, client.height());
  viewport()->update(0, crossHair_.y() * Zoom() / 100 - scroll.y(), client.width(), 1);
}

// Scrolls the least that keeps the cross-hair a margin inside the view; whether it scrolled.
bool HallMapView::KeepCrossHairInView() {
  if (!HasCrossHair()) return false;
  const int margin = Zoom() * kCrossHairMargin / 100;
  const QPoint zoomed(crossHair_.x() * Zoom() / 100, crossHair_.y() * Zoom() / 100);
  const QPoint scroll = ScrollPosition();
  const QSize client = viewport()->size();
  const auto axis = [margin](int point, int scroll, int shown) {
    const int inView = point - scroll;
    if (inView - margin < 0) return std::max(0, point - margin);
    if (inView + margin > shown) return std::max(0, point - shown + margin);
    return scroll;
  };
  ScrollTo(QPoint(axis(zoomed.x(), scroll.x(), client.width()),
                  axis(zoomed.y(), scroll.y(), client.height())));
  return ScrollPosition() != scroll;
}

QRect HallMapView::ViewRectOf(const QRect& mapRect) const {
  return ImageToView(mapRect).toAlignedRect();
}

// --- Drawing -------------------------------------------------------------------------------------

void HallMapView::DrawImage(QPainter& painter, const QRectF& target) const {
  picture_.Draw(painter, target);
}

void HallMapView::PaintOverlay(QPainter& painter, const QRect&) {
  if (!HasCrossHair()) return;
  const QPoint scroll = ScrollPosition();
  const QSize client = viewport()->size();
  const QColor color = QColor::fromRgb(kCrossHairColor);
  painter.fillRect(crossHair_.x() * Zoom() / 100 - scroll.x(), 0, 1, client.height(), color);
  painter.fillRect(0, crossHair_.y() * Zoom() / 100 - scroll.y(), client.width(), 1, color);
}

// --- Application messages ------------------------------------------------------------------------

void HallMapView::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  const int circleId = static_cast<int>(lParam);
  switch (message) {
    case UM_CIRCLE_CHANGED:
      OnCircleChanged(circleId);
      break;
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_UNCHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
      OnCheckChanged(circleId, static_cast<int>(wParam));
      break;
    case UM_CHECKLIST_RESET:
      OnChecklistReset();
      break;
    case UM_CHECKLIST_MARKS_CHANGED:
      if (!slots_.empty()) RebuildCheckLayerAll();
      break;
    default:
      break;
  }
}

}  // namespace vx
