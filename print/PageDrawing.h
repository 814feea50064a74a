// What every page renderer draws with: where the page's drawing starts, the page's canvas, text
// in a box, frames and the page title. Renderers draw only when the page is output (`output`):
// the counting pass and pages outside the range draw nothing.
#pragma once

#include <string>
#include <string_view>

#include "print/PageCanvas.h"

namespace vx {

struct PrintJob;
struct PrintRecord;

struct PagePoint {
  int x = 0;
  int y = 0;
};

// The printable area's origin (from the back-end) plus the layout's page offset.
PagePoint PrintPage_Origin();
// The canvas the back-end opened for the job: null when nothing is drawn.
PageCanvas* PrintPage_Canvas(PrintJob& job, bool output);
// Forgets the job's page image and canvas.
void PrintPage_Release(PrintJob& job);

// Starts the page on its canvas (white page image, or the printer's next sheet); -1 after
// reporting.
int Page_Begin(PrintJob& job, bool output);

// Every run of CR and LF characters becomes one space.
std::string FoldLineBreaks(std::string_view text);

// Draws the CP932 text in black into `box`; nothing for an empty text or box. `format` takes
// the kText* alignment flags. 0; -1 when the text cannot be drawn (memory).
int DrawTextBox(PageCanvas& canvas, const DibRect& box, std::string_view text, int fontSize,
                unsigned format, TextFlow flow);
// A frame inside the rectangle: `tw` thick at the left and right, `th` at the top and bottom.
void DrawFrame(PageCanvas& canvas, const DibRect& r, int tw, int th, ColorRef color = kBlack);
// Fills the rectangle with the print colour of the record's check colour; nothing for a circle
// without one (memo only, or a colour outside the checklist's).
void DrawRecordColor(PageCanvas& canvas, const DibRect& r, const PrintRecord& record);

// The page title at the page origin, as wide as the printable area and PAGETITLEFONT high;
// -1 after reporting.
int PageSetup_PrintTitle_BMP(PrintJob& job, std::string_view title, bool output);

}  // namespace vx
