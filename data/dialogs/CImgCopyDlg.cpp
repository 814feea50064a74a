#include "data/dialogs/CImgCopyDlg.h"

#include "app/widgets/ProgressDialog.h"
#include "data/ImageCopyJob.h"
#include "data/dialogs/DialogSupport.h"
#include "data/dialogs/SteppedJobProgress.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"

namespace vx {

class CImgCopyDlg::Job : public SteppedJobProgress {
 public:
  Job(const std::filesystem::path& source, const std::filesystem::path& destination)
      : SteppedJobProgress(nullptr), copy_(source, destination, &Listener()) {}

  ImageCopyJob& Copy() { return copy_; }

  std::string ProgressText(int position, int total) const override {
    return FormatProgressText(Sjis("イメージデータを追加インストールしています"), position,
                              total);
  }
  void OnCancel() override { copy_.Cancel(); }

 private:
  int StepJob() override { return copy_.Step(); }
  bool JobSucceeded() const override { return copy_.State() == ImageCopyState::kFinished; }
  int JobTotal() const override { return copy_.Total(); }

  ImageCopyJob copy_;
};

CImgCopyDlg::CImgCopyDlg(QWidget* parent, UiServices& ui, const std::filesystem::path& source,
                         const std::filesystem::path& destination)
    : ui_(ui),
      job_(std::make_unique<Job>(source, destination)),
      dialog_(std::make_unique<ProgressDialog>(*job_, parent)) {
  dialog_->setWindowTitle(QtText(Sjis("イメージの追加インストール中")));
}

CImgCopyDlg::~CImgCopyDlg() = default;

int CImgCopyDlg::DoModal() {
  ImageCopyJob& copy = job_->Copy();
  if (copy.Begin()) {
    job_->SetTotal(copy.Total());
    dialog_->exec();
  }
  const int result = copy.Finish();
  if (!copy.ErrorText().empty()) {
    ui_.MessageBox(dialog_->parentWidget(), copy.ErrorText(), Sjis("エラー"), MB_OK | MB_ICONERROR);
  }
  return result;
}

}  // namespace vx
