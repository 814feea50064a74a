// The circle list window "サークル一覧": the circle list view, the list bar with the display mode,
// day and block (or kana initial) selectors, the search button and the quick keyword field, the
// colour bar with the sort lock, and a status pane with the search summary. It runs the searches
// the controller asks for (UM_RUN_SEARCH), steps the day-and-block list from block to block, and
// follows the day and block of the other windows while "ListSync" is on.
//
#pragma once

#include <memory>
#include <string>

#include "ui/widgets/ToolWindowFrame.h"

class QLabel;

namespace vx {

class CatalogController;
class CircleListBar;
class CircleListView;
class ColorMenu;
class ColorToolBar;

class ListWindow : public ToolWindowFrame {
  Q_OBJECT

 public:
  static constexpr int kInitialCount = 46;

  explicit ListWindow(CatalogController& controller, QWidget* parent = nullptr);
  ~ListWindow() override;

  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;
  // The view takes the run as one change; the command states wait for the end of the runs.
  void OnAppMessageRun(std::span<const AppMessage> run) override;

  // The main window's check-colour menu, for the popup of the list.
  void SetColorMenu(const ColorMenu* menu);

  CircleListView* View() const { return view_; }
  CircleListBar* Bar() const { return bar_; }
  ColorToolBar* ColorBar() const { return colorBar_; }
  QLabel* StatusPane() const { return status_; }
  int DayIndex() const { return dayIndex_; }
  int BlockId() const { return blockId_; }

  // "検索結果 : n 件が見つかりました", or with the rows added when the search was cancelled
  // (CP932).
  static std::string SearchSummary(int counted, int added);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void FocusView() override;

 private:
  // Set-up, in this order.
  void CreateView();
  void CreateBars();
  void CreateStatusBar();
  void CreateCommands();
  void FillSelectors();
  void ConnectControls();
  void ShowCatalogState();

  // The selectors (ListWindowMessages.cpp).
  void ChangeMode(int mode);
  void ApplyDay(int index);
  void ApplyBlock(int index);
  void FillBlockCombo();
  void ShowChoices();
  void EnableSelectors(bool enabled);
  void RunSearch();
  void StepBlock(bool forward);
  void FollowDay(int day);
  void FollowBlock(int blockId);
  void ToggleSortLock();

  CatalogController& controller_;
  CircleListView* view_ = nullptr;
  CircleListBar* bar_ = nullptr;
  ColorToolBar* colorBar_ = nullptr;
  QLabel* status_ = nullptr;
  int mode_ = 0;
  int dayIndex_ = 0;
  int blockIndex_ = 0;
  int blockId_ = 1;
  int initialIndex_ = 0;
  std::shared_ptr<const void> searchTexts_;  // SearchCondition::TextsHold while shown
};

}  // namespace vx
