#include "program/BlockedCloseFilter.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <xcb/xcb.h>

namespace {

constexpr vx::BlockedCloseFilter::Atoms kAtoms{301, 302};
constexpr std::uint32_t kTakeFocus = 303;

// X11 events fed in as Qt's event dispatcher hands them to native event filters.
class BlockedCloseFilterTest : public ::testing::Test {
 protected:
  BlockedCloseFilterTest() {
    main.show();
    qApp->installNativeEventFilter(&filter);
  }
  ~BlockedCloseFilterTest() override { qApp->removeNativeEventFilter(&filter); }

  static void Deliver(const void* event) {
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t",
                                                            const_cast<void*>(event), &result);
  }
  // What a window manager sends for the title bar's close button.
  static void SendCloseRequest(const QWidget& window,
                               std::uint32_t protocol = kAtoms.deleteWindow) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE | 0x80;  // sent by another client
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window.winId());
    event.type = kAtoms.protocols;
    event.data.data32[0] = protocol;
    Deliver(&event);
  }

  QWidget main;
  int requests = 0;
  vx::BlockedCloseFilter filter{&main, kAtoms, [this] { ++requests; }};
};

TEST_F(BlockedCloseFilterTest, AMainWindowCloseThatAModalDialogBlocksIsHandedOn) {
  SendCloseRequest(main);  // nothing blocks it: Qt delivers it to the window itself
  EXPECT_EQ(requests, 0);
  QDialog dialog(&main);
  int whileModal = -1;
  QTimer::singleShot(0, &dialog, [&] {
    SendCloseRequest(main);
    SendCloseRequest(dialog);  // the dialog's own close is the dialog's
    SendCloseRequest(main, kTakeFocus);
    xcb_key_press_event_t key{};
    key.response_type = XCB_KEY_PRESS;
    key.event = static_cast<xcb_window_t>(main.winId());
    Deliver(&key);
    whileModal = requests;
    dialog.reject();
  });
  dialog.exec();
  EXPECT_EQ(whileModal, 1);
}

}  // namespace
