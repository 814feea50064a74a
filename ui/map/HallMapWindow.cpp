// Construction, application messages and the choice of map of the hall map window.
#include "ui/map/HallMapWindow.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QWheelEvent>

#include <algorithm>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/map/HallMapBar.h"
#include "ui/map/HallMapSlot.h"
#include "ui/map/HallMapView.h"
#include "ui/menus/CommandActions.h"
#include "ui/menus/MenuTables.h"

namespace vx {

HallMapWindow::HallMapWindow(CatalogController& controller, QWidget* parent)
    : ToolWindowFrame(controller, parent),
      values_(controller.GetValues() ? *controller.GetValues() : ownValues_) {
  setObjectName(QStringLiteral("PavorunCatalogApp_MapWin"));
  setWindowTitle(QtText(Sjis("会場マップ")));
  setWindowIcon(WindowIcon(IDI_MAP));
  ReadSettings();
  CreateMenus();
  CreateView();
  CreateBar();
  CreateCommands();
  LoadMapSlots();
  ApplyStartState();
  ShowCatalogState();
}

HallMapWindow::~HallMapWindow() = default;

// Stored values out of range are put right in the settings too.
void HallMapWindow::ReadSettings() {
  values_.mapZoomSize = std::clamp(values_.mapZoomSize, kMinZoom, kMaxZoom);
  zoom_ = values_.mapZoomSize;
  if (values_.mapStretchMode < kNoFit || values_.mapStretchMode > kFitWhole) {
    values_.mapStretchMode = kNoFit;
  }
  fitMode_ = static_cast<FitMode>(values_.mapStretchMode);
  antiAlias_ = values_.mapAntiAlias != 0;
  opacity_ = values_.mapGenreDisp;
}

void HallMapWindow::CreateMenus() {
  viewMenu_.Load(MenuTableOf(IDR_MENU_MAP_VIEW));
  viewMenu_.ShowAsMenuBar(menuBar());
  Actions()->Bind(menuBar());
}

void HallMapWindow::CreateView() {
  view_ = new HallMapView(Controller(), this);
  setCentralWidget(view_);
  view_->SetZoomRange(kMinZoom, kMaxZoom);
  SetViewCommands(view_);
  connect(view_, &HallMapView::frameCommand, this, [this](int id) { RunCommand(id); });
  connect(view_, &HallMapView::zoomChanged, this, &HallMapWindow::OnViewZoomChanged);
}

void HallMapWindow::CreateBar() {
  bar_ = new HallMapBar(viewMenu_, this);
  addToolBar(Qt::TopToolBarArea, bar_);
  Actions()->Bind(bar_);
  connect(bar_, &HallMapBar::mapChosen, this, &HallMapWindow::ChooseMap);
  connect(bar_, &HallMapBar::opacityChosen, this, &HallMapWindow::ChooseOpacity);
  connect(bar_, &HallMapBar::zoomEntered, this, &HallMapWindow::ApplyTypedZoom);
}

void HallMapWindow::CreateCommands() {
  FrameCommands()
      .On(ID_MAP_ZOOM_OUT, [this] { StepZoom(false); })
      .On(ID_MAP_ZOOM_IN, [this] { StepZoom(true); })
      .On(ID_MAP_FIT_WIDTH, [this] { Fit(kFitWidth, true); })
      .On(ID_MAP_FIT_HEIGHT, [this] { Fit(kFitHeight, true); })
      .On(ID_MAP_FIT_WIDTH_ONCE, [this] { Fit(kFitWidth, false); })
      .On(ID_MAP_FIT_HEIGHT_ONCE, [this] { Fit(kFitHeight, false); })
      .On(ID_MAP_FIT_WHOLE, [this] { Fit(kFitWhole, true); })
      .On(ID_MAP_ACTUAL_SIZE, [this] { ZoomToActualSize(); })
      .On(ID_MAP_ANTI_ALIAS, [this] { ToggleAntiAlias(); })
      .On(ID_MAP_FOCUS_ZOOM_BOX, [this] { FocusZoomBox(); });
  const auto checkedWhen = [this](FitMode mode) {
    return [this, mode](int, CommandState& state) { state.checked = fitMode_ == mode; };
  };
  FrameCommands()
      .OnUpdate(ID_MAP_FIT_WIDTH, checkedWhen(kFitWidth))
      .OnUpdate(ID_MAP_FIT_HEIGHT, checkedWhen(kFitHeight))
      .OnUpdate(ID_MAP_FIT_WHOLE, checkedWhen(kFitWhole))
      .OnUpdate(ID_MAP_ANTI_ALIAS,
                [this](int, CommandState& state) { state.checked = antiAlias_; });
}

// One slot per day and hall, named in the map choice.
void HallMapWindow::LoadMapSlots() {
  mapsPerDay_ = Controller().GetMapCount();
  dayCount_ = Controller().GetDayCount();
  // A damaged file may still name maps; no window is to show them.
  const std::vector<HallMapSlot> slots =
      HasCatalog() ? ListHallMapSlots(Controller()) : std::vector<HallMapSlot>();
  view_->SetMapSlotCount(static_cast<int>(slots.size()));
  std::vector<std::string> labels;
  for (std::size_t slot = 0; slot < slots.size(); ++slot) {
    view_->SetMapFiles(static_cast<int>(slot), slots[slot].mapPath, slots[slot].genrePath);
    view_->SetHighResolutionFiles(static_cast<int>(slot), slots[slot].hiResMapPath,
                                  slots[slot].hiResGenrePath);
    labels.push_back(slots[slot].label);
  }
  bar_->FillMapChoice(labels);
}

void HallMapWindow::ApplyStartState() {
  bar_->ShowOpacity(opacity_);
  view_->SetGenreOpacity(opacity_);
  bar_->ShowZoom(zoom_);
  bar_->ShowMap(currentSlot_);
  view_->SetZoom(zoom_);
  view_->SetSmoothing(antiAlias_);
  view_->SelectMap(currentSlot_);
  view_->SetFitMode(static_cast<ZoomableImageView::FitMode>(fitMode_));
  view_->SetScrollMode(Controller().GetScrollMode());
  Actions()->UpdateActions();
}

// Without a catalogue there is no map to choose, zoom or colour by genre; a catalogue comes only
// with a new start.
void HallMapWindow::ShowCatalogState() {
  const bool shown = HasCatalog();
  for (QWidget* control :
       {static_cast<QWidget*>(bar_->MapChoice()), static_cast<QWidget*>(bar_->ZoomBox()),
        static_cast<QWidget*>(bar_->OpacityChoice())}) {
    control->setEnabled(shown);
  }
}

// A settings import may have replaced the values under the window.
void HallMapWindow::FollowSettings() {
  const int zoom = zoom_;
  const FitMode fitMode = fitMode_;
  const bool antiAlias = antiAlias_;
  const int opacity = opacity_;
  ReadSettings();
  if (zoom_ != zoom || fitMode_ != fitMode || antiAlias_ != antiAlias || opacity_ != opacity) {
    ApplyStartState();
  }
}

void HallMapWindow::SetChecklistMenu(const ColorMenu* menu) {
  view_->SetChecklistMenu(menu, &Route());
}

void HallMapWindow::FocusView() { view_->setFocus(); }

// --- Application messages ------------------------------------------------------------------------

void HallMapWindow::OnAppMessageRun(std::span<const AppMessage> run) {
  view_->OnAppMessageRun(run);
}

void HallMapWindow::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  const int value = static_cast<int>(lParam);
  switch (message) {
    case UM_CIRCLE_CHANGED:
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_UNCHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
    case UM_CHECKLIST_RESET:
    case UM_CHECKLIST_MARKS_CHANGED:
      view_->OnAppMessage(message, wParam, lParam);
      break;
    case UM_DAY_CHANGED:
      if (value >= 1 && value <= dayCount_) dayIndex_ = value - 1;
      break;
    case UM_BLOCK_CHANGED:
      FollowBlock(value);
      break;
    case UM_COLORS_CHANGED:
      view_->RebuildCheckLayerAll();
      break;
    case UM_OPTIONS_CHANGED:
      view_->SetScrollMode(Controller().GetScrollMode());
      FollowSettings();
      break;
    case UM_IMAGES_CHANGED:
      OnImagesChanged();
      break;
    default:
      break;
  }
}

