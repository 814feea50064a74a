#include "data/DiscImportJob.h"

#include "data/DefinitionFileParser.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "data/Weekday.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace vx {
namespace {

constexpr const char* kImportCacheSize = "PRAGMA cache_size=-65536;";  // KiB

bool IsEnd(DiscImportState state) {
  return state == DiscImportState::kFinished || state == DiscImportState::kCancelled ||
         state == DiscImportState::kFailed;
}

std::string FailureText(const std::string& what, const ImportStatus& status) {
  return what + ": " + status.message;
}

// Row callback: counts[day] = the second column, for the days within the vector.
int StoreDayCount(void* context, int columns, char** values, char**) {
  auto& counts = *static_cast<std::vector<int>*>(context);
  if (columns < 2 || values[0] == nullptr || values[1] == nullptr) return 0;
  const long day = std::strtol(values[0], nullptr, 10);
  if (day >= 0 && day < static_cast<long>(counts.size())) {
    counts[static_cast<std::size_t>(day)] = static_cast<int>(std::strtol(values[1], nullptr, 10));
  }
  return 0;
}

std::string NoCirclesOfDaysText() {
  return Sjis(" のサークルが1つもありません. ファイルが空か、途中で切れている可能性があります.");
}

bool IsRefusedKind(BoundedFileReader::Outcome outcome) {
  return outcome == BoundedFileReader::Outcome::kNotRegularFile ||
         outcome == BoundedFileReader::Outcome::kTooLarge;
}

}  // namespace

std::string DiscImportJob::DefinitionFileName(int eventNo) {
  return "V" + std::to_string(eventNo) + "DEF.TXT";
}

std::string DiscImportJob::LayoutFileName(int eventNo) {
  return "V" + std::to_string(eventNo) + "MAP.TXT";
}

std::string DiscImportJob::CircleFileName(int eventNo) {
  return "V" + std::to_string(eventNo) + "ROM.TXT";
}

std::string DiscImportJob::DayCircleFileName(int eventNo, int day) {
  return "V" + std::to_string(eventNo) + "ROM" + std::to_string(day) + ".TXT";
}

DiscImportJob::DiscImportJob(PavorunDatabase& db, int eventNo, std::filesystem::path sourceFolder,
                             ImportPrompts& prompts, ImportProgress* listener)
    : db_(db),
      eventNo_(eventNo),
      sourceFolder_(std::move(sourceFolder)),
      prompts_(prompts),
      listener_(listener) {
  db_.SetEventNo(eventNo);
}

int DiscImportJob::Begin() {
  const int rc = db_.BeginTransaction();
  if (rc != 0) Fail(DiscImportState::kDefinition, "BEGIN TRANSACTION: " + db_.LastError());
  return rc;
}

int DiscImportJob::Step() {
  if (!db_.IsOpen()) return 1;
  switch (State()) {
    case DiscImportState::kDefinition:
      ImportDefinition();
      break;
    case DiscImportState::kLayout:
      ImportLayout();
      break;
    case DiscImportState::kCircles:
      ImportCircles();
      break;
    case DiscImportState::kDayCircles:
      ImportDayCircles();
      break;
    case DiscImportState::kUnplaced:
      ImportUnplaced();
      break;
    default:
      break;
  }
  if (!IsEnd(State())) return 0;
  RestoreCacheSize();
  if (State() == DiscImportState::kFinished && !noticeText_.empty()) {
    prompts_.ShowWarning(Sjis("次の行は読み込めなかったため、インストールされていません.\n\n") +
                         noticeText_);
  }
  return 1;
}

void DiscImportJob::RaiseCacheSize() {
  if (cacheRaised_) return;
  // The circle table's indexes are written all over the file: with the default cache every page
  // would be read back (and descrambled) many times.
  db_.Exec(RowFirstColumnInt, &savedCacheSize_, "PRAGMA cache_size;");
  db_.Exec(nullptr, nullptr, kImportCacheSize);
  cacheRaised_ = true;
}

