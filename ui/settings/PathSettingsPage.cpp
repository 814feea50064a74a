#include "ui/settings/PathSettingsPage.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/SettingsPath.h"
#include "app/SettingsValues.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

std::string_view FieldText(const char (&field)[kTextSize]) {
  return std::string_view(field, strnlen(field, kTextSize));
}

void StoreField(char (&field)[kTextSize], const std::string& text) {
  std::memcpy(field, text.data(), text.size());
  field[text.size()] = '\0';
}

std::string StoredText(const QString& place) { return SettingsPathText(PathFromQt(place)); }

QString ShownText(std::string_view stored) { return QtPath(PathOfSettingsText(stored)); }

std::optional<std::string> FieldTextOf(const QString& place, bool folder) {
  return PlaceForField(StoredText(place), folder, kTextSize);
}

// `what` names the place in the box (UTF-8).
void ReportTooLong(UiServices& ui, QWidget* owner, const char* what) {
  const std::string text =
      std::string(what) +
      "の場所が長すぎます.\n場所は半角259文字（全角129文字）以内で指定してください.";
  ui.MessageBox(owner, Sjis(text), Sjis("エラー"), MB_OK | MB_ICONERROR);
}

QString WithFinalSeparator(QString text) {
  if (!text.isEmpty() && !text.endsWith(QLatin1Char('/'))) text += QLatin1Char('/');
  return text;
}

}  // namespace

std::optional<std::string> PlaceForField(std::string_view text, bool folder,
                                         std::size_t fieldSize) {
  std::string stored(text);
  if (folder && !stored.empty() && stored.back() != '/') stored += '/';
  if (stored.size() + 1 > fieldSize) return std::nullopt;
  return stored;
}

PathSettingsPage::PathSettingsPage(CatalogController& controller, SettingsValues& scratch,
                                   SettingsValues& live, UiServices& ui)
    : SettingsPage(controller, scratch, live, ui) {
  SetControlId(this, IDD_SETTINGS_PATHS);
  CreateControls();
  ArrangeControls();
  ConnectControls();
  FillControls();
}

QString PathSettingsPage::Title() const { return QString::fromUtf8("パス設定"); }

void PathSettingsPage::CreateControls() {
  const auto make = [this](auto* control, int id) {
    SetControlId(control, id);
    return control;
  };
  imageAuto_ =
      make(new QRadioButton(QString::fromUtf8("自動検索する(&F)"), this), IDC_CFG_IMG_AUTO);
  imageFixed_ = make(new QRadioButton(QString::fromUtf8("指定場所から読み込む(&R)"), this),
                     IDC_CFG_IMG_FIXED);
  imageLabel_ = make(new QLabel(QString::fromUtf8("場所(&D) :"), this), IDC_CFG_IMG_PATH_LABEL);
  imagePath_ = make(new QLineEdit(this), IDC_CFG_IMG_PATH);
  imageBrowse_ = make(new QPushButton(QString::fromUtf8("参照(&C)..."), this), IDC_CFG_IMG_BROWSE);
  browserDefault_ =
      make(new QRadioButton(QString::fromUtf8("標準(&S)"), this), IDC_CFG_BROWSER_DEFAULT);
  browserChosen_ = make(new QRadioButton(QString::fromUtf8("ブラウザを指定(&Ｂ)"), this),
                        IDC_CFG_BROWSER_CHOSEN);
  browserLabel_ = make(new QLabel(QString::fromUtf8("場所(&E) :"), this), IDC_CFG_BROWSER_LABEL);
  browserPath_ = make(new QLineEdit(this), IDC_CFG_BROWSER_PATH);
  browserBrowse_ =
      make(new QPushButton(QString::fromUtf8("参照(&C)..."), this), IDC_CFG_BROWSER_BROWSE);
}

void PathSettingsPage::ArrangeControls() {
  // Each pair of radio buttons is exclusive only within itself.
  for (auto [first, second] :
       {std::pair{imageAuto_, imageFixed_}, std::pair{browserDefault_, browserChosen_}}) {
    auto* group = new QButtonGroup(this);
    group->addButton(first);
    group->addButton(second);
  }
  imageLabel_->setBuddy(imagePath_);
  browserLabel_->setBuddy(browserPath_);
  auto* layout = new QGridLayout(this);
  layout->addWidget(imageAuto_, 0, 0, 1, 3);
  layout->addWidget(imageFixed_, 1, 0, 1, 3);
  layout->addWidget(imageLabel_, 2, 0);
  layout->addWidget(imagePath_, 2, 1);
  layout->addWidget(imageBrowse_, 2, 2);
  layout->setRowMinimumHeight(3, 12);
  layout->addWidget(browserDefault_, 4, 0, 1, 3);
  layout->addWidget(browserChosen_, 5, 0, 1, 3);
  layout->addWidget(browserLabel_, 6, 0);
  layout->addWidget(browserPath_, 6, 1);
  layout->addWidget(browserBrowse_, 6, 2);
  layout->setRowStretch(7, 1);
}

