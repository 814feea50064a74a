#include "ui/menus/CommandActions.h"

#include <QAction>
#include <QActionEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include "ui/menus/CommandRoute.h"

namespace vx {

namespace {

constexpr char kCommandIdProperty[] = "commandId";
constexpr char kBoundProperty[] = "vxCommandBound";

}  // namespace

CommandActions::CommandActions(CommandRoute& route, QObject* parent)
    : QObject(parent), route_(route) {}

void CommandActions::SetCommandId(QAction* action, int id) {
  action->setProperty(kCommandIdProperty, id);
}

int CommandActions::CommandId(const QAction* action) {
  return action ? action->property(kCommandIdProperty).toInt() : 0;
}

void CommandActions::Bind(QAction* action) {
  if (!action) return;
  if (QMenu* menu = action->menu()) Bind(menu);
  if (CommandId(action) == 0 || action->property(kBoundProperty).toBool()) return;
  action->setProperty(kBoundProperty, true);
  actions_.emplace_back(action);
  connect(action, &QAction::triggered, this, [this, action] { Trigger(action); });
  UpdateAction(action, route_);
}

void CommandActions::Bind(QWidget* widget) {
  if (!widget || widget->property(kBoundProperty).toBool()) return;
  widget->setProperty(kBoundProperty, true);
  widget->installEventFilter(this);
  if (auto* menu = qobject_cast<QMenu*>(widget)) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
      for (QAction* action : menu->actions()) Bind(action);  // given an id after it was added
      UpdateMenu(menu, route_);
    });
  }
  for (QAction* action : widget->actions()) Bind(action);
}

bool CommandActions::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ActionAdded) Bind(static_cast<QActionEvent*>(event)->action());
  return QObject::eventFilter(watched, event);
}

void CommandActions::Trigger(QAction* action) {
  route_.Dispatch(CommandId(action));
  ScheduleUpdate();
}

// After a command the states of other items may have changed; ask once the command has returned.
void CommandActions::ScheduleUpdate() {
  if (updateScheduled_) return;
  updateScheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    updateScheduled_ = false;
    UpdateActions();
  });
}

void CommandActions::UpdateActions() {
  std::erase_if(actions_, [](const QPointer<QAction>& action) { return action.isNull(); });
  for (const QPointer<QAction>& action : actions_) UpdateAction(action, route_);
}

void CommandActions::UpdateMenu(QMenu* menu, const CommandTarget& target) {
  for (QAction* action : menu->actions()) UpdateAction(action, target);
}

void CommandActions::UpdateAction(QAction* action, const CommandTarget& target) {
  const int id = CommandId(action);
  if (id == 0 || action->isSeparator() || action->menu()) return;
  const CommandState state = target.QueryState(id);
  action->setEnabled(state.enabled);
  if (state.checked) {
    action->setCheckable(true);
    action->setChecked(*state.checked);
  }
}

}  // namespace vx
