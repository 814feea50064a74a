// Ties Qt actions to a command route. Every action carries its command id (SetCommandId);
// triggering a bound action runs its command through the route, and the actions' enabled and
// checked states are asked of the same route:
//   - a menu's items when the menu is about to show;
//   - every bound action after each command and whenever the owner calls UpdateActions (tool bar
//     buttons, accelerators), e.g. after an application message.
// Binding a menu bar, menu or tool bar binds the actions it holds, those added to it later, and
// those of its sub-menus. Actions without a command id (embedded controls) are left alone.
#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace vx {

class CommandRoute;
class CommandTarget;

class CommandActions : public QObject {
  Q_OBJECT

 public:
  // The route must outlive this object.
  explicit CommandActions(CommandRoute& route, QObject* parent = nullptr);

  static void SetCommandId(QAction* action, int id);
  static int CommandId(const QAction* action);  // 0 when the action has none

  void Bind(QAction* action);
  void Bind(QWidget* widget);  // a QMenuBar, QMenu or QToolBar
  // Refreshes every bound action from the route.
  void UpdateActions();

  // Refreshes one menu's items from a target: also for popup menus whose commands go to another
  // window than the one the menu belongs to.
  static void UpdateMenu(QMenu* menu, const CommandTarget& target);
  static void UpdateAction(QAction* action, const CommandTarget& target);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Trigger(QAction* action);
  void ScheduleUpdate();

  CommandRoute& route_;
  std::vector<QPointer<QAction>> actions_;
  bool updateScheduled_ = false;
};

}  // namespace vx
