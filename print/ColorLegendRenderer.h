// The legend of check colours: a framed grid of cells, each with the colour's swatch and name.
#pragma once

namespace vx {

struct PrintJob;

// Draws the legend at COLORLIST_OFFSET; 0, or -1 after reporting.
int RenderCheckColorList_BMP(PrintJob& job, bool output);

}  // namespace vx
