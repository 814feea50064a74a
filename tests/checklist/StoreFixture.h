// A checklist store over a small catalogue built in the test (tests/data/TestCatalog.h): event 96
// with circles 1 to 6 (update ids 1001 to 1006).
#pragma once

#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vxtest {

class StoreFixture : public ::testing::Test {
 protected:
  void SetUp() override { OpenCatalog(96); }

  void OpenCatalog(int eventNo) {
    store_.reset();
    db_ = std::make_unique<vx::PavorunDatabase>(dir_.path());
    ASSERT_TRUE(db_->IsOpen()) << db_->LastError();
    BuildSampleCatalog(*db_, eventNo);
    store_ = std::make_unique<vx::FavoriteStore>(*db_);
  }

  vx::FavoriteStore& store() { return *store_; }
  vx::PavorunDatabase& db() { return *db_; }

  // Circle ids of the checked entries in print order.
  std::vector<int> PrintOrderIds() const {
    std::vector<int> ids;
    store_->ForEachInPrintOrder([&](const vx::FavoriteEntry& e) {
      ids.push_back(e.record.id);
      return true;
    });
    return ids;
  }

  TempDir dir_;
  std::unique_ptr<vx::PavorunDatabase> db_;
  std::unique_ptr<vx::FavoriteStore> store_;
};

}  // namespace vxtest
