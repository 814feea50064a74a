// Leader lines composed into a page image: drawn on a white layer that is multiplied into the
// page once, so that where the strokes of a wide line overlap it stays as light as elsewhere.
#pragma once

#include <vector>

#include "print/DibImage.h"

namespace vx {

struct LeaderLine;

// Width step 0 draws one pixel wide lines in the colour with 5 x 5 end squares; steps 1 to 3
// draw wider lines in the colour halfway to white with larger squares in the full colour.
// 0, or -1 when memory runs out.
int LeaderLines_DrawIntoImage(DibImage& page, const std::vector<LeaderLine>& lines, int step);

}  // namespace vx
