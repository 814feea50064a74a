// The main window: the cut pages of the catalogue with the menus and tool bars that turn, jump
// and zoom them, the status bar with the page slider and the circle under the pointer, and the
// window list of the other frames. It is registered with the controller as the main window, turns
// its commands into controller operations, passes the application messages on to its view, and
// asks the checklist's save question before the program closes.
#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/ControllerWindow.h"
#include "app/MainFrameHook.h"
#include "app/SettingsValues.h"
#include "app/WindowRecord.h"
#include "data/CircleRecord.h"
#include "ui/main/CatalogCommandGate.h"
#include "ui/main/JumpToolBar.h"
#include "ui/menus/ColorMenu.h"
#include "ui/menus/CommandMap.h"
#include "ui/menus/CommandRoute.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolBar;

namespace vx {

class CatalogController;
class ColorToolBar;
class CommandActions;
class CutPageView;
class MainStatusBar;

class MainWindow : public QMainWindow, public ControllerWindow, public MainFrameHook {
  Q_OBJECT

 public:
  static constexpr int kMinZoom = 25;
  static constexpr int kMaxZoom = 200;
  static constexpr int kMaxWindowEntries = 16;
  enum StretchMode { kFreeZoom = 0, kFitWidth = 1, kFitHeight = 2 };

  // One frame of the window menu.
  struct WindowEntry {
    WindowRecord record;
    bool shown = false;
    int commandId = 0;
  };

  explicit MainWindow(CatalogController& controller);
  ~MainWindow() override;

  // --- ControllerWindow ----------------------------------------------------------------------
  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;
  // The view takes the run; the command states wait for the end of the runs.
  void OnAppMessageRun(std::span<const AppMessage> run) override;
  void OnAppMessageRunsEnded() override;
  WindowRect ScreenRect() const override;
  void Minimize() override;
  void Restore() override;
  void BringToTop() override;

  // --- MainFrameHook -------------------------------------------------------------------------
  std::string ApplicationTitle() const override;
  void SetTitleText(std::string_view utf8) override;
  void SetRecentFileItems(std::span<const RecentFileItem> items) override;

  // Commands this window does not handle go on to the application's.
  void SetApplicationCommands(CommandTarget* application);
  // Runs a command along the window's road (view, window, application); false when nobody ran it.
  bool RunCommand(int id);
  CommandRoute& Route() { return route_; }
  // Puts the window at a stored rectangle (screen coordinates of its client area), on the screen.
  void PlaceAt(const WindowRect& rect);
  // Puts the window so that its frame covers `frameRect` once the frame is known.
  void PlaceFrameAt(const WindowRect& frameRect);
  // The bars' visibility, floating state and position into the settings values.
  void StoreToolBarState();
  // That, and the dock layout into the profile: done on close, and at the end of a session that
  // ends the program without closing the window.
  void SaveLayout();
  // The checklist's save question: true when the window may close (also when the session ends);
  // Cancel, or a save that failed, keeps it open.
  bool MayClose();

  int Zoom() const { return zoom_; }
  int StretchMode() const { return stretchMode_; }
  int CurrentPage() const { return page_; }
  int DayIndex() const { return dayIndex_; }
  int HallIndex() const { return hallIndex_; }
  int BlockIndex() const { return blockIndex_; }
  const std::vector<WindowEntry>& WindowEntries() const { return windows_; }
  QToolBar* Bar(ToolBarIndex bar) const { return bars_[bar]; }
  JumpToolBar* JumpBar() const { return jumpBar_; }
  ColorToolBar* CheckBar() const { return checkBar_; }
  QPushButton* ColorEditButton() const { return colorEdit_; }
  QLineEdit* ZoomBox() const { return zoomBox_; }
  MainStatusBar* Status() const { return status_; }
  // Shown in the view's place while there is no catalogue to show.
  QLabel* CatalogNotice() const { return notice_; }
  ColorMenu& Menu() { return menu_; }
  CutPageView* View() const { return view_; }