void PathSettingsPage::ConnectControls() {
  for (QRadioButton* radio : {imageAuto_, imageFixed_, browserDefault_, browserChosen_}) {
    connect(radio, &QAbstractButton::clicked, this, [this] { OnChanged(); });
  }
  for (QLineEdit* edit : {imagePath_, browserPath_}) {
    connect(edit, &QLineEdit::textEdited, this, [this] { OnChanged(); });
  }
  connect(imageBrowse_, &QPushButton::clicked, this, [this] { OnBrowseFolder(); });
  connect(browserBrowse_, &QPushButton::clicked, this, [this] { OnBrowseBrowser(); });
}

void PathSettingsPage::FillControls() {
  (scratch_.imgPathMode == 1 ? imageFixed_ : imageAuto_)->setChecked(true);
  (scratch_.browserPathMode == 1 ? browserChosen_ : browserDefault_)->setChecked(true);
  imagePath_->setText(ShownText(FieldText(scratch_.imagePath)));
  browserPath_->setText(ShownText(FieldText(scratch_.browserPath)));
  EnableDependents();
}

void PathSettingsPage::EnableDependents() {
  const bool image = imageFixed_->isChecked();
  imageLabel_->setEnabled(image);
  imagePath_->setEnabled(image);
  imageBrowse_->setEnabled(image);
  const bool browser = browserChosen_->isChecked();
  browserLabel_->setEnabled(browser);
  browserPath_->setEnabled(browser);
  browserBrowse_->setEnabled(browser);
}

void PathSettingsPage::OnChanged() {
  const int imageMode = imageFixed_->isChecked() ? 1 : 0;
  const int browserMode = browserChosen_->isChecked() ? 1 : 0;
  const bool differs = StoredText(imagePath_->text()) != FieldText(scratch_.imagePath) ||
                       StoredText(browserPath_->text()) != FieldText(scratch_.browserPath) ||
                       imageMode != scratch_.imgPathMode || browserMode != scratch_.browserPathMode;
  scratch_.imgPathMode = imageMode;
  scratch_.browserPathMode = browserMode;
  EnableDependents();
  if (differs) SetModified();
}

void PathSettingsPage::OnBrowseFolder() {
  const QString typed = imagePath_->text();
  if (const auto stored = FieldTextOf(typed, true)) StoreField(scratch_.imagePath, *stored);
  const std::string title = EventTitle(scratch_.eventNumber) +
                            Sjis("のCD-ROM、もしくは画像データの場所を指定してください.");
  for (;;) {
    const std::optional<fs::path> chosen = ui_.FolderDialog(this, title, PathFromQt(typed));
    if (!chosen) return;
    std::error_code error;
    if (!fs::is_directory(*chosen, error)) {
      ui_.MessageBox(this, Sjis("有効なパス/ドライブではありません."), Sjis("エラー"),
                     MB_OK | MB_ICONERROR);
      continue;
    }
    const QString text = WithFinalSeparator(QtPath(*chosen));
    const auto stored = FieldTextOf(text, true);
    if (!stored) {
      ReportTooLong(ui_, this, "画像データ");
      continue;
    }
    imagePath_->setText(text);
    StoreField(scratch_.imagePath, *stored);
    if (text != typed) SetModified();
    return;
  }
}

void PathSettingsPage::OnBrowseBrowser() {
  FileDialogRequest request;
  request.title = Sjis("ブラウザの選択");
  request.filter = Sjis("ブラウザ実行ファイル(*)|*|");
  request.initialPath = PathFromQt(browserPath_->text());
  const std::optional<fs::path> chosen = ui_.OpenFileDialog(this, request);
  if (!chosen) return;
  const QString text = QtPath(*chosen);
  const auto stored = FieldTextOf(text, false);
  if (!stored) {
    ReportTooLong(ui_, this, "ブラウザ");
    return;
  }
  const bool differs = text != browserPath_->text();
  browserPath_->setText(text);
  StoreField(scratch_.browserPath, *stored);
  if (differs) SetModified();
}

bool PathSettingsPage::AcceptPlace(QLineEdit* edit, bool folder, const char* what) {
  if (FieldTextOf(edit->text(), folder)) return true;
  ReportTooLong(ui_, this, what);
  edit->setFocus();
  edit->selectAll();
  return false;
}

bool PathSettingsPage::CanApply() {
  // A place that is not in use cannot be edited either; it only keeps its stored value.
  if (imageFixed_->isChecked() && !AcceptPlace(imagePath_, true, "画像データ")) return false;
  if (browserChosen_->isChecked() && !AcceptPlace(browserPath_, false, "ブラウザ")) return false;
  return true;
}

void PathSettingsPage::Apply() {
  if (const auto stored = FieldTextOf(imagePath_->text(), true)) {
    StoreField(scratch_.imagePath, *stored);
  }
  if (const auto stored = FieldTextOf(browserPath_->text(), false)) {
    StoreField(scratch_.browserPath, *stored);
  }
  scratch_.imgPathMode = imageFixed_->isChecked() ? 1 : 0;
  scratch_.browserPathMode = browserChosen_->isChecked() ? 1 : 0;
  live_.imgPathMode = scratch_.imgPathMode;
  live_.browserPathMode = scratch_.browserPathMode;
  std::memcpy(live_.imagePath, scratch_.imagePath, kTextSize);
  std::memcpy(live_.browserPath, scratch_.browserPath, kTextSize);
}

}  // namespace vx
