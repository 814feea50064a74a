// The catalogue tables of a job, filled from the data source at the start of every document.
#include "print/PrintCatalogTables.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "platform/Sjis.h"
#include "print/PrintEngine.h"
#include "print/PrintEngineState.h"
#include "print/PrintLayout.h"
#include "platform/TemplateText.h"

namespace vx {
namespace {

// A picture name from a template of the settings; "" when the template is not valid for it.
std::string MapFileName(std::string_view format, int day, std::string_view stem) {
  const TemplateArg args[] = {day, stem};
  return FormatTemplate(format, args).value_or(std::string());
}

std::string OutlineFileName(std::string_view format, std::string_view stem) {
  const TemplateArg args[] = {stem};
  return FormatTemplate(format, args).value_or(std::string());
}

// The high-resolution outline when asked for and present, else the normal one.
std::string ChooseOutline(const PrintMapTemplates& t, bool highResolution, std::string_view stem) {
  if (highResolution) {
    std::string name = OutlineFileName(t.hiResOutline, stem);
    if (PrintEngine_ImageFileExists(name)) return name;
  }
  return OutlineFileName(t.outline, stem);
}

PrintMapCell CellOf(const PrintMapCell& event, bool highResolution) {
  const int k = highResolution ? 2 : 1;
  return {k * event.originX + 1, k * event.originY + 1, k * event.width, k * event.height};
}

class TableBuilder {
 public:
  TableBuilder(const PrintDataSource& source, const PrintLayout& layout, bool highResolution)
      : source_(source),
        layout_(layout),
        highResolution_(highResolution),
        templates_(source.MapTemplates()),
        cell_(source.MapCell()) {}

  void Fill(PrintCatalogTables& tables) {
    FillColors(tables);
    tables.dayCount = std::max(0, source_.DayCount());
    tables.days.clear();
    for (int d = 1; d <= tables.dayCount; ++d) tables.days.push_back(Day(d));
    PrintDay notPlaced;
    notPlaced.label = layout_.posFail;
    notPlaced.weekday = layout_.posFail2;
    tables.days.push_back(std::move(notPlaced));
    tables.maxGroups = 0;
    tables.maxHallEntries = 0;
    for (const PrintDay& day : tables.days) {
      tables.maxGroups = std::max(tables.maxGroups, static_cast<int>(day.groups.size()));
      tables.maxHallEntries = std::max(tables.maxHallEntries, static_cast<int>(day.halls.size()));
    }
  }

 private:
  void FillColors(PrintCatalogTables& tables) const {
    tables.colorCount = std::max(0, source_.CheckColorCount());
    tables.colors.assign(static_cast<std::size_t>(tables.colorCount) + 2, PrintColor{});
    for (int c = 1; c <= tables.colorCount; ++c) {
      PrintColor& color = tables.colors[static_cast<std::size_t>(c)];
      color.color = source_.PrintColor(c - 1);
      color.name = SjisTruncate(source_.ColorName(c - 1), kLayoutTextMax);
    }
  }

  PrintDay Day(int d) const {
    PrintDay day;
    day.label = FormatNumberText(layout_.dayCount, d);
    day.weekday = source_.DayWeekdayName(d);
    for (int m = 1; m <= kHallGroupCount; ++m) {
      day.groups.push_back(Group(d, m));
      AddHalls(day, m);
    }
    day.outlineFile = ChooseOutline(templates_, highResolution_, "BS");
    return day;
  }

