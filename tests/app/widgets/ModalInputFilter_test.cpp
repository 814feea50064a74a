#include "app/widgets/ModalInputFilter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "app/ControllerWindow.h"
#include "app/WindowRegistry.h"
#include "app/widgets/QtActiveWindowTracker.h"

namespace {

// A frame as ui/ will build them: a widget that is also a registered window.
class TestFrame : public QWidget, public vx::ControllerWindow {
 public:
  TestFrame() {
    button = new QPushButton(QStringLiteral("go"), this);
    edit = new QLineEdit(this);
    edit->move(0, 40);
    QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
    resize(200, 100);
  }
  void OnAppMessage(unsigned, vx::WParam, vx::LParam) override {}
  vx::WindowRect ScreenRect() const override { return {0, 0, width(), height()}; }
  void Minimize() override {}
  void Restore() override {}
  void BringToTop() override {}

  QPushButton* button;
  QLineEdit* edit;
  int clicks = 0;
};

class ModalInputFilterTest : public ::testing::Test {
 protected:
  ModalInputFilterTest() : filter(guard, registry) {
    registry.Register(0x8001, &frame, "main");
    qApp->installEventFilter(&filter);
    frame.show();
    other.show();
  }
  ~ModalInputFilterTest() override { qApp->removeEventFilter(&filter); }

  vx::ModalGuard guard;
  vx::WindowRegistry registry;
  vx::ModalInputFilter filter;
  TestFrame frame;
  QWidget other;  // a window that is not a registered frame, like a dialog
};

TEST_F(ModalInputFilterTest, FramesTakeInputWhileTheGuardIsDown) {
  QTest::mouseClick(frame.button, Qt::LeftButton);
  QTest::keyClicks(frame.edit, QStringLiteral("abc"));
  EXPECT_EQ(frame.clicks, 1);
  EXPECT_EQ(frame.edit->text(), QStringLiteral("abc"));
  EXPECT_TRUE(frame.close());
}

TEST_F(ModalInputFilterTest, RaisedGuardSwallowsClicksKeysAndCloseInTheFrameAndItsChildren) {
  guard.Begin();
  QTest::mouseClick(frame.button, Qt::LeftButton);
  QTest::keyClicks(frame.edit, QStringLiteral("abc"));
  QTest::keyClick(frame.button, Qt::Key_Space);
  EXPECT_EQ(frame.clicks, 0);
  EXPECT_EQ(frame.edit->text(), QString());
  EXPECT_FALSE(frame.close());
  EXPECT_TRUE(frame.isVisible());

  guard.End();
  QTest::mouseClick(frame.button, Qt::LeftButton);
  EXPECT_EQ(frame.clicks, 1);
}

TEST_F(ModalInputFilterTest, CommandsOfTheFrameAreSwallowed) {
  QAction action(&frame);
  int triggered = 0;
  QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
  guard.Begin();
  QKeySequence keys(Qt::CTRL | Qt::Key_K);
  QShortcutEvent shortcut(keys, 0);
  EXPECT_TRUE(filter.eventFilter(&action, &shortcut));
  guard.End();
  EXPECT_FALSE(filter.eventFilter(&action, &shortcut));
}

TEST_F(ModalInputFilterTest, OtherWindowsKeepTheirInput) {
  auto* button = new QPushButton(&other);
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  // A dialog owned by the frame is a window of its own and stays usable.
  QWidget dialog(&frame, Qt::Dialog);
  auto* dialogButton = new QPushButton(&dialog);
  QObject::connect(dialogButton, &QPushButton::clicked, [&] { ++clicks; });
  dialog.show();
  guard.Begin();
  QTest::mouseClick(button, Qt::LeftButton);
  QTest::mouseClick(dialogButton, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  guard.End();
}

TEST(QtActiveWindowTracker, ReactivatesTheRememberedWindowUnlessItHasGone) {
  vx::QtActiveWindowTracker tracker;
  QWidget first;
  auto second = std::make_unique<QWidget>();
  first.show();
  second->show();
  QApplication::setActiveWindow(&first);
  auto rememberedFirst = tracker.RememberActiveWindow();
  QApplication::setActiveWindow(second.get());
  auto rememberedSecond = tracker.RememberActiveWindow();
  second.reset();

  rememberedSecond->Reactivate();  // the window is gone: nothing happens
  rememberedFirst->Reactivate();
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &first; }, 2000));
}

}  // namespace
