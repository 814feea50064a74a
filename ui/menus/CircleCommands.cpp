#include "ui/menus/CircleCommands.h"

#include <Qt>

#include <utility>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "res/ResourceIds.h"
#include "ui/menus/CommandMap.h"

namespace vx {

CircleCommands::CircleCommands(CatalogController& controller, std::function<int()> circleId,
                               std::function<void()> beforeChange)
    : controller_(controller),
      circleId_(std::move(circleId)),
      beforeChange_(std::move(beforeChange)) {}

void CircleCommands::AddTo(CommandMap& commands) {
  CatalogController& c = controller_;
  commands
      .OnRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST,
               [this](int id) { Check(id - ID_CHECK_COLOR_FIRST + 1); })
      .OnRange(ID_CURRENT_COLOR_FIRST, ID_CURRENT_COLOR_LAST,
               [&c](int id) { c.SetCurrentColor(id - ID_CURRENT_COLOR_FIRST); })
      .On(ID_CHECK_CURRENT_COLOR, [this] { Check(-1); })
      .On(ID_UNCHECK, [this] { Uncheck(); })
      .On(ID_COPY_CIRCLE, [this] { Copy(); })
      .On(ID_PASTE_CHECKLIST, [this] { Paste(); })
      .On(ID_CUT_CIRCLE, [this] { Cut(); });
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

void CircleCommands::BeforeChange() {
  if (beforeChange_) beforeChange_();
}

void CircleCommands::Check(int color) {
  if (color > controller_.GetColorCount()) return;
  BeforeChange();
  controller_.SetCircleColor(color, CircleId());
}

void CircleCommands::Uncheck() {
  BeforeChange();
  controller_.UncheckCircle(CircleId());
}

bool CircleCommands::Copy() {
  const int ids[] = {CircleId()};
  return ids[0] > 0 && controller_.CopyCirclesToClipboard(ids);
}

void CircleCommands::Cut() {
  if (Copy()) Uncheck();
}

void CircleCommands::Paste() {
  if (!controller_.IsClipboardTextAvailable()) return;
  BeforeChange();
  controller_.PasteFromClipboard();
}

void CircleCommands::MoveOnIf(bool setting) {
  if (setting) controller_.SelectNextCut();
}

bool CircleCommands::HandleColorKey(int key) {
  const SettingsValues* values = controller_.GetValues();
  const bool autoNext = values && values->autoNext;
  const bool autoNext2 = values && values->autoNext2;
  if (key >= Qt::Key_1 && key <= Qt::Key_9) {
    const int color = key - Qt::Key_0;
    if (color > controller_.GetColorCount()) return true;
    Check(color);
    MoveOnIf(autoNext2);
    return true;
  }
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Check(-1);
      MoveOnIf(autoNext);
      return true;
    case Qt::Key_Delete:
    case Qt::Key_0:
      Uncheck();
      MoveOnIf(autoNext2);
      return true;
    default:
      return false;
  }
}

bool CircleCommands::HandleCtrlKey(int key, const ZoomKeys& zoomKeys,
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
