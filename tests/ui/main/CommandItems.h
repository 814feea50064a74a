// What a window offers, as the user finds it: the menu items and tool bar buttons of a command, a
// file dropped on the window, and an application that takes every command that reaches it.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QUrl>

#include <vector>

#include "ui/menus/CommandActions.h"
#include "ui/menus/CommandTarget.h"

namespace vxtest {

struct RecordingCommands : vx::CommandTarget {
  std::vector<int> run;
  bool OnCommand(int id) override {
    run.push_back(id);
    return true;
  }
  bool OnUpdateCommand(int, vx::CommandState&) const override { return false; }
  bool HandlesCommand(int) const override { return true; }
};

inline void CollectActions(const QList<QAction*>& actions, std::vector<QAction*>& all) {
  for (QAction* action : actions) {
    all.push_back(action);
    if (action->menu()) CollectActions(action->menu()->actions(), all);
  }
}

// The menu items, tool bar buttons and accelerators of the command.
inline std::vector<QAction*> CommandItems(QMainWindow& window, int id) {
  std::vector<QAction*> all;
  CollectActions(window.menuBar()->actions(), all);
  CollectActions(window.actions(), all);
  for (QToolBar* bar : window.findChildren<QToolBar*>()) CollectActions(bar->actions(), all);
  std::erase_if(all, [id](QAction* a) { return vx::CommandActions::CommandId(a) != id; });
  return all;
}

inline bool ItemEnabled(QMainWindow& window, int id) {
  const std::vector<QAction*> items = CommandItems(window, id);
  EXPECT_FALSE(items.empty()) << window.windowTitle().toStdString() << " " << id;
  bool enabled = !items.empty();
  for (const QAction* item : items) enabled = enabled && item->isEnabled();
  return enabled;
}

// Drops a file that does not exist on the window, as a file manager would; answers whether the
// window took the drag. Opening the file would say it cannot be read.
inline bool DropMissingFile(QWidget& window) {
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QStringLiteral("/nonexistent/dropped.csv"))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  static_cast<QObject*>(&window)->event(&enter);
  // Outside a real drag the application passes a drop to nobody: the window takes it directly.
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  static_cast<QObject*>(&window)->event(&drop);
  return enter.isAccepted();
}

}  // namespace vxtest
