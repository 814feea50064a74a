#include "ui/dialogs/ImageInstallDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

#include "data/ImageDataRemoval.h"
#include "ui/dialogs/ImageCopyProgress.h"
#include "ui/dialogs/DialogSupport.h"
#include "data/images/CatalogImages.h"
#include "data/images/ImageInstallFolders.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"

namespace vx {
namespace {
namespace fs = std::filesystem;
}  // namespace

ImageInstallDialog::ImageInstallDialog(QWidget* parent, UiServices& ui, Setup setup)
    : QDialog(parent), ui_(ui), setup_(std::move(setup)) {
  setWindowTitle(QtText(Sjis("画像データの追加インストールと削除")));
  CreateControls();
  ArrangeControls();
  ConnectControls();
  FillInstalledList();
}

void ImageInstallDialog::CreateControls() {
  comboLabel_ = new QLabel(QtText(Sjis("インストールする画像データ(&I) :")), this);
  events_ = new QComboBox(this);
  SetControlId(events_, IDC_IMAGE_EVENT_COMBO);
  for (int event : setup_.storedEvents) events_->addItem(QtText(EventTitle(event)), event);
  listLabel_ = new QLabel(QtText(Sjis("インストール済み画像(&L) :")), this);
  installed_ = CreateEventList(this, IDC_IMAGE_INSTALLED_LIST);
  install_ = new QPushButton(QtText(Sjis("インストール(&M)")), this);
  SetControlId(install_, IDC_IMAGE_INSTALL);
  // Without a stored event there is nothing to install images for.
  install_->setEnabled(events_->count() > 0);
  delete_ = new QPushButton(QtText(Sjis("画像データ削除(&D)")), this);
  SetControlId(delete_, IDC_IMAGE_DELETE);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(ok_, IDOK);
  ok_->setDefault(true);
}

void ImageInstallDialog::ArrangeControls() {
  comboLabel_->setBuddy(events_);
  listLabel_->setBuddy(installed_);
  auto* installRow = new QHBoxLayout;
  installRow->addWidget(events_, 1);
  installRow->addWidget(install_);
  auto* listButtons = new QVBoxLayout;
  listButtons->addWidget(delete_);
  listButtons->addStretch();
  listButtons->addWidget(ok_);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(installed_, 1);
  listRow->addLayout(listButtons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(comboLabel_);
  layout->addLayout(installRow);
  layout->addWidget(listLabel_);
  layout->addLayout(listRow);
}

void ImageInstallDialog::ConnectControls() {
  connect(installed_, &QTreeWidget::currentItemChanged, this,
          [this] { delete_->setEnabled(CurrentListEvent(installed_) != 0); });
  connect(install_, &QPushButton::clicked, this, [this] { OnInstall(); });
  connect(delete_, &QPushButton::clicked, this, [this] { OnDelete(); });
  connect(ok_, &QPushButton::clicked, this, [this] { done(1); });
}

int ImageInstallDialog::DoModal() {
  exec();
  return 1;
}

void ImageInstallDialog::FillInstalledList() {
  delete_->setEnabled(false);
  FillEventList(installed_, ListInstalledImageEvents(setup_.imageFolder));
}

void ImageInstallDialog::OnInstall() {
  if (events_->currentIndex() < 0) return;
  const int event = events_->currentData().toInt();
  const fs::path destination = InstalledImageFolder(setup_.imageFolder, event);
  if (!ConfirmReinstall(event, destination)) return;
  const std::optional<fs::path> source = AskForSource(event);
  if (!source) return;
  // Copying a folder onto itself would only destroy it.
  if (!IsSameFolder(*source, destination))
    ImageCopyProgress(this, ui_, *source, destination).DoModal();
  FillInstalledList();
}

bool ImageInstallDialog::ConfirmReinstall(int event, const fs::path& destination) {
  if (!HasImageData(destination, event)) return true;
  const std::string question =
      EventTitle(event) +
      Sjis("の画像データは、既に追加インストールされています.\n上書きで再インストールしますか？");
  return ui_.MessageBox(this, question, Sjis("再インストールの確認"), MB_YESNO | MB_ICONQUESTION) ==
         IDYES;
}

// Asks until a folder with the event's image data is chosen; nothing when the user gives up.
std::optional<fs::path> ImageInstallDialog::AskForSource(int event) {
  const std::string title = EventTitle(event) + Sjis("のCD-ROMの場所を指定してください.");
  for (;;) {
    const std::optional<fs::path> chosen = ui_.FolderDialog(this, title, {});
    if (!chosen) return std::nullopt;
    std::error_code error;
    if (!fs::is_directory(*chosen, error)) {
      ShowError(Sjis("有効なドライブを指定してください."), Sjis("エラー"));
      continue;
    }
    if (std::optional<fs::path> source = FindImageSource(*chosen, event)) return source;
    ShowError(Sjis("CD-ROMロザーヴァンクイスト用画像データが見つかりません.\n"
                   "正しい場所を指定してください."),
              Sjis("エラー"));
  }
}

void ImageInstallDialog::OnDelete() {
  const int event = CurrentListEvent(installed_);
  if (event == 0) return;
  const std::string question =
      EventTitle(event) + Sjis("の画像データを、ハードディスクから削除します.\nよろしいですか？");
  if (ui_.MessageBox(this, question, Sjis("画像データの削除"), MB_YESNO | MB_ICONQUESTION) !=
      IDYES) {
    return;
  }
  if (event == setup_.currentEvent && setup_.releaseImages) setup_.releaseImages();
  RemoveInstalledImageData(
      InstalledImageFolder(setup_.imageFolder, event),
      [this](const std::string& text, const std::string& title) { ShowError(text, title); });
  FillInstalledList();
}

void ImageInstallDialog::ShowError(const std::string& text, const std::string& title) {
  ui_.MessageBox(this, text, title, MB_OK | MB_ICONERROR);
}

}  // namespace vx
