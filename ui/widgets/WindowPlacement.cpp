#include "ui/widgets/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

#include "app/DefaultWindowLayout.h"
#include "ui/widgets/ActivatedWindows.h"

namespace vx {

namespace {

QMargins KnownFrame(const QWidget& window) {
  return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

WindowRect FitOntoScreen(const WindowRect& rect, const QMargins& frame) {
  const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  const QScreen* screen = QGuiApplication::screenAt(centre);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return rect;
  const QRect area = screen->availableGeometry().marginsRemoved(frame);
  return FitIntoWorkArea(rect, {area.left(), area.top(), area.width(), area.height()});
}

void SetClientRect(QWidget& window, const WindowRect& rect) {
  window.setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// The client area whose frame covers `frameRect`, on the screen.
WindowRect ClientOnScreen(const WindowRect& frameRect, const QMargins& frame) {
  return FitOntoScreen(
      ClientRectOfFrame(frameRect, {frame.left(), frame.top(), frame.right(), frame.bottom()}),
      frame);
}

// A window manager frames a window only once it is shown: until then its frame is unknown, and a
// window placed at the top of the screen would get its title bar above the screen's edge. A
// window whose frame is to cover a given rectangle is placed again once its frame is known; the
// hidden ones waiting so take that frame at once, while they are far from being mapped: a window
// moved just before it is mapped gets the window manager's answer while it is being framed.
class FrameRefit : public QObject {
 public:
  static constexpr const char* kName = "frameRefit";

  explicit FrameRefit(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QString::fromLatin1(kName));
    window.windowHandle()->installEventFilter(this);
  }

  static FrameRefit* Of(const QWidget& window) {
    return static_cast<FrameRefit*>(
        window.findChild<QObject*>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly));
  }

  // None: the window is only kept on the screen.
  void SetFrameTarget(std::optional<WindowRect> frameRect) { target_ = frameRect; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Expose && event->type() != QEvent::Move) return false;
    const QMargins frame = KnownFrame(window_);
    if (frame.isNull()) return false;
    window_.windowHandle()->removeEventFilter(this);
    deleteLater();
    if (target_) {
      Land(frame);
      LandHiddenWindows(frame);
    } else {
      FitFrameOnScreen(window_, frame);
    }
    return false;
  }

 private:
  void Land(const QMargins& frame) {
    SetClientRect(window_, ClientOnScreen(*target_, frame));
    target_.reset();
  }

  // A window manager frames the program's windows alike.
  static void LandHiddenWindows(const QMargins& frame) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      FrameRefit* refit = window->isVisible() ? nullptr : Of(*window);
      if (refit && refit->target_) refit->Land(frame);
    }
  }

  QWidget& window_;
  std::optional<WindowRect> target_;
};

// Until a window manager has framed the dialog, it is given the largest frame common ones draw.
QMargins FrameOrAssumed(const QWidget& window) {
  const QMargins frame = KnownFrame(window);
  if (!frame.isNull()) return frame;
  return {kAssumedWindowFrame.left, kAssumedWindowFrame.top, kAssumedWindowFrame.right,
          kAssumedWindowFrame.bottom};
}

// The window a dialog is shown over: its owner's, or the one the user works in while the owner
// is hidden; none (the screen) when neither is shown.
const QWidget* ReferenceWindow(const QWidget& dialog) {
  const QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
  if (owner && owner->isVisible()) return owner;
  return ActivatedWindows::Instance().Latest(dialog);
}

// The size hint at the height its layout needs for that width (a window's hint leaves out the
// lines that word-wrapped texts take), within `room` as far as the minimum size allows.
QSize OpeningSize(const QWidget& dialog, const QSize& room) {
  QSize size = dialog.sizeHint().boundedTo(room);
  const QLayout* layout = dialog.layout();
  if (layout && layout->hasHeightForWidth()) {
    size.setHeight(std::min(layout->totalHeightForWidth(size.width()), room.height()));
  }
  return size.expandedTo(dialog.minimumSizeHint()).expandedTo(dialog.minimumSize());
}

