#include "ui/print/ListSettingsPage.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "print/PrintSettingsRules.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

const QStringList kOrders = {QStringLiteral("チェックリスト順"), QStringLiteral("配置順"),
                             QStringLiteral("サークル名順"), QStringLiteral("色順")};

}  // namespace

ListSettingsPage::ListSettingsPage(int printKind, const PrintSettingsContext& context,
                                   PrintSettings& work)
    : PrintSettingsPage(printKind, context, work) {
  if (printKind == kListKind) {
    CreateControls({QStringLiteral("縦向き"), QStringLiteral("縦向き (フォント大)"),
                    QStringLiteral("横向き 1段組"), QStringLiteral("横向き 1段 (フォント大)"),
                    QStringLiteral("横向き 2段組")},
                   1719, 1724, 1725);
    pageLayout_->addStretch();
    Refresh();
  }
}

QString ListSettingsPage::Title() const { return QStringLiteral("リスト"); }

void ListSettingsPage::CreateControls(const QStringList& layouts, int blockAllId, int enlargeSupId,
                                      int enlargeMemoId) {
  const int offset = 100 * kind_;
  pageLayout_ = new QVBoxLayout(this);
  AddDayHallGroupRows(pageLayout_);
  AddColorRow(pageLayout_, colors_, swatches_, 1130 + offset, QStringLiteral("チェック色"));
  AddOrderRow(pageLayout_, kOrders, 1139 + offset);
  auto* itemRow = new QHBoxLayout;
  AddItemList(itemRow, 1144 + offset);
  auto* options = new QVBoxLayout;
  AddPrintedOptions(options, 1148 + offset, enlargeSupId, enlargeMemoId);
  blockAll_ = AddBox(options, QStringLiteral("ブロック内の全サークルを印刷する"), blockAllId);
  options->addStretch();
  itemRow->addLayout(options);
  pageLayout_->addLayout(itemRow);
  AddLayoutRow(pageLayout_, layouts, 1145 + offset);
  AddButtons(pageLayout_, true, 1150 + offset, 1147 + offset);
}

void ListSettingsPage::UpdateControls() {
  const PrintKindSettings& words = Words();
  ShowDayAndHallBoxes(words);
  ShowColorBoxes(colors_, swatches_, words.colors);
  for (int i = 0; i < 3; ++i) groups_[static_cast<std::size_t>(i)]->setEnabled(false);
  order_->setCurrentIndex(words.sort);
  const int available = ListPageBreaksAvailable(words.sort, words.pageChange);
  for (int i = 0; i < kPageBreakBoxes; ++i) {
    const int bit = 1 << i;
    breaks_[static_cast<std::size_t>(i)]->setEnabled((available & bit) != 0);
    breaks_[static_cast<std::size_t>(i)]->setChecked((words.pageChange & available & bit) != 0);
  }
  blockAll_->setEnabled(ListBlockAllEnabled(words.sort, words.pageChange));
  layout_->setCurrentIndex(words.layout);
  ShowPrintedOptions(words);
  blockAll_->setChecked(words.blockAll != 0);
}

void ListSettingsPage::ReadControls() {
  PrintKindSettings& words = Words();
  ReadRangeBoxes(words);
  words.pageChange = MergeListPageBreaks(words.sort, words.pageChange,
                                         CheckedMask(breaks_.data(), kPageBreakBoxes));
  ReadPrintedOptions(words);
  words.blockAll = blockAll_->isChecked() ? 1 : 0;
}

std::vector<int> ListSettingsPage::LayoutPictures() const {
  return {IDB_LAYOUT_LIST_PORTRAIT, IDB_LAYOUT_LIST_PORTRAIT, IDB_LAYOUT_LIST_LANDSCAPE,
          IDB_LAYOUT_LIST_LANDSCAPE, IDB_LAYOUT_LIST_TWO_COLUMNS};
}

}  // namespace vx
