#include "ui/main/MainWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QStyle>
#include <QStyleOptionToolBar>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "app/ControllerWindow.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/main/ControllerOnCatalog.h"
#include "ui/main/MainStatusBar.h"
#include "ui/menus/CommandActions.h"
#include "ui/views/CutPageView.h"
#include "ui/menus/MenuTables.h"
#include "ui/widgets/ColorToolBar.h"

namespace {

using vxtest::Control;

// A secondary frame for the window list.
class OtherFrame : public QWidget, public vx::ControllerWindow {
 public:
  void OnAppMessage(unsigned, vx::WParam, vx::LParam) override {}
  vx::WindowRect ScreenRect() const override { return {0, 0, 100, 100}; }
  void Minimize() override { showMinimized(); }
  void Restore() override { showNormal(); }
  void BringToTop() override {}
};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    catalog.values.cutZoomSize = 100;
    catalog.values.cutAntiAlias = 1;
    for (auto& bar : catalog.values.toolBars) bar.shown = 1;
    window = std::make_unique<vx::MainWindow>(catalog.controller);
    catalog.controller.RegisterWindow(vx::kMainWindowId, window.get(),
                                      vx::Sjis("メインウィンドウ"));
  }
  vx::CatalogController& Controller() { return catalog.controller; }
  QLineEdit* PageBox() const { return window->Status()->PageBox(); }
  // Types into a box as the user would, replacing what stood there, and presses Enter.
  static void TypeAndEnter(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
  }
  void SetZoom(int zoom) { TypeAndEnter(window->ZoomBox(), QString::number(zoom)); }

  vxtest::ControllerOnCatalog catalog{true};
  std::unique_ptr<vx::MainWindow> window;
};

TEST_F(MainWindowTest, ZoomStepsOnTheGridOf25WithinItsRange) {
  struct Case {
    int from;
    int command;
    int to;
  };
  const Case cases[] = {{110, ID_ZOOM_IN, 125},    {110, ID_ZOOM_OUT, 75}, {100, ID_ZOOM_IN, 125},
                        {100, ID_ZOOM_OUT, 75},    {200, ID_ZOOM_IN, 200}, {25, ID_ZOOM_OUT, 25},
                        {150, ID_ACTUAL_SIZE, 100}};
  for (const Case& c : cases) {
    SetZoom(c.from);
    ASSERT_EQ(window->Zoom(), c.from);
    window->RunCommand(ID_FIT_WIDTH);  // a kept fit: any step ends it
    ASSERT_EQ(window->StretchMode(), vx::MainWindow::kFitWidth);
    SetZoom(c.from);
    window->RunCommand(c.command);
    EXPECT_EQ(window->Zoom(), c.to) << c.from << " " << c.command;
    EXPECT_EQ(window->StretchMode(), vx::MainWindow::kFreeZoom);
    EXPECT_EQ(window->ZoomBox()->text(), QStringLiteral("%1%").arg(c.to));
    EXPECT_EQ(catalog.values.cutZoomSize, c.to);
  }
}

TEST_F(MainWindowTest, BoxesTakeTheirLeadingNumberWithinRange) {
  Controller().GoToPage(10);
  TypeAndEnter(window->ZoomBox(), QStringLiteral("150abc"));
  EXPECT_EQ(window->Zoom(), 150);
  TypeAndEnter(window->ZoomBox(), QStringLiteral("300"));  // outside 25..200
  EXPECT_EQ(window->Zoom(), 150);
  EXPECT_EQ(window->ZoomBox()->text(), QStringLiteral("150%"));
  TypeAndEnter(window->ZoomBox(), QStringLiteral("x"));
  EXPECT_EQ(window->ZoomBox()->text(), QStringLiteral("150%"));

  TypeAndEnter(PageBox(), QStringLiteral("12abc"));  // page 12 has no circle: the next page
  EXPECT_EQ(Controller().GetCurrentPage(), 13);
  EXPECT_EQ(PageBox()->text(), QStringLiteral("13"));
  TypeAndEnter(PageBox(), QStringLiteral("99"));  // beyond the last page
  EXPECT_EQ(Controller().GetCurrentPage(), 13);
  EXPECT_EQ(PageBox()->text(), QStringLiteral("13"));
}

