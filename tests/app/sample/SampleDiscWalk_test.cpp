// The controller walking the whole installed sample catalogue cut by cut: every placed circle is
// met once, in page and cut order, with the page slots and the page picture always those of the
// current page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "res/ResourceIds.h"
#include "tests/app/FakeWindows.h"
#include "tests/support/TempDir.h"
#include "tools/install/InstallCommand.h"

namespace {

constexpr int kEvent = 96;

struct Place {
  int page;
  int cut;
  int id;
  friend bool operator==(const Place&, const Place&) = default;
};

class SampleDiscWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* disc = std::getenv("VX_SAMPLE_DISC");
    ASSERT_NE(disc, nullptr);
    std::ostringstream out, err;
    ASSERT_EQ(vx::install::RunInstall({disc, (dir / "vindaxel96.db").string()}, out, err), 0)
        << err.str();
    db = std::make_unique<vx::PavorunDatabase>(dir.path());
    db->SelectEvent(kEvent);
    images.Open(disc, kEvent);
    images.SetCutGeometry(db->GetEventInfo());
    values.eventNumber = kEvent;
    ASSERT_TRUE(controller.Init(db.get(), &images, &values));
    ASSERT_TRUE(controller.RegisterWindow(vx::kMainWindowId, &frame, "main"));
  }

  // The placed circles as the catalogue orders them.
  std::vector<Place> PlacedCircles() {
    std::vector<Place> places;
    db->ExecRows("select pageNo,cutIndex,id from PavorunCircle where pavorunNo=96 and pageNo>0 "
                 "order by pageNo,cutIndex;",
                 [&](int, char** columns) {
                   places.push_back(
                       {std::atoi(columns[0]), std::atoi(columns[1]), std::atoi(columns[2])});
                   return 0;
                 });
    return places;
  }

  // Moves until the place stops changing; every occupied cut met is checked and kept.
  std::vector<Place> Walk(void (vx::CatalogController::*move)()) {
    std::vector<Place> met;
    for (;;) {
      const vx::CircleRecord& here = controller.CurrentCircle();
      if (here.id > 0) {
        met.push_back({here.pageNo, here.cutIndex, here.id});
        EXPECT_EQ(controller.GetPageCutCircleId(here.cutIndex), here.id);
        EXPECT_TRUE(controller.HasPageImage()) << "page " << here.pageNo;
      }
      const std::pair before(here.pageNo, here.cutIndex);
      (controller.*move)();
      if (std::pair(controller.GetCurrentPage(), controller.GetCurrentCut()) == before) break;
    }
    return met;
  }

  vxtest::TempDir dir;
  std::unique_ptr<vx::PavorunDatabase> db;
  vx::CatalogImages images;
  vx::SettingsValues values{};
  std::vector<vxtest::Delivery> log;
  vxtest::FakeFrame frame{"main", &log};
  vx::CatalogController controller{nullptr, {}};
};

TEST_F(SampleDiscWalk, NextCutMeetsEveryPlacedCircleOnceInOrder) {
  const std::vector<Place> expected = PlacedCircles();
  ASSERT_FALSE(expected.empty());
  controller.JumpTo(controller.GetFirstPage(), 1, false);
  EXPECT_EQ(Walk(&vx::CatalogController::SelectNextCut), expected);
  EXPECT_EQ(controller.GetCurrentPage(), controller.GetLastPage());

  int pageMessages = 0;
  for (const vxtest::Delivery& d : log) pageMessages += d.message == UM_PAGE_CHANGED;
  int pages = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    pages += i == 0 || expected[i].page != expected[i - 1].page;
  }
  EXPECT_EQ(pageMessages, pages);
}

TEST_F(SampleDiscWalk, PrevCutMeetsThemInReverse) {
  std::vector<Place> expected = PlacedCircles();
  std::reverse(expected.begin(), expected.end());
  controller.JumpTo(controller.GetLastPage(), controller.GetCutsPerPage(), false);
  EXPECT_EQ(Walk(&vx::CatalogController::SelectPrevCut), expected);
}

}  // namespace
