// The application-wide event filter behind the modal guard: while the guard is raised, input to
// every registered frame and to everything inside it is swallowed, so that only the dialog or
// message box in front takes input. Windows that are not registered frames (the dialogs
// themselves, message boxes, the page-jump dialog) are left alone.
#pragma once

#include <QObject>

#include "app/ModalGuard.h"

class QEvent;
class QWidget;

namespace vx {

class WindowRegistry;

class ModalInputFilter : public QObject {
  Q_OBJECT

 public:
  // Both must outlive the filter. Install it with qApp->installEventFilter.
  ModalInputFilter(const ModalGuard& guard, const WindowRegistry& registry,
                   QObject* parent = nullptr);

  bool eventFilter(QObject* watched, QEvent* event) override;

  // The guard's kind of a Qt event; `activating` is set for window activation.
  static ModalInput Classify(const QEvent& event, bool& activating);

 private:
  // The top-level window that `object` belongs to: a widget's window, or for an action or
  // shortcut object the window of the nearest widget among its parents.
  static QWidget* OwningWindow(QObject* object);
  bool IsRegisteredFrame(const QWidget* window) const;

  const ModalGuard& guard_;
  const WindowRegistry& registry_;
};

}  // namespace vx
