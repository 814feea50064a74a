#include "data/PavorunCircleTable.h"

#include "data/CirclePlaces.h"
#include "data/PavorunDatabase.h"
#include "data/SqlText.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace vx {

const std::string& PavorunCircleTable::CreateText() const {
  static const std::string text = Sjis(
      "create table PavorunCircle (\n"
      "  pavorunNo INTEGER not null, -- パヴォ番号\n"
      "  id INTEGER not null, -- サークルID\n"
      "  pageNo INTEGER, -- ページ番号         漏れの場合は 0\n"
      "  cutIndex INTEGER, -- カットインデックス 漏れの場合は 0\n"
      "  day INTEGER, -- 参加日             漏れの場合は 0\n"
      "  blockId INTEGER, -- ブロックID         漏れの場合は 0\n"
      "  spaceNo INTEGER, -- スペース番号       漏れの場合は 0\n"
      "  spaceNoSub INTEGER, -- スペース番号補助   0:a 1:b\n"
      "  genreId INTEGER, -- ジャンルID\n"
      "  circleName VARCHAR(33), -- サークル名\n"
      "  circleKana VARCHAR(33), -- サークル名(読みがな) 全角カナで正規化\n"
      "  penName VARCHAR(100), -- 執筆者名\n"
      "  bookName VARCHAR(100), -- 発行誌名\n"
      "  url VARCHAR(100), -- URL\n"
      "  mailAddr VARCHAR(100), -- メールアドレス\n"
      "  description VARCHAR(4000), -- 補足説明\n"
      "  memo VARCHAR(4000), -- サークルメモ\n"
      "  updateId INTEGER, -- 更新用ID\n"
      "  updateData VARCHAR(4000), -- 更新情報\n"
      "  orbalink VARCHAR(100), -- Orbalink URL\n"
      "  rss VARCHAR(100), -- RSS\n"
      "  updateFlag INTEGER, -- 更新フラグ\n"
      "  twitter VARCHAR(100), -- twitter ID\n"
      "  pixiv VARCHAR(100), -- pixiv ID\n"
      "  primary key (pavorunNo,id)\n"
      ");\n"
      "create index PavorunCirclePage on PavorunCircle(pageNo,pavorunNo);\n"
      "create index PavorunCircleName on PavorunCircle(circleName,pavorunNo);\n"
      "create index PavorunCircleKana on PavorunCircle(circleKana,pavorunNo);\n"
      "create index PavorunCirclePenName on PavorunCircle(penName,pavorunNo);\n"
      "create index PavorunCircleUpdateId on PavorunCircle(updateId,pavorunNo);");
  return text;
}

int PavorunCircleTable::QueryInt(const std::string& sql, int initial) {
  int value = initial;
  Owner().Exec(RowFirstColumnInt, &value, sql);
  return value;
}

int PavorunCircleTable::LoadStatistics() {
  if (!HasDatabase()) return SqliteDatabase::kNoDatabase;
  CirclePlaces places;
  const int rc = places.Read(Owner(), EventNo());
  LoadStatistics(places);
  return rc;
}

void PavorunCircleTable::LoadStatistics(const CirclePlaces& places) {
  const std::vector<CirclePlace>& all = places.All();
  maxId_ = firstPage_ = lastPage_ = cutsPerPage_ = 0;
  maxSpaces_.clear();
  if (all.empty()) return;
  maxId_ = lastPage_ = cutsPerPage_ = INT_MIN;
  for (const CirclePlace& c : all) {
    maxId_ = std::max(maxId_, c.id);
    lastPage_ = std::max(lastPage_, c.pageNo);
    cutsPerPage_ = std::max(cutsPerPage_, c.cutIndex);
    if (c.pageNo > 0 && (firstPage_ == 0 || c.pageNo < firstPage_)) firstPage_ = c.pageNo;
    const auto [desk, added] = maxSpaces_.try_emplace({c.day, c.blockId}, c.spaceNo);
    if (!added) desk->second = std::max(desk->second, c.spaceNo);
  }
}

bool PavorunCircleTable::SelectById(CircleRecord& record, int id) {
  record.id = 0;
  if (!HasDatabase()) return false;
  Owner().ExecPrintf(CircleRecord::FillFromRowCallback, &record,
                     "SELECT %s FROM PavorunCircle WHERE pavorunNo=%d AND id=%d", kCircleColumnList,
                     EventNo(), id);
  if (record.id == 0) return false;
  Owner().SetRecordGenreName(record);
  return true;
}

