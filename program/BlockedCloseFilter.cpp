#include "program/BlockedCloseFilter.h"

#include <QApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace vx {

namespace {

std::uint32_t InternAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (reply == nullptr) return 0;
  const std::uint32_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace

BlockedCloseFilter::BlockedCloseFilter(QWidget* window, Atoms atoms,
                                       std::function<void()> closeRequested)
    : window_(window), atoms_(atoms), closeRequested_(std::move(closeRequested)) {}

BlockedCloseFilter::Atoms BlockedCloseFilter::X11Atoms() {
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return {};
  return {InternAtom(x11->connection(), "WM_PROTOCOLS"),
          InternAtom(x11->connection(), "WM_DELETE_WINDOW")};
}

// Qt goes on with the event (and drops it); the program closes through its own way.
bool BlockedCloseFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType == "xcb_generic_event_t" && IsCloseRequest(message) &&
      QApplication::activeModalWidget() != nullptr) {
    closeRequested_();
  }
  return false;
}

bool BlockedCloseFilter::IsCloseRequest(const void* xcbEvent) const {
  const auto* event = static_cast<const xcb_generic_event_t*>(xcbEvent);
  if (atoms_.deleteWindow == 0 || (event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) {
    return false;
  }
  const auto* client = static_cast<const xcb_client_message_event_t*>(xcbEvent);
  return window_ && client->format == 32 && client->type == atoms_.protocols &&
         client->data.data32[0] == atoms_.deleteWindow &&
         client->window == window_->internalWinId();
}

}  // namespace vx
