#include "ui/checklist/ChecklistWindow.h"

#include "app/CatalogController.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/checklist/ChecklistView.h"
#include "ui/menus/CommandActions.h"
#include "ui/widgets/ColorToolBar.h"

namespace vx {

namespace {

constexpr int kLeadingPlaces = 5;
constexpr int kLeadingImages = 23;
constexpr int kOrderLockImage = 19;
constexpr int kPrintOrderImage = 18;
constexpr int kFetchFeedsImage = 22;

}  // namespace

ChecklistWindow::ChecklistWindow(CatalogController& controller, QWidget* parent)
    : ToolWindowFrame(controller, parent) {
  setObjectName(QStringLiteral("PavorunCatalogApp_FvrWin"));
  setWindowTitle(QString::fromUtf8("チェックリスト"));
  setWindowIcon(WindowIcon(IDI_CHECKLIST));
  CreateView();
  CreateBar();
  CreateCommands();
}

ChecklistWindow::~ChecklistWindow() = default;

void ChecklistWindow::CreateView() {
  view_ = new ChecklistView(Controller(), this);
  view_->setProperty("controlId", IDW_PANE_FIRST);
  setCentralWidget(view_);
  SetViewCommands(&view_->Commands());
}

void ChecklistWindow::CreateBar() {
  bar_ = new ColorToolBar(QString::fromUtf8("チェックリスト"), this);
  bar_->setObjectName(QStringLiteral("ChecklistColorBar"));
  bar_->setMovable(false);
  bar_->CreateColorBar(Controller(), IDB_TOOLBAR, kLeadingPlaces, kLeadingImages);
  bar_->SetPlaceButton(0, ID_CHECKLIST_ORDER_LOCK, kOrderLockImage,
                       QString::fromUtf8("チェックリストの順番のロック"));
  bar_->SetPlaceButton(2, ID_PRINT_ORDER_FROM_LIST, kPrintOrderImage,
                       QString::fromUtf8("現在の並びを印刷順にする"));
  bar_->SetPlaceButton(4, ID_FETCH_RSS, kFetchFeedsImage,
                       QString::fromUtf8("サークルのRSS情報をネットから取得"));
  addToolBar(Qt::TopToolBarArea, bar_);
  Actions()->Bind(bar_);
}

// The feed fetch is the application's; its button is always offered.
void ChecklistWindow::CreateCommands() {
  FrameCommands()
      .On(ID_CHECKLIST_ORDER_LOCK, [this] { ToggleOrderLock(); })
      .OnUpdate(ID_CHECKLIST_ORDER_LOCK,
                [this](int, CommandState& state) {
                  state.checked = Controller().IsChecklistOrderLocked();
                })
      .OnUpdate(ID_FETCH_RSS, [](int, CommandState& state) { state.enabled = true; });
  Actions()->UpdateActions();
}

void ChecklistWindow::SetColorMenu(const ColorMenu* menu) { view_->SetColorMenu(menu, &Route()); }

void ChecklistWindow::FocusView() { view_->setFocus(Qt::ActiveWindowFocusReason); }

// Every window, the view among them, takes the lock from the options message.
void ChecklistWindow::ToggleOrderLock() {
  Controller().SetChecklistOrderLocked(!Controller().IsChecklistOrderLocked());
  Controller().NotifyOptionsChanged();
}

void ChecklistWindow::OnAppMessageRun(std::span<const AppMessage> run) {
  view_->OnAppMessageRun(run);
}

void ChecklistWindow::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  switch (message) {
    case UM_CIRCLE_CHANGED:
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_UNCHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
    case UM_CHECKLIST_RESET:
    case UM_CHECKLIST_MARKS_CHANGED:
    case UM_OPTIONS_CHANGED:
    case UM_CHECKLIST_ENTRY_CHANGED:
    case UM_CIRCLE_INFO_UPDATED:
      view_->OnAppMessage(message, wParam, lParam);
      break;
    case UM_CURRENT_COLOR_CHANGED:
      bar_->UpdateColorButtons(Controller());
      break;
    case UM_COLORS_CHANGED:
      bar_->UpdateColorButtons(Controller());
      view_->BuildColorImages();
      view_->update();
      break;
    default:
      break;  // page, day, block, space, genre and images: nothing to do here
  }
  Actions()->UpdateActions();
}

}  // namespace vx
