#include "ui/print/PrintSettingsPage.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "platform/UiServices.h"
#include "print/PrintCatalogTables.h"
#include "print/PrintDataSource.h"
#include "print/PrintEngine.h"
#include "print/PrintSettingsRules.h"
#include "res/Pictures.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/print/NoPagesBox.h"

namespace vx {

namespace {

constexpr int kDayFirstId = 1080;  // + 100 per print kind, as every row below
constexpr int kHallFirstId = 1090;
constexpr int kGroupFirstId = 1112;
constexpr QSize kSwatchSize(14, 14);
constexpr QSize kPictureSize(96, 72);
constexpr int kFirstRowColors = 9;
constexpr int kMoreColorIds = 2000;

const char* const kDayTexts[] = {"1日目", "2日目", "3日目", "4日目", "抽選漏れ"};
// The templates have no boxes for the groups 西34 and 東78.
constexpr bool kGroupHasBox[] = {true, true, true, false, false, true, true};
const char* const kBreakTexts[] = {"日", "ホール", "チェック色", "ブロック"};
const char* const kItemTexts[] = {"チェック色", "スペース", "サークル名", "サークル読み",
                                  "執筆者名",   "発行誌名", "補足",       "メモ"};

}  // namespace

PrintSettingsPage::PrintSettingsPage(int printKind, const PrintSettingsContext& context,
                                     PrintSettings& work)
    : kind_(printKind), context_(context), work_(work) {}

void PrintSettingsPage::Activate() {
  work_.mode = kind_;
  Refresh();
}

void PrintSettingsPage::Refresh() {
  updating_ = true;
  UpdateControls();
  ShowSwatches();
  ShowLayoutPicture();
  updating_ = false;
}

QCheckBox* PrintSettingsPage::AddBox(QBoxLayout* row, const QString& text, int controlId) {
  auto* box = new QCheckBox(text, this);
  SetControlId(box, controlId);
  connect(box, &QCheckBox::toggled, this, [this] { OnOptionChanged(); });
  row->addWidget(box);
  return box;
}

QGroupBox* PrintSettingsPage::AddDayHallGroupRows(QBoxLayout* page) {
  auto* group = new QGroupBox(QStringLiteral("印刷範囲"), this);
  auto* rows = new QVBoxLayout(group);
  auto* dayRow = new QHBoxLayout;
  const int offset = 100 * kind_;
  for (int i = 0; i < kDayBoxes; ++i) {
    days_[static_cast<std::size_t>(i)] =
        AddBox(dayRow, QString::fromUtf8(kDayTexts[i]), kDayFirstId + offset + i);
  }
  dayRow->addStretch();
  rows->addLayout(dayRow);
  auto* hallRow = new QGridLayout;
  for (int i = 0; i < kHallBoxes; ++i) {
    auto* cell = new QHBoxLayout;
    halls_[static_cast<std::size_t>(i)] =
        AddBox(cell, QtText(HallNames()[static_cast<std::size_t>(i)]), kHallFirstId + offset + i);
    hallRow->addLayout(cell, i / 7, i % 7);
  }
  rows->addLayout(hallRow);
  auto* groupRow = new QHBoxLayout;
  for (int i = 0; i < kGroupBoxes; ++i) {
    if (!kGroupHasBox[i]) continue;
    groups_[static_cast<std::size_t>(i)] =
        AddBox(groupRow, QtText(HallGroupNames()[static_cast<std::size_t>(i)]),
               kGroupFirstId + offset + i);
  }
  groupRow->addStretch();
  rows->addLayout(groupRow);
  page->addWidget(group);
  return group;
}

QGroupBox* PrintSettingsPage::AddColorRow(QBoxLayout* page,
                                          std::array<QCheckBox*, kColorBoxes>& boxes,
                                          std::array<QLabel*, kColorBoxes>& swatches,
                                          int firstBoxId, const QString& title) {
  auto* group = new QGroupBox(title, this);
  auto* grid = new QGridLayout(group);
  for (int i = 0; i < kColorBoxes; ++i) {
    // Colours after the ninth have ids of their own range: the ninth's neighbours are taken.
    const int id = i < kFirstRowColors ? firstBoxId + i : kMoreColorIds + firstBoxId + i;
    auto* swatch = new QLabel(this);
    swatch->setFixedSize(kSwatchSize);
    swatch->setAutoFillBackground(true);
    SetControlId(swatch, id - 10);  // a swatch's id is ten below its box's
    auto* cell = new QHBoxLayout;
    cell->addWidget(swatch);
    swatches[static_cast<std::size_t>(i)] = swatch;
    allSwatches_.push_back(swatch);
    boxes[static_cast<std::size_t>(i)] = AddBox(cell, QStringLiteral("色%1").arg(i + 1), id);
    grid->addLayout(cell, i / kFirstRowColors, i % kFirstRowColors);
  }
  grid->setColumnStretch(kFirstRowColors, 1);
  page->addWidget(group);
  return group;
}

QComboBox* PrintSettingsPage::AddCombo(QBoxLayout* row, const QString& label,
                                       const QStringList& items, int controlId) {
  if (!label.isEmpty()) row->addWidget(new QLabel(label, this));
  auto* combo = new QComboBox(this);
  combo->addItems(items);
  SetControlId(combo, controlId);
  row->addWidget(combo);
  return combo;
}

QListWidget* PrintSettingsPage::AddItemList(QBoxLayout* row, int controlId) {
  items_ = new QListWidget(this);
  SetControlId(items_, controlId);
  for (const char* text : kItemTexts) {
    auto* item = new QListWidgetItem(QString::fromUtf8(text), items_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  items_->setMaximumHeight(items_->sizeHintForRow(0) * 9);
  connect(items_, &QListWidget::itemChanged, this, [this] {
    if (updating_) return;
    const int mask = CheckedItems();
    if (mask == (Words().items & 0xFF)) return;
    Words().items = mask;
    Q_EMIT modified();
  });
  row->addWidget(items_);
  return items_;
}

void PrintSettingsPage::AddOrderRow(QBoxLayout* page, const QStringList& orders, int orderId) {
  auto* row = new QHBoxLayout;
  order_ = AddCombo(row, QStringLiteral("印刷順"), orders, orderId);
  row->addWidget(new QLabel(QStringLiteral("改ページ"), this));
  for (int i = 0; i < kPageBreakBoxes; ++i) {
    breaks_[static_cast<std::size_t>(i)] =
        AddBox(row, QString::fromUtf8(kBreakTexts[i]), orderId + 1 + i);
  }
  row->addStretch();
  page->addLayout(row);
  connect(order_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (updating_ || index < 0) return;
    Words().sort = index;
    Refresh();
    Q_EMIT modified();
  });
}

void PrintSettingsPage::AddPrintedOptions(QBoxLayout* column, int serialId, int enlargeSupId,
                                          int enlargeMemoId) {
  serial_ = AddBox(column, QStringLiteral("通し番号を印刷する"), serialId);
  colorList_ = AddBox(column, QStringLiteral("チェック色の一覧を印刷する"), serialId + 1);
  enlargeSup_ = AddBox(column, QStringLiteral("補足を大きく印刷する"), enlargeSupId);
  enlargeMemo_ = AddBox(column, QStringLiteral("メモを大きく印刷する"), enlargeMemoId);
}

void PrintSettingsPage::ShowPrintedOptions(const PrintKindSettings& words) {
  ShowItems(words.items);
  serial_->setChecked(words.page != 0);
  colorList_->setChecked(words.colorList != 0);
  enlargeSup_->setChecked(words.enlargeSup != 0);
  enlargeMemo_->setChecked(words.enlargeMemo != 0);
}

void PrintSettingsPage::ReadPrintedOptions(PrintKindSettings& words) const {
  words.items = CheckedItems();
  words.page = serial_->isChecked() ? 1 : 0;
  words.colorList = colorList_->isChecked() ? 1 : 0;
  words.enlargeSup = enlargeSup_->isChecked() ? 1 : 0;
  words.enlargeMemo = enlargeMemo_->isChecked() ? 1 : 0;
}

void PrintSettingsPage::AddLayoutRow(QBoxLayout* page, const QStringList& layouts, int comboId) {
  auto* row = new QHBoxLayout;
  layout_ = AddCombo(row, QStringLiteral("レイアウト"), layouts, comboId);
  picture_ = new QLabel(this);
  picture_->setFixedSize(kPictureSize + QSize(2, 2));
  picture_->setFrameShape(QFrame::Box);
  SetControlId(picture_, comboId + 1);
  row->addWidget(picture_);
  row->addStretch();
  page->addLayout(row);
  connect(layout_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (updating_ || index < 0) return;
    Words().layout = index;
    Refresh();
    Q_EMIT modified();
  });
}

void PrintSettingsPage::AddButtons(QBoxLayout* page, bool editColors, int editColorsId,
                                   int previewId) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  if (editColors) {
    auto* edit = new QPushButton(QStringLiteral("色の編集(&E)..."), this);
    SetControlId(edit, editColorsId);
    edit->setEnabled(static_cast<bool>(context_.editColors));
    connect(edit, &QPushButton::clicked, this, [this] {
      context_.editColors(this);
      ShowSwatches();
      update();
    });
    row->addWidget(edit);
  }
  preview_ = new QPushButton(QStringLiteral("プレビュー(&V)"), this);
  SetControlId(preview_, previewId);
  connect(preview_, &QPushButton::clicked, this, [this] {
    TakeTypedValues();
    ShowPrintPreview();
  });
  row->addWidget(preview_);
  page->addLayout(row);
}

