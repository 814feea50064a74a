// The main window's commands, its accelerators, and the menus it fills itself: the day, hall,
// block and genre jump menus and the window menu.
#include <QAction>
#include <QKeySequence>

#include "app/CatalogController.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/main/MainStatusBar.h"
#include "ui/main/MainWindow.h"
#include "ui/menus/CommandActions.h"
#include "ui/menus/MenuTables.h"

namespace vx {

namespace {

constexpr int kHallMenu = kJumpDayMenu + 1;
constexpr int kBlockMenu = kJumpDayMenu + 2;
constexpr int kGenreMenu = kJumpDayMenu + 3;
constexpr int kJumpRangeSize = 100;

}  // namespace

void MainWindow::CreateCommands() {
  commands_.On(ID_ZOOM_OUT, [this] { StepZoom(false); })
      .On(ID_ZOOM_IN, [this] { StepZoom(true); })
      .On(ID_FIT_WIDTH, [this] { FitOneSide(true, true); })
      .On(ID_FIT_HEIGHT, [this] { FitOneSide(false, true); })
      .On(ID_FIT_WIDTH_ONCE, [this] { FitOneSide(true, false); })
      .On(ID_FIT_HEIGHT_ONCE, [this] { FitOneSide(false, false); })
      .On(ID_FIT_PAGE, [this] { FitWholePage(); })
      .On(ID_ACTUAL_SIZE, [this] { ZoomTo100(); })
      .On(ID_ANTI_ALIAS, [this] { ToggleAntiAlias(); })
      .On(ID_HIGH_RESOLUTION, [this] { ToggleHighResolution(); })
      .On(ID_LIST_SHOW_CUT, [this] { ToggleListShowCut(); })
      .On(ID_PAGE_JUMP, [this] { controller_.ShowPageJumpDialog(); })
      .On(ID_BAR_BASIC, [this] { ToggleBar(kToolBarBasic); })
      .On(ID_BAR_JUMP, [this] { ToggleBar(kToolBarJump); })
      .On(ID_BAR_DISPLAY, [this] { ToggleBar(kToolBarDisp); })
      .On(ID_BAR_CHECK, [this] { ToggleBar(kToolBarCheck); })
      .On(ID_BAR_NAVIGATE, [this] { ToggleBar(kToolBarNavi); })
      .On(ID_STATUS_PREV_PAGE,
          [this] {
            controller_.PrevPage();
            FocusView();
          })
      .On(ID_STATUS_NEXT_PAGE,
          [this] {
            controller_.NextPage();
            FocusView();
          })
      .On(ID_FOCUS_ZOOM_BOX, [this] { FocusZoomBox(); })
      .On(ID_CHECK_OR_RECOLOR, [this] { RunCommand(ID_CHECK_CURRENT_COLOR); })
      .On(ID_CHECKLIST_NEW, [this] { controller_.NewChecklist(false); })
      .On(ID_CHECKLIST_OPEN, [this] { controller_.OpenChecklist(); })
      .On(ID_CHECKLIST_APPEND, [this] { controller_.AppendChecklist(); })
      .On(ID_CHECKLIST_SAVE, [this] { controller_.SaveChecklist(false, false); })
      .On(ID_CHECKLIST_SAVE_AS, [this] { controller_.SaveChecklist(true, false); })
      .On(ID_CHECKLIST_SAVE_VER1, [this] { controller_.SaveChecklist(true, true); })
      .On(ID_PORTAL_IMPORT, [this] { controller_.ImportChecklistFromPortal(); })
      .On(ID_PORTAL_EXPORT, [this] { controller_.ExportChecklistToPortal(); })
      .OnRange(ID_RECENT_FIRST, ID_RECENT_LAST,
               [this](int id) { controller_.OpenRecentChecklist(id - ID_RECENT_FIRST); })
      .OnRange(ID_JUMP_DAY_FIRST, ID_JUMP_DAY_FIRST + kJumpRangeSize - 1,
               [this](int id) { ChooseDay(id - ID_JUMP_DAY_FIRST); })
      .OnRange(ID_JUMP_HALL_FIRST, ID_JUMP_HALL_FIRST + kJumpRangeSize - 1,
               [this](int id) { ChooseHall(id - ID_JUMP_HALL_FIRST); })
      .OnRange(ID_JUMP_BLOCK_FIRST, ID_JUMP_GENRE_FIRST - 1,
               [this](int id) { ChooseBlock(id - ID_JUMP_BLOCK_FIRST); })
      .OnRange(ID_JUMP_GENRE_FIRST, ID_JUMP_GENRE_FIRST + kJumpRangeSize - 1,
               [this](int id) { controller_.SelectGenre(id - ID_JUMP_GENRE_FIRST + 1); })
      .OnRange(ID_WINDOW_ENTRY_FIRST, ID_WINDOW_ENTRY_FIRST + kMaxWindowEntries - 1,
               [this](int id) { OnWindowEntry(id - ID_WINDOW_ENTRY_FIRST); })
      .OnRange(ID_WINDOW_TOGGLE_FIRST, ID_WINDOW_TOGGLE_FIRST + kMaxWindowEntries - 1,
               [this](int id) { OnWindowEntry(id - ID_WINDOW_TOGGLE_FIRST); });
  commands_
      .OnUpdate(ID_FIT_WIDTH,
                [this](int, CommandState& s) { s.checked = stretchMode_ == kFitWidth; })
      .OnUpdate(ID_FIT_HEIGHT,
                [this](int, CommandState& s) { s.checked = stretchMode_ == kFitHeight; })
      .OnUpdate(ID_ANTI_ALIAS, [this](int, CommandState& s) { s.checked = antiAlias_; })
      .OnUpdate(ID_HIGH_RESOLUTION,
                [this](int, CommandState& s) { s.checked = values_.cutResolution != 0; })
      .OnUpdate(ID_LIST_SHOW_CUT,
                [this](int, CommandState& s) { s.checked = values_.listShowCut != 0; })
      .OnUpdateRange(ID_BAR_BASIC, ID_BAR_CHECK,
                     [this](int id, CommandState& s) {
                       s.checked = bars_[id - ID_BAR_BASIC]->isVisibleTo(this);
                     })
      .OnUpdate(
          ID_BAR_NAVIGATE,
          [this](int, CommandState& s) { s.checked = bars_[kToolBarNavi]->isVisibleTo(this); })
      .OnUpdateRange(ID_WINDOW_ENTRY_FIRST, ID_WINDOW_ENTRY_FIRST + kMaxWindowEntries - 1,
                     [this](int id, CommandState& s) {
                       const std::size_t n = static_cast<std::size_t>(id - ID_WINDOW_ENTRY_FIRST);
                       s.checked = n < windows_.size() && windows_[n].shown;
                     });
}

void MainWindow::CreateAccelerators() {
  for (const Accelerator& accelerator : MainAccelerators()) {
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(QString::fromLatin1(accelerator.keys)));
    action->setShortcutContext(Qt::WindowShortcut);
    CommandActions::SetCommandId(action, accelerator.id);
    addAction(action);
  }
  actions_->Bind(this);
}

