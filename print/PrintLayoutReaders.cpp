// The readers of the layout file: one per group of keys, each over the engine's layout block.
#include <algorithm>
#include <array>
#include <string>

#include "platform/LeadingInt.h"
#include "platform/Sjis.h"
#include "print/PrintDataSource.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintItemText.h"
#include "print/PrintLayout.h"

namespace vx {
namespace {

// Up to `count` numbers of a text like "10,5"; missing ones are 0.
template <std::size_t N>
std::array<int, N> ParseNumbers(std::string_view text) {
  std::array<int, N> numbers{};
  for (std::size_t i = 0; i < N && !text.empty(); ++i) {
    const std::size_t comma = text.find(',');
    numbers[i] = LeadingInt(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return numbers;
}

ColorRef ToColorRef(const std::array<int, 3>& rgb) {
  return static_cast<ColorRef>((rgb[0] & 0xFF) | ((rgb[1] & 0xFF) << 8) | ((rgb[2] & 0xFF) << 16));
}

// The keys of one section, read for one reader; a missing required key is reported with the
// reader's name and the key as formed.
class SectionReader {
 public:
  SectionReader(std::string_view section, std::string_view reader)
      : profile_(PrintEngine_State().layoutProfile), section_(section), reader_(reader) {}

  int Int(std::string_view key, int defaultValue = 0) const {
    return profile_.GetInt(section_, key, defaultValue);
  }
  std::string Text(std::string_view key) const {
    return SjisTruncate(profile_.GetString(section_, key, ""), kLayoutTextMax);
  }
  // A required number that must not be 0.
  bool NonZero(std::string_view key, int& out) const {
    out = Int(key);
    return out != 0 || Missing(key);
  }
  // A required count (NSEP, NBOX): only a negative one is missing.
  bool Count(std::string_view key, int limit, int& out) const {
    out = Int(key, -1);
    if (out < 0) return Missing(key);
    out = std::min(out, limit);
    return true;
  }
  bool Pair(std::string_view key, int& x, int& y) const {
    std::array<int, 2> n{};
    if (!Numbers(key, n)) return false;
    x = n[0];
    y = n[1];
    return true;
  }
  bool Rect(std::string_view key, DibRect& r) const {
    std::array<int, 4> n{};
    if (!Numbers(key, n)) return false;
    r = {n[0], n[1], n[2], n[3]};
    return true;
  }
  bool Color(std::string_view key, ColorRef& c) const {
    std::array<int, 3> n{};
    if (!Numbers(key, n)) return false;
    c = ToColorRef(n);
    return true;
  }

 private:
  template <std::size_t N>
  bool Numbers(std::string_view key, std::array<int, N>& out) const {
    const std::string text = Text(key);
    if (text.empty()) return Missing(key);
    out = ParseNumbers<N>(text);
    return true;
  }
  bool Missing(std::string_view key) const {
    LayoutKeyMissing(section_, key, reader_);
    return false;
  }

  const ProfileFile& profile_;
  std::string section_;
  std::string_view reader_;
};

std::string Numbered(const char* prefix, int n, const char* suffix) {
  return prefix + std::to_string(n) + suffix;
}

PrintLayout& Layout() { return PrintEngine_State().layout; }

// Cell size, borders, paddings and separator: shared by the column and the box list.
bool ReadCell(const SectionReader& r, PrintLayout& l) {
  if (!r.NonZero("COLUMNWIDTH", l.cellWidth) || !r.NonZero("COLUMNHEIGHT", l.cellHeight)) {
    return false;
  }
  l.borderWidth = r.Int("BORDERWIDTH");
  l.borderHeight = r.Int("BORDERHEIGHT");
  l.paddingWidth = r.Int("PADDINGWIDTH");
  l.paddingHeight = r.Int("PADDINGHEIGHT");
  l.separatorWidth = r.Int("SEPARATORWIDTH");
  return true;
}

void ReadColumns(const SectionReader& r, const PrintJob& job, int count, PrintLayout& l) {
  l.listColumns.assign(static_cast<std::size_t>(count), PrintLayoutColumn{});
  l.shareSum = l.fixedSum = l.shownColumns = l.proportionalColumns = 0;
  for (int i = 1; i <= count; ++i) {
    PrintLayoutColumn& column = l.listColumns[static_cast<std::size_t>(i - 1)];
    column.width = r.Int(Numbered("SEP", i, "WIDTH"));
    column.item = r.Int(Numbered("SEP", i, "ITEM"));
    column.shown = PrintItem_Shown(column.item, job);
    if (!column.shown) continue;
    column.skipLineBreak = r.Int(Numbered("SEP", i, "SKIPLINEBREAK")) != 0;
    ++l.shownColumns;
    if (column.width > 0) {
      l.shareSum += column.width;
      ++l.proportionalColumns;
    } else {
      l.fixedSum += -column.width;
    }
  }
}

bool ReadBox(const SectionReader& r, int i, PrintLayoutBox& box) {
  DibRect pos;
  if (!r.Rect(Numbered("BOX", i, "POS"), pos)) return false;
  box.x = pos.x;
  box.y = pos.y;
  box.width = pos.w;
  box.height = pos.h;
  box.border = r.Int(Numbered("BOX", i, "BORDER"));
  box.padding = r.Int(Numbered("BOX", i, "PADDING"));
  box.fontSize = r.Int(Numbered("BOX", i, "FONTSIZE"));
  box.align = r.Int(Numbered("BOX", i, "ALIGN"));
  box.item = r.Int(Numbered("BOX", i, "ITEM"));
  return true;
}

void ReadSeparatorNames(const SectionReader& r, PrintLayout& l) {
  l.sepNameStart = r.Int("SEPNAMESTART");
  l.sepNameEnd = r.Int("SEPNAMEEND");
  const long long last = std::min<long long>(
      l.sepNameEnd, static_cast<long long>(l.sepNameStart) + kMaxSeparatorNames - 1);
  l.sepNames.clear();
  for (long long n = l.sepNameStart; n <= last; ++n) {
    l.sepNames.push_back(r.Text("SEP" + std::to_string(n) + "NAME"));
  }
}

}  // namespace

int Document_ReadLayoutParam(const PrintJob& job) {
  PrintEngineState& state = PrintEngine_State();
  state.layoutProfile = ProfileFile(state.layoutFile);  // a missing file has no keys
  PrintLayout& l = state.layout = PrintLayout{};
  const SectionReader r("DOCUMENT", "Document_ReadLayoutParam");
  l.dpi = r.Int("DPI");
  l.paperWidth = r.Int("PAPERWIDTH");
  l.paperHeight = r.Int("PAPERHEIGHT");
  l.marginX = r.Int("MARGINX");
  l.marginY = r.Int("MARGINY");
  l.offsetX = r.Int("OFFSETX");
  l.offsetY = r.Int("OFFSETY");
  l.pageTitleFont = r.Int("PAGETITLEFONT", 64);
  l.weekHead = r.Text("WEEKHEAD");
  l.weekTail = r.Text("WEEKTAIL");
  l.hallHead = r.Text("HALLHEAD");
  l.hallTail = r.Text("HALLTAIL");
  l.dayCount = r.Text("DAYCOUNT");
  l.posFail = r.Text("POSFAIL");
  l.posFail2 = r.Text("POSFAIL2");
  l.colorListNone = r.Text("COLORLISTNONE");
  l.posNo = r.Text("POSNO");
  ReadSeparatorNames(r, l);
  if (const PrintDataSource* source = state.services.source) {
    l.documentTitle = SjisTruncate(source->EventName(), kLayoutTextMax);
  }
  return PrintEngine_LoadCatalogTables(l, job);
}

int All_ReadLayoutParam(std::string_view section) {
  const SectionReader r(section, "All_ReadLayoutParam");
  PrintLayout& l = Layout();
  int x = 0;
  int y = 0;
  if (!r.Pair("PAGEOFFSET", x, y)) return -1;
  l.pageOffsetX = static_cast<int>(static_cast<long long>(l.dpi) * x * 10 / 254);
  l.pageOffsetY = static_cast<int>(static_cast<long long>(l.dpi) * y * 10 / 254);
  return 0;
}

int List_ReadLayoutParam(std::string_view section) {
  const SectionReader r(section, "List_ReadLayoutParam");
  PrintLayout& l = Layout();
  const bool ok = r.NonZero("LINE", l.lines) && r.NonZero("COLUMN", l.columns) &&
                  r.Pair("LISTOFFSET", l.listOffsetX, l.listOffsetY);
  return ok ? 0 : -1;
}

int List1_ReadLayoutParam(std::string_view section, const PrintJob& job) {
  const SectionReader r(section, "List1_ReadLayoutParam");
  PrintLayout& l = Layout();
  int count = 0;
  if (!ReadCell(r, l) || !r.Count("NSEP", kMaxLayoutColumns, count)) return -1;
  ReadColumns(r, job, count, l);
  const bool ok =
      r.Color("EVENLINEBGCOLOR", l.evenLineColor) && r.Color("ODDLINEBGCOLOR", l.oddLineColor);
  return ok ? 0 : -1;
}

int List2_ReadLayoutParam(std::string_view section) {
  const SectionReader r(section, "List2_ReadLayoutParam");
  PrintLayout& l = Layout();
  int count = 0;
  if (!ReadCell(r, l) || !r.Count("NBOX", kMaxLayoutBoxes, count)) return -1;
  l.boxes.assign(static_cast<std::size_t>(count), PrintLayoutBox{});
  for (int i = 1; i <= count; ++i) {
    if (!ReadBox(r, i, l.boxes[static_cast<std::size_t>(i - 1)])) return -1;
  }
  return 0;
}

int MapHall_ReadLayoutParam(std::string_view section) {
  const SectionReader r(section, "MapHall_ReadLayoutParam");
  PrintLayout& l = Layout();
  return r.Rect("MAPRECT", l.mapRect) && r.Rect("HALLRECT", l.hallRect) ? 0 : -1;
}

int MapHallLine_ReadLayoutParam(std::string_view section) {
  const SectionReader r(section, "MapHallLine_ReadLayoutParam");
  PrintLayout& l = Layout();
  const bool ok =
      r.NonZero("MAPLINE", l.mapListLines) && r.NonZero("MAPCOLUMN", l.mapListColumns) &&
      r.Pair("MAPLISTOFFSET", l.mapListOffsetX, l.mapListOffsetY) &&
      r.NonZero("HALLLINE", l.hallListLines) && r.NonZero("HALLCOLUMN", l.hallListColumns) &&
      r.Pair("HALLLISTOFFSET", l.hallListOffsetX, l.hallListOffsetY) &&
      r.Color("POINTLINECOLOR", l.pointLineColor);
  return ok ? 0 : -1;
}

int ReadLayoutParam_AM(std::string_view section) {
  const SectionReader r(section, "ReadLayoutParam_AM");
  PrintLayout& l = Layout();
  if (!r.Rect("ALLMAP_MAPRECT", l.outlineMapRect) ||
      !r.Rect("ALLMAP_HALLRECT", l.outlineHallRect) ||
      !r.Color("ALLMAP_AREACOLOR", l.outlineAreaColor)) {
    return -1;
  }
  l.outlineAreaOpacity = r.Int("ALLMAP_AREAOPACITY");
  l.outlineFrameWidth = r.Int("ALLMAP_FRAMEWIDTH");
  if (!r.Color("ALLMAP_FRAMECOLOR", l.outlineFrameColor)) return -1;
  l.outlineOuterFrameWidth = r.Int("ALLMAP_OUTFRAMEWIDTH");
  return r.Color("ALLMAP_OUTFRAMECOLOR", l.outlineOuterFrameColor) ? 0 : -1;
}

int ReadLayoutParam_CL(std::string_view section) {
  const SectionReader r(section, "ReadLayoutParam_CL");
  PrintLayout& l = Layout();
  if (!r.NonZero("COLORLIST_ITEMS", l.colorItems) || !r.NonZero("COLORLIST_LINE", l.colorLines) ||
      !r.NonZero("COLORLIST_COLUMN", l.colorColumns) ||
      !r.Pair("COLORLIST_OFFSET", l.colorOffsetX, l.colorOffsetY) ||
      !r.NonZero("COLORLIST_COLUMNWIDTH", l.colorCellWidth) ||
      !r.NonZero("COLORLIST_COLUMNHEIGHT", l.colorCellHeight)) {
    return -1;
  }
  l.colorCellBorderWidth = r.Int("COLORLIST_COLUMNBORDERWIDTH");
  l.colorCellBorderHeight = r.Int("COLORLIST_COLUMNBORDERHEIGHT");
  l.colorCellPaddingWidth = r.Int("COLORLIST_COLUMNPADDINGWIDTH");
  l.colorCellPaddingHeight = r.Int("COLORLIST_COLUMNPADDINGHEIGHT");
  l.colorPageBorderWidth = r.Int("COLORLIST_PAGEBORDERWIDTH");
  l.colorPageBorderHeight = r.Int("COLORLIST_PAGEBORDERHEIGHT");
  l.colorPagePaddingWidth = r.Int("COLORLIST_PAGEPADDINGWIDTH");
  l.colorPagePaddingHeight = r.Int("COLORLIST_PAGEPADDINGHEIGHT");
  if (!r.NonZero("COLORLIST_BOXWIDTH", l.colorBoxWidth)) return -1;
  l.colorBoxBorderWidth = r.Int("COLORLIST_BOXBORDERWIDTH");
  l.colorBoxBorderHeight = r.Int("COLORLIST_BOXBORDERHEIGHT");
  return 0;
}

void Map_ReadUnrotate(std::string_view section) {
  Layout().mapUnrotate = SectionReader(section, "PrintDocument_Map1").Int("MAP_UNROTATE");
}

void ListMap2_ReadBoxDrawPoint(std::string_view section) {
  const SectionReader r(section, "PrintDocument_Map2");
  Layout().boxDrawPointX = r.Int("BOXDRAWPOINTX");
  Layout().boxDrawPointY = r.Int("BOXDRAWPOINTY");
}

}  // namespace vx
