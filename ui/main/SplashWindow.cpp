#include "ui/main/SplashWindow.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>

#include <utility>

namespace vx {

namespace {

constexpr int kScreenPercent = 70;

int Scale(int value, int numerator, int denominator) {
  return static_cast<int>(static_cast<long long>(value) * numerator / denominator);
}

}  // namespace

QPointer<SplashWindow> SplashWindow::current_;

QSize SplashSize(QSize picture, QSize screen) {
  const int w = picture.width();
  const int h = picture.height();
  if (w < 1 || h < 1) return {};
  const int heightLimit = screen.height() * kScreenPercent / 100;
  const int widthLimit = screen.width() * kScreenPercent / 100;
  QSize size(w, h);
  if (h > heightLimit) size = QSize(Scale(w, heightLimit, h), heightLimit);
  // A wide picture must be narrowed whether or not its height had to shrink.
  if (size.width() > widthLimit) size = QSize(widthLimit, Scale(h, widthLimit, w));
  return size;
}

bool SplashWindow::ShowSplash(const QImage& picture, std::function<void()> closed) {
  if (current_) return false;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = SplashSize(picture.size(), screen ? screen->size() : QSize());
  if (size.isEmpty()) return false;
  auto* splash = new SplashWindow(picture, size, std::move(closed));
  if (screen) splash->move(screen->geometry().center() - splash->rect().center());
  splash->show();
  splash->raise();
  current_ = splash;
  return true;
}

SplashWindow::SplashWindow(const QImage& picture, QSize size, std::function<void()> closed)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(picture),
      closed_(std::move(closed)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::ArrowCursor);
  setFixedSize(size);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &QWidget::close);
  timer_.start(kShowMs);
  qApp->installEventFilter(this);
}

SplashWindow::~SplashWindow() {
  if (closed_) closed_();
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched != this) {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget && widget->isWindow() && widget->isModal()) close();
  }
  return false;
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), picture_);
}

}  // namespace vx
