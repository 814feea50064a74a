// The small sample disc installed once per suite, the catalogue controller over it with the
// program's checklist store and image store, and the engine's data source over the controller.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/AppSettings.h"
#include "app/BookmarkList.h"
#include "app/CatalogController.h"
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "print/CatalogPrintDataSource.h"
#include "print/PrintEngineState.h"
#include "tests/data/InstalledSampleDisc.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/support/TempDir.h"

namespace vxtest {

inline std::unique_ptr<InstalledSampleDisc>& SampleInstallation() {
  static std::unique_ptr<InstalledSampleDisc> sample;
  return sample;
}

class SampleCatalogFixture : public EngineTest {
 protected:
  static void SetUpTestSuite() { SampleInstallation() = InstalledSampleDisc::Install(); }
  static void TearDownTestSuite() { SampleInstallation().reset(); }

  void SetUp() override {
    EngineTest::SetUp();
    if (!SampleInstallation()) GTEST_SKIP() << "VX_SAMPLE_DISC is not set";
    vx::AppSettings settings(settingsFolder.Path());
    settings.LoadSystemGroup();
    vx::BookmarkList bookmarks;
    settings.LoadEventGroup(96, bookmarks);  // the map picture templates
    values = settings.Values();
    images.Open(SampleInstallation()->Disc(), 96);
    images.SetCutGeometry(Db().GetEventInfo());
    ASSERT_TRUE(controller.Init(&Db(), &images, &values));
    for (int i = 0; i < 9; ++i) {
      Store().SetColorDef(i, 0, 0x000010 * (i + 1), vx::Sjis("色") + std::to_string(i + 1));
    }
    SetContext(&catalog, SampleInstallation()->Disc());
  }

  vx::FavoriteStore& Store() { return *controller.GetFavoriteStore(); }
  vx::PavorunDatabase& Db() { return SampleInstallation()->Database(); }
  const vx::PrintCatalogTables& Tables() { return vx::PrintEngine_State().tables; }

  TempDir settingsFolder;
  vx::SettingsValues values{};
  vx::CatalogImages images;
  vx::CatalogController controller{nullptr, {}};
  vx::CatalogPrintDataSource catalog{controller};
};

}  // namespace vxtest
