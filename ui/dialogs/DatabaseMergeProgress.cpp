#include "ui/dialogs/DatabaseMergeProgress.h"

#include "ui/widgets/ProgressDialog.h"
#include "data/DatabaseMergeJob.h"
#include "data/PavorunDatabase.h"
#include "ui/dialogs/DialogSupport.h"
#include "app/SteppedJobProgress.h"
#include "platform/CodePage.h"

namespace vx {

class DatabaseMergeProgress::Job : public SteppedJobProgress {
 public:
  Job(PavorunDatabase& target, SqliteDatabase& source, int limitEventNo)
      : SteppedJobProgress(&transaction_),
        transaction_(target),
        merge_(target, source, limitEventNo, &Listener()) {}

  std::string ProgressText(int position, int total) const override {
    return FormatProgressText(
        DatabaseMergeJob::TableLabel(merge_.State()) + Sjis("情報を読み込んでいます"), position,
        total);
  }
  void OnCancel() override { merge_.Cancel(); }
  const DatabaseMergeJob& Merge() const { return merge_; }

 private:
  int StepJob() override { return merge_.Step(); }
  bool JobSucceeded() const override { return merge_.State() == MergeState::kFinished; }
  int JobTotal() const override { return merge_.Total(); }

  SqliteTransactionTarget transaction_;
  DatabaseMergeJob merge_;
};

DatabaseMergeProgress::DatabaseMergeProgress(QWidget* parent, PavorunDatabase& target,
                                             SqliteDatabase& source, int limitEventNo)
    : job_(std::make_unique<Job>(target, source, limitEventNo)),
      dialog_(std::make_unique<ProgressDialog>(*job_, parent)) {
  dialog_->setWindowTitle(QtText(Sjis("サークル情報データーベースの統合処理")));
}

DatabaseMergeProgress::~DatabaseMergeProgress() = default;

int DatabaseMergeProgress::DoModal() { return dialog_->exec(); }

const std::string& DatabaseMergeProgress::ErrorText() const { return job_->Merge().ErrorText(); }

}  // namespace vx
