// Why a print kind cannot be printed or previewed, in a box over `owner`: its layout is broken
// (the layout error was shown when the pages were counted), or the chosen range holds no data.
#pragma once

class QWidget;

namespace vx {

class UiServices;

void ShowNoPagesBox(UiServices& ui, QWidget* owner);

}  // namespace vx