  // The status text of a circle: weekday, hall, block, space and half, name and genre (CP932).
  static std::string CircleStatusText(const CatalogController& controller, const CircleRecord& c);
  // A jump menu item: the name with the k-th letter from 'A' as its mnemonic, none after 'Z'
  // (CP932).
  static std::string JumpMenuItemText(const std::string& name, int k);

 Q_SIGNALS:
  // Closing was accepted: the program ends.
  void closeAccepted();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Set-up, in this order.
  void CreateMenus();
  void CreateCommands();
  void CreateView();
  void ApplyViewOptions();
  void CreateToolBars();
  void FillJumpMenus();
  void CreateStatusBar();
  void SetControlFonts();
  void CreateAccelerators();
  void EnableFileDrops();
  void ConnectControls();
  void DockToolBars();

  // Bars.
  QToolBar* NewToolBar(ToolBarIndex index, const char* title, const char* objectName);
  QAction* NewButton(QObject* parent, int id, int image);
  void AddButtons(QToolBar* bar, const std::vector<std::pair<int, int>>& buttons);
  void CreateCheckBar();
  void ApplyToolBarState();
  void RestoreDockLayout();
  void SaveDockLayout() const;
  void ToggleBar(ToolBarIndex bar);
  void FlowToolBarRows();

  // Zoom.
  void ReadDisplayValues();
  void ApplyDisplayValues();
  void ApplyZoom(int zoom);
  void ShowZoom();
  void StepZoom(bool in);
  void ZoomTo100();
  void FitOneSide(bool width, bool keep);
  void FitWholePage();
  void Fit(int mode);
  void SetStretchMode(int mode);
  void ToggleAntiAlias();
  void ToggleHighResolution();
  void ToggleListShowCut();
  void ApplyBarEdits();
  void FocusZoomBox();
  void FocusView();
  bool OnWheel(QWheelEvent* event);

  // Messages, jump lists and menus.
  void OnPageChanged(int page);
  void OnDayChanged(int day);
  void OnBlockChanged(int blockId);
  void OnCurrentColorChanged(int oldIndex, int newIndex);
  void OnColorsChanged();
  void OnWindowRegistered(ControllerWindow* window);
  void OnWindowUnregistered(ControllerWindow* window);
  void OnWindowShownOrHidden(ControllerWindow* window, bool shown);
  void RebuildWindowMenu();
  void FillDayLists();
  void FillHallAndBlockLists();
  void FillGenreMenu();
  void ChooseDay(int index);
  void ChooseHall(int index);
  void ChooseBlock(int index);
  void OnJumpChosen(int list, int index);
  void OnWindowEntry(int index);
  void ShowCircleUnderPointer(QPoint viewPoint);
  void Refresh();
  // The page with its controls, or, without a catalogue, the notice in its place and the page
  // controls disabled.
  void ShowCatalogState();
  std::string NoCatalogText() const;

  CatalogController& controller_;
  SettingsValues ownValues_{};  // stands in when the controller has no settings values
  SettingsValues& values_;
  ColorMenu menu_;
  CatalogCommandGate gate_{controller_};
  CommandMap commands_;
  CommandRoute route_;
  CommandActions* actions_ = nullptr;
  CommandTarget* application_ = nullptr;
  QStackedWidget* central_ = nullptr;
  CutPageView* view_ = nullptr;
  QLabel* notice_ = nullptr;
  MainStatusBar* status_ = nullptr;
  std::array<QToolBar*, kToolBarCount> bars_{};
  std::array<bool, kToolBarCount> flowBreaks_{};  // rows started by FlowToolBarRows
  JumpToolBar* jumpBar_ = nullptr;
  ColorToolBar* checkBar_ = nullptr;
  QPushButton* colorEdit_ = nullptr;
  QLineEdit* zoomBox_ = nullptr;
  int zoom_ = 100;
  int page_ = 0;
  int stretchMode_ = kFreeZoom;
  bool antiAlias_ = true;
  int resolution_ = 0;
  int cutUnderPointer_ = 0;
  int dayIndex_ = -1;
  int hallIndex_ = -1;
  int blockIndex_ = -1;
  std::vector<WindowEntry> windows_;
  bool placing_ = false;
};

}  // namespace vx
