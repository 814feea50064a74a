// Construction, tabs, columns and rows of the checklist view.
#include "ui/checklist/ChecklistView.h"

#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "app/CatalogController.h"
#include "checklist/FavoriteEntry.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/list/ListControl.h"
#include "ui/list/RowSwatches.h"
#include "ui/widgets/ControlFont.h"

namespace vx {

namespace {

constexpr int kTabWidth = 64;
constexpr int kTabHeight = 20;
constexpr int kPrintOrderKind = 1;

}  // namespace

ChecklistView::ChecklistView(CatalogController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
  dayCount_ = std::max(controller_.GetDayCount(), 0);
  orderLocked_ = controller_.IsChecklistOrderLocked();
  CreateTabs();
  CreateLists();
  CreateCommands();
  SetupColumns(false);
}

ChecklistView::~ChecklistView() = default;

void ChecklistView::SetColorMenu(const ColorMenu* menu, CommandTarget* owner) {
  colorMenu_ = menu;
  menuOwner_ = owner;
}

ListControl* ChecklistView::List(int tab) const {
  if (tab < 0 || tab >= static_cast<int>(lists_.size())) return nullptr;
  return lists_[tab];
}

// --- Set-up ----------------------------------------------------------------------------------

void ChecklistView::CreateTabs() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tabs_ = new QTabBar(this);
  tabs_->setProperty("controlId", IDC_CHECKLIST_TABS);
  tabs_->setFont(ControlFont());
  tabs_->setExpanding(false);
  tabs_->setDrawBase(false);
  tabs_->setStyleSheet(QStringLiteral("QTabBar::tab { width: %1px; height: %2px; padding: 0; }")
                           .arg(kTabWidth)
                           .arg(kTabHeight));
  for (int day = 1; day <= dayCount_; ++day) {
    tabs_->addTab(QtText(controller_.GetWeekdayLongName(day)));
  }
  tabs_->addTab(QString::fromUtf8("抽選漏れ"));
  tabs_->addTab(QString::fromUtf8("未登録"));
  layout->addWidget(tabs_);
  stack_ = new QStackedLayout;
  layout->addLayout(stack_, 1);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) { SwitchTab(tab); });
}

// Without days the view shows only its tabs.
void ChecklistView::CreateLists() {
  if (dayCount_ < 1) return;
  states_.assign(static_cast<std::size_t>(TabCount()), TabState{});
  for (int tab = 0; tab < TabCount(); ++tab) {
    auto* list = new ListControl(this);
    list->setProperty("controlId", IDC_CHECKLIST_LIST);
    list->SetCutImageSource(&controller_);
    stack_->addWidget(list);
    lists_.push_back(list);
    ConnectList(tab);
  }
  stack_->setCurrentIndex(currentTab_);
  setFocusProxy(lists_[currentTab_]);
}

void ChecklistView::SwitchTab(int tab) {
  if (tab == currentTab_ || List(tab) == nullptr || CurrentList() == nullptr) return;
  ListControl* from = CurrentList();
  ListControl* to = lists_[tab];
  for (int column = 0; column < from->Model().ColumnCount(); ++column) {
    to->setColumnWidth(column, from->columnWidth(column));
  }
  currentTab_ = tab;
  stack_->setCurrentIndex(tab);
  setFocusProxy(to);
  if (tabs_->currentIndex() != tab) tabs_->setCurrentIndex(tab);
  update();
}

// --- Columns ---------------------------------------------------------------------------------

void ChecklistView::SetupColumns(bool refill) {
  if (lists_.empty()) return;
  if (refill) ClearRows();
  columns_ = ListColumnLayout::Read(controller_, kChecklistView);
  const std::vector<std::string> captions = columns_.Captions();
  const std::vector<int> widths = columns_.Widths(controller_);
  for (int tab = 0; tab < TabCount(); ++tab) {
    lists_[tab]->SetColumns(captions, widths);
    lists_[tab]->SetEditColumn(columns_.MemoColumn());
    lists_[tab]->SetCutImageColumn(columns_.CutColumn());
    states_[tab].sortColumn = -1;
    states_[tab].sortDirection = 0;
  }
  BuildColorImages();
  if (refill) FillFromChecklist();
}

void ChecklistView::BuildColorImages() {
  if (lists_.empty()) return;
  imageCutWidth_ = columns_.CutWidth();
  RowSwatches::Apply(controller_, imageCutWidth_, lists_);
  for (ListControl* list : lists_) {
    list->Model().UpdateRows([this](ListRow& row) {
      row.cells[0] = ListColumnLayout::ColorName(controller_, row.record.color);
    });
  }
}

int ChecklistView::PrintOrderColumn() const {
  for (int column = 1; column < columns_.Count(); ++column) {
    if (columns_.Kind(column) == kPrintOrderKind) return column;
  }
  return -1;
}

