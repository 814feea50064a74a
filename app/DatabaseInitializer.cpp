#include "app/DatabaseInitializer.h"

#include <fstream>
#include <utility>
#include <vector>

#include "app/DatabaseFileCopyJob.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
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

int DatabaseInitializer::Initialize(std::unique_ptr<PavorunDatabase>& database) {
  const bool fromDisc = CanRead(MarkerFile());
  if (!fromDisc && !CanRead(programFolder_ / PavorunDatabase::kFileName)) return kNothingFound;
  if (!database || !database->IsOpen() || database->Mode() != PavorunDatabase::kReadWrite) {
    OpenUserDatabase(database);
  }
  if (!database->IsOpen()) return kFailed;
  if (fromDisc) {
    return steps_.importDisc ? steps_.importDisc(*database, eventNumber_, programFolder_) : kFailed;
  }
  return FromProgramDatabase(database);
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
    case kDone:
      ui_->MessageBox(nullptr, Sjis("データベースの初期化が完了しました."), title,
                      MB_ICONINFORMATION);
      break;
    default: {
      std::string text = Sjis(
          "データベースの初期化中にエラーが生じました. \nDBファイルまたは定義ファイルが参照不可能"
          "か、アクセス権限が無い可能性があります.");
      if (!copyError_.empty()) text += "\n\n" + copyError_;
      ui_->MessageBox(nullptr, text, title, MB_ICONHAND);
    }
  }
}

}  // namespace vx
