// A small catalogue and layout for the print documents: one hall group "東123" with two halls on
// a 100 x 80 map of 10 x 10 desks, two event days, and a layout file at 100 DPI on a 200 x 300 mm
// page whose map frames show the map six times enlarged. Circles are given field by field.
#pragma once

#include <QColor>
#include <QImage>
#include <map>
#include <string>
#include <vector>

#include "print/DibImageQt.h"
#include "print/PageImageOutput.h"
#include "print/PrintCatalogTables.h"
#include "print/PrintDocuments.h"
#include "print/PrintEngineState.h"
#include "print/PrintSelection.h"
#include "print/PrintTextDrawer.h"
#include "res/ResourceIds.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/support/TempDir.h"

namespace vxtest {

// 100 DPI, 200 x 300 mm: pages of 787 x 1181 pixels without margins.
inline const char* const kDocumentLayout = R"([DOCUMENT]
DPI=100
PAPERWIDTH=200
PAPERHEIGHT=300
PAGETITLEFONT=20
WEEKHEAD=(
WEEKTAIL=)
HALLTAIL=Hall
DAYCOUNT=Day %d
POSFAIL=not placed
POSFAIL2=NP
COLORLISTNONE=none
POSNO=No.%d
SEPNAMESTART=-2
SEPNAMEEND=7
SEP-2NAME=No.
SEP0NAME=Name
SEP7NAME=Col

[LIST_0V]
PAGEOFFSET=0,0
LINE=2
COLUMN=10
LISTOFFSET=0,60
[ROWS]
NSEP=3
SEP1WIDTH=-40
SEP1ITEM=-2
SEP2WIDTH=-30
SEP2ITEM=7
SEP3WIDTH=1
SEP3ITEM=0
EVENLINEBGCOLOR=200,200,200
ODDLINEBGCOLOR=255,255,255
[CL]

[CIRCLELIST_3V]
PAGEOFFSET=0,0
LINE=2
COLUMN=3
LISTOFFSET=0,40
[BOXES]
[CL]

[MAP_0V]
PAGEOFFSET=0,0
MAPRECT=0,40,600,480
HALLRECT=0,40,600,480
[CL]
[AM]

[LISTMAP_0V]
PAGEOFFSET=0,0
[ROWS]
NSEP=2
SEP1WIDTH=-40
SEP1ITEM=-2
SEP2WIDTH=1
SEP2ITEM=0
EVENLINEBGCOLOR=200,200,200
ODDLINEBGCOLOR=255,255,255
MAPRECT=0,40,600,480
HALLRECT=0,40,600,480
[GRIDS]
[CL]
[AM]

[LISTMAP2_0V]
PAGEOFFSET=0,0
[BOXES]
MAPRECT=0,40,600,480
HALLRECT=0,40,600,480
[GRIDS]
BOXDRAWPOINTX=0
BOXDRAWPOINTY=150
[CL]
[AM]
)";

inline const char* const kBoxesKeys = R"(COLUMNWIDTH=390
COLUMNHEIGHT=300
BORDERWIDTH=2
BORDERHEIGHT=2
PADDINGWIDTH=4
PADDINGHEIGHT=4
NBOX=6
BOX1POS=0,0,100,-140
BOX1ITEM=-1
BOX2POS=0,142,100,-20
BOX2FONTSIZE=16
BOX2ITEM=-2
BOX3POS=110,0,260,24
BOX3FONTSIZE=20
BOX3ITEM=6
BOX4POS=110,0,260,30
BOX4FONTSIZE=26
BOX4ITEM=0
BOX5POS=110,0,260,60
BOX5FONTSIZE=18
BOX5ITEM=4
BOX6POS=110,0,260,60
BOX6FONTSIZE=18
BOX6ITEM=5)";

inline const char* const kRowKeys = R"(COLUMNWIDTH=390
COLUMNHEIGHT=40
BORDERWIDTH=2
BORDERHEIGHT=2
PADDINGWIDTH=2
PADDINGHEIGHT=2
SEPARATORWIDTH=2)";