TEST_F(MainWindowTest, StatusPanesStandInTheirOrder) {
  window->resize(900, 600);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  std::map<int, int> left;  // x by pane id
  for (QWidget* pane : window->Status()->findChildren<QWidget*>()) {
    const int id = pane->property("controlId").toInt();
    if (id != 0) left[pane->mapTo(window->Status(), QPoint(0, 0)).x()] = id;
  }
  std::vector<int> order;
  for (auto [x, id] : left) order.push_back(id);
  EXPECT_EQ(order, (std::vector<int>{61214, 61215, 61225, 61213, 61224, 61216, 126}));
}

TEST_F(MainWindowTest, ToolBarsStandInOneRowInTheirOrder) {
  window->resize(1600, 600);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  std::vector<int> lefts;
  for (int b = 0; b < vx::kToolBarCount; ++b) {
    QToolBar* bar = window->Bar(static_cast<vx::ToolBarIndex>(b));
    EXPECT_EQ(window->toolBarArea(bar), Qt::TopToolBarArea) << b;
    EXPECT_TRUE(bar->isVisible()) << b;
    EXPECT_EQ(bar->y(), window->Bar(vx::kToolBarBasic)->y()) << b;
    lefts.push_back(bar->x());
  }
  EXPECT_TRUE(std::is_sorted(lefts.begin(), lefts.end()));
  EXPECT_EQ(std::adjacent_find(lefts.begin(), lefts.end()), lefts.end());
  EXPECT_EQ(window->Bar(vx::kToolBarJump)->windowTitle().toStdString(), "ページ移動ツールバー");
}

// At the default sizes (880 and 940 pixels wide) and below, the bars break into rows: no bar folds
// a button away behind its extension, every colour button of the check bar shows whole.
TEST_F(MainWindowTest, BarsBreakIntoRowsSoThatEveryColourButtonShows) {
  const struct {
    int width;
    int colors;
  } cases[] = {{880, 9}, {940, 9}, {640, 16}, {1600, 9}};
  window->show();
  for (const auto& c : cases) {
    catalog.values.fvrColorNum = c.colors;
    Controller().LoadColorTable();
    Controller().NotifyColorsChanged();
    window->resize(c.width, 600);
    QApplication::processEvents();
    for (QToolBar* bar : window->findChildren<QToolBar*>()) {
      auto* more = bar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"));
      EXPECT_TRUE(!more || !more->isVisible()) << bar->objectName().toStdString() << c.width;
    }
    vx::ColorToolBar* check = window->CheckBar();
    for (int i = 0; i <= c.colors + 1; ++i) {  // the colours, "色編集" and the remove button
      QWidget* button = check->widgetForAction(check->PlaceAt(check->FirstColorPlace() + i));
      ASSERT_NE(button, nullptr) << i;
      EXPECT_TRUE(button->isVisible() && check->rect().contains(button->geometry()))
          << c.width << " " << i;
    }
  }
  // One row where they fit.
  EXPECT_EQ(window->Bar(vx::kToolBarNavi)->y(), window->Bar(vx::kToolBarBasic)->y());
}

TEST_F(MainWindowTest, ColourEditButtonFollowsTheLastColourButton) {
  vx::ColorToolBar* bar = window->CheckBar();
  for (int count : {9, 3, 16}) {
    catalog.values.fvrColorNum = count;
    Controller().LoadColorTable();
    Controller().NotifyColorsChanged();
    ASSERT_EQ(bar->ColorCount(), count);
    const QAction* place = bar->PlaceAt(bar->FirstColorPlace() + count);
    EXPECT_EQ(bar->widgetForAction(const_cast<QAction*>(place)), window->ColorEditButton());
    EXPECT_EQ(vx::CommandActions::CommandId(bar->PlaceAt(bar->FirstColorPlace() + count - 1)),
              ID_CHECK_COLOR_FIRST + count - 1);
  }
}

