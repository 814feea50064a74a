#include "app/DatabaseInitializer.h"

#include <fstream>
#include <utility>
#include <vector>

#include "app/DatabaseFileCopyJob.h"
#include "app/ImageDataLocator.h"
#include "data/DamagedDatabaseFile.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/UiServices.h"

namespace vx {

namespace fs = std::filesystem;

namespace {

bool CanRead(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error) && std::ifstream(file, std::ios::binary).good();
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

}  // namespace

DatabaseInitializer::DatabaseInitializer(fs::path programFolder, fs::path userFolder,
                                         int eventNumber, UiServices* ui, Steps steps)
    : programFolder_(std::move(programFolder)),
      userFolder_(std::move(userFolder)),
      eventNumber_(eventNumber),
      ui_(ui),
      steps_(std::move(steps)) {}

fs::path DatabaseInitializer::MarkerFile() const {
  return programFolder_ / ("V" + std::to_string(eventNumber_) + ".DEF");
}

int DatabaseInitializer::Run(std::unique_ptr<PavorunDatabase>& database) {
  const int result = Initialize(database);
  ShowResult(result);
  return result;
}

void DatabaseInitializer::OpenUserDatabase(std::unique_ptr<PavorunDatabase>& database) const {
  database.reset();
  database = std::make_unique<PavorunDatabase>(userFolder_, PavorunDatabase::kReadWrite);
}

fs::path DatabaseInitializer::UserFile() const { return userFolder_ / PavorunDatabase::kFileName; }

int DatabaseInitializer::Initialize(std::unique_ptr<PavorunDatabase>& database) {
  const bool damaged = UserDatabaseDamaged(database);
  const std::optional<Source> source = FindSource(damaged);
  if (!source) return kNothingFound;
  if (damaged) return ReplaceDamaged(database, *source);
  if (!database || !database->IsOpen() || database->Mode() != PavorunDatabase::kReadWrite) {
    OpenUserDatabase(database);
  }
  if (!database->IsOpen()) return kFailed;
  return InstallFrom(*source, database);
}

std::optional<DatabaseInitializer::Source> DatabaseInitializer::FindSource(
    bool userDatabaseDamaged) const {
  if (CanRead(MarkerFile())) return Source{false, programFolder_};
  const fs::path programDatabase = programFolder_ / PavorunDatabase::kFileName;
  if (CanRead(programDatabase) && !(userDatabaseDamaged && SameFile(programDatabase, UserFile()))) {
    return Source{true, {}};
  }
  if (const std::optional<fs::path> folder = FindDiscFolder()) return Source{false, *folder};
  return std::nullopt;
}

// The folders where the event's image data may lie hold its text files on a disc.
std::optional<fs::path> DatabaseInitializer::FindDiscFolder() const {
  const std::string name = "V" + std::to_string(eventNumber_) + "DEF.TXT";
  const ImageDataLocator locator(programFolder_, steps_.discRoots, {});
  for (const fs::path& folder : locator.Candidates(eventNumber_)) {
    if (const std::optional<fs::path> file = ResolveCaseInsensitive(folder, name)) {
      if (CanRead(*file)) return file->parent_path();
    }
  }
  if (!steps_.askForFile) return std::nullopt;
  const std::optional<fs::path> chosen = steps_.askForFile(name);
  if (!chosen) return std::nullopt;
  return chosen->parent_path();
}

bool DatabaseInitializer::UserDatabaseDamaged(
    const std::unique_ptr<PavorunDatabase>& database) const {
  if (database && SameFile(database->Path(), UserFile())) return database->IsDamaged();
  std::error_code error;
  // A read-only open of a missing file would create it.
  if (!fs::exists(UserFile(), error)) return false;
  SqliteDatabase probe(userFolder_, PavorunDatabase::kFileName, SqliteDatabase::kReadOnly);
  // Damage past the first page shows only when the pages are read.
  probe.Exec(nullptr, nullptr, "select count(*) from PavorunCircle;");
  return probe.IsDamaged();
}

int DatabaseInitializer::InstallFrom(const Source& source,
                                     std::unique_ptr<PavorunDatabase>& database) {
  if (source.programDatabase) return FromProgramDatabase(database);
  if (!steps_.importDisc) return kFailed;
  return steps_.importDisc(*database, eventNumber_, source.folder, errorShown_);
}

int DatabaseInitializer::ReplaceDamaged(std::unique_ptr<PavorunDatabase>& database,
                                        const Source& source) {
  database.reset();  // no connection may stay on the file that moves
  const fs::path file = UserFile();
  std::error_code unknown;
  asideNotRegularFile_ = !fs::is_regular_file(file, unknown);
  std::string error;
  const std::optional<fs::path> aside = SetAsideDamagedDatabase(file, error);
  if (!aside) {
    copyError_ = Utf8ToCp932(file.string() + ": " + error);
    OpenUserDatabase(database);
    return kFailed;
  }
  OpenUserDatabase(database);
  const int result = database->IsOpen() ? InstallFrom(source, database) : kFailed;
  if (result == kDone) {
    damagedAside_ = *aside;
    return result;
  }
  // Nothing was installed: the damaged file goes back, to be offered again on the next start.
  database.reset();
  if (!RestoreDamagedDatabase(*aside, file, error)) {
    copyError_ = Utf8ToCp932(aside->string() + ": " + error);
  }
  OpenUserDatabase(database);
  return result;
}

// A user database with other events keeps them: the current event is merged in. One that is
// empty or holds only this event is replaced whole.
int DatabaseInitializer::FromProgramDatabase(std::unique_ptr<PavorunDatabase>& database) {
  const fs::path source = programFolder_ / PavorunDatabase::kFileName;
  if (SameFile(source, database->Path())) return kDone;
  std::vector<int> events;
  database->ListEventNumbers(events);
  const bool onlyThisEvent = events.empty() || events == std::vector<int>{eventNumber_};
  if (onlyThisEvent) return CopyOver(database, source);
  SqliteDatabase program(programFolder_, PavorunDatabase::kFileName, SqliteDatabase::kReadOnly);
  if (!program.IsOpen() || !steps_.merge) return kFailed;
  return steps_.merge(*database, program, eventNumber_ + 1);
}

int DatabaseInitializer::CopyOver(std::unique_ptr<PavorunDatabase>& database,
                                  const fs::path& source) {
  const fs::path target = database->Path();
  database.reset();  // the file is replaced: no connection may stay on it
  int result = kFailed;
  {
    DatabaseFileCopyJob copy(source, target);
    if (steps_.runJob) result = steps_.runJob(copy, DatabaseFileCopyJob::Caption());
    if (result == kDone && !copy.Commit()) result = kFailed;
    copyError_ = copy.ErrorText();
  }
  OpenUserDatabase(database);
  return result;
}

void DatabaseInitializer::ShowResult(int result) const {
  if (!ui_ || result == kNothingFound) return;
  const std::string title = Sjis("データベースの初期化");
  switch (result) {
    case kCancelled:
      ui_->MessageBox(nullptr, Sjis("データベースの初期化がキャンセルされました."), title,
                      MB_ICONEXCLAMATION);
      break;
    case kDone: {
      std::string text = Sjis("データベースの初期化が完了しました.");
      if (!damagedAside_.empty()) {
        text += Sjis(asideNotRegularFile_ ? "\n開けなかったデータベースファイルは\n"
                                          : "\n壊れていたデータベースファイルは\n") +
                Utf8ToCp932(damagedAside_.string()) + Sjis("\nとして残してあります.");
      }
      ui_->MessageBox(nullptr, text, title, MB_ICONINFORMATION);
      break;
    }
    default: {
      if (errorShown_) break;
      std::string text = Sjis(
          "データベースの初期化中にエラーが生じました. \nDBファイルまたは定義ファイルが参照不可能"
          "か、アクセス権限が無い可能性があります.");
      if (!copyError_.empty()) text += "\n\n" + copyError_;
      ui_->MessageBox(nullptr, text, title, MB_ICONHAND);
    }
  }
}

}  // namespace vx
