// Input of the circle list view: the selection, keys, the popup menu, sorting and the commands on
// the selected circles.
#include <QKeyEvent>

#include <cstring>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"
#include "ui/main/CatalogCommandGate.h"
#include "ui/menus/ColorMenu.h"

namespace vx {

namespace {

constexpr std::size_t kSortedTextBytes = 99;

// The sort order of two rows by a column of `kind`: colours (memo only and unchecked alike),
// days, spaces, else the first bytes of the texts.
int CompareRows(int kind, int column, const ListRow& a, const ListRow& b) {
  const auto order = [](int x, int y) { return x < y ? -1 : x > y ? 1 : 0; };
  switch (kind) {
    case ListColumnLayout::kColorColumnKind:
      return order(std::max(a.record.color, 0), std::max(b.record.color, 0));
    case 1:
      return order(a.record.day, b.record.day);
    case 2:
      return order(a.record.spaceKey, b.record.spaceKey);
    default: {
      const std::string_view x = std::string_view(a.cells[column]).substr(0, kSortedTextBytes);
      const std::string_view y = std::string_view(b.cells[column]).substr(0, kSortedTextBytes);
      return x.compare(y);
    }
  }
}

int DigitOf(int key) { return key - Qt::Key_0; }

}  // namespace

void CircleListView::ConnectList(int mode) {
  ListControl* list = lists_[mode];
  connect(list, &ListControl::rowFocused, this, [this, mode](int row) { OnRowFocused(mode, row); });
  connect(list, &ListControl::keyForwarded, this,
          [this](int key, Qt::KeyboardModifiers modifiers) { OnKey(key, modifiers); });
  connect(list, &ListControl::rightClicked, this,
          [this, mode](const QPoint& point) { OnRightClick(mode, point); });
  connect(list, &ListControl::columnClicked, this, [this, mode](int column) {
    if (mode == mode_) OnColumnClicked(column);
  });
  connect(list, &ListControl::labelEdited, this,
          [this, mode](int, int row) { OnLabelEdited(mode, row); });
  connect(list, &ListControl::columnsResized, this, [this, mode] {
    if (mode == mode_) OnAppMessage(UM_LIST_COLUMNS_RESIZED, 0, 0);
  });
}

// --- Selection -----------------------------------------------------------------------------

void CircleListView::OnRowFocused(int mode, int row) {
  const ListModel& model = lists_[mode]->Model();
  if (row < 0 || row >= model.RowCount()) return;
  rows_[mode].selectedRow = row;
  rowPosition_ = row == 0 ? 1 : row == model.RowCount() - 1 ? 2 : 0;
  lastSelectedId_ = model.Row(row).record.circleId;
  if (!following_) controller_.SelectCircle(lastSelectedId_, lists_[mode]->LastInputWasClick());
}

void CircleListView::SelectRowCircle(int row) {
  const ListModel& model = VisibleList()->Model();
  if (row >= 0 && row < model.RowCount()) {
    controller_.SelectCircle(model.Row(row).record.circleId, false);
  }
}

void CircleListView::SelectFirstRow() { SelectRowCircle(0); }

void CircleListView::SelectLastRow() { SelectRowCircle(VisibleList()->Model().RowCount() - 1); }

std::vector<int> CircleListView::SelectedCircles() const {
  std::vector<int> ids;
  const ListModel& model = VisibleList()->Model();
  for (int row : VisibleList()->SelectedRows()) {
    const int id = model.Row(row).record.circleId;
    if (id > 0) ids.push_back(id);
  }
  return ids;
}

// --- Keys ----------------------------------------------------------------------------------

void CircleListView::OnKey(int key, Qt::KeyboardModifiers modifiers) {
  const SettingsValues* values = controller_.GetValues();
  const bool autoNext = values == nullptr || values->autoNext != 0;
  const bool autoNextAfterDigit = values != nullptr && values->autoNext2 != 0;
  if (modifiers & Qt::ControlModifier) {
    const int id = key == Qt::Key_C   ? ID_COPY_CIRCLE
                   : key == Qt::Key_V ? ID_PASTE_CHECKLIST
                   : key == Qt::Key_X ? ID_CUT_CIRCLE
                                      : 0;
    // Closed without a catalogue, as their items are.
    if (id != 0 && !CatalogCommandGate(controller_).IsClosed(id)) commands_.OnCommand(id);
    return;
  }
  if (key >= Qt::Key_1 && key <= Qt::Key_9) {
    CheckSelection(DigitOf(key));
    if (autoNextAfterDigit) Advance();
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    CheckSelection(-1);
    if (autoNext) Advance();
  } else if (key == Qt::Key_Delete || key == Qt::Key_0) {
    UncheckSelection();
    if (autoNextAfterDigit) Advance();
  } else if (key == Qt::Key_Up && mode_ == kDayBlock && rowPosition_ == 1) {
    SendToFrame(UM_LIST_PREV_BLOCK);
  } else if (key == Qt::Key_Down && mode_ == kDayBlock && rowPosition_ == 2) {
    SendToFrame(UM_LIST_NEXT_BLOCK);
  }
}

// After a check by key: the next cut (mode 0; from the last row the next block), else the next
// row's circle. Not after a check by click.
void CircleListView::Advance() {
  if (VisibleList()->LastInputWasClick()) return;
  if (mode_ == kDayBlock) {
    if (rowPosition_ != 2) {
      controller_.SelectNextCut();
    } else {
      SendToFrame(UM_LIST_NEXT_BLOCK);
    }
    return;
  }
  const int next = rows_[mode_].selectedRow + 1;
  if (rows_[mode_].selectedRow >= 0 && next < VisibleList()->Model().RowCount()) {
    SelectRowCircle(next);
  }
}

void CircleListView::SendToFrame(unsigned message) {
  if (frame_ != nullptr) frame_->OnAppMessage(message, 0, 0);
}

// --- Popup and commands ------------------------------------------------------------------------

void CircleListView::OnRightClick(int mode, const QPoint& point) {
  ListControl* list = lists_[mode];
  if (mode != mode_ || colorMenu_ == nullptr || commandOwner_ == nullptr) return;
  if (!list->indexAt(point).isValid()) return;
  colorMenu_->TrackPopup(list->viewport()->mapToGlobal(point), *commandOwner_);
}

void CircleListView::CheckSelection(int color) {
  const std::vector<int> ids = SelectedCircles();
  if (!ids.empty()) controller_.SetCirclesColor(ids, color);
}

void CircleListView::UncheckSelection() {
  const std::vector<int> ids = SelectedCircles();
  if (!ids.empty()) controller_.UncheckCircles(ids);
}

void CircleListView::CopySelection() {
  const std::vector<int> ids = SelectedCircles();
  if (!ids.empty()) controller_.CopyCirclesToClipboard(ids);
}

void CircleListView::CutSelection() {
  const std::vector<int> ids = SelectedCircles();
  if (ids.empty()) return;
  controller_.CopyCirclesToClipboard(ids);
  controller_.UncheckCircles(ids);
}

void CircleListView::Paste() {
  if (controller_.IsClipboardTextAvailable()) controller_.PasteFromClipboard();
}

// --- Sorting -------------------------------------------------------------------------------

void CircleListView::OnColumnClicked(int column) {
  if (sortLocked_ || column < 0 || column >= columns_.Count()) return;
  ModeRows& state = rows_[mode_];
  ListControl* list = VisibleList();
  const std::vector<std::string> captions = columns_.Captions();
  if (column != state.sortColumn) {
    if (state.sortColumn >= 0)
      list->Model().SetCaption(state.sortColumn, captions[state.sortColumn]);
    state.sortColumn = column;
    state.sortDirection = 0;
  }
  state.sortDirection = state.sortDirection == 0 ? 1 : -state.sortDirection;
  list->Model().SetCaption(column, captions[column] + Sjis(state.sortDirection > 0 ? "▽" : "△"));
  const int kind = columns_.Kind(column);
  const int direction = state.sortDirection;
  list->SortItems([kind, column, direction](const ListRow& a, const ListRow& b) {
    return CompareRows(kind, column, a, b) * direction;
  });
}

}  // namespace vx
