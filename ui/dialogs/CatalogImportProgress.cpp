#include "ui/dialogs/CatalogImportProgress.h"

#include "ui/widgets/ProgressDialog.h"
#include "data/DiscImportJob.h"
#include "data/DiscImportUiPrompts.h"
#include "data/PavorunDatabase.h"
#include "ui/dialogs/DialogSupport.h"
#include "app/SteppedJobProgress.h"
#include "platform/CodePage.h"
#include "platform/qt/UiThread.h"

namespace vx {

// The import asks on its worker thread; the boxes are shown on the UI thread while it waits.
class CatalogImportProgress::Prompts : public ImportPrompts {
 public:
  explicit Prompts(UiServices& ui) : ui_(ui) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  std::optional<std::filesystem::path> LocateFile(const std::string& fileName,
                                                  const std::filesystem::path& folder) override {
    std::optional<std::filesystem::path> chosen;
    RunOnUiThread([&] { chosen = DiscImportUiPrompts(ui_, owner_).LocateFile(fileName, folder); });
    return chosen;
  }
  void ShowError(const std::string& text) override {
    RunOnUiThread([&] { DiscImportUiPrompts(ui_, owner_).ShowError(text); });
  }
  void ShowWarning(const std::string& text) override {
    RunOnUiThread([&] { DiscImportUiPrompts(ui_, owner_).ShowWarning(text); });
  }

 private:
  UiServices& ui_;
  QWidget* owner_ = nullptr;
};

class CatalogImportProgress::Job : public SteppedJobProgress {
 public:
  Job(PavorunDatabase& database, int eventNo, const std::filesystem::path& folder,
      ImportPrompts& prompts)
      : SteppedJobProgress(&transaction_),
        transaction_(database),
        import_(database, eventNo, folder, prompts, &Listener()) {}

  std::string ProgressText(int position, int total) const override {
    const std::string text = StateText();
    return text.empty() ? text : FormatProgressText(text, position, total);
  }
  void OnCancel() override { import_.Cancel(); }
  const DiscImportJob& Import() const { return import_; }

 private:
  int StepJob() override { return import_.Step(); }
  bool JobSucceeded() const override { return import_.State() == DiscImportState::kFinished; }
  int JobTotal() const override { return import_.Total(); }

  std::string StateText() const {
    switch (import_.State()) {
      case DiscImportState::kDefinition:
        return Sjis("設定情報を読み込んでいます");
      case DiscImportState::kLayout:
      case DiscImportState::kWaitLayout:
        return Sjis("レイアウト情報を読み込んでいます");
      case DiscImportState::kCircles:
        return Sjis("サークル情報を追加しています");
      case DiscImportState::kDayCircles:
      case DiscImportState::kWaitDay:
        return Sjis("サークル情報（") + std::to_string(import_.Day()) +
               Sjis("日目）を追加しています");
      case DiscImportState::kUnplaced:
      case DiscImportState::kWaitUnplaced:
        return Sjis("抽選漏れサークル情報を追加しています");
      default:
        return {};
    }
  }

  SqliteTransactionTarget transaction_;
  DiscImportJob import_;
};

CatalogImportProgress::CatalogImportProgress(QWidget* parent, UiServices& ui,
                                             PavorunDatabase& database, int eventNo,
                                             const std::filesystem::path& sourceFolder)
    : prompts_(std::make_unique<Prompts>(ui)),
      job_(std::make_unique<Job>(database, eventNo, sourceFolder, *prompts_)),
      dialog_(std::make_unique<ProgressDialog>(*job_, parent)) {
  dialog_->setWindowTitle(QtText(Sjis("サークル情報の追加中")));
  prompts_->SetOwner(dialog_.get());
}

CatalogImportProgress::~CatalogImportProgress() = default;

int CatalogImportProgress::DoModal() { return dialog_->exec(); }

const std::string& CatalogImportProgress::ErrorText() const { return job_->Import().ErrorText(); }

bool CatalogImportProgress::ErrorShown() const { return job_->Import().ErrorShown(); }

}  // namespace vx
