// A hall map catalogue (event 96, desks of 20 x 10 map pixels) with its map pictures, and a
// controller over it with five check colours.
//
//   days     1 Saturday, 2 Sunday
//   maps     1 "東123" (e123), 2 "東456" (e456), 3 "西12" (w12); map k holds area k and block k
//            ("Ａ", "Ｂ", "Ｃ"); block 4 "Ｄ" lies in an area of map 4, which the map master lacks
//   desks    block 1: space 1 at (100, 200) layout 1, 2 at (140, 200) layout 2, 3 at (180, 200)
//            layout 3, 4 at (220, 200) layout 4, 5 at (700, 450) layout 1;
//            block 2: space 1 at (100, 200) layout 1; block 3: space 1 at (300, 100) layout 1;
//            block 4: space 1 at (100, 200) layout 1
//   circles  day 1 block 1: 11/12 space 1 a/b, 13/14 space 2, 15/16 space 3, 17/18 space 4,
//            19 space 5 a (page 10); day 1: 21 block 2 space 1a (page 11), 31 block 3 space 1a
//            (page 12), 41 block 4 space 1a (page 13); day 2: 51 block 1 space 1a (page 20);
//            900 without a place
//
// Every map picture is 800 x 500, white with a black stripe over x 104..106 and, in its top left
// 20 x 20 corner, a grey that tells the slot (kSlotMarkBase + slot). Genre pictures are
// transparent except the desk of block 1 space 1, which is kGenreColor.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/data/TestCatalog.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/views/ForwardingFrame.h"
#include "ui/map/HallMapView.h"

namespace vxtest {

constexpr int kMapEvent = 96;
constexpr int kDeskW = 20, kDeskH = 10;
constexpr QSize kMapSize(800, 500);
constexpr int kStripeX = 105;
constexpr int kSlotMarkBase = 0x40;
constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000;
constexpr QRgb kGenreColor = 0x0080FF;
constexpr QRgb kCrossHair = 0x00C060;
// COLORREF values of the first check colours.
constexpr std::uint32_t kCheckColors[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0x808080};
const char* const kMapStems[] = {"e123", "e456", "w12"};

inline QRgb Rgb(std::uint32_t colorRef) {
  return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

inline QRgb SlotMark(int slot) {
  const int grey = kSlotMarkBase + slot;
  return static_cast<QRgb>(grey << 16 | grey << 8 | grey);
}

inline void BuildHallMapCatalog(vx::PavorunDatabase& db) {
  db.SetEventNo(kMapEvent);
  ASSERT_EQ(db.ClearEventTables(), 0) << db.LastError();
  vx::EventInfo info;
  info.pavorunName = vx::Sjis("ホール96");
  info.mapSizeW = kDeskW;
  info.mapSizeH = kDeskH;
  ASSERT_EQ(db.GetInfoTable().InsertRow(info), 0);
  ASSERT_EQ(db.GetDateMaster().InsertRow(1, 2024, 8, 10, 7), 0);
  ASSERT_EQ(db.GetDateMaster().InsertRow(2, 2024, 8, 11, 1), 0);
  const char* const mapNames[] = {"東123", "東456", "西12"};
  for (int m = 1; m <= 3; ++m) {
    vx::MapRow map;
    map.name = vx::Sjis(mapNames[m - 1]);
    map.filename = kMapStems[m - 1];
    ASSERT_EQ(db.GetMapMaster().InsertRow(m, map), 0);
  }
  const char* const blockNames[] = {"Ａ", "Ｂ", "Ｃ", "Ｄ"};
  for (int k = 1; k <= 4; ++k) {
    vx::AreaRow area;
    area.name = vx::Sjis("ホール") + std::to_string(k);
    area.simpleName = vx::Sjis("ホ");
    area.mapId = k;
    area.print = {0, 0, kMapSize.width(), kMapSize.height()};
    ASSERT_EQ(db.GetAreaMaster().InsertRow(k, area), 0);
    ASSERT_EQ(db.GetBlockMaster().InsertRow(k, vx::Sjis(blockNames[k - 1]), k), 0);
  }
  ASSERT_EQ(db.GetGenreMaster().InsertRow(1, vx::Sjis("創作"), 110), 0);
  // block, space, x, y, layout, map
  const int desks[][6] = {{1, 1, 100, 200, 1, 1}, {1, 2, 140, 200, 2, 1}, {1, 3, 180, 200, 3, 1},
                          {1, 4, 220, 200, 4, 1}, {1, 5, 700, 450, 1, 1}, {2, 1, 100, 200, 1, 2},
                          {3, 1, 300, 100, 1, 3}, {4, 1, 100, 200, 1, 4}};
  for (const auto& d : desks)
    ASSERT_EQ(db.GetLayoutTable().InsertRow(d[0], d[1], d[2], d[3], d[4], d[5]), 0);
  // id, page, cut, day, block, space, half
  const int circles[][7] = {
      {11, 10, 1, 1, 1, 1, 0}, {12, 10, 2, 1, 1, 1, 1}, {13, 10, 3, 1, 1, 2, 0},
      {14, 10, 4, 1, 1, 2, 1}, {15, 10, 5, 1, 1, 3, 0}, {16, 10, 6, 1, 1, 3, 1},
      {17, 10, 7, 1, 1, 4, 0}, {18, 10, 8, 1, 1, 4, 1}, {19, 10, 9, 1, 1, 5, 0},
      {21, 11, 1, 1, 2, 1, 0}, {31, 12, 1, 1, 3, 1, 0}, {41, 13, 1, 1, 4, 1, 0},
      {51, 20, 1, 2, 1, 1, 0}, {900, 0, 0, 0, 0, 0, 0},
  };
  for (const auto& c : circles) {
    InsertCircle(
        db, MakeCircle(c[0], c[1], c[2], c[3], c[4], c[5], c[6], 1, "C" + std::to_string(c[0])));
  }
  db.SelectEvent(kMapEvent);
}

inline void SavePicture(const QImage& picture, const std::filesystem::path& file) {
  std::filesystem::create_directories(file.parent_path());
  ASSERT_TRUE(picture.save(QString::fromStdString(file.string()), "PNG")) << file;
}

// The maps of both days and their genre pictures under MDATA of `folder`.
inline void WriteMapPictures(const std::filesystem::path& folder) {
  for (int day = 1; day <= 2; ++day) {
    for (int m = 1; m <= 3; ++m) {
      const int slot = (day - 1) * 3 + m - 1;
      QImage map(kMapSize, QImage::Format_RGB32);
      map.fill(Qt::white);
      QPainter painter(&map);
      painter.fillRect(kStripeX - 1, 0, 3, kMapSize.height(), Qt::black);
      painter.fillRect(0, 0, 20, 20, QColor::fromRgb(SlotMark(slot)));
      painter.end();
      char name[32];
      std::snprintf(name, sizeof name, "MAP%d%s.PNG", day, kMapStems[m - 1]);
      SavePicture(map, folder / "MDATA" / name);
      QImage genre(kMapSize, QImage::Format_ARGB32);
      genre.fill(Qt::transparent);
      QPainter(&genre).fillRect(100, 200, kDeskW, kDeskH, QColor::fromRgb(kGenreColor));
      std::snprintf(name, sizeof name, "GNR%d%s.PNG", day, kMapStems[m - 1]);
      SavePicture(genre, folder / "MDATA" / name);
    }
  }
}

// The pictures, written once for every test of the program.
inline const std::filesystem::path& MapPictureFolder() {
  static const TempDir folder;
  static const bool written = [] {
    WriteMapPictures(folder.Path());
    return true;
  }();
  (void)written;
  return folder.Path();
}

// The controller over the catalogue with the pictures in its image folder; the settings' map
// values at their defaults.
class HallMapControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildHallMapCatalog(db);
    values.eventNumber = kMapEvent;
    values.fvrColorNum = 5;
    for (int i = 0; i < 5; ++i) values.fvrColors[i] = kCheckColors[i];
    values.fvrColorDef = 1;  // the current colour is colour 2
    std::snprintf(values.mdataFile, sizeof values.mdataFile, "MDATA/MAP%%1d%%s.PNG");
    std::snprintf(values.gdataFile, sizeof values.gdataFile, "MDATA/GNR%%1d%%s.PNG");
    values.mapZoomSize = 100;
    values.mapAntiAlias = 1;
    ASSERT_TRUE(controller.Init(&db, &images, &values));
    controller.SetImageFolder(MapPictureFolder());
  }