void PrintSettingsPage::ShowDayAndHallBoxes(const PrintKindSettings& words) {
  ShowMask(days_.data(), kDayBoxes, words.days);
  ShowMask(halls_.data(), kHallBoxes, words.blocks);
  const int dayCount = context_.source.DayCount();
  for (int i = 0; i < kDayBoxes - 1; ++i) {
    days_[static_cast<std::size_t>(i)]->setEnabled(i < dayCount);
  }
  for (int i = 0; i < kHallBoxes; ++i) {
    halls_[static_cast<std::size_t>(i)]->setEnabled(HallHasCircles(context_.source, i));
  }
}

void PrintSettingsPage::ShowMapGroupBoxes(const PrintKindSettings& words) {
  ShowMask(groups_.data(), kGroupBoxes, words.maps);
  const int enabledHalls = EnabledHalls();
  for (int g = 0; g < kGroupBoxes; ++g) {
    if (QCheckBox* box = groups_[static_cast<std::size_t>(g)]) {
      box->setEnabled(HallGroupEnabled(context_.source, g, enabledHalls));
    }
  }
}

void PrintSettingsPage::ReadRangeBoxes(PrintKindSettings& words) const {
  words.days = CheckedMask(days_.data(), kDayBoxes);
  words.blocks = CheckedMask(halls_.data(), kHallBoxes);
  words.maps = CheckedMask(groups_.data(), kGroupBoxes);
  words.colors = colors_[0] ? ReadColorBoxes(colors_, words.colors) : 0;
}

