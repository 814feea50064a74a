// The main window: the cut pages of the catalogue with the tool bars that turn, jump and zoom
// them, the status bar with the page slider and the circle under the pointer, and the window
// list of the other frames. It is registered with the controller as the main window, turns its
// commands into controller operations, passes the application messages on to its view, and asks
// the checklist's save question before the program closes.
#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/ControllerWindow.h"
#include "app/SettingsValues.h"
#include "app/WindowRecord.h"
#include "data/CircleRecord.h"
#include "ui/main/JumpToolBar.h"

class QAction;
class QLineEdit;
class QToolBar;

namespace vx {

class CatalogController;
class CutPageViewStandIn;
class MainStatusBar;

class MainWindow : public QMainWindow, public ControllerWindow {
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
  WindowRect ScreenRect() const override;
  void Minimize() override;
  void Restore() override;
  void BringToTop() override;

  // Runs a menu, bar or accelerator command of this window; false for one it does not handle.
  bool HandleCommand(int id);
  // Puts the window at a stored rectangle (screen coordinates of its client area).
  void PlaceAt(const WindowRect& rect);
  // The bars' visibility, floating state and position into the settings values.
  void StoreToolBarState();
  // The checklist's save question; a save that failed keeps the window open as Cancel does.
  // Set by the program; unset, closing never asks.
  void SetCloseQuestion(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

  int zoom() const { return zoom_; }
  int stretchMode() const { return stretchMode_; }
  int currentPage() const { return page_; }
  int dayIndex() const { return dayIndex_; }
  int hallIndex() const { return hallIndex_; }
  int blockIndex() const { return blockIndex_; }
  const std::vector<WindowEntry>& WindowEntries() const { return windows_; }
  QToolBar* Bar(ToolBarIndex bar) const { return bars_[bar]; }
  JumpToolBar* JumpBar() const { return jumpBar_; }
  QLineEdit* ZoomBox() const { return zoomBox_; }
  MainStatusBar* Status() const { return status_; }
  QWidget* View() const;
  QAction* Action(int id) const;

  // The status text of a circle: weekday, hall, block, space and half, name and genre (CP932).
  static std::string CircleStatusText(const CatalogController& controller, const CircleRecord& c);
  // A jump menu item: the name with the k-th letter from 'A' as its mnemonic (CP932).
  static std::string JumpMenuItemText(const std::string& name, int k);

 Q_SIGNALS:
  // Closing was accepted: the program ends.
  void closeAccepted();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Set-up, in this order.
  void CreateActions();
  void CreateView();
  void CreateToolBars();
  void CreateStatusBar();
  void ConnectControls();
  void DockToolBars();

  QAction* NewAction(int id, const QString& text, bool checkable = false);
  QToolBar* NewToolBar(ToolBarIndex index, const char* title, const char* objectName,
                       const std::vector<int>& ids);
  void ApplyToolBarState();
  void RestoreDockLayout();
  void SaveDockLayout() const;
  void ToggleBar(ToolBarIndex bar);

  // Zoom.
  void ApplyZoom(int zoom);
  void StepZoom(bool in);
  void FitToWidth(bool keep);
  void FitToHeight(bool keep);
  void FitWholePage();
  void FitOneSide(bool width, bool keep);
  void SetStretchMode(int mode);
  void ToggleAntiAlias();
  void ToggleHighResolution();
  void ToggleListShowCut();
  void ApplyBarEdits();
  void FocusView();
  bool OnWheel(QWheelEvent* event);

  // Messages and the jump lists.
  void OnPageChanged(int page);
  void OnDayChanged(int day);
  void OnBlockChanged(int blockId);
  void OnWindowRegistered(ControllerWindow* window);
  void OnWindowUnregistered(ControllerWindow* window);
  void OnWindowShownOrHidden(ControllerWindow* window, bool shown);
  void FillDayList();
  void FillHallAndBlockLists();
  void OnJumpChosen(int list, int index);
  void OnWindowEntry(int index);
  void ShowCircleUnderPointer(QPoint viewPoint);
  void Refresh();

  CatalogController& controller_;
  SettingsValues ownValues_{};  // stands in when the controller has no settings values
  SettingsValues& values_;
  CutPageViewStandIn* view_ = nullptr;
  MainStatusBar* status_ = nullptr;
  std::array<QToolBar*, kToolBarCount> bars_{};
  JumpToolBar* jumpBar_ = nullptr;
  QLineEdit* zoomBox_ = nullptr;
  std::vector<QAction*> actions_;
  int zoom_ = 100;
  int page_ = 0;
  int stretchMode_ = kFreeZoom;
  bool antiAlias_ = true;
  int cutUnderPointer_ = 0;
  int dayIndex_ = -1;
  int hallIndex_ = -1;
  int blockIndex_ = -1;
  std::vector<WindowEntry> windows_;
  std::function<bool()> mayClose_;
  bool placing_ = false;
};

}  // namespace vx