  int CurrentId() const { return controller.GetCurrentCircle().id; }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vx::CatalogController controller{nullptr, {&ui, nullptr, nullptr, nullptr, nullptr}};
};

// The view over the six slots of both days, on the first, shown at 400 x 300.
class HallMapViewTest : public HallMapControllerTest {
 protected:
  void SetUp() override {
    HallMapControllerTest::SetUp();
    view = std::make_unique<vx::HallMapView>(controller);
    frame.view = view.get();
    controller.RegisterWindow(vx::kMapWindowId, &frame, "map");
    view->setFrameShape(QFrame::NoFrame);
    view->resize(400, 300);
    view->SetMapSlotCount(6);
    for (int slot = 0; slot < 6; ++slot) {
      const int day = slot / 3 + 1, mapId = slot % 3 + 1;
      view->SetMapFiles(slot,
                        controller.GetMapImagePath(vx::CatalogController::kHallMap, day, mapId),
                        controller.GetMapImagePath(vx::CatalogController::kGenreMap, day, mapId));
    }
    view->SelectMap(0);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  }
  void TearDown() override {
    frame.view = nullptr;
    view.reset();
  }

  QImage Shot() const {
    return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  // The colour the view shows at a map point.
  QRgb MapPixel(QPoint mapPoint) const {
    const QPoint at = ViewPoint(mapPoint);
    return Shot().pixel(at) & 0xFFFFFF;
  }
  QPoint ViewPoint(QPoint mapPoint) const {
    return mapPoint * view->Zoom() / 100 - view->ScrollPosition();
  }
  int Color(int circleId) const { return controller.GetCircleColor(circleId); }

  ForwardingFrame frame;
  std::unique_ptr<vx::HallMapView> view;
};

}  // namespace vxtest