void PlaceOverReference(QWidget& dialog) {
  const QMargins frame = FrameOrAssumed(dialog);
  const QWidget* reference = ReferenceWindow(dialog);
  const QScreen* screen = reference ? reference->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry().marginsRemoved(frame);
  const QSize size = OpeningSize(dialog, area.size());
  const QPoint centre = reference ? reference->frameGeometry().center() : area.center();
  const QRect client(centre - QPoint(size.width() / 2, size.height() / 2), size);
  SetClientRect(dialog, FitIntoWorkArea({client.left(), client.top(), client.left() + size.width(),
                                         client.top() + size.height()},
                                        {area.left(), area.top(), area.width(), area.height()}));
}

// Places the dialog each time it is shown, before it is mapped: its place is taken before the
// dialog's own centring, which goes by the owner even when that is hidden.
class DialogPlacement : public QObject {
 public:
  static constexpr const char* kName = "dialogPlacement";

  explicit DialogPlacement(QWidget& dialog) : QObject(&dialog), dialog_(dialog) {
    setObjectName(QString::fromLatin1(kName));
    dialog.installEventFilter(this);
  }

  static bool Attached(const QWidget& dialog) {
    return dialog.findChild<QObject*>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &dialog_) return false;
    // A text that takes another line grows the shown dialog downwards, past the screen's edge.
    if (event->type() == QEvent::Resize && dialog_.windowHandle() &&
        dialog_.windowHandle()->isExposed()) {
      FitFrameOnScreen(dialog_, FrameOrAssumed(dialog_));
    }
    if (event->type() != QEvent::Show || event->spontaneous()) return false;
    PlaceOverReference(dialog_);
    if (KnownFrame(dialog_).isNull() && dialog_.windowHandle() && !FrameRefit::Of(dialog_)) {
      new FrameRefit(dialog_);
    }
    return false;
  }

 private:
  QWidget& dialog_;
};

// A window is made where its widget lies. One moved between being made and being mapped gets the
// window manager's answer to that move while it is being framed, when the platform reads the
// window's place from the server and takes the new frame's corner for it; the next resize (a
// progress text that grows as the job starts) then sends the window to the screen's corner, its
// title bar off the screen.
void PlaceBeforeItsWindowIsMade(QWidget& dialog) {
  dialog.ensurePolished();  // as showing does, so that it opens at the size placed here
  if (dialog.layout()) dialog.layout()->activate();
  PlaceOverReference(dialog);
}

}  // namespace

void PlaceDialogOnScreen(QWidget& dialog) {
  ActivatedWindows::Instance();  // from now on, the windows the user works in are known
  if (!DialogPlacement::Attached(dialog)) new DialogPlacement(dialog);
  if (!dialog.isVisible()) PlaceBeforeItsWindowIsMade(dialog);
}

void PlaceWindowOnScreen(QWidget& window, const WindowRect& rect) {
  window.winId();  // creates the native window, which knows its frame where it can
  const QMargins frame = KnownFrame(window);
  FrameRefit* refit = FrameRefit::Of(window);
  if (refit) refit->SetFrameTarget(std::nullopt);
  if (frame.isNull() && !window.isVisible() && !refit) new FrameRefit(window);
  if (window.isMinimized() || window.isMaximized()) window.showNormal();
  SetClientRect(window, FitOntoScreen(rect, frame));
}

void PlaceFrameOnScreen(QWidget& window, const WindowRect& frameRect) {
  window.winId();
  const QMargins frame = KnownFrame(window);
  if (frame.isNull()) {
    FrameRefit* refit = FrameRefit::Of(window);
    if (!refit) refit = new FrameRefit(window);
    refit->SetFrameTarget(frameRect);
  }
  if (window.isMinimized() || window.isMaximized()) window.showNormal();
  SetClientRect(window, ClientOnScreen(frameRect, frame));
}

void FitFrameOnScreen(QWidget& window, const QMargins& frame) {
  const QRect now = window.geometry();
  const WindowRect rect{now.left(), now.top(), now.left() + now.width(), now.top() + now.height()};
  const WindowRect fitted = FitOntoScreen(rect, frame);
  if (fitted.left != rect.left || fitted.top != rect.top || fitted.right != rect.right ||
      fitted.bottom != rect.bottom) {
    SetClientRect(window, fitted);
  }
}

}  // namespace vx
