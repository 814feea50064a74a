#include "tools/sample-disc/CatalogBuilder.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/tools/sample-disc/DiscReading.h"

namespace vx::sampledisc {
namespace {

using vxtest::Sj;

Catalog Small(std::uint64_t seed = 1, RomForm rom = RomForm::kDays) {
  SampleOptions options;
  options.seed = seed;
  options.rom = rom;
  return BuildCatalog(options);
}

bool Contains(const Rect& r, int x, int y) { return x > r.x && x < r.x + r.w && y > r.y && y < r.y + r.h; }

TEST(CatalogBuilderTest, WeekdaysOfKnownDates) {
  EXPECT_EQ(WeekdayOf(2022, 12, 30), 6);  // Friday
  EXPECT_EQ(WeekdayOf(2023, 1, 1), 1);    // Sunday
  EXPECT_EQ(WeekdayOf(2024, 2, 29), 5);   // Thursday
  EXPECT_EQ(WeekdayOf(2000, 3, 1), 4);    // Wednesday
}

TEST(CatalogBuilderTest, SmallEventHasTwoDaysTwoMapsAndAboutThreeHundredCircles) {
  const Catalog c = Small();
  EXPECT_EQ(c.event, 96);
  EXPECT_EQ(c.eventName, Sj("ヴェラストレード96"));
  ASSERT_EQ(c.days.size(), 2u);
  EXPECT_EQ(c.maps.size(), 2u);
  EXPECT_GE(c.circles.size(), 280u);
  EXPECT_LE(c.circles.size(), 320u);
  // Consecutive days, so each weekday mark names exactly one day.
  EXPECT_NE(c.days[0].weekday, c.days[1].weekday);
  for (const EventDay& day : c.days) EXPECT_EQ(day.weekday, WeekdayOf(day.year, day.month, day.day));
}

TEST(CatalogBuilderTest, FullEventCrossesTheYearOnItsThirdDay) {
  SampleOptions options;
  options.size = CatalogSize::kFull;
  const Catalog c = BuildCatalog(options);
  ASSERT_EQ(c.days.size(), 3u);
  EXPECT_EQ(c.days[2].year, c.days[0].year + 1);
  EXPECT_EQ(c.days[2].month, 1);
  EXPECT_EQ(c.days[2].day, 1);
  EXPECT_GT(c.circles.size(), 32000u);
  EXPECT_LT(c.circles.size(), 34500u);
}

TEST(CatalogBuilderTest, EveryIdTheCirclesUseExists) {
  const Catalog c = Small();
  for (std::size_t i = 0; i < c.circles.size(); ++i) {
    const Circle& circle = c.circles[i];
    EXPECT_EQ(circle.id, static_cast<int>(i) + 1);
    ASSERT_GE(circle.genreId, 1);
    ASSERT_LE(circle.genreId, static_cast<int>(c.genres.size()));
    if (circle.day == 0) {
      EXPECT_EQ(circle.pageNo, 0);
      EXPECT_EQ(circle.cutIndex, 0);
      EXPECT_EQ(circle.blockId, 0);
      EXPECT_EQ(circle.spaceNo, 0);
      continue;
    }
    ASSERT_LE(circle.day, static_cast<int>(c.days.size()));
    ASSERT_GE(circle.blockId, 1);
    ASSERT_LE(circle.blockId, static_cast<int>(c.blocks.size()));
    const Desk* desk = c.FindDesk(circle.blockId, circle.spaceNo);
    ASSERT_NE(desk, nullptr) << "circle " << circle.id;
    const HallArea& area = c.AreaById(c.BlockById(circle.blockId).areaId);
    EXPECT_EQ(desk->mapId, area.mapId);
    EXPECT_TRUE(Contains(area.print, desk->x, desk->y)) << "circle " << circle.id;
  }
}

TEST(CatalogBuilderTest, DesksLieInExactlyOneAreaOfTheirMap) {
  const Catalog c = Small();
  for (const Desk& desk : c.desks) {
    int areas = 0;
    for (const HallArea& area : c.areas) areas += area.mapId == desk.mapId && Contains(area.print, desk.x, desk.y);
    EXPECT_EQ(areas, 1) << "block " << desk.blockId << " space " << desk.spaceNo;
    EXPECT_GE(desk.layout, 1);
    EXPECT_LE(desk.layout, 4);
    const HallMap& map = c.MapById(desk.mapId);
    EXPECT_LE(desk.x + c.geometry.deskW, map.width);
    EXPECT_LE(desk.y + c.geometry.deskH, map.height);
  }
  std::set<int> layouts;
  for (const Desk& desk : c.desks) layouts.insert(desk.layout);
  EXPECT_EQ(layouts, (std::set<int>{1, 2, 3, 4}));
}

TEST(CatalogBuilderTest, PagesHoldEachPlacedCircleAtItsPageAndCut) {
  const Catalog c = Small();
  int placed = 0;
  int previousPage = 1;
  for (const CatalogPage& page : c.pages) {
    EXPECT_EQ(page.pageNo, previousPage + 1);
    previousPage = page.pageNo;
    for (int i = 0; i < Geometry::kCellsPerPage; ++i) {
      const PageCell& cell = page.cells[i];
      if (cell.kind == PageCell::kBlockTitle) {
        // Two cells of one row, and the block's space 1a right after them on the same page.
        ASSERT_LT(i % Geometry::kColumns, Geometry::kColumns - 1);
        ASSERT_LT(i + 2, Geometry::kCellsPerPage);
        EXPECT_EQ(page.cells[i + 1].kind, PageCell::kTitleTail);
        const PageCell& first = page.cells[i + 2];
        ASSERT_EQ(first.kind, PageCell::kCircle);
        EXPECT_EQ(c.circles[first.circleIndex].spaceNo, 1);
        EXPECT_EQ(c.circles[first.circleIndex].blockId, cell.blockId);
      }
      if (cell.kind != PageCell::kCircle) continue;
      const Circle& circle = c.circles[cell.circleIndex];
      EXPECT_EQ(circle.pageNo, page.pageNo);
      EXPECT_EQ(circle.cutIndex, i + 1);
      EXPECT_EQ(circle.day, page.day);
      ++placed;
    }
  }
  EXPECT_EQ(placed, c.PlacedCircleCount());
}

TEST(CatalogBuilderTest, HalvesAlternateSoTheImportDerivesThem) {
  // The import derives half b from a repeated space number; a and b of one space must follow
  // each other directly, and a vacant half must be a b.
  const Catalog c = Small();
  int remembered = 0;
  for (const Circle& circle : c.circles) {
    int derived = 0;
    if (circle.spaceNo != 0) {
      derived = circle.spaceNo == remembered ? 1 : 0;
      if (!derived) remembered = circle.spaceNo;
    }
    EXPECT_EQ(derived, circle.spaceNoSub) << "circle " << circle.id;
  }
}

TEST(CatalogBuilderTest, VacanciesAndErrataRowsAgree) {
  const Catalog c = Small();
  std::set<std::tuple<int, int, int, int>> vacant;
  int withPicture = 0;
  for (const CatalogPage& page : c.pages) {
    for (int i = 0; i < Geometry::kCellsPerPage; ++i) {
      const PageCell& cell = page.cells[i];
      if (cell.kind != PageCell::kVacancy) continue;
      EXPECT_NE(i, 0) << "a page starts with a vacancy";
      EXPECT_EQ(cell.spaceNoSub, 1);
      vacant.insert({page.day, cell.blockId, cell.spaceNo, cell.spaceNoSub});
      withPicture += cell.jikoNo > 0;
    }
  }
  // Block 2 space 3b (errata picture = day) and block 3 space 4b (none) on every day.
  EXPECT_TRUE(vacant.count({1, 2, 3, 1}));
  EXPECT_TRUE(vacant.count({2, 3, 4, 1}));
  EXPECT_EQ(withPicture, static_cast<int>(c.errata.size()));
  ASSERT_GE(c.errata.size(), 2u);
  for (const Errata& e : c.errata) {
    EXPECT_TRUE(vacant.count({e.day, e.blockId, e.spaceNo, e.spaceNoSub}));
    EXPECT_GE(e.jikoNo, 1);
    EXPECT_LE(e.jikoNo, c.errataPictureCount);
  }
}

TEST(CatalogBuilderTest, SpecialCirclesSitAtFixedPlaces) {
  const Catalog c = Small();
  const SpecialCircles& s = c.special;
  auto at = [&](int index) { return c.circles.at(index); };
  EXPECT_EQ(at(s.hiraganaGakkou).name, Sj("がっこう"));
  EXPECT_EQ(at(s.hiraganaGakkou).id, 1);
  EXPECT_EQ(at(s.katakanaGakkou).name, Sj("ガッコウ"));
  EXPECT_EQ(at(s.katakanaGakkou).day, 2);
  EXPECT_EQ(at(s.halfWidthGakkou).name, "\xB6\xDE\xAF\xBA\xB3");  // ｶﾞｯｺｳ, single bytes
  EXPECT_EQ(at(s.halfWidthGakkou).day, 0);
  for (int index : {s.hiraganaGakkou, s.katakanaGakkou, s.halfWidthGakkou}) {
    EXPECT_EQ(at(index).kana, Sj("ガッコウ"));
  }
  EXPECT_EQ(at(s.apostrophe).name, "\x82\xCB\x82\xB1's Cafe");
  EXPECT_EQ(at(s.apostrophe).id, 2);
  EXPECT_TRUE(at(s.emptyName).name.empty());
  EXPECT_EQ(at(s.emptyName).id, 4);
  EXPECT_EQ(at(s.emptyName).spaceNoSub, 1);
  std::set<std::string> pens;
  for (int index : s.sameName) {
    EXPECT_EQ(at(index).name, Sj("みかん箱"));
    pens.insert(at(index).penName);
  }
  EXPECT_EQ(pens.size(), 3u);
  EXPECT_NE(at(s.backslash).description.find("C:\\vx\\memo"), std::string::npos);
}

TEST(CatalogBuilderTest, UpdateIdsFollowTheCircleFileForm) {
  const Catalog days = Small(1, RomForm::kDays);
  for (const Circle& circle : days.circles) EXPECT_EQ(circle.updateId, circle.id);
  const Catalog single = Small(1, RomForm::kSingle);
  std::set<int> ids;
  for (const Circle& circle : single.circles) {
    EXPECT_GT(circle.updateId, 100000);
    EXPECT_LE(circle.updateId, 100000 + static_cast<int>(single.circles.size()));
    ids.insert(circle.updateId);
  }
  EXPECT_EQ(ids.size(), single.circles.size());
  int inOrder = 0;
  for (const Circle& circle : single.circles) inOrder += circle.updateId == 100000 + circle.id;
  EXPECT_LT(inOrder, 20) << "update ids are expected shuffled";
}

TEST(CatalogBuilderTest, TextsFitTheirColumnsAndLinksStayUnique) {
  const Catalog c = Small();
  std::set<std::string> twitter, pixiv;
  for (const Circle& circle : c.circles) {
    EXPECT_LE(circle.name.size(), 32u);
    EXPECT_LE(circle.kana.size(), 32u);
    EXPECT_TRUE(vxtest::IsCp932(circle.name + circle.kana + circle.penName + circle.bookName +
                                circle.description + circle.updateData));
    for (const std::string* text : {&circle.name, &circle.penName, &circle.description}) {
      EXPECT_EQ(text->find_first_of("\t\r\n"), std::string::npos);
    }
    if (!circle.twitter.empty()) {
      EXPECT_TRUE(twitter.insert(circle.twitter).second);
    }
    if (!circle.pixiv.empty()) {
      EXPECT_TRUE(pixiv.insert(circle.pixiv).second);
    }
    if (!circle.url.empty()) {
      EXPECT_NE(circle.url.find(".example."), std::string::npos);
    }
  }
  EXPECT_GT(twitter.size(), c.circles.size() / 4);
}

TEST(CatalogBuilderTest, SameSeedSameCatalogOtherSeedAnother) {
  const Catalog a = Small(5), b = Small(5), other = Small(6);
  ASSERT_EQ(a.circles.size(), b.circles.size());
  for (std::size_t i = 0; i < a.circles.size(); ++i) {
    EXPECT_EQ(a.circles[i].name, b.circles[i].name);
    EXPECT_EQ(a.circles[i].genreId, b.circles[i].genreId);
    EXPECT_EQ(a.circles[i].pageNo, b.circles[i].pageNo);
  }
  int differing = 0;
  for (std::size_t i = 0; i < std::min(a.circles.size(), other.circles.size()); ++i) {
    differing += a.circles[i].name != other.circles[i].name;
  }
  EXPECT_GT(differing, static_cast<int>(a.circles.size()) / 2);
}

}  // namespace
}  // namespace vx::sampledisc
