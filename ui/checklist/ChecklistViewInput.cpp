// Input of the checklist view: the selection, keys, the popup menu, sorting and the commands on
// the selected circles.
#include <QKeyEvent>

#include <algorithm>
#include <string>
#include <string_view>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "res/ResourceIds.h"
#include "ui/checklist/ChecklistView.h"
#include "ui/list/ListControl.h"
#include "ui/main/CatalogCommandGate.h"
#include "ui/menus/ColorMenu.h"

namespace vx {

namespace {

constexpr std::size_t kSortedTextBytes = 99;

int Order(int x, int y) { return x < y ? -1 : x > y ? 1 : 0; }

// Colours (memo only and unchecked alike), print numbers, spaces (none last), else the first
// bytes of the cells.
int CompareRows(int kind, int column, const ListRow& a, const ListRow& b) {
  switch (kind) {
    case ListColumnLayout::kColorColumnKind:
      return Order(std::max(a.record.color, 0), std::max(b.record.color, 0));
    case 1:
      return Order(a.record.printNumber, b.record.printNumber);
    case 2:
      return Order(a.record.spaceKey, b.record.spaceKey);
    default:
      return std::string_view(a.cells[column])
          .substr(0, kSortedTextBytes)
          .compare(std::string_view(b.cells[column]).substr(0, kSortedTextBytes));
  }
}

}  // namespace

// Without days there are no lists, and every command on rows finds none.
void ChecklistView::CreateCommands() {
  commands_
      .OnRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST,
               [this](int id) { CheckSelection(id - ID_CHECK_COLOR_FIRST + 1); })
      .On(ID_CHECK_CURRENT_COLOR, [this] { CheckSelection(-1); })
      .On(ID_UNCHECK, [this] { RemoveSelection(); })
      .OnRange(ID_CURRENT_COLOR_FIRST, ID_CURRENT_COLOR_LAST,
               [this](int id) { controller_.SetCurrentColor(id - ID_CURRENT_COLOR_FIRST); })
      .On(ID_COPY_CIRCLE, [this] { CopySelection(); })
      .On(ID_PASTE_CHECKLIST, [this] { Paste(); })
      .On(ID_CUT_CIRCLE,
          [this] {
            CopySelection();
            RemoveSelection();
          })
      .On(ID_PRINT_ORDER_FROM_LIST, [this] { MakeOrderPrintOrder(); })
      .OnUpdate(ID_PRINT_ORDER_FROM_LIST, [this](int, CommandState& state) {
        state.enabled = !lists_.empty() && !controller_.IsChecklistOrderLocked();
      });
}

void ChecklistView::ConnectList(int tab) {
  ListControl* list = lists_[tab];
  connect(list, &ListControl::rowFocused, this, [this, tab](int row) { OnRowFocused(tab, row); });
  connect(list, &ListControl::keyForwarded, this,
          [this](int key, Qt::KeyboardModifiers modifiers) { OnKey(key, modifiers); });
  connect(list, &ListControl::rightClicked, this,
          [this, tab](const QPoint& point) { OnRightClick(tab, point); });
  connect(list, &ListControl::columnClicked, this, [this, tab](int column) {
    if (tab == currentTab_) OnColumnClicked(column);
  });
  connect(list, &ListControl::labelEdited, this,
          [this, tab](int, int row) { OnLabelEdited(tab, row); });
  connect(list, &ListControl::columnsResized, this, [this, tab] {
    if (tab == currentTab_) OnAppMessage(UM_LIST_COLUMNS_RESIZED, 0, 0);
  });
}

// --- Selection -------------------------------------------------------------------------------

void ChecklistView::OnRowFocused(int tab, int row) {
  const ListModel& model = lists_[tab]->Model();
  if (row < 0 || row >= model.RowCount()) return;
  states_[tab].selectedRow = row;
  currentCircleId_ = model.Row(row).record.circleId;
  if (!following_) controller_.SelectCircle(currentCircleId_, lists_[tab]->LastInputWasClick());
}

std::vector<int> ChecklistView::SelectedCircles() const {
  std::vector<int> ids;
  const ListControl* list = CurrentList();
  if (list == nullptr) return ids;
  for (int row : list->SelectedRows()) {
    const int id = list->Model().Row(row).record.circleId;
    if (id != 0) ids.push_back(id);
  }
  return ids;
}

// --- Keys ------------------------------------------------------------------------------------

