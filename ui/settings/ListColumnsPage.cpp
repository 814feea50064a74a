#include "ui/settings/ListColumnsPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <iterator>

#include "app/CatalogController.h"
#include "app/ListColumns.h"
#include "app/SettingsValues.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {
namespace {

using ColumnSlots = int[kColumnSlotCount];

constexpr int kKindRole = Qt::UserRole;

int ItemKind(const QListWidgetItem* item) { return item->data(kKindRole).toInt(); }

int SlotOf(const QListWidgetItem* item) {
  return ItemKind(item) | (item->checkState() == Qt::Checked ? ColumnShown : 0);
}

// The column slots as the list shows them: its items in order, then empty slots.
void ReadSlots(const QListWidget* list, ColumnSlots& slots) {
  for (int i = 0; i < kColumnSlotCount; ++i)
    slots[i] = i < list->count() ? SlotOf(list->item(i)) : 0;
}

bool SameSlots(const ColumnSlots& a, const ColumnSlots& b) {
  return std::equal(std::begin(a), std::end(a), std::begin(b));
}

void CopySlots(const ColumnSlots& from, ColumnSlots& to) {
  std::copy(std::begin(from), std::end(from), std::begin(to));
}

// The four column tables: widths and slots of both views.
bool SameColumnTables(const SettingsValues& a, const SettingsValues& b) {
  return SameSlots(a.listColumnWidths, b.listColumnWidths) &&
         SameSlots(a.checkColumnWidths, b.checkColumnWidths) &&
         SameSlots(a.listColumns, b.listColumns) && SameSlots(a.checkColumns, b.checkColumns);
}

void CopyColumnTables(const SettingsValues& from, SettingsValues& to) {
  CopySlots(from.listColumnWidths, to.listColumnWidths);
  CopySlots(from.checkColumnWidths, to.checkColumnWidths);
  CopySlots(from.listColumns, to.listColumns);
  CopySlots(from.checkColumns, to.checkColumns);
}

void FillList(QListWidget* list, const ColumnSlots& slots, int view, int eventNumber) {
  const QSignalBlocker quiet(list);
  list->clear();
  for (int definition : slots) {
    const int kind = definition & 0xFF;
    if (kind < 1 || kind >= ListColumnCount) continue;
    auto* item = new QListWidgetItem(QtText(GetListColumnCaption(kind, view, eventNumber)), list);
    item->setData(kKindRole, kind);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState((definition & ColumnShown) != 0 ? Qt::Checked : Qt::Unchecked);
  }
}

QListWidget* CreateColumnList(QWidget* parent, int id) {
  auto* list = new QListWidget(parent);
  SetControlId(list, id);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

}  // namespace

ListColumnsPage::ListColumnsPage(CatalogController& controller, SettingsValues& scratch,
                                 SettingsValues& live, UiServices& ui)
    : SettingsPage(controller, scratch, live, ui) {
  SetControlId(this, IDD_SETTINGS_LIST);
  CreateControls();
  ArrangeControls();
  ConnectControls();
  FillLists();
}

QString ListColumnsPage::Title() const { return QString::fromUtf8("リスト表示"); }

void ListColumnsPage::CreateControls() {
  const auto button = [this](const char* text, int id) {
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    SetControlId(b, id);
    return b;
  };
  checkLabel_ = new QLabel(QString::fromUtf8("チェックリスト 表示項目 (&C)"), this);
  checkColumns_ = CreateColumnList(this, IDC_CFG_CHECK_COLUMNS);
  checkUp_ = button("前へ移動(&F)", IDC_CFG_CHECK_COLUMN_UP);
  checkDown_ = button("後へ移動(&B)", IDC_CFG_CHECK_COLUMN_DOWN);
  listLabel_ = new QLabel(QString::fromUtf8("サークル一覧 表示項目 (&L)"), this);
  listColumns_ = CreateColumnList(this, IDC_CFG_LIST_COLUMNS);
  listUp_ = button("前へ移動(&P)", IDC_CFG_LIST_COLUMN_UP);
  listDown_ = button("後へ移動(&N)", IDC_CFG_LIST_COLUMN_DOWN);
  defaults_ = button("デフォルトに戻す(&D)", IDC_CFG_COLUMNS_DEFAULT);
  note_ =
      new QLabel(QString::fromUtf8("※ 「サークル名」を非表示にすることは\n　  できません."), this);
}

void ListColumnsPage::ArrangeControls() {
  checkLabel_->setBuddy(checkColumns_);
  listLabel_->setBuddy(listColumns_);
  auto* layout = new QGridLayout(this);
  layout->addWidget(checkLabel_, 0, 0, 1, 2);
  layout->addWidget(checkColumns_, 1, 0, 1, 2);
  layout->addWidget(checkUp_, 2, 0);
  layout->addWidget(checkDown_, 2, 1);
  layout->addWidget(listLabel_, 0, 2, 1, 2);
  layout->addWidget(listColumns_, 1, 2, 1, 2);
  layout->addWidget(listUp_, 2, 2);
  layout->addWidget(listDown_, 2, 3);
  layout->addWidget(note_, 3, 0, 1, 3);
  layout->addWidget(defaults_, 3, 3, Qt::AlignRight | Qt::AlignBottom);
  layout->setRowStretch(1, 1);
}

void ListColumnsPage::ConnectControls() {
  for (QListWidget* list : {checkColumns_, listColumns_}) {
    connect(list, &QListWidget::itemChanged, this,
            [this, list](QListWidgetItem* item) { OnItemChanged(list, item); });
  }
  connect(checkUp_, &QPushButton::clicked, this, [this] { MoveSelected(checkColumns_, -1); });
  connect(checkDown_, &QPushButton::clicked, this, [this] { MoveSelected(checkColumns_, 1); });
  connect(listUp_, &QPushButton::clicked, this, [this] { MoveSelected(listColumns_, -1); });
  connect(listDown_, &QPushButton::clicked, this, [this] { MoveSelected(listColumns_, 1); });
  connect(defaults_, &QPushButton::clicked, this, [this] { OnDefaults(); });
}

int* ListColumnsPage::ScratchSlots(const QListWidget* list) const {
  return list == checkColumns_ ? scratch_.checkColumns : scratch_.listColumns;
}

void ListColumnsPage::FillLists() {
  FillList(checkColumns_, scratch_.checkColumns, kChecklistView, scratch_.eventNumber);
  FillList(listColumns_, scratch_.listColumns, kCircleListView, scratch_.eventNumber);
}

void ListColumnsPage::OnItemChanged(QListWidget* list, QListWidgetItem* item) {
  if (ItemKind(item) == ColumnIdCircleName && item->checkState() != Qt::Checked) {
    item->setCheckState(Qt::Checked);  // comes back here once more, ticked
    return;
  }
  const int row = list->row(item);
  if (row >= 0 && row < kColumnSlotCount && SlotOf(item) != ScratchSlots(list)[row]) {
    SetModified();
  }
}

void ListColumnsPage::MoveSelected(QListWidget* list, int step) {
  const QModelIndexList selected = list->selectionModel()->selectedRows();
  if (selected.isEmpty()) return;
  const int row = std::min_element(selected.begin(), selected.end())->row();
  const int target = row + step;
  if (target < 0 || target >= list->count()) return;
  QListWidgetItem* item = list->takeItem(row);
  list->insertItem(target, item);
  list->setCurrentItem(item);
  list->scrollToItem(item);
  list->setFocus();
  for (int moved : {row, target}) {
    if (moved < kColumnSlotCount && SlotOf(list->item(moved)) != ScratchSlots(list)[moved]) {
      SetModified();
      break;
    }
  }
}

void ListColumnsPage::OnDefaults() {
  const SettingsValues before = scratch_;
  ResetListColumns(scratch_, scratch_.eventNumber);
  FillLists();
  if (!SameColumnTables(before, scratch_)) SetModified();
}

void ListColumnsPage::Apply() {
  ReadSlots(checkColumns_, scratch_.checkColumns);
  ReadSlots(listColumns_, scratch_.listColumns);
  const bool changed = !SameColumnTables(scratch_, live_);
  CopyColumnTables(scratch_, live_);
  if (changed) controller_.NotifyOptionsChanged();
}

}  // namespace vx
