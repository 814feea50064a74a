// A controller with nine check colours for the colour menu and the colour bars: colour 1 red and
// named "赤", colour 2 named "A&B", the others unnamed; colour 3 (index 2) current.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

namespace vxtest {

class ColorControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    values.fvrColorNum = 9;
    for (int i = 0; i < vx::kMaxCheckColors; ++i) values.fvrColors[i] = 0x102030u * (i + 1);
    values.fvrColors[0] = 0x0000FF;  // red as COLORREF
    SetName(0, "赤");
    SetName(1, "A&B");
    values.fvrColorDef = 2;
    ASSERT_TRUE(controller.Init(&db, &images, &values));
  }

  void SetName(int index, const char* utf8) {
    std::snprintf(values.fvrColorNames[index], vx::kColorNameSize, "%s", vx::Sjis(utf8).c_str());
  }
  // The colours of the settings become the checklist's, as after a change of colours.
  void ChangeColors(int count) {
    values.fvrColorNum = count;
    controller.LoadColorTable();
  }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::CatalogController controller{nullptr, {}};
};

}  // namespace vxtest