void DiscImportJob::RestoreCacheSize() {
  if (!cacheRaised_) return;
  db_.ExecPrintf(nullptr, nullptr, "PRAGMA cache_size=%d;", savedCacheSize_);
  cacheRaised_ = false;
}

void DiscImportJob::Cancel() {
  DiscImportState state = state_.load();
  while (state != DiscImportState::kFailed &&
         !state_.compare_exchange_weak(state, DiscImportState::kCancelled)) {
  }
  db_.GetDefinitionStop() = true;
  db_.GetLayoutStop() = true;
  db_.GetCircleStop() = true;
}

int DiscImportJob::Finish() {
  const DiscImportState state = State();
  if (state == DiscImportState::kFinished) {
    if (db_.Commit() == 0) return kResultDone;
    errorText_ = "COMMIT: " + db_.LastError();
    db_.Rollback();
    state_ = DiscImportState::kFailed;
    return kResultFailed;
  }
  db_.Rollback();
  return state == DiscImportState::kCancelled ? kResultCancelled : kResultFailed;
}

int DiscImportJob::Run() {
  if (Begin() != 0) return Finish();
  while (Step() == 0) {
  }
  return Finish();
}

void DiscImportJob::ImportDefinition() {
  RaiseCacheSize();
  // Clearing all nine tables first makes a re-import hold exactly the disc's rows.
  if (!CheckWrite(db_.ClearEventTables(), DiscImportState::kDefinition, "clearing the event")) {
    return;
  }
  const std::string name = DefinitionFileName(eventNo_);
  std::filesystem::path path;
  BoundedFileReader::Outcome outcome{};
  const FileHandle file = OpenSourceFile(name, path, outcome);
  if (!file) {
    const std::string text = IsRefusedKind(outcome) ? name + ": " + DiscTextFileRefusal(outcome)
                                                    : DefinitionFileOpenError(path);
    FailShown(DiscImportState::kDefinition, text);
    return;
  }
  if (!RunPass(file.get(), &PavorunDatabase::ImportDefinitionFile, DiscImportState::kDefinition,
               name)) {
    return;
  }
  MoveOn(DiscImportState::kDefinition, DiscImportState::kLayout);
}

void DiscImportJob::ImportLayout() {
  const std::string name = LayoutFileName(eventNo_);
  std::filesystem::path path;
  BoundedFileReader::Outcome outcome{};
  const FileHandle file = OpenSourceFile(name, path, outcome);
  if (RefuseUnreadable(outcome, DiscImportState::kLayout, name)) return;
  if (!file) return AskForFile(DiscImportState::kLayout, DiscImportState::kWaitLayout, name);
  if (!RunPass(file.get(), &PavorunDatabase::ImportLayoutFile, DiscImportState::kLayout, name)) {
    return;
  }
  MoveOn(DiscImportState::kLayout, DiscImportState::kCircles);
}

void DiscImportJob::ImportCircles() {
  const std::string name = CircleFileName(eventNo_);
  std::filesystem::path path;
  BoundedFileReader::Outcome outcome{};
  const FileHandle file = OpenSourceFile(name, path, outcome);
  if (RefuseUnreadable(outcome, DiscImportState::kCircles, name)) return;
  if (!CheckWrite(db_.BeginCircleImport(), DiscImportState::kCircles, "clearing the circles")) {
    return;
  }
  singleCircleFile_ = file != nullptr;
  if (!file) {
    day_ = 1;
    MoveOn(DiscImportState::kCircles, DiscImportState::kDayCircles);
    return;
  }
  if (!RunPass(file.get(), &PavorunDatabase::ImportCircleFile, DiscImportState::kCircles, name)) {
    return;
  }
  FinishCircles(DiscImportState::kCircles);
}

