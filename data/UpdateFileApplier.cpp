#include "data/UpdateFileApplier.h"

#include "data/DiscTextCheck.h"
#include "data/ImportProgress.h"
#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "platform/LeadingInt.h"

#include <algorithm>
#include <atomic>

namespace vx {
namespace {

// From this event on an existing circle's update information comes from its own column; before
// it, the description column carried it.
constexpr int kFirstEventWithUpdateColumn = 75;

// Up to the circle name at least, 20 columns at most, as in "V%dROM.TXT".
constexpr std::size_t kMinFields = 9;
constexpr std::size_t kRowFields = 20;

bool IsBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

ImportStatus UpdateFileApplier::Apply(std::FILE* file, ImportProgress* progress) {
  std::atomic<bool>& stop = db_.GetCircleStop();
  stop = false;
  int nextId = QueryMaxCircleId() + 1;
  TextLineReader reader(file);
  for (int index = 0; !status_.Failed(); ++index) {
    const int result = ApplyUpdateLine(reader, nextId);
    if (result == kEnd) break;
    if (result == kAdded) ++nextId;
    if (progress != nullptr && index % 10 == 0) progress->ReportProgress(index);
    if (stop) break;
  }
  if (progress != nullptr) progress->ReportProgress(-1);
  return status_;
}

int UpdateFileApplier::ApplyUpdateLine(TextLineReader& reader, int nextId) {
  std::string_view line;
  if (!reader.Next(line)) return kEnd;
  ++lineNumber_;
  const auto f = SplitTabFields<kRowFields>(line);
  if (!Accept(reader, line, f)) return kSkipped;
  const int updateId = LeadingInt(f[0]);
  if (updateId <= 0) return kSkipped;
  record_.Clear();
  record_.id = db_.FindCircleIdByUpdateId(updateId);
  record_.penName.assign(f[10]);
  record_.bookName.assign(f[11]);
  record_.url.assign(f[12]);
  record_.mailAddr.assign(f[13]);
  record_.orbalink.assign(f[16]);
  record_.rss.assign(f[17]);
  record_.twitter.assign(f[18]);
  record_.pixiv.assign(f[19]);
  if (record_.id != 0) {
    const bool ownColumn = db_.GetEventNo() >= kFirstEventWithUpdateColumn;
    record_.updateData.assign(ownColumn ? f[15] : f[14]);
    status_.Record(db_.GetCircleTable().UpdateCircle(record_), db_);
    return kChanged;
  }
  record_.id = nextId;
  record_.pageNo = record_.cutIndex = record_.day = 0;
  record_.blockId = record_.spaceNo = record_.spaceNoSub = 0;
  record_.genreId = db_.GetGenreMaster().FindIdByCode(LeadingInt(f[7]));
  record_.circleName.assign(f[8]);
  record_.circleKana.assign(f[9]);
  record_.description.assign(f[14]);
  record_.updateId = updateId;
  record_.updateData.assign(f[15]);
  status_.Record(db_.GetCircleTable().InsertRow(record_), db_);
  return kAdded;
}

bool UpdateFileApplier::Accept(const TextLineReader& reader, std::string_view line,
                               std::span<const std::string_view> columns) {
  // What follows a NUL byte would be lost without a word.
  if (reader.HeldNul()) {
    status_.Refuse(LineRefusalText(lineNumber_, NulByteProblem(reader.WholeLine())));
    return false;
  }
  if (IsBlankLine(line)) return false;
  return rowCheck_.Accept(reader, line, lineNumber_, kMinFields, kRowFields, columns, {0, 7},
                          status_);
}

int UpdateFileApplier::QueryMaxCircleId() {
  int maxId = 0;
  db_.ExecPrintf(RowFirstColumnInt, &maxId, "select MAX(id) from PavorunCircle where pavorunNo=%d;",
                 db_.GetEventNo());
  return maxId;
}

}  // namespace vx
