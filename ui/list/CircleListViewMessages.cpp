// The application messages of the circle list view: the current circle, checks, memos, feeds,
// options and the columns resized by the user.
#include <QScrollBar>

#include <unordered_map>
#include <unordered_set>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "res/ResourceIds.h"
#include "ui/list/CircleCells.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"

namespace vx {

void CircleListView::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  const int id = static_cast<int>(lParam);
  switch (message) {
    case UM_CIRCLE_CHANGED:
      OnCircleChanged(id);
      break;
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
      SetCircleColor(id, static_cast<int>(wParam));
      break;
    case UM_CIRCLE_UNCHECKED:
      SetCircleColor(id, 0);
      break;
    case UM_CHECKLIST_RESET:
      ResetChecklist();
      break;
    case UM_CHECKLIST_MARKS_CHANGED:
      CircleCells::RereadMarks(controller_, lists_, columns_.MemoColumn());
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
      break;  // page, day, block, space, genre, colours and images: nothing to do here
  }
}

// Colours and memos of one circle can be taken in any order: the last colour and the memo as it
// is now are what the messages one by one would leave. Any other message waits for them.
void CircleListView::OnAppMessageRun(std::span<const AppMessage> run) {
  std::unordered_map<int, int> colors;
  std::unordered_set<int> memos;
  const auto take = [&] {
    CircleCells::TakeMarks(controller_, lists_, colors, memos, columns_.MemoColumn());
    colors.clear();
    memos.clear();
  };
  for (const AppMessage& m : run) {
    const int id = static_cast<int>(m.lParam);
    switch (m.message) {
      case UM_CIRCLE_CHECKED:
      case UM_CIRCLE_COLOR_CHANGED:
        colors[id] = static_cast<int>(m.wParam);
        break;
      case UM_CIRCLE_UNCHECKED:
        colors[id] = 0;
        break;
      case UM_CHECKLIST_ENTRY_CHANGED:
        if (id != 0) memos.insert(id);
        break;
      default:
        take();
        OnAppMessage(m.message, m.wParam, m.lParam);
        break;
    }
  }
  take();
}

// --- The current circle ----------------------------------------------------------------------

void CircleListView::OnCircleChanged(int circleId) {
  if (circleId < 1) return;
  const CircleRecord& current = controller_.GetCurrentCircle();
  const SettingsValues* values = controller_.GetValues();
  if (values != nullptr && values->listSync != 0 && current.day > 0) {
    RequestDayBlock(current.day, current.blockId);
  }
  if (circleId != lastSelectedId_) SelectCircleRow(circleId);
}

// The circle's row becomes the only selected one, scrolled into view; without one, no row stays
// selected.
void CircleListView::SelectCircleRow(int circleId) {
  ListControl* list = VisibleList();
  const std::vector<int> found = list->Model().FindRows(circleId);
  following_ = true;
  if (found.empty()) {
    list->selectionModel()->clearSelection();
    list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  } else {
    list->selectionModel()->setCurrentIndex(
        list->Model().index(found.front(), 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ScrollIntoBand(found.front());
  }
  following_ = false;
}

// Keeps a row's height clear above and below the row, where the list allows.
void CircleListView::ScrollIntoBand(int row) {
  ListControl* list = VisibleList();
  const QRect rect = list->GetCellRect(row, 0);
  const int margin = list->RowHeight();
  const int bandTop = margin;
  const int bandBottom = list->viewport()->height() - margin;
  QScrollBar* bar = list->verticalScrollBar();
  if (rect.top() < bandTop) {
    bar->setValue(bar->value() + rect.top() - bandTop);
  } else if (rect.bottom() > bandBottom) {
    bar->setValue(bar->value() + rect.bottom() - bandBottom);
  }
}

// --- Checks, memos and feeds ----------------------------------------------------------------

void CircleListView::SetCircleColor(int circleId, int color) {
  const std::string name = ListColumnLayout::ColorName(controller_, color);
  for (ListControl* list : lists_) {
    ListModel& model = list->Model();
    for (int row : model.FindRows(circleId)) {
      model.SetRowColor(row, color, ListColumnLayout::StateImageOf(color), name);
    }
  }
}

void CircleListView::ResetChecklist() {
  const int memo = columns_.MemoColumn();
  for (ListControl* list : lists_) {
    list->Model().UpdateRows([memo](ListRow& row) {
      if (row.record.color != 0) {
        row.record.color = 0;
        row.stateImage = 0;
        row.cells[0].clear();
      }
      if (memo > 0) row.cells[memo].clear();
    });
  }
}

void CircleListView::OnLabelEdited(int mode, int row) {
  CircleCells::StoreEditedMemo(controller_, lists_[mode]->Model(), row, columns_.MemoColumn());
}

// --- Options and column widths ----------------------------------------------------------------

// Rebuilds the rows only when the columns changed; changed widths or cut sizes only re-lay them.
void CircleListView::OnOptionsChanged() {
  sortLocked_ = controller_.IsListSortLocked();
  const ListColumnLayout columns = ListColumnLayout::Read(controller_, kCircleListView);
  if (!columns.SameColumns(columns_)) {
    RebuildColumns(true);
    return;
  }
  const Geometry geometry = CurrentGeometry();
  if (geometry == geometry_ && columns.CutWidth() == columns_.CutWidth()) return;
  columns_ = columns;
  ApplyWidths();
  RebuildSwatches();
  geometry_ = geometry;
}

void CircleListView::OnColumnsResized() {
  const ListControl* list = VisibleList();
  for (int column = 0; column < columns_.Count(); ++column) {
    controller_.SetListColumnWidth(columns_.Kind(column), list->columnWidth(column));
  }
  geometry_ = CurrentGeometry();
  if (columns_.CutColumn() >= 0 &&
      controller_.GetListColumnWidth(ColumnIdCircleCut) != columns_.CutWidth()) {
    columns_ = ListColumnLayout::Read(controller_, kCircleListView);
    RebuildSwatches();
  }
  list->viewport()->update();
}

}  // namespace vx
