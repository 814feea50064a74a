// The check-colour swatches of the colour menu and the colour tool bars: a rounded rectangle in
// the colour, outlined in black, on a 16 x 16 cell (drawn at 1x and 2x).
#pragma once

#include <QColor>
#include <QIcon>

#include <cstdint>

namespace vx {

// The menu's swatch: the rectangle (1, 2)-(13, 11).
QIcon MenuColorSwatch(std::uint32_t colorRef);
// A colour button's image: the rectangle (1, 2)-(14, 12); the cell is filled with `highlight`
// when it is valid (the current colour).
QIcon BarColorSwatch(std::uint32_t colorRef, const QColor& highlight = QColor());

}  // namespace vx