TEST_F(MainWindowTest, JumpMenusAndListsFollowTheDay) {
  vx::CommandMenu* jump = window->Menu().SubMenuAt(vx::kMainJumpMenu);
  ASSERT_NE(jump, nullptr);
  vx::CommandMenu* days = jump->SubMenuAt(vx::kJumpDayMenu);
  ASSERT_EQ(days->Count(), 2);
  EXPECT_EQ(days->ItemAt(0)->text().toStdString(), "土曜日(&A)");
  EXPECT_EQ(days->CommandIdAt(0), 34000);
  EXPECT_EQ(days->ItemAt(1)->text().toStdString(), "日曜日(&B)");
  vx::CommandMenu* genres = jump->SubMenuAt(vx::kJumpDayMenu + 3);
  EXPECT_EQ(genres->CommandIdAt(0), 34400);

  Controller().SelectCircle(131, false);  // day 2, block "Ｃ" of hall 2, the day's only hall
  EXPECT_EQ(window->DayIndex(), 1);
  EXPECT_EQ(window->HallIndex(), 0);
  EXPECT_EQ(window->BlockIndex(), 0);
  vx::CommandMenu* halls = jump->SubMenuAt(vx::kJumpDayMenu + 1);
  ASSERT_EQ(halls->Count(), 1);
  EXPECT_EQ(halls->ItemAt(0)->text().toStdString(), "東2(&A)");
  EXPECT_EQ(halls->CommandIdAt(0), 34100);
  QComboBox* hallList = window->JumpBar()->Combo(vx::JumpToolBar::kHallList);
  EXPECT_EQ(hallList->currentText().toStdString(), "東2");

  window->RunCommand(34000);  // day 1 from the menu
  EXPECT_EQ(Controller().GetCurrentPage(), 10);
  EXPECT_EQ(window->JumpBar()->Combo(vx::JumpToolBar::kDayList)->currentText().toStdString(),
            "土曜日");
  EXPECT_EQ(halls->Count(), 1);
  EXPECT_EQ(window->JumpBar()->Combo(vx::JumpToolBar::kBlockList)->count(), 2);

  QComboBox* blockList = window->JumpBar()->Combo(vx::JumpToolBar::kBlockList);
  blockList->setFocus();
  QTest::keyClick(blockList, Qt::Key_Down);  // block "Ｂ"
  EXPECT_EQ(Controller().GetCurrentPage(), 11);
}

// Mnemonics are letters only: the 27th entry and later have none ("[", "\", DEL, kana).
TEST_F(MainWindowTest, JumpMenuMnemonicsStopAfterZ) {
  const struct {
    int k;
    const char* text;
  } cases[] = {{1, "n(&A)"}, {26, "n(&Z)"}, {27, "n"}, {33, "n"}, {97, "n"}};
  for (const auto& c : cases) EXPECT_EQ(vx::MainWindow::JumpMenuItemText("n", c.k), c.text) << c.k;
}

// A circle name of any length is cut at the status bar's edge; the window keeps its width.
TEST_F(MainWindowTest, ALongCircleNameDoesNotWidenTheWindow) {
  window->resize(880, 600);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  window->Status()->ShowCircleText(QString(243, QChar(0x3042)));
  QApplication::processEvents();
  EXPECT_EQ(window->width(), 880);
  EXPECT_LT(window->minimumSizeHint().width(), 880);
  EXPECT_LE(window->Status()->CirclePane()->geometry().right(), window->Status()->width());
}

// The two narrowing commands say what they do in the status bar while pointed at.
TEST_F(MainWindowTest, NarrowingCommandsShowTheirStatusText) {
  window->show();
  const struct {
    int id;
    const char* text;
  } cases[] = {{ID_SEARCH_NARROW, "検索結果から絞込み検索を行う"},
               {ID_SEARCH_REDO_NARROW, "絞込み検索をやり直す"},
               {ID_FETCH_RSS, "サークルのRSS情報をネットから取得"}};
  for (const auto& c : cases) {
    QAction* item = window->Menu().FindAction(c.id);
    ASSERT_NE(item, nullptr) << c.id;
    item->showStatusText(window.get());
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(), c.text) << c.id;
  }
}

