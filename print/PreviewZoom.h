// The preview's zoomed drawing: the visible part of a page picture at 25, 50, 100, 200, 300 or
// 400 %, without smoothing, so that a line of the page stays a line on the screen. Reductions
// take every 2nd or 4th pixel counted from a multiple of the factor, so that scrolling does not
// make thin lines flicker in and out.
#pragma once

#include <QImage>

namespace vx {

// The `width` x `height` page pixels from (x, y), each part clamped to the page, at `percent`;
// a null picture for another percent or an empty part.
QImage Preview_ZoomedPart(const QImage& page, int percent, int x, int y, int width, int height);

}  // namespace vx