// --- Jump menus ----------------------------------------------------------------------------------

// The day and genre menus lose their placeholder once; the hall and block menus are filled anew
// with every change of day.
void MainWindow::FillJumpMenus() {
  CommandMenu* jump = menu_.SubMenuAt(kMainJumpMenu);
  for (int position : {kJumpDayMenu, kGenreMenu}) {
    if (CommandMenu* sub = jump ? jump->SubMenuAt(position) : nullptr) sub->DeleteItem(0);
  }
  FillDayLists();
  FillHallAndBlockLists();
  FillGenreMenu();
}

void MainWindow::FillDayLists() {
  CommandMenu* jump = menu_.SubMenuAt(kMainJumpMenu);
  CommandMenu* days = jump ? jump->SubMenuAt(kJumpDayMenu) : nullptr;
  std::vector<std::string> names;
  for (int k = 1; k <= controller_.GetDayCount(); ++k) {
    const std::string& name = controller_.GetDayWeekdayName(k);
    names.push_back(name);
    if (days) days->InsertItem(k - 1, QtText(JumpMenuItemText(name, k)), ID_JUMP_DAY_FIRST + k - 1);
  }
  jumpBar_->Fill(JumpToolBar::kDayList, names);
}

void MainWindow::FillHallAndBlockLists() {
  CommandMenu* jump = menu_.SubMenuAt(kMainJumpMenu);
  const int day = dayIndex_ + 1;
  struct Lists {
    int menu;
    JumpToolBar::List list;
    int firstId;
    int count;
    const std::string& (CatalogController::*name)(int, int) const;
  };
  const Lists lists[] = {
      {kHallMenu, JumpToolBar::kHallList, ID_JUMP_HALL_FIRST, controller_.GetDayAreaCount(day),
       &CatalogController::GetDayAreaName},
      {kBlockMenu, JumpToolBar::kBlockList, ID_JUMP_BLOCK_FIRST, controller_.GetDayBlockCount(day),
       &CatalogController::GetDayBlockName},
  };
  for (const Lists& l : lists) {
    CommandMenu* menu = jump ? jump->SubMenuAt(l.menu) : nullptr;
    if (menu) menu->Clear();
    std::vector<std::string> names;
    for (int k = 1; k <= l.count; ++k) {
      names.push_back((controller_.*l.name)(day, k));
      if (menu) menu->AppendItem(QtText(JumpMenuItemText(names.back(), k)), l.firstId + k - 1);
    }
    jumpBar_->Fill(l.list, names);
  }
}

