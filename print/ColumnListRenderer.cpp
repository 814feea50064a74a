#include "print/ColumnListRenderer.h"

#include <algorithm>
#include <string>

#include "platform/CodePage.h"
#include "print/PageDrawing.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintItemText.h"
#include "print/PrintRecordFields.h"
#include "print/PrintTextDrawer.h"

namespace vx {
namespace {

// A little less than the text box, so that descenders stay inside.
int ListFontSize(int boxHeight) { return boxHeight * 9 / 10; }

int LastShownColumn(const PrintLayout& l) {
  for (int i = static_cast<int>(l.listColumns.size()) - 1; i >= 0; --i) {
    if (l.listColumns[static_cast<std::size_t>(i)].shown) return i;
  }
  return -1;
}

std::string ColumnText(const PrintLayoutColumn& column, const ListEntry& entry,
                       const PrintLayout& l) {
  if (entry.row < 0) return PrintItem_HeaderName(column.item, l);
  if (!entry.record) return {};
  if (column.item == kItemSerialNumber) return std::to_string(entry.serial);
  std::string text = PrintItem_Text(*entry.record, column.item, l);
  return column.skipLineBreak ? FoldLineBreaks(text) : text;
}

void FillCell(PageCanvas& canvas, const DibRect& cell, const ListEntry& entry,
              const PrintLayout& l) {
  const ColorRef bg = entry.number >= 0 && entry.number % 2 == 0 ? l.oddLineColor : l.evenLineColor;
  canvas.FillRect(cell, bg);
  DrawFrame(canvas, cell, l.borderWidth, l.borderHeight);
}

}  // namespace

std::vector<int> ListColumn_Widths(const PrintLayout& l) {
  std::vector<int> widths(l.listColumns.size(), 0);
  const int room = l.cellWidth - 2 * (l.paddingWidth + l.borderWidth) -
                   (l.separatorWidth + 2 * l.paddingWidth) * (l.shownColumns - 1) - l.fixedSum;
  const int last = LastShownColumn(l);
  int left = std::max(0, room);
  int proportional = 0;
  for (int i = 0; i <= last; ++i) {
    const PrintLayoutColumn& column = l.listColumns[static_cast<std::size_t>(i)];
    if (!column.shown) continue;
    int width = 0;
    if (column.width <= 0) {
      width = -column.width;
    } else {
      ++proportional;
      const int share = l.shareSum > 0 ? static_cast<int>(static_cast<long long>(column.width) *
                                                          std::max(0, room) / l.shareSum)
                                       : 0;
      width = std::min(proportional == l.proportionalColumns ? left : share, left);
      left -= width;
    }
    if (i == last) width += left;
    widths[static_cast<std::size_t>(i)] = width;
  }
  return widths;
}

int List1_PaintColumnData_BMP(PrintJob& job, const ListGrid& grid, const ListEntry& entry,
                              bool output) {
  PageCanvas* canvas = PrintPage_Canvas(job, output);
  if (!canvas) return 0;
  const PrintLayout& l = PrintEngine_State().layout;
  const PagePoint origin = PrintPage_Origin();
  const DibRect cell = grid.CellRect(l, origin.x, origin.y, entry.column, entry.row);
  FillCell(*canvas, cell, entry, l);
  const std::vector<int> widths = ListColumn_Widths(l);
  const int last = LastShownColumn(l);
  const int textY = cell.y + l.paddingHeight + l.borderHeight;
  const int textHeight = l.cellHeight - 2 * (l.paddingHeight + l.borderHeight);
  int x = cell.x + l.paddingWidth + l.borderWidth;
  for (int i = 0; i <= last; ++i) {
    const PrintLayoutColumn& column = l.listColumns[static_cast<std::size_t>(i)];
    if (!column.shown) continue;
    const int width = widths[static_cast<std::size_t>(i)];
    const DibRect box{x, textY, width, textHeight};
    if (column.item == kItemColor && entry.row >= 0 && entry.record) {
      DrawRecordColor(*canvas, box, *entry.record);
    } else if (DrawTextBox(*canvas, box, ColumnText(column, entry, l), ListFontSize(textHeight),
                           kTextLeft | kTextVCenter, TextFlow::kFit) != 0) {
      ReportPrintError(Sjis("印刷用メモリが確保できません(1)"), "List1_PaintColumnData_BMP");
      return -1;
    }
    if (i != last) {
      canvas->FillRect({x + width + l.paddingWidth, cell.y, l.separatorWidth, cell.h}, kBlack);
    }
    x += width + 2 * l.paddingWidth + l.separatorWidth;
  }
  return 0;
}

}  // namespace vx
