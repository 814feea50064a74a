#include "print/ColorLegendRenderer.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "print/PageDrawing.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintTextDrawer.h"

namespace vx {
namespace {

// One cell: frame, swatch and name; -1 when the name cannot be drawn.
int DrawCell(PageCanvas& canvas, const DibRect& cell, int color) {
  const PrintEngineState& state = PrintEngine_State();
  const PrintLayout& l = state.layout;
  DrawFrame(canvas, cell, l.colorCellBorderWidth, l.colorCellBorderHeight);
  const int insetX = l.colorCellBorderWidth + l.colorCellPaddingWidth;
  const int insetY = l.colorCellBorderHeight + l.colorCellPaddingHeight;
  const DibRect swatch{cell.x + insetX, cell.y + insetY, l.colorBoxWidth, cell.h - 2 * insetY};
  canvas.FillRect(swatch, state.tables.ColorOf(color));
  DrawFrame(canvas, swatch, l.colorBoxBorderWidth, l.colorBoxBorderHeight);
  const std::string& name = color <= state.tables.colorCount
                                ? state.tables.colors[static_cast<std::size_t>(color)].name
                                : std::string();
  const int nameX = swatch.x + swatch.w + l.colorCellPaddingWidth;
  const DibRect box{nameX, swatch.y, cell.x + cell.w - insetX - nameX, swatch.h};
  return DrawTextBox(canvas, box, name.empty() ? l.colorListNone : name, box.h * 9 / 10,
                     kTextLeft | kTextVCenter, TextFlow::kFit);
}

}  // namespace

int RenderCheckColorList_BMP(PrintJob& job, bool output) {
  PageCanvas* canvas = PrintPage_Canvas(job, output);
  if (!canvas) return 0;
  const PrintEngineState& state = PrintEngine_State();
  const PrintLayout& l = state.layout;
  // The colours in use only: a cell of a colour the checklist does not have says nothing.
  const int items = std::min(l.colorItems, state.tables.colorCount);
  const int lines = std::min(l.colorLines, (items + l.colorColumns - 1) / l.colorColumns);
  if (lines < 1) return 0;
  const PagePoint origin = PrintPage_Origin();
  const DibRect legend{
      origin.x + l.colorOffsetX, origin.y + l.colorOffsetY,
      l.colorColumns * l.colorCellWidth + 2 * (l.colorPagePaddingWidth + l.colorPageBorderWidth),
      lines * l.colorCellHeight + 2 * (l.colorPagePaddingHeight + l.colorPageBorderHeight)};
  DrawFrame(*canvas, legend, l.colorPageBorderWidth, l.colorPageBorderHeight);
  const int firstX = legend.x + l.colorPageBorderWidth + l.colorPagePaddingWidth;
  const int firstY = legend.y + l.colorPageBorderHeight + l.colorPagePaddingHeight;
  for (int r = 0; r < lines; ++r) {
    for (int k = 0; k < l.colorColumns; ++k) {
      const int color = l.colorColumns * r + k + 1;
      if (color > items) return 0;
      const DibRect cell{firstX + k * l.colorCellWidth, firstY + r * l.colorCellHeight,
                         l.colorCellWidth, l.colorCellHeight};
      if (DrawCell(*canvas, cell, color) != 0) {
        ReportPrintError(Sjis("印刷用メモリが確保できません"), "RenderCheckColorList_BMP");
        return -1;
      }
    }
  }
  return 0;
}

}  // namespace vx
