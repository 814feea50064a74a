// Reading a checklist file or clipboard text into the checklist store's import rows, as the job
// of the load progress dialog (FvrLoadPrg). The rows wait for the controller's commit.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>

#include "app/ProgressJob.h"

namespace vx {

class FavoriteStore;

// What a checklist load reads: a file, or text in memory (the clipboard's, CP932).
struct ChecklistSource {
  static ChecklistSource File(std::filesystem::path path) { return {std::move(path), {}, false}; }
  static ChecklistSource Text(std::string text) { return {{}, std::move(text), true}; }

  std::filesystem::path file;
  std::string text;
  bool fromText = false;
};

class ChecklistReadJob final : public ProgressJob {
 public:
  // Text always appends. `takeColors`: the file's colour definitions are taken even when
  // appending. The store outlives the job and is left to the job while it runs.
  ChecklistReadJob(FavoriteStore& store, ChecklistSource source, bool append, bool takeColors);

  StepResult Step() override;
  // "チェックリストを読み込んでいます...(position/total)".
  std::string ProgressText(int position, int total) const override;
  // The store's read status after a finished read (0 read, -1 nothing read, 1 bad data, 2
  // unsupported version); 0 after a cancel; -1 when the read never ran to its end.
  int Result(JobState finalState) const override;
  void OnCancel() override;

  const ChecklistSource& Source() const { return source_; }
  bool Appends() const { return append_; }
  // After a finished read: whether the text belongs to the catalogue's event, so that its rows
  // need no confirmation.
  bool SameEvent() const { return sameEvent_.load(); }

 private:
  FavoriteStore& store_;
  ChecklistSource source_;
  bool append_;
  bool takeColors_;
  std::atomic<bool> sameEvent_{false};
};

}  // namespace vx
