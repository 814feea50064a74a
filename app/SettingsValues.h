// The block of setting values that the application keeps a working copy of. Every window and
// command reads and changes that copy; it is copied whole to and from the settings store, so it
// holds fixed-size fields only. Texts are zero-terminated CP932; the fields that name files and
// folders hold settings path texts (app/SettingsPath.h).
#pragma once

#include <cstdint>
#include <type_traits>

#include "app/PrintSettings.h"

namespace vx {

constexpr int kTextSize = 260;
constexpr int kRecentFileCount = 9;
constexpr int kWindowSlotCount = 16;
constexpr int kMaxCheckColors = 16;
constexpr int kColorNameSize = 33;
constexpr int kColumnSlotCount = 23;
constexpr int kToolBarCount = 5;

// Window ids of the five top-level windows, in the order of their settings slots.
constexpr int kMainWindowId = 32769;
constexpr int kMapWindowId = 32770;
constexpr int kChecklistWindowId = 32776;
constexpr int kDetailWindowId = 32772;
constexpr int kListWindowId = 32784;

struct WindowRect {
  int left;
  int top;
  int right;
  int bottom;
};

// A tool bar's visibility and its docked position.
struct ToolBarPlace {
  int shown;
  int x;
  int y;
};

// Tool bars in the order of their places in the block.
enum ToolBarIndex { kToolBarBasic, kToolBarJump, kToolBarDisp, kToolBarCheck, kToolBarNavi };

struct SettingsValues {
  int noDatabase;  // "noDatabase96": the user refused to initialise the user database
  int imgPathMode;
  char imagePath[kTextSize];
  int lastSelPage;
  int eventNumber;  // "VQNumber96"
  char defaultFileDir[kTextSize];
  char recentFiles[kRecentFileCount][kTextSize];  // newest first

  // Map image name templates, formatted with the day and a file-name stem.
  char mdataFile[kTextSize];
  char gdataFile[kTextSize];
  char adataFile[kTextSize];
  char hmdataFile[kTextSize];
  char hgdataFile[kTextSize];
  char hadataFile[kTextSize];

  int windowIds[kWindowSlotCount];
  WindowRect windowRects[kWindowSlotCount];  // relative to the work area
  int windowShown[kWindowSlotCount];

  int childWndTop;
  int cutAntiAlias;
  int cutStretchMode;
  int cutZoomSize;
  int cutResolution;
  int listShowCut;
  int mapAntiAlias;
  int mapStretchMode;
  int mapZoomSize;
  int mapGenreDisp;

  // Check colours are COLORREF values (0x00BBGGRR).
  int fvrColorNum;
  std::uint32_t fvrColors[kMaxCheckColors];
  char fvrColorNames[kMaxCheckColors][kColorNameSize];
  std::uint32_t fvrPrintColors[kMaxCheckColors];
  int fvrColorDef;  // current colour, 0-based

  // Column widths are kept per column kind; definitions per position (low byte kind, 0x100 shown).
  int listColumnWidths[kColumnSlotCount];
  int checkColumnWidths[kColumnSlotCount];
  int listColumns[kColumnSlotCount];
  int checkColumns[kColumnSlotCount];

  int googleType;
  int googleItem1;
  int googleItem2;
  int googleCondition;

  int listSortEnable;
  int sortEnable;
  int autoNext;
  int autoNext2;
  int listSync;
  int scrollMode;
  int autoSel;
  int oneClickSel;
  int mdlsSearch;
  int strictLoad;
  int autoLoad;
  int searchDlgStyle;
  int cursorInit;
  int startCover;
  int fvrOver;
  int fvrOverColor;
  int syncIconic;

  PrintSettings print;

  ToolBarPlace toolBars[kToolBarCount];

  int browserPathMode;
  char browserPath[kTextSize];
};

static_assert(std::is_trivially_copyable_v<SettingsValues>);
static_assert(std::is_standard_layout_v<SettingsValues>);

}  // namespace vx
