#include "ui/map/HallMapView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "checklist/FavoriteStore.h"
#include "tests/ui/map/HallMapFixture.h"
#include "ui/map/HalfSpaceTable.h"
#include "ui/menus/ColorMenu.h"

namespace vxtest {
namespace {

TEST(HalfSpaceTableTest, EachLayoutSplitsTheDeskBetweenItsHalves) {
  const vx::HalfSpaceTable table(20, 10);
  const QRect left(0, 0, 10, 10), right(10, 0, 10, 10), top(0, 0, 20, 5), bottom(0, 5, 20, 5);
  const QRect expected[4][2] = {{left, right}, {bottom, top}, {right, left}, {top, bottom}};
  for (int layout = 1; layout <= 4; ++layout) {
    for (int half = 0; half < 2; ++half) {
      EXPECT_EQ(table.Half(layout, half), expected[layout - 1][half]) << layout << " " << half;
    }
  }
  for (const auto& [layout, half] : {std::pair{0, 0}, {5, 1}, {1, 2}, {1, -1}}) {
    EXPECT_TRUE(table.Half(layout, half).isNull()) << layout << " " << half;
  }
  EXPECT_EQ(vx::HalfSpaceTable(21, 11).Half(1, 1), QRect(10, 0, 11, 11));  // W/2 rounds down
  EXPECT_EQ(table.HalfAt(QPoint(100, 200), 2, 0), QRect(100, 205, 20, 5));
}

// Half a of circle 11 spans x 100..109 at y 200..209; half b of 12 spans x 110..119.
const QPoint kHalfA(102, 203), kHalfB(113, 203), kStripe(kStripeX, 203);

TEST_F(HallMapViewTest, TheCrossHairMarksTheMiddleOfTheCurrentHalfSpace) {
  EXPECT_EQ(view->CrossHair(), vx::HallMapView::kNoCrossHair);
  controller.SelectCircle(12, false);
  ASSERT_EQ(view->CrossHair(), QPoint(115, 205));
  const QImage shot = Shot();
  for (int y : {0, 100, shot.height() - 1})
    EXPECT_EQ(shot.pixel(115, y) & 0xFFFFFF, kCrossHair) << y;
  for (int x : {0, 300, shot.width() - 1})
    EXPECT_EQ(shot.pixel(x, 205) & 0xFFFFFF, kCrossHair) << x;
  EXPECT_EQ(shot.pixel(116, 100) & 0xFFFFFF, kWhite);  // one pixel wide

  // It follows the current circle, and the old lines go.
  controller.SelectCircle(13, false);  // layout 2: half a is the bottom half of (140, 200)
  EXPECT_EQ(view->CrossHair(), QPoint(150, 207));
  EXPECT_EQ(MapPixel({115, 100}), kWhite);
  EXPECT_EQ(MapPixel({150, 100}), kCrossHair);
}

TEST_F(HallMapViewTest, NoCrossHairForACircleOffTheMapShown) {
  const std::pair<int, QPoint> cases[] = {
      {21, vx::HallMapView::kOffMap},   // on map 2
      {51, vx::HallMapView::kOffMap},   // on day 2
      {41, vx::HallMapView::kOffMap},   // its hall is not among the maps
      {900, vx::HallMapView::kOffMap},  // no place at all
      {11, QPoint(105, 205)},
  };
  for (const auto& [circle, crossHair] : cases) {
    controller.SelectCircle(circle, false);
    EXPECT_EQ(view->CrossHair(), crossHair) << circle;
  }
}

// Choosing another map and coming back, or reloading the pictures, keeps the current circle's
// cross-hair where it was: the circle did not change, so no message would bring it back.
TEST_F(HallMapViewTest, TheCrossHairOutlivesAMapSwitch) {
  controller.SelectCircle(12, false);
  view->SelectMap(1);
  EXPECT_EQ(view->CrossHair(), vx::HallMapView::kOffMap);
  EXPECT_EQ(MapPixel({115, 100}), kWhite);
  view->SelectMap(0);
  EXPECT_EQ(view->CrossHair(), QPoint(115, 205));
  EXPECT_EQ(MapPixel({115, 100}), kCrossHair);
}

TEST_F(HallMapViewTest, ACheckIsAndedOntoTheMapInItsColour) {
  controller.SetCircleColor(1, 11);
  EXPECT_EQ(MapPixel(kHalfA), Rgb(kCheckColors[0]));
  EXPECT_EQ(MapPixel(kStripe), kBlack);  // the map's lines stay
  EXPECT_EQ(MapPixel(kHalfB), kWhite);   // the other half is another circle's
  controller.SetCircleColor(3, 11);
  EXPECT_EQ(MapPixel(kHalfA), Rgb(kCheckColors[2]));
  controller.SetCircleMemo("memo", 12);  // memo only: no colour
  EXPECT_EQ(MapPixel(kHalfB), kWhite);
  controller.UncheckCircle(11);
  EXPECT_EQ(MapPixel(kHalfA), kWhite);
  const int both[] = {11, 12};  // at once
  controller.SetCirclesColor(both, 2);
  EXPECT_EQ(MapPixel(kHalfA), Rgb(kCheckColors[1]));
  EXPECT_EQ(MapPixel(kHalfB), Rgb(kCheckColors[1]));
  controller.UncheckCircles(both);
  EXPECT_EQ(MapPixel(kHalfA), kWhite);
  EXPECT_EQ(MapPixel(kHalfB), kWhite);
}

// A run paints what its messages one by one paint: the last colour each circle of the map shown is
// given, white for an uncheck; circles of other maps paint nothing.
TEST_F(HallMapViewTest, ARunPaintsItsChecksAsOneByOne) {
  vx::HallMapView oneByOne(controller);
  oneByOne.resize(400, 300);
  oneByOne.SetMapSlotCount(6);
  for (int slot = 0; slot < 6; ++slot) {
    oneByOne.SetMapFiles(
        slot,
        controller.GetMapImagePath(vx::CatalogController::kHallMap, slot / 3 + 1, slot % 3 + 1),
        {});
  }
  oneByOne.SelectMap(0);
  controller.GetFavoriteStore()->SetColor(14, 1);  // 14 is checked before the run
  view->OnAppMessage(UM_CIRCLE_CHECKED, 1, 14);
  oneByOne.OnAppMessage(UM_CIRCLE_CHECKED, 1, 14);
  const std::vector<vx::AppMessage> run = {
      {UM_CIRCLE_CHECKED, 1, 11},   {UM_CHECKLIST_ENTRY_CHANGED, 0, 11},
      {UM_CIRCLE_CHECKED, 2, 12},   {UM_CIRCLE_COLOR_CHANGED, 3, 12},
      {UM_CIRCLE_UNCHECKED, 0, 14}, {UM_CIRCLE_CHECKED, 4, 21},
      {UM_CIRCLE_CHECKED, 5, 19},   {UM_CIRCLE_CHECKED, 2, 900}};
  view->OnAppMessageRun(run);
  for (const vx::AppMessage& m : run) oneByOne.OnAppMessage(m.message, m.wParam, m.lParam);
  EXPECT_EQ(view->Picture().CheckLayer(), oneByOne.Picture().CheckLayer());
  EXPECT_EQ(MapPixel(kHalfA), Rgb(kCheckColors[0]));
  EXPECT_EQ(MapPixel(kHalfB), Rgb(kCheckColors[2]));
  EXPECT_EQ(MapPixel({150, 202}), kWhite);  // 14 unchecked
}

TEST_F(HallMapViewTest, ChecksOfOtherMapsShowWhenTheirMapIsChosen) {
  controller.SetCircleColor(4, 21);  // map 2 of day 1, at the same place as 11
  controller.SetCircleColor(4, 41);  // a hall that is not among the maps: nowhere
  EXPECT_EQ(MapPixel(kHalfA), kWhite);
  view->SelectMap(1);
  EXPECT_EQ(MapPixel({5, 5}), SlotMark(1));
  EXPECT_EQ(MapPixel(kHalfA), Rgb(kCheckColors[3]));
  view->SelectMap(3);  // day 2, map 1
  EXPECT_EQ(MapPixel(kHalfA), kWhite);
}

TEST_F(HallMapViewTest, ColourChangesAndAResetOfTheChecklistRepaintTheChecks) {
  controller.SetCircleColor(2, 11);
  values.fvrColors[1] = 0xFF00FF;  // magenta
  controller.LoadColorTable();
  view->RebuildCheckLayerAll();
  EXPECT_EQ(MapPixel(kHalfA), Rgb(0xFF00FF));
  controller.Broadcast(UM_CHECKLIST_RESET, 0, 0);
  EXPECT_EQ(MapPixel(kHalfA), kWhite);
}

// The genre colour 0080FF over white at 50 % gives 7F/80, BF/C0, FF.
TEST_F(HallMapViewTest, TheGenreLayerIsFadedByItsOpacity) {
  const QPoint genreDesk(112, 207);
  EXPECT_FALSE(view->Picture().HasGenre());  // opacity 0 never loads it
  EXPECT_EQ(MapPixel(genreDesk), kWhite);
  view->SetGenreOpacity(50);
  const QRgb faded = MapPixel(genreDesk);
  EXPECT_NEAR(qRed(faded), 0x80, 2);
  EXPECT_NEAR(qGreen(faded), 0xC0, 2);
  EXPECT_EQ(qBlue(faded), 0xFF);
  EXPECT_EQ(MapPixel({112, 150}), kWhite);  // transparent in the genre picture
  view->SetGenreOpacity(100);
  EXPECT_EQ(MapPixel(genreDesk), kGenreColor);
  controller.SetCircleColor(3, 12);  // blue ANDed onto the genre colour
  EXPECT_EQ(MapPixel(genreDesk), kGenreColor & Rgb(kCheckColors[2]));
  view->SetGenreOpacity(0);
  EXPECT_FALSE(view->Picture().HasGenre());
  EXPECT_EQ(MapPixel(genreDesk), Rgb(kCheckColors[2]));
}

// Zoomed in, the view draws what it shows at the zoom from the pictures at the map's size: no
// zoomed copy of the map or its layers is kept.
TEST_F(HallMapViewTest, AtThreeHundredPercentOnlyTheMapsOwnSizeIsKept) {
  controller.SetCircleColor(5, 11);  // grey: the genre colour darkened, not put out
  view->SetGenreOpacity(100);
  view->SetZoom(300);
  view->ScrollTo({250, 550});
  EXPECT_TRUE(view->ZoomCache().isNull());
  EXPECT_EQ(view->Picture().CheckLayer().size(), kMapSize);
  EXPECT_EQ(view->Picture().GenreLayer().size(), kMapSize);
  EXPECT_EQ(MapPixel({102, 203}), kGenreColor & Rgb(kCheckColors[4]));
  EXPECT_EQ(MapPixel({kStripeX, 203}), kBlack);
  EXPECT_EQ(MapPixel({99, 203}), kWhite);
  EXPECT_EQ(MapPixel({102, 199}), kWhite);
}

TEST_F(HallMapViewTest, TheCrossHairIsKeptAMarginInsideTheView) {
  const QSize client = view->viewport()->size();
  controller.SelectCircle(19, false);  // (705, 455), far down right
  EXPECT_EQ(view->ScrollPosition(), QPoint(705 - client.width() + 32, 455 - client.height() + 32));
  controller.SelectCircle(11, false);  // (105, 205): up left of the view now
  EXPECT_EQ(view->ScrollPosition(), QPoint(105 - 32, 205 - 32));
  controller.SelectCircle(12, false);  // within the margin: no scroll
  EXPECT_EQ(view->ScrollPosition(), QPoint(105 - 32, 205 - 32));
  // After a zoom change too, with the margin at the zoom.
  view->SetZoom(200);  // (230, 410) and 64 at 200 %
  EXPECT_EQ(view->ScrollPosition(), QPoint(105 - 32, 410 - client.height() + 64));
}

TEST_F(HallMapViewTest, ClickingEitherHalfOfADeskSelectsItsCircle) {
  struct Case {
    int zoom;
    QPoint mapPoint;
    int circle;
  };
  const Case cases[] = {
      {100, {103, 205}, 11}, {100, {117, 205}, 12},  // layout 1: a left, b right
      {100, {150, 208}, 13}, {100, {150, 201}, 14},  // layout 2: a bottom, b top
      {100, {195, 205}, 15}, {100, {183, 205}, 16},  // layout 3: a right, b left
      {100, {230, 201}, 17}, {100, {230, 208}, 18},  // layout 4: a top, b bottom
      {50, {150, 202}, 14},                          // client (75, 101) at 50 %
  };
  for (const Case& c : cases) {
    controller.SelectCircle(900, false);
    view->SetZoom(c.zoom);
    view->ScrollTo({0, 0});
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, ViewPoint(c.mapPoint));
    EXPECT_EQ(CurrentId(), c.circle) << c.mapPoint.x() << "," << c.mapPoint.y();
    EXPECT_EQ(view->LastHit(), c.circle);
  }
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, ViewPoint({300, 300}));
  EXPECT_EQ(view->LastHit(), 0);
  EXPECT_EQ(CurrentId(), 14);
}

