#include "ui/dialogs/CatalogInstallDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "data/DefinitionFileParser.h"
#include "data/InstallSource.h"
#include "data/PavorunDatabase.h"
#include "data/StoredEventDeletion.h"
#include "ui/dialogs/CatalogImportProgress.h"
#include "ui/dialogs/DatabaseMergeProgress.h"
#include "ui/dialogs/DialogSupport.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

std::string InstallTitle() { return Sjis("サークルデータの追加"); }
std::string DeleteTitle() { return Sjis("サークルデータの削除"); }

}  // namespace

CatalogInstallDialog::CatalogInstallDialog(QWidget* parent, UiServices& ui,
                                           PavorunDatabase& database, int currentEvent)
    : QDialog(parent), ui_(ui), database_(database), currentEvent_(currentEvent) {
  setWindowTitle(QtText(Sjis("サークルデータの追加インストールと削除")));
  CreateControls();
  ArrangeControls();
  ConnectControls();
  FillList();
}

void CatalogInstallDialog::CreateControls() {
  instruction_ = new QLabel(
      QtText(Sjis("データベースにサークル情報を追加する場合は、追加したいデータの設定情報ファイル"
                  "（V**DEF.TXT)、またはＤＢファイル（VINDAXEL.DB)を選択してください.\n"
                  "DBファイルからは現在の開催回数より古いもののみが追加されます.")),
      this);
  instruction_->setWordWrap(true);
  pathLabel_ = new QLabel(QtText(Sjis("インストールする設定情報ファイル(&I) :")), this);
  path_ = new QLineEdit(this);
  SetControlId(path_, IDC_DB_SOURCE_PATH);
  browse_ = new QPushButton(QtText(Sjis("参照(&C)...")), this);
  SetControlId(browse_, IDC_DB_BROWSE);
  kind_ = new QLabel(this);
  SetControlId(kind_, IDC_DB_SOURCE_KIND);
  listLabel_ = new QLabel(QtText(Sjis("インストール済みのデータ(&L) :")), this);
  list_ = CreateEventList(this, IDC_DB_EVENT_LIST);
  install_ = new QPushButton(QtText(Sjis("インストール(&G)")), this);
  SetControlId(install_, IDC_DB_INSTALL);
  install_->setEnabled(false);
  delete_ = new QPushButton(QtText(Sjis("削除(&D)")), this);
  SetControlId(delete_, IDC_DB_DELETE);
  close_ = new QPushButton(QtText(Sjis("閉じる")), this);
  SetControlId(close_, IDOK);
  close_->setDefault(true);
}

void CatalogInstallDialog::ArrangeControls() {
  pathLabel_->setBuddy(path_);
  listLabel_->setBuddy(list_);
  auto* source = new QHBoxLayout;
  source->addWidget(path_, 1);
  source->addWidget(browse_);
  auto* listButtons = new QVBoxLayout;
  listButtons->addWidget(install_);
  listButtons->addWidget(delete_);
  listButtons->addStretch();
  listButtons->addWidget(close_);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(list_, 1);
  listRow->addLayout(listButtons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(instruction_);
  layout->addWidget(pathLabel_);
  layout->addLayout(source);
  layout->addWidget(kind_);
  layout->addWidget(listLabel_);
  layout->addLayout(listRow);
}

void CatalogInstallDialog::ConnectControls() {
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { OnCurrentItemChanged(); });
  connect(browse_, &QPushButton::clicked, this, [this] { OnBrowse(); });
  connect(install_, &QPushButton::clicked, this, [this] { OnInstall(); });
  connect(delete_, &QPushButton::clicked, this, [this] { OnDelete(); });
  connect(close_, &QPushButton::clicked, this, [this] { accept(); });
}

int CatalogInstallDialog::DoModal() {
  exec();
  return result_;
}

void CatalogInstallDialog::FillList() {
  delete_->setEnabled(false);
  storedEvents_.clear();
  database_.ListEventNumbers(storedEvents_);
  FillEventList(list_, storedEvents_);
}

void CatalogInstallDialog::OnCurrentItemChanged() {
  delete_->setEnabled(CurrentListEvent(list_) != 0);
}

void CatalogInstallDialog::OnBrowse() {
  FileDialogRequest request;
  request.title = Sjis("設定情報ファイル/ロザーヴァンクイストDBの選択");
  request.filter = Sjis(
      "設定情報ファイル (v*def.txt)|v*def.txt|"
      "ロザーヴァンクイストDBファイル(vindaxel*.db)|vindaxel*.db|"
      "全てのファイル (*.*)|*.*");
  request.defaultExtension = "txt";
  request.initialPath = PathFromQt(path_->text());
  const std::optional<fs::path> chosen = ui_.OpenFileDialog(this, request);
  if (!chosen) return;
  path_->setText(QtPath(*chosen));
  const InstallSource source = ClassifyInstallSource(PathText(chosen->filename()));
  source_ = source.source;
  install_->setEnabled(source.CanInstall());
  kind_->setText(QtText(source.kindText));
}

