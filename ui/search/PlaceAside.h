// Where a window goes so that it leaves another in sight: the search dialog kept open beside the
// list of its results.
#pragma once

#include <QPoint>
#include <QRect>

namespace vx {

// The top-left corner for `frame` (a window with its frame) inside `area` at which it covers
// `keepInSight` least: where it is when it covers nothing, else beside, above or below the other
// window, the nearest of the places that cover least when none is free.
QPoint PlaceAside(const QRect& frame, const QRect& keepInSight, const QRect& area);

}  // namespace vx
