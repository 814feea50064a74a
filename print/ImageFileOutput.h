// The image-file target: every finished page is written as its own file "<folder>/<base>NNN.ext"
// (BMP, PNG or JPEG at quality 95 with 4:4:4 sampling), scaled to the job's long side when it
// asks for one. The first page that cannot be written ends the run with one box naming the file
// and the reason: the next pages would fail alike. No partly written file is left behind.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "print/PrintPageOutput.h"

namespace vx {

class ImageFileOutput final : public PrintPageOutput {
 public:
  // Shows the folder of the written files to the user (the desktop's file manager).
  using FolderOpener = std::function<void(const std::filesystem::path& folder)>;

  explicit ImageFileOutput(FolderOpener openFolder = {}) : openFolder_(std::move(openFolder)) {}

  int Open(PrintJob& job) override;
  int Put(PrintJob& job) override;
  int Close(PrintJob& job) override;
  void Abort(PrintJob& job) override;

  // Of the last run, read once it has ended: the files it wrote and where.
  int PagesWritten() const { return written_; }
  const std::filesystem::path& Folder() const { return folder_; }

  // The file of page `page` of the job: "page007.png" for the base name "page".
  static std::filesystem::path PagePath(const PrintJob& job, int page);

 private:
  // 0, or -1 with the reason in `failure`.
  static int Write(const PrintJob& job, const std::filesystem::path& path, std::string& failure);

  FolderOpener openFolder_;
  std::filesystem::path folder_;
  int written_ = 0;
};

}  // namespace vx
