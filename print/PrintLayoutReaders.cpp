// The readers of the layout file: one per group of keys, each over the engine's layout block.
#include <algorithm>
#include <array>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>

#include "platform/LeadingInt.h"
#include "platform/Sjis.h"
#include "print/PrintDataSource.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintItemText.h"
#include "print/PrintLayout.h"
#include "res/BuiltInPrintLayout.h"

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

// Bounds that keep every value of a layout drawable: lengths may be doubled and summed without
// overflow, and a page has at least one pixel and one cell.
struct Range {
  int low;
  int high;
  bool Holds(int v) const { return v >= low && v <= high; }
};
constexpr int kMaxLength = 100000;  // pixels
constexpr int kMaxCells = 1000;
constexpr int kMaxDpi = 1200;
constexpr int kMaxPaper = 2000;  // millimetres
constexpr Range kLength{-kMaxLength, kMaxLength};
constexpr Range kThickness{0, kMaxLength};
constexpr Range kSize{1, kMaxLength};
constexpr Range kCells{1, kMaxCells};

// The keys of one section, read for one reader; a missing or out-of-range key is reported with
// the reader's name and the key as formed, and the read fails.
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
  // A number that may be left out (then `defaultValue`, which must be in range too).
  bool Ranged(std::string_view key, Range range, int& out, int defaultValue = 0) const {
    out = Int(key, defaultValue);
    return range.Holds(out) || OutOfRange(key, range);
  }
  // A required number that must not be 0: a key left out or empty is missing; a 0 (or text that
  // is no number) is there, and out of range.
  bool Required(std::string_view key, Range range, int& out) const {
    out = Int(key);
    if (out == 0 && Text(key).empty()) return Missing(key);
    return range.Holds(out) || OutOfRange(key, range);
  }
  // Thicknesses, paddings and the like: 0 or more, 0 when left out.
  bool Thicknesses(std::initializer_list<std::pair<const char*, int*>> keys) const {
    for (const auto& [key, value] : keys) {
      if (!Ranged(key, kThickness, *value)) return false;
    }
    return true;
  }
  // A required count (NSEP, NBOX): only a negative one is missing.
  bool Count(std::string_view key, int limit, int& out) const {
    out = Int(key, -1);
    if (out < 0) return Missing(key);
    out = std::min(out, limit);
    return true;
  }
  bool Pair(std::string_view key, Range range, int& x, int& y) const {
    std::array<int, 2> n{};
    if (!Numbers(key, n) || !InRange(key, n, range, range)) return false;
    x = n[0];
    y = n[1];
    return true;
  }
  // x and y within `position`, width and height within `size`.
  bool Rect(std::string_view key, Range position, Range size, DibRect& r) const {
    std::array<int, 4> n{};
    if (!Numbers(key, n) || !InRange(key, n, position, size)) return false;
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
  // The first two numbers take `first`, the others `second`.
  template <std::size_t N>
  bool InRange(std::string_view key, const std::array<int, N>& n, Range first, Range second) const {
    for (std::size_t i = 0; i < N; ++i) {
      const Range range = i < 2 ? first : second;
      if (!range.Holds(n[i])) return OutOfRange(key, range);
    }
    return true;
  }
  bool Missing(std::string_view key) const {
    LayoutKeyMissing(section_, key, reader_);
    return false;
  }
  bool OutOfRange(std::string_view key, Range range) const {
    LayoutValueOutOfRange(section_, key, reader_, range.low, range.high);
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
  return r.Required("COLUMNWIDTH", kSize, l.cellWidth) &&
         r.Required("COLUMNHEIGHT", kSize, l.cellHeight) &&
         r.Thicknesses({{"BORDERWIDTH", &l.borderWidth},
                        {"BORDERHEIGHT", &l.borderHeight},
                        {"PADDINGWIDTH", &l.paddingWidth},
                        {"PADDINGHEIGHT", &l.paddingHeight},
                        {"SEPARATORWIDTH", &l.separatorWidth}});
}

bool ReadColumns(const SectionReader& r, const PrintJob& job, int count, PrintLayout& l) {
  l.listColumns.assign(static_cast<std::size_t>(count), PrintLayoutColumn{});
  l.shareSum = l.fixedSum = l.shownColumns = l.proportionalColumns = 0;
  for (int i = 1; i <= count; ++i) {
    PrintLayoutColumn& column = l.listColumns[static_cast<std::size_t>(i - 1)];
    if (!r.Ranged(Numbered("SEP", i, "WIDTH"), kLength, column.width)) return false;
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
  return true;
}

bool ReadBox(const SectionReader& r, int i, PrintLayoutBox& box) {
  DibRect pos;
  if (!r.Rect(Numbered("BOX", i, "POS"), kLength, kLength, pos)) return false;
  box.x = pos.x;
  box.y = pos.y;
  box.width = pos.w;
  box.height = pos.h;
  box.item = r.Int(Numbered("BOX", i, "ITEM"));
  box.align = r.Int(Numbered("BOX", i, "ALIGN"));
  return r.Ranged(Numbered("BOX", i, "BORDER"), kThickness, box.border) &&
         r.Ranged(Numbered("BOX", i, "PADDING"), kThickness, box.padding) &&
         r.Ranged(Numbered("BOX", i, "FONTSIZE"), kThickness, box.fontSize);
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

// The paper and its printable area: every page has at least one pixel and one millimetre to
// print on.
bool ReadPaper(const SectionReader& r, PrintLayout& l) {
  if (!r.Ranged("DPI", {1, kMaxDpi}, l.dpi) ||
      !r.Ranged("PAPERWIDTH", {1, kMaxPaper}, l.paperWidth) ||
      !r.Ranged("PAPERHEIGHT", {1, kMaxPaper}, l.paperHeight)) {
    return false;
  }
  return r.Ranged("MARGINX", {0, (l.paperWidth - 1) / 2}, l.marginX) &&
         r.Ranged("MARGINY", {0, (l.paperHeight - 1) / 2}, l.marginY) &&
         r.Ranged("OFFSETX", {-l.paperWidth, l.paperWidth}, l.offsetX) &&
         r.Ranged("OFFSETY", {-l.paperHeight, l.paperHeight}, l.offsetY) &&
         r.Ranged("PAGETITLEFONT", kSize, l.pageTitleFont, 64);
}

// The program folder's file when there is one, else the one built into the program.
bool LoadLayoutFile(PrintEngineState& state) {
  std::error_code error;
  const std::filesystem::path& file = state.layoutFile;
  if (std::filesystem::status(file, error).type() != std::filesystem::file_type::not_found) {
    state.layoutProfile = ProfileFile(file);
    return state.layoutProfile.Ok() || ReportFileReadError(file, "Document_ReadLayoutParam") != 0;
  }
  static const std::optional<std::string> builtIn = BuiltInPrintLayout();
  if (!builtIn) {
    return ReportFileReadError(kBuiltInPrintLayoutPath, "Document_ReadLayoutParam") != 0;
  }
  state.layoutProfile = ProfileFile::FromText(*builtIn);
  return true;
}

}  // namespace

int Document_ReadLayoutParam(const PrintJob& job) {
  PrintEngineState& state = PrintEngine_State();
  PrintLayout& l = state.layout = PrintLayout{};
  if (!LoadLayoutFile(state)) return -1;
  const SectionReader r("DOCUMENT", "Document_ReadLayoutParam");
  if (!ReadPaper(r, l)) return -1;
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
  if (!r.Pair("PAGEOFFSET", {-kMaxPaper, kMaxPaper}, x, y)) return -1;
  l.pageOffsetX = static_cast<int>(static_cast<long long>(l.dpi) * x * 10 / 254);
  l.pageOffsetY = static_cast<int>(static_cast<long long>(l.dpi) * y * 10 / 254);
  return 0;
}

int List_ReadLayoutParam(std::string_view section) {
  const SectionReader r(section, "List_ReadLayoutParam");
  PrintLayout& l = Layout();
  const bool ok = r.Required("LINE", kCells, l.lines) && r.Required("COLUMN", kCells, l.columns) &&
                  r.Pair("LISTOFFSET", kLength, l.listOffsetX, l.listOffsetY);
  return ok ? 0 : -1;
}

int List1_ReadLayoutParam(std::string_view section, const PrintJob& job) {
  const SectionReader r(section, "List1_ReadLayoutParam");
  PrintLayout& l = Layout();
  int count = 0;
  if (!ReadCell(r, l) || !r.Count("NSEP", kMaxLayoutColumns, count) ||
      !ReadColumns(r, job, count, l)) {
    return -1;
  }
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
  return r.Rect("MAPRECT", kLength, kSize, l.mapRect) &&
                 r.Rect("HALLRECT", kLength, kSize, l.hallRect)
             ? 0
             : -1;
}

int MapHallLine_ReadLayoutParam(std::string_view section) {
  const SectionReader r(section, "MapHallLine_ReadLayoutParam");
  PrintLayout& l = Layout();
  const bool ok = r.Required("MAPLINE", kCells, l.mapListLines) &&
                  r.Required("MAPCOLUMN", kCells, l.mapListColumns) &&
                  r.Pair("MAPLISTOFFSET", kLength, l.mapListOffsetX, l.mapListOffsetY) &&
                  r.Required("HALLLINE", kCells, l.hallListLines) &&
                  r.Required("HALLCOLUMN", kCells, l.hallListColumns) &&
                  r.Pair("HALLLISTOFFSET", kLength, l.hallListOffsetX, l.hallListOffsetY) &&
                  r.Color("POINTLINECOLOR", l.pointLineColor);
  return ok ? 0 : -1;
}

int ReadLayoutParam_AM(std::string_view section) {
  const SectionReader r(section, "ReadLayoutParam_AM");
  PrintLayout& l = Layout();
  const bool ok = r.Rect("ALLMAP_MAPRECT", kLength, kSize, l.outlineMapRect) &&
                  r.Rect("ALLMAP_HALLRECT", kLength, kSize, l.outlineHallRect) &&
                  r.Color("ALLMAP_AREACOLOR", l.outlineAreaColor) &&
                  r.Thicknesses({{"ALLMAP_AREAOPACITY", &l.outlineAreaOpacity},
                                 {"ALLMAP_FRAMEWIDTH", &l.outlineFrameWidth}}) &&
                  r.Color("ALLMAP_FRAMECOLOR", l.outlineFrameColor) &&
                  r.Ranged("ALLMAP_OUTFRAMEWIDTH", kThickness, l.outlineOuterFrameWidth) &&
                  r.Color("ALLMAP_OUTFRAMECOLOR", l.outlineOuterFrameColor);
  return ok ? 0 : -1;
}

int ReadLayoutParam_CL(std::string_view section) {
  const SectionReader r(section, "ReadLayoutParam_CL");
  PrintLayout& l = Layout();
  const bool ok = r.Required("COLORLIST_ITEMS", kCells, l.colorItems) &&
                  r.Required("COLORLIST_LINE", kCells, l.colorLines) &&
                  r.Required("COLORLIST_COLUMN", kCells, l.colorColumns) &&
                  r.Pair("COLORLIST_OFFSET", kLength, l.colorOffsetX, l.colorOffsetY) &&
                  r.Required("COLORLIST_COLUMNWIDTH", kSize, l.colorCellWidth) &&
                  r.Required("COLORLIST_COLUMNHEIGHT", kSize, l.colorCellHeight) &&
                  r.Thicknesses({{"COLORLIST_COLUMNBORDERWIDTH", &l.colorCellBorderWidth},
                                 {"COLORLIST_COLUMNBORDERHEIGHT", &l.colorCellBorderHeight},
                                 {"COLORLIST_COLUMNPADDINGWIDTH", &l.colorCellPaddingWidth},
                                 {"COLORLIST_COLUMNPADDINGHEIGHT", &l.colorCellPaddingHeight},
                                 {"COLORLIST_PAGEBORDERWIDTH", &l.colorPageBorderWidth},
                                 {"COLORLIST_PAGEBORDERHEIGHT", &l.colorPageBorderHeight},
                                 {"COLORLIST_PAGEPADDINGWIDTH", &l.colorPagePaddingWidth},
                                 {"COLORLIST_PAGEPADDINGHEIGHT", &l.colorPagePaddingHeight}}) &&
                  r.Required("COLORLIST_BOXWIDTH", kSize, l.colorBoxWidth) &&
                  r.Thicknesses({{"COLORLIST_BOXBORDERWIDTH", &l.colorBoxBorderWidth},
                                 {"COLORLIST_BOXBORDERHEIGHT", &l.colorBoxBorderHeight}});
  return ok ? 0 : -1;
}

bool Map_ReadUnrotate(std::string_view section) {
  const SectionReader r(section, "PrintDocument_Map1");
  return r.Ranged("MAP_UNROTATE", kLength, Layout().mapUnrotate);
}

bool ListMap2_ReadBoxDrawPoint(std::string_view section) {
  const SectionReader r(section, "PrintDocument_Map2");
  return r.Ranged("BOXDRAWPOINTX", kLength, Layout().boxDrawPointX) &&
         r.Ranged("BOXDRAWPOINTY", kLength, Layout().boxDrawPointY);
}

}  // namespace vx
