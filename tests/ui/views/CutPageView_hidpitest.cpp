// The cut page view on a screen of pixel ratio 2 (QT_SCALE_FACTOR=2): the picture is drawn at
// device resolution and every overlay edge falls on the device pixel the zoom gives it.
#include <gtest/gtest.h>

#include "tests/ui/views/CutPageFixture.h"

namespace vxtest {
namespace {

// A device pixel of the view, at zoom 100 and no scroll.
QRgb DevicePixel(const QImage& shot, int x, int y) { return shot.pixel(x, y) & 0xFFFFFF; }

TEST_F(CutPageViewTest, PictureAndOverlaysAreSharpAtPixelRatioTwo) {
  ASSERT_EQ(view->devicePixelRatioF(), 2.0);
  EXPECT_EQ(view->ZoomCache().size(), QSize(720, 1040));
  controller.SelectCircle(104, false);  // cut 7: device 0..120 across, 240..400 down
  controller.SetCircleColor(3, 102);    // cut 2: device 120..240, 80..240
  const QImage shot = Shot();
  ASSERT_EQ(shot.size(), QSize(800, 1200));

  // Across the stripe of cut 7 (30..45 in the picture): no grey between white and black.
  for (int x = 0; x < 120; ++x) {
    const bool stripe = x >= 2 * kStripeLeft && x < 2 * kStripeRight;
    EXPECT_EQ(DevicePixel(shot, x, 300), stripe ? kBlack : kHighlightWhite) << x;
  }
  // The highlight ends exactly at the cut's edges.
  EXPECT_EQ(DevicePixel(shot, 20, 239), kWhite);
  EXPECT_EQ(DevicePixel(shot, 20, 240), kHighlightWhite);
  EXPECT_EQ(DevicePixel(shot, 20, 399), kHighlightWhite);
  EXPECT_EQ(DevicePixel(shot, 20, 400), kWhite);
  EXPECT_EQ(DevicePixel(shot, 120, 300), kWhite);
  // The mark square of a 120-device-pixel cut: 4 to 32 pixels in.
  const QRgb mark = Rgb(kCheckColors[2]);
  EXPECT_EQ(DevicePixel(shot, 123, 90), kWhite);
  EXPECT_EQ(DevicePixel(shot, 124, 90), mark);
  EXPECT_EQ(DevicePixel(shot, 151, 111), mark);
  EXPECT_EQ(DevicePixel(shot, 152, 111), kWhite);
  EXPECT_EQ(DevicePixel(shot, 130, 112), kWhite);
}

TEST_F(CutPageViewTest, AtOtherZoomsTheHighlightStartsWhereThePictureDoes) {
  view->SetZoom(150);  // three device pixels a picture pixel
  view->SetSmoothing(false);
  controller.SelectCircle(104, false);
  const QImage shot = Shot();
  // Cut 7 starts 120 picture pixels down: device row 360.
  EXPECT_EQ(DevicePixel(shot, 30, 359), kWhite);
  EXPECT_EQ(DevicePixel(shot, 30, 360), kHighlightWhite);
  EXPECT_EQ(DevicePixel(shot, 3 * kStripeLeft - 1, 400), kHighlightWhite);
  EXPECT_EQ(DevicePixel(shot, 3 * kStripeLeft, 400), kBlack);
  // A click at a view point selects the cut shown there.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, At(3));
  EXPECT_EQ(CurrentId(), 103);
}

// With a high-resolution archive beside the low-resolution one the page keeps its geometry but
// comes from the high-resolution cuts when they are exactly twice the size: a line one device
// pixel wide shows, which an enlarged low-resolution cut cannot have.
class SharpCutPageViewTest : public CutPageViewTest {
 protected:
  static constexpr int kFineLine = 11;  // odd: between two enlarged low-resolution pixels
  void SetUp() override {}
  // Whether the page shows the high-resolution cuts of `size`; the geometry stays either way.
  void ExpectPageFromCuts(QSize size, bool sharp) {
    WriteCutArchive(dir.Path(), "V096CUTH.CCZ", size, kFineLine);
    Start(true);
    EXPECT_EQ(controller.ComposesSharpPage(), sharp);
    EXPECT_EQ(view->ZoomCache().size(), QSize(720, 1040));
    const QImage shot = Shot();
    // Cut 7 (device 0..120 across, 240..400 down): the fine line, then the stripe.
    EXPECT_EQ(DevicePixel(shot, kFineLine, 300), sharp ? kBlack : kWhite);
    EXPECT_EQ(DevicePixel(shot, kFineLine - 1, 300), kWhite);
    EXPECT_EQ(DevicePixel(shot, kFineLine + 1, 300), kWhite);
    EXPECT_EQ(DevicePixel(shot, 2 * kStripeLeft - 1, 300), kWhite);
    EXPECT_EQ(DevicePixel(shot, 2 * kStripeLeft, 300), kBlack);
    controller.SelectCircle(104, false);  // the highlight still lands on the cut's edges
    EXPECT_EQ(DevicePixel(Shot(), 20, 239), kWhite);
    EXPECT_EQ(DevicePixel(Shot(), 20, 240), kHighlightWhite);
  }
};

// A line one device pixel wide shows, which an enlarged low-resolution cut cannot have.
TEST_F(SharpCutPageViewTest, TwiceAsLargeCutsDrawTheSamePageSharper) {
  ExpectPageFromCuts(QSize(2 * kCutW, 2 * kCutH), true);
}

// Cuts of another size would not meet the page's cut places: the low-resolution page stays.
TEST_F(SharpCutPageViewTest, CutsOfAnotherSizeLeaveTheLowResolutionPage) {
  ExpectPageFromCuts(QSize(100, 140), false);
}

}  // namespace
}  // namespace vxtest
