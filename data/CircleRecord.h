// One circle as the whole program passes it around: filled from a circle row, shown by the windows,
// kept (with its memo and fetched feed text) by the checklist store.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx {

class SqlRow;

// The columns every circle query selects, in the order FillFromRow reads them.
inline constexpr const char* kCircleColumnList =
    "id,pageNo,cutIndex,day,blockId,spaceNo,spaceNoSub,genreId,circleName,circleKana,penName,"
    "bookName,url,mailAddr,description,updateId,updateData,orbalink,rss,updateFlag,twitter,pixiv";

struct CircleRecord {
  int id = 0;  // 0 marks an empty record
  int pageNo = 0;
  int cutIndex = 0;
  int day = 0;
  int blockId = 0;
  int spaceNo = 0;
  int spaceNoSub = 0;  // 0 half a, 1 half b
  int genreId = 0;
  std::string circleName;
  std::string circleKana;
  std::string penName;
  std::string bookName;
  std::string url;
  std::string mailAddr;
  std::string description;
  std::string memo;       // the checklist memo; never read from the table
  std::string genreName;  // the genre master's name of genreId
  int updateId = 0;
  std::string updateData;
  std::string orbalink;
  std::string rss;
  int updateFlag = 0;
  std::string rssInfo;  // the latest fetched feed text; never stored in the table
  std::string twitter;
  std::string pixiv;

  // Empties every text and sets id to 0; the other numbers stay.
  void Clear();
  // Makes this record a copy of `source`.
  void Assign(const CircleRecord& source) { *this = source; }
  void SetRssInfo(std::string_view text) { rssInfo.assign(text); }

  // Fills the record from a row in kCircleColumnList order. Shorter rows of older tables (15, 16,
  // 19 or 20 columns) leave the later fields 0 or empty; memo, genreName and rssInfo are emptied.
  void FillFromRow(int columnCount, char** columns);
  void FillFromRow(const SqlRow& row);

  // Row callback filling the CircleRecord at `context`; answers 0.
  static int FillFromRowCallback(void* context, int columnCount, char** columns, char** names);
};

// n empty records; none when n < 1.
std::vector<CircleRecord> NewCircleRecords(int n);

}  // namespace vx
