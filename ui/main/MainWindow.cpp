// Construction, placement, activation and closing of the main window.
#include "ui/main/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QUrl>
#include <QWindow>

#include "app/CatalogController.h"
#include "platform/qt/QtStrings.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/main/AboutDialog.h"
#include "ui/main/MainStatusBar.h"
#include "ui/menus/CommandActions.h"
#include "ui/menus/MenuTables.h"
#include "ui/views/CutPageView.h"
#include "ui/widgets/ControlFont.h"
#include "ui/widgets/WindowPlacement.h"

namespace vx {

MainWindow::MainWindow(CatalogController& controller)
    : controller_(controller),
      values_(controller.GetValues() ? *controller.GetValues() : ownValues_) {
  setObjectName(QStringLiteral("PavorunCatalogApp"));
  setWindowIcon(WindowIcon(IDI_MAIN));
  ReadDisplayValues();
  CreateMenus();
  CreateCommands();
  CreateView();
  CreateToolBars();
  FillJumpMenus();
  view_->SetSmoothing(antiAlias_);
  view_->SetZoom(zoom_);
  ApplyViewOptions();
  CreateStatusBar();
  SetControlFonts();
  CreateAccelerators();
  EnableFileDrops();
  ConnectControls();
  Refresh();
  DockToolBars();
}

MainWindow::~MainWindow() = default;

// The bars' own controls share the controls' font; the tool buttons keep the style's.
void MainWindow::SetControlFonts() {
  const QFont font = ControlFont();
  std::vector<QWidget*> controls = {zoomBox_, colorEdit_, status_->PageBox(), status_->PrevButton(),
                                    status_->NextButton()};
  for (int list = 0; list < JumpToolBar::kListCount; ++list) {
    controls.push_back(jumpBar_->Combo(static_cast<JumpToolBar::List>(list)));
  }
  for (QWidget* control : controls) control->setFont(font);
}

void MainWindow::CreateMenus() {
  menu_.Build(controller_);
  menu_.ShowAsMenuBar(menuBar());
  route_.SetTargets({&gate_, &commands_});
  actions_ = new CommandActions(route_, this);
  actions_->Bind(menuBar());
}

void MainWindow::SetApplicationCommands(CommandTarget* application) {
  application_ = application;
  route_.SetTargets({&gate_, view_, &commands_, application_});
  actions_->UpdateActions();
}

bool MainWindow::RunCommand(int id) {
  const bool ran = route_.Dispatch(id);
  actions_->UpdateActions();
  return ran;
}

// Commands go to the view first; its right-button menu is this window's checklist menu. Without
// a catalogue a notice saying so takes the view's place.
void MainWindow::CreateView() {
  central_ = new QStackedWidget(this);
  view_ = new CutPageView(controller_, central_);
  notice_ = new QLabel(central_);
  notice_->setAlignment(Qt::AlignCenter);
  notice_->setWordWrap(true);
  notice_->setMargin(24);
  central_->addWidget(view_);
  central_->addWidget(notice_);
  setCentralWidget(central_);
  view_->SetZoomRange(kMinZoom, kMaxZoom);
  view_->SetChecklistMenu(&menu_, &route_);
  route_.SetTargets({&gate_, view_, &commands_, application_});
  connect(view_, &CutPageView::frameCommand, this, [this](int id) { RunCommand(id); });
  connect(view_, &CutPageView::pointerReported, this,
          [this](QPoint point) { ShowCircleUnderPointer(point); });
}

void MainWindow::ApplyViewOptions() {
  view_->SetScrollMode(controller_.GetScrollMode());
  view_->SetAutoSelect(controller_.IsAutoSelect());
  view_->SetOneClick(controller_.IsOneClickSelect());
}

WindowRect MainWindow::ScreenRect() const {
  const QRect r = geometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void MainWindow::PlaceAt(const WindowRect& rect) {
  placing_ = true;
  PlaceWindowOnScreen(*this, rect);
  placing_ = false;
}

void MainWindow::PlaceFrameAt(const WindowRect& frameRect) {
  placing_ = true;
  PlaceFrameOnScreen(*this, frameRect);
  placing_ = false;
}

std::string MainWindow::ApplicationTitle() const { return vx::ApplicationTitle(); }

void MainWindow::SetTitleText(std::string_view utf8) {
  setWindowTitle(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

// The recent-file menu stands third from the end of the file menu.
void MainWindow::SetRecentFileItems(std::span<const RecentFileItem> items) {
  CommandMenu* file = menu_.SubMenuAt(kMainFileMenu);
  CommandMenu* recent = file ? file->SubMenuAt(file->Count() - 3) : nullptr;
  if (!recent) return;
  recent->Clear();
  for (const RecentFileItem& item : items) {
    recent->AppendItem(QString::fromStdString(item.text), item.commandId);
  }
}

void MainWindow::EnableFileDrops() { setAcceptDrops(true); }

// A dropped file is opened as the open command would, which is closed without a catalogue.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (gate_.HasCatalog() && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Only the first of several dropped files is opened, as a checklist.
void MainWindow::dropEvent(QDropEvent* event) {
  if (!gate_.HasCatalog()) return;
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  controller_.OpenChecklistFile(PathFromQt(urls.first().toLocalFile()));
}

void MainWindow::Minimize() { showMinimized(); }

void MainWindow::Restore() { showNormal(); }

void MainWindow::BringToTop() { raise(); }

void MainWindow::FocusView() { view_->setFocus(); }

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FlowToolBarRows();
  if (stretchMode_ == kFitWidth || stretchMode_ == kFitHeight) {
    FitOneSide(stretchMode_ == kFitWidth, true);
  }
  if (!placing_) controller_.SaveWindowRect(this);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FlowToolBarRows();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (!placing_) controller_.SaveWindowRect(this);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) {
    if (isActiveWindow()) {
      controller_.RaiseWindow(this);
      FocusView();
    } else {
      view_->CancelDrag();
    }
  } else if (event->type() == QEvent::WindowStateChange) {
    if (isMinimized()) {
      controller_.MinimizeAllWindows();
    } else if (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) {
      controller_.RestoreAllWindows();
    }
  }
}

void MainWindow::SaveLayout() {
  StoreToolBarState();
  SaveDockLayout();
}

bool MainWindow::MayClose() { return controller_.AskSaveChecklist() != IDCANCEL; }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!MayClose()) {
    event->ignore();
    return;
  }
  SaveLayout();
  event->accept();
  Q_EMIT closeAccepted();
}

}  // namespace vx