inline const char* const kGridKeys = R"(MAPLINE=2
MAPCOLUMN=2
MAPLISTOFFSET=0,580
HALLLINE=2
HALLCOLUMN=2
HALLLISTOFFSET=0,580
POINTLINECOLOR=255,0,0)";

inline const char* const kColorListKeys = R"(COLORLIST_ITEMS=16
COLORLIST_LINE=2
COLORLIST_COLUMN=8
COLORLIST_OFFSET=0,1100
COLORLIST_COLUMNWIDTH=95
COLORLIST_COLUMNHEIGHT=30
COLORLIST_COLUMNBORDERWIDTH=1
COLORLIST_COLUMNBORDERHEIGHT=1
COLORLIST_COLUMNPADDINGWIDTH=2
COLORLIST_COLUMNPADDINGHEIGHT=2
COLORLIST_PAGEBORDERWIDTH=2
COLORLIST_PAGEBORDERHEIGHT=2
COLORLIST_PAGEPADDINGWIDTH=2
COLORLIST_PAGEPADDINGHEIGHT=2
COLORLIST_BOXWIDTH=20)";

inline const char* const kOutlineKeys = R"(ALLMAP_MAPRECT=620,40,150,240
ALLMAP_HALLRECT=620,300,150,240
ALLMAP_AREACOLOR=255,0,0
ALLMAP_AREAOPACITY=100
ALLMAP_FRAMEWIDTH=2
ALLMAP_FRAMECOLOR=0,0,255
ALLMAP_OUTFRAMECOLOR=255,255,255)";

inline std::string DocumentLayoutText() {
  std::string text = kDocumentLayout;
  const std::pair<const char*, const char*> parts[] = {{"[BOXES]", kBoxesKeys},
                                                       {"[ROWS]", kRowKeys},
                                                       {"[GRIDS]", kGridKeys},
                                                       {"[CL]", kColorListKeys},
                                                       {"[AM]", kOutlineKeys}};
  for (const auto& [mark, keys] : parts) {
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
      text.replace(at, std::string(mark).size(), keys);
    }
  }
  return text;
}

// One circle of the test checklist.
struct TestCircle {
  int id = 0;
  int color = 1;
  int day = 1;  // 0: not placed
  std::string block = "A";
  int space = 1;
  int half = 0;
  int layoutCode = 1;
  int deskColumn = 0;
  int deskRow = 0;
  int page = 1;
  std::string name = {};
  std::string supplement = {};
  std::string memo = {};
  int fieldCount = 29;  // 22 or fewer: a line of another writer, without the space half
};

// Hall group 1 "東123" (map stem "E", blocks "ABCD"): hall 1 "東1" holds block A (spaces 1..20)
// and B, hall 2 "東2" blocks C and D.
class DocumentCatalog : public FakePrintSource {
 public:
  DocumentCatalog() {
    dayCount = 2;
    cell = {0, 0, 10, 10};  // desks from (1, 1)
    colorCount = 9;
    vx::PrintMapInfo east;
    east.name = vx::HallGroupNames()[0];
    east.fileStem = "E";
    east.outlineStem = "G1";
    east.print = {0, 0, 100, 80};
    east.hiResPrint = east.print;
    east.blockNames = "ABCD";
    maps = {{east.name, east}};
    areas = {{vx::HallNames()[0], Hall(vx::HallNames()[0], {0, 0, 50, 80}, "A", "B", "H1")},
             {vx::HallNames()[1], Hall(vx::HallNames()[1], {50, 0, 50, 80}, "C", "D", "H2")}};
    templates.map = "MAP%d%s.PNG";
    templates.genre = "GNR%d%s.PNG";
    templates.outline = "OUT%s.PNG";
  }

  std::string DayWeekdayName(int day) const override {
    return day >= 1 && day <= dayCount ? weekdays[static_cast<std::size_t>(day - 1)] : "";
  }
  std::string ChecklistHeaderLine() const override { return headerLine; }

