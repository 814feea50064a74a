// The image-file target: every finished page is written as its own file "<folder>/<base>NNN.ext"
// (BMP, PNG or JPEG at quality 95 with 4:4:4 sampling), scaled to the job's long side when it
// asks for one. A page that cannot be written is reported and the run goes on with the next.
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

  // The file of page `page` of the job: "page007.png" for the base name "page".
  static std::filesystem::path PagePath(const PrintJob& job, int page);

 private:
  int Write(const PrintJob& job, const std::filesystem::path& path);

  FolderOpener openFolder_;
  std::string folder_;
};

}  // namespace vx
