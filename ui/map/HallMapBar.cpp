#include "ui/map/HallMapBar.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/menus/CommandActions.h"
#include "ui/menus/CommandMenu.h"
#include "ui/widgets/ControlFont.h"

namespace vx {

namespace {

constexpr int kMapChoiceWidth = 100;
constexpr int kZoomBoxWidth = 36;
constexpr int kGenreLabelWidth = 76;
constexpr int kOpacityWidth = 54;
constexpr int kOpacityRows = 5;  // none, 25, 50, 75, 100

}  // namespace

HallMapBar::HallMapBar(CommandMenu& viewMenu, QWidget* parent)
    : QToolBar(QtText(Sjis("マップツールバー")), parent) {
  setObjectName(QStringLiteral("MapBar"));
  setMovable(false);  // no gripper
  mapChoice_ = new QComboBox(this);
  SetControlId(mapChoice_, ID_MAP_CHOICE);
  mapChoice_->setMinimumWidth(kMapChoiceWidth);
  mapChoice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  addWidget(mapChoice_);
  connect(mapChoice_, &QComboBox::activated, this, &HallMapBar::mapChosen);
  addSeparator();
  AddButton(viewMenu, ID_MAP_ZOOM_OUT, 0, false);
  AddZoomBox();
  AddButton(viewMenu, ID_MAP_ZOOM_IN, 1, false);
  addSeparator();
  AddGenreControls();
  addSeparator();
  AddButton(viewMenu, ID_MAP_FIT_WIDTH, 2, true);
  AddButton(viewMenu, ID_MAP_FIT_HEIGHT, 3, true);
  AddButton(viewMenu, ID_MAP_FIT_WHOLE, 6, true);
  AddButton(viewMenu, ID_MAP_ACTUAL_SIZE, 4, false);
  addSeparator();
  AddButton(viewMenu, ID_MAP_ANTI_ALIAS, 5, true);
  for (QWidget* control :
       {static_cast<QWidget*>(mapChoice_), static_cast<QWidget*>(zoomBox_),
        static_cast<QWidget*>(opacityChoice_), static_cast<QWidget*>(genreLabel_)}) {
    control->setFont(ControlFont());
  }
}

void HallMapBar::AddButton(CommandMenu& viewMenu, int commandId, int image, bool checkable) {
  const QAction* item = viewMenu.FindAction(commandId);
  auto* button =
      new QAction(BitmapImage(IDB_MAP_TOOLBAR, image), item ? item->text() : QString(), this);
  CommandActions::SetCommandId(button, commandId);
  button->setCheckable(checkable);
  addAction(button);
}

void HallMapBar::AddZoomBox() {
  zoomBox_ = new QLineEdit(this);
  SetControlId(zoomBox_, ID_ZOOM_BOX);
  // "300%" whole in the controls' font.
  const int textWidth = QFontMetrics(ControlFont()).horizontalAdvance(QStringLiteral("300%"));
  zoomBox_->setFixedWidth(std::max(kZoomBoxWidth, textWidth + 8));
  addWidget(zoomBox_);
  connect(zoomBox_, &QLineEdit::returnPressed, this, &HallMapBar::zoomEntered);
}

void HallMapBar::AddGenreControls() {
  genreLabel_ = new QLabel(QtText(Sjis(" ジャンル表示")), this);
  genreLabel_->setMinimumWidth(kGenreLabelWidth);
  addWidget(genreLabel_);
  opacityChoice_ = new QComboBox(this);
  SetControlId(opacityChoice_, ID_MAP_OPACITY);
  opacityChoice_->setMinimumWidth(kOpacityWidth);
  opacityChoice_->addItem(QtText(Sjis("なし")));
  for (int row = 1; row < kOpacityRows; ++row) {
    opacityChoice_->addItem(QStringLiteral("%1%").arg(row * kOpacityStep));
  }
  addWidget(opacityChoice_);
  connect(opacityChoice_, &QComboBox::activated, this,
          [this](int row) { Q_EMIT opacityChosen(row * kOpacityStep); });
}

QAction* HallMapBar::Button(int commandId) const {
  for (QAction* action : actions()) {
    if (CommandActions::CommandId(action) == commandId) return action;
  }
  return nullptr;
}

void HallMapBar::FillMapChoice(const std::vector<std::string>& labels) {
  const QSignalBlocker blocker(mapChoice_);
  mapChoice_->clear();
  for (const std::string& label : labels) mapChoice_->addItem(QtText(label));
}

void HallMapBar::ShowMap(int slot) {
  const QSignalBlocker blocker(mapChoice_);
  mapChoice_->setCurrentIndex(slot >= 0 && slot < mapChoice_->count() ? slot : -1);
}

void HallMapBar::ShowZoom(int zoom) { zoomBox_->setText(QStringLiteral("%1%").arg(zoom)); }

void HallMapBar::ShowOpacity(int percent) {
  const QSignalBlocker blocker(opacityChoice_);
  opacityChoice_->setCurrentIndex(std::clamp(percent / kOpacityStep, 0, kOpacityRows - 1));
}

}  // namespace vx
