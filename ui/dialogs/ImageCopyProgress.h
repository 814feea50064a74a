// Copies an event's image data from a disc folder into its installed folder under the progress
// dialog. Nothing of a failed or cancelled copy is left behind, and an earlier installation stays
// as it was.
#pragma once

#include <filesystem>
#include <memory>

class QWidget;

namespace vx {

class ProgressDialog;
class UiServices;

class ImageCopyProgress {
 public:
  ImageCopyProgress(QWidget* parent, UiServices& ui, const std::filesystem::path& source,
                    const std::filesystem::path& destination);
  ~ImageCopyProgress();
  ImageCopyProgress(const ImageCopyProgress&) = delete;
  ImageCopyProgress& operator=(const ImageCopyProgress&) = delete;

  // 1 when every file was copied and is in place, else 0 (a failed copy is reported first).
  int DoModal();
  ProgressDialog& Dialog() { return *dialog_; }

 private:
  class Job;

  UiServices& ui_;
  std::unique_ptr<Job> job_;
  std::unique_ptr<ProgressDialog> dialog_;
};

}  // namespace vx