  PrintHallGroup Group(int d, int m) const {
    PrintHallGroup group;
    group.mapId = source_.FindMapId(HallGroupNames()[static_cast<std::size_t>(m - 1)]);
    if (group.mapId == 0) return group;
    const PrintMapInfo map = source_.Map(group.mapId);
    group.highResolution =
        highResolution_ &&
        PrintEngine_ImageFileExists(MapFileName(templates_.hiResMap, d, map.fileStem)) &&
        PrintEngine_ImageFileExists(MapFileName(templates_.hiResGenre, d, map.fileStem));
    const bool hi = group.highResolution;
    group.mapFile = MapFileName(hi ? templates_.hiResMap : templates_.map, d, map.fileStem);
    if (!PrintEngine_ImageFileExists(group.mapFile)) group.mapFile.clear();
    group.genreFile = MapFileName(hi ? templates_.hiResGenre : templates_.genre, d, map.fileStem);
    group.print = hi ? map.hiResPrint : map.print;
    group.cell = CellOf(cell_, hi);
    group.outlineFile = ChooseOutline(templates_, hi, map.outlineStem);
    group.blockNames = map.blockNames;
    group.name = map.name;
    group.rotate = map.rotate;
    return group;
  }

  // The halls on the group's map that have a print rectangle, in hall order.
  void AddHalls(PrintDay& day, int m) const {
    PrintHallGroup& group = day.groups.back();
    if (group.mapId == 0) return;
    for (int i = 0; i < kHallCount; ++i) {
      if (day.halls.size() >= static_cast<std::size_t>(kMaxHallEntries)) return;
      const PrintAreaInfo area =
          source_.Area(source_.FindAreaId(HallNames()[static_cast<std::size_t>(i)]));
      if (area.mapId != group.mapId || !area.hasPrintRect) continue;
      PrintHallEntry entry;
      entry.hallGroup = m;
      entry.hall = i + 1;
      entry.print = group.highResolution ? area.hiResPrint : area.print;
      entry.name = area.name;
      entry.firstBlock = area.firstBlock;
      entry.smallestSpace = area.smallestSpace;
      entry.largestSpace = area.largestSpace;
      entry.furtherBlocks = area.furtherBlocks;
      entry.outlineFile = ChooseOutline(templates_, group.highResolution, area.outlineStem);
      day.halls.push_back(std::move(entry));
      ++group.hallCount;
    }
  }

  const PrintDataSource& source_;
  const PrintLayout& layout_;
  bool highResolution_;
  PrintMapTemplates templates_;
  PrintMapCell cell_;
};

}  // namespace

const std::array<std::string, kHallGroupCount>& HallGroupNames() {
  static const std::array<std::string, kHallGroupCount> names = {
      Sjis("東123"), Sjis("東456"), Sjis("西12"), Sjis("西34"),
      Sjis("東78"),  Sjis("南12"),  Sjis("南34")};
  return names;
}

const std::array<std::string, kHallCount>& HallNames() {
  static const std::array<std::string, kHallCount> names = {
      Sjis("東1"), Sjis("東2"), Sjis("東3"), Sjis("東6"),   Sjis("東5"),
      Sjis("東4"), Sjis("西2"), Sjis("西1"), Sjis("西3･4"), Sjis("東7･8"),
      Sjis("南2"), Sjis("南1"), Sjis("南4"), Sjis("南3")};
  return names;
}

ColorRef PrintCatalogTables::ColorOf(int c) const {
  if (c < 1 || c > colorCount) return 0xFFFFFF;
  return colors[static_cast<std::size_t>(c)].color;
}

int PrintEngine_LoadCatalogTables(const PrintLayout& layout, const PrintJob& job) {
  PrintEngineState& state = PrintEngine_State();
  state.tables = PrintCatalogTables{};
  if (!state.services.source) return 0;
  TableBuilder(*state.services.source, layout, job.highResolution != 0).Fill(state.tables);
  return 0;
}

int PrintEngine_GetHallGroupMapId(int i) {
  const PrintDataSource* source = PrintEngine_Services().source;
  if (!source || i < 0 || i >= kHallGroupCount) return 0;
  return source->FindMapId(HallGroupNames()[static_cast<std::size_t>(i)]);
}

int PrintEngine_GetHallAreaId(int i) {
  const PrintDataSource* source = PrintEngine_Services().source;
  if (!source || i < 0 || i >= kHallCount) return 0;
  return source->FindAreaId(HallNames()[static_cast<std::size_t>(i)]);
}

}  // namespace vx