  void Add(const TestCircle& c) {
    circles[c.id] = c;
    vx::FavoriteEntry e;
    e.record.id = c.id;
    e.record.day = c.day;
    e.record.blockId = c.block.empty() ? 0 : c.block[0];
    e.record.spaceNo = c.space;
    e.record.spaceNoSub = c.half;
    e.record.pageNo = c.page;
    e.record.cutIndex = 1;
    e.record.updateId = c.id;
    e.color = c.color;
    e.printOrder = static_cast<int>(entries.size()) + 1;
    entries.push_back(e);
  }

  std::string ChecklistLine(const vx::CircleRecord& r, int color) const override {
    const TestCircle& c = circles.at(r.id);
    const std::string weekday = c.day > 0 ? DayWeekdayName(c.day) : "NP";
    const std::vector<std::string> fields = {std::to_string(c.id - 1),
                                             std::to_string(color),
                                             std::to_string(c.page),
                                             "1",
                                             weekday,
                                             "E",
                                             c.block,
                                             std::to_string(c.space),
                                             "110",
                                             c.name,
                                             "pen",
                                             "book",
                                             "",
                                             "",
                                             c.supplement,
                                             std::to_string(c.deskColumn),
                                             std::to_string(c.deskRow),
                                             c.memo,
                                             "kana",
                                             "0",
                                             "0",
                                             std::to_string(c.layoutCode),
                                             std::to_string(c.half)};
    std::string line;
    for (std::size_t i = 0; i < fields.size() && i < static_cast<std::size_t>(c.fieldCount); ++i) {
      line += fields[i] + ",";
    }
    return c.fieldCount > 23 ? line + ",,,,,," : line;
  }

  std::map<int, TestCircle> circles;
  std::vector<std::string> weekdays = {"D1", "D2"};
  std::string headerLine = "QUILLOR,104,Vellastrade96,Windows";

 private:
  static vx::PrintAreaInfo Hall(const std::string& name, vx::PrintRect print,
                                const std::string& first, const std::string& further,
                                const std::string& outline) {
    vx::PrintAreaInfo a;
    a.name = name;
    a.mapId = 1;
    a.hasPrintRect = true;
    a.print = print;
    a.hiResPrint = print;
    a.firstBlock = first;
    a.smallestSpace = 1;
    a.largestSpace = 20;
    a.furtherBlocks = further;
    a.outlineStem = outline;
    a.circleCount = 1;
    return a;
  }
};

// Records every text box drawn instead of drawing it.
class RecordingTextDrawer : public vx::PrintTextDrawer {
 public:
  struct Drawn {
    std::string text;
    int width = 0;  // of the drawing: twice the box for a text fitted into it
    int height = 0;
    int fontHeight = 0;
    unsigned format = 0;
  };
  bool DrawText(vx::DibImage& image, std::string_view text, const vx::TextLook& look) override {
    drawn.push_back({std::string(text), vx::DibImage_Width(image), vx::DibImage_Height(image),
                     look.fontHeight, look.format});
    const int grey = look.backgroundGrey;
    vx::DibImage_FillRect(image, 0, 0, vx::DibImage_Width(image), vx::DibImage_Height(image), grey,
                          grey, grey, vx::kDibSet);
    return true;
  }
  int TextWidth(std::string_view text, int, int) override { return static_cast<int>(text.size()); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Drawn& d : drawn) texts.push_back(d.text);
    return texts;
  }
  std::vector<Drawn> drawn;
};

