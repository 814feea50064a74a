// The view of the circle list window: circles of the current event in one of four lists, one per
// display mode, exactly one shown:
//   0 the circles of one day and one block, 1 those of one day whose reading begins with one
//   kana initial, 2 those without a day, 3 the result of the controller's search condition.
// Each row shows a circle's check colour (swatch and colour name) and the columns the settings
// choose. The view keeps the rows in step with the checklist, checks, unchecks, copies and
// pastes the selected circles, stores memos edited in place, sorts by any column unless sorting
// is locked, and makes the selected circle the current one; it follows the current circle.
//
// Modes 0 and 1 load at once; modes 2 and 3 search under the search progress dialog, whose
// worker hands the circles back as values that the view adds on the UI thread.
#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/AppMessageSink.h"
#include "ui/list/ListColumnLayout.h"
#include "ui/menus/CommandMap.h"

class QStackedLayout;

namespace vx {

class CatalogController;
class ColorMenu;
class CommandTarget;
class ListControl;
class SearchCondition;

class CircleListView : public QWidget, public AppMessageSink {
  Q_OBJECT

 public:
  enum Mode { kDayBlock = 0, kDayInitial = 1, kNoDay = 2, kSearchResult = 3, kModeCount = 4 };

  // The single-byte code of kana initial `index`: 1..44 are ｱ..ﾜ (0xB1..0xDC), 45 ｦ (0xA6),
  // 46 ﾝ (0xDD); 0 and anything else 0xFF.
  static int KanaInitialCode(int index);

  CircleListView(CatalogController& controller, QWidget* parent = nullptr);
  ~CircleListView() override;

  // Where the view asks for the next and the previous block (UM_LIST_NEXT_BLOCK,
  // UM_LIST_PREV_BLOCK), and whose commands the check-colour popup sends.
  void SetFrame(AppMessageSink* frame, CommandTarget* commandOwner);
  // The main window's check-colour menu, shown on a right click on a row.
  void SetColorMenu(const ColorMenu* menu) { colorMenu_ = menu; }
  CommandTarget& Commands() { return commands_; }

  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;
  // The rows of a run's circles take the colour and memo the run leaves them, one notice a list.
  void OnAppMessageRun(std::span<const AppMessage> run) override;

  // Loads mode 0 (1) with a day and block (kana initial 1..46); only while that mode is shown,
  // and only when it does not show them already.
  void LoadDayBlock(int day, int blockId);
  void LoadDayInitial(int day, int initial);
  // Loads when the mode has been filled before; else remembers them for its first showing.
  void RequestDayBlock(int day, int blockId);
  void RequestDayInitial(int day, int initial);
  void SetMode(int mode);
  // Mode 3 from the controller's search condition.
  void LoadSearchResult();
  // Fills the shown mode when it has not been filled yet (its pending choice; mode 3 never).
  void EnsureModeContent();
  void SelectFirstRow();
  void SelectLastRow();
  // The last load: circles counted, rows added (fewer after a cancel).
  int Counted() const { return counted_; }
  int Added() const { return added_; }

  // Columns again from the settings; with `refill` every list's rows again from its circles.
  void RebuildColumns(bool refill);
  // The check-colour swatches and the row height, after the colours or the cut width changed.
  void RebuildSwatches();

  ListControl* List(int mode) const { return lists_.at(mode); }
  ListControl* VisibleList() const { return lists_[mode_]; }
  const ListColumnLayout& Columns() const { return columns_; }
  bool SortLocked() const { return sortLocked_; }

 private:
  struct ModeRows {
    std::vector<int> ids;  // in the order they were added, for a refill
    int selectedRow = -1;
    int sortColumn = -1;
    int sortDirection = 0;  // 1 ascending, -1 descending
  };
  struct Choice {
    int day = 0;
    int second = 0;  // the block id, or the kana initial
    bool operator==(const Choice&) const = default;
  };
  // A list of one day narrowed by a second choice (mode 0 a block, mode 1 a kana initial).
  struct DayList {
    Choice loaded;
    Choice pending;  // asked for before the list was first filled
    bool filled = false;
  };
  // What a refill depends on beyond the columns themselves.
  struct Geometry {
    std::vector<int> widths;
    int cutWidth = 0;
    int cutHeight = 0;
    bool operator==(const Geometry&) const = default;
  };

  // Set-up, in this order.
  void CreateLists();
  void CreateCommands();
  void ConnectList(int mode);

  // Loading.
  void LoadByDay(int mode, const Choice& choice, DayList& list,
                 const std::function<void(SearchCondition&)>& narrow);
  void LoadDirect(int mode, SearchCondition& condition);
  int LoadThroughProgress(int mode, SearchCondition& condition);
  void LoadNoDay();
  void AddRows(int mode, const std::vector<CircleRecord>& circles);
  void ClearList(int mode, bool forgetIds);
  void Refill(int mode);
  void ReportSearchFailure(const std::string& error);

  // Messages (CircleListViewMessages.cpp).
  void OnCircleChanged(int circleId);
  void SelectCircleRow(int circleId);
  void ScrollIntoBand(int row);
  void SetCircleColor(int circleId, int color);
  void ResetChecklist();
  void OnOptionsChanged();
  void OnColumnsResized();
  void OnLabelEdited(int mode, int row);

  // Input (CircleListViewInput.cpp).
  void OnRowFocused(int mode, int row);
  void OnKey(int key, Qt::KeyboardModifiers modifiers);
  void OnRightClick(int mode, const QPoint& point);
  void OnColumnClicked(int column);
  void Advance();
  std::vector<int> SelectedCircles() const;
  void CheckSelection(int color);
  void UncheckSelection();
  void CopySelection();
  void CutSelection();
  void Paste();
  void SelectRowCircle(int row);
  void SendToFrame(unsigned message);

  Geometry CurrentGeometry() const;
  void ApplyWidths();

  CatalogController& controller_;
  AppMessageSink* frame_ = nullptr;
  CommandTarget* commandOwner_ = nullptr;
  const ColorMenu* colorMenu_ = nullptr;
  CommandMap commands_;
  QStackedLayout* stack_ = nullptr;
  std::array<ListControl*, kModeCount> lists_{};
  std::array<ModeRows, kModeCount> rows_{};
  int mode_ = kDayBlock;
  int lastSelectedId_ = 0;
  int rowPosition_ = 0;  // 1 the selected row is the first, 2 the last, else 0
  DayList dayBlock_;
  DayList dayInitial_;
  bool noDayFilled_ = false;
  int counted_ = 0;
  int added_ = 0;
  ListColumnLayout columns_;
  Geometry geometry_;
  bool sortLocked_;         // as stored at start, then from every options change
  bool following_ = false;  // selecting the current circle's row: no SelectCircle back
};

}  // namespace vx
