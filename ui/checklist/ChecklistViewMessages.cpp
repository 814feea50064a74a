// The application messages of the checklist view: the current circle, checks, memos, feeds,
// options and the columns resized by the user.
#include <QItemSelectionModel>

#include <unordered_set>

#include "app/CatalogController.h"
#include "res/ResourceIds.h"
#include "ui/checklist/ChecklistView.h"
#include "ui/list/CircleCells.h"
#include "ui/list/ListControl.h"

namespace vx {

void ChecklistView::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  const int id = static_cast<int>(lParam);
  switch (message) {
    case UM_CIRCLE_CHANGED:
      OnCircleChanged(id);
      break;
    case UM_CIRCLE_CHECKED:
      OnCircleChecked(id);
      break;
    case UM_CIRCLE_UNCHECKED:
      RemoveRow(id);
      break;
    case UM_CIRCLE_COLOR_CHANGED:
      OnColorChanged(id, static_cast<int>(wParam));
      break;
    case UM_CHECKLIST_RESET:
      ClearRows();
      break;
    case UM_CHECKLIST_MARKS_CHANGED:
      OnMarksChanged();
      break;
    case UM_OPTIONS_CHANGED:
      OnOptionsChanged();
      break;
    case UM_CHECKLIST_ENTRY_CHANGED:
      CircleCells::Rewrite(controller_, lists_, id, columns_.MemoColumn(), false);
      break;
    case UM_CIRCLE_INFO_UPDATED:
      CircleCells::Rewrite(controller_, lists_, id, columns_.RssDetailColumn(), true);
      break;
    case UM_LIST_COLUMNS_RESIZED:
      OnColumnsResized();
      break;
    default:
      break;  // page, day, block, space, genre, colours and images: the window's or nobody's
  }
}

// A memo that changes in the run of the row's check is already in the row made for it; the memo of
// a row from before is rewritten at once. Any other message waits for the rows queued before it.
void ChecklistView::OnAppMessageRun(std::span<const AppMessage> run) {
  QueuedRows queued;
  queued.byTab.resize(lists_.size());
  for (const AppMessage& m : run) {
    const int id = static_cast<int>(m.lParam);
    if (m.message == UM_CIRCLE_CHECKED) {
      if (controller_.GetCircleColor(id) >= 1) QueueRow(id, queued);
    } else if (m.message == UM_CHECKLIST_ENTRY_CHANGED) {
      if (!queued.circles.contains(id)) OnAppMessage(m.message, m.wParam, m.lParam);
    } else {
      AppendQueued(queued);
      OnAppMessage(m.message, m.wParam, m.lParam);
    }
  }
  AppendQueued(queued);
}

// --- The current circle ----------------------------------------------------------------------

void ChecklistView::OnCircleChanged(int circleId) {
  if (lists_.empty()) return;
  if (circleId == 0) {
    currentCircleId_ = 0;
    ListControl* list = CurrentList();
    list->selectionModel()->clearSelection();
    list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return;
  }
  if (circleId == currentCircleId_) return;
  currentCircleId_ = circleId;
  const int tab = TabOfDay(controller_.GetCurrentCircle().day);
  if (tab != currentTab_) SwitchTab(tab);
  SelectRowOf(circleId);
}

// The circle's row becomes the only selected one and is scrolled into view.
void ChecklistView::SelectRowOf(int circleId) {
  ListControl* list = CurrentList();
  const std::vector<int> found = list->Model().FindRows(circleId);
  following_ = true;
  if (found.empty()) {
    list->selectionModel()->clearSelection();
    list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  } else {
    const QModelIndex row = list->Model().index(found.front(), 0);
    list->selectionModel()->setCurrentIndex(
        row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(row);
  }
  following_ = false;
}

// --- Checks, memos and feeds ------------------------------------------------------------------

// Many marks at once: the rows again from the checklist, the selection kept. A row new to the
// view takes its place in its tab as its print number, as a row added alone does; while the
// numbers show, every row.
void ChecklistView::OnMarksChanged() {
  if (lists_.empty()) return;
  const std::vector<int> selected = SelectedCircles();
  std::unordered_set<int> before;
  for (const ListControl* list : lists_) {
    for (int row = 0; row < list->Model().RowCount(); ++row) {
      before.insert(list->Model().Row(row).record.circleId);
    }
  }
  ClearRows();
  FillFromChecklist();
  const bool numbersShown = PrintOrderColumn() > 0;
  for (const ListControl* list : lists_) {
    for (int row = 0; row < list->Model().RowCount(); ++row) {
      const ListRowRecord& record = list->Model().Row(row).record;
      if (numbersShown || !before.contains(record.circleId)) {
        controller_.SetCirclePrintOrder(record.circleId, record.printNumber);
      }
    }
  }
  SelectRows(selected);
}

// The rows of the circles selected, in runs, and the current circle's row focused.
void ChecklistView::SelectRows(const std::vector<int>& circleIds) {
  ListControl* list = CurrentList();
  const ListModel& model = list->Model();
  const std::unordered_set<int> wanted(circleIds.begin(), circleIds.end());
  QItemSelection selection;
  const int last = model.ColumnCount() - 1;
  for (int row = 0; row < model.RowCount(); ++row) {
    if (!wanted.contains(model.Row(row).record.circleId)) continue;
    const int first = row;
    while (row + 1 < model.RowCount() && wanted.contains(model.Row(row + 1).record.circleId)) ++row;
    selection.select(model.index(first, 0), model.index(row, last));
  }
  following_ = true;
  const std::vector<int> current = model.FindRows(currentCircleId_);
  if (!current.empty()) {
    list->selectionModel()->setCurrentIndex(model.index(current.front(), 0),
                                            QItemSelectionModel::NoUpdate);
  }
  list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  following_ = false;
}

// Memo-only circles have no row.
void ChecklistView::OnCircleChecked(int circleId) {
  if (controller_.GetCircleColor(circleId) >= 1) AddRow(circleId, true);
}

void ChecklistView::OnColorChanged(int circleId, int color) {
  if (controller_.GetCircleColor(circleId) < 1) {
    RemoveRow(circleId);
  } else {
    SetRowColor(circleId, color);
  }
}

void ChecklistView::OnLabelEdited(int tab, int row) {
  if (tab != currentTab_) return;
  CircleCells::StoreEditedMemo(controller_, lists_[tab]->Model(), row, columns_.MemoColumn());
}

// --- Options and column widths ----------------------------------------------------------------

void ChecklistView::OnOptionsChanged() {
  orderLocked_ = controller_.IsChecklistOrderLocked();
  SetupColumns(true);
}

// A changed cut column width changes the row height: the rows are made again.
void ChecklistView::OnColumnsResized() {
  const ListControl* list = CurrentList();
  if (list == nullptr) return;
  for (int column = 0; column < columns_.Count(); ++column) {
    controller_.SetChecklistColumnWidth(columns_.Kind(column), list->columnWidth(column));
  }
  if (columns_.CutColumn() >= 0 &&
      controller_.GetChecklistColumnWidth(ColumnIdCircleCut) != imageCutWidth_) {
    SetupColumns(true);
  } else {
    list->viewport()->update();
  }
}

}  // namespace vx
