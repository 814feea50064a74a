// The page-jump tool bar: previous and next page, then the day, hall and block lists of the
// current day. Choosing an entry asks the main window to jump there.
#pragma once

#include <QList>
#include <QToolBar>

#include <string>
#include <vector>

class QComboBox;

namespace vx {

class JumpToolBar : public QToolBar {
  Q_OBJECT

 public:
  enum List { kDayList, kHallList, kBlockList, kListCount };

  // `leading`: the buttons in front of the lists (previous and next page).
  JumpToolBar(const QList<QAction*>& leading, QWidget* parent = nullptr);

  QComboBox* Combo(List list) const { return combos_[list]; }
  // Replaces a list's entries (CP932 names) without announcing a choice.
  void Fill(List list, const std::vector<std::string>& names);
  // Shows a 0-based entry as chosen (none for an index outside the list).
  void Select(List list, int index);

 Q_SIGNALS:
  // The user chose the entry at `index` (0-based) of a list.
  void entryChosen(int list, int index);

 private:
  QComboBox* combos_[kListCount] = {};
};

}  // namespace vx
