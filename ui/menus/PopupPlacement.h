// Where a popup menu goes so that it stays on the screen and keeps clear of a rectangle (the
// pressed button that opened it): at the wanted point when that works, else just below the
// rectangle, else just above it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace vx {

QPoint PopupPositionClearOf(const QPoint& wanted, const QSize& size, const QRect& keepClear,
                            const QRect& screen);

}  // namespace vx
