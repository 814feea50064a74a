// A checklist store over the small test catalogue (event 89, which still has feeds), the test
// server its circles' feed addresses point at, and the web services configuration.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"
#include "tests/web/support/TestHttpServer.h"
#include "web/WebServiceConfig.h"

namespace vxtest {

class FeedFetchFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    BuildSampleCatalog(db, 89);
    store = std::make_unique<vx::FavoriteStore>(db);
  }

  // Checks the circle with `color`, points its feed address at `path` of the test server (none
  // when empty) and gives it the fetched text `oldText` (CP932).
  void Check(int id, int color, const std::string& path, const std::string& oldText = "old") {
    ASSERT_TRUE(store->SetColorAndMemo(id, color, color == 0 ? "memo" : ""));
    store->ForEachChecked([&](vx::FavoriteEntry& entry) {
      if (entry.record.id == id) {
        entry.record.rss = path.empty() ? "" : server.Url(path);
        entry.record.SetRssInfo(oldText);
      }
      return true;
    });
  }

  // The fetched text of every checked circle, UTF-8.
  std::map<int, std::string> Texts() {
    std::map<int, std::string> texts;
    store->ForEachChecked([&](vx::FavoriteEntry& entry) {
      texts[entry.record.id] = vx::Cp932ToUtf8(entry.record.rssInfo);
      return true;
    });
    return texts;
  }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  std::unique_ptr<vx::FavoriteStore> store;
  TestHttpServer server;
  vx::WebServiceConfig config;
};

}  // namespace vxtest