int PrintSettingsPage::ColorsInUse() const {
  return std::clamp(context_.source.CheckColorCount(), 1, kColorBoxes);
}

void PrintSettingsPage::ShowColorBoxes(const std::array<QCheckBox*, kColorBoxes>& boxes,
                                       const std::array<QLabel*, kColorBoxes>& swatches,
                                       int mask) const {
  const int inUse = ColorsInUse();
  for (int i = 0; i < kColorBoxes; ++i) {
    const auto n = static_cast<std::size_t>(i);
    boxes[n]->setVisible(i < inUse);
    swatches[n]->setVisible(i < inUse);
    boxes[n]->setChecked((mask & (1 << i)) != 0);
  }
}

int PrintSettingsPage::ReadColorBoxes(const std::array<QCheckBox*, kColorBoxes>& boxes,
                                      int stored) const {
  const int shown = (1 << ColorsInUse()) - 1;
  return (stored & ~shown) | (CheckedMask(boxes.data(), kColorBoxes) & shown);
}

int PrintSettingsPage::EnabledHalls() const {
  int mask = 0;
  for (int i = 0; i < kHallBoxes; ++i) {
    if (halls_[static_cast<std::size_t>(i)]->isEnabled()) mask |= 1 << i;
  }
  return mask;
}

int PrintSettingsPage::CheckedMask(const QCheckBox* const* boxes, int count) {
  int mask = 0;
  for (int i = 0; i < count; ++i) {
    if (boxes[i] && boxes[i]->isChecked()) mask |= 1 << i;
  }
  return mask;
}

void PrintSettingsPage::ShowMask(QCheckBox* const* boxes, int count, int mask) {
  for (int i = 0; i < count; ++i) {
    if (boxes[i]) boxes[i]->setChecked((mask & (1 << i)) != 0);
  }
}

void PrintSettingsPage::ShowItems(int mask) {
  for (int i = 0; i < items_->count(); ++i) {
    items_->item(i)->setCheckState((mask & (1 << i)) != 0 ? Qt::Checked : Qt::Unchecked);
  }
}

int PrintSettingsPage::CheckedItems() const {
  int mask = 0;
  for (int i = 0; i < items_->count(); ++i) {
    if (items_->item(i)->checkState() == Qt::Checked) mask |= 1 << i;
  }
  return mask;
}

void PrintSettingsPage::ShowSwatches() {
  for (std::size_t n = 0; n < allSwatches_.size(); ++n) {
    QPalette palette = allSwatches_[n]->palette();
    const int color = static_cast<int>(n % kColorBoxes);
    palette.setColor(QPalette::Window, ColorFromColorRef(context_.source.PrintColor(color)));
    allSwatches_[n]->setPalette(palette);
  }
}

void PrintSettingsPage::ShowLayoutPicture() {
  const std::vector<int> pictures = LayoutPictures();
  const int index = layout_->currentIndex();
  if (index < 0 || index >= static_cast<int>(pictures.size())) {
    picture_->clear();
    return;
  }
  picture_->setPixmap(BitmapImage(pictures[static_cast<std::size_t>(index)])
                          .pixmap(kPictureSize, devicePixelRatioF()));
}

void PrintSettingsPage::OnOptionChanged() {
  if (updating_) return;
  ReadControls();
  Refresh();
  Q_EMIT modified();
}

void PrintSettingsPage::ShowPrintPreview() {
  if (PrintJob_BuildFromSettings(work_, kind_) > 0) {
    PrintEngine_RunPreview(static_cast<QWidget*>(this));
    return;
  }
  ShowNoPagesBox(context_.ui, this);
}

}  // namespace vx
