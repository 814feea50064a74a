// One hall map of the current event in the map window: the map of one hall on one day with the
// genre colouring at a chosen opacity and every checked circle's half-space in its check colour,
// and a green cross-hair on the current circle's half-space. A click selects the circle under the
// pointer, a double click checks it, the right button opens the checklist menu.
//
// The window gives the view one slot per day and hall (slot = (day - 1) x maps per day + map id -
// 1) with the paths of its map and genre pictures, and chooses the slot; the view keeps the
// pictures of the chosen one at the map's own size and draws the exposed part at the zoom on each
// paint, so no zoom costs more memory than another. On a screen of pixel ratio 1.5 or more the
// slot's high-resolution pictures are drawn where they exist at exactly twice the size.
#pragma once

#include <QPoint>

#include <filesystem>
#include <vector>

#include "app/AppMessageSink.h"
#include "data/CircleRecord.h"
#include "ui/map/HalfSpaceTable.h"
#include "ui/map/HallMapPicture.h"
#include "ui/menus/CommandMap.h"
#include "ui/menus/CircleCommands.h"
#include "ui/views/ZoomableImageView.h"

namespace vx {

class CatalogController;
class ColorMenu;

class HallMapView : public ZoomableImageView, public AppMessageSink, public CommandTarget {
  Q_OBJECT

 public:
  // RGB(0, 192, 96).
  static constexpr QRgb kCrossHairColor = 0xFF00C060;
  // The cross-hair before any circle since the map was chosen, and for a circle off the map.
  static constexpr QPoint kNoCrossHair{-1, -1};
  static constexpr QPoint kOffMap{-9999, -9999};
  // The cross-hair is kept this far (map pixels) inside the view.
  static constexpr int kCrossHairMargin = 32;

  explicit HallMapView(CatalogController& controller, QWidget* parent = nullptr);

  // Takes the maps per day from the controller; `count` slots with no pictures replace the old
  // ones. A count below 1 changes nothing.
  void SetMapSlotCount(int count);
  // An empty genre path keeps the slot's genre picture. Nothing for a slot out of range.
  void SetMapFiles(int slot, const std::filesystem::path& mapPath,
                   const std::filesystem::path& genrePath);
  // The slot's high-resolution map and genre pictures (either may be missing).
  void SetHighResolutionFiles(int slot, const std::filesystem::path& mapPath,
                              const std::filesystem::path& genrePath);
  // Loads the slot's pictures and the checks of its circles; the current circle's cross-hair
  // stays when the circle lies on that map. Nothing for a slot out of range.
  void SelectMap(int slot);
  // 0 (no genre layer), 25, 50, 75 or 100 percent.
  void SetGenreOpacity(int percent);
  // The check layer again from the checklist (after the colours changed).
  void RebuildCheckLayerAll();
  // The main window's colour menu, whose checklist menu the right button opens; its commands go
  // to `owner` (the frame, which passes them to this view first). Null: no menu.
  void SetChecklistMenu(const ColorMenu* menu, CommandTarget* owner);

  bool OnCommand(int id) override { return commands_.OnCommand(id); }
  bool OnUpdateCommand(int id, CommandState& state) const override {
    return commands_.OnUpdateCommand(id, state);
  }
  bool HandlesCommand(int id) const override { return commands_.HandlesCommand(id); }
  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;
  // The half-spaces a run checks or unchecks are painted with one painter and shown at once.
  void OnAppMessageRun(std::span<const AppMessage> run) override;

  // The circle under a view point, which becomes the last hit and, when there is one, the
  // current circle. Nothing while panning.
  void HitTest(QPoint viewPoint);

  int SlotCount() const { return static_cast<int>(slots_.size()); }
  int CurrentSlot() const { return currentSlot_; }
  int GenreOpacity() const { return opacity_; }
  int LastHit() const { return lastHit_; }
  // In map pixels; kNoCrossHair or kOffMap when none is drawn.
  QPoint CrossHair() const { return crossHair_; }
  const HallMapPicture& Picture() const { return picture_; }

 Q_SIGNALS:
  // Commands of the frame that the view's keys give (zoom, fit, the zoom box).
  void frameCommand(int id);

 protected:
  bool HasImage() const override { return picture_.HasMap(); }
  QSize ImageSize() const override { return picture_.Size(); }
  void DrawImage(QPainter& painter, const QRectF& target) const override;
  void PaintOverlay(QPainter& painter, const QRect& clip) override;

  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct SlotFiles {
    std::filesystem::path map;
    std::filesystem::path genre;
    std::filesystem::path sharpMap;
    std::filesystem::path sharpGenre;
  };
  // The high-resolution path when the screen's pixel ratio calls for it, else none.
  std::filesystem::path Sharp(const std::filesystem::path& path) const;

  void OnCircleChanged(int circleId);
  void OnCheckChanged(int circleId, int color);
  void OnChecklistReset();
  void RebuildCheckLayer();
  void PaintHalfSpace(const CircleRecord& record, int color);
  // The rectangle on the shown map and its colour; an empty rectangle when not on it.
  std::pair<QRect, QColor> HalfSpaceFill(const CircleRecord& record, int color) const;
  // The half-space of a circle on the current map; null when it is elsewhere or nowhere.
  QRect HalfSpaceOnMap(const CircleRecord& record) const;
  int SlotOf(const CircleRecord& record) const;
  void PlaceCrossHair();
  void RedrawCrossHair();
  bool KeepCrossHairInView();
  bool HasCrossHair() const { return crossHair_.x() >= 0 && crossHair_.y() >= 0; }
  QRect ViewRectOf(const QRect& mapRect) const;

  CatalogController& controller_;
  CommandMap commands_;
  CircleCommands circleCommands_;
  const ColorMenu* checklistMenu_ = nullptr;
  CommandTarget* menuOwner_ = nullptr;
  QPoint crossHair_ = kNoCrossHair;
  int currentSlot_ = 0;
  int lastHit_ = 0;
  int mapsPerDay_ = 0;
  int opacity_ = 0;
  CircleRecord current_;
  std::vector<SlotFiles> slots_;
  HallMapPicture picture_;
  HalfSpaceTable halves_;
};

}  // namespace vx