// --- Rows ------------------------------------------------------------------------------------

// Day d on tab d - 1; no space on "抽選漏れ"; not in the catalogue (or a day the event does not
// have) on "未登録".
int ChecklistView::TabOfDay(int day) const {
  if (day == 0) return dayCount_;
  if (day < 0 || day > dayCount_) return dayCount_ + 1;
  return day - 1;
}

ListRow ChecklistView::MakeRow(const CircleRecord& circle, int printNumber) const {
  ListRow row = columns_.MakeRow(controller_, circle);
  row.record.printNumber = printNumber;
  const int column = PrintOrderColumn();
  if (column > 0) row.cells[column] = std::to_string(printNumber);
  return row;
}

void ChecklistView::AddRow(int circleId, bool tellController) {
  CircleRecord circle;
  if (circleId == 0 || lists_.empty() || !controller_.GetCircle(circleId, &circle)) return;
  ListControl* list = lists_[TabOfDay(circle.day)];
  if (!list->Model().FindRows(circleId).empty()) return;  // one row per circle
  const int printNumber = list->Model().RowCount() + 1;
  list->InsertItem(list->Model().RowCount(), MakeRow(circle, printNumber));
  if (tellController) controller_.SetCirclePrintOrder(circleId, printNumber);
}

// As AddRow, for a row that joins others in a run: numbered after the rows queued before it.
void ChecklistView::QueueRow(int circleId, QueuedRows& queued) const {
  CircleRecord circle;
  if (circleId == 0 || lists_.empty() || queued.circles.contains(circleId) ||
      !controller_.GetCircle(circleId, &circle)) {
    return;
  }
  const int tab = TabOfDay(circle.day);
  if (!lists_[tab]->Model().FindRows(circleId).empty()) return;  // one row per circle
  std::vector<ListRow>& rows = queued.byTab[tab];
  const int printNumber = lists_[tab]->Model().RowCount() + static_cast<int>(rows.size()) + 1;
  rows.push_back(MakeRow(circle, printNumber));
  queued.printNumbers.emplace_back(circleId, printNumber);
  queued.circles.insert(circleId);
}

void ChecklistView::AppendQueued(QueuedRows& queued) {
  for (std::size_t tab = 0; tab < queued.byTab.size(); ++tab) {
    lists_[tab]->AppendRows(std::exchange(queued.byTab[tab], {}));
  }
  for (const auto& [id, number] : queued.printNumbers) controller_.SetCirclePrintOrder(id, number);
  queued.printNumbers.clear();
  queued.circles.clear();
}

// The rows after a removed one move up a number while the print order is shown.
void ChecklistView::RemoveRow(int circleId) {
  if (circleId == 0) return;
  const int printColumn = PrintOrderColumn();
  for (ListControl* list : lists_) {
    const std::vector<int> found = list->Model().FindRows(circleId);
    if (found.empty()) continue;
    const int removed = list->Model().Row(found.front()).record.printNumber;
    list->DeleteItem(found.front());
    if (printColumn < 0 || removed < 1) return;
    std::vector<std::pair<int, int>> renumbered;
    list->Model().UpdateRows([&](ListRow& row) {
      if (row.record.printNumber <= removed) return;
      --row.record.printNumber;
      row.cells[printColumn] = std::to_string(row.record.printNumber);
      renumbered.emplace_back(row.record.circleId, row.record.printNumber);
    });
    for (const auto& [id, number] : renumbered) controller_.SetCirclePrintOrder(id, number);
    return;
  }
}

void ChecklistView::SetRowColor(int circleId, int color) {
  const std::string name = ListColumnLayout::ColorName(controller_, color);
  for (ListControl* list : lists_) {
    for (int row : list->Model().FindRows(circleId)) {
      list->Model().SetRowColor(row, color, ListColumnLayout::StateImageOf(color), name);
    }
  }
}

void ChecklistView::ClearRows() {
  for (int tab = 0; tab < static_cast<int>(lists_.size()); ++tab) {
    lists_[tab]->DeleteAllItems();
    states_[tab].selectedRow = -1;
  }
}

// Every checked circle in print order, a list at a time.
void ChecklistView::FillFromChecklist() {
  std::vector<std::vector<ListRow>> rows(lists_.size());
  controller_.ForEachInPrintOrder([&](const FavoriteEntry& entry) {
    if (entry.color < 1 || entry.record.id == 0) return true;
    std::vector<ListRow>& tabRows = rows[TabOfDay(entry.record.day)];
    tabRows.push_back(MakeRow(entry.record, static_cast<int>(tabRows.size()) + 1));
    return true;
  });
  for (std::size_t tab = 0; tab < lists_.size(); ++tab) {
    lists_[tab]->AppendRows(std::move(rows[tab]));
  }
  update();
}

}  // namespace vx
