// The commands that belong to no one window: the about box, the web-search settings, the print
// settings, keeping the tool windows in front, the layout reset and the end of the program.
// Every frame's commands go on to these when the frame does not handle them.
#pragma once

#include <memory>

#include "ui/menus/CommandMap.h"

namespace vx {

class PrintContext;
class VindaxelApplication;

class ApplicationCommands : public CommandMap {
 public:
  explicit ApplicationCommands(VindaxelApplication& application);
  ~ApplicationCommands() override;

  // "ChildWndTop" inverted and applied (the menu item shows it).
  void ToggleChildWindowsTop();
  // The five windows back at their first-start places and visibility.
  void ResetWindowLayout();

 private:
  void ShowAbout();
  void EditWebSearchSettings();
  void EditPrintSettings();

  VindaxelApplication& application_;
  std::unique_ptr<PrintContext> printContext_;
};

}  // namespace vx
