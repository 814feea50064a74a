// Commands, application messages, the jump lists, the window list and the refresh of the bars.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QWheelEvent>

#include <cstdio>

#include "app/CatalogController.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/main/CutPageViewStandIn.h"
#include "ui/main/MainStatusBar.h"
#include "ui/main/MainWindow.h"

namespace vx {

namespace {

QWidget* FrameWidget(ControllerWindow* window) { return dynamic_cast<QWidget*>(window); }

}  // namespace

std::string MainWindow::CircleStatusText(const CatalogController& controller,
                                         const CircleRecord& c) {
  char space[16];
  std::snprintf(space, sizeof space, "%02d%c", c.spaceNo, 'a' + c.spaceNoSub);
  return controller.GetWeekdayLongName(c.day) + " " +
         controller.GetAreaSimpleNameOfBlock(c.blockId) + controller.GetBlockName(c.blockId) +
         space + Sjis("　") + c.circleName + Sjis(" （") + c.genreName + Sjis("）");
}

std::string MainWindow::JumpMenuItemText(const std::string& name, int k) {
  return name + "(&" + static_cast<char>('A' + k - 1) + ")";
}

bool MainWindow::HandleCommand(int id) {
  switch (id) {
    case ID_ZOOM_OUT: StepZoom(false); return true;
    case ID_ZOOM_IN: StepZoom(true); return true;
    case ID_FIT_WIDTH: FitToWidth(true); return true;
    case ID_FIT_HEIGHT: FitToHeight(true); return true;
    case ID_FIT_WIDTH_ONCE: FitToWidth(false); return true;
    case ID_FIT_HEIGHT_ONCE: FitToHeight(false); return true;
    case ID_FIT_PAGE: FitWholePage(); return true;
    case ID_ACTUAL_SIZE:
      if (zoom_ != 100) ApplyZoom(100);
      SetStretchMode(kFreeZoom);
      Refresh();
      FocusView();
      return true;
    case ID_ANTI_ALIAS: ToggleAntiAlias(); return true;
    case ID_HIGH_RESOLUTION: ToggleHighResolution(); return true;
    case ID_LIST_SHOW_CUT: ToggleListShowCut(); return true;
    case ID_PAGE_JUMP: controller_.ShowPageJumpDialog(); return true;
    case ID_BAR_BASIC: ToggleBar(kToolBarBasic); return true;
    case ID_BAR_JUMP: ToggleBar(kToolBarJump); return true;
    case ID_BAR_DISPLAY: ToggleBar(kToolBarDisp); return true;
    case ID_BAR_CHECK: ToggleBar(kToolBarCheck); return true;
    case ID_BAR_NAVIGATE: ToggleBar(kToolBarNavi); return true;
    case ID_PREV_PAGE:
    case ID_STATUS_PREV_PAGE: controller_.PrevPage(); FocusView(); return true;
    case ID_NEXT_PAGE:
    case ID_STATUS_NEXT_PAGE: controller_.NextPage(); FocusView(); return true;
    case ID_HISTORY_BACK: controller_.GoBack(); return true;
    case ID_HISTORY_FORWARD: controller_.GoForward(); return true;
    case ID_FOCUS_ZOOM_BOX:
      zoomBox_->selectAll();
      zoomBox_->setFocus();
      return true;
    case IDOK: ApplyBarEdits(); return true;
    default: break;
  }
  if (id >= ID_WINDOW_ENTRY_FIRST && id < ID_WINDOW_ENTRY_FIRST + kMaxWindowEntries) {
    OnWindowEntry(id - ID_WINDOW_ENTRY_FIRST);
    return true;
  }
  if (id >= ID_WINDOW_TOGGLE_FIRST && id < ID_WINDOW_TOGGLE_FIRST + kMaxWindowEntries) {
    OnWindowEntry(id - ID_WINDOW_TOGGLE_FIRST);
    return true;
  }
  return false;
}

void MainWindow::ConnectControls() {
  connect(jumpBar_, &JumpToolBar::entryChosen, this,
          [this](int list, int index) { OnJumpChosen(list, index); });
  connect(zoomBox_, &QLineEdit::returnPressed, this, [this] { HandleCommand(IDOK); });
  connect(status_->PageBox(), &QLineEdit::returnPressed, this, [this] { HandleCommand(IDOK); });
  connect(status_->PrevButton(), &QPushButton::clicked, this,
          [this] { HandleCommand(ID_STATUS_PREV_PAGE); });
  connect(status_->NextButton(), &QPushButton::clicked, this,
          [this] { HandleCommand(ID_STATUS_NEXT_PAGE); });
  connect(status_, &MainStatusBar::pageChosen, this, [this](int page, bool backward) {
    if (backward) {
      controller_.GoToPageOrBefore(page);
    } else {
      controller_.GoToPage(page);
    }
    FocusView();
  });
}

// --- Application messages ----------------------------------------------------------------------

void MainWindow::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  switch (message) {
    case UM_WINDOW_REGISTERED: OnWindowRegistered(WindowFromParam(lParam)); return;
    case UM_WINDOW_UNREGISTERED: OnWindowUnregistered(WindowFromParam(lParam)); return;
    case UM_WINDOW_SHOWN: OnWindowShownOrHidden(WindowFromParam(lParam), true); return;
    case UM_WINDOW_HIDDEN: OnWindowShownOrHidden(WindowFromParam(lParam), false); return;
    case UM_PAGE_CHANGED:
      OnPageChanged(static_cast<int>(lParam));
      view_->OnAppMessage(message, wParam, lParam);
      return;
    case UM_DAY_CHANGED: OnDayChanged(static_cast<int>(lParam)); return;
    case UM_BLOCK_CHANGED: OnBlockChanged(static_cast<int>(lParam)); return;
    case UM_CIRCLE_CHANGED:
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_UNCHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
    case UM_CHECKLIST_RESET:
    case UM_IMAGES_CHANGED:
      view_->OnAppMessage(message, wParam, lParam);
      return;
    default: return;
  }
}

