// The database initialisation: fills the catalogue database of the user folder for the current
// event. When the program folder holds the event's marker "V<n>.DEF", the disc's text files beside
// it are imported; else the program folder's own catalogue database is the source: its events up
// to the current one are merged into a user database that holds other events, and otherwise it is
// copied over the user database (a new file renamed over the old, so that a failed copy leaves the
// old database). Without either, the disc's definition file is looked for on the mounted discs and
// in the disc folders beside the program, else the user is asked for it. A damaged user database
// is never written over: it is moved aside for the new one, and put back when nothing could be
// installed. Run at start-up when the user database lacks the event or is damaged, and at the end
// of the run after the initialisation command; the result is shown in a box titled
// "データベースの初期化".
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class PavorunDatabase;
class ProgressJob;
class SqliteDatabase;
class UiServices;

class DatabaseInitializer {
 public:
  enum Result { kNothingFound = -1, kCancelled = 0, kDone = 1, kFailed = 2 };

  // The long steps, each under its progress dialog; they answer 1 done, 0 cancelled, 2 failed.
  struct Steps {
    // The text files of `event` in `folder` into `database`, in one transaction. `errorShown` is
    // set when a failure was shown to the user already (a refused or missing file).
    std::function<int(PavorunDatabase& database, int event, const std::filesystem::path& folder,
                      bool& errorShown)>
        importDisc;
    // The events of `source` below `limit` into `target`, in one transaction.
    std::function<int(PavorunDatabase& target, SqliteDatabase& source, int limit)> merge;
    // Any other job (the file copy).
    std::function<int(ProgressJob& job, std::string_view caption)> runJob;
    // The disc's definition file named `fileName` ("V96DEF.TXT"), chosen by the user; nothing
    // when the user gives up.
    std::function<std::optional<std::filesystem::path>(const std::string& fileName)> askForFile;
    // The mounted discs, where the definition file is looked for first.
    std::vector<std::filesystem::path> discRoots;
  };

  // `ui` may be null: no result box is shown.
  DatabaseInitializer(std::filesystem::path programFolder, std::filesystem::path userFolder,
                      int eventNumber, UiServices* ui, Steps steps);

  // `database` is the database in use; a missing, closed or read-only one is first replaced by the
  // user folder's, opened read/write. Afterwards it is the user folder's database (also after a
  // failure), or null when not even that could be opened.
  int Run(std::unique_ptr<PavorunDatabase>& database);

  std::filesystem::path MarkerFile() const;

 private:
  // Where the catalogue comes from: the disc's text files in a folder, or the program folder's
  // database.
  struct Source {
    bool programDatabase = false;
    std::filesystem::path folder;  // of the text files
  };

  int Initialize(std::unique_ptr<PavorunDatabase>& database);
  // A damaged database in the program folder is no source.
  std::optional<Source> FindSource(bool userDatabaseDamaged) const;
  std::optional<std::filesystem::path> FindDiscFolder() const;
  bool UserDatabaseDamaged(const std::unique_ptr<PavorunDatabase>& database) const;
  int InstallFrom(const Source& source, std::unique_ptr<PavorunDatabase>& database);
  int ReplaceDamaged(std::unique_ptr<PavorunDatabase>& database, const Source& source);
  std::filesystem::path UserFile() const;
  int FromProgramDatabase(std::unique_ptr<PavorunDatabase>& database);
  int CopyOver(std::unique_ptr<PavorunDatabase>& database, const std::filesystem::path& source);
  void OpenUserDatabase(std::unique_ptr<PavorunDatabase>& database) const;
  void ShowResult(int result) const;

  std::filesystem::path programFolder_;
  std::filesystem::path userFolder_;
  int eventNumber_;
  UiServices* ui_;
  Steps steps_;
  std::string copyError_;
  bool errorShown_ = false;
  std::filesystem::path damagedAside_;  // where a replaced damaged database was kept
  bool asideNotRegularFile_ = false;    // it was a folder or a device, not a damaged file
};

}  // namespace vx
