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

TEST(CircleRowInserter, WritesTheSameRowAsTheTablesInsertAndAnswersRefusals) {
  vxtest::TempDir dir;
  vx::PavorunDatabase db(dir.path());
  db.SetEventNo(96);
  vx::CircleRowInserter missingTable(db);
  EXPECT_EQ(missingTable.Insert(vx::CircleRecord{}), 1);
  EXPECT_NE(missingTable.Error().find("no such table"), std::string::npos);

  ASSERT_EQ(db.CircleTable().ClearEvent(), 0);
  // Every column with its storage class, so that '' and NULL or 1 and '1' differ.
  std::string columns = "*";
  for (const char* name : {"circleName", "circleKana", "description", "memo", "updateData",
                           "updateFlag", "pixiv", "pageNo", "spaceNoSub", "updateId"}) {
    columns += std::string(",typeof(") + name + ")";
  }
  const std::string query = "select " + columns + " from PavorunCircle where id=1;";
  vx::CircleRecord full = vxtest::MakeCircle(1, 12, 3, 2, 4, 7, 1, 5, vx::Sjis("名前's"));
  full.circleKana = vx::Sjis("なまえ");
  full.description = "line\r\nbreak";
  full.memo = "never stored";
  full.updateData = "u";
  full.pixiv = "p";
  full.updateFlag = 1;
  vx::CircleRecord empty;  // every text empty, every number 0
  empty.id = 1;
  for (const vx::CircleRecord& record : {full, empty}) {
    ASSERT_EQ(db.CircleTable().InsertRow(record), 0);
    const std::vector<std::string> expected = vxtest::QueryTexts(db, query);
    ASSERT_EQ(db.CircleTable().ClearEvent(), 0);
    vx::CircleRowInserter inserter(db);
    ASSERT_EQ(inserter.Insert(record), 0) << inserter.Error();
    EXPECT_EQ(vxtest::QueryTexts(db, query), expected);
    EXPECT_EQ(inserter.Insert(record), 19) << "a duplicate id breaks the key";
    vx::CircleRecord next = record;
    next.id = 2;
    EXPECT_EQ(inserter.Insert(next), 0) << "the statement is reusable after a refusal";
    ASSERT_EQ(db.CircleTable().ClearEvent(), 0);
  }
}

}  // namespace
