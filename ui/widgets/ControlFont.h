// The font of the program's bar and dialog controls: "MS UI Gothic" 12 pixels high, normal
// weight, which on this system is IPAGothic.
#pragma once

#include <QFont>

namespace vx {

QFont ControlFont();

}  // namespace vx