void PavorunCircleTable::SelectPage(std::span<CircleRecord> rows, int page) {
  for (CircleRecord& row : rows) {
    row.Clear();
    row.updateId = 0;
  }
  if (!HasDatabase() || page < firstPage_ || page > lastPage_) return;
  const int usable = std::min(cutsPerPage_, static_cast<int>(rows.size()));
  CircleRecord fetched;
  Owner().ExecRows(FormatSql("SELECT %s FROM PavorunCircle WHERE pavorunNo=%d AND pageNo=%d;",
                             kCircleColumnList, EventNo(), page),
                   [&](int n, char** columns) {
                     fetched.FillFromRow(n, columns);
                     if (fetched.cutIndex >= 1 && fetched.cutIndex <= usable) {
                       rows[static_cast<std::size_t>(fetched.cutIndex - 1)] = fetched;
                     }
                     return 0;
                   });
  for (CircleRecord& row : rows) {
    if (row.id != 0) Owner().SetRecordGenreName(row);
  }
}

int PavorunCircleTable::FindIdByCut(int page, int cutIndex) {
  if (!HasDatabase()) return 0;
  return QueryInt(FormatSql("select id from PavorunCircle where pavorunNo=%d AND pageNo=%d AND "
                            "cutIndex=%d;",
                            EventNo(), page, cutIndex),
                  0);
}

int PavorunCircleTable::FindIdBySpace(int day, int blockId, int spaceNo, int spaceNoSub) {
  if (!HasDatabase()) return 0;
  return QueryInt(FormatSql("select id from PavorunCircle where pavorunNo=%d AND day=%d AND "
                            "blockId=%d AND spaceNo=%d AND spaceNoSub=%d;",
                            EventNo(), day, blockId, spaceNo, spaceNoSub),
                  0);
}

int PavorunCircleTable::FindIdByUpdateId(int updateId) {
  if (!HasDatabase()) return 0;
  return QueryInt(FormatSql("select id from PavorunCircle where pavorunNo=%d AND updateId=%d;",
                            EventNo(), updateId),
                  0);
}

int PavorunCircleTable::FindPageFrom(int page) {
  if (!HasDatabase()) return lastPage_;
  // The planner would otherwise scan the event's rows for the minimum.
  return QueryInt(FormatSql("select pageNo from PavorunCircle INDEXED BY PavorunCirclePage "
                            "where pageNo>=%d AND pavorunNo=%d order by pageNo limit 1;",
                            page, EventNo()),
                  0);
}

int PavorunCircleTable::GetNextPage(int page) {
  if (!HasDatabase()) return lastPage_;
  // Walks the page index from `page` on; the planner would otherwise scan the event's rows.
  return QueryInt(FormatSql("select pageNo from PavorunCircle INDEXED BY PavorunCirclePage "
                            "where pageNo>%d AND pavorunNo=%d order by pageNo limit 1;",
                            page, EventNo()),
                  0);
}

int PavorunCircleTable::GetPrevPage(int page) {
  if (!HasDatabase()) return firstPage_;
  return QueryInt(FormatSql("select pageNo from PavorunCircle INDEXED BY PavorunCirclePage "
                            "where pageNo<%d AND pavorunNo=%d order by pageNo desc limit 1;",
                            page, EventNo()),
                  0);
}

int PavorunCircleTable::InsertRow(const CircleRecord& r) {
  std::string sql = "insert into PavorunCircle values(";
  for (int v : {EventNo(), r.id, r.pageNo, r.cutIndex, r.day, r.blockId, r.spaceNo, r.spaceNoSub,
                r.genreId}) {
    AppendSqlInt(sql, v);
  }
  for (const std::string* text : {&r.circleName, &r.circleKana, &r.penName, &r.bookName, &r.url,
                                  &r.mailAddr, &r.description}) {
    AppendSqlQuotedField(sql, *text);
  }
  AppendSqlQuotedField(sql, std::string_view());  // memo lives in the checklist
  AppendSqlInt(sql, r.updateId);
  AppendSqlQuotedField(sql, r.updateData);
  AppendSqlQuotedField(sql, r.orbalink);
  AppendSqlQuotedField(sql, r.rss);
  AppendSqlInt(sql, 0);
  AppendSqlQuotedField(sql, r.twitter);
  AppendSqlQuotedField(sql, r.pixiv);
  CloseSqlValues(sql);
  return ExecWrite(sql);
}

int PavorunCircleTable::UpdateCircle(const CircleRecord& r) {
  std::string sql = "update PavorunCircle SET ";
  const std::pair<const char*, const std::string*> fields[] = {
      {"penName=", &r.penName},     {", bookName=", &r.bookName},     {", url=", &r.url},
      {", mailAddr=", &r.mailAddr}, {", updateData=", &r.updateData}, {", orbalink=", &r.orbalink},
      {", rss=", &r.rss},           {", twitter=", &r.twitter},       {", pixiv=", &r.pixiv}};
  for (const auto& [name, value] : fields) {
    AppendSqlText(sql, name);
    AppendSqlQuoted(sql, *value);
  }
  AppendSqlText(sql, FormatSql(", updateFlag=1 WHERE id=%d AND pavorunNo=%d", r.id, EventNo()));
  return ExecWrite(sql);
}

}  // namespace vx
