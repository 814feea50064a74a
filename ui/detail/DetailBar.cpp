#include "ui/detail/DetailBar.h"

#include <QAction>
#include <QPushButton>

#include "res/ResourceIds.h"
#include "ui/menus/CommandActions.h"
#include "ui/widgets/ControlFont.h"

namespace vx {

namespace {

constexpr int kLeadingPlaces = 2;

}  // namespace

DetailBar::DetailBar(QWidget* parent) : ColorToolBar(QStringLiteral("サークル詳細"), parent) {
  setMovable(false);
}

void DetailBar::Create(const CatalogController& controller) {
  CreateColorBar(controller, IDB_TOOLBAR, kLeadingPlaces, 0);
  search_ = NewButton(0, QStringLiteral("Googleで検索"), ID_WEB_SEARCH, kSearchWidth);
  settings_ = NewButton(1, QStringLiteral("設定"), ID_WEB_SEARCH_SETTINGS, kSettingsWidth);
}

// The place's action follows the command's state and passes the enabled state on to the button.
QPushButton* DetailBar::NewButton(int place, const QString& text, int commandId, int width) {
  auto* button = new QPushButton(text, this);
  button->setFont(ControlFont());
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedWidth(width);
  QAction* holder = SetPlaceWidget(place, button);
  CommandActions::SetCommandId(holder, commandId);
  connect(button, &QPushButton::clicked, holder, &QAction::trigger);
  return button;
}

}  // namespace vx
