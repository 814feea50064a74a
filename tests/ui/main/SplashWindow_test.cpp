#include "ui/main/SplashWindow.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QPointer>
#include <QTest>

namespace {

TEST(SplashWindowTest, SizeKeepsWithin70PercentOfTheScreen) {
  struct Case {
    QSize picture, screen, window;
  };
  const Case cases[] = {
      {{1000, 2000}, {1280, 1024}, {358, 716}},
      {{2000, 500}, {1280, 1024}, {896, 224}},  // fits in height, too wide
      {{600, 400}, {1280, 1024}, {600, 400}},
      {{1280, 1024}, {1280, 1024}, {895, 716}},
      {{0, 400}, {1280, 1024}, {}},
      {{400, 0}, {1280, 1024}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(vx::SplashSize(c.picture, c.screen), c.window)
        << c.picture.width() << "x" << c.picture.height();
  }
}

TEST(SplashWindowTest, OneSplashAtATimeShowsThePictureThenGoes) {
  QImage cover(200, 100, QImage::Format_RGB32);
  cover.fill(QColor(0, 128, 255));
  int closed = 0;
  ASSERT_TRUE(vx::SplashWindow::ShowSplash(cover, [&] { ++closed; }));
  vx::SplashWindow* splash = vx::SplashWindow::Current();
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(splash->size(), QSize(200, 100));
  const QImage shown = splash->grab().toImage();
  EXPECT_EQ(shown.pixelColor(100, 50), QColor(0, 128, 255));

  QImage second(50, 50, QImage::Format_RGB32);
  second.fill(Qt::red);
  EXPECT_FALSE(vx::SplashWindow::ShowSplash(second));
  EXPECT_EQ(vx::SplashWindow::Current(), splash);
  EXPECT_FALSE(vx::SplashWindow::ShowSplash(QImage()));

  QTRY_VERIFY_WITH_TIMEOUT(vx::SplashWindow::Current() == nullptr, 5000);
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(vx::SplashWindow::ShowSplash(QImage()));  // no picture, no window
  EXPECT_EQ(vx::SplashWindow::Current(), nullptr);
}

// A start-up error box came up under the splash, which stays on top, and could not be read.
TEST(SplashWindowTest, AModalWindowShownMeanwhileClosesIt) {
  QImage cover(200, 100, QImage::Format_RGB32);
  cover.fill(Qt::blue);
  ASSERT_TRUE(vx::SplashWindow::ShowSplash(cover));
  QPointer<vx::SplashWindow> splash = vx::SplashWindow::Current();
  QWidget tool;
  tool.show();
  EXPECT_TRUE(splash && splash->isVisible());  // a plain window leaves it
  QDialog box;
  box.setModal(true);
  box.show();
  EXPECT_TRUE(!splash || !splash->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(vx::SplashWindow::Current() == nullptr, 5000);
}

}  // namespace