void ChecklistView::OnKey(int key, Qt::KeyboardModifiers modifiers) {
  if (lists_.empty()) return;
  if (modifiers & Qt::ControlModifier) {
    const int id = key == Qt::Key_C   ? ID_COPY_CIRCLE
                   : key == Qt::Key_V ? ID_PASTE_CHECKLIST
                   : key == Qt::Key_X ? ID_CUT_CIRCLE
                                      : 0;
    // Closed without a catalogue, as their items are.
    if (id != 0 && !CatalogCommandGate(controller_).IsClosed(id)) commands_.OnCommand(id);
    return;
  }
  const SettingsValues* values = controller_.GetValues();
  const bool afterEnter = values == nullptr || values->autoNext != 0;
  const bool afterDigit = values != nullptr && values->autoNext2 != 0;
  // Taken before the action: removing rows moves the row below up.
  const int next = CircleBelowSelection();
  if (key >= Qt::Key_1 && key <= Qt::Key_9) {
    CheckSelection(key - Qt::Key_0);
    if (afterDigit) AdvanceTo(next);
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    CheckSelection(-1);
    if (afterEnter) AdvanceTo(next);
  } else if (key == Qt::Key_Delete || key == Qt::Key_0) {
    RemoveSelection();
    if (afterDigit) AdvanceTo(next);
  }
}

// The circle of the row below the tab's selected row, when the selection was not made by a click.
int ChecklistView::CircleBelowSelection() const {
  const ListControl* list = CurrentList();
  const int next = states_[currentTab_].selectedRow + 1;
  if (list->LastInputWasClick() || next < 1 || next >= list->Model().RowCount()) return 0;
  return list->Model().Row(next).record.circleId;
}

void ChecklistView::AdvanceTo(int circleId) {
  if (circleId != 0) controller_.SelectCircle(circleId, false);
}

// --- Popup -----------------------------------------------------------------------------------

void ChecklistView::OnRightClick(int tab, const QPoint& point) {
  if (tab != currentTab_ || colorMenu_ == nullptr || menuOwner_ == nullptr) return;
  colorMenu_->TrackPopup(lists_[tab]->viewport()->mapToGlobal(point), *menuOwner_);
}

// --- Sorting ---------------------------------------------------------------------------------

void ChecklistView::OnColumnClicked(int column) {
  if (lists_.empty() || orderLocked_ || column < 0 || column >= columns_.Count()) return;
  TabState& state = states_[currentTab_];
  ListControl* list = CurrentList();
  const std::vector<std::string> captions = columns_.Captions();
  if (column != state.sortColumn) {
    if (state.sortColumn >= 0) {
      list->Model().SetCaption(state.sortColumn, captions[state.sortColumn]);
    }
    state.sortColumn = column;
    state.sortDirection = 0;
  }
  state.sortDirection = state.sortDirection == 1 ? -1 : 1;
  list->Model().SetCaption(column, captions[column] + Sjis(state.sortDirection > 0 ? "▽" : "△"));
  const int kind = columns_.Kind(column);
  const int direction = state.sortDirection;
  list->SortItems([kind, column, direction](const ListRow& a, const ListRow& b) {
    return CompareRows(kind, column, a, b) * direction;
  });
}

// --- Commands on the selection ---------------------------------------------------------------

void ChecklistView::CheckSelection(int color) {
  const std::vector<int> ids = SelectedCircles();
  if (!ids.empty()) controller_.SetCirclesColor(ids, color);
}

// More than one circle goes only after a Yes; the rows go with the controller's messages.
void ChecklistView::RemoveSelection() {
  if (lists_.empty()) return;
  const std::size_t count = CurrentList()->SelectedRows().size();
  if (count == 0) return;
  if (count > 1) {
    const std::string text =
        std::to_string(count) + Sjis("個のサークルをチェックリストから外します.\nよろしいですか？");
    const int answer =
        controller_.ShowMessageBox(MB_YESNO | MB_ICONQUESTION, text, Sjis("チェック解除の確認"));
    if (answer != IDYES) return;
  }
  controller_.UncheckCircles(SelectedCircles());
}

void ChecklistView::CopySelection() {
  const std::vector<int> ids = SelectedCircles();
  if (!ids.empty()) controller_.CopyCirclesToClipboard(ids);
}

void ChecklistView::Paste() {
  if (!lists_.empty() && controller_.IsClipboardTextAvailable()) controller_.PasteFromClipboard();
}

// The rows as they stand, tab by tab, become the print order; each row's number becomes its place
// in its tab.
void ChecklistView::MakeOrderPrintOrder() {
  if (controller_.IsChecklistOrderLocked()) return;
  std::vector<int> ids;
  for (const ListControl* list : lists_) {
    for (int row = 0; row < list->Model().RowCount(); ++row) {
      ids.push_back(list->Model().Row(row).record.circleId);
    }
  }
  if (ids.empty()) return;
  controller_.SetPrintOrderList(ids);
  const int printColumn = PrintOrderColumn();
  for (ListControl* list : lists_) {
    int number = 0;
    list->Model().UpdateRows([&number, printColumn](ListRow& row) {
      row.record.printNumber = ++number;
      if (printColumn > 0) row.cells[printColumn] = std::to_string(number);
    });
  }
}

}  // namespace vx