// Values replaced under the window (a settings import) show at once: the check marks, the
// display bar's button, the zoom box.
TEST_F(MainWindowTest, ReplacedDisplayValuesShowInTheMenuTheBarAndTheView) {
  QAction* button = nullptr;
  for (QAction* action : window->Bar(vx::kToolBarDisp)->actions()) {
    if (vx::CommandActions::CommandId(action) == ID_ANTI_ALIAS) button = action;
  }
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isChecked());
  catalog.values.cutAntiAlias = 0;
  catalog.values.cutZoomSize = 150;
  catalog.values.cutResolution = 1;
  Controller().NotifyOptionsChanged();
  EXPECT_FALSE(button->isChecked());
  EXPECT_FALSE(window->Menu().FindAction(ID_ANTI_ALIAS)->isChecked());
  EXPECT_TRUE(window->Menu().FindAction(ID_HIGH_RESOLUTION)->isChecked());
  EXPECT_EQ(window->Zoom(), 150);
  EXPECT_EQ(window->View()->Zoom(), 150);
  EXPECT_EQ(window->ZoomBox()->text(), QStringLiteral("150%"));
}

TEST_F(MainWindowTest, CircleStatusTextNamesDayPlaceCircleAndGenre) {
  vx::CircleRecord circle;
  ASSERT_TRUE(Controller().GetCircle(101, &circle));
  circle.circleName = vx::Sjis("サークル");
  EXPECT_EQ(vx::Cp932ToUtf8(vx::MainWindow::CircleStatusText(Controller(), circle)),
            "土曜日 東Ａ01a　サークル （創作）");
  circle.spaceNo = 12;
  circle.spaceNoSub = 1;
  EXPECT_EQ(vx::Cp932ToUtf8(vx::MainWindow::CircleStatusText(Controller(), circle)),
            "土曜日 東Ａ12b　サークル （創作）");
}

// Stepping back from a page whose predecessor has no circles lands on the page before that, never
// back where it started.
TEST_F(MainWindowTest, SliderStepsAndPagesFromTheCurrentPage) {
  using Move = vx::MainStatusBar::SliderMove;
  EXPECT_EQ(vx::MainStatusBar::SliderTarget(Move::kLineLeft, 13, 0, 10, 13), 12);
  EXPECT_EQ(vx::MainStatusBar::SliderTarget(Move::kPageLeft, 13, 0, 10, 13), 10);
  EXPECT_EQ(vx::MainStatusBar::SliderTarget(Move::kPageRight, 11, 0, 10, 13), 13);
  EXPECT_EQ(vx::MainStatusBar::SliderTarget(Move::kThumbPosition, 11, 12, 10, 13), 12);

  window->show();
  Controller().GoToPage(13);
  QSlider* slider = window->Status()->Slider();
  EXPECT_EQ(std::make_pair(slider->minimum(), slider->maximum()), std::make_pair(10, 13));
  EXPECT_EQ(slider->value(), 13);
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Left);
  EXPECT_EQ(Controller().GetCurrentPage(), 11);
  EXPECT_EQ(slider->value(), 11);
  QTest::keyClick(slider, Qt::Key_Right);
  EXPECT_EQ(Controller().GetCurrentPage(), 13);
  QTest::keyClick(slider, Qt::Key_PageUp);  // ten back as on the catalogue's own trackbar
  EXPECT_EQ(Controller().GetCurrentPage(), 10);
}

TEST_F(MainWindowTest, DraggingTheThumbWritesThePageBoxAndMovesOnRelease) {
  Controller().GoToPage(10);
  QSlider* slider = window->Status()->Slider();
  slider->setSliderDown(true);
  slider->setSliderPosition(11);
  EXPECT_EQ(PageBox()->text(), QStringLiteral("11"));
  EXPECT_EQ(Controller().GetCurrentPage(), 10);
  slider->setSliderPosition(13);
  EXPECT_EQ(PageBox()->text(), QStringLiteral("13"));
  slider->setSliderDown(false);
  EXPECT_EQ(Controller().GetCurrentPage(), 13);
}

