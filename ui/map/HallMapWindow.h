// The hall map window ("会場マップ"): one of the program's five frames, hosting the hall map view
// under the map bar. It owns the view's zoom (25..300 %), its fit modes, anti-aliasing and genre
// opacity, all kept in the settings; it chooses the map of the current day's hall when the
// current block changes, and passes the circle and checklist messages on to its view.
#pragma once

#include "app/SettingsValues.h"
#include "ui/menus/CommandMenu.h"
#include "ui/widgets/ToolWindowFrame.h"

namespace vx {

class ColorMenu;
class HallMapBar;
class HallMapView;

class HallMapWindow : public ToolWindowFrame {
  Q_OBJECT

 public:
  static constexpr int kMinZoom = 25;
  static constexpr int kMaxZoom = 300;
  // The setting "MapStretchMode".
  enum FitMode { kNoFit = 0, kFitWidth = 1, kFitHeight = 2, kFitWhole = 3 };

  explicit HallMapWindow(CatalogController& controller, QWidget* parent = nullptr);
  ~HallMapWindow() override;

  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;
  // The view takes the run as one change; the command states wait for the end of the runs.
  void OnAppMessageRun(std::span<const AppMessage> run) override;
  // The main window's colour menu, for the view's right-click popup.
  void SetChecklistMenu(const ColorMenu* menu);

  HallMapView* View() const { return view_; }
  HallMapBar* Bar() const { return bar_; }
  CommandMenu& ViewMenu() { return viewMenu_; }
  int Zoom() const { return zoom_; }
  int CurrentFitMode() const { return fitMode_; }
  int CurrentSlot() const { return currentSlot_; }
  int DayIndex() const { return dayIndex_; }

 protected:
  void FocusView() override;
  void changeEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Set-up, in this order.
  void ReadSettings();
  void CreateMenus();
  void CreateView();
  void CreateBar();
  void CreateCommands();
  void LoadMapSlots();
  void ApplyStartState();
  void ShowCatalogState();

  // Zoom and display.
  void FollowSettings();
  void OnViewZoomChanged(int zoom);
  void StepZoom(bool in);
  void ZoomToActualSize();
  void Fit(FitMode mode, bool keep);
  void SetFitMode(FitMode mode);
  void EndFit();
  void ApplyTypedZoom();
  void ToggleAntiAlias();
  void FocusZoomBox();
  void ChooseOpacity(int percent);

  // Maps.
  void ChooseMap(int slot);
  void ShowSlot(int slot);
  void FollowBlock(int blockId);
  void OnImagesChanged();

  SettingsValues ownValues_{};  // stands in when the controller has no settings values
  SettingsValues& values_;
  CommandMenu viewMenu_;
  HallMapView* view_ = nullptr;
  HallMapBar* bar_ = nullptr;
  int zoom_ = 100;
  int currentSlot_ = 0;
  int dayIndex_ = 0;
  FitMode fitMode_ = kNoFit;
  bool antiAlias_ = true;
  int mapsPerDay_ = 0;
  int dayCount_ = 0;
  int opacity_ = 0;
};

}  // namespace vx