void MainWindow::FillGenreMenu() {
  CommandMenu* jump = menu_.SubMenuAt(kMainJumpMenu);
  CommandMenu* genres = jump ? jump->SubMenuAt(kGenreMenu) : nullptr;
  if (!genres) return;
  for (int g = 0; g < controller_.GetGenreIndexCount(); ++g) {
    const std::string& name = controller_.GetGenreIndexName(g + 1);
    if (!name.empty()) genres->AppendItem(QtText(name), ID_JUMP_GENRE_FIRST + g);
  }
}

void MainWindow::ChooseDay(int index) {
  if (index == dayIndex_) return;
  dayIndex_ = index;
  FillHallAndBlockLists();
  controller_.SelectDay(index + 1);
}

void MainWindow::ChooseHall(int index) {
  if (index == hallIndex_) return;
  hallIndex_ = index;
  controller_.SelectArea(index + 1, dayIndex_ + 1);
}

void MainWindow::ChooseBlock(int index) {
  if (index == blockIndex_) return;
  blockIndex_ = index;
  controller_.SelectBlock(index + 1, dayIndex_ + 1);
}

// --- Window menu ---------------------------------------------------------------------------------

void MainWindow::RebuildWindowMenu() {
  CommandMenu* menu = menu_.SubMenuAt(kMainWindowMenu);
  if (!menu) return;
  menu->Clear();
  for (const WindowEntry& entry : windows_) {
    menu->AppendItem(QtText(entry.record.name), entry.commandId)->setCheckable(true);
  }
  menu->AppendItem(QString(), 0);
  menu->AppendItem(QtText(Sjis("子ウィンドウを前面に表示(&T)")), ID_CHILD_WINDOWS_TOP);
  menu->AppendItem(QString(), 0);
  menu->AppendItem(QtText(Sjis("ウィンドウ位置を初期化(&I)")), ID_RESET_WINDOW_LAYOUT);
}

}  // namespace vx
