// The list window's application messages and its selectors: display mode, day, block or kana
// initial, the quick keyword, the search result and the stepping from block to block.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/SearchCondition.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/list/CircleListBar.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListWindow.h"
#include "ui/menus/CommandActions.h"
#include "ui/search/SearchDialog.h"
#include "ui/widgets/ColorToolBar.h"

namespace vx {

namespace {

constexpr const char* kInitials[ListWindow::kInitialCount] = {
    "ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "ス", "セ", "ソ", "タ",
    "チ", "ツ", "テ", "ト", "ナ", "ニ", "ヌ", "ネ", "ノ", "ハ", "ヒ", "フ", "ヘ", "ホ", "マ", "ミ",
    "ム", "メ", "モ", "ヤ", "ユ", "ヨ", "ラ", "リ", "ル", "レ", "ロ", "ワ", "ヲ", "ン"};

bool ListSync(const CatalogController& controller) {
  const SettingsValues* values = controller.GetValues();
  return values != nullptr && values->listSync != 0;
}

}  // namespace

void ListWindow::OnAppMessageRun(std::span<const AppMessage> run) { view_->OnAppMessageRun(run); }

void ListWindow::OnAppMessage(unsigned message, WParam wParam, LParam lParam) {
  switch (message) {
    case UM_RUN_SEARCH:
      RunSearch();
      break;
    case UM_LIST_NEXT_BLOCK:
      StepBlock(true);
      break;
    case UM_LIST_PREV_BLOCK:
      StepBlock(false);
      break;
    case UM_DAY_CHANGED:
      FollowDay(static_cast<int>(lParam));
      break;
    case UM_BLOCK_CHANGED:
      FollowBlock(static_cast<int>(lParam));
      break;
    case UM_CIRCLE_CHANGED:
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_UNCHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
    case UM_CHECKLIST_RESET:
    case UM_CHECKLIST_MARKS_CHANGED:
    case UM_OPTIONS_CHANGED:
    case UM_CHECKLIST_ENTRY_CHANGED:
    case UM_CIRCLE_INFO_UPDATED:
      view_->OnAppMessage(message, wParam, lParam);
      break;
    case UM_CURRENT_COLOR_CHANGED:
      colorBar_->UpdateColorButtons(controller_);
      break;
    case UM_COLORS_CHANGED:
      colorBar_->UpdateColorButtons(controller_);
      view_->RebuildSwatches();
      view_->update();
      break;
    default:
      break;  // page, space, genre and images: nothing to do here
  }
  Actions()->UpdateActions();
}

void ListWindow::FillSelectors() {
  QComboBox* days = bar_->DayCombo();
  for (int day = 1; day <= controller_.GetDayCount(); ++day) {
    days->addItem(QtText(controller_.GetDayWeekdayName(day)));
  }
  FillBlockCombo();
  view_->RequestDayBlock(dayIndex_ + 1, blockId_);
  view_->RequestDayInitial(dayIndex_ + 1, initialIndex_ + 1);
  bar_->ModeCombo()->setCurrentIndex(mode_);
  ShowChoices();
}

// A selector applies what the user chose, not what the user passes over in its drop-down.
void ListWindow::ConnectControls() {
  connect(bar_->ModeCombo(), &QComboBox::activated, this, [this](int m) { ChangeMode(m); });
  connect(bar_->DayCombo(), &QComboBox::activated, this, [this](int d) { ApplyDay(d); });
  connect(bar_->BlockCombo(), &QComboBox::activated, this, [this](int k) { ApplyBlock(k); });
  connect(bar_->KeywordEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
    if (SearchCondition* condition = controller_.GetSearchCondition()) {
      condition->SetKeywords(Cp932Text(text));
    }
  });
  connect(bar_->KeywordEdit(), &QLineEdit::returnPressed, this, [this] {
    SearchDialog::RunQuickKeywordSearch(&controller_, Cp932Text(bar_->KeywordEdit()->text()));
  });
}

// --- Selectors -------------------------------------------------------------------------------

void ListWindow::ChangeMode(int mode) {
  if (mode == mode_ || mode < 0 || mode >= CircleListView::kModeCount) return;
  mode_ = mode;
  const bool byDay = mode == CircleListView::kDayBlock || mode == CircleListView::kDayInitial;
  if (byDay) FillBlockCombo();
  EnableSelectors(byDay);
  view_->SetMode(mode);
  view_->LoadDayBlock(dayIndex_ + 1, blockId_);
  view_->LoadDayInitial(dayIndex_ + 1, initialIndex_ + 1);
}