// --- Maps ----------------------------------------------------------------------------------------

void HallMapWindow::ChooseMap(int slot) {
  ShowSlot(slot);
  FocusView();
}

void HallMapWindow::ShowSlot(int slot) {
  bar_->ShowMap(slot);
  currentSlot_ = slot;
  view_->SelectMap(slot);
  if (fitMode_ != kNoFit) view_->FitOnce(static_cast<ZoomableImageView::FitMode>(fitMode_));
}

// The hall of the block on the current day; a block of a hall that is not among the maps keeps
// the map.
void HallMapWindow::FollowBlock(int blockId) {
  if (blockId <= 0) return;
  const int mapId = Controller().GetMapIdOfBlock(blockId);
  if (mapId < 1 || mapId > mapsPerDay_) return;
  const int slot = dayIndex_ * mapsPerDay_ + mapId - 1;
  if (slot != currentSlot_) ShowSlot(slot);
}

void HallMapWindow::OnImagesChanged() {
  if (dayCount_ >= 1) LoadMapSlots();
  bar_->ShowMap(currentSlot_);
  view_->SelectMap(currentSlot_);
}

// --- Frame ---------------------------------------------------------------------------------------

void HallMapWindow::changeEvent(QEvent* event) {
  ToolWindowFrame::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) view_->CancelDrag();
}

// Ctrl and the wheel zoom by one step a notch; the fit mode stays.
void HallMapWindow::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) view_->ZoomByWheel(event->angleDelta().y());
  ToolWindowFrame::wheelEvent(event);
}

}  // namespace vx
