#include "ui/search/SearchDialog.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/SearchCondition.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/widgets/ControlFont.h"

namespace vx {

namespace {

struct FieldBox {
  int controlId;
  const char* text;
  int bit;
};

constexpr FieldBox kFieldTable[SearchDialog::kFieldBoxes] = {
    {IDC_SEARCH_FIELD_NAME, "サークル名(&C)", SearchCondition::kFieldCircleName},
    {IDC_SEARCH_FIELD_NAME + 1, "読みがな(&K)", SearchCondition::kFieldCircleKana},
    {IDC_SEARCH_FIELD_NAME + 2, "執筆者(&P)", SearchCondition::kFieldPenName},
    {IDC_SEARCH_FIELD_NAME + 3, "発行誌(&B)", SearchCondition::kFieldBookName},
    {IDC_SEARCH_FIELD_NAME + 4, "&URL", SearchCondition::kFieldUrl},
    {IDC_SEARCH_FIELD_NAME + 5, "メール(&M)", SearchCondition::kFieldMailAddr},
    {IDC_SEARCH_FIELD_NAME + 6, "補足(&D)", SearchCondition::kFieldDescription},
    {IDC_SEARCH_FIELD_MEMO, "メモ(&R)", SearchCondition::kFieldMemo},
    {IDC_SEARCH_FIELD_GENRE, "ジャンル(&N)", SearchCondition::kFieldGenreName},
    {IDC_SEARCH_FIELD_UPDATE, "更新(&X)", SearchCondition::kFieldUpdateData},
    {IDC_SEARCH_FIELD_ORBALINK, "Orbalink(&Y)", SearchCondition::kFieldOrbalink},
    {IDC_SEARCH_FIELD_RSS, "RSS(&Z)", SearchCondition::kFieldRss},
    {IDC_SEARCH_FIELD_TWITTER, "Twitter(&T)", SearchCondition::kFieldTwitter},
    {IDC_SEARCH_FIELD_PIXIV, "Pixiv(&V)", SearchCondition::kFieldPixiv},
};

constexpr const char* kDayTexts[SearchDialog::kDayBoxes] = {"&1日目", "&2日目", "&3日目", "&4日目"};

template <class T>
T* WithId(T* control, int controlId) {
  control->setProperty("controlId", controlId);
  return control;
}

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

const char* SearchDialog::Title(int mode) {
  switch (mode) {
    case kNarrow:
      return "絞込み検索";
    case kRedoNarrowing:
      return "絞込み検索（やり直し）";
    default:
      return "サークル検索";
  }
}

SearchDialog::SearchDialog(CatalogController& controller, QWidget* owner)
    : QDialog(owner), controller_(controller) {
  setProperty("controlId", IDD_SEARCH);
  setWindowTitle(Text(Title(kNewSearch)));
  setFont(ControlFont());
  CreateControls();
  ArrangeControls();
  ConnectControls();
}

SearchDialog::~SearchDialog() {
  LowerGuard();
  if (controller_.GetOpenSearchDialog() == this) controller_.SetOpenSearchDialog(nullptr);
}

// --- Set-up --------------------------------------------------------------------------------

void SearchDialog::CreateControls() {
  for (int d = 0; d < kDayBoxes; ++d) {
    days_[d] = WithId(new QCheckBox(Text(kDayTexts[d]), this), IDC_SEARCH_DAY_FIRST + d);
  }
  noDay_ = WithId(new QCheckBox(Text("抽選漏れ(&S)"), this), IDC_SEARCH_NO_DAY);
  for (int f = 0; f < kFieldBoxes; ++f) {
    fields_[f] = WithId(new QCheckBox(Text(kFieldTable[f].text), this), kFieldTable[f].controlId);
  }
  genres_ = WithId(new QListWidget(this), IDC_SEARCH_GENRES);
  selectAll_ = WithId(new QPushButton(Text("全部選択(&J)"), this), IDC_SEARCH_SELECT_ALL_GENRES);
  clearAll_ = WithId(new QPushButton(Text("全部解除(&X)"), this), IDC_SEARCH_CLEAR_ALL_GENRES);
  memoOnly_ = WithId(new QCheckBox(Text("メモが記入されているサークルのみ探す(&E)"), this),
                     IDC_SEARCH_MEMO_ONLY);
  updatedOnly_ =
      WithId(new QCheckBox(Text("更新されたサークルのみ探す(&U)"), this), IDC_SEARCH_UPDATED_ONLY);
  keyword_ = WithId(new QLineEdit(this), IDC_SEARCH_KEYWORD);
  matchAll_ = WithId(new QRadioButton(Text("全ての語を含む(&A)"), this), IDC_SEARCH_MATCH_ALL);
  matchAny_ = WithId(new QRadioButton(Text("いずれかの語を含む(&O)"), this), IDC_SEARCH_MATCH_ANY);
  normalize_ = WithId(new QCheckBox(Text("あいまい検索(&F)"), this), IDC_SEARCH_NORMALIZE);
  keepOpen_ =
      WithId(new QCheckBox(Text("検索実行後も検索ダイアログを表示したままにする(&L)"), this),
             IDC_SEARCH_KEEP_OPEN);
  reset_ = WithId(new QPushButton(Text("検索条件を初期化(&I)"), this), IDC_SEARCH_RESET);
  search_ = WithId(new QPushButton(Text("検索"), this), IDOK);
  narrow_ = WithId(new QPushButton(Text("絞込み(&Q)"), this), IDC_SEARCH_NARROW);
  redo_ = WithId(new QPushButton(Text("やり直し(&T)"), this), IDC_SEARCH_REDO);
  close_ = WithId(new QPushButton(Text("閉じる"), this), IDCANCEL);
  search_->setDefault(true);
  for (QPushButton* button : {selectAll_, clearAll_, reset_, narrow_, redo_, close_}) {
    button->setAutoDefault(false);
  }
}

void SearchDialog::ArrangeControls() {
  auto* dayBox = new QGroupBox(Text("参加日"), this);
  auto* dayRow = new QHBoxLayout(dayBox);
  for (QCheckBox* day : days_) dayRow->addWidget(day);
  dayRow->addWidget(noDay_);

  auto* fieldBox = new QGroupBox(Text("検索対象"), this);
  auto* fieldGrid = new QGridLayout(fieldBox);
  for (int f = 0; f < kFieldBoxes; ++f) fieldGrid->addWidget(fields_[f], f / 4, f % 4);

  auto* genreLabel = new QLabel(Text("検索対象ジャンル(&G)"), this);
  genreLabel->setBuddy(genres_);
  auto* genreButtons = new QHBoxLayout;
  genreButtons->addWidget(selectAll_);
  genreButtons->addWidget(clearAll_);
  genreButtons->addStretch();

  auto* keywordLabel = new QLabel(Text("キーワード(&W) :"), this);
  keywordLabel->setBuddy(keyword_);
  auto* keywordRow = new QHBoxLayout;
  keywordRow->addWidget(keywordLabel);
  keywordRow->addWidget(keyword_, 1);
  auto* matchRow = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{matchAll_, matchAny_, normalize_}) {
    matchRow->addWidget(w);
  }
  matchRow->addStretch();

