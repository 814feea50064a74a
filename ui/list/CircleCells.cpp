#include "ui/list/CircleCells.h"

#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "ui/list/ListColumnLayout.h"
#include "ui/list/ListControl.h"

namespace vx {

void CircleCells::Rewrite(const CatalogController& controller, std::span<ListControl* const> lists,
                          int circleId, int column, bool feedText) {
  if (circleId == 0 || column < 1) return;
  CircleRecord circle;
  if (!controller.GetCircle(circleId, &circle)) return;
  const std::string& text = feedText ? circle.rssInfo : circle.memo;
  for (ListControl* list : lists) {
    for (int row : list->Model().FindRows(circleId)) list->Model().SetCellText(row, column, text);
  }
}

void CircleCells::TakeMarks(const CatalogController& controller,
                            std::span<ListControl* const> lists,
                            const std::unordered_map<int, int>& colors,
                            const std::unordered_set<int>& memos, int memoColumn) {
  std::vector<int> circles;
  circles.reserve(colors.size() + memos.size());
  for (const auto& [id, color] : colors) circles.push_back(id);
  for (const int id : memos) {
    if (!colors.contains(id)) circles.push_back(id);
  }
  std::unordered_map<int, std::string> memoTexts;
  if (memoColumn > 0) {
    for (const int id : memos) memoTexts.emplace(id, controller.GetCircleMemo(id));
  }
  for (ListControl* list : lists) {
    list->Model().UpdateRowsOf(circles, [&](ListRow& row) {
      const int id = row.record.circleId;
      if (const auto color = colors.find(id); color != colors.end()) {
        row.record.color = color->second;
        row.stateImage = ListColumnLayout::StateImageOf(color->second);
        row.cells[0] = ListColumnLayout::ColorName(controller, color->second);
      }
      if (const auto memo = memoTexts.find(id); memo != memoTexts.end()) {
        row.cells[memoColumn] = memo->second;
      }
    });
  }
}

void CircleCells::RereadMarks(const CatalogController& controller,
                              std::span<ListControl* const> lists, int memoColumn) {
  for (ListControl* list : lists) {
    list->Model().UpdateRows([&](ListRow& row) {
      const int id = row.record.circleId;
      row.record.color = controller.GetCircleColor(id);
      row.stateImage = ListColumnLayout::StateImageOf(row.record.color);
      row.cells[0] = ListColumnLayout::ColorName(controller, row.record.color);
      if (memoColumn > 0) row.cells[memoColumn] = controller.GetCircleMemo(id);
    });
  }
}

void CircleCells::StoreEditedMemo(CatalogController& controller, const ListModel& model, int row,
                                  int memoColumn) {
  if (memoColumn < 1 || row < 0 || row >= model.RowCount()) return;
  const int circleId = model.Row(row).record.circleId;
  if (circleId == 0) return;
  const std::string& memo = model.Row(row).cells[memoColumn];
  if (memo != controller.GetCircleMemo(circleId)) controller.SetCircleMemo(memo, circleId);
}

}  // namespace vx
