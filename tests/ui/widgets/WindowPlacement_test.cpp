#include "ui/widgets/WindowPlacement.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

namespace {

// Placed before a window manager framed it, a window at the top of the screen had its title bar
// above the screen's edge; once the frame is known the window comes down and shrinks within it.
TEST(WindowPlacementTest, AFrameLearntLaterBringsTheTitleBarOntoTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget window;
  window.setGeometry(area.left(), area.top(), 400, area.height());

  const QMargins frame(1, 20, 1, 5);
  vx::FitFrameOnScreen(window, frame);
  const QRect fitted = window.geometry();
  EXPECT_TRUE(area.contains(fitted.marginsAdded(frame))) << fitted.top() << " " << fitted.height();
  EXPECT_EQ(fitted.top(), area.top() + frame.top());
  EXPECT_EQ(fitted.width(), 400);
  vx::FitFrameOnScreen(window, frame);  // a window that fits stays
  EXPECT_EQ(window.geometry(), fitted);
}

}  // namespace