  auto* runRow = new QHBoxLayout;
  runRow->addWidget(reset_);
  runRow->addStretch();
  for (QPushButton* button : {search_, narrow_, redo_, close_}) runRow->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dayBox);
  layout->addWidget(fieldBox);
  layout->addWidget(genreLabel);
  layout->addWidget(genres_, 1);
  layout->addLayout(genreButtons);
  layout->addWidget(memoOnly_);
  layout->addWidget(updatedOnly_);
  layout->addLayout(keywordRow);
  layout->addLayout(matchRow);
  layout->addWidget(keepOpen_);
  layout->addLayout(runRow);
}

void SearchDialog::ConnectControls() {
  connect(search_, &QPushButton::clicked, this, [this] { Run(kNewSearch); });
  connect(narrow_, &QPushButton::clicked, this, [this] { Run(kNarrow); });
  connect(redo_, &QPushButton::clicked, this, [this] { Run(kRedoNarrowing); });
  connect(close_, &QPushButton::clicked, this, [this] { Close(); });
  connect(reset_, &QPushButton::clicked, this, [this] { ResetCondition(); });
  connect(selectAll_, &QPushButton::clicked, this, [this] { CheckAllGenres(true); });
  connect(clearAll_, &QPushButton::clicked, this, [this] { CheckAllGenres(false); });
  connect(keepOpen_, &QCheckBox::clicked, this, [this](bool on) { ToggleKeepOpen(on); });
}

