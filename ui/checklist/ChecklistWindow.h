// The checklist window "チェックリスト": one of the program's five frames, hosting the checklist
// view under the colour bar, whose leading buttons lock the checklist order, make the present
// order the print order and fetch the checked circles' feeds. It passes the circle and checklist
// messages on to its view and keeps the colour buttons and swatches current.
#pragma once

#include "ui/widgets/ToolWindowFrame.h"

namespace vx {

class ChecklistView;
class ColorMenu;
class ColorToolBar;

class ChecklistWindow : public ToolWindowFrame {
  Q_OBJECT

 public:
  explicit ChecklistWindow(CatalogController& controller, QWidget* parent = nullptr);
  ~ChecklistWindow() override;

  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;
  // The view takes the run as one change; the command states wait for the end of the runs.
  void OnAppMessageRun(std::span<const AppMessage> run) override;
  // The main window's colour menu, for the view's right-click popup.
  void SetColorMenu(const ColorMenu* menu);

  ChecklistView* View() const { return view_; }
  ColorToolBar* Bar() const { return bar_; }

 protected:
  void FocusView() override;

 private:
  void CreateView();
  void CreateBar();
  void CreateCommands();
  void ToggleOrderLock();

  ChecklistView* view_ = nullptr;
  ColorToolBar* bar_ = nullptr;
};

}  // namespace vx
