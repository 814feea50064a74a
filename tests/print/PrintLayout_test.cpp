// The layout file: the built-in "vpr.ini" read section by section and checked to fit the page, a
// program folder's file taking its place, and the readers' handling of missing, damaged and
// extreme values.
#include "print/PrintLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "print/PrintEngineState.h"
#include "print/PrintPageGeometry.h"
#include "res/BuiltInPrintLayout.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/support/TempDir.h"

namespace vxtest {
namespace {

using vx::DibRect;

struct Section {
  const char* name;
  int kind;
  int layoutNumber;
  int orientation;
};

constexpr Section kSections[] = {
    {"LIST_0V", vx::kDocumentList, 0, vx::kPortrait},
    {"LIST_1V", vx::kDocumentList, 1, vx::kPortrait},
    {"LIST_0H", vx::kDocumentList, 0, vx::kLandscape},
    {"LIST_1H", vx::kDocumentList, 1, vx::kLandscape},
    {"LIST_2H", vx::kDocumentList, 2, vx::kLandscape},
    {"CIRCLELIST_0H", vx::kDocumentCircleList, 0, vx::kLandscape},
    {"CIRCLELIST_1H", vx::kDocumentCircleList, 1, vx::kLandscape},
    {"CIRCLELIST_2H", vx::kDocumentCircleList, 2, vx::kLandscape},
    {"CIRCLELIST_3H", vx::kDocumentCircleList, 3, vx::kLandscape},
    {"CIRCLELIST_0V", vx::kDocumentCircleList, 0, vx::kPortrait},
    {"CIRCLELIST_1V", vx::kDocumentCircleList, 1, vx::kPortrait},
    {"CIRCLELIST_2V", vx::kDocumentCircleList, 2, vx::kPortrait},
    {"CIRCLELIST_3V", vx::kDocumentCircleList, 3, vx::kPortrait},
    {"MAP_0H", vx::kDocumentMap, 1, vx::kLandscape},
    {"MAP_0V", vx::kDocumentMap, 0, vx::kPortrait},
    {"LISTMAP_0H", vx::kDocumentListMap, 0, vx::kLandscape},
    {"LISTMAP_0V", vx::kDocumentListMap, 0, vx::kPortrait},
    {"LISTMAP2_0H", vx::kDocumentListMap2, 0, vx::kLandscape},
    {"LISTMAP2_1H", vx::kDocumentListMap2, 1, vx::kLandscape},
    {"LISTMAP2_2H", vx::kDocumentListMap2, 2, vx::kLandscape},
    {"LISTMAP2_0V", vx::kDocumentListMap2, 0, vx::kPortrait},
    {"LISTMAP2_1V", vx::kDocumentListMap2, 1, vx::kPortrait},
    {"LISTMAP2_2V", vx::kDocumentListMap2, 2, vx::kPortrait},
};

bool Inside(const DibRect& r, int width, int height) {
  return r.x >= 0 && r.y >= 0 && r.w > 0 && r.h > 0 && r.x + r.w <= width && r.y + r.h <= height;
}

bool Overlap(const DibRect& a, const DibRect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

DibRect Inflated(const DibRect& r, int by) {
  return {r.x - by, r.y - by, r.w + 2 * by, r.h + 2 * by};
}

// The cells of a grid; `header` adds the header row a column list draws above the first row.
DibRect Grid(const vx::PrintLayout& l, int x, int y, int across, int down, bool header) {
  const int stepX = l.cellWidth - l.borderWidth;
  const int stepY = l.cellHeight - l.borderHeight;
  const int top = header ? y - stepY : y;
  return {x, top, across * stepX + l.borderWidth,
          (down + (header ? 1 : 0)) * stepY + l.borderHeight};
}

DibRect Legend(const vx::PrintLayout& l) {
  return {
      l.colorOffsetX, l.colorOffsetY,
      l.colorColumns * l.colorCellWidth + 2 * (l.colorPagePaddingWidth + l.colorPageBorderWidth),
      l.colorLines * l.colorCellHeight + 2 * (l.colorPagePaddingHeight + l.colorPageBorderHeight)};
}

// Every column of the list has room when the job shows them all.
void ExpectColumnsFit(const vx::PrintLayout& l, const std::string& name) {
  const int room = l.cellWidth - 2 * (l.paddingWidth + l.borderWidth) -
                   (l.separatorWidth + 2 * l.paddingWidth) * (l.shownColumns - 1) - l.fixedSum;
  EXPECT_GT(room, 10 * l.proportionalColumns) << name;
  EXPECT_EQ(l.shownColumns, static_cast<int>(l.listColumns.size())) << name;
}

// Placed boxes lie inside the cell, stacked boxes fill at most its height, and every text box
// holds a line of its font.
void ExpectBoxesFit(const vx::PrintLayout& l, const std::string& name) {
  const int innerW = l.cellWidth - 2 * (l.borderWidth + l.paddingWidth);
  const int innerH = l.cellHeight - 2 * (l.borderHeight + l.paddingHeight);
  int stacked = 0;
  for (const vx::PrintLayoutBox& b : l.boxes) {
    const int height = std::abs(b.height);
    EXPECT_LE(b.x + b.width, innerW) << name << " item " << b.item;
    if (b.height < 0) {
      EXPECT_LE(b.y + height, innerH) << name << " item " << b.item;
    } else {
      stacked += b.height;
    }
    if (b.item != vx::kItemAlways) {
      EXPECT_GE(height - 2 * (b.border + b.padding), b.fontSize) << name << " item " << b.item;
    }
  }
  EXPECT_LE(stacked, innerH) << name;
}

class LayoutTest : public EngineTest {
 protected:
  int Read(const Section& s, vx::PrintJob job = {}) {
    job.layoutNumber = s.layoutNumber;
    job.orientation = s.orientation;
    job.serialNumbers = true;
    return vx::PrintLayout_ReadForDocument(job, s.kind);
  }
  const vx::PrintLayout& Layout() { return vx::PrintEngine_State().layout; }

  // A copy of the shipped file with `edit` applied to its text, as the program folder's layout.
  void UseEditedLayout(const std::function<void(std::string&)>& edit) {
    std::string text = ReadFileBytes(LayoutFolder() / "vpr.ini");
    edit(text);
    WriteFileBytes(folder / "vpr.ini", text);
    SetContext(&source, {}, folder.Path());
  }
  static void Replace(std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  }

  TempDir folder;
};

TEST_F(LayoutTest, EverySectionOfTheBuiltInFileReadsAndFitsItsPage) {
  SetContext(&source, {}, folder.Path());  // no vpr.ini in the program folder
  for (const Section& s : kSections) {
    ASSERT_EQ(Read(s), 0) << s.name;
    const vx::PrintLayout& l = Layout();
    const vx::PrintPageGeometry page = vx::PrintPage_Geometry(l, s.orientation);
    const int w = page.printableWidth;
    const int h = page.printableHeight;
    const DibRect title{0, 0, w, l.pageTitleFont};
    const DibRect legend = Legend(l);
    EXPECT_TRUE(Inside(legend, w, h)) << s.name;
    EXPECT_FALSE(Overlap(title, legend)) << s.name;
    std::vector<DibRect> blocks;
    if (s.kind == vx::kDocumentList || s.kind == vx::kDocumentCircleList) {
      blocks.push_back(
          Grid(l, l.listOffsetX, l.listOffsetY, l.lines, l.columns, s.kind == vx::kDocumentList));
    } else {
      // The map frame is drawn outside the fitted map; the outline map has a place of its own.
      blocks.push_back(Inflated(l.mapRect, 4));
      blocks.push_back(Inflated(l.hallRect, 4));
      const DibRect outlineMap = Inflated(l.outlineMapRect, l.outlineFrameWidth);
      const DibRect outlineHall = Inflated(l.outlineHallRect, l.outlineFrameWidth);
      EXPECT_TRUE(Inside(outlineMap, w, h)) << s.name;
      EXPECT_TRUE(Inside(outlineHall, w, h)) << s.name;
      EXPECT_FALSE(Overlap(outlineMap, blocks[0])) << s.name;
      EXPECT_FALSE(Overlap(outlineHall, blocks[1])) << s.name;
      if (s.kind != vx::kDocumentMap) {
        const bool header = s.kind == vx::kDocumentListMap;
        const DibRect mapList =
            Grid(l, l.mapListOffsetX, l.mapListOffsetY, l.mapListLines, l.mapListColumns, header);
        const DibRect hallList = Grid(l, l.hallListOffsetX, l.hallListOffsetY, l.hallListLines,
                                      l.hallListColumns, header);
        EXPECT_FALSE(Overlap(mapList, blocks[0])) << s.name;
        EXPECT_FALSE(Overlap(hallList, blocks[1])) << s.name;
        EXPECT_FALSE(Overlap(mapList, outlineMap)) << s.name;
        EXPECT_FALSE(Overlap(hallList, outlineHall)) << s.name;
        blocks.push_back(mapList);
        blocks.push_back(hallList);
      }
      blocks.push_back(outlineMap);
      blocks.push_back(outlineHall);
    }
    for (const DibRect& b : blocks) {
      EXPECT_TRUE(Inside(b, w, h))
          << s.name << " " << b.x << "," << b.y << " " << b.w << "x" << b.h;
      EXPECT_FALSE(Overlap(b, title)) << s.name;
      EXPECT_FALSE(Overlap(b, legend)) << s.name;
    }
    if (s.kind == vx::kDocumentList || s.kind == vx::kDocumentListMap) ExpectColumnsFit(l, s.name);
    if (s.kind == vx::kDocumentCircleList || s.kind == vx::kDocumentListMap2) {
      ExpectBoxesFit(l, s.name);
    }
  }
  EXPECT_TRUE(ReportTexts().empty());
}

// A printer puts the layout's page on the printable area of the chosen paper; the proportions
// must survive on A4 and B5 with the default margins in both orientations.
TEST_F(LayoutTest, ThePageKeepsItsProportionsOnA4AndB5) {
  ASSERT_EQ(Read(kSections[0]), 0);
  const vx::PrintLayout& l = Layout();
  struct Paper {
    const char* name;
    double width, height;  // millimetres, portrait
  };
  for (const Paper& p : {Paper{"A4", 210, 297}, Paper{"B5", 182, 257}}) {
    for (const bool landscape : {false, true}) {
      double outW = p.width - 40.0;  // default margins: 20.0 left and right, 28.3 top and bottom
      double outH = p.height - 56.6;
      double layoutW = l.paperWidth;
      double layoutH = l.paperHeight;
      if (landscape) {
        std::swap(outW, outH);
        std::swap(layoutW, layoutH);
      }
      const double ratio = (outW / layoutW) / (outH / layoutH);
      EXPECT_NEAR(ratio, 1.0, 0.005) << p.name << (landscape ? " landscape" : " portrait");
    }
  }
}

TEST_F(LayoutTest, DocumentValuesAndHighResolutionDoubling) {
  UseEditedLayout([](std::string& text) {
    Replace(text, "[LIST_0V]\nPAGEOFFSET=0,0", "[LIST_0V]\nPAGEOFFSET=10,5");
    Replace(text, "SEP1WIDTH=-90", "SEP1WIDTH=-40");
    Replace(text, "SEP4WIDTH=4", "SEP4WIDTH=2");
    Replace(text, "EVENLINEBGCOLOR=235,235,235", "EVENLINEBGCOLOR=255,0,0");
  });
  ASSERT_EQ(Read(kSections[0]), 0);
  EXPECT_EQ(std::tuple(Layout().dpi, Layout().pageOffsetX, Layout().pageOffsetY, Layout().scale),
            std::tuple(300, 118, 59, 1));
  EXPECT_EQ(Layout().evenLineColor, 255u);
  EXPECT_EQ(Layout().sepNames.size(), 10u);  // -2 .. 7
  EXPECT_EQ(vx::Cp932ToUtf8(Layout().sepNames[2]), "サークル名");
  EXPECT_EQ(vx::Cp932ToUtf8(Layout().dayCount), "%d日目");
  const int cell = Layout().cellWidth;
  const int fixed = Layout().fixedSum;

  vx::PrintJob high;
  high.highResolution = 1;
  ASSERT_EQ(Read(kSections[0], high), 0);
  const vx::PrintLayout& l = Layout();
  EXPECT_EQ(std::tuple(l.dpi, l.pageOffsetX, l.pageOffsetY, l.scale), std::tuple(600, 118, 59, 2));
  EXPECT_EQ(l.listColumns[0].width, -80);
  EXPECT_EQ(l.listColumns[3].width, 2);
  EXPECT_EQ(l.cellWidth, 2 * cell);
  EXPECT_EQ(l.fixedSum, 2 * fixed);
  EXPECT_EQ(l.colorItems, 16);  // counts stay
}

TEST_F(LayoutTest, ColumnsFollowTheJobsItemsAndSerialNumbers) {
  vx::PrintJob job;
  job.itemMask = 0x01 | 0x40;  // circle name and place
  job.layoutNumber = 0;
  job.orientation = vx::kPortrait;
  job.serialNumbers = false;
  ASSERT_EQ(vx::PrintLayout_ReadForDocument(job, vx::kDocumentList), 0);
  std::vector<int> shown;
  for (const vx::PrintLayoutColumn& c : Layout().listColumns) {
    if (c.shown) shown.push_back(c.item);
  }
  EXPECT_EQ(shown, (std::vector<int>{6, 0}));
  EXPECT_EQ(Layout().shownColumns, 2);
  EXPECT_EQ(Layout().fixedSum, 260);
  EXPECT_EQ(Layout().shareSum, 4);
}

// A key missing, or a value no page can be made with (or whose arithmetic would overflow), is
// reported with the section and the key; the read fails and the job has no pages.
TEST_F(LayoutTest, MissingDamagedOrOutOfRangeValuesAreReportedAndTheReadFails) {
  struct Case {
    const char* from;
    const char* to;
    const Section& section;
    const char* report;
  };
  const Case cases[] = {
      {"[LIST_0V]", "[LIST_9V]", kSections[0],
       "All_ReadLayoutParam: [LIST_0V] にエントリ PAGEOFFSET は存在していません"},
      {"COLUMN=50", "COLUMN=", kSections[0],
       "List_ReadLayoutParam: [LIST_0V] にエントリ COLUMN は存在していません"},
      {"NSEP=9", "NSEP=-1", kSections[0],
       "List1_ReadLayoutParam: [LIST_0V] にエントリ NSEP は存在していません"},
      {"ODDLINEBGCOLOR=255,255,255\nCOLORLIST_ITEMS=16\nCOLORLIST_LINE=2\nCOLORLIST_COLUMN=8\n"
       "COLORLIST_OFFSET=0,3269",
       "ODDLINEBGCOLOR=255,255,255\nCOLORLIST_ITEMS=16\nCOLORLIST_LINE=2\nCOLORLIST_COLUMN=8\n"
       "COLORLIST_OFFSET=",
       kSections[0],
       "ReadLayoutParam_CL: [LIST_0V] にエントリ COLORLIST_OFFSET は存在していません"},
      {"[CIRCLELIST_0V]", "[CIRCLELIST_0V]\nBOX3POS=", kSections[9],
       "List2_ReadLayoutParam: [CIRCLELIST_0V] にエントリ BOX3POS は存在していません"},
      {"[MAP_0H]\nPAGEOFFSET=0,0\nMAPRECT", "[MAP_0H]\nPAGEOFFSET=0,0\nMAP_RECT", kSections[13],
       "MapHall_ReadLayoutParam: [MAP_0H] にエントリ MAPRECT は存在していません"},
      // Values no page can be made with, or whose arithmetic would overflow.
      {"DPI=300", "DPI=0", kSections[0],
       "Document_ReadLayoutParam: [DOCUMENT] のエントリ DPI は 1 ～ 1200 の範囲で指定してください"},
      {"DPI=300", "DPI=1500000000", kSections[0],
       "Document_ReadLayoutParam: [DOCUMENT] のエントリ DPI は 1 ～ 1200 の範囲で指定してください"},
      {"PAPERWIDTH=210", "PAPERWIDTH=0", kSections[0],
       "Document_ReadLayoutParam: [DOCUMENT] のエントリ PAPERWIDTH は 1 ～ 2000 の範囲で指定して"
       "ください"},
      {"PAPERHEIGHT=297", "PAPERHEIGHT=2000000000", kSections[0],
       "Document_ReadLayoutParam: [DOCUMENT] のエントリ PAPERHEIGHT は 1 ～ 2000 の範囲で指定して"
       "ください"},
      {"MARGINX=5", "MARGINX=105", kSections[0],
       "Document_ReadLayoutParam: [DOCUMENT] のエントリ MARGINX は 0 ～ 104 の範囲で指定して"
       "ください"},
      {"COLUMNWIDTH=2362", "COLUMNWIDTH=-5", kSections[0],
       "List1_ReadLayoutParam: [LIST_0V] のエントリ COLUMNWIDTH は 1 ～ 100000 の範囲で指定して"
       "ください"},
      // A 0 is there: it is out of range, not missing.
      {"COLUMNHEIGHT=", "COLUMNHEIGHT=0\nX=", kSections[0],
       "List1_ReadLayoutParam: [LIST_0V] のエントリ COLUMNHEIGHT は 1 ～ 100000 の範囲で指定して"
       "ください"},
      {"COLUMN=50", "COLUMN=0", kSections[0],
       "List_ReadLayoutParam: [LIST_0V] のエントリ COLUMN は 1 ～ 1000 の範囲で指定してください"},
      {"COLUMN=50", "COLUMN=-3", kSections[0],
       "List_ReadLayoutParam: [LIST_0V] のエントリ COLUMN は 1 ～ 1000 の範囲で指定してください"},
      {"SEP1WIDTH=-90", "SEP1WIDTH=-2000000000", kSections[0],
       "List1_ReadLayoutParam: [LIST_0V] のエントリ SEP1WIDTH は -100000 ～ 100000 の範囲で指定"
       "してください"},
      {"[LIST_0V]\nPAGEOFFSET=0,0", "[LIST_0V]\nPAGEOFFSET=0,3000", kSections[0],
       "All_ReadLayoutParam: [LIST_0V] のエントリ PAGEOFFSET は -2000 ～ 2000 の範囲で指定して"
       "ください"},
      {"[MAP_0H]\nPAGEOFFSET=0,0\nMAPRECT=", "[MAP_0H]\nPAGEOFFSET=0,0\nMAPRECT=0,0,0,0\nX=",
       kSections[13],
       "MapHall_ReadLayoutParam: [MAP_0H] のエントリ MAPRECT は 1 ～ 100000 の範囲で指定して"
       "ください"},
  };
  for (const Case& c : cases) {
    vx::PrintEngine_Reset();
    reports.shown.clear();
    std::string text = ReadFileBytes(LayoutFolder() / "vpr.ini");
    // A key that appears first counts: an empty BOX3POS put before the real one hides it.
    Replace(text, c.from, c.to);
    WriteFileBytes(folder / "vpr.ini", text);
    SetContext(&source, {}, folder.Path());
    EXPECT_EQ(Read(c.section), -1) << c.report;
    EXPECT_TRUE(vx::PrintLayout_Failed()) << c.report;
    EXPECT_EQ(reports.Shown(),
              (std::vector<std::pair<std::string, std::string>>{{c.report, "LOG_Error_RegName"}}));
  }
}

// The built-in layout is the shipped file; a file in the program folder overrides it, and one
// that cannot be read is reported by its name and prints nothing.
TEST_F(LayoutTest, TheProgramFoldersFileOverridesTheBuiltInOne) {
  const std::optional<std::string> builtIn = vx::BuiltInPrintLayout();
  ASSERT_TRUE(builtIn);
  EXPECT_EQ(*builtIn, ReadFileBytes(LayoutFolder() / "vpr.ini"));

  UseEditedLayout([](std::string& text) { Replace(text, "DPI=300", "DPI=150"); });
  ASSERT_EQ(Read(kSections[13]), 0);
  EXPECT_EQ(Layout().dpi, 150);

  std::filesystem::remove(folder / "vpr.ini");
  std::filesystem::create_directory(folder / "vpr.ini");  // there, but no file to read
  EXPECT_EQ(Read(kSections[13]), -1);
  EXPECT_TRUE(vx::PrintLayout_Failed());
  EXPECT_EQ(reports.Shown(), (std::vector<std::pair<std::string, std::string>>{
                                 {"Document_ReadLayoutParam: ファイル " +
                                      (folder / "vpr.ini").string() + " の読み込みに失敗しました",
                                  "LOG_Error_File"}}));
  EXPECT_NE(vx::Cp932ToUtf8(vx::PrintLayout_FailureText()).find((folder / "vpr.ini").string()),
            std::string::npos);
}

// The largest values allowed stay in range when a high-resolution job doubles them.
TEST_F(LayoutTest, TheLargestValuesDoubleWithoutOverflow) {
  UseEditedLayout([](std::string& text) {
    Replace(text, "DPI=300", "DPI=1200");
    Replace(text, "SEP1WIDTH=-90", "SEP1WIDTH=-100000");
  });
  vx::PrintJob high;
  high.highResolution = 1;
  ASSERT_EQ(Read(kSections[0], high), 0);
  EXPECT_EQ(Layout().dpi, 2400);
  EXPECT_EQ(Layout().listColumns[0].width, -200000);
  const vx::PrintPageGeometry page = vx::PrintPage_Geometry(Layout(), vx::kPortrait);
  EXPECT_EQ(std::tuple(page.width, page.height), std::tuple(19842, 28062));
  EXPECT_FALSE(vx::PrintLayout_Failed());
}

TEST_F(LayoutTest, CountsAndNameRangesAreCapped) {
  struct Case {
    int nsep, nbox, nameStart, nameEnd;
    int columns, boxes;
    std::size_t names;
  };
  const Case cases[] = {
      {300, 0, 1, 1000, 255, 0, 256},
      {0, 20, 10, 5, 0, 15, 0},
  };
  for (const Case& c : cases) {
    std::string text = "[DOCUMENT]\nDPI=300\nPAPERWIDTH=210\nPAPERHEIGHT=297\nSEPNAMESTART=" +
                       std::to_string(c.nameStart) + "\nSEPNAMEEND=" + std::to_string(c.nameEnd) +
                       "\n[T]\nCOLUMNWIDTH=10\nCOLUMNHEIGHT=10\nEVENLINEBGCOLOR=1,2,3\n"
                       "ODDLINEBGCOLOR=1,2,3\nNSEP=" +
                       std::to_string(c.nsep) + "\nNBOX=" + std::to_string(c.nbox) + "\n";
    for (int i = 1; i <= 15; ++i) text += "BOX" + std::to_string(i) + "POS=1,2,3,-4\n";
    WriteFileBytes(folder / "vpr.ini", text);
    SetContext(&source, {}, folder.Path());
    ASSERT_EQ(vx::Document_ReadLayoutParam(vx::PrintJob{}), 0);
    EXPECT_EQ(vx::List1_ReadLayoutParam("T", vx::PrintJob{}), 0) << c.nsep;
    EXPECT_EQ(vx::List2_ReadLayoutParam("T"), 0) << c.nbox;
    EXPECT_EQ(static_cast<int>(Layout().listColumns.size()), c.columns);
    EXPECT_EQ(static_cast<int>(Layout().boxes.size()), c.boxes);
    EXPECT_EQ(Layout().sepNames.size(), c.names);
  }
  EXPECT_EQ(Layout().boxes[14].height, -4);
  EXPECT_TRUE(ReportTexts().empty());
}

TEST_F(LayoutTest, SectionNames) {
  EXPECT_EQ(vx::PrintLayout_SectionName(vx::kDocumentListMap2, 3, vx::kPortrait), "LISTMAP2_3V");
  EXPECT_EQ(vx::PrintLayout_SectionName(vx::kDocumentMap, 1, vx::kLandscape), "MAP_0H");
  EXPECT_EQ(vx::PrintLayout_SectionName(vx::kDocumentNone, 0, vx::kLandscape), "");
}

}  // namespace
}  // namespace vxtest
