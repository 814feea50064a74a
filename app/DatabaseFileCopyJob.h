// Copies a catalogue database file over another one under the progress dialog, so that a failure
// never costs the old file: the copy is written to a new file beside the target, flushed, and
// renamed over the target only by Commit, once the dialog has ended with the copy done. A copy
// that is not committed is removed.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/ProgressJob.h"

namespace vx {

class DatabaseFileCopyJob : public ProgressJob {
 public:
  static constexpr std::size_t kChunkBytes = 1 << 20;

  DatabaseFileCopyJob(std::filesystem::path source, std::filesystem::path target);
  ~DatabaseFileCopyJob() override;

  static std::string Caption();  // "データベースファイルのコピー", CP932

  StepResult Step() override;
  std::string ProgressText(int position, int total) const override;

  // UI thread, after a run that answered 1: the copy replaces the target (a stale journal of the
  // old file goes first, so it can never be played back onto the new one). False, with the
  // target as it was, when the rename failed.
  bool Commit();
  // Why the copy or the commit failed (CP932); empty otherwise.
  const std::string& ErrorText() const { return errorText_; }

 private:
  StepResult Open();
  StepResult CopyChunk();
  StepResult Fail(const std::string& what, const std::filesystem::path& path, int error);
  void Discard();

  std::filesystem::path source_;
  std::filesystem::path target_;
  std::filesystem::path copy_;
  std::FILE* in_ = nullptr;
  int out_ = -1;
  int chunks_ = 0;
  bool complete_ = false;
  std::string errorText_;
};

}  // namespace vx
