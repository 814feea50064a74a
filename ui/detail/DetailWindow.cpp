#include "ui/detail/DetailWindow.h"

#include "app/CatalogController.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/detail/DetailBar.h"
#include "ui/detail/DetailView.h"
#include "ui/menus/CommandActions.h"

namespace vx {

DetailWindow::DetailWindow(CatalogController& controller, QWidget* parent)
    : ToolWindowFrame(controller, parent) {
  setObjectName(QStringLiteral("PavorunCatalogApp_DetailWin"));
  setWindowTitle(QStringLiteral("サークル詳細"));
  setWindowIcon(WindowIcon(IDI_DETAIL));
  CreateView();
  CreateBar();
}

DetailWindow::~DetailWindow() { delete view_; }

void DetailWindow::CreateView() {
  view_ = new DetailView(Controller(), this);
  view_->setProperty("controlId", IDW_PANE_FIRST);
  setCentralWidget(view_);
  SetViewCommands(view_);
  view_->SetChecklistMenu(nullptr, &Route());
}

void DetailWindow::CreateBar() {
  bar_ = new DetailBar(this);
  bar_->Create(Controller());
  addToolBar(Qt::TopToolBarArea, bar_);
  Actions()->Bind(bar_);
}

void DetailWindow::SetChecklistMenu(const ColorMenu* menu) {
  view_->SetChecklistMenu(menu, &Route());
}

void DetailWindow::FocusView() { view_->setFocus(Qt::ActiveWindowFocusReason); }

void DetailWindow::OnAppMessageRun(std::span<const AppMessage> run) { view_->OnAppMessageRun(run); }

void DetailWindow::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  switch (message) {
    case UM_CIRCLE_CHANGED:
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_UNCHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
    case UM_CHECKLIST_RESET:
    case UM_CHECKLIST_MARKS_CHANGED:
    case UM_IMAGES_CHANGED:
    case UM_CHECKLIST_ENTRY_CHANGED:
    case UM_CIRCLE_INFO_UPDATED:
      view_->OnAppMessage(message, wParam, lParam);
      break;
    case UM_CURRENT_COLOR_CHANGED:
      bar_->UpdateColorButtons(Controller());
      break;
    case UM_COLORS_CHANGED:
      bar_->UpdateColorButtons(Controller());
      view_->OnAppMessage(message, wParam, lParam);
      Actions()->UpdateActions();  // colours come and go
      break;
    default:
      break;
  }
}

}  // namespace vx
