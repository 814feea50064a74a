// Installs one event's catalogue from the disc's text files into the database: the definition
// file, the layout file, then either "V%dROM.TXT" or the day files "V%dROM1.TXT" .. and
// "V%dROM0.TXT". A headless state machine that does one step per call, so that a worker thread can
// drive it under a progress dialog, or a tool or test can run it straight through.
//
// Threads: Begin, Finish and Cancel belong to the thread that owns the transaction (the UI
// thread); Step runs on the worker and calls the prompts and the progress listener there. Cancel
// may come at any moment: the state only moves by compare-and-swap, so a cancel is never
// overwritten by the worker's next state.
#pragma once

#include "platform/BoundedFileReader.h"
#include "data/ImportProgress.h"
#include "data/ImportStatus.h"
#include "data/TextLineReader.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>

namespace vx {

class ImportPrompts;
class PavorunDatabase;

enum class DiscImportState : int {
  kDefinition = 1,
  kLayout = 2,
  kCircles = 3,     // "V%dROM.TXT"
  kDayCircles = 4,  // "V%dROM%d.TXT" for Day()
  kUnplaced = 5,    // "V%dROM0.TXT"
  kFinished = 6,
  kCancelled = 7,
  kWaitLayout = 8,  // asking where the layout file is
  kWaitDay = 9,     // ... the day file of Day()
  kWaitUnplaced = 10,
  kFailed = 11,
};

class DiscImportJob {
 public:
  // What Finish answers (the import dialog's result).
  static constexpr int kResultCancelled = 0;
  static constexpr int kResultDone = 1;
  static constexpr int kResultFailed = 2;

  // Makes `eventNo` the database's current event. `sourceFolder` holds the event's text files
  // (found without regard to case). `listener` may be null.
  DiscImportJob(PavorunDatabase& db, int eventNo, std::filesystem::path sourceFolder,
                ImportPrompts& prompts, ImportProgress* listener = nullptr);
  DiscImportJob(const DiscImportJob&) = delete;
  DiscImportJob& operator=(const DiscImportJob&) = delete;

  // Opens the transaction that the whole import runs in; a failure fails the job. A caller that
  // keeps the transaction itself skips Begin and Finish and commits only after kFinished.
  int Begin();
  // Does one step: 0 to be called again, 1 when the job has ended (also at once without a
  // database). The first step clears all nine tables of the event.
  int Step();
  // Stops the job after the line being read: state kCancelled and the database's three import
  // stop flags set. A failed job stays failed.
  void Cancel();
  // Commits when the job finished, otherwise rolls back; a commit that fails is rolled back and
  // fails the job.
  int Finish();
  // Begin, Step until the end, Finish.
  int Run();

  DiscImportState State() const { return state_.load(); }
  int EventNo() const { return eventNo_; }
  int Day() const { return day_.load(); }
  // Lines of the file being read, and the index of the last line reported (-1 once it is done).
  int Total() const { return total_.load(); }
  int Position() const { return position_.load(); }
  // Why the job failed (CP932), for a caller without message boxes; read once it has ended.
  const std::string& ErrorText() const { return errorText_; }
  // Whether the user was shown ErrorText (a refused or missing file); a failed write was not.
  bool ErrorShown() const { return errorShown_; }
  // The lines of each file left out of a finished install (CP932), also shown as a warning
  // before the job ends; empty when every line was read.
  const std::string& NoticeText() const { return noticeText_; }

  // Names of the event's files.
  static std::string DefinitionFileName(int eventNo);
  static std::string LayoutFileName(int eventNo);
  static std::string CircleFileName(int eventNo);
  static std::string DayCircleFileName(int eventNo, int day);  // day 0: the unplaced circles

 private:
  class Relay : public ImportProgress {
   public:
    explicit Relay(DiscImportJob& job) : job_(job) {}
    void ReportProgress(int position) override;

   private:
    DiscImportJob& job_;
  };
  using Pass = ImportStatus (PavorunDatabase::*)(std::FILE*, ImportProgress*);

  // A large page cache while the job runs, the previous size once it has ended.
  void RaiseCacheSize();
  void RestoreCacheSize();
  void ImportDefinition();
  void ImportLayout();
  void ImportCircles();
  void ImportDayCircles();
  void ImportUnplaced();
  // Runs one file's pass; false when the job failed or was cancelled meanwhile.
  bool RunPass(std::FILE* file, Pass pass, DiscImportState from, const std::string& fileName);
  void AskForFile(DiscImportState from, DiscImportState waiting, const std::string& fileName);
  // Null, with why in `outcome`, for a file that is missing, cannot be opened, or is refused
  // unread (a pipe, a device, a huge file).
  FileHandle OpenSourceFile(const std::string& fileName, std::filesystem::path& path,
                            BoundedFileReader::Outcome& outcome) const;
  // Fails the job, saying why, when the file was refused unread.
  bool RefuseUnreadable(BoundedFileReader::Outcome outcome, DiscImportState from,
                        const std::string& fileName);
  // Fails the job, naming the days and their files, when a day of the definition file got no
  // circle: its circle file was empty or cut before that day's rows.
  bool CheckEveryDayHasCircles(DiscImportState from);
  // Fails the job, naming the halls and how many circles each holds, when a hall that holds
  // circles got no desk from the layout file: its circles could not be shown on its map. A hall
  // without circles needs no desks.
  bool CheckEveryHallHasDesks(DiscImportState from);
  void FinishCircles(DiscImportState from);
  bool MoveOn(DiscImportState from, DiscImportState to);
  void Fail(DiscImportState from, const std::string& text);
  // Shows the error box, then fails.
  void FailShown(DiscImportState from, const std::string& text);
  bool CheckWrite(int rc, DiscImportState from, const std::string& what);
  void Redraw();

  PavorunDatabase& db_;
  int eventNo_;
  std::filesystem::path sourceFolder_;
  ImportPrompts& prompts_;
  ImportProgress* listener_;
  Relay relay_{*this};
  std::atomic<DiscImportState> state_{DiscImportState::kDefinition};
  std::atomic<int> day_{1};
  std::atomic<int> total_{0};
  std::atomic<int> position_{0};
  std::string errorText_;
  bool errorShown_ = false;
  std::string noticeText_;         // worker only until the job has ended
  bool singleCircleFile_ = false;  // "V%dROM.TXT" was read (worker only)
  int savedCacheSize_ = -2000;
  bool cacheRaised_ = false;  // worker only
};

}  // namespace vx
