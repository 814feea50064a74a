#include "data/ImportStatus.h"

#include "data/SqliteDatabase.h"
#include "platform/CodePage.h"

#include <sqlite3.h>

namespace vx {
namespace {

constexpr std::size_t kListedLines = 5;

// "(行 3, 8, ...). 行 3: why."
std::string RefusedLinesDetail(const ImportStatus& s) {
  std::string lines;
  for (const int number : s.refusedLineNumbers) {
    lines += (lines.empty() ? "" : ", ") + std::to_string(number);
  }
  if (s.refusedLines > static_cast<int>(s.refusedLineNumbers.size())) lines += ", ...";
  return Sjis("(行 ") + lines + Sjis("). 行 ") + std::to_string(s.refusedLineNumbers.front()) +
         ": " + s.refusedReason + ".";
}

}  // namespace

bool ImportStatus::Record(int rc, const SqliteDatabase& db) { return Record(rc, db.LastError()); }

bool ImportStatus::Record(int rc, const std::string& engineMessage) {
  if (rc == SQLITE_OK || rc == SQLITE_CONSTRAINT) return true;
  if (code == 0) {
    code = rc;
    message = engineMessage.empty() ? std::string(sqlite3_errstr(rc)) : engineMessage;
  }
  return false;
}

void ImportStatus::Refuse(const std::string& why) {
  if (code != 0) return;
  code = kBadFile;
  message = why;
}

void ImportStatus::RefuseLine(int lineNumber, const std::string& why) {
  if (refusedLines++ == 0) refusedReason = why;
  if (refusedLineNumbers.size() < kListedLines) refusedLineNumbers.push_back(lineNumber);
  if (refusedLines > kMaxRefusedLines) {
    Refuse(Sjis("読み込めない行が ") + std::to_string(kMaxRefusedLines) + Sjis(" 行を超えました ") +
           RefusedLinesDetail(*this) + Sjis(" ファイルが壊れているか、別の形式のファイルです."));
  }
}

std::string ImportStatus::RefusedLinesText() const {
  if (refusedLines == 0) return {};
  return Sjis("読み込めない行が ") + std::to_string(refusedLines) + Sjis(" 行あります ") +
         RefusedLinesDetail(*this);
}

}  // namespace vx
