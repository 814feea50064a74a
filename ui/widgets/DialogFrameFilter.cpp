#include "ui/widgets/DialogFrameFilter.h"

#include <QDialog>
#include <QEvent>
#include <QWindow>

namespace vx {

DialogFrameFilter::DialogFrameFilter(QObject* application) {
  application->installEventFilter(this);
}

Qt::WindowFlags DialogFrameFilter::DialogFlags(Qt::WindowFlags flags) {
  const Qt::WindowFlags kept =
      flags & (Qt::WindowType_Mask | Qt::WindowContextHelpButtonHint | Qt::WindowStaysOnTopHint);
  return kept | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

bool DialogFrameFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (dialog && dialog->isWindow() && dialog->windowType() == Qt::Dialog &&
        !dialog->windowFlags().testFlag(Qt::FramelessWindowHint)) {
      Apply(dialog);
    }
  }
  return QObject::eventFilter(watched, event);
}

// The window exists but is not mapped yet: its flags change in place, where setWindowFlags would
// hide and recreate it in the middle of showing.
void DialogFrameFilter::Apply(QWidget* dialog) {
  const Qt::WindowFlags flags = DialogFlags(dialog->windowFlags());
  if (flags == dialog->windowFlags()) return;
  dialog->overrideWindowFlags(flags);
  if (QWindow* window = dialog->windowHandle()) window->setFlags(flags);
}

}  // namespace vx
