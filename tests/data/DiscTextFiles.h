// Small catalogue text files written by the tests: CP932 with CR LF line ends, as on a disc.
#pragma once

#include "data/ImportProgress.h"
#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vxtest {

// `utf8` with every "\n" turned into CR LF, as CP932.
inline std::string DiscText(const std::string& utf8) {
  std::string crlf;
  for (char c : utf8) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return vx::Sjis(crlf);
}

inline void WriteDiscFile(const std::filesystem::path& folder, const std::string& name,
                          const std::string& utf8) {
  std::filesystem::create_directories(folder);
  WriteFileBytes(folder / name, DiscText(utf8));
}

// Event 96: two days (Saturday, Sunday), maps "東123" and "西12", areas "東1" (blocks Ａ Ｂ Ｃ)
// and "西1" (blocks あ い), genres 110 and 220, one errata row.
inline const std::string kDefinitionText =
    "# sample definition\n"
    "*Pavorun\n"
    "96\tテストイベント\n"
    "*CutInfo\n"
    "  178\t255\t10\t66\t5\t6\n"
    "*MapTableInfo\n"
    "12\t14\t3\t4\n"
    "*PavorunDate\n"
    "2020\t8\t15\t土\n"
    "2020\t8\t16\t日曜\n"
    "*PavorunMap\n"
    "東123\te123\t1\t2\t400\t300\tA1\n"
    "西12\tw12\t10\t20\t30\t40\tW\t7\t8\t9\t10\t0\n"
    "*PavorunArea\n"
    "東1\t東123\tＡＢＣ\t0\t0\t200\t300\tE1\n"
    "西1\t西12\tあい\t5\t6\t7\t8\tW1\t11\t12\t13\t14\n"
    "*PavorunGenre\n"
    "110\t創作\t0\n"
    "220\tゲーム\t1\n"
    "*PavorunJiko\n"
    "1\tＢ\t3\t1\t5\n";

// Sections a definition must hold besides its event, days, maps and areas: one row each, and the
// errata section, which may be empty.
inline const std::string kGeometryText =
    "*CutInfo\n1\t1\t0\t0\t0\t0\n*MapTableInfo\n1\t1\t0\t0\n*PavorunJiko\n";
inline const std::string kGenreText = "*PavorunGenre\n110\tg\n";

inline const std::string kLayoutText =
    "# block\tspace\tx\ty\tlayout\n"
    "Ａ\t1\t20\t50\t1\n"
    "Ａ\t2\t40\t50\t1\n"
    "Ｂ\t1\t60\t50\t2\n"
    "  あ\t1\t100\t100\t3\n";

// One ROM.TXT line from its 20 columns.
inline std::string CircleLine(int updateId, int page, int cut, const std::string& weekday,
                              const std::string& block, int space, int genre,
                              const std::string& name, const std::string& description = "d") {
  return std::to_string(updateId) + "\t" + std::to_string(page) + "\t" + std::to_string(cut) +
         "\t" + weekday + "\t-\t" + block + "\t" + std::to_string(space) + "\t" +
         std::to_string(genre) + "\t" + name + "\tkana\tpen\tbook\turl\tmail\t" + description +
         "\tupd\torba\trss\ttw\tpx\n";
}

// One day-file line: a flag, then columns 1 to 20.
inline std::string DayCircleLine(int page, int cut, const std::string& weekday,
                                 const std::string& block, int space, int genre,
                                 const std::string& name) {
  return "1\tx" + CircleLine(0, page, cut, weekday, block, space, genre, name, "desc").substr(1);
}

// Records every position reported; may act on each report.
struct RecordingProgress : vx::ImportProgress {
  std::vector<int> positions;
  std::function<void(int)> onReport;
  void ReportProgress(int position) override {
    positions.push_back(position);
    if (onReport) onReport(position);
  }
};

inline int CountRows(vx::PavorunDatabase& db, const char* table, int eventNo) {
  int count = -1;
  db.ExecPrintf(vx::RowFirstColumnInt, &count, "select count(*) from %s where pavorunNo=%d;", table,
                eventNo);
  return count;
}

// Row callback appending the row as "column|column|..." (NULL as "NULL") to the vector at
// `context`.
inline int AppendRowText(void* context, int n, char** columns, char**) {
  std::string row;
  for (int i = 0; i < n; ++i)
    row += std::string(i > 0 ? "|" : "") + (columns[i] ? columns[i] : "NULL");
  static_cast<std::vector<std::string>*>(context)->push_back(row);
  return 0;
}

inline std::vector<std::string> QueryTexts(vx::SqliteDatabase& db, const std::string& sql) {
  std::vector<std::string> rows;
  db.Exec(AppendRowText, &rows, sql);
  return rows;
}

}  // namespace vxtest
