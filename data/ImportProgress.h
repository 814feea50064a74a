// How the catalogue import and the update apply report how far they are, to a progress dialog or
// to nothing.
#pragma once

namespace vx {

class ImportProgress {
 public:
  virtual ~ImportProgress() = default;

  // `position` is the 0-based index of the line just handled, or -1 when the file is done. Called
  // on the thread that runs the import.
  virtual void ReportProgress(int position) = 0;
};

}  // namespace vx
