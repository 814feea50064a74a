#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/app/ControllerFixture.h"

namespace {

namespace fs = std::filesystem;
using ControllerTest = vxtest::ControllerTest;

struct MapPathCase {
  const char* mapTemplate;
  const char* fileOnDisc;  // under the image folder; null: none
  const char* expected;    // under the image folder; null: empty path
};

// The templates come from the user's settings file: a conversion that does not take the day and
// then the map's file stem gives no path at all, never a formatting call on the wrong arguments.
TEST_F(ControllerTest, MapPathsComeFromACheckedTemplateAndAreFoundWithoutRegardToCase) {
  const MapPathCase cases[] = {
      {"MDATA/MAP%1d%s.PNG", "MDATA/MAP2e123.PNG", "MDATA/MAP2e123.PNG"},
      {"MDATA/MAP%1d%s.PNG", "mdata/map2E123.png", "mdata/map2E123.png"},
      {"MDATA\\MAP%1d%s.PNG", "MDATA/MAP2e123.PNG", "MDATA/MAP2e123.PNG"},
      {"MDATA/MAP%1d%s.PNG", nullptr, "MDATA/MAP2e123.PNG"},
      {"MDATA/MAP%d.PNG", nullptr, "MDATA/MAP2.PNG"},
      {"MDATA/MAP%s%d.PNG", "MDATA/MAP2e123.PNG", nullptr},
      {"MDATA/MAP%d%s%s.PNG", nullptr, nullptr},
      {"MDATA/MAP%n%s.PNG", nullptr, nullptr},
      {"", nullptr, nullptr},
  };
  for (const MapPathCase& c : cases) {
    vxtest::TempDir folder;
    if (c.fileOnDisc) {
      fs::create_directories((folder.Path() / c.fileOnDisc).parent_path());
      vxtest::WriteFileBytes(folder.Path() / c.fileOnDisc, "png");
    }
    std::snprintf(values.mdataFile, sizeof values.mdataFile, "%s", c.mapTemplate);
    controller.SetImageFolder(folder.Path());
    const fs::path expected = c.expected ? folder.Path() / c.expected : fs::path();
    EXPECT_EQ(controller.GetMapImagePath(vx::CatalogController::kHallMap, 2, 1), expected)
        << c.mapTemplate;
  }
}

TEST_F(ControllerTest, GenreMapsHaveTheirOwnTemplateAndNothingComesBeforeAnImageFolder) {
  std::snprintf(values.gdataFile, sizeof values.gdataFile, "MDATA/GNR%%1d%%s.PNG");
  EXPECT_EQ(controller.GetMapImagePath(vx::CatalogController::kGenreMap, 1, 1), fs::path());
  controller.SetImageFolder(dir.Path());
  EXPECT_EQ(controller.GetMapImagePath(vx::CatalogController::kGenreMap, 1, 1),
            dir.Path() / "MDATA" / "GNR1e123.PNG");
}

}  // namespace
