#include "ui/print/ImageOutputDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "app/PrintSettings.h"
#include "app/SettingsPath.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"
#include "platform/UiServices.h"
#include "print/OutputPath.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/print/BuddyLabel.h"
#include "ui/print/PrintControlIds.h"
#include "ui/print/PrintDialogServices.h"
#include "ui/print/PrintKindPanel.h"
#include "ui/widgets/WindowPlacement.h"

namespace vx {
namespace {

namespace ids = print_controls;
namespace fs = std::filesystem;

constexpr const char* kFormatHints[] = {"※ ページ番号と拡張子\".bmp\"が付加されます。",
                                        "※ ページ番号と拡張子\".png\"が付加されます。",
                                        "※ ページ番号と拡張子\".jpg\"が付加されます。"};

std::string FieldText(const char (&field)[kPrintPathSize]) {
  return std::string(field, strnlen(field, sizeof field));
}

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

ImageOutputDialog::ImageOutputDialog(QWidget* parent, PrintSettings& settings,
                                     const PrintDialogServices& services)
    : QDialog(parent), settings_(settings), services_(services) {
  setWindowTitle(QtText(Sjis("印刷データの画像ファイル出力")));
  CreateControls();
  ArrangeControls();
  ConnectControls();
  kind_->SetKind(settings_.mode, true);
  ShowFormatHint();
  PlaceDialogOnScreen(*this);
}

void ImageOutputDialog::CreateControls() {
  folder_ = new QLineEdit(QtPath(PathOfSettingsText(FieldText(settings_.bmpOutPath))), this);
  SetControlId(folder_, ids::kOutputFolder);
  browse_ = new QPushButton(QtText(Sjis("参照(&C)...")), this);
  SetControlId(browse_, ids::kBrowseFolder);
  baseName_ = new QLineEdit(QtPath(PathOfSettingsText(FieldText(settings_.bmpOutFile))), this);
  SetControlId(baseName_, ids::kBaseName);
  longSide_ = new QLineEdit(QString::number(settings_.bmpOutSize), this);
  SetControlId(longSide_, ids::kLongSide);
  highResolution_ = new QCheckBox(QtText(Sjis("高解像度で出力(&H)")), this);
  SetControlId(highResolution_, ids::kHighResolution);
  highResolution_->setChecked(settings_.hiReso != 0);
  format_ = new QComboBox(this);
  SetControlId(format_, ids::kImageFormat);
  format_->addItems({QStringLiteral("BMP"), QStringLiteral("PNG"), QStringLiteral("JPEG")});
  format_->setCurrentIndex(std::clamp(settings_.bmpOutFormat, 0, 2));
  formatHint_ = new QLabel(this);
  SetControlId(formatHint_, ids::kFormatHint);
  help_ = new QPushButton(QtText(Sjis("説明(&R)...")), this);
  SetControlId(help_, ids::kDescription);
  kind_ = new PrintKindPanel(this, settings_, services_);
  const OkCancelButtons buttons = CreateOkCancelButtons(this);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
}

void ImageOutputDialog::ArrangeControls() {
  auto* imageBox = new QGroupBox(QtText(Sjis("画像出力")), this);
  auto* form = new QFormLayout(imageBox);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folder_, 1);
  folderRow->addWidget(browse_);
  form->addRow(BuddyLabel(this, QtText(Sjis("出力パス(&P) :")), folder_), folderRow);
  // "GDI+を使用しないで印刷(&B)" has B: the base name takes E.
  form->addRow(BuddyLabel(this, QtText(Sjis("出力ファイル名(&E) :")), baseName_), baseName_);
  form->addRow(BuddyLabel(this, QtText(Sjis("出力ファイル形式(&F) :")), format_), format_);
  form->addRow(QString(), formatHint_);
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(longSide_);
  sizeRow->addWidget(new QLabel(QtText(Sjis("ピクセル (0, 1～9999)")), this));
  form->addRow(BuddyLabel(this, QtText(Sjis("長辺のサイズ(&S) :")), longSide_), sizeRow);
  form->addRow(QString(), new QLabel(QtText(Sjis("※ 0を指定すると、原寸で出力します。")), this));
  auto* resolutionRow = new QHBoxLayout;
  resolutionRow->addWidget(highResolution_);
  resolutionRow->addWidget(help_);
  form->addRow(QString(), resolutionRow);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(kind_);
  layout->addWidget(imageBox);
  layout->addLayout(OkCancelRow({ok_, cancel_}));
}

void ImageOutputDialog::ConnectControls() {
  connect(ok_, &QPushButton::clicked, this, &ImageOutputDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &ImageOutputDialog::reject);
  connect(browse_, &QPushButton::clicked, this, [this] { OnBrowse(); });
  connect(format_, &QComboBox::activated, this, [this](int format) { OnFormatChange(format); });
  connect(kind_, &PrintKindPanel::aboutToUseSettings, this, [this] { SaveFields(); });
  connect(help_, &QPushButton::clicked, this, [this] {
    if (services_.showHelp) services_.showHelp(this, "/PRNSPOOL/HIRESO.HTM");
  });
}

int ImageOutputDialog::DoModal() { return exec(); }

void ImageOutputDialog::SaveFields() {
  StoreSettingsPath(settings_.bmpOutPath, SettingsPathText(PathFromQt(folder_->text())));
  StoreSettingsPath(settings_.bmpOutFile, SettingsPathText(PathFromQt(baseName_->text())));
  settings_.bmpOutSize = longSide_->text().trimmed().toInt();
  settings_.hiReso = highResolution_->isChecked() ? 1 : 0;
  settings_.bmpOutFormat = format_->currentIndex();
}

void ImageOutputDialog::ShowFormatHint() {
  formatHint_->setText(QtText(Sjis(kFormatHints[std::clamp(settings_.bmpOutFormat, 0, 2)])));
}

void ImageOutputDialog::OnFormatChange(int format) {
  settings_.bmpOutFormat = format;
  ShowFormatHint();
}

void ImageOutputDialog::OnBrowse() {
  SaveFields();
  if (!services_.ui) return;
  const std::optional<fs::path> chosen =
      AskForFolder(*services_.ui, this, Sjis("BMP出力先パスを指定してください."),
                   PathFromQt(folder_->text()), Sjis("有効なパスではありません."));
  if (chosen) folder_->setText(QtPath(WithSeparator(chosen->string())));
}

bool ImageOutputDialog::Refuse(const std::string& text) {
  if (services_.ui) services_.ui->MessageBox(this, text, Sjis("BMP出力"), MB_OK | MB_ICONERROR);
  return false;
}

bool ImageOutputDialog::CreateFolderPath(const fs::path& folder) {
  std::error_code error;
  if (fs::exists(folder, error)) {
    return fs::is_directory(folder, error) || Refuse(Sjis("フォルダの作成に失敗しました."));
  }
  fs::create_directories(folder, error);
  return !error || Refuse(Sjis("フォルダの作成に失敗しました."));
}

bool ImageOutputDialog::CheckFolder() {
  if (folder_->text().isEmpty()) return Refuse(Sjis("出力先パスを指定してください."));
  // A relative folder lies in the profile, wherever the program was started from. The folder is
  // used as typed: any character the settings cannot hold as CP932 is kept all the same.
  const std::string folder = WithSeparator(
      OutputFolder_FromSettings(PathFromQt(folder_->text()).string(), services_.profileFolder)
          .string());
  if (!StoreSettingsPath(settings_.bmpOutPath, SettingsPathText(folder))) {
    return Refuse(Sjis("出力先パスが長すぎます."));
  }
  folder_->setText(QtPath(folder));
  const fs::path path = fs::path(folder.substr(0, folder.size() - 1));
  std::error_code error;
  if (!fs::exists(path, error)) {
    const int answer =
        services_.ui
            ? services_.ui->MessageBox(
                  this,
                  Utf8ToCp932(folder) + Sjis(" は存在しません.\n新規に作成してよろしいですか？"),
                  Sjis("確認"), MB_YESNO | MB_ICONQUESTION)
            : IDNO;
    return answer == IDYES && CreateFolderPath(path);
  }
  if (!fs::is_directory(path, error)) {
    return Refuse(
        Sjis("指定出力先パスと同名のファイルが存在しています.\n"
             "他のディレクトリ名を指定してください."));
  }
  return true;
}

// What the dialog shows at OK is written: the boxes that follow take no late clicks.
void ImageOutputDialog::accept() {
  const PrintKindPanel::KindFixed fixed(*kind_);
  SaveFields();
  allPages_ = kind_->AllPages();
  pageRange_ = kind_->RangeText();
  if (!kind_->CheckHasPages() || !CheckFolder()) return;
  if (FieldText(settings_.bmpOutFile).empty()) {
    Refuse(Sjis("ベースファイル名を入力してください."));
    return;
  }
  if (settings_.bmpOutSize < 0 || settings_.bmpOutSize > 65535) {
    Refuse(Sjis("長辺のサイズは0～65535の範囲内で指定してください."));
    return;
  }
  done(1);
}

void ImageOutputDialog::reject() {
  SaveFields();
  done(0);
}

}  // namespace vx