// --- Opening -------------------------------------------------------------------------------

int SearchDialog::RunModal(int mode) {
  mode_ = mode;
  Fill();
  // The event's texts, read ahead for the first search, stay for the searches of this opening.
  if (SearchCondition* condition = controller_.GetSearchCondition()) {
    searchTexts_ = condition->ReadTextsAhead();
  }
  keepOpen_->setChecked(KeepOpen());
  if (KeepOpen()) {
    controller_.SetOpenSearchDialog(this);
  } else {
    controller_.SetOpenSearchDialog(nullptr);
    RaiseGuard();
  }
  Centre();
  // Not modal to Qt: while the dialog stays open the other windows take input, and while it
  // holds the modal guard, the guard keeps them inert.
  setWindowModality(Qt::NonModal);
  QEventLoop loop;
  connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
  show();
  raise();
  activateWindow();
  keyword_->setFocus(Qt::OtherFocusReason);
  loop.exec();
  LowerGuard();
  searchTexts_.reset();
  return result();
}

void SearchDialog::Reopen(int mode) {
  mode_ = mode;
  Fill();
  raise();
  activateWindow();
}

// Over the owner while it is shown, else on the screen: the beacon that owns it stays hidden.
void SearchDialog::Centre() {
  if (!testAttribute(Qt::WA_Resized)) adjustSize();  // centred at the size it will show with
  QWidget* owner = parentWidget();
  adjustPosition(owner != nullptr && owner->isVisible() ? owner : nullptr);
}

void SearchDialog::Fill() {
  setWindowTitle(Text(Title(mode_)));
  UpdateRunButtons();
  const SearchCondition* condition = controller_.GetSearchCondition();
  if (condition == nullptr) return;
  keyword_->setText(QtText(condition->KeywordText()));
  keyword_->selectAll();
  keyword_->setFocus(Qt::OtherFocusReason);
  (condition->MatchAll() ? matchAll_ : matchAny_)->setChecked(true);
  normalize_->setChecked(condition->NormalizedMatch());
  for (int d = 0; d < kDayBoxes; ++d) {
    days_[d]->setEnabled(controller_.GetDayCount() >= d + 1);
    days_[d]->setChecked(condition->HasDay(d + 1));
  }
  noDay_->setChecked(condition->HasDay(0));
  for (int f = 0; f < kFieldBoxes; ++f) {
    fields_[f]->setChecked((condition->KeywordFields() & kFieldTable[f].bit) != 0);
  }
  memoOnly_->setChecked(condition->MemoOnly());
  updatedOnly_->setChecked(condition->UpdatedOnly());
  FillGenres(*condition);
}

