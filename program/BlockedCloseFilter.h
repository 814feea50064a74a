// The window manager's request to close a window (X11: WM_DELETE_WINDOW) never reaches a window
// that a modal dialog blocks: Qt drops it. Closing the main window while a progress dialog runs
// would do nothing. This filter sees the request before Qt drops it and hands it on, so that the
// program can end the work and quit as on SIGTERM.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace vx {

class BlockedCloseFilter final : public QAbstractNativeEventFilter {
 public:
  // The two atoms of the X11 close request.
  struct Atoms {
    std::uint32_t protocols = 0;     // WM_PROTOCOLS
    std::uint32_t deleteWindow = 0;  // WM_DELETE_WINDOW
  };

  // `closeRequested` runs on the UI thread for each close request to `window` that arrives while
  // a modal dialog is open.
  BlockedCloseFilter(QWidget* window, Atoms atoms, std::function<void()> closeRequested);

  // The atoms of the application's X11 connection; none (zero) on another platform, where the
  // filter then never acts.
  static Atoms X11Atoms();

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  bool IsCloseRequest(const void* xcbEvent) const;

  QPointer<QWidget> window_;
  Atoms atoms_;
  std::function<void()> closeRequested_;
};

}  // namespace vx
