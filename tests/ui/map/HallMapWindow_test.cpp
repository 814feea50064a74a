#include "ui/map/HallMapWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>
#include <string>
#include <vector>

#include "platform/qt/QtStrings.h"
#include "tests/ui/map/HallMapFixture.h"
#include "ui/map/HallMapBar.h"
#include "ui/map/HallMapView.h"

namespace vxtest {
namespace {

class HallMapWindowTest : public HallMapControllerTest {
 protected:
  void SetUp() override {
    HallMapControllerTest::SetUp();
    values.mapGenreDisp = 50;
  }
  void TearDown() override { window.reset(); }

  // The window at a client size that shows 400 x 250 map pixels at 100 %.
  void Open() {
    window = std::make_unique<vx::HallMapWindow>(controller);
    controller.RegisterWindow(vx::kMapWindowId, window.get(), "map");
    window->resize(500, 400);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  vx::HallMapView& View() const { return *window->View(); }
  vx::HallMapBar& Bar() const { return *window->Bar(); }
  void Click(int commandId) const {
    QWidget* button = Bar().widgetForAction(Bar().Button(commandId));
    ASSERT_NE(button, nullptr) << commandId;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  bool Pressed(int commandId) const { return Bar().Button(commandId)->isChecked(); }
  void TypeZoom(const char* text) const {
    QLineEdit* box = Bar().ZoomBox();
    box->selectAll();
    QTest::keyClicks(box, QString::fromUtf8(text));
    QTest::keyClick(box, Qt::Key_Return);
  }
  std::string ZoomText() const { return Bar().ZoomBox()->text().toStdString(); }
  void Choose(QComboBox* combo, int row) const {
    combo->setCurrentIndex(row);
    Q_EMIT combo->activated(row);
  }
  QRgb ViewPixel(QPoint point) const {
    return View().viewport()->grab().toImage().pixel(point) & 0xFFFFFF;
  }

  std::unique_ptr<vx::HallMapWindow> window;
};

TEST_F(HallMapWindowTest, TheMapChoiceHasADayAndHallPerRowAndShowsTheChosenMap) {
  Open();
  QComboBox* choice = Bar().MapChoice();
  ASSERT_EQ(choice->count(), 6);  // 2 days x 3 maps
  EXPECT_EQ(vx::Cp932Text(choice->itemText(0)), vx::Sjis("土曜日 東123"));
  EXPECT_EQ(vx::Cp932Text(choice->itemText(5)), vx::Sjis("日曜日 西12"));
  EXPECT_EQ(choice->currentIndex(), 0);
  EXPECT_EQ(ViewPixel({5, 5}), SlotMark(0));
  Choose(choice, 4);
  EXPECT_EQ(window->CurrentSlot(), 4);
  EXPECT_EQ(View().CurrentSlot(), 4);
  EXPECT_EQ(ViewPixel({5, 5}), SlotMark(4));
  EXPECT_TRUE(View().hasFocus());
}

// The day comes before the block: the map follows the block's hall on the current day, and the
// cross-hair then lands on the map shown.
TEST_F(HallMapWindowTest, TheMapFollowsTheCurrentBlocksHall) {
  Open();
  const std::pair<int, int> cases[] = {{21, 1}, {51, 3}, {41, 3}, {11, 0}};  // circle, slot
  for (const auto& [circle, slot] : cases) {
    controller.SelectCircle(circle, false);
    EXPECT_EQ(window->CurrentSlot(), slot) << circle;
    EXPECT_EQ(Bar().MapChoice()->currentIndex(), slot) << circle;
  }
  EXPECT_EQ(View().CrossHair(), QPoint(105, 205));
  EXPECT_EQ(ViewPixel({105, 100}), kCrossHair);
}

TEST_F(HallMapWindowTest, ZoomStepsSnapToTheGridOf25WithinTheRange) {
  Open();
  struct Case {
    const char* typed;
    int command;
    int zoom;
  };
  const Case cases[] = {{"137", ID_MAP_ZOOM_IN, 150},
                        {"137", ID_MAP_ZOOM_OUT, 100},
                        {"300", ID_MAP_ZOOM_IN, 300},
                        {"25", ID_MAP_ZOOM_OUT, 25},
                        {"80", ID_MAP_ACTUAL_SIZE, 100}};
  for (const Case& c : cases) {
    TypeZoom(c.typed);
    Click(c.command);
    EXPECT_EQ(window->Zoom(), c.zoom) << c.typed;
    EXPECT_EQ(View().Zoom(), c.zoom) << c.typed;
    EXPECT_EQ(ZoomText(), std::to_string(c.zoom) + "%") << c.typed;
    EXPECT_EQ(values.mapZoomSize, c.zoom) << c.typed;
  }
}

TEST_F(HallMapWindowTest, ATypedZoomOutsideTheRangeOrNotANumberIsRefused) {
  Open();
  const std::pair<const char*, int> cases[] = {
      {"80", 80}, {"400", 80}, {"abc", 80}, {"24%", 80}, {"300%", 300}};
  for (const auto& [typed, zoom] : cases) {
    TypeZoom(typed);
    EXPECT_EQ(View().Zoom(), zoom) << typed;
    EXPECT_EQ(ZoomText(), std::to_string(zoom) + "%") << typed;
  }
  // Ctrl+M from the view selects the box for typing.
  QTest::keyClick(&View(), Qt::Key_M, Qt::ControlModifier);
  EXPECT_TRUE(Bar().ZoomBox()->hasFocus());
  EXPECT_EQ(Bar().ZoomBox()->selectedText(), QStringLiteral("300%"));
}

// The map is 800 x 500: a view narrower than 200 pixels would give less than 25 %.
TEST_F(HallMapWindowTest, AFittedZoomStaysWithin25And300) {
  Open();
  window->resize(150, 400);
  Click(ID_MAP_FIT_WIDTH);
  EXPECT_EQ(window->Zoom(), 25);
  EXPECT_EQ(values.mapZoomSize, 25);
  EXPECT_TRUE(Pressed(ID_MAP_FIT_WIDTH));
  window->resize(2600, 1800);
  Click(ID_MAP_FIT_WHOLE);
  EXPECT_EQ(window->Zoom(), 300);
  EXPECT_TRUE(Pressed(ID_MAP_FIT_WHOLE) && !Pressed(ID_MAP_FIT_WIDTH));
}

TEST_F(HallMapWindowTest, AKeptFitIsAppliedAgainOnResizeUntilTheZoomIsChanged) {
  Open();
  Click(ID_MAP_FIT_WIDTH);
  const int fitted = window->Zoom();
  EXPECT_EQ(fitted, View().viewport()->width() * 100 / kMapSize.width());
  EXPECT_EQ(values.mapStretchMode, vx::HallMapWindow::kFitWidth);
  window->resize(700, 400);
  EXPECT_GT(window->Zoom(), fitted);
  EXPECT_EQ(window->Zoom(), View().viewport()->width() * 100 / kMapSize.width());

  Click(ID_MAP_ZOOM_IN);
  const int zoomed = window->Zoom();
  EXPECT_EQ(window->CurrentFitMode(), vx::HallMapWindow::kNoFit);
  EXPECT_FALSE(Pressed(ID_MAP_FIT_WIDTH));
  window->resize(500, 400);
  EXPECT_EQ(window->Zoom(), zoomed);

  // Once only: fit height with Ctrl+2's sibling, then the zoom is free again.
  window->RunCommand(ID_MAP_FIT_HEIGHT_ONCE);
  EXPECT_EQ(window->Zoom(), View().viewport()->height() * 100 / kMapSize.height());
  EXPECT_EQ(window->CurrentFitMode(), vx::HallMapWindow::kNoFit);
}

TEST_F(HallMapWindowTest, CtrlAndTheWheelZoomByAStepAndKeepTheFit) {
  Open();
  Click(ID_MAP_FIT_HEIGHT);
  const int fitted = window->Zoom();
  QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  // The view leaves the turn; Qt passes only the user's own turns on to the parents.
  QApplication::sendEvent(View().viewport(), &wheel);
  ASSERT_FALSE(wheel.isAccepted());
  QApplication::sendEvent(window.get(), &wheel);
  EXPECT_EQ(window->Zoom(), (fitted + 25) / 25 * 25);
  EXPECT_EQ(window->CurrentFitMode(), vx::HallMapWindow::kFitHeight);
}

TEST_F(HallMapWindowTest, AntiAliasingAndTheGenreOpacityGoIntoTheSettings) {
  Open();
  EXPECT_TRUE(Pressed(ID_MAP_ANTI_ALIAS) && View().Smoothing());
  Click(ID_MAP_ANTI_ALIAS);
  EXPECT_FALSE(Pressed(ID_MAP_ANTI_ALIAS) || View().Smoothing());
  EXPECT_EQ(values.mapAntiAlias, 0);

  QComboBox* opacity = Bar().OpacityChoice();
  EXPECT_EQ(opacity->currentIndex(), 2);  // 50 % from the settings
  const QPoint genreDesk(112, 207);
  EXPECT_NE(ViewPixel(genreDesk), kWhite);
  Choose(opacity, 0);  // "なし"
  EXPECT_EQ(values.mapGenreDisp, 0);
  EXPECT_EQ(View().GenreOpacity(), 0);
  EXPECT_EQ(ViewPixel(genreDesk), kWhite);
  Choose(opacity, 4);
  EXPECT_EQ(ViewPixel(genreDesk), kGenreColor);
}

TEST_F(HallMapWindowTest, StoredValuesOutOfRangeArePutRight) {
  values.mapZoomSize = 1000;
  values.mapStretchMode = 7;
  Open();
  EXPECT_EQ(values.mapZoomSize, 300);
  EXPECT_EQ(values.mapStretchMode, 0);
  EXPECT_EQ(View().Zoom(), 300);
  EXPECT_EQ(ZoomText(), "300%");
}

TEST_F(HallMapWindowTest, TheViewMenuAndTheViewsKeysRunTheWindowsCommands) {
  Open();
  ASSERT_EQ(window->menuBar()->actions().size(), 1);
  EXPECT_EQ(vx::Cp932Text(window->menuBar()->actions()[0]->text()), vx::Sjis("表示(&D)"));
  window->ViewMenu().FindAction(ID_MAP_ZOOM_IN)->trigger();
  EXPECT_EQ(window->Zoom(), 125);
  QTest::keyClick(&View(), Qt::Key_1, Qt::ControlModifier);  // actual size
  EXPECT_EQ(window->Zoom(), 100);
  QTest::keyClick(&View(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(window->Zoom(), 75);
}

TEST_F(HallMapWindowTest, NewImageDataIsLoadedIntoTheMapShown) {
  Open();
  EXPECT_TRUE(View().Picture().HasMap());
  controller.SetImageFolder(dir.Path());  // no pictures there
  EXPECT_FALSE(View().Picture().HasMap());
  controller.SetImageFolder(MapPictureFolder());
  EXPECT_EQ(ViewPixel({5, 5}), SlotMark(0));
}

}  // namespace
}  // namespace vxtest
