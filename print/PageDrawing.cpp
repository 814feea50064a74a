#include "print/PageDrawing.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintJob.h"
#include "print/PrintRecordFields.h"
#include "print/PrintTextDrawer.h"

namespace vx {

PagePoint PrintPage_Origin() {
  const PrintEngineState& state = PrintEngine_State();
  return {state.geometry.originX + state.layout.pageOffsetX,
          state.geometry.originY + state.layout.pageOffsetY};
}

PageCanvas* PrintPage_Canvas(PrintJob& job, bool output) {
  return output ? job.canvas.get() : nullptr;
}

void PrintPage_Release(PrintJob& job) {
  job.canvas.reset();
  job.pageImage.reset();
}

int Page_Begin(PrintJob& job, bool output) {
  PageCanvas* canvas = PrintPage_Canvas(job, output);
  return canvas ? canvas->BeginPage() : 0;
}

std::string FoldLineBreaks(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  bool inBreak = false;
  for (const char c : text) {
    const bool lineBreak = c == '\r' || c == '\n';
    if (lineBreak && !inBreak) folded += ' ';
    if (!lineBreak) folded += c;
    inBreak = lineBreak;
  }
  return folded;
}

int DrawTextBox(PageCanvas& canvas, const DibRect& box, std::string_view text, int fontSize,
                unsigned format, TextFlow flow) {
  if (text.empty() || box.w <= 0 || box.h <= 0 || fontSize <= 0) return 0;
  return canvas.DrawText(box, text, fontSize, format, flow);
}

void DrawRecordColor(PageCanvas& canvas, const DibRect& r, const PrintRecord& record) {
  const PrintCatalogTables& tables = PrintEngine_State().tables;
  const int color = record.FieldInt(kFieldColor);
  if (color < 1 || color > tables.colorCount) return;
  canvas.FillRect(r, tables.ColorOf(color));
}

void DrawFrame(PageCanvas& canvas, const DibRect& r, int tw, int th, ColorRef color) {
  tw = std::max(0, tw);
  th = std::max(0, th);
  if (th > 0) {
    canvas.FillRect({r.x, r.y, r.w, th}, color);
    canvas.FillRect({r.x, r.y + r.h - th, r.w, th}, color);
  }
  const int side = r.h - 2 * th;  // a negative extent would draw upwards
  if (tw == 0 || side <= 0) return;
  canvas.FillRect({r.x, r.y + th, tw, side}, color);
  canvas.FillRect({r.x + r.w - tw, r.y + th, tw, side}, color);
}

int PageSetup_PrintTitle_BMP(PrintJob& job, std::string_view title, bool output) {
  PageCanvas* canvas = PrintPage_Canvas(job, output);
  if (!canvas) return 0;
  const PrintEngineState& state = PrintEngine_State();
  const PagePoint origin = PrintPage_Origin();
  const int height = state.layout.pageTitleFont;
  const DibRect box{origin.x, origin.y, state.geometry.printableWidth, height};
  if (DrawTextBox(*canvas, box, title, height, kTextLeft, TextFlow::kFit) != 0) {
    ReportPrintError(Sjis("印刷用メモリが確保できません(1)"), "PageSetup_PrintTitle_BMP");
    return -1;
  }
  return 0;
}

}  // namespace vx