void CatalogInstallDialog::OnInstall() {
  const fs::path path = PathFromQt(path_->text());
  std::optional<int> result;
  if (source_ == InstallSource::kDatabaseFile) {
    result = MergeDatabaseFile(path);
  } else if (source_ >= 1) {
    result = InstallDefinitionFile(path);
  }
  if (!result) return;
  ReportInstallResult(*result);
  FillList();
}

// Nothing is run (no answer) for a file naming another event, an event already stored or a path
// without a folder.
std::optional<int> CatalogInstallDialog::InstallDefinitionFile(const fs::path& path) {
  const int event = source_;
  // The file's own event line decides which event the import fills: it must be this one.
  if (const std::string problem = DefinitionFileEventProblem(path, event); !problem.empty()) {
    ui_.MessageBox(this, problem, InstallTitle(), MB_OK | MB_ICONERROR);
    return std::nullopt;
  }
  if (std::find(storedEvents_.begin(), storedEvents_.end(), event) != storedEvents_.end()) {
    ui_.MessageBox(
        this, EventTitle(event) + Sjis("のサークルデータは、\n既にデータベースに登録されています."),
        InstallTitle(), MB_OK | MB_ICONINFORMATION);
    return std::nullopt;
  }
  if (!path.has_parent_path()) return std::nullopt;
  CatalogImportProgress install(this, ui_, database_, event, path.parent_path());
  const int result = install.DoModal();
  failureText_ = install.ErrorText();
  failureShown_ = install.ErrorShown();
  if (result == 1 && event == currentEvent_) result_ = 1;
  return result;
}

int CatalogInstallDialog::MergeDatabaseFile(const fs::path& path) {
  failureShown_ = false;
  // Opening a missing file would create it.
  std::error_code error;
  if (!fs::is_regular_file(path, error)) {
    failureText_ = Sjis("DBファイル ") + Utf8ToCp932(path.string()) + Sjis(" を開けません.");
    return 2;
  }
  SqliteDatabase source(path.parent_path(), path.filename().string(), SqliteDatabase::kReadOnly);
  DatabaseMergeProgress merge(this, database_, source, currentEvent_);
  const int result = merge.DoModal();
  failureText_ = merge.ErrorText();
  return result;
}

void CatalogInstallDialog::ReportInstallResult(int result) {
  switch (result) {
    case 0:
      ui_.MessageBox(this, Sjis("サークルデータのインストール処理がキャンセルされました."),
                     InstallTitle(), MB_OK | MB_ICONWARNING);
      break;
    case 1:
      ui_.MessageBox(this, Sjis("サークルデータのインストール処理が完了しました."), InstallTitle(),
                     MB_OK | MB_ICONINFORMATION);
      break;
    default: {
      if (failureShown_) break;
      // Without a reason from the run, only the transaction could have failed.
      const std::string reason = failureText_.empty()
                                     ? Sjis(
                                           "DBファイルがファイルが読み込み専用になっているか、"
                                           "若しくはアクセス権限が無い可能性があります.")
                                     : failureText_;
      ui_.MessageBox(this,
                     Sjis("サークルデータのインストール処理中にエラーが生じました. \n") + reason,
                     InstallTitle(), MB_OK | MB_ICONERROR);
      break;
    }
  }
}

void CatalogInstallDialog::OnDelete() {
  const int event = CurrentListEvent(list_);
  if (event == 0) return;
  if (event == currentEvent_) {
    ui_.MessageBox(
        this,
        EventTitle(event) + Sjis("のサークルデータは、現在参照中のデータです.\n削除はできません."),
        DeleteTitle(), MB_OK | MB_ICONERROR);
    FillList();
    return;
  }
  const std::string question =
      EventTitle(event) +
      Sjis("のサークルデータを、\nデータベースから削除します.\nよろしいですか？");
  if (ui_.MessageBox(this, question, DeleteTitle(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int result = DeleteStoredEvent(database_, event);
  QApplication::restoreOverrideCursor();
  if (result != 0) {
    ui_.MessageBox(this,
                   EventTitle(event) + Sjis("のサークルデータを削除できませんでした.\n"
                                            "DBファイルが読み込み専用になっているか、"
                                            "若しくはアクセス権限が無い可能性があります."),
                   DeleteTitle(), MB_OK | MB_ICONERROR);
  }
  FillList();
}

}  // namespace vx