// The documents over the test catalogue, with the layout above in a program folder of their own
// and the map pictures in an image folder.
class DocumentTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    WriteFileBytes(program / "vpr.ini", DocumentLayoutText());
    WritePictures();
    UseContext();
    vx::PrintDocuments_Register();
  }

  void UseContext() {
    vx::PrintEngineServices services;
    services.source = &catalog;
    services.reports = &reports;
    services.events = &events;
    services.text = recordTexts ? static_cast<vx::PrintTextDrawer*>(&recorder) : &textDrawer;
    services.startThread = startThread;
    vx::PrintEngine_SetContext(services, images.Path(), program.Path());
  }

  // White maps with a grey outline; the outline pictures show the whole venue ("BS") and each
  // part in black on white.
  void WritePictures() {
    for (int day = 1; day <= 2; ++day) {
      QImage map(100, 80, QImage::Format_RGB32);
      map.fill(Qt::white);
      map.save(QString::fromStdString((images / ("MAP" + std::to_string(day) + "E.PNG")).string()));
    }
    QImage whole(40, 40, QImage::Format_RGB32);
    whole.fill(QColor(128, 128, 128));
    whole.save(QString::fromStdString((images / "OUTBS.PNG").string()));
    const std::pair<const char*, QRect> parts[] = {{"OUTG1.PNG", QRect(0, 0, 40, 20)},
                                                   {"OUTH1.PNG", QRect(0, 0, 20, 20)},
                                                   {"OUTH2.PNG", QRect(20, 0, 20, 20)}};
    for (const auto& [name, rect] : parts) {
      QImage part(40, 40, QImage::Format_RGB32);
      part.fill(Qt::white);
      for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) part.setPixel(x, y, qRgb(0, 0, 0));
      }
      part.save(QString::fromStdString((images / name).string()));
    }
  }

  void Check(TestCircle c) { catalog.Add(c); }

  // A job of the family and layout (the test layout's sections: list 1, cut list 5, maps 8 map,
  // 9 LISTMAP, 10 LISTMAP2) over both days, every hall and colour; runs the counting pass.
  vx::PrintSelection Request(int family, int layout) {
    vx::PrintSelection request;
    request.Reset();
    request.family = family;
    request.layout = layout;
    request.AddHallGroup(1);
    return request;
  }
  int SetUp(vx::PrintSelection& request) { return vx::PrintEngine_SetupJob(request); }

  // Runs the set-up job's document on this thread to target 3 (pages scaled to their own size).
  int RunPreview(const std::string& range = "") {
    vx::PrintJob& job = vx::PrintEngine_Job();
    vx::PrintEngine_SetPageRange(range, 1, 0);
    job.ownerWindow = &owner;
    return RunKind(job, vx::kTargetPreview);
  }
  static int RunKind(vx::PrintJob& job, int target) {
    return vx::PrintDocuments_Run(vx::PrintEngine_DocumentKind(), job, target);
  }

  // The job's pages go to `onPage` through target 1 (image files) or 4 (the printer through page
  // images); the owner window is set and the messages so far dropped.
  void UseOutput(int target, vx::PageImageOutput::PageFunction onPage) {
    vx::PrintEngine_SetPageOutput(target, std::make_shared<vx::PageImageOutput>(std::move(onPage)));
    if (target == vx::kTargetPrinterImages) {
      vx::PrintEngine_SetPrinterTarget(nullptr, 1);
    } else {
      vx::PrintEngine_SetImageFileTarget(nullptr, 0, 0, "", "page", vx::kImagePng);
    }
    vx::PrintEngine_SetOwnerWindow(&owner);
    events.Clear();
  }

  // The messages posted to the owner window, without the window.
  std::vector<std::pair<unsigned, std::intptr_t>> Messages() {
    std::vector<std::pair<unsigned, std::intptr_t>> messages;
    for (const auto& [window, message, lParam] : events.Taken()) {
      messages.emplace_back(message, lParam);
    }
    return messages;
  }
  std::vector<unsigned> EndMessages() {
    std::vector<unsigned> ends;
    for (const auto& [message, lParam] : Messages()) {
      if (message == UM_PRINT_DONE || message == UM_PRINT_STOPPED || message == UM_PRINT_FAILED) {
        ends.push_back(message);
      }
    }
    return ends;
  }
  std::vector<int> PagesPosted() {
    std::vector<int> pages;
    for (const auto& [message, lParam] : Messages()) {
      if (message == UM_PRINT_PAGE) pages.push_back(static_cast<int>(lParam));
    }
    return pages;
  }

  // The last page drawn, as a picture.
  QImage LastPage() {
    const vx::PrintJob& job = vx::PrintEngine_Job();
    return job.scaledPageImage ? vx::DibImage_ToQImage(*job.scaledPageImage) : QImage();
  }

  TempDir program;
  TempDir images;
  DocumentCatalog catalog;
  RecordingTextDrawer recorder;
  bool recordTexts = false;
  std::function<std::thread(std::function<void()>)> startThread;
  int owner = 0;
};

}  // namespace vxtest