void DiscImportJob::ImportDayCircles() {
  const std::string name = DayCircleFileName(eventNo_, day_);
  std::filesystem::path path;
  BoundedFileReader::Outcome outcome{};
  const FileHandle file = OpenSourceFile(name, path, outcome);
  if (RefuseUnreadable(outcome, DiscImportState::kDayCircles, name)) return;
  if (!file) return AskForFile(DiscImportState::kDayCircles, DiscImportState::kWaitDay, name);
  if (!RunPass(file.get(), &PavorunDatabase::ImportDayCircleFile, DiscImportState::kDayCircles,
               name)) {
    return;
  }
  if (++day_ > db_.GetDateCount()) {
    MoveOn(DiscImportState::kDayCircles, DiscImportState::kUnplaced);
  } else {
    Redraw();
  }
}

void DiscImportJob::ImportUnplaced() {
  day_ = 0;
  const std::string name = DayCircleFileName(eventNo_, 0);
  std::filesystem::path path;
  BoundedFileReader::Outcome outcome{};
  const FileHandle file = OpenSourceFile(name, path, outcome);
  if (RefuseUnreadable(outcome, DiscImportState::kUnplaced, name)) return;
  if (!file) return AskForFile(DiscImportState::kUnplaced, DiscImportState::kWaitUnplaced, name);
  if (!RunPass(file.get(), &PavorunDatabase::ImportDayCircleFile, DiscImportState::kUnplaced,
               name)) {
    return;
  }
  FinishCircles(DiscImportState::kUnplaced);
}

bool DiscImportJob::RunPass(std::FILE* file, Pass pass, DiscImportState from,
                            const std::string& fileName) {
  if (State() != from) return false;
  total_ = CountFileLines(file);
  position_ = 0;
  Redraw();
  const ImportStatus status = (db_.*pass)(file, &relay_);
  if (status.Failed()) {
    const std::string text = FailureText(fileName, status);
    // A refused write speaks for itself in the installer's message; a refused file must say why.
    if (status.FileRefused()) {
      FailShown(from, text);
    } else {
      Fail(from, text);
    }
    return false;
  }
  if (status.refusedLines > 0) {
    noticeText_ += fileName + ": " + status.RefusedLinesText() + "\n";
  }
  return State() == from;
}

void DiscImportJob::AskForFile(DiscImportState from, DiscImportState waiting,
                               const std::string& fileName) {
  if (!MoveOn(from, waiting)) return;
  const std::optional<std::filesystem::path> chosen = prompts_.LocateFile(fileName, sourceFolder_);
  if (State() != waiting) return;  // cancelled while asking
  if (chosen) {
    sourceFolder_ = chosen->parent_path();
    MoveOn(waiting, from);
    return;
  }
  const std::string text =
      fileName + Sjis(" を開けませんでした.\nサークル情報追加処理は失敗しました.");
  FailShown(waiting, text);
}

FileHandle DiscImportJob::OpenSourceFile(const std::string& fileName, std::filesystem::path& path,
                                         BoundedFileReader::Outcome& outcome) const {
  const std::optional<std::filesystem::path> found =
      ResolveCaseInsensitive(sourceFolder_, fileName);
  path = found ? *found : sourceFolder_ / fileName;
  outcome = BoundedFileReader::Outcome::kCannotOpen;
  return found ? OpenDiscTextFile(*found, outcome) : FileHandle();
}

bool DiscImportJob::RefuseUnreadable(BoundedFileReader::Outcome outcome, DiscImportState from,
                                     const std::string& fileName) {
  if (!IsRefusedKind(outcome)) return false;
  const std::string text = fileName + ": " + DiscTextFileRefusal(outcome);
  FailShown(from, text);
  return true;
}

