// The main window's five tool bars and its status bar: creation, docking in one top row (in rows
// where the window is too narrow for one), and their visibility, floating state and layout kept
// across starts.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "platform/Base64.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/main/MainStatusBar.h"
#include "ui/main/MainWindow.h"
#include "ui/menus/CommandActions.h"
#include "ui/widgets/ColorToolBar.h"

namespace vx {

namespace {

// The dock layout is variable in length, so it lives beside the fixed settings in the profile.
constexpr std::string_view kDockLayoutSection = "CircleCutWindow";
constexpr std::string_view kDockLayoutKey = "DockState";
constexpr int kZoomBoxId = 125;
constexpr int kZoomBoxWidth = 48;
constexpr int kColorEditWidth = 64;
constexpr int kStateVisible = 1;
constexpr int kStateFloating = 2;
constexpr int kSeparator = 0;

// Command id and image index of each button; id 0 is a separator.
using Buttons = std::vector<std::pair<int, int>>;

}  // namespace

QToolBar* MainWindow::NewToolBar(ToolBarIndex index, const char* title, const char* objectName) {
  auto* bar = new QToolBar(QtText(Sjis(title)), this);
  bar->setObjectName(QLatin1String(objectName));
  bars_[index] = bar;
  return bar;
}

QAction* MainWindow::NewButton(QObject* parent, int id, int image) {
  QAction* menuItem = menu_.FindAction(id);
  const QString text = menuItem ? menuItem->text().section(QLatin1Char('\t'), 0, 0) : QString();
  auto* button = new QAction(BitmapImage(IDB_TOOLBAR, image), text, parent);
  CommandActions::SetCommandId(button, id);
  return button;
}

void MainWindow::AddButtons(QToolBar* bar, const Buttons& buttons) {
  for (auto [id, image] : buttons) {
    if (id == kSeparator) {
      bar->addSeparator();
    } else {
      bar->addAction(NewButton(bar, id, image));
    }
  }
}

void MainWindow::CreateToolBars() {
  AddButtons(NewToolBar(kToolBarBasic, "基本ツールバー", "BasicBar"), {{ID_CHECKLIST_NEW, 14},
                                                                       {kSeparator, 0},
                                                                       {ID_CHECKLIST_OPEN, 8},
                                                                       {ID_CHECKLIST_SAVE, 9},
                                                                       {kSeparator, 0},
                                                                       {ID_PRINT, 12}});

  jumpBar_ =
      new JumpToolBar({NewButton(this, ID_PREV_PAGE, 6), NewButton(this, ID_NEXT_PAGE, 7)}, this);
  bars_[kToolBarJump] = jumpBar_;

  QToolBar* display = NewToolBar(kToolBarDisp, "表示ツールバー", "DispBar");
  AddButtons(display, {{ID_ZOOM_OUT, 0}});
  zoomBox_ = new QLineEdit(display);
  SetControlId(zoomBox_, kZoomBoxId);
  zoomBox_->setFixedWidth(kZoomBoxWidth);
  display->addWidget(zoomBox_);
  AddButtons(display, {{ID_ZOOM_IN, 1},
                       {kSeparator, 0},
                       {ID_FIT_WIDTH, 2},
                       {ID_FIT_HEIGHT, 3},
                       {ID_ACTUAL_SIZE, 4},
                       {kSeparator, 0},
                       {ID_ANTI_ALIAS, 5}});

  CreateCheckBar();
  AddButtons(NewToolBar(kToolBarNavi, "ナビゲートツールバー", "NaviBar"),
             {{ID_HISTORY_BACK, 20}, {ID_HISTORY_FORWARD, 21}});
  for (QToolBar* bar : bars_) {
    bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    actions_->Bind(bar);
  }
}

// One leading place left empty, the colours, then "色編集" where the separator after them stood.
void MainWindow::CreateCheckBar() {
  checkBar_ = new ColorToolBar(QtText(Sjis("チェックツールバー")), this);
  checkBar_->setObjectName(QStringLiteral("CheckBar"));
  checkBar_->CreateColorBar(controller_, 0, 1, 0);
  colorEdit_ = new QPushButton(QtText(Sjis("色編集")), checkBar_);
  SetControlId(colorEdit_, ID_COLOR_EDIT);
  colorEdit_->setFixedWidth(kColorEditWidth);
  checkBar_->SetPlaceWidget(checkBar_->FirstColorPlace() + checkBar_->ColorCount(), colorEdit_);
  connect(colorEdit_, &QPushButton::clicked, this, [this] { RunCommand(ID_COLOR_EDIT); });
  bars_[kToolBarCheck] = checkBar_;
}

void MainWindow::CreateStatusBar() {
  status_ = new MainStatusBar(this);
  setStatusBar(status_);
  status_->SetPageRange(controller_.GetFirstPage(), controller_.GetLastPage());
}

// All five in one row at the top, each right of the one before; then what the user made of them.
void MainWindow::DockToolBars() {
  for (QToolBar* bar : bars_) addToolBar(Qt::TopToolBarArea, bar);
  ApplyToolBarState();
  RestoreDockLayout();
  FlowToolBarRows();
}

void MainWindow::ApplyToolBarState() {
  for (int b = 0; b < kToolBarCount; ++b) {
    bars_[b]->setVisible((values_.toolBars[b].shown & kStateVisible) != 0);
  }
}

void MainWindow::RestoreDockLayout() {
  const AppSettings* settings = controller_.GetSettings();
  if (!settings) return;
  const std::string text = settings->ReadString(kDockLayoutSection, kDockLayoutKey, "");
  if (text.empty()) return;
  if (const std::optional<std::string> state = Base64Decode(text)) {
    restoreState(QByteArray::fromStdString(*state));
  }
}

void MainWindow::SaveDockLayout() const {
  const AppSettings* settings = controller_.GetSettings();
  if (!settings) return;
  settings->WriteString(kDockLayoutSection, kDockLayoutKey,
                        Base64Encode(saveState().toStdString()));
}

void MainWindow::StoreToolBarState() {
  for (int b = 0; b < kToolBarCount; ++b) {
    const QToolBar* bar = bars_[b];
    const QPoint topLeft = bar->isFloating() ? bar->pos() : bar->mapToGlobal(QPoint(0, 0));
    values_.toolBars[b] = {
        (bar->isVisibleTo(this) ? kStateVisible : 0) | (bar->isFloating() ? kStateFloating : 0),
        topLeft.x(), topLeft.y()};
  }
}

void MainWindow::ToggleBar(ToolBarIndex bar) {
  bars_[bar]->setVisible(!bars_[bar]->isVisibleTo(this));
  FlowToolBarRows();
}

// A bar that does not fit beside the ones before it in the window's width starts a new row, so
// that no button is folded away behind the bar's extension. Rows the user made stay; the ones made
// here go again when the window is wide enough. Nothing happens before the window has a size.
void MainWindow::FlowToolBarRows() {
  if (!testAttribute(Qt::WA_Resized) && !isVisible()) return;
  for (const Qt::ToolBarArea area : {Qt::TopToolBarArea, Qt::BottomToolBarArea}) {
    std::vector<int> docked;
    for (int b = 0; b < kToolBarCount; ++b) {
      const QToolBar* bar = bars_[b];
      if (toolBarArea(bar) == area && !bar->isFloating() && bar->isVisibleTo(this)) {
        docked.push_back(b);
      }
    }
    // The order in which they stand: row by row, left to right.
    std::stable_sort(docked.begin(), docked.end(), [this](int a, int b) {
      return std::pair(bars_[a]->y(), bars_[a]->x()) < std::pair(bars_[b]->y(), bars_[b]->x());
    });
    int used = 0;
    for (const int b : docked) {
      QToolBar* bar = bars_[b];
      const int width = bar->sizeHint().width();
      const bool userBreak = toolBarBreak(bar) && !flowBreaks_[b];
      const bool flowBreak = !userBreak && used > 0 && used + width > this->width();
      if (flowBreak && !toolBarBreak(bar)) insertToolBarBreak(bar);
      if (!flowBreak && flowBreaks_[b] && toolBarBreak(bar)) removeToolBarBreak(bar);
      flowBreaks_[b] = flowBreak;
      used = (userBreak || flowBreak ? 0 : used) + width;
    }
  }
}

}  // namespace vx