TEST_F(MainWindowTest, WindowMenuListsTheOtherFramesAndTogglesThem) {
  std::vector<std::unique_ptr<OtherFrame>> frames;
  for (int i = 0; i < 17; ++i) {
    frames.push_back(std::make_unique<OtherFrame>());
    Controller().RegisterWindow(0x8100 + 2 * i, frames.back().get(), "frame" + std::to_string(i));
  }
  // The registry holds 16 windows with the main one: 15 entries.
  ASSERT_EQ(window->WindowEntries().size(), 15u);
  EXPECT_EQ(window->WindowEntries()[1].commandId, 33201);
  vx::CommandMenu* menu = window->Menu().SubMenuAt(vx::kMainWindowMenu);
  ASSERT_EQ(menu->Count(), 15 + 4);
  EXPECT_EQ(menu->ItemAt(1)->text(), QStringLiteral("frame1"));
  EXPECT_EQ(menu->CommandIdAt(16), ID_CHILD_WINDOWS_TOP);
  EXPECT_EQ(menu->CommandIdAt(18), ID_RESET_WINDOW_LAYOUT);

  window->RunCommand(33201);
  EXPECT_TRUE(frames[1]->isVisible());
  EXPECT_TRUE(window->WindowEntries()[1].shown);
  window->RunCommand(33301);  // the accelerator's toggle of the same entry
  EXPECT_FALSE(frames[1]->isVisible());
  EXPECT_FALSE(window->WindowEntries()[1].shown);
}

TEST_F(MainWindowTest, BarStateAndLayoutAreKept) {
  window->resize(1200, 600);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  window->RunCommand(ID_BAR_JUMP);
  window->StoreToolBarState();
  EXPECT_EQ(catalog.values.toolBars[vx::kToolBarJump].shown, 0);
  EXPECT_EQ(catalog.values.toolBars[vx::kToolBarBasic].shown, 1);
  const QPoint display = window->Bar(vx::kToolBarDisp)->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(catalog.values.toolBars[vx::kToolBarDisp].x, display.x());
  EXPECT_EQ(catalog.values.toolBars[vx::kToolBarDisp].y, display.y());

  vx::MainWindow reopened(catalog.controller);
  EXPECT_FALSE(reopened.Bar(vx::kToolBarJump)->isVisibleTo(&reopened));
  EXPECT_TRUE(reopened.Bar(vx::kToolBarBasic)->isVisibleTo(&reopened));
}

// The view leaves Ctrl and Shift turns of the wheel, and any turn over a page that fits, to its
// frame.
TEST_F(MainWindowTest, WheelZoomsWithCtrlAndTurnsPagesWhenThePageFits) {
  window->resize(800, 600);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  Controller().GoToPage(10);
  QWidget* viewport = window->View()->viewport();
  // What the view leaves goes on to its frame, as Qt passes an ignored turn of the user's wheel
  // up to the parents (a synthesized one stops at the view).
  const auto turn = [this, viewport](int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
    QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
    if (event.isAccepted()) return;  // the view scrolled
    event.setAccepted(true);
    QApplication::sendEvent(window.get(), &event);
  };
  window->RunCommand(ID_FIT_WIDTH);
  SetZoom(100);
  window->RunCommand(ID_FIT_WIDTH);
  const int fitted = window->Zoom();
  turn(120, Qt::ControlModifier);
  EXPECT_EQ(window->Zoom(), std::min(200, (fitted + 25) / 25 * 25));
  EXPECT_EQ(window->StretchMode(), vx::MainWindow::kFitWidth);  // until the next resize
  SetZoom(200);
  turn(-120, Qt::NoModifier);  // the page is larger than the view: it scrolls
  EXPECT_EQ(Controller().GetCurrentPage(), 10);
  EXPECT_GT(window->View()->ScrollPosition().y(), 0);
  turn(-120, Qt::ShiftModifier);
  EXPECT_EQ(Controller().GetCurrentPage(), 11);
  SetZoom(25);
  turn(120, Qt::NoModifier);  // the whole page shows: the wheel turns pages
  EXPECT_EQ(Controller().GetCurrentPage(), 10);
}

