// Where the preview and its progress dialog open: centred over a reference rectangle (the whole
// screen when there is none), but never past the screen's top left edge.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace vx {

// The top left corner for a window of `window` size centred over `reference` cut to `screen`
// (the whole screen for an empty reference), kept inside the reference where it fits and at
// the screen's origin at the latest where it does not.
QPoint CenteredPosition(const QRect& screen, const QRect& reference, const QSize& window);
// Moves the window there over `reference` (null: the screen), keeping its size.
void CenterOver(QWidget* reference, QWidget* window);

}  // namespace vx
