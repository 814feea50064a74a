// Where a shown window lies: its frame on the screen's available area, over the window it
// belongs to, and its word-wrapped texts at the height they need. The owner of the program's
// dialogs is a window that is never shown; the user works in another one.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPlatformSurfaceEvent>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

#include "tests/support/EventLoopDeadline.h"

namespace vxtest {

inline void ExpectFrameOnScreen(const QWidget& window) {
  const QRect area = window.screen()->availableGeometry();
  const QRect frame = window.frameGeometry();
  EXPECT_TRUE(area.contains(frame))
      << window.windowTitle().toStdString() << ": " << frame.x() << "," << frame.y() << " "
      << frame.width() << "x" << frame.height() << " on " << area.width() << "x" << area.height();
}

// The window's centre lies within `reference`, at most `slack` pixels from its centre (a window
// too large for that is moved within the screen).
inline void ExpectOver(const QWidget& window, const QWidget& reference, int slack = 100000) {
  const QPoint centre = window.frameGeometry().center();
  const QPoint offset = centre - reference.frameGeometry().center();
  EXPECT_TRUE(reference.frameGeometry().contains(centre))
      << window.windowTitle().toStdString() << " at " << centre.x() << "," << centre.y();
  EXPECT_LE(std::abs(offset.x()), slack) << window.windowTitle().toStdString();
  EXPECT_LE(std::abs(offset.y()), slack) << window.windowTitle().toStdString();
}

// Shows `window` and checks where it opened.
inline void ShowOnScreenOver(QWidget& window, const QWidget& reference, int slack = 100000) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ExpectFrameOnScreen(window);
  ExpectOver(window, reference, slack);
}

inline bool Whole(const QLabel& text) { return text.height() >= text.heightForWidth(text.width()); }

// Runs the event loop until the label's height holds its text (a shown window grows only once
// the platform has resized it); false, failing the test, at the deadline.
inline bool WaitUntilWhole(QLabel& text) {
  if (Whole(text)) return true;
  QEventLoop loop;
  struct ResizeWatch : QObject {
    explicit ResizeWatch(QEventLoop& loop) : loop_(loop) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Resize && Whole(*static_cast<QLabel*>(watched))) loop_.quit();
      return false;
    }
    QEventLoop& loop_;
  } watch(loop);
  text.installEventFilter(&watch);
  const bool whole = ExecWithDeadline(loop);
  text.removeEventFilter(&watch);
  return whole;
}

inline void ExpectWrappedTextsWhole(const QWidget& window) {
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->wordWrap() || !label->isVisible()) continue;
    EXPECT_TRUE(WaitUntilWhole(*label)) << label->text().toStdString() << ": " << label->height()
                                        << " of " << label->heightForWidth(label->width());
  }
}

// Where the window's native window was made. One made away from where it opens is moved between
// being made and being mapped: a window manager answers that move while it frames the window,
// when the platform reads the window's place from the server and gets the new frame's corner,
// and the window's next resize sends it there, its title bar off the screen.
class NativeWindowBirth : public QObject {
 public:
  explicit NativeWindowBirth(QWidget& window) { window.installEventFilter(this); }
  bool Made() const { return made_; }
  QPoint Place() const { return place_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::PlatformSurface &&
        static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceCreated) {
      made_ = true;
      place_ = static_cast<QWidget*>(watched)->windowHandle()->position();
    }
    return false;
  }

 private:
  bool made_ = false;
  QPoint place_;
};

inline void ExpectMadeWhereItOpened(const NativeWindowBirth& birth, const QWidget& window) {
  ASSERT_TRUE(birth.Made());
  const QPoint made = birth.Place();
  const QPoint opened = window.windowHandle()->position();
  EXPECT_TRUE(made == opened) << window.windowTitle().toStdString() << ": made at " << made.x()
                              << "," << made.y() << ", opened at " << opened.x() << ","
                              << opened.y();
}

// The hidden owner at the place the program gives it, and an active window in the lower right
// quarter of the screen.
struct OwnerAndWorkWindow {
  OwnerAndWorkWindow() {
    owner.setGeometry(0, 100, 640, 480);
    const QRect area = QApplication::primaryScreen()->availableGeometry();
    work.setGeometry(area.center().x(), area.center().y() - 60, area.width() / 2 - 10,
                     area.height() / 2 + 40);
    work.show();
    work.activateWindow();
  }
  bool Active() { return QTest::qWaitForWindowActive(&work); }

  QWidget owner{nullptr, Qt::Window};
  QWidget work;
};

}  // namespace vxtest
