// The view of the checklist window: the checked circles of the checklist, one tab per event day
// (labelled with its weekday), then "抽選漏れ" for circles without a space and "未登録" for
// circles the catalogue does not hold, each tab with its own list. Each row shows the check
// colour (swatch and name) and the columns the settings choose for the checklist; the print-order
// column shows the row's place in its tab when it was added.
//
// The view never changes the checklist itself: it hands circle ids, colours, memos and print
// numbers to the controller, and its rows follow the controller's messages. Memo-only circles
// have no row.
#pragma once

#include <QWidget>

#include <span>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "app/AppMessageSink.h"
#include "ui/list/ListRow.h"
#include "ui/list/ListColumnLayout.h"
#include "ui/menus/CommandMap.h"

class QStackedLayout;
class QTabBar;

namespace vx {

class CatalogController;
class ColorMenu;
class CommandTarget;
class ListControl;
struct ListRow;

class ChecklistView : public QWidget, public AppMessageSink {
  Q_OBJECT

 public:
  explicit ChecklistView(CatalogController& controller, QWidget* parent = nullptr);
  ~ChecklistView() override;

  // The main window's checklist menu, shown on a right click with its commands going to `owner`.
  void SetColorMenu(const ColorMenu* menu, CommandTarget* owner);
  CommandTarget& Commands() { return commands_; }

  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;
  // The rows a run checks are appended a tab at a time, with their memos as they are now.
  void OnAppMessageRun(std::span<const AppMessage> run) override;

  // Columns again from the settings; with `refill` every row again from the checklist in print
  // order. A refill tells the controller nothing: the print order and the modified mark stay.
  void SetupColumns(bool refill);
  // The swatches and the row height again, after the colours or the cut width changed.
  void BuildColorImages();
  void ClearRows();
  void SwitchTab(int tab);

  int DayCount() const { return dayCount_; }
  int TabCount() const { return dayCount_ + 2; }
  int CurrentTab() const { return currentTab_; }
  QTabBar* Tabs() const { return tabs_; }
  // Null without days or outside 0..TabCount() - 1.
  ListControl* List(int tab) const;
  ListControl* CurrentList() const { return List(currentTab_); }
  const ListColumnLayout& Columns() const { return columns_; }

 private:
  struct TabState {
    int selectedRow = -1;
    int sortColumn = -1;
    int sortDirection = 0;  // 1 ascending, -1 descending
  };

  // Set-up, in this order.
  void CreateTabs();
  void CreateLists();
  void CreateCommands();
  void ConnectList(int tab);

  // Rows (ChecklistView.cpp).
  int TabOfDay(int day) const;
  void AddRow(int circleId, bool tellController);
  void RemoveRow(int circleId);
  void SetRowColor(int circleId, int color);
  int PrintOrderColumn() const;
  void FillFromChecklist();
  ListRow MakeRow(const CircleRecord& circle, int printNumber) const;

  // Rows a run adds, by tab, and the print numbers the controller is told.
  struct QueuedRows {
    std::vector<std::vector<ListRow>> byTab;
    std::vector<std::pair<int, int>> printNumbers;
    std::unordered_set<int> circles;
  };
  void QueueRow(int circleId, QueuedRows& queued) const;
  void AppendQueued(QueuedRows& queued);

  // Messages (ChecklistViewMessages.cpp).
  void OnCircleChanged(int circleId);
  void SelectRowOf(int circleId);
  void OnCircleChecked(int circleId);
  void OnMarksChanged();
  void SelectRows(const std::vector<int>& circleIds);
  void OnColorChanged(int circleId, int color);
  void OnOptionsChanged();
  void OnLabelEdited(int tab, int row);
  void OnColumnsResized();

  // Input and commands (ChecklistViewInput.cpp).
  void OnRowFocused(int tab, int row);
  void OnKey(int key, Qt::KeyboardModifiers modifiers);
  int CircleBelowSelection() const;
  void AdvanceTo(int circleId);
  void OnRightClick(int tab, const QPoint& point);
  void OnColumnClicked(int column);
  std::vector<int> SelectedCircles() const;
  void CheckSelection(int color);
  void RemoveSelection();
  void CopySelection();
  void Paste();
  void MakeOrderPrintOrder();

  CatalogController& controller_;
  const ColorMenu* colorMenu_ = nullptr;
  CommandTarget* menuOwner_ = nullptr;
  CommandMap commands_;
  QTabBar* tabs_ = nullptr;
  QStackedLayout* stack_ = nullptr;
  std::vector<ListControl*> lists_;
  std::vector<TabState> states_;
  int dayCount_ = 0;
  int currentTab_ = 0;
  int currentCircleId_ = 0;
  ListColumnLayout columns_;
  int imageCutWidth_ = 0;  // the cut column's width the row images were built for
  bool orderLocked_ = false;
  bool following_ = false;  // selecting the current circle's row: no SelectCircle back
};

}  // namespace vx