bool DiscImportJob::CheckEveryDayHasCircles(DiscImportState from) {
  std::vector<int> counts(static_cast<std::size_t>(db_.GetDateCount()) + 1, 0);
  db_.ExecPrintf(StoreDayCount, &counts,
                 "select day,count(*) from PavorunCircle where pavorunNo=%d group by day;",
                 eventNo_);
  // One line per file: "V96ROM.TXT: 1日目 (金曜日), 2日目 (土曜日) のサークルが...".
  std::string text;
  std::string lastFile;
  for (int day = 1; day < static_cast<int>(counts.size()); ++day) {
    if (counts[static_cast<std::size_t>(day)] > 0) continue;
    const std::string file =
        singleCircleFile_ ? CircleFileName(eventNo_) : DayCircleFileName(eventNo_, day);
    if (file != lastFile) {
      if (!text.empty()) text += NoCirclesOfDaysText() + "\n";
      text += file + ": ";
      lastFile = file;
    } else {
      text += ", ";
    }
    text += std::to_string(day) + Sjis("日目 (") +
            GetWeekdayLongName(db_.GetDateMaster().GetWeekday(day)) + ")";
  }
  if (text.empty()) return true;
  text += NoCirclesOfDaysText();
  FailShown(from, text);
  return false;
}

bool DiscImportJob::CheckEveryHallHasDesks(DiscImportState from) {
  // Circles counted by hall first: the layout is then looked up once per hall, not per circle.
  const std::string sql = FormatSql(
      "select m.name, h.circles from (select a.mapId, count(*) as circles from PavorunCircle c"
      " join PavorunBlock b on b.pavorunNo=c.pavorunNo and b.id=c.blockId"
      " join PavorunArea a on a.pavorunNo=c.pavorunNo and a.id=b.areaId"
      " where c.pavorunNo=%d group by a.mapId) h"
      " join PavorunMap m on m.pavorunNo=%d and m.id=h.mapId"
      " where not exists (select 1 from PavorunLayout l where l.pavorunNo=%d and l.mapId=m.id)"
      " order by m.id;",
      eventNo_, eventNo_, eventNo_);
  std::string halls;
  db_.ExecRows(sql, [&halls](int columns, char** values) {
    halls += (halls.empty() ? "" : ", ") + ColumnString(columns, values, 0) + Sjis(" (サークル ") +
             ColumnString(columns, values, 1) + Sjis(" 件)");
    return 0;
  });
  if (halls.empty()) return true;
  int desks = 0;
  db_.ExecPrintf(RowFirstColumnInt, &desks,
                 "select count(*) from PavorunLayout where pavorunNo=%d;", eventNo_);
  FailShown(from, LayoutFileName(eventNo_) + Sjis(": 地図 ") + halls +
                      Sjis(" に机の配置が1つもありません.") +
                      (desks == 0 ? Sjis(" ファイルに机の行が1つもありません.") : ""));
  return false;
}

// Every circle file is read: the event is whole only with circles on each day and desks in each
// hall that holds circles.
void DiscImportJob::FinishCircles(DiscImportState from) {
  if (!CheckEveryDayHasCircles(from) || !CheckEveryHallHasDesks(from)) return;
  MoveOn(from, DiscImportState::kFinished);
}

bool DiscImportJob::MoveOn(DiscImportState from, DiscImportState to) {
  if (!state_.compare_exchange_strong(from, to)) return false;
  total_ = 0;
  position_ = 0;
  Redraw();
  return true;
}

void DiscImportJob::FailShown(DiscImportState from, const std::string& text) {
  prompts_.ShowError(text);
  if (errorText_.empty()) errorShown_ = true;
  Fail(from, text);
}

void DiscImportJob::Fail(DiscImportState from, const std::string& text) {
  if (errorText_.empty()) errorText_ = text;
  state_.compare_exchange_strong(from, DiscImportState::kFailed);
}

bool DiscImportJob::CheckWrite(int rc, DiscImportState from, const std::string& what) {
  ImportStatus status;
  if (status.Record(rc, db_)) return true;
  Fail(from, FailureText(what, status));
  return false;
}

void DiscImportJob::Redraw() {
  if (listener_ != nullptr) listener_->ReportProgress(position_);
}

void DiscImportJob::Relay::ReportProgress(int position) {
  job_.position_ = position;
  if (job_.listener_ != nullptr) job_.listener_->ReportProgress(position);
}

}  // namespace vx
