// What every page renderer draws with: where the page's drawing starts, the white page, text in
// a box, black frames and the page title. Renderers draw into the job's page image only when the
// page is output (`output`): the counting pass and pages outside the range draw nothing.
#pragma once

#include <string>
#include <string_view>

#include "print/DibImage.h"

namespace vx {

struct PrintJob;
struct PrintRecord;

struct PagePoint {
  int x = 0;
  int y = 0;
};

// The printable area's origin (from the back-end) plus the layout's page offset.
PagePoint PrintPage_Origin();
// The page image to draw into: null when nothing is drawn.
DibImage* PrintPage_Canvas(PrintJob& job, bool output);

// Fills the page image white; 0.
int Page_Begin(PrintJob& job, bool output);

// Every run of CR and LF characters becomes one space.
std::string FoldLineBreaks(std::string_view text);

// How a text takes its box: squeezed onto one line when it is wider, or wrapped inside it.
enum class TextFlow { kFit, kWrap };

// Draws the CP932 text in black into `box` of the 24-bit image: multiplied, so that the box's
// background shows around the letters. `format` takes the kText* alignment flags. 0; -1 when the
// text cannot be rendered (memory).
int DrawTextBox(DibImage& image, const DibRect& box, std::string_view text, int fontSize,
                unsigned format, TextFlow flow);
// A black frame inside the rectangle: `tw` thick at the left and right, `th` at the top and
// bottom.
void DrawFrame(DibImage& image, const DibRect& r, int tw, int th);
// Fills the rectangle with the print colour of the record's check colour; nothing for a circle
// without one (memo only, or a colour outside the checklist's).
void DrawRecordColor(DibImage& image, const DibRect& r, const PrintRecord& record);

// The page title at the page origin, as wide as the printable area and PAGETITLEFONT high;
// -1 after reporting.
int PageSetup_PrintTitle_BMP(PrintJob& job, std::string_view title, bool output);

}  // namespace vx
