// Construction, display modes, loading and the columns of the circle list view.
#include "ui/list/CircleListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QStackedLayout>

#include <algorithm>

#include "app/CatalogController.h"
#include "app/ConditionSearch.h"
#include "app/SearchJob.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "res/ResourceIds.h"
#include "ui/list/ListControl.h"
#include "ui/list/RowSwatches.h"

namespace vx {

namespace {

// The wait cursor for as long as the object lives.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

int CircleListView::KanaInitialCode(int index) {
  if (index >= 1 && index <= 44) return 0xB0 + index;
  if (index == 45) return 0xA6;
  if (index == 46) return 0xDD;
  return 0xFF;
}

CircleListView::CircleListView(CatalogController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller), sortLocked_(controller.IsListSortLocked()) {
  CreateLists();
  CreateCommands();
  RebuildColumns(false);
}

CircleListView::~CircleListView() = default;

void CircleListView::SetFrame(AppMessageSink* frame, CommandTarget* commandOwner) {
  frame_ = frame;
  commandOwner_ = commandOwner;
}

void CircleListView::CreateLists() {
  stack_ = new QStackedLayout(this);
  stack_->setContentsMargins(0, 0, 0, 0);
  for (int mode = 0; mode < kModeCount; ++mode) {
    lists_[mode] = new ListControl(this);
    lists_[mode]->setProperty("controlId", IDC_CIRCLE_LIST);
    lists_[mode]->SetCutImageSource(&controller_);
    stack_->addWidget(lists_[mode]);
    ConnectList(mode);
  }
  stack_->setCurrentIndex(mode_);
  setFocusProxy(lists_[mode_]);
}

void CircleListView::CreateCommands() {
  commands_
      .OnRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST,
               [this](int id) { CheckSelection(id - ID_CHECK_COLOR_FIRST + 1); })
      .On(ID_CHECK_CURRENT_COLOR, [this] { CheckSelection(-1); })
      .On(ID_UNCHECK, [this] { UncheckSelection(); })
      .OnRange(ID_CURRENT_COLOR_FIRST, ID_CURRENT_COLOR_LAST,
               [this](int id) { controller_.SetCurrentColor(id - ID_CURRENT_COLOR_FIRST); })
      .On(ID_COPY_CIRCLE, [this] { CopySelection(); })
      .On(ID_PASTE_CHECKLIST, [this] { Paste(); })
      .On(ID_CUT_CIRCLE, [this] { CutSelection(); });
}

// --- Modes ---------------------------------------------------------------------------------

void CircleListView::SetMode(int mode) {
  if (mode == mode_ || mode < 0 || mode >= kModeCount) return;
  ListControl* from = lists_[mode_];
  ListControl* to = lists_[mode];
  for (int column = 0; column < from->Model().ColumnCount(); ++column) {
    to->setColumnWidth(column, from->columnWidth(column));
  }
  mode_ = mode;
  stack_->setCurrentIndex(mode);
  setFocusProxy(to);
  update();
  EnsureModeContent();
}

void CircleListView::EnsureModeContent() {
  switch (mode_) {
    case kDayBlock:
      if (!dayBlock_.filled) LoadDayBlock(dayBlock_.pending.day, dayBlock_.pending.second);
      break;
    case kDayInitial:
      if (!dayInitial_.filled) LoadDayInitial(dayInitial_.pending.day, dayInitial_.pending.second);
      break;
    case kNoDay:
      if (!noDayFilled_) LoadNoDay();
      break;
    default:
      break;
  }
}

// --- Loading -------------------------------------------------------------------------------

void CircleListView::RequestDayBlock(int day, int blockId) {
  if (dayBlock_.filled) {
    LoadDayBlock(day, blockId);
  } else {
    dayBlock_.pending = {day, blockId};
  }
}

void CircleListView::RequestDayInitial(int day, int initial) {
  if (dayInitial_.filled) {
    LoadDayInitial(day, initial);
  } else {
    dayInitial_.pending = {day, initial};
  }
}

void CircleListView::LoadDayBlock(int day, int blockId) {
  LoadByDay(kDayBlock, {day, blockId}, dayBlock_,
            [blockId](SearchCondition& condition) { condition.AddBlock(blockId); });
}

void CircleListView::LoadDayInitial(int day, int initial) {
  LoadByDay(kDayInitial, {day, initial}, dayInitial_, [initial](SearchCondition& condition) {
    condition.AddKanaInitial(KanaInitialCode(initial));
  });
}

void CircleListView::LoadByDay(int mode, const Choice& choice, DayList& list,
                               const std::function<void(SearchCondition&)>& narrow) {
  if (mode_ != mode || controller_.GetDatabase() == nullptr) return;
  if (list.filled && choice == list.loaded) return;
  list.loaded = choice;
  SearchCondition condition(*controller_.GetDatabase());
  condition.AddDay(choice.day);
  narrow(condition);
  LoadDirect(mode, condition);
  list.filled = true;
}

void CircleListView::LoadDirect(int mode, SearchCondition& condition) {
  WaitCursor wait;
  ClearList(mode, true);
  ConditionSearch search(condition);
  const int count = search.CountMatches();
  counted_ = added_ = std::max(count, 0);
  std::vector<CircleRecord> circles;
  circles.reserve(static_cast<std::size_t>(counted_));
  const int rc =
      count < 0 ? count
                : search.Run([&](CircleRecord&& circle) { circles.push_back(std::move(circle)); });
  AddRows(mode, circles);
  if (count < 0 || rc != 0) ReportSearchFailure(search.LastError());
}

void CircleListView::LoadNoDay() {
  if (controller_.GetDatabase() == nullptr) return;
  SearchCondition condition(*controller_.GetDatabase());
  condition.AddDay(0);
  noDayFilled_ = LoadThroughProgress(kNoDay, condition) == 1;
}

void CircleListView::LoadSearchResult() {
  SearchCondition* condition = controller_.GetSearchCondition();
  if (controller_.GetDatabase() == nullptr || condition == nullptr) return;
  LoadThroughProgress(kSearchResult, *condition);
  if (counted_ < 1) controller_.SetCanNarrowSearch(false);
}

// The search runs on the progress dialog's worker; its rows come back as values once it ends.
int CircleListView::LoadThroughProgress(int mode, SearchCondition& condition) {
  ClearList(mode, true);
  ConditionSearch search(condition);
  SearchJob job(search);
  const int result =
      controller_.RunProgressJob(job, Sjis("検索中"), controller_.GetOpenSearchDialog());
  counted_ = job.Counted();
  added_ = job.Delivered();
  AddRows(mode, job.TakeRows());
  if (result == 2) ReportSearchFailure(job.ErrorText());
  return result;
}

void CircleListView::ReportSearchFailure(const std::string& error) {
  std::string text = Sjis("サークルを検索できませんでした。");
  if (!error.empty()) text += "\n" + error;
  text += Sjis("\n他の操作が終わってから、もう一度お試しください。");
  controller_.ShowMessageBox(MB_OK | MB_ICONERROR, text, Sjis("サークル一覧"));
}

void CircleListView::AddRows(int mode, const std::vector<CircleRecord>& circles) {
  std::vector<ListRow> rows;
  rows.reserve(circles.size());
  std::vector<int>& ids = rows_[mode].ids;
  for (const CircleRecord& circle : circles) {
    if (circle.id == 0) continue;
    rows.push_back(columns_.MakeRow(controller_, circle));
    ids.push_back(circle.id);
  }
  lists_[mode]->AppendRows(std::move(rows));
}

void CircleListView::ClearList(int mode, bool forgetIds) {
  lists_[mode]->DeleteAllItems();
  rows_[mode].selectedRow = -1;
  if (forgetIds) rows_[mode].ids.clear();
}

// A circle that can no longer be read is left out.
void CircleListView::Refill(int mode) {
  std::vector<CircleRecord> circles;
  circles.reserve(rows_[mode].ids.size());
  for (int id : rows_[mode].ids) {
    CircleRecord circle;
    if (controller_.GetCircle(id, &circle)) circles.push_back(std::move(circle));
  }
  rows_[mode].ids.clear();
  AddRows(mode, circles);
}

// --- Columns and swatches ------------------------------------------------------------------

void CircleListView::RebuildColumns(bool refill) {
  if (refill) {
    for (int mode = 0; mode < kModeCount; ++mode) ClearList(mode, false);
  }
  columns_ = ListColumnLayout::Read(controller_, kCircleListView);
  const std::vector<std::string> captions = columns_.Captions();
  const std::vector<int> widths = columns_.Widths(controller_);
  for (int mode = 0; mode < kModeCount; ++mode) {
    ListControl* list = lists_[mode];
    list->SetColumns(captions, widths);
    list->SetEditColumn(columns_.MemoColumn());
    list->SetCutImageColumn(columns_.CutColumn());
    rows_[mode].sortColumn = -1;
    rows_[mode].sortDirection = 0;
  }
  RebuildSwatches();
  if (refill) {
    for (int mode = 0; mode < kModeCount; ++mode) Refill(mode);
  }
  geometry_ = CurrentGeometry();
}

void CircleListView::RebuildSwatches() {
  const int cutColumnWidth =
      columns_.CutColumn() >= 0 ? controller_.GetListColumnWidth(ColumnIdCircleCut) : 0;
  RowSwatches::Apply(controller_, cutColumnWidth, lists_);
}

CircleListView::Geometry CircleListView::CurrentGeometry() const {
  Geometry geometry;
  for (int kind = 0; kind < ListColumnCount; ++kind) {
    geometry.widths.push_back(controller_.GetListColumnWidth(kind));
  }
  geometry.cutWidth = controller_.GetCutWidth();
  geometry.cutHeight = controller_.GetCutHeight();
  return geometry;
}

void CircleListView::ApplyWidths() {
  const std::vector<int> widths = columns_.Widths(controller_);
  for (ListControl* list : lists_) {
    for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
      list->setColumnWidth(column, widths[column]);
    }
  }
}

}  // namespace vx
