// The catalogue's cover page, shown for one second in a borderless window in the middle of the
// screen while start-up goes on. It stays on top, so it makes way for any modal window (a
// start-up question or error) rather than hide it.
#pragma once

#include <QImage>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vx {

// The window size for a picture on a screen: at most 70 % of the screen's height and of its
// width, keeping the picture's proportions. Empty for a picture without pixels.
QSize SplashSize(QSize picture, QSize screen);

class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kShowMs = 1000;

  // Shows the picture centred on the primary screen; `closed` runs when the window goes. At most
  // one splash exists: while one is shown the picture is dropped and false answered. False too
  // for a picture without pixels.
  static bool ShowSplash(const QImage& picture, std::function<void()> closed = {});
  // The splash on the screen, or null.
  static SplashWindow* Current() { return current_; }

  ~SplashWindow() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  SplashWindow(const QImage& picture, QSize size, std::function<void()> closed);

  static QPointer<SplashWindow> current_;
  QImage picture_;
  QTimer timer_;
  std::function<void()> closed_;
};

}  // namespace vx