void ListWindow::ApplyDay(int index) {
  if (index < 0 || index == dayIndex_) return;
  dayIndex_ = index;
  FillBlockCombo();
  if (mode_ == CircleListView::kDayInitial) {
    view_->LoadDayInitial(dayIndex_ + 1, initialIndex_ + 1);
  } else {
    view_->LoadDayBlock(dayIndex_ + 1, blockId_);
  }
}

void ListWindow::ApplyBlock(int index) {
  if (index < 0) return;
  if (mode_ == CircleListView::kDayInitial) {
    if (index == initialIndex_) return;
    initialIndex_ = index;
    view_->LoadDayInitial(dayIndex_ + 1, index + 1);
    return;
  }
  if (index == blockIndex_) return;
  blockIndex_ = index;
  blockId_ = controller_.GetDayBlockId(dayIndex_ + 1, index + 1);
  view_->LoadDayBlock(dayIndex_ + 1, blockId_);
}

// The day's blocks, the remembered block chosen again when the day has it, else the nearest lower
// block the day has, else its first block; in mode 1 the kana initials.
void ListWindow::FillBlockCombo() {
  QComboBox* combo = bar_->BlockCombo();
  combo->clear();
  if (mode_ == CircleListView::kDayInitial) {
    for (const char* initial : kInitials) combo->addItem(QString::fromUtf8(initial));
    combo->setCurrentIndex(initialIndex_);
    return;
  }
  const int day = dayIndex_ + 1;
  for (int k = 1; k <= controller_.GetDayBlockCount(day); ++k) {
    combo->addItem(QtText(controller_.GetDayBlockName(day, k)));
  }
  int position = 0;
  for (int id = blockId_; id >= 1; --id) {
    const int found = controller_.FindDayBlockIndex(day, id);
    if (found > 0) {
      position = found - 1;
      break;
    }
  }
  blockIndex_ = position;
  blockId_ = controller_.GetDayBlockId(day, position + 1);
  combo->setCurrentIndex(position);
}

void ListWindow::ShowChoices() {
  bar_->DayCombo()->setCurrentIndex(dayIndex_);
  bar_->BlockCombo()->setCurrentIndex(mode_ == CircleListView::kDayInitial ? initialIndex_
                                                                           : blockIndex_);
}

void ListWindow::EnableSelectors(bool enabled) {
  enabled = enabled && HasCatalog();
  bar_->DayCombo()->setEnabled(enabled);
  bar_->BlockCombo()->setEnabled(enabled);
}

// --- Search result ---------------------------------------------------------------------------

void ListWindow::RunSearch() {
  mode_ = CircleListView::kSearchResult;
  bar_->ModeCombo()->setCurrentIndex(mode_);
  EnableSelectors(false);
  view_->SetMode(mode_);
  controller_.ShowRegisteredWindow(this);
  view_->LoadSearchResult();
  if (view_->Counted() >= 1) controller_.SetCanNarrowSearch(true);
  status_->setText(QtText(SearchSummary(view_->Counted(), view_->Added())));
}

// --- Block stepping --------------------------------------------------------------------------

void ListWindow::StepBlock(bool forward) {
  if (mode_ != CircleListView::kDayBlock) return;
  int day = dayIndex_ + 1;
  if (forward) {
    if (blockIndex_ + 1 < controller_.GetDayBlockCount(day)) {
      ++blockIndex_;
    } else if (day >= controller_.GetDayCount()) {
      return;
    } else {
      ++dayIndex_;
      blockIndex_ = 0;
    }
  } else {
    if (blockIndex_ > 0) {
      --blockIndex_;
    } else if (dayIndex_ < 1) {
      return;
    } else {
      --dayIndex_;
      blockIndex_ = controller_.GetDayBlockCount(dayIndex_ + 1) - 1;
    }
  }
  day = dayIndex_ + 1;
  blockId_ = controller_.GetDayBlockId(day, blockIndex_ + 1);
  FillBlockCombo();
  ShowChoices();
  view_->LoadDayBlock(day, blockId_);
  if (forward) {
    view_->SelectFirstRow();
  } else {
    view_->SelectLastRow();
  }
}

// --- Following the other windows -----------------------------------------------------------------

void ListWindow::FollowDay(int day) {
  if (!ListSync(controller_) || day < 1) return;
  dayIndex_ = day - 1;
  FillBlockCombo();
  bar_->DayCombo()->setCurrentIndex(dayIndex_);
}

void ListWindow::FollowBlock(int blockId) {
  if (!ListSync(controller_) || blockId < 1) return;
  const int day = dayIndex_ + 1;
  blockId_ = blockId;
  blockIndex_ = controller_.FindDayBlockIndex(day, blockId) - 1;
  if (mode_ != CircleListView::kDayInitial) bar_->BlockCombo()->setCurrentIndex(blockIndex_);
  view_->RequestDayBlock(day, blockId);
}

}  // namespace vx
