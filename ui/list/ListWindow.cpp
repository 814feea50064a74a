// Construction of the list window and the handlers every secondary frame shares.
#include "ui/list/ListWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusBar>
#include <QWindowStateChangeEvent>

#include <algorithm>

#include "app/CatalogController.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/list/CircleListBar.h"
#include "ui/list/CircleListView.h"
#include "ui/menus/CommandActions.h"
#include "ui/widgets/ColorToolBar.h"

namespace vx {

namespace {
constexpr int kSortLockImage = 19;
constexpr int kToolBarImages = 23;
}  // namespace

ListWindow::ListWindow(CatalogController& controller, QWidget* parent)
    : QMainWindow(parent), controller_(controller) {
  setObjectName(QStringLiteral("PavorunCatalogApp_ListWin"));
  setWindowTitle(QString::fromUtf8("サークル一覧"));
  setWindowIcon(WindowIcon(IDI_LIST));
  setAcceptDrops(true);
  CreateView();
  CreateBars();
  CreateStatusBar();
  CreateCommands();
  FillSelectors();
  ConnectControls();
}

ListWindow::~ListWindow() = default;

void ListWindow::CreateView() {
  view_ = new CircleListView(controller_, this);
  view_->setProperty("controlId", IDW_PANE_FIRST);
  setCentralWidget(view_);
  view_->SetFrame(this, &route_);
}

void ListWindow::CreateBars() {
  bar_ = new CircleListBar(this);
  addToolBar(Qt::TopToolBarArea, bar_);
  colorBar_ = new ColorToolBar(QString::fromUtf8("チェック色"), this);
  colorBar_->setObjectName(QStringLiteral("ListColorBar"));
  colorBar_->CreateColorBar(controller_, IDB_TOOLBAR, 1, kToolBarImages);
  colorBar_->SetPlaceButton(0, ID_LIST_SORT_LOCK, kSortLockImage,
                            QString::fromUtf8("並べ替えを固定"));
  addToolBar(Qt::TopToolBarArea, colorBar_);
}

void ListWindow::CreateStatusBar() {
  status_ = new QLabel(this);
  status_->setProperty("controlId", ID_LIST_STATUS_PANE);
  statusBar()->addWidget(status_, 1);
}

void ListWindow::CreateCommands() {
  commands_.On(ID_LIST_SORT_LOCK, [this] { ToggleSortLock(); })
      .OnUpdate(ID_LIST_SORT_LOCK,
                [this](int, CommandState& state) { state.checked = controller_.IsListSortLocked(); })
      .OnUpdate(ID_LIST_STATUS_PANE, [](int, CommandState& state) { state.enabled = true; });
  route_.SetTargets({&view_->Commands(), &commands_});
  actions_ = new CommandActions(route_, this);
  actions_->Bind(bar_);
  actions_->Bind(colorBar_);
}

void ListWindow::SetApplicationCommands(CommandTarget* application) {
  application_ = application;
  route_.SetTargets({&view_->Commands(), &commands_, application_});
  actions_->UpdateActions();
}

void ListWindow::SetColorMenu(const ColorMenu* menu) { view_->SetColorMenu(menu); }

bool ListWindow::RunCommand(int id) {
  const bool ran = route_.Dispatch(id);
  actions_->UpdateActions();
  return ran;
}

void ListWindow::ToggleSortLock() {
  controller_.SetListSortLocked(!controller_.IsListSortLocked());
  controller_.NotifyOptionsChanged();
}

std::string ListWindow::SearchSummary(int counted, int added) {
  std::string text = Sjis("検索結果 : ") + std::to_string(counted) + Sjis(" 件が見つかりました");
  if (added < counted) {
    text += Sjis("が、") + std::to_string(added) + Sjis(" 件追加時点でキャンセルされました");
  }
  return text;
}

// --- ControllerWindow ------------------------------------------------------------------------

WindowRect ListWindow::ScreenRect() const {
  const QRect r = geometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void ListWindow::PlaceAt(const WindowRect& rect) {
  placing_ = true;
  if (isMinimized() || isMaximized()) showNormal();
  setGeometry(rect.left, rect.top, std::max(1, rect.right - rect.left),
              std::max(1, rect.bottom - rect.top));
  placing_ = false;
}

void ListWindow::Minimize() { showMinimized(); }

void ListWindow::Restore() { showNormal(); }

void ListWindow::BringToTop() { raise(); }

// --- Frame handlers --------------------------------------------------------------------------

// Closing only hides the window, through the controller, which the other windows follow.
void ListWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  controller_.HideRegisteredWindow(this);
}

void ListWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  view_->EnsureModeContent();
}

void ListWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!placing_) controller_.SaveWindowRect(this);
}

void ListWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (placing_) return;
  controller_.SaveWindowRect(this);
  controller_.RaiseOwnerWindow(this);
}

void ListWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    controller_.RaiseWindow(this);
    view_->setFocus(Qt::ActiveWindowFocusReason);
  } else if (event->type() == QEvent::WindowStateChange) {
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if (isMinimized()) {
      controller_.MinimizeAllWindows();
    } else if (change->oldState() & Qt::WindowMinimized) {
      controller_.RestoreAllWindows();
    }
  }
}

void ListWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// The first dropped file is opened as the checklist.
void ListWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  controller_.OpenChecklistFile(PathFromQt(urls.front().toLocalFile()));
}

}  // namespace vx
