#include "ui/dialogs/ImagePathDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <cstring>

#include "app/SettingsPath.h"
#include "platform/CodePage.h"
#include "ui/dialogs/DialogSupport.h"
#include "platform/UiServices.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

constexpr int kIconSize = 32;

std::string WithFinalSeparator(std::string text) {
  if (!text.empty() && text.back() != '/') text += '/';
  return text;
}

}  // namespace

bool StoreImagePath(std::span<char> field, std::string_view text) {
  const std::string stored = WithFinalSeparator(std::string(text));
  if (stored.size() >= field.size()) return false;  // the NUL needs a byte too
  std::memcpy(field.data(), stored.data(), stored.size());
  field[stored.size()] = '\0';
  return true;
}

ImagePathDialog::ImagePathDialog(QWidget* parent, UiServices& ui, std::span<char> pathField,
                                 int eventNo)
    : QDialog(parent), ui_(ui), pathField_(pathField), eventNo_(eventNo) {
  setWindowTitle(QtText(Sjis("画像データパスの指定")));
  CreateControls();
  ArrangeControls();
  ConnectControls();
}

void ImagePathDialog::CreateControls() {
  icon_ = new QLabel(this);
  icon_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(kIconSize));
  notFound_ =
      new QLabel(QtText(EventTitle(eventNo_) + Sjis("用の画像ファイルが見つかりません.")), this);
  SetControlId(notFound_, IDC_IMAGE_PATH_TEXT);
  instruction_ = new QLabel(
      QtText(Sjis("画像データのベースパス （PDATA/MDATAフォルダがあるフォルダ） を指定するか、"
                  "ロザーヴァンクイストのメディアをドライブに入れて、OKを押してください.")),
      this);
  instruction_->setWordWrap(true);
  pathLabel_ = new QLabel(QtText(Sjis("場所(&P) :")), this);
  path_ = new QLineEdit(this);
  SetControlId(path_, IDC_IMAGE_PATH_EDIT);
  const std::size_t length = pathField_.empty() ? 0 : strnlen(pathField_.data(), pathField_.size());
  path_->setText(QtPath(PathOfSettingsText(std::string_view(pathField_.data(), length))));
  browse_ = new QPushButton(QtText(Sjis("参照(&C)...")), this);
  SetControlId(browse_, IDC_IMAGE_PATH_BROWSE);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(ok_, IDOK);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QtText(Sjis("キャンセル")), this);
  SetControlId(cancel_, IDCANCEL);
}

void ImagePathDialog::ArrangeControls() {
  pathLabel_->setBuddy(path_);
  auto* texts = new QVBoxLayout;
  texts->addWidget(notFound_);
  texts->addWidget(instruction_);
  auto* top = new QHBoxLayout;
  top->addWidget(icon_, 0, Qt::AlignTop);
  top->addLayout(texts, 1);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(pathLabel_);
  pathRow->addWidget(path_, 1);
  pathRow->addWidget(browse_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(pathRow);
  layout->addLayout(buttons);
}

void ImagePathDialog::ConnectControls() {
  connect(browse_, &QPushButton::clicked, this, [this] { OnBrowse(); });
  connect(ok_, &QPushButton::clicked, this, [this] { OnOk(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { done(0); });
}

int ImagePathDialog::DoModal() { return exec(); }

void ImagePathDialog::OnBrowse() {
  const std::string title =
      EventTitle(eventNo_) + Sjis("のCD-ROM、もしくは画像データの場所を指定してください.");
  const std::optional<fs::path> chosen = AskForFolder(ui_, this, title, PathFromQt(path_->text()),
                                                      Sjis("有効なパス/ドライブではありません."));
  if (!chosen) return;
  QString text = QtPath(*chosen);
  if (!text.endsWith(QLatin1Char('/'))) text += QLatin1Char('/');
  path_->setText(text);
}

// A path cut to fit would name another folder: it is refused, and the dialog stays open.
void ImagePathDialog::OnOk() {
  if (StoreImagePath(pathField_, SettingsPathText(PathFromQt(path_->text())))) {
    done(1);
    return;
  }
  const std::string limit = std::to_string(pathField_.empty() ? 0 : pathField_.size() - 1);
  ui_.MessageBox(
      this,
      Sjis("画像データのパスが長すぎます.\n") + limit + Sjis("バイト以内のパスを指定してください."),
      Sjis("エラー"), MB_OK | MB_ICONERROR);
}

}  // namespace vx
