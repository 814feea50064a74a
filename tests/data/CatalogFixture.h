// A fresh database holding the small sample catalogue of TestCatalog.h as event 90.
#pragma once

#include "data/PavorunDatabase.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace vxtest {

class CatalogFixture : public ::testing::Test {
 protected:
  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    BuildSampleCatalog(db, 90);
  }
};

}  // namespace vxtest
