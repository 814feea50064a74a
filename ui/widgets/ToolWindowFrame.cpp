#include "ui/widgets/ToolWindowFrame.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/CatalogController.h"
#include "app/WindowRecord.h"
#include "platform/qt/QtStrings.h"
#include "ui/menus/CommandActions.h"
#include "ui/widgets/WindowPlacement.h"

namespace vx {

ToolWindowFrame::ToolWindowFrame(CatalogController& controller, QWidget* parent)
    : QMainWindow(parent), controller_(controller) {
  actions_ = new CommandActions(route_, this);
  UpdateRoute();
  setAcceptDrops(true);
}

ToolWindowFrame::~ToolWindowFrame() = default;

void ToolWindowFrame::UpdateRoute() {
  route_.SetTargets({&gate_, view_, &commands_, application_});
  actions_->UpdateActions();
}

void ToolWindowFrame::SetViewCommands(CommandTarget* view) {
  view_ = view;
  UpdateRoute();
}

void ToolWindowFrame::SetApplicationCommands(CommandTarget* application) {
  application_ = application;
  UpdateRoute();
}

bool ToolWindowFrame::RunCommand(int id) {
  const bool ran = route_.Dispatch(id);
  actions_->UpdateActions();
  return ran;
}

WindowRect ToolWindowFrame::ScreenRect() const {
  const QRect r = geometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void ToolWindowFrame::PlaceAt(const WindowRect& rect) {
  placing_ = true;
  PlaceWindowOnScreen(*this, rect);
  placing_ = false;
}

void ToolWindowFrame::PlaceFrameAt(const WindowRect& frameRect) {
  placing_ = true;
  PlaceFrameOnScreen(*this, frameRect);
  placing_ = false;
}

void ToolWindowFrame::Minimize() { showMinimized(); }

void ToolWindowFrame::Restore() { showNormal(); }

void ToolWindowFrame::BringToTop() { raise(); }

void ToolWindowFrame::OnAppMessageRunsEnded() { actions_->UpdateActions(); }

// The main window shows and hides the tool windows; the close box only asks it to. Once the main
// window has closed, the program is ending and closes every window: the tool window then closes
// as it is, so that it does not hold the program up and opens again next time.
void ToolWindowFrame::closeEvent(QCloseEvent* event) {
  if (ProgramEnding()) {
    event->accept();
    return;
  }
  event->ignore();
  controller_.HideRegisteredWindow(this);
  hide();
}

bool ToolWindowFrame::ProgramEnding() const {
  for (const WindowRecord& record : controller_.GetRegistry().Records()) {
    const auto* main = dynamic_cast<const QWidget*>(record.window);
    if (record.IsMain() && main && main != this) return !main->isVisible();
  }
  return false;
}

void ToolWindowFrame::SavePlace() {
  if (!placing_) controller_.SaveWindowRect(this);
}

void ToolWindowFrame::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  SavePlace();
  controller_.RaiseOwnerWindow(this);
}

void ToolWindowFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  SavePlace();
}

void ToolWindowFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    controller_.RaiseWindow(this);
    FocusView();
  } else if (event->type() == QEvent::WindowStateChange) {
    if (isMinimized()) {
      controller_.MinimizeAllWindows();
    } else if (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) {
      controller_.RestoreAllWindows();
    }
  }
}

// A dropped file is opened as the open command would, which is closed without a catalogue.
void ToolWindowFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (HasCatalog() && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Only the first of several dropped files is opened, as a checklist.
void ToolWindowFrame::dropEvent(QDropEvent* event) {
  if (!HasCatalog()) return;
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  controller_.OpenChecklistFile(PathFromQt(urls.first().toLocalFile()));
}

}  // namespace vx
