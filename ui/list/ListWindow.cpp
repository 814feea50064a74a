// Construction of the list window.
#include "ui/list/ListWindow.h"

#include <QComboBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "app/CatalogController.h"
#include "data/SearchCondition.h"
#include "platform/CodePage.h"
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
    : ToolWindowFrame(controller, parent), controller_(controller) {
  setObjectName(QStringLiteral("PavorunCatalogApp_ListWin"));
  setWindowTitle(QString::fromUtf8("サークル一覧"));
  setWindowIcon(WindowIcon(IDI_LIST));
  CreateView();
  CreateBars();
  CreateStatusBar();
  CreateCommands();
  FillSelectors();
  ConnectControls();
  ShowCatalogState();
}

ListWindow::~ListWindow() = default;

void ListWindow::CreateView() {
  view_ = new CircleListView(controller_, this);
  view_->setProperty("controlId", IDW_PANE_FIRST);
  setCentralWidget(view_);
  view_->SetFrame(this, &Route());
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
  FrameCommands()
      .On(ID_LIST_SORT_LOCK, [this] { ToggleSortLock(); })
      .OnUpdate(
          ID_LIST_SORT_LOCK,
          [this](int, CommandState& state) { state.checked = controller_.IsListSortLocked(); })
      .OnUpdate(ID_LIST_STATUS_PANE, [](int, CommandState& state) { state.enabled = true; });
  SetViewCommands(&view_->Commands());
  Actions()->Bind(bar_);
  Actions()->Bind(colorBar_);
}

// Without a catalogue there is nothing to list or search; a catalogue comes only with a new start.
void ListWindow::ShowCatalogState() {
  const bool shown = HasCatalog();
  bar_->ModeCombo()->setEnabled(shown);
  bar_->KeywordEdit()->setEnabled(shown);
  if (!shown) EnableSelectors(false);
}

void ListWindow::SetColorMenu(const ColorMenu* menu) { view_->SetColorMenu(menu); }

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

// While the window is open, searches in a row keep the search connection and the event's texts.
void ListWindow::showEvent(QShowEvent* event) {
  ToolWindowFrame::showEvent(event);
  // Without a catalogue there is nothing to list, and asking would only fail.
  if (!HasCatalog()) return;
  if (SearchCondition* condition = controller_.GetSearchCondition()) {
    searchTexts_ = condition->HoldTexts();
  }
  view_->EnsureModeContent();
}

// Closed, not minimised: the texts go unless the search dialog still holds them.
void ListWindow::hideEvent(QHideEvent* event) {
  ToolWindowFrame::hideEvent(event);
  if (!event->spontaneous()) searchTexts_.reset();
}

void ListWindow::FocusView() { view_->setFocus(Qt::ActiveWindowFocusReason); }

}  // namespace vx
