// The circle detail window: one of the program's five frames, hosting the detail view under the
// detail bar (web search, its settings and the check colours). It passes the circle and checklist
// messages on to its view and keeps the colour buttons current.
#pragma once

#include "ui/widgets/ToolWindowFrame.h"

namespace vx {

class ColorMenu;
class DetailBar;
class DetailView;

class DetailWindow : public ToolWindowFrame {
  Q_OBJECT

 public:
  explicit DetailWindow(CatalogController& controller, QWidget* parent = nullptr);
  // The view goes first: closing the frame would move the focus out of its memo box.
  ~DetailWindow() override;

  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;
  // The view takes the run as one change; the command states wait for the end of the runs.
  void OnAppMessageRun(std::span<const AppMessage> run) override;
  // The main window's colour menu, for the view's right-click popup.
  void SetChecklistMenu(const ColorMenu* menu);

  DetailView* View() const { return view_; }
  DetailBar* Bar() const { return bar_; }

 protected:
  void FocusView() override;

 private:
  void CreateView();
  void CreateBar();

  DetailView* view_ = nullptr;
  DetailBar* bar_ = nullptr;
};

}  // namespace vx
