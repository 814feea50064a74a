#include "ui/print/MapSettingsPage.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "print/PrintSettingsRules.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

constexpr int kMapKind = 2;

QStringList MapLayouts() {
  QStringList layouts;
  for (const QString& orientation : {QStringLiteral("横向き地図"), QStringLiteral("縦向き地図")}) {
    for (const QString& beside :
         {QStringLiteral("＋チェック色"), QStringLiteral("＋リスト"), QStringLiteral("＋カット小"),
          QStringLiteral("＋カット中"), QStringLiteral("＋カット大")}) {
      layouts << orientation + beside;
    }
  }
  return layouts;
}

}  // namespace

MapSettingsPage::MapSettingsPage(const PrintSettingsContext& context, PrintSettings& work)
    : PrintSettingsPage(kMapKind, context, work) {
  CreateControls();
  Refresh();
}

QString MapSettingsPage::Title() const { return QStringLiteral("マップ"); }

void MapSettingsPage::CreateControls() {
  auto* page = new QVBoxLayout(this);
  AddDayHallGroupRows(page);
  AddColorRow(page, colors_, swatches_, 1330, QStringLiteral("チェック色"));
  AddOrderRow(
      page,
      {QStringLiteral("チェックリスト順"), QStringLiteral("配置順"), QStringLiteral("サークル名順"),
       QStringLiteral("色順"), QStringLiteral("配置座標順")},
      1339);
  auto* itemRow = new QHBoxLayout;
  AddItemList(itemRow, 1344);
  auto* optionColumn = new QVBoxLayout;
  AddPrintedOptions(optionColumn, 1348, 1726, 1727);
  auto* leaderRow = new QHBoxLayout;
  leaderWidth_ = AddCombo(
      leaderRow, QStringLiteral("引き出し線"),
      {QStringLiteral("無"), QStringLiteral("細"), QStringLiteral("中"), QStringLiteral("太")},
      1351);
  connect(leaderWidth_, &QComboBox::currentIndexChanged, this, [this] { OnOptionChanged(); });
  optionColumn->addLayout(leaderRow);
  optionColumn->addStretch();
  itemRow->addLayout(optionColumn);
  page->addLayout(itemRow);
  AddColorRow(page, leaderColors_, leaderSwatches_, 1370, QStringLiteral("引き出し線の色"));
  options_ = std::make_unique<MapOptionRows>(this, page, MapOptionIds{1352, 1353, 1356, 1357, 1359},
                                             [this] { OnOptionChanged(); });
  connect(options_->DensityField(), &QLineEdit::editingFinished, this,
          [this] { options_->TakeDensity(Words5()); });
  AddLayoutRow(page, MapLayouts(), 1345);
  AddButtons(page, true, 1350, 1347);
  page->addStretch();
}

MapOptionWords MapSettingsPage::Words5() {
  return {work_.mapGenre, work_.mapGenrePercent, work_.mapSmallMap, work_.mapSmallMapRot,
          work_.mapPosition};
}

bool MapSettingsPage::FillEnabled() const {
  return work_.kinds[kMapKind].layout % kLayoutsPerOrientation == 0;
}

void MapSettingsPage::TakeTypedValues() { options_->TakeDensity(Words5()); }

void MapSettingsPage::UpdateControls() {
  const PrintKindSettings& words = Words();
  ShowDayAndHallBoxes(words);
  ShowColorBoxes(colors_, swatches_, words.colors);
  ShowMapGroupBoxes(words);
  ShowColorBoxes(leaderColors_, leaderSwatches_, work_.mapLineColors);
  for (int i = 0; i < kColorBoxes; ++i) {
    leaderColors_[static_cast<std::size_t>(i)]->setEnabled(work_.mapLine != 0 &&
                                                           (words.colors & (1 << i)) != 0);
  }
  const int available = MapPageBreaksAvailable(words.sort);
  for (int i = 0; i < kPageBreakBoxes; ++i) {
    const int bit = 1 << i;
    breaks_[static_cast<std::size_t>(i)]->setEnabled((available & bit) != 0);
    const bool dayOrHall = bit == kBreakDayBit || bit == kBreakHallBit;
    breaks_[static_cast<std::size_t>(i)]->setChecked(!dayOrHall && (words.pageChange & bit) != 0);
  }
  order_->setCurrentIndex(words.sort);
  layout_->setCurrentIndex(words.layout);
  ShowPrintedOptions(words);
  leaderWidth_->setCurrentIndex(work_.mapLine);
  options_->Show(Words5(), FillEnabled());
}

void MapSettingsPage::ReadControls() {
  PrintKindSettings& words = Words();
  ReadRangeBoxes(words);
  work_.mapLineColors = ReadColorBoxes(leaderColors_, work_.mapLineColors);
  words.pageChange = MergeMapPageBreaks(words.sort, words.pageChange,
                                        CheckedMask(breaks_.data(), kPageBreakBoxes));
  ReadPrintedOptions(words);
  work_.mapLine = std::max(0, leaderWidth_->currentIndex());
  options_->Read(Words5(), FillEnabled());
}

std::vector<int> MapSettingsPage::LayoutPictures() const {
  return {IDB_LAYOUT_MAP_COLORS_LANDSCAPE,     IDB_LAYOUT_MAP_LIST_LANDSCAPE,
          IDB_LAYOUT_MAP_CUTS_SMALL_LANDSCAPE, IDB_LAYOUT_MAP_CUTS_MEDIUM_LANDSCAPE,
          IDB_LAYOUT_MAP_CUTS_LARGE_LANDSCAPE, IDB_LAYOUT_MAP_COLORS_PORTRAIT,
          IDB_LAYOUT_MAP_LIST_PORTRAIT,        IDB_LAYOUT_MAP_CUTS_SMALL_PORTRAIT,
          IDB_LAYOUT_MAP_CUTS_MEDIUM_PORTRAIT, IDB_LAYOUT_MAP_CUTS_LARGE_PORTRAIT};
}

}  // namespace vx
