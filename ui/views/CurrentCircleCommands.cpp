#include "ui/views/CurrentCircleCommands.h"

#include <Qt>

#include <utility>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "res/ResourceIds.h"
#include "ui/menus/CommandMap.h"

namespace vx {

CurrentCircleCommands::CurrentCircleCommands(CatalogController& controller,
                                             std::function<int()> currentId)
    : controller_(controller), currentId_(std::move(currentId)) {}

void CurrentCircleCommands::AddTo(CommandMap& commands) {
  CatalogController& c = controller_;
  commands
      .OnRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST,
               [this](int id) { Check(id - ID_CHECK_COLOR_FIRST + 1); })
      .OnRange(ID_CURRENT_COLOR_FIRST, ID_CURRENT_COLOR_LAST,
               [&c](int id) { c.SetCurrentColor(id - ID_CURRENT_COLOR_FIRST); })
      .On(ID_CHECK_CURRENT_COLOR, [this] { CheckWithCurrentColor(); })
      .On(ID_UNCHECK, [this] { Uncheck(); })
      .On(ID_COPY_CIRCLE, [this] { Copy(); })
      .On(ID_PASTE_CHECKLIST, [this] { Paste(); })
      .On(ID_CUT_CIRCLE, [this] { Cut(); });
  // Only the colours the checklist has can be chosen.
  const auto existing = [&c](int first) {
    return [&c, first](int id, CommandState& state) {
      state.enabled = id - first < c.GetColorCount();
    };
  };
  commands.OnUpdateRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST, existing(ID_CHECK_COLOR_FIRST))
      .OnUpdateRange(ID_CURRENT_COLOR_FIRST, ID_CURRENT_COLOR_LAST,
                     existing(ID_CURRENT_COLOR_FIRST))
      .OnUpdate(ID_PASTE_CHECKLIST,
                [&c](int, CommandState& state) { state.enabled = c.IsClipboardTextAvailable(); });
}

void CurrentCircleCommands::Check(int color) {
  if (color > controller_.GetColorCount()) return;
  controller_.SetCircleColor(color, currentId_());
}

void CurrentCircleCommands::CheckWithCurrentColor() { controller_.SetCircleColor(-1, currentId_()); }

void CurrentCircleCommands::Uncheck() { controller_.UncheckCircle(currentId_()); }

bool CurrentCircleCommands::Copy() {
  const int ids[] = {currentId_()};
  return ids[0] > 0 && controller_.CopyCirclesToClipboard(ids);
}

// Never removes what could not be copied.
void CurrentCircleCommands::Cut() {
  if (Copy()) Uncheck();
}

void CurrentCircleCommands::Paste() {
  if (controller_.IsClipboardTextAvailable()) controller_.PasteFromClipboard();
}

bool CurrentCircleCommands::AutoNext() const {
  const SettingsValues* values = controller_.Values();
  return values && values->autoNext;
}

bool CurrentCircleCommands::AutoNext2() const {
  const SettingsValues* values = controller_.Values();
  return values && values->autoNext2;
}

void CurrentCircleCommands::MoveOnIf(bool setting) {
  if (setting) controller_.SelectNextCut();
}

bool CurrentCircleCommands::HandleColorKey(int key) {
  if (key >= Qt::Key_1 && key <= Qt::Key_9) {
    const int color = key - Qt::Key_0;
    if (color > controller_.GetColorCount()) return true;
    Check(color);
    MoveOnIf(AutoNext2());
    return true;
  }
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CheckWithCurrentColor();
      MoveOnIf(AutoNext());
      return true;
    case Qt::Key_Delete:
    case Qt::Key_0:
      Uncheck();
      MoveOnIf(AutoNext2());
      return true;
    default:
      return false;
  }
}

bool CurrentCircleCommands::HandleCtrlKey(int key, const ZoomKeys& zoomKeys,
                                          const std::function<void(int)>& toFrame) {
  switch (key) {
    case Qt::Key_0:
      toFrame(zoomKeys.fitWhole);
      return true;
    case Qt::Key_1:
      toFrame(zoomKeys.actualSize);
      return true;
    case Qt::Key_2:
      toFrame(zoomKeys.fitWidthOnce);
      return true;
    case Qt::Key_M:
      toFrame(zoomKeys.zoomBox);
      return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // the unshifted plus key
      toFrame(zoomKeys.zoomIn);
      return true;
    case Qt::Key_Minus:
      toFrame(zoomKeys.zoomOut);
      return true;
    case Qt::Key_C:
      Copy();
      return true;
    case Qt::Key_V:
      Paste();
      return true;
    case Qt::Key_X:
      Cut();
      return true;
    default:
      return false;
  }
}

}  // namespace vx
