#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "res/Pictures.h"
#include "res/ResourceIds.h"

namespace {

// How many pixels of the picture are drawn (not transparent).
int DrawnPixels(const QIcon& icon, QSize size, qreal ratio) {
  const QImage image = icon.pixmap(size, ratio).toImage().convertToFormat(QImage::Format_ARGB32);
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) drawn += qAlpha(image.pixel(x, y)) > 0;
  }
  return drawn;
}

TEST(PicturesTest, EveryImageHasItsOneAndTwoTimesPicture) {
  const struct {
    int bitmapId;
    int count;
    QSize size;
  } strips[] = {
      {IDB_TOOLBAR, 23, {16, 15}},
      {IDB_MAP_TOOLBAR, 7, {16, 15}},
  };
  for (const auto& strip : strips) {
    for (int i = 0; i < strip.count; ++i) {
      const QIcon image = vx::BitmapImage(strip.bitmapId, i);
      const QList<QSize> sizes = image.availableSizes();
      EXPECT_TRUE(sizes.contains(strip.size)) << strip.bitmapId << " " << i;
      EXPECT_TRUE(sizes.contains(strip.size * 2)) << strip.bitmapId << " " << i;
      EXPECT_GT(DrawnPixels(image, strip.size, 1), 10) << strip.bitmapId << " " << i;
      EXPECT_GT(DrawnPixels(image, strip.size, 2), 40) << strip.bitmapId << " " << i;
    }
    EXPECT_TRUE(vx::BitmapImage(strip.bitmapId, strip.count).isNull()) << strip.bitmapId;
  }
  for (int cell : {IDB_REMOVE, IDB_BOOKMARK, IDB_BOOKMARK_GROUP}) {
    const QIcon image = vx::BitmapImage(cell);
    EXPECT_TRUE(image.availableSizes().contains(QSize(16, 16))) << cell;
    EXPECT_TRUE(image.availableSizes().contains(QSize(32, 32))) << cell;
    EXPECT_TRUE(vx::BitmapImage(cell, 1).isNull());
  }
  EXPECT_TRUE(vx::BitmapImage(IDB_TOOLBAR, -1).isNull());
  EXPECT_TRUE(vx::BitmapImage(999).isNull());
}

TEST(PicturesTest, MenuImagesAreTheToolBarImagesOfTheirCommands) {
  const std::pair<int, int> commands[] = {
      {ID_PRINT, 12}, {ID_ZOOM_OUT, 0}, {ID_FETCH_RSS, 22}, {ID_LIST_SORT_LOCK, 19}};
  for (auto [command, index] : commands) {
    const QImage menu = vx::CommandImage(command).pixmap(QSize(16, 15)).toImage();
    const QImage strip = vx::BitmapImage(IDB_TOOLBAR, index).pixmap(QSize(16, 15)).toImage();
    EXPECT_FALSE(menu.isNull()) << command;
    EXPECT_EQ(menu, strip) << command;
  }
  EXPECT_TRUE(vx::CommandImage(ID_APP_ABOUT).isNull());
}

TEST(PicturesTest, WindowIconsComeInEverySize) {
  for (int id : {IDI_MAIN, IDI_MAP, IDI_DETAIL, IDI_CHECKLIST, IDI_LIST}) {
    const QList<QSize> sizes = vx::WindowIcon(id).availableSizes();
    for (int size : {16, 32, 48, 64}) EXPECT_TRUE(sizes.contains(QSize(size, size))) << id;
  }
  EXPECT_TRUE(vx::WindowIcon(IDB_TOOLBAR).isNull());
}

TEST(PicturesTest, CursorsAreQtHandsOrOurAutoScrollPictures) {
  EXPECT_EQ(vx::ProgramCursor(IDCUR_LINK).shape(), Qt::PointingHandCursor);
  EXPECT_EQ(vx::ProgramCursor(IDCUR_HAND).shape(), Qt::OpenHandCursor);
  EXPECT_EQ(vx::ProgramCursor(IDCUR_GRABBING).shape(), Qt::ClosedHandCursor);
  EXPECT_EQ(vx::ProgramCursor(1).shape(), Qt::ArrowCursor);
  for (int id = IDCUR_SCROLL_CENTER; id <= IDCUR_SCROLL_DOWN_RIGHT; ++id) {
    const QCursor cursor = vx::ProgramCursor(id);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << id;
    EXPECT_EQ(cursor.pixmap().deviceIndependentSize().toSize(), QSize(32, 32)) << id;
    EXPECT_EQ(cursor.hotSpot(), QPoint(16, 16)) << id;
  }
}

// The eight arrows point where their names say: the drawn pixels lie on that side of the centre.
TEST(PicturesTest, ScrollArrowsPointTheirWay) {
  const struct {
    int id;
    int dx;
    int dy;
  } arrows[] = {{IDCUR_SCROLL_UP, 0, -1},        {IDCUR_SCROLL_DOWN, 0, 1},
                {IDCUR_SCROLL_LEFT, -1, 0},      {IDCUR_SCROLL_RIGHT, 1, 0},
                {IDCUR_SCROLL_UP_LEFT, -1, -1},  {IDCUR_SCROLL_UP_RIGHT, 1, -1},
                {IDCUR_SCROLL_DOWN_LEFT, -1, 1}, {IDCUR_SCROLL_DOWN_RIGHT, 1, 1}};
  for (const auto& arrow : arrows) {
    const QImage image =
        vx::ProgramCursor(arrow.id).pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(image.pixel(x, y)) < 128) continue;
        sx += x - image.width() / 2.0;
        sy += y - image.height() / 2.0;
        ++n;
      }
    }
    ASSERT_GT(n, 0);
    const auto sign = [](double v) { return v > 1.0 ? 1 : v < -1.0 ? -1 : 0; };
    EXPECT_EQ(sign(sx / n), arrow.dx) << arrow.id;
    EXPECT_EQ(sign(sy / n), arrow.dy) << arrow.id;
  }
}

}  // namespace
