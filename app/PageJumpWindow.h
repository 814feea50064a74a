// The modeless page-jump dialog as the controller drives it: the controller places and shows it,
// the dialog itself sends the chosen page back through CatalogController::GoToPage.
#pragma once

namespace vx {

class PageJumpWindow {
 public:
  virtual ~PageJumpWindow() = default;
  virtual bool IsShown() const = 0;
  // Moves the dialog's top-left corner to a screen point; its size stays.
  virtual void MoveTo(int left, int top) = 0;
  // Puts the page number into the page box, selected and focused.
  virtual void ShowPage(int page) = 0;
  virtual void Show() = 0;
};

}  // namespace vx
