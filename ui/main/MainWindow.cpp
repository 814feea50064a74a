// Construction, placement, activation and closing of the main window.
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QToolBar>
#include <QWindow>

#include <algorithm>

#include "app/CatalogController.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "platform/qt/QtStrings.h"
#include "ui/main/CutPageViewStandIn.h"
#include "ui/main/MainStatusBar.h"

namespace vx {

MainWindow::MainWindow(CatalogController& controller)
    : controller_(controller), values_(controller.Values() ? *controller.Values() : ownValues_) {
  setObjectName(QStringLiteral("PavorunCatalogApp"));
  values_.cutZoomSize = std::clamp(values_.cutZoomSize, kMinZoom, kMaxZoom);
  zoom_ = values_.cutZoomSize;
  if (values_.cutStretchMode < kFreeZoom || values_.cutStretchMode > kFitHeight) {
    values_.cutStretchMode = kFreeZoom;
  }
  stretchMode_ = values_.cutStretchMode;
  antiAlias_ = values_.cutAntiAlias != 0;
  CreateActions();
  CreateView();
  CreateToolBars();
  FillDayList();
  FillHallAndBlockLists();
  view_->SetSmoothing(antiAlias_);
  view_->SetZoom(zoom_);
  CreateStatusBar();
  ConnectControls();
  Refresh();
  DockToolBars();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::View() const { return view_; }

QAction* MainWindow::Action(int id) const {
  for (QAction* action : actions_) {
    if (action->data().toInt() == id) return action;
  }
  return nullptr;
}

QAction* MainWindow::NewAction(int id, const QString& text, bool checkable) {
  auto* action = new QAction(text, this);
  action->setData(id);
  action->setCheckable(checkable);
  connect(action, &QAction::triggered, this, [this, id] { HandleCommand(id); });
  actions_.push_back(action);
  return action;
}

void MainWindow::CreateActions() {
  struct Item {
    int id;
    const char* text;
    bool checkable;
  };
  const Item items[] = {
      {ID_CHECKLIST_NEW, "新規作成(&N)", false},
      {ID_CHECKLIST_OPEN, "チェックリストを開く(&O)...", false},
      {ID_CHECKLIST_SAVE, "チェックリストの保存(&S)", false},
      {ID_PRINT, "印刷(&P)...", false},
      {ID_PREV_PAGE, "前のページ(&P)", false},
      {ID_NEXT_PAGE, "次のページ(&N)", false},
      {ID_ZOOM_OUT, "ズームアウト(&O)", false},
      {ID_ZOOM_IN, "ズームイン(&I)", false},
      {ID_FIT_WIDTH, "幅に合わせる(&W)", true},
      {ID_FIT_HEIGHT, "高さに合わせる(&H)", true},
      {ID_ACTUAL_SIZE, "元のサイズ(&R)", false},
      {ID_ANTI_ALIAS, "アンチエイリアス(&A)", true},
      {ID_HISTORY_BACK, "戻る(&R)", false},
      {ID_HISTORY_FORWARD, "進む(&F)", false},
  };
  for (const Item& item : items) NewAction(item.id, QtText(Sjis(item.text)), item.checkable);
}

void MainWindow::CreateView() {
  view_ = new CutPageViewStandIn(controller_, this);
  setCentralWidget(view_);
  view_->viewport()->setMouseTracking(true);
  view_->viewport()->installEventFilter(this);
}

WindowRect MainWindow::ScreenRect() const {
  const QRect r = geometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void MainWindow::PlaceAt(const WindowRect& rect) {
  placing_ = true;
  if (isMinimized() || isMaximized()) showNormal();
  setGeometry(rect.left, rect.top, std::max(1, rect.right - rect.left),
              std::max(1, rect.bottom - rect.top));
  placing_ = false;
}

void MainWindow::Minimize() { showMinimized(); }

void MainWindow::Restore() { showNormal(); }

void MainWindow::BringToTop() { raise(); }

void MainWindow::FocusView() { view_->setFocus(); }

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (stretchMode_ == kFitWidth || stretchMode_ == kFitHeight) {
    FitOneSide(stretchMode_ == kFitWidth, true);
  }
  if (!placing_) controller_.SaveWindowRect(this);
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (!placing_) controller_.SaveWindowRect(this);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    controller_.RaiseWindow(this);
    FocusView();
  } else if (event->type() == QEvent::WindowStateChange) {
    if (isMinimized()) {
      controller_.MinimizeAllWindows();
    } else if (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) {
      controller_.RestoreAllWindows();
    }
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (mayClose_ && !mayClose_()) {
    event->ignore();
    return;
  }
  StoreToolBarState();
  SaveDockLayout();
  event->accept();
  Q_EMIT closeAccepted();
}

}  // namespace vx
