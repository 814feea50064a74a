#include "ui/dialogs/ImageCopyProgress.h"

#include "ui/widgets/ProgressDialog.h"
#include "data/ImageCopyJob.h"
#include "ui/dialogs/DialogSupport.h"
#include "app/SteppedJobProgress.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"

namespace vx {

class ImageCopyProgress::Job : public SteppedJobProgress {
 public:
  Job(const std::filesystem::path& source, const std::filesystem::path& destination)
      : SteppedJobProgress(nullptr), copy_(source, destination, &Listener()) {}

  ImageCopyJob& Copy() { return copy_; }

  std::string ProgressText(int position, int total) const override {
    return FormatProgressText(Sjis("イメージデータを追加インストールしています"), position, total);
  }
  void OnCancel() override { copy_.Cancel(); }

 private:
  int StepJob() override { return copy_.Step(); }
  bool JobSucceeded() const override { return copy_.State() == ImageCopyState::kFinished; }
  int JobTotal() const override { return copy_.Total(); }

  ImageCopyJob copy_;
};

ImageCopyProgress::ImageCopyProgress(QWidget* parent, UiServices& ui,
                                     const std::filesystem::path& source,
                                     const std::filesystem::path& destination)
    : ui_(ui),
      job_(std::make_unique<Job>(source, destination)),
      dialog_(std::make_unique<ProgressDialog>(*job_, parent)) {
  dialog_->setWindowTitle(QtText(Sjis("イメージの追加インストール中")));
}

ImageCopyProgress::~ImageCopyProgress() = default;

int ImageCopyProgress::DoModal() {
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