TEST_F(HallMapViewTest, ADoubleClickChecksWithTheCurrentColourAndOnlyADesk) {
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, ViewPoint({117, 205}));
  EXPECT_EQ(Color(12), 2);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, ViewPoint({300, 300}));
  EXPECT_EQ(controller.GetFavoriteStore()->GetEntryCount(), 1);
}

TEST_F(HallMapViewTest, WhilePanningAClickSelectsNothing) {
  view->SetScrollMode(vx::ZoomableImageView::kScrollSpaceDrag);
  QTest::mouseMove(view->viewport(), ViewPoint({103, 205}));
  QTest::keyPress(view.get(), Qt::Key_Space);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, ViewPoint({103, 205}));
  QTest::keyRelease(view.get(), Qt::Key_Space);
  EXPECT_EQ(CurrentId(), 0);
  view->SetScrollMode(vx::ZoomableImageView::kScrollDrag);  // a plain drag still selects
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, ViewPoint({103, 205}));
  EXPECT_EQ(CurrentId(), 11);
}

TEST_F(HallMapViewTest, TheRightButtonOpensTheChecklistMenuOverADesk) {
  vx::ColorMenu menu;
  ASSERT_TRUE(menu.Build(controller));
  view->SetChecklistMenu(&menu, view.get());
  QTimer::singleShot(0, [] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_3);  // "色&3で追加"
  });
  QTest::mouseClick(view->viewport(), Qt::RightButton, {}, ViewPoint({117, 205}));
  EXPECT_EQ(CurrentId(), 12);
  EXPECT_EQ(Color(12), 3);
  // Over no desk no menu opens (one would wait for an answer that never comes).
  QTest::mouseClick(view->viewport(), Qt::RightButton, {}, ViewPoint({300, 300}));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(HallMapViewTest, ColourKeysCheckTheCurrentCircleAndCtrlKeysGoToTheFrame) {
  controller.SelectCircle(11, false);
  QSignalSpy toFrame(view.get(), &vx::HallMapView::frameCommand);
  const std::pair<Qt::Key, int> colourKeys[] = {{Qt::Key_4, 4},       {Qt::Key_Return, 2},
                                                {Qt::Key_Delete, -1}, {Qt::Key_9, -1},  // 5 colours
                                                {Qt::Key_1, 1},       {Qt::Key_0, -1}};
  for (const auto& [key, color] : colourKeys) {
    QTest::keyClick(view.get(), key);
    EXPECT_EQ(Color(11), color) << key;
  }
  const std::pair<Qt::Key, int> ctrlKeys[] = {
      {Qt::Key_0, ID_MAP_FIT_WHOLE},      {Qt::Key_1, ID_MAP_ACTUAL_SIZE},
      {Qt::Key_2, ID_MAP_FIT_WIDTH_ONCE}, {Qt::Key_M, ID_MAP_FOCUS_ZOOM_BOX},
      {Qt::Key_Plus, ID_MAP_ZOOM_IN},     {Qt::Key_Minus, ID_MAP_ZOOM_OUT}};
  for (const auto& [key, command] : ctrlKeys) QTest::keyClick(view.get(), key, Qt::ControlModifier);
  ASSERT_EQ(toFrame.size(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(toFrame[i][0].toInt(), ctrlKeys[i].second);
}

TEST_F(HallMapViewTest, WithoutAMapPictureNothingIsDrawnButClicksStillSelect) {
  view->SetMapFiles(2, dir.Path() / "MDATA" / "missing.PNG", {});
  view->SelectMap(2);
  EXPECT_FALSE(view->Picture().HasMap() || view->Picture().HasCheckLayer());
  EXPECT_EQ(Shot().pixel(10, 10) & 0xFFFFFF, view->WorkspaceColor().rgb() & 0xFFFFFF);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(303, 105));
  EXPECT_EQ(CurrentId(), 31);
}

}  // namespace
}  // namespace vxtest
