// The columns of a circle list as the settings define them: column 0 (the check colour) and then
// every shown definition of the first 22, by kind (app/ListColumns.h), with the places of the
// memo, RSS-detail and cut columns. Makes a list row of a circle: its record, its state image and
// the text of each cell by kind.
#pragma once

#include <string>
#include <vector>

#include "app/ListColumns.h"
#include "data/CircleRecord.h"
#include "ui/list/ListRow.h"

namespace vx {

class CatalogController;

class ListColumnLayout {
 public:
  static constexpr int kDefinitionCount = 22;
  static constexpr int kColorColumnKind = 0;

  // The circle list's columns (the checklist view's with kChecklistView). The cut column counts
  // only while "ListShowCut" is on.
  static ListColumnLayout Read(const CatalogController& controller, ListColumnView view);

  int Count() const { return static_cast<int>(kinds_.size()); }
  int Kind(int column) const { return kinds_.at(column); }
  int MemoColumn() const { return memo_; }  // -1 when not shown
  int RssDetailColumn() const { return rssDetail_; }
  int CutColumn() const { return cut_; }
  int CutWidth() const { return cutWidth_; }  // 0 when no cut column is shown
  std::vector<std::string> Captions() const;
  std::vector<int> Widths(const CatalogController& controller) const;

  // The same columns (kinds, event): rows made for one layout fit the other.
  bool SameColumns(const ListColumnLayout& other) const {
    return kinds_ == other.kinds_ && event_ == other.event_;
  }

  ListRow MakeRow(const CatalogController& controller, const CircleRecord& circle) const;
  // The text of a cell of `kind` (CP932).
  static std::string CellText(const CatalogController& controller, const CircleRecord& circle,
                              int kind);
  // "%s%s%02d%c" of the block's area short name, the block name, the space number and its half;
  // "---" for a circle without a day.
  static std::string SpaceText(const CatalogController& controller, const CircleRecord& circle);
  // The state image of a colour: 0 none (not in the checklist), 1 the empty image (memo only),
  // n + 1 the swatch of colour n.
  static int StateImageOf(int color) { return color < 0 ? 0 : color + 1; }
  // The name of a colour in the current checklist ("" for none and memo only).
  static std::string ColorName(const CatalogController& controller, int color);

 private:
  ListColumnView view_ = kCircleListView;
  int event_ = 0;
  std::vector<int> kinds_{kColorColumnKind};
  int memo_ = -1;
  int rssDetail_ = -1;
  int cut_ = -1;
  int cutWidth_ = 0;
};

}  // namespace vx
