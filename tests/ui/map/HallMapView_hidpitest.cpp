// The hall map view on a screen of pixel ratio 2 (QT_SCALE_FACTOR=2): a map with a
// high-resolution picture of exactly twice its size is drawn from that picture, over the same map
// coordinates.
#include "ui/map/HallMapView.h"

#include <gtest/gtest.h>

#include <QTest>

#include <cstdio>

#include "tests/ui/map/HallMapFixture.h"

namespace vxtest {
namespace {

constexpr int kFineLine = 401;  // device pixels: between two enlarged map pixels

// Day 1's first map again at twice the size, with a line one pixel wide no enlarged map has.
void WriteHighResolutionMap(const std::filesystem::path& folder) {
  QImage map(2 * kMapSize, QImage::Format_RGB32);
  map.fill(Qt::white);
  QPainter painter(&map);
  painter.fillRect(2 * (kStripeX - 1), 0, 6, map.height(), Qt::black);
  painter.fillRect(kFineLine, 0, 1, map.height(), Qt::black);
  painter.end();
  SavePicture(map, folder / "MDATA" / "HMP1e123.PNG");
}

class SharpHallMapTest : public HallMapViewTest {
 protected:
  void SetUp() override {
    HallMapViewTest::SetUp();
    WriteHighResolutionMap(MapPictureFolder());
    std::snprintf(values.hmdataFile, sizeof values.hmdataFile, "MDATA/HMP%%1d%%s.PNG");
    for (int mapId = 1; mapId <= 2; ++mapId) {
      view->SetHighResolutionFiles(
          mapId - 1, controller.GetMapImagePath(vx::CatalogController::kHiResHallMap, 1, mapId),
          {});
    }
  }
  QRgb DevicePixel(int x, int y) const { return Shot().pixel(x, y) & 0xFFFFFF; }
};

TEST_F(SharpHallMapTest, AMapWithAPictureTwiceItsSizeIsDrawnFromIt) {
  ASSERT_EQ(view->devicePixelRatioF(), 2.0);
  for (const int slot : {0, 1}) {  // the second map has no high-resolution picture
    SCOPED_TRACE(slot);
    view->SelectMap(slot);
    const bool sharp = slot == 0;
    EXPECT_EQ(view->Picture().HasSharpMap(), sharp);
    EXPECT_EQ(view->ZoomedSize(), kMapSize);
    EXPECT_EQ(DevicePixel(kFineLine, 300), sharp ? kBlack : kWhite);
    EXPECT_EQ(DevicePixel(kFineLine + 1, 300), kWhite);
    EXPECT_EQ(DevicePixel(2 * (kStripeX - 1) - 1, 300), kWhite);
    EXPECT_EQ(DevicePixel(2 * (kStripeX - 1), 300), kBlack);
  }
  // The check layer keeps to the map's coordinates: half a of circle 11 is x 100..109.
  view->SelectMap(0);
  controller.SetCircleColor(1, 11);
  EXPECT_EQ(DevicePixel(199, 406), kWhite);
  EXPECT_EQ(DevicePixel(200, 406), Rgb(kCheckColors[0]));
  EXPECT_EQ(DevicePixel(201, 406), Rgb(kCheckColors[0]));
}

}  // namespace
}  // namespace vxtest
