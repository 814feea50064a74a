// The main window's five tool bars and its status bar: creation, docking in one top row, and
// their visibility, floating state and layout kept across starts.
#include <QAction>
#include <QLineEdit>
#include <QToolBar>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "platform/Base64.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/main/MainStatusBar.h"
#include "ui/main/MainWindow.h"

namespace vx {

namespace {

// The dock layout is variable in length, so it lives beside the fixed settings in the profile.
constexpr std::string_view kDockLayoutSection = "CircleCutWindow";
constexpr std::string_view kDockLayoutKey = "DockState";
constexpr int kZoomBoxId = 125;
constexpr int kZoomBoxWidth = 48;
constexpr int kStateVisible = 1;
constexpr int kStateFloating = 2;

}  // namespace

QToolBar* MainWindow::NewToolBar(ToolBarIndex index, const char* title, const char* objectName,
                                 const std::vector<int>& ids) {
  auto* bar = new QToolBar(QtText(Sjis(title)), this);
  bar->setObjectName(QLatin1String(objectName));
  for (int id : ids) {
    if (id == 0) {
      bar->addSeparator();
    } else {
      bar->addAction(Action(id));
    }
  }
  bars_[index] = bar;
  return bar;
}

void MainWindow::CreateToolBars() {
  NewToolBar(kToolBarBasic, "基本ツールバー", "BasicBar",
             {ID_CHECKLIST_NEW, 0, ID_CHECKLIST_OPEN, ID_CHECKLIST_SAVE, 0, ID_PRINT});
  jumpBar_ = new JumpToolBar({Action(ID_PREV_PAGE), Action(ID_NEXT_PAGE)}, this);
  bars_[kToolBarJump] = jumpBar_;
  QToolBar* display = NewToolBar(kToolBarDisp, "表示ツールバー", "DispBar", {ID_ZOOM_OUT});
  zoomBox_ = new QLineEdit(display);
  SetControlId(zoomBox_, kZoomBoxId);
  zoomBox_->setFixedWidth(kZoomBoxWidth);
  display->addWidget(zoomBox_);
  for (int id : {ID_ZOOM_IN, 0, ID_FIT_WIDTH, ID_FIT_HEIGHT, ID_ACTUAL_SIZE, 0, ID_ANTI_ALIAS}) {
    if (id == 0) {
      display->addSeparator();
    } else {
      display->addAction(Action(id));
    }
  }
  NewToolBar(kToolBarCheck, "チェックツールバー", "CheckBar", {});
  NewToolBar(kToolBarNavi, "ナビゲートツールバー", "NaviBar",
             {ID_HISTORY_BACK, ID_HISTORY_FORWARD});
  for (QToolBar* bar : bars_) bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
}

void MainWindow::CreateStatusBar() {
  status_ = new MainStatusBar(this);
  setStatusBar(status_);
  status_->SetPageRange(controller_.GetFirstPage(), controller_.GetLastPage());
}

// All five in one row at the top, each right of the one before.
void MainWindow::DockToolBars() {
  for (QToolBar* bar : bars_) addToolBar(Qt::TopToolBarArea, bar);
  ApplyToolBarState();
  RestoreDockLayout();
}

void MainWindow::ApplyToolBarState() {
  for (int b = 0; b < kToolBarCount; ++b) {
    bars_[b]->setVisible((values_.toolBars[b].shown & kStateVisible) != 0);
  }
}

void MainWindow::RestoreDockLayout() {
  const AppSettings* settings = controller_.Settings();
  if (!settings) return;
  const std::string text = settings->ReadString(kDockLayoutSection, kDockLayoutKey, "");
  if (text.empty()) return;
  if (const std::optional<std::string> state = Base64Decode(text)) {
    restoreState(QByteArray::fromStdString(*state));
  }
}

void MainWindow::SaveDockLayout() const {
  const AppSettings* settings = controller_.Settings();
  if (!settings) return;
  settings->WriteString(kDockLayoutSection, kDockLayoutKey,
                        Base64Encode(saveState().toStdString()));
}

void MainWindow::StoreToolBarState() {
  for (int b = 0; b < kToolBarCount; ++b) {
    const QToolBar* bar = bars_[b];
    const QPoint topLeft = bar->isFloating() ? bar->pos() : bar->mapToGlobal(QPoint(0, 0));
    values_.toolBars[b] = {(bar->isVisibleTo(this) ? kStateVisible : 0) |
                               (bar->isFloating() ? kStateFloating : 0),
                           topLeft.x(), topLeft.y()};
  }
}

void MainWindow::ToggleBar(ToolBarIndex bar) {
  bars_[bar]->setVisible(!bars_[bar]->isVisibleTo(this));
}

}  // namespace vx
