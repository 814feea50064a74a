// A checklist store over the small test catalogue (tests/data/TestCatalog.h): event 96 with
// circles 1 to 6 (update ids 1001 to 1006); and checklist records built field by field.
#pragma once

#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vxtest {

// A record of `count` fields, all empty but those given, each followed by ",", then CR LF.
inline std::string RecordLine(int count, const std::map<int, std::string>& fields) {
  std::string line;
  for (int i = 0; i < count; ++i) line += (fields.contains(i) ? fields.at(i) : "") + ",";
  return line + "\r\n";
}

inline std::string CircleLine(std::map<int, std::string> fields) {
  fields[0] = "Circle";
  return RecordLine(28, fields);
}

inline std::string HeaderLine(int eventNo, const std::string& encoding = "Shift_JIS") {
  return "Header,VellastradeCD-ROMCatalog,Vellastrade" + std::to_string(eventNo) + "," + encoding +
         ",Windows 1.96.1\r\n";
}

inline std::string MagicLine(int eventNo) {
  return "QUILLOR,104,Vellastrade" + std::to_string(eventNo) + ",Windows\r\n";
}

class StoreFixture : public ::testing::Test {
 protected:
  void SetUp() override { OpenCatalog(96); }

  void OpenCatalog(int eventNo) {
    store_.reset();
    db_ = std::make_unique<vx::PavorunDatabase>(dir_.Path());
    ASSERT_TRUE(db_->IsOpen()) << db_->LastError();
    BuildSampleCatalog(*db_, eventNo);
    store_ = std::make_unique<vx::FavoriteStore>(*db_);
  }

  // Colours 1 and 2; catalogue circle 7 with every text, checked with a memo; an unknown circle
  // with the same texts; circle 6 (no space) checked; circle 3 unchecked; circle 4 memo only. The
  // texts hold commas, quotes, line breaks, backslashes and 表 (its second byte is a backslash).
  void FillStore() {
    vx::CircleRecord r = MakeCircle(7, 3, 1, 3, 3, 1, 1, 1, "Rich, \"Circle\"");
    r.circleKana = vx::Sjis("リッチ");
    r.penName = "Pen";
    r.bookName = "Book";
    r.url = "http://x/";
    r.mailAddr = "m@x";
    r.description = vx::Sjis("C:\\vx\r\n表n");
    r.updateData = "u\\v\r\nw";
    r.orbalink = "o";
    r.rss = "r";
    r.twitter = "tw";
    r.pixiv = "px";
    InsertCircle(Db(), r);
    Store().SetColorDef(0, 0x0000ff, 0x000000, vx::Sjis("赤"));
    Store().SetColorDef(1, 0x0080ff, 0x0080ff, vx::Sjis("橙, \"注意\""));
    Store().SetColorAndMemo(7, 2, "a,b \"q\"\r\nnext");
    r.memo = "m";
    Store().AddUnknownCircle(5, r);
    Store().ForEachChecked([](vx::FavoriteEntry& e) {
      e.record.SetRssInfo("feed\r\n" + std::to_string(e.record.id % 10));
      return true;
    });
    Store().SetColor(6, 1);
    Store().SetColor(3, 1);
    Store().SetColor(3, -1);
    Store().SetColorAndMemo(4, 0, "note");
  }

  vx::FavoriteStore& Store() { return *store_; }
  vx::PavorunDatabase& Db() { return *db_; }
  const std::vector<vx::FavoriteImportRecord>& Rows() const { return store_->GetImportRecords(); }

  // Circle ids in the order a walk visits them.
  static std::vector<int> Ids(
      const std::function<void(const vx::FavoriteStore::EntryVisitor&)>& walk) {
    std::vector<int> ids;
    walk([&](const vx::FavoriteEntry& e) {
      ids.push_back(e.record.id);
      return true;
    });
    return ids;
  }

  std::vector<int> PrintOrderIds() {
    return Ids([&](const auto& visit) { Store().ForEachInPrintOrder(visit); });
  }

  // The circle id of every import row (0 for an unknown circle or a group's skip row).
  std::vector<int> RowIds() const {
    std::vector<int> ids;
    for (const vx::FavoriteImportRecord& row : Rows()) ids.push_back(row.circleId);
    return ids;
  }

  TempDir dir_;
  std::unique_ptr<vx::PavorunDatabase> db_;
  std::unique_ptr<vx::FavoriteStore> store_;
};

}  // namespace vxtest