void SearchDialog::FillGenres(const SearchCondition& condition) {
  genres_->clear();
  for (int genre = 1; genre <= controller_.GetGenreCount(); ++genre) {
    auto* item = new QListWidgetItem(QtText(controller_.GetGenreName(genre)), genres_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(condition.HasGenre(genre) ? Qt::Checked : Qt::Unchecked);
  }
}

void SearchDialog::UpdateRunButtons() {
  narrow_->setEnabled(controller_.CanNarrowSearch());
  redo_->setEnabled(controller_.CanRedoNarrowing());
}

// --- Running ---------------------------------------------------------------------------------

void SearchDialog::Run(int mode) {
  SearchCondition* condition = controller_.GetSearchCondition();
  switch (mode) {
    case kNewSearch:
      controller_.SetCanRedoNarrowing(false);
      controller_.SetCanNarrowSearch(true);
      if (condition != nullptr) condition->Reset();
      break;
    case kNarrow:
      controller_.SetCanNarrowSearch(true);
      controller_.SetCanRedoNarrowing(true);
      if (condition != nullptr) condition->KeepAsBase();
      break;
    default:
      if (condition != nullptr) condition->ClearChoices();
      break;
  }
  mode_ = mode;
  Apply();
}

void SearchDialog::Apply() {
  SearchCondition* condition = controller_.GetSearchCondition();
  if (condition == nullptr) return;
  for (int d = 0; d < kDayBoxes; ++d) {
    if (days_[d]->isChecked()) condition->AddDay(d + 1);
  }
  if (noDay_->isChecked()) condition->AddDay(0);
  int mask = 0;
  for (int f = 0; f < kFieldBoxes; ++f) {
    if (fields_[f]->isChecked()) mask |= kFieldTable[f].bit;
  }
  condition->SetKeywordFields(mask);
  condition->SetMemoOnly(memoOnly_->isChecked());
  condition->SetUpdatedOnly(updatedOnly_->isChecked());
  condition->SetMatchAll(matchAll_->isChecked());
  condition->SetNormalizedMatch(normalize_->isChecked());
  for (int row = 0; row < genres_->count(); ++row) {
    if (genres_->item(row)->checkState() == Qt::Checked) condition->AddGenre(row + 1);
  }
  const std::string keywords = Cp932Text(keyword_->text());
  if (keywords.empty()) {
    condition->ClearKeywords();
  } else {
    condition->SetKeywords(keywords);
  }
  const bool keepOpen = KeepOpen();
  if (!keepOpen) {
    LowerGuard();
    done(IDOK);
  }
  controller_.RequestSearch();
  if (keepOpen) UpdateRunButtons();
}

void SearchDialog::Close() {
  if (!KeepOpen()) LowerGuard();
  controller_.SetOpenSearchDialog(nullptr);
  done(IDCANCEL);
}

void SearchDialog::reject() { Close(); }

void SearchDialog::ResetCondition() {
  SearchCondition* condition = controller_.GetSearchCondition();
  if (condition == nullptr) return;
  condition->Reset();
  condition->SetMatchAll(true);
  condition->SetNormalizedMatch(true);
  condition->SetMemoOnly(false);
  condition->SetKeywordFields(SearchCondition::DefaultKeywordFields());
  condition->AddAllDays();
  condition->AddAllGenres();
  Fill();
}

void SearchDialog::CheckAllGenres(bool checked) {
  for (int row = 0; row < genres_->count(); ++row) {
    genres_->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
}

// --- Keeping the dialog open -------------------------------------------------------------------

bool SearchDialog::KeepOpen() const {
  const SettingsValues* values = controller_.GetValues();
  return (values != nullptr ? values->searchDlgStyle : ownKeepOpen_) != 0;
}

void SearchDialog::SetKeepOpen(bool on) {
  if (SettingsValues* values = controller_.GetValues()) {
    values->searchDlgStyle = on ? 1 : 0;
  } else {
    ownKeepOpen_ = on ? 1 : 0;
  }
}

void SearchDialog::ToggleKeepOpen(bool on) {
  SetKeepOpen(on);
  if (on) {
    controller_.SetOpenSearchDialog(this);
    LowerGuard();
  } else {
    controller_.SetOpenSearchDialog(nullptr);
    RaiseGuard();
  }
}

void SearchDialog::RaiseGuard() {
  if (guardRaised_) return;
  controller_.BeginModal();
  guardRaised_ = true;
}

void SearchDialog::LowerGuard() {
  if (!guardRaised_) return;
  guardRaised_ = false;
  controller_.EndModal();
}

// --- Quick keyword search ----------------------------------------------------------------------

void SearchDialog::RunQuickKeywordSearch(CatalogController* controller,
                                         std::string_view cp932Text) {
  if (controller == nullptr || cp932Text.empty()) return;
  SearchCondition* condition = controller->GetSearchCondition();
  if (condition == nullptr) return;
  condition->SetKeywords(cp932Text);
  controller->SetCanNarrowSearch(true);
  controller->SetCanRedoNarrowing(false);
  controller->RequestSearch();
}

}  // namespace vx