void MainWindow::OnPageChanged(int page) {
  if (page == page_) return;
  page_ = page;
  Refresh();
}

void MainWindow::OnDayChanged(int day) {
  if (day < 1 || day - 1 == dayIndex_) return;
  dayIndex_ = day - 1;
  FillHallAndBlockLists();
  Refresh();
}

// The hall is found by its place in the day's own list of halls: a day need not have every hall.
void MainWindow::OnBlockChanged(int blockId) {
  if (blockId < 1) return;
  const int day = dayIndex_ + 1;
  blockIndex_ = controller_.FindDayBlockIndex(day, blockId) - 1;
  hallIndex_ = controller_.FindDayAreaIndex(day, controller_.GetAreaIdOfBlock(blockId)) - 1;
  Refresh();
}

// --- Jump lists ----------------------------------------------------------------------------------

void MainWindow::FillDayList() {
  std::vector<std::string> days;
  for (int k = 1; k <= controller_.GetDayCount(); ++k) {
    days.push_back(controller_.GetDayWeekdayName(k));
  }
  jumpBar_->Fill(JumpToolBar::kDayList, days);
}

void MainWindow::FillHallAndBlockLists() {
  const int day = dayIndex_ + 1;
  std::vector<std::string> halls;
  for (int k = 1; k <= controller_.GetDayAreaCount(day); ++k) {
    halls.push_back(controller_.GetDayAreaName(day, k));
  }
  jumpBar_->Fill(JumpToolBar::kHallList, halls);
  std::vector<std::string> blocks;
  for (int k = 1; k <= controller_.GetDayBlockCount(day); ++k) {
    blocks.push_back(controller_.GetDayBlockName(day, k));
  }
  jumpBar_->Fill(JumpToolBar::kBlockList, blocks);
}

