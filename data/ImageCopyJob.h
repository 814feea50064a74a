// Copies an event's image data (page images "PDATA/*.PNG", map images "MDATA/*.PNG" and the cut
// archives "*.CCZ") from a disc folder into an installed event folder, one file per step, so that
// a worker thread can drive it under a progress dialog.
//
// The files are copied into a hidden staging folder beside the destination and moved into place
// only when every one of them was copied: a failed or cancelled copy, or a move into place that
// fails half way, leaves the destination, and with it an earlier complete installation, as it
// was.
//
// Threads: Begin and Finish belong to the thread that started the job; Step runs on the worker;
// Cancel may come from any thread at any moment.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

namespace vx {

class ImportProgress;

enum class ImageCopyState : int {
  kPages = 1,
  kMaps = 2,
  kArchives = 3,
  kFinished = 4,
  kStopped = 5,  // a copy failed or the user cancelled
};

class ImageCopyJob {
 public:
  // Results of Finish.
  static constexpr int kResultStopped = 0;
  static constexpr int kResultDone = 1;

  // `listener` (may be null) hears the number of files copied after each file.
  ImageCopyJob(std::filesystem::path source, std::filesystem::path destination,
               ImportProgress* listener = nullptr);
  ImageCopyJob(const ImageCopyJob&) = delete;
  ImageCopyJob& operator=(const ImageCopyJob&) = delete;

  // Lists the source's files (names matched without regard to case) and makes an empty staging
  // folder. False, with ErrorText, when the staging folder cannot be made; the job is then stopped.
  bool Begin();
  // Copies one file: 0 to be called again, 1 when the job has ended.
  int Step();
  // Stops the copy, also in the middle of a file.
  void Cancel();
  // When every file was copied, moves them into the destination (creating it) and answers 1;
  // otherwise, or when a move fails (the earlier files are then put back), answers 0. The
  // staging folder is removed either way.
  int Finish();
  // Begin, Step until the end, Finish.
  int Run();

  ImageCopyState State() const { return state_.load(); }
  int Total() const { return static_cast<int>(files_.size()); }
  int Copied() const { return copied_.load(); }
  // The message of a failed copy (CP932); empty after a success or a cancel.
  const std::string& ErrorText() const { return errorText_; }
  // Where the files wait until all of them are copied.
  const std::filesystem::path& StagingFolder() const { return staging_; }

 private:
  struct File {
    std::filesystem::path from;
    std::filesystem::path relative;  // "PDATA/0012.PNG", "MDATA/...", "V096CUTL.CCZ"
    ImageCopyState part;
  };

  // A file moved into the destination, and where the file it replaced waits meanwhile.
  struct Placed {
    std::filesystem::path target;
    std::filesystem::path previous;
    bool hadPrevious = false;
  };

  void ListFiles(const std::string& folder, ImageCopyState part);
  bool CopyFile(const File& file);
  bool MoveIntoPlace();
  bool PlaceFile(const File& file, const std::filesystem::path& backup,
                 std::vector<Placed>& placed);
  void RestorePrevious(const std::vector<Placed>& placed, const std::filesystem::path& backup,
                       const std::vector<std::filesystem::path>& newFolders);
  std::vector<std::filesystem::path> MissingFolders() const;
  std::filesystem::path BackupFolder() const;
  std::filesystem::path DestinationOf(const std::filesystem::path& relative) const;
  void Stop(const std::string& text);
  bool StopRequested() const { return State() == ImageCopyState::kStopped; }

  std::filesystem::path source_;
  std::filesystem::path destination_;
  std::filesystem::path staging_;
  ImportProgress* listener_;
  std::vector<File> files_;
  std::vector<char> buffer_;
  std::atomic<ImageCopyState> state_{ImageCopyState::kPages};
  std::atomic<int> copied_{0};
  std::string errorText_;
};

}  // namespace vx
