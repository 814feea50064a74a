// Application messages, the jump lists, the window list, the circle under the pointer and the
// refresh of the bars.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>

#include <cstdio>

#include "app/CatalogController.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/views/CutPageView.h"
#include "ui/main/MainStatusBar.h"
#include "ui/main/MainWindow.h"
#include "ui/menus/CommandActions.h"
#include "ui/widgets/ColorToolBar.h"

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

// Past "Z" the letters run out: later entries have no mnemonic.
std::string MainWindow::JumpMenuItemText(const std::string& name, int k) {
  if (k < 1 || k > 26) return name;
  return name + "(&" + static_cast<char>('A' + k - 1) + ")";
}

void MainWindow::ConnectControls() {
  connect(jumpBar_, &JumpToolBar::entryChosen, this,
          [this](int list, int index) { OnJumpChosen(list, index); });
  connect(zoomBox_, &QLineEdit::returnPressed, this, [this] { ApplyBarEdits(); });
  connect(status_->PageBox(), &QLineEdit::returnPressed, this, [this] { ApplyBarEdits(); });
  connect(status_->PrevButton(), &QPushButton::clicked, this,
          [this] { RunCommand(ID_STATUS_PREV_PAGE); });
  connect(status_->NextButton(), &QPushButton::clicked, this,
          [this] { RunCommand(ID_STATUS_NEXT_PAGE); });
  connect(status_, &MainStatusBar::pageChosen, this, [this](int page, bool backward) {
    // Backwards the nearest earlier page with circles: a forward search could land back here.
    if (backward) {
      controller_.GoToPageOrBefore(page);
    } else {
      controller_.GoToPage(page);
    }
    FocusView();
  });
}

// --- Application messages ----------------------------------------------------------------------

void MainWindow::OnAppMessageRun(std::span<const AppMessage> run) { view_->OnAppMessageRun(run); }

void MainWindow::OnAppMessageRunsEnded() { actions_->UpdateActions(); }

void MainWindow::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  switch (message) {
    case UM_WINDOW_REGISTERED:
      OnWindowRegistered(WindowFromParam(lParam));
      break;
    case UM_WINDOW_UNREGISTERED:
      OnWindowUnregistered(WindowFromParam(lParam));
      break;
    case UM_WINDOW_SHOWN:
      OnWindowShownOrHidden(WindowFromParam(lParam), true);
      break;
    case UM_WINDOW_HIDDEN:
      OnWindowShownOrHidden(WindowFromParam(lParam), false);
      break;
    case UM_PAGE_CHANGED:
      OnPageChanged(static_cast<int>(lParam));
      view_->OnAppMessage(message, wParam, lParam);
      break;
    case UM_DAY_CHANGED:
      OnDayChanged(static_cast<int>(lParam));
      break;
    case UM_BLOCK_CHANGED:
      OnBlockChanged(static_cast<int>(lParam));
      break;
    case UM_CIRCLE_CHANGED:
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_UNCHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
    case UM_CHECKLIST_RESET:
    case UM_CHECKLIST_MARKS_CHANGED:
    case UM_IMAGES_CHANGED:
      view_->OnAppMessage(message, wParam, lParam);
      break;
    case UM_CURRENT_COLOR_CHANGED:
      OnCurrentColorChanged(static_cast<int>(wParam), static_cast<int>(lParam));
      break;
    case UM_COLORS_CHANGED:
      OnColorsChanged();
      break;
    case UM_OPTIONS_CHANGED:
      ApplyViewOptions();
      ApplyDisplayValues();
      break;
    default:
      return;
  }
  actions_->UpdateActions();
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

void MainWindow::OnCurrentColorChanged(int oldIndex, int newIndex) {
  menu_.SetChecked(ID_CURRENT_COLOR_FIRST + oldIndex, false);
  menu_.SetChecked(ID_CURRENT_COLOR_FIRST + newIndex, true);
  checkBar_->UpdateColorButtons(controller_);
}

void MainWindow::OnColorsChanged() {
  menu_.Rebuild(controller_);
  checkBar_->UpdateColorButtons(controller_);
  FlowToolBarRows();  // the check bar may have grown
  view_->viewport()->update();
}

void MainWindow::OnJumpChosen(int list, int index) {
  switch (list) {
    case JumpToolBar::kDayList:
      ChooseDay(index);
      break;
    case JumpToolBar::kHallList:
      ChooseHall(index);
      break;
    case JumpToolBar::kBlockList:
      ChooseBlock(index);
      break;
    default:
      break;
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
  RebuildWindowMenu();
}

// The later entries move up and keep their command ids.
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

// Hidden: show it; minimised or covered: bring it back to the front; in sight: hide it.
void MainWindow::OnWindowEntry(int index) {
  if (index < 0 || index >= static_cast<int>(windows_.size())) return;
  const WindowEntry& entry = windows_[static_cast<std::size_t>(index)];
  ControllerWindow* window = entry.record.window;
  const QWidget* frame = FrameWidget(window);
  if (!entry.shown) {
    controller_.ShowRegisteredWindow(window);
  } else if (frame && frame->isMinimized()) {
    window->Restore();
  } else if (controller_.IsWindowCovered(window)) {
    controller_.RaiseWindow(window);
    window->BringToTop();
  } else {
    controller_.HideRegisteredWindow(window);
  }
}

// --- Status text and refresh ---------------------------------------------------------------------

void MainWindow::ShowCircleUnderPointer(QPoint viewPoint) {
  const QPoint image = view_->ViewToImage(viewPoint);
  cutUnderPointer_ = controller_.HitTestCut(image.x(), image.y());
  CircleRecord circle;
  if (controller_.GetPageCircleByCut(cutUnderPointer_, &circle)) {
    status_->ShowCircleText(QtText(CircleStatusText(controller_, circle)));
  } else {
    status_->ShowCircleText(QString());
  }
}

void MainWindow::Refresh() {
  ShowCatalogState();
  status_->ShowPage(page_);
  ShowZoom();
  jumpBar_->Select(JumpToolBar::kDayList, dayIndex_);
  jumpBar_->Select(JumpToolBar::kHallList, hallIndex_);
  jumpBar_->Select(JumpToolBar::kBlockList, blockIndex_);
  actions_->UpdateActions();
}

void MainWindow::ShowCatalogState() {
  const bool shown = gate_.HasCatalog();
  if (!shown) notice_->setText(QtText(NoCatalogText()));
  central_->setCurrentWidget(shown ? static_cast<QWidget*>(view_) : notice_);
  status_->EnablePaging(shown);
  zoomBox_->setEnabled(shown);
  for (int list = 0; list < JumpToolBar::kListCount; ++list) {
    jumpBar_->Combo(static_cast<JumpToolBar::List>(list))->setEnabled(shown);
  }
}

std::string MainWindow::NoCatalogText() const {
  const PavorunDatabase* database = controller_.GetDatabase();
  std::string text = Sjis("表示できるサークルデータがありません.\n\n");
  const std::string again = Sjis("\nプログラムを起動し直すと、ディスクからインストールし直せます.");
  if (!database) return text + Sjis("データベースファイルを開けないか、壊れています.") + again;
  if (database->IsDamaged()) {
    return text + Sjis("データベースファイル\n") + Utf8ToCp932(database->Path().string()) +
           Sjis("\nが壊れています.") + again;
  }
  return text +
         Sjis(
             "ツールメニューの「サークルデータの追加・削除」から、ディスクの設定情報"
             "ファイル (V") +
         std::to_string(values_.eventNumber) + Sjis("DEF.TXT) をインストールしてください.");
}

}  // namespace vx