void MainWindow::OnJumpChosen(int list, int index) {
  switch (list) {
    case JumpToolBar::kDayList:
      if (index == dayIndex_) break;
      dayIndex_ = index;
      FillHallAndBlockLists();
      controller_.SelectDay(index + 1);
      break;
    case JumpToolBar::kHallList:
      if (index == hallIndex_) break;
      hallIndex_ = index;
      controller_.SelectArea(index + 1, dayIndex_ + 1);
      break;
    case JumpToolBar::kBlockList:
      if (index == blockIndex_) break;
      blockIndex_ = index;
      controller_.SelectBlock(index + 1, dayIndex_ + 1);
      break;
    default: break;
  }
  FocusView();
}

// --- Window list ---------------------------------------------------------------------------------

void MainWindow::OnWindowRegistered(ControllerWindow* window) {
  if (window == this || static_cast<int>(windows_.size()) >= kMaxWindowEntries) return;
  WindowEntry entry;
  if (!controller_.GetWindowRecord(window, &entry.record)) return;
  entry.shown = entry.record.shown != 0;
  entry.commandId = ID_WINDOW_ENTRY_FIRST + static_cast<int>(windows_.size());
  windows_.push_back(entry);
}

void MainWindow::OnWindowUnregistered(ControllerWindow* window) {
  if (window == this) return;
  std::erase_if(windows_, [window](const WindowEntry& e) { return e.record.window == window; });
}

void MainWindow::OnWindowShownOrHidden(ControllerWindow* window, bool shown) {
  if (window == this) return;
  if (QWidget* frame = FrameWidget(window)) {
    frame->hide();
    if (shown) {
      frame->showNormal();
      frame->show();
    }
  }
  for (WindowEntry& entry : windows_) {
    if (entry.record.window == window) entry.shown = shown;
  }
  Refresh();
}

// Hidden: show it; shown: hide it; minimised: bring it back.
void MainWindow::OnWindowEntry(int index) {
  if (index < 0 || index >= static_cast<int>(windows_.size())) return;
  ControllerWindow* window = windows_[static_cast<std::size_t>(index)].record.window;
  const QWidget* frame = FrameWidget(window);
  if (!windows_[static_cast<std::size_t>(index)].shown) {
    controller_.ShowRegisteredWindow(window);
  } else if (frame && frame->isMinimized()) {
    window->Restore();
  } else {
    controller_.HideRegisteredWindow(window);
  }
}

// --- Status text and refresh ---------------------------------------------------------------------

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport()) {
    if (event->type() == QEvent::MouseMove) {
      ShowCircleUnderPointer(static_cast<QMouseEvent*>(event)->position().toPoint());
    } else if (event->type() == QEvent::Wheel && OnWheel(static_cast<QWheelEvent*>(event))) {
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ShowCircleUnderPointer(QPoint viewPoint) {
  const QPoint scroll(view_->horizontalScrollBar()->value(), view_->verticalScrollBar()->value());
  const QPoint image = (scroll + viewPoint) * 100 / zoom_;
  cutUnderPointer_ = controller_.HitTestCut(image.x(), image.y());
  CircleRecord circle;
  if (controller_.GetPageCircleByCut(cutUnderPointer_, &circle)) {
    status_->ShowCircleText(QtText(CircleStatusText(controller_, circle)));
  } else {
    status_->ShowCircleText(QString());
  }
}

void MainWindow::Refresh() {
  status_->ShowPage(page_);
  zoomBox_->setText(QStringLiteral("%1%").arg(zoom_));
  jumpBar_->Select(JumpToolBar::kDayList, dayIndex_);
  jumpBar_->Select(JumpToolBar::kHallList, hallIndex_);
  jumpBar_->Select(JumpToolBar::kBlockList, blockIndex_);
  const std::pair<int, bool> checks[] = {{ID_FIT_WIDTH, stretchMode_ == kFitWidth},
                                         {ID_FIT_HEIGHT, stretchMode_ == kFitHeight},
                                         {ID_ANTI_ALIAS, antiAlias_}};
  for (auto [id, on] : checks) {
    if (QAction* action = Action(id)) action->setChecked(on);
  }
}

}  // namespace vx
