#include "data/CircleRowInserter.h"

#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every column with its storage class, so that '' and NULL or 1 and '1' differ.
std::vector<std::string> StoredRow(vx::PavorunDatabase& db, int id) {
  std::string columns;
  for (const char* name :
       {"pavorunNo", "id", "pageNo", "cutIndex", "day", "blockId", "spaceNo", "spaceNoSub",
        "genreId", "circleName", "circleKana", "penName", "bookName", "url", "mailAddr",
        "description", "memo", "updateId", "updateData", "orbalink", "rss", "updateFlag",
        "twitter", "pixiv"}) {
    if (!columns.empty()) columns += ",";
    columns += std::string("typeof(") + name + ")||':'||quote(" + name + ")";
  }
  return vxtest::QueryTexts(db, "select " + columns + " from PavorunCircle where id=" +
                                    std::to_string(id) + ";");
}

TEST(CircleRowInserter, WritesTheSameRowAsTheTablesInsert) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path());
  db.SetEventNo(96);
  ASSERT_EQ(db.CircleTable().ClearEvent(), 0);
  vx::CircleRecord full = vxtest::MakeCircle(1, 12, 3, 2, 4, 7, 1, 5, vx::Sjis("名前's"));
  full.circleKana = vx::Sjis("なまえ");
  full.description = "line\r\nbreak";
  full.memo = "never stored";
  full.updateData = "u";
  full.twitter = "t";
  full.pixiv = "p";
  full.updateFlag = 1;
  vx::CircleRecord empty;  // every text empty, every number 0
  for (vx::CircleRecord record : {full, empty}) {
    record.id = 1;
    ASSERT_EQ(db.CircleTable().InsertRow(record), 0);
    const std::vector<std::string> expected = StoredRow(db, 1);
    ASSERT_EQ(db.CircleTable().ClearEvent(), 0);
    vx::CircleRowInserter inserter(db);
    ASSERT_EQ(inserter.Insert(record), 0) << inserter.Error();
    EXPECT_EQ(StoredRow(db, 1), expected);
    ASSERT_EQ(db.CircleTable().ClearEvent(), 0);
  }
}

TEST(CircleRowInserter, RefusedRowsAnswerTheEngineCodeAndText) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path());
  db.SetEventNo(96);
  vx::CircleRowInserter missingTable(db);
  EXPECT_EQ(missingTable.Insert(vx::CircleRecord{}), 1);
  EXPECT_NE(missingTable.Error().find("no such table"), std::string::npos);

  ASSERT_EQ(db.CircleTable().ClearEvent(), 0);
  vx::CircleRowInserter inserter(db);
  vx::CircleRecord record;
  record.id = 3;
  EXPECT_EQ(inserter.Insert(record), 0);
  EXPECT_EQ(inserter.Insert(record), 19) << "a duplicate id breaks the key";
  record.id = 4;
  EXPECT_EQ(inserter.Insert(record), 0) << "the statement is reusable after a refusal";
  EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 96), 2);
}

}  // namespace
