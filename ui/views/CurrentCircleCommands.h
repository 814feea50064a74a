// The checklist commands and keys that the picture views share for their current circle: check it
// with colour n, make a colour current, check it with the current colour, uncheck it, copy, paste
// and cut; the colour keys 1..9, Return, Delete and 0 ("AutoNext" moves on after Return,
// "AutoNext2" after a digit or an uncheck); Ctrl with C, V and X, and with the zoom keys, whose
// commands belong to the view's frame.
#pragma once

#include <functional>

namespace vx {

class CatalogController;
class CommandMap;

class CurrentCircleCommands {
 public:
  // The frame's commands for Ctrl with 0, 1, 2, M, plus and minus.
  struct ZoomKeys {
    int fitWhole;
    int actualSize;
    int fitWidthOnce;
    int zoomBox;
    int zoomIn;
    int zoomOut;
  };

  // `currentId` answers the circle the commands act on (0: none).
  CurrentCircleCommands(CatalogController& controller, std::function<int()> currentId);

  // The handlers, and the states of the colour and paste items, into a view's commands.
  void AddTo(CommandMap& commands);
  // A key without modifiers; false when it is not a colour key.
  bool HandleColorKey(int key);
  // A key with Ctrl: copy, paste and cut run here, the zoom keys go to `toFrame`; false when it is
  // none of them.
  bool HandleCtrlKey(int key, const ZoomKeys& zoomKeys, const std::function<void(int)>& toFrame);

  // A colour beyond the checklist's colour count does not exist: nothing is checked with it.
  void Check(int color);
  void CheckWithCurrentColor();
  void Uncheck();
  bool Copy();
  void Cut();
  void Paste();

 private:
  void MoveOnIf(bool setting);
  bool AutoNext() const;
  bool AutoNext2() const;

  CatalogController& controller_;
  std::function<int()> currentId_;
};

}  // namespace vx
