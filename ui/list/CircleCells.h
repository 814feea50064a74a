// The cells of a circle's rows that follow the checklist: the memo and the fetched feed text are
// written again when they change, and a memo edited in place goes to the controller.
#pragma once

#include <span>
#include <unordered_map>
#include <unordered_set>

namespace vx {

class CatalogController;
class ListControl;
class ListModel;

class CircleCells {
 public:
  // The circle's memo (or feed text) into `column` of its rows in every list; nothing for a
  // column below 1.
  static void Rewrite(const CatalogController& controller, std::span<ListControl* const> lists,
                      int circleId, int column, bool feedText);
  // The rows of the circles take their colours (by circle), and the circles of `memos` their memo
  // into `memoColumn` (none below 1), with one notice per list.
  static void TakeMarks(const CatalogController& controller, std::span<ListControl* const> lists,
                        const std::unordered_map<int, int>& colors,
                        const std::unordered_set<int>& memos, int memoColumn);
  // Every row's check colour, and its memo into `memoColumn` (none below 1), read again after
  // many marks changed at once.
  static void RereadMarks(const CatalogController& controller, std::span<ListControl* const> lists,
                          int memoColumn);
  // The memo cell of the row to the controller, only when the edit changed it: storing marks the
  // checklist modified.
  static void StoreEditedMemo(CatalogController& controller, const ListModel& model, int row,
                              int memoColumn);
};

}  // namespace vx
