#include "ui/list/ListColumnLayout.h"

#include <cstdio>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "platform/CodePage.h"

namespace vx {

namespace {

int Definition(const CatalogController& controller, ListColumnView view, int i) {
  return view == kChecklistView ? controller.GetChecklistColumn(i) : controller.GetListColumn(i);
}

int Width(const CatalogController& controller, ListColumnView view, int kind) {
  return view == kChecklistView ? controller.GetChecklistColumnWidth(kind)
                                : controller.GetListColumnWidth(kind);
}

bool ShowsCuts(const CatalogController& controller) {
  const SettingsValues* values = controller.GetValues();
  return values == nullptr || values->listShowCut != 0;
}

// The circle's record as a list keeps it: its place as sort keys, its cut.
ListRowRecord RecordOf(const CircleRecord& circle, int color) {
  ListRowRecord record;
  record.circleId = circle.id;
  record.color = color;
  record.day = circle.day != 0 ? circle.day : ListRowRecord::kNoPlace;
  const int spaceKey = ((circle.blockId << 9) | circle.spaceNo) * 2 + circle.spaceNoSub;
  record.spaceKey = spaceKey != 0 ? spaceKey : ListRowRecord::kNoPlace;
  record.pageNo = circle.pageNo;
  record.cutIndex = circle.cutIndex;
  record.cutNumber = circle.circleName.empty() ? -1 : circle.updateId;
  return record;
}

}  // namespace

ListColumnLayout ListColumnLayout::Read(const CatalogController& controller, ListColumnView view) {
  ListColumnLayout layout;
  layout.view_ = view;
  layout.event_ = controller.GetEventNumber();
  const int rssDetailKind = ColumnIdRssDetail(layout.event_);
  for (int i = 0; i < kDefinitionCount; ++i) {
    const int definition = Definition(controller, view, i);
    const int kind = definition & 0xFF;
    const bool shown = (definition & ColumnShown) != 0 && kind > 0 && kind < ListColumnCount;
    if (!shown || (kind == ColumnIdCircleCut && !ShowsCuts(controller))) continue;
    const int column = layout.Count();
    if (kind == ColumnIdMemo) layout.memo_ = column;
    if (kind == rssDetailKind) layout.rssDetail_ = column;
    if (kind == ColumnIdCircleCut) {
      layout.cut_ = column;
      layout.cutWidth_ = Width(controller, view, kind);
    }
    layout.kinds_.push_back(kind);
  }
  return layout;
}

std::vector<std::string> ListColumnLayout::Captions() const {
  std::vector<std::string> captions;
  for (int kind : kinds_) captions.push_back(GetListColumnCaption(kind, view_, event_));
  return captions;
}

std::vector<int> ListColumnLayout::Widths(const CatalogController& controller) const {
  std::vector<int> widths;
  for (int kind : kinds_) widths.push_back(Width(controller, view_, kind));
  return widths;
}

std::string ListColumnLayout::ColorName(const CatalogController& controller, int color) {
  if (color < 1) return {};
  const char* name = controller.GetColorName(color - 1, CatalogController::kChecklistColor);
  return name != nullptr ? name : "";
}

ListRow ListColumnLayout::MakeRow(const CatalogController& controller,
                                  const CircleRecord& circle) const {
  ListRow row;
  const int color = controller.GetCircleColor(circle.id);
  row.record = RecordOf(circle, color);
  row.stateImage = StateImageOf(color);
  row.cells.reserve(kinds_.size());
  row.cells.push_back(ColorName(controller, color));
  for (std::size_t column = 1; column < kinds_.size(); ++column) {
    row.cells.push_back(CellText(controller, circle, kinds_[column]));
  }
  return row;
}

std::string ListColumnLayout::SpaceText(const CatalogController& controller,
                                        const CircleRecord& circle) {
  if (circle.day < 1) return "---";
  char number[16];
  std::snprintf(number, sizeof number, "%02d%c", circle.spaceNo, 'a' + circle.spaceNoSub);
  return controller.GetAreaSimpleNameOfBlock(circle.blockId) +
         controller.GetBlockName(circle.blockId) + number;
}

std::string ListColumnLayout::CellText(const CatalogController& controller,
                                       const CircleRecord& circle, int kind) {
  switch (kind) {
    case 1:
      return controller.GetWeekdayShortName(circle.day);
    case 2:
      return SpaceText(controller, circle);
    case 3:
      return controller.GetGenreName(circle.genreId);
    case 4:
      return circle.circleName;
    case 5:
      return circle.circleKana;
    case 6:
      return circle.penName;
    case 7:
      return circle.bookName;
    case 8:
      return circle.url;
    case 9:
      return circle.mailAddr;
    case 10:
      return circle.description;
    case 11:
      return circle.memo;
    case 12:
      return circle.updateData;
    case 13:
      return circle.orbalink;
    case 14:
      return circle.rss;
    case 15: {
      static const std::string updated = Sjis("更新");
      return circle.updateFlag != 0 ? updated : std::string();
    }
    case 16:
      return circle.rssInfo;
    case 18:
      return circle.twitter;
    case 19:
      return circle.pixiv;
    default:
      return {};  // the colour column's text is the colour's; the cut column has none
  }
}

}  // namespace vx
