// The layout of the pages of one print job, read from the layout file "vpr.ini": the "DOCUMENT"
// section and the section of the job's document, layout number and orientation. Lengths are
// pixels of the page image at the layout's DPI unless millimetres are named; colours are
// 0x00BBGGRR. The readers fill the engine's one block; the job's thread reads it while it draws.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "checklist/FavoriteColor.h"
#include "print/DibImage.h"

namespace vx {

struct PrintJob;

constexpr int kMaxLayoutColumns = 255;
constexpr int kMaxLayoutBoxes = 15;
constexpr int kMaxSeparatorNames = 256;
constexpr std::size_t kLayoutTextMax = 255;

// Item numbers of list columns and boxes: 0 and above can be switched off by the job.
constexpr int kItemAlways = -1;        // a column always shown; in a box: the circle's cut
constexpr int kItemSerialNumber = -2;  // shown only when the job prints serial numbers

struct PrintLayoutColumn {
  int width = 0;  // above 0: a share of what the fixed columns leave; 0 or below: fixed pixels
  int item = 0;
  bool skipLineBreak = false;
  bool shown = false;
};

struct PrintLayoutBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;  // negative: placed at its own y with the absolute height; else stacked
  int border = 0;
  int padding = 0;
  int fontSize = 0;
  int align = 0;  // 0 left, 1 centred, 2 right
  int item = 0;
};

struct PrintLayout {
  // --- "DOCUMENT" ------------------------------------------------------------------------------
  int dpi = 0;
  int paperWidth = 0;  // millimetres, portrait
  int paperHeight = 0;
  int marginX = 0;  // millimetres, on both sides
  int marginY = 0;
  int offsetX = 0;  // millimetres
  int offsetY = 0;
  int pageTitleFont = 64;
  std::string weekHead;
  std::string weekTail;
  std::string hallHead;
  std::string hallTail;
  std::string dayCount;  // names a day: a template with one number
  std::string posFail;   // the position printed for a circle without a space
  std::string posFail2;  // the weekday text that marks a circle without a space
  std::string colorListNone;
  std::string posNo;
  int sepNameStart = 0;
  int sepNameEnd = 0;
  std::vector<std::string> sepNames;  // from sepNameStart on
  std::string documentTitle;          // the event's name

  // --- The document's section ------------------------------------------------------------------
  int pageOffsetX = 0;  // pixels (from millimetres at the DPI as read; never doubled)
  int pageOffsetY = 0;

  int lines = 0;    // LINE: entry cells across
  int columns = 0;  // COLUMN: entry cells down
  int listOffsetX = 0;
  int listOffsetY = 0;

  int cellWidth = 0;  // COLUMNWIDTH, COLUMNHEIGHT of the column list or the box list
  int cellHeight = 0;
  int borderWidth = 0;
  int borderHeight = 0;
  int paddingWidth = 0;
  int paddingHeight = 0;
  int separatorWidth = 0;

  std::vector<PrintLayoutColumn> listColumns;  // SEP1.. of the column list
  int shareSum = 0;                            // over the shown columns
  int fixedSum = 0;
  int shownColumns = 0;
  int proportionalColumns = 0;
  ColorRef evenLineColor = 0;
  ColorRef oddLineColor = 0;

  std::vector<PrintLayoutBox> boxes;  // BOX1.. of the box list

  DibRect mapRect;
  DibRect hallRect;
  int mapListLines = 0;
  int mapListColumns = 0;
  int mapListOffsetX = 0;
  int mapListOffsetY = 0;
  int hallListLines = 0;
  int hallListColumns = 0;
  int hallListOffsetX = 0;
  int hallListOffsetY = 0;
  ColorRef pointLineColor = 0;

  DibRect outlineMapRect;
  DibRect outlineHallRect;
  ColorRef outlineAreaColor = 0;
  int outlineAreaOpacity = 0;
  int outlineFrameWidth = 0;
  ColorRef outlineFrameColor = 0;
  int outlineOuterFrameWidth = 0;
  ColorRef outlineOuterFrameColor = 0;

  int colorItems = 0;
  int colorLines = 0;    // rows of the legend
  int colorColumns = 0;  // columns of the legend
  int colorOffsetX = 0;
  int colorOffsetY = 0;
  int colorCellWidth = 0;
  int colorCellHeight = 0;
  int colorCellBorderWidth = 0;
  int colorCellBorderHeight = 0;
  int colorCellPaddingWidth = 0;
  int colorCellPaddingHeight = 0;
  int colorPageBorderWidth = 0;
  int colorPageBorderHeight = 0;
  int colorPagePaddingWidth = 0;
  int colorPagePaddingHeight = 0;
  int colorBoxWidth = 0;
  int colorBoxBorderWidth = 0;
  int colorBoxBorderHeight = 0;

  int mapUnrotate = 0;
  int boxDrawPointX = 0;
  int boxDrawPointY = 0;

  int scale = 1;  // 2 in a high-resolution job
};

// "LIST_%d%c" and the others: the job's document, layout number (always 0 for the map) and
// orientation ('H' landscape, 'V' portrait); "" for no document.
std::string PrintLayout_SectionName(int documentKind, int layoutNumber, int orientation);

// The readers, each over the engine's layout file and block. 0 when every required key was
// found and every value lies in its range; -1 at the first that does not, after reporting it.
// The layout file is the program folder's "vpr.ini", or the built-in one when there is none.
int Document_ReadLayoutParam(const PrintJob& job);
int All_ReadLayoutParam(std::string_view section);
int List_ReadLayoutParam(std::string_view section);
int List1_ReadLayoutParam(std::string_view section, const PrintJob& job);
int List2_ReadLayoutParam(std::string_view section);
int MapHall_ReadLayoutParam(std::string_view section);
int MapHallLine_ReadLayoutParam(std::string_view section);
int ReadLayoutParam_AM(std::string_view section);
int ReadLayoutParam_CL(std::string_view section);
// MAP_UNROTATE of the map document; BOXDRAWPOINTX and BOXDRAWPOINTY of the second
// list-with-map document. False when a value is out of range.
bool Map_ReadUnrotate(std::string_view section);
bool ListMap2_ReadBoxDrawPoint(std::string_view section);
// Doubles every length for a high-resolution job.
void All_ScaleLayoutParam(const PrintJob& job);

// Everything a document reads, in its order, ending with the scaling; -1 at the first failure.
int PrintLayout_ReadForDocument(const PrintJob& job, int documentKind);
// Whether the last document read found its layout broken (missing, unreadable, a key missing or
// out of range): its job has no pages because of the layout, not for want of data.
bool PrintLayout_Failed();
// What the user is told when a job cannot be printed because of the layout (CP932).
std::string PrintLayout_FailureText();

}  // namespace vx