// The page picture fills the view; the circle under the pointer shows in the status bar.
TEST_F(MainWindowTest, ShowsThePageAndTheCircleUnderThePointer) {
  window->resize(700, 800);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  Controller().SelectCircle(104, false);  // page 10, cut 7
  vx::CutPageView* view = window->View();
  const QRectF cut = view->ImageToView(vxtest::PageCut(7));
  const QImage shot = view->viewport()->grab().toImage();
  const QPoint stripe = (cut.topLeft() + QPointF(vxtest::kStripeLeft + 5, 10)).toPoint();
  EXPECT_EQ(shot.pixel(stripe) & 0xFFFFFF, 0x000000u);  // the cut's black stripe

  const QPoint over = cut.center().toPoint();
  QTest::mouseMove(view->viewport(), over);
  QTRY_COMPARE(window->Status()->CirclePane()->text().toStdString(),
               std::string("土曜日 東Ａ03a　C104 （ゲーム）"));
  QTest::mouseMove(view->viewport(), QPoint(1, 1));  // the page's caption: no circle
  QTRY_VERIFY(window->Status()->CirclePane()->text().isEmpty());
}

// Only an answered question closes: Cancel keeps the window, and so does a save that failed.
TEST_F(MainWindowTest, ModifiedChecklistIsAskedForBeforeClosing) {
  int closed = 0;
  QObject::connect(window.get(), &vx::MainWindow::closeAccepted, [&] { ++closed; });
  window->show();
  Controller().MarkChecklistModified();
  vx::ScriptedUiServices& ui = catalog.ui;

  ui.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(window->close());
  const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].text),
            "チェックリストまたはメモの内容が変更されています.\nファイルへ保存しますか？");
  EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].caption), "チェックリストの保存確認");
  EXPECT_EQ(boxes[0].flags & vx::MB_TYPEMASK, vx::MB_YESNOCANCEL);

  ui.QueueAnswer(IDYES);  // save, to a folder that does not exist
  ui.QueuePath(catalog.dir.Path() / "missing" / "list.txt");
  ui.QueueAnswer(IDOK);  // the write error
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(closed, 0);

  ui.QueueAnswer(IDNO);
  EXPECT_TRUE(window->close());
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(MainWindowTest, UnchangedChecklistClosesWithoutAQuestion) {
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(catalog.ui.CallsOf(vx::UiCallKind::kMessageBox).empty());
}

}  // namespace

namespace {

TEST_F(MainWindowTest, DraggedOutBarReopensFloatingWhereItWasLeft) {
  window->resize(1200, 600);
  window->move(100, 100);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QToolBar* bar = window->Bar(vx::kToolBarNavi);
  QStyleOptionToolBar option;  // where the style draws the bar's grip
  option.initFrom(bar);
  option.state |= QStyle::State_Horizontal;
  option.features = QStyleOptionToolBar::Movable;
  const QPoint handle =
      bar->style()->subElementRect(QStyle::SE_ToolBarHandle, &option, bar).center();
  // The bar follows the pointer by its screen position while the button is held.
  const auto send = [bar](QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(local), QPointF(bar->mapToGlobal(local)), Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(bar, &event);
  };
  send(QEvent::MouseButtonPress, handle, Qt::LeftButton);
  // Leaving the bar's row at once takes it off the dock instead of sliding it along the row.
  const QPoint dropped = handle + QPoint(40, 400);
  for (int step = 1; step <= 4; ++step) {
    send(QEvent::MouseMove, handle + (dropped - handle) * step / 4, Qt::LeftButton);
  }
  const QPoint droppedOnScreen = bar->mapToGlobal(handle);
  send(QEvent::MouseButtonRelease, handle, Qt::NoButton);
  ASSERT_TRUE(bar->isFloating());
  window->StoreToolBarState();
  const vx::ToolBarPlace place = catalog.values.toolBars[vx::kToolBarNavi];
  EXPECT_EQ(place.shown, 3);
  EXPECT_EQ(QPoint(place.x, place.y), bar->pos());
  EXPECT_LT((bar->pos() + handle - droppedOnScreen).manhattanLength(), 50);
  ASSERT_TRUE(window->close());  // the layout goes into the profile

  vx::MainWindow reopened(catalog.controller);
  reopened.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&reopened));
  QToolBar* again = reopened.Bar(vx::kToolBarNavi);
  EXPECT_TRUE(again->isFloating());
  EXPECT_EQ(again->pos(), QPoint(place.x, place.y));
  EXPECT_FALSE(reopened.Bar(vx::kToolBarBasic)->isFloating());
}

}  // namespace
