// The commands a view offers on the circle it shows: check it with a colour or the current colour,
// uncheck it, choose the current colour, and copy, cut and paste through the checklist clipboard;
// and the colour and Ctrl keys that run them. Colours the checklist does not have are disabled, and
// so is pasting without text on the clipboard.
#pragma once

#include <functional>

namespace vx {

class CatalogController;
class CommandMap;

class CircleCommands {
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

  // `circleId` answers the circle acted on (0: none); `beforeChange`, when given, runs before the
  // checklist is changed.
  CircleCommands(CatalogController& controller, std::function<int()> circleId,
                 std::function<void()> beforeChange = {});

  // The handlers and their states.
  void AddTo(CommandMap& commands);
  // Digits 1 to 9 check with that colour, Return with the current colour, Delete and 0 uncheck;
  // then the cursor moves on to the next cut when "AutoNext" (Return) or "AutoNext2" (the others)
  // is on. False for any other key.
  bool HandleColorKey(int key);
  // A key with Ctrl: copy, paste and cut run here, the zoom keys go to `toFrame`; false when it is
  // none of them.
  bool HandleCtrlKey(int key, const ZoomKeys& zoomKeys, const std::function<void(int)>& toFrame);

  // A negative colour is the current one; a colour the checklist lacks checks nothing.
  void Check(int color);
  void Uncheck();
  bool Copy();
  // Never removes what could not be copied.
  void Cut();
  void Paste();

 private:
  int CircleId() const { return circleId_(); }
  void BeforeChange();
  void MoveOnIf(bool setting);

  CatalogController& controller_;
  std::function<int()> circleId_;
  std::function<void()> beforeChange_;
};

}  // namespace vx
