#include "ui/views/CutPageView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

#include <string>
#include <tuple>
#include <vector>

#include "checklist/FavoriteStore.h"
#include "tests/ui/views/CutPageFixture.h"
#include "ui/menus/ColorMenu.h"
#include "ui/settings/SettingsSheet.h"

namespace vxtest {
namespace {

// Inside a cut: the white part, the black stripe, and the check-colour mark square (2..15).
const QPoint kWhitePart(10, 40), kStripe(35, 40), kMark(5, 5);

using Place = std::tuple<int, int, int>;  // page, cut, circle id

class CutPageViewWithoutImagesTest : public CutPageViewTest {
 protected:
  void SetUp() override { Start(false); }
};

Place Here(const vx::CatalogController& c) {
  return {c.GetCurrentPage(), c.GetCurrentCut(), c.GetCurrentCircle().id};
}

TEST_F(CutPageViewTest, TheHighlightIsAnAndOfItsTintOnThePage) {
  controller.SelectCircle(104, false);  // cut 7
  EXPECT_EQ(view->HighlightCut(), 7);
  EXPECT_EQ(CutPixel(7, kWhitePart.x(), kWhitePart.y()), kHighlightWhite);
  EXPECT_EQ(CutPixel(7, kStripe.x(), kStripe.y()), kBlack);
  EXPECT_EQ(CutPixel(7, 59, 79), kHighlightWhite);                 // to the last pixel of the cut
  EXPECT_EQ(CutPixel(7, 60, 79), kWhite);                          // and not one beyond
  EXPECT_EQ(CutPixel(1, kWhitePart.x(), kWhitePart.y()), kWhite);  // the highlight moved on
  EXPECT_EQ(CutPixel(4, kWhitePart.x(), kWhitePart.y()), kWhite);  // an empty cell

  view->SetAutoSelect(true);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, At(7));
  EXPECT_TRUE(view->IsPinned());
  EXPECT_EQ(CutPixel(7, kWhitePart.x(), kWhitePart.y()), kPinnedWhite);
  EXPECT_EQ(CutPixel(7, kStripe.x(), kStripe.y()), kBlack);
}

// Circles 102 (cut 2) and 136 (cut 36) are "b" halves: no space number in their mark squares.
TEST_F(CutPageViewTest, ACheckMultipliesItsColourOntoTheMarkSquareOnly) {
  struct Case {
    int circle, cut, color;
    bool current;
    QRgb mark, rest;
  };
  const std::vector<Case> cases = {
      {102, 2, 3, false, Rgb(kCheckColors[2]), kWhite},
      {102, 2, 1, true, Rgb(kCheckColors[0]), kHighlightWhite},  // the mark wins over the tint
      {136, 36, 0, false, kWhite, kWhite},                       // memo only: nothing
      {136, 36, -1, true, kHighlightWhite, kHighlightWhite},     // unchecked
  };
  for (const Case& c : cases) {
    controller.SelectCircle(c.current ? c.circle : 101, false);
    if (c.color > 0) controller.SetCircleColor(c.color, c.circle);
    if (c.color == 0) controller.SetCircleMemo("memo", c.circle);
    if (c.color < 0) controller.UncheckCircle(c.circle);
    const std::string label = std::to_string(c.circle) + " colour " + std::to_string(c.color);
    EXPECT_EQ(CutPixel(c.cut, kMark.x(), kMark.y()), c.mark) << label;
    EXPECT_EQ(CutPixel(c.cut, kWhitePart.x(), kWhitePart.y()), c.rest) << label;
    EXPECT_EQ(CutPixel(c.cut, kStripe.x(), kStripe.y()), kBlack) << label;
  }
}

// The overlay once went through a scratch picture twice the cut size; larger zooms drew outside it.
TEST_F(CutPageViewTest, AtLargeZoomsTheHighlightAndMarkCoverTheWholeCut) {
  view->SetZoom(300);
  controller.SelectCircle(102, false);
  controller.SetCircleColor(1, 102);
  const QImage shot = Shot();
  const QRect cut = view->ImageToView(PageCut(2)).toRect();
  ASSERT_EQ(cut, QRect(180, 120, 180, 240));
  EXPECT_EQ(shot.pixel(cut.bottomRight()) & 0xFFFFFF, kHighlightWhite);
  // The mark square at 300 %: from 6 to 48 pixels into the cut.
  EXPECT_EQ(shot.pixel(cut.topLeft() + QPoint(46, 46)) & 0xFFFFFF, Rgb(kCheckColors[0]));
  EXPECT_EQ(shot.pixel(cut.topLeft() + QPoint(50, 46)) & 0xFFFFFF, kHighlightWhite);
}

TEST_F(CutPageViewTest, DigitReturnAndDeleteKeysCheckAndMoveOnAsSet) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    bool autoNext, autoNext2;
    int color;   // of circle 101 afterwards
    int circle;  // current afterwards
  };
  const std::vector<Case> cases = {
      {Qt::Key_5, Qt::NoModifier, true, false, 5, 101},
      {Qt::Key_5, Qt::NoModifier, false, true, 5, 102},
      {Qt::Key_3, Qt::KeypadModifier, false, true, 3, 102},   // the numeric pad
      {Qt::Key_9, Qt::NoModifier, true, true, -1, 101},       // no ninth colour: nothing
      {Qt::Key_Return, Qt::NoModifier, false, true, 2, 101},  // the current colour, 2
      {Qt::Key_Enter, Qt::KeypadModifier, true, false, 2, 102},
      {Qt::Key_5, Qt::ShiftModifier, true, true, -1, 101},  // not a colour key with Shift
  };
  for (const Case& c : cases) {
    controller.UncheckCircle(101);
    controller.SelectCircle(101, false);
    values.autoNext = c.autoNext;
    values.autoNext2 = c.autoNext2;
    QTest::keyClick(view.get(), Qt::Key(c.key), c.modifiers);
    EXPECT_EQ(controller.GetCircleColor(101), c.color) << c.key;
    EXPECT_EQ(CurrentId(), c.circle) << c.key;
  }
  for (Qt::Key key : {Qt::Key_Delete, Qt::Key_0}) {
    controller.SelectCircle(101, false);
    controller.SetCircleColor(4, 101);
    values.autoNext2 = key == Qt::Key_0;
    QTest::keyClick(view.get(), key);
    EXPECT_EQ(controller.GetCircleColor(101), -1) << key;
    EXPECT_EQ(CurrentId(), key == Qt::Key_0 ? 102 : 101) << key;
  }
}

TEST_F(CutPageViewTest, ArrowAndPageKeysMoveTheSelectionInsteadOfScrolling) {
  view->SetZoom(200);
  const std::vector<std::pair<Qt::Key, Place>> walk = {
      {Qt::Key_Right, {10, 2, 102}}, {Qt::Key_Down, {10, 8, 0}},     {Qt::Key_Left, {10, 7, 104}},
      {Qt::Key_Up, {10, 1, 101}},    {Qt::Key_PageDown, {11, 1, 0}}, {Qt::Key_PageUp, {10, 1, 101}},
  };
  for (auto [key, place] : walk) {
    QTest::keyClick(view.get(), key);
    EXPECT_EQ(Here(controller), place) << key;
  }
  EXPECT_EQ(view->ScrollPosition(), QPoint(0, 0));
  QTest::keyClick(view.get(), Qt::Key_Down, Qt::ShiftModifier);  // with a modifier: a line scroll
  EXPECT_EQ(view->ScrollPosition(), QPoint(0, 10));
}

TEST_F(CutPageViewTest, CtrlKeysSendTheZoomCommandsToTheFrame) {
  view->SetZoomRange(25, 200);
  std::vector<int> sent;
  QObject::connect(view.get(), &vx::CutPageView::frameCommand, [&](int id) {
    sent.push_back(id);
    if (id == 32789) view->SetZoom(100);  // what the main window does with them
    if (id == 32788) view->ZoomIn();
  });
  view->SetZoom(50);
  QTest::keyClick(view.get(), Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(view->Zoom(), 100);
  QTest::keyClick(view.get(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(view->Zoom(), 125);
  const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> more = {
      {Qt::Key_0, Qt::ControlModifier},     {Qt::Key_2, Qt::ControlModifier},
      {Qt::Key_M, Qt::ControlModifier},     {Qt::Key_Minus, Qt::ControlModifier},
      {Qt::Key_Equal, Qt::ControlModifier}, {Qt::Key_1, Qt::ControlModifier | Qt::AltModifier},
  };
  for (auto [key, modifiers] : more) QTest::keyClick(view.get(), key, modifiers);
  EXPECT_EQ(sent, (std::vector<int>{32789, 32788, 32814, 153, 157, 32787, 32788}));
  EXPECT_EQ(controller.GetCircleColor(101), -1);  // Ctrl+digits do not check
}

TEST_F(CutPageViewTest, TheHighlightedCutIsScrolledIntoView) {
  view->resize(200, 200);
  view->SetZoom(200);
  controller.SelectCircle(136, false);  // the bottom right cut: 600, 880, 120 x 160 at 200 %
  const QSize client = view->viewport()->size();
  EXPECT_EQ(view->ScrollPosition(), QPoint(720 - client.width(), 1040 - client.height()));
  const QRect shown = view->ImageToView(PageCut(36)).toRect();
  EXPECT_TRUE(view->viewport()->rect().contains(shown));
  EXPECT_EQ(Shot().pixel(shown.topLeft() + 2 * kWhitePart) & 0xFFFFFF, kHighlightWhite);

  controller.SelectCircle(101, false);
  EXPECT_EQ(view->ScrollPosition(), QPoint(0, 80));  // the least move: the band stays above
  // A cut larger than the view shows its top left.
  view->resize(100, 100);
  controller.SelectCircle(104, false);
  EXPECT_EQ(view->ScrollPosition(), QPoint(0, 240));
}

TEST_F(CutPageViewTest, WithAutoSelectTheMouseSelectsAndShiftClickPins) {
  view->SetAutoSelect(true);
  QSignalSpy reports(view.get(), &vx::CutPageView::pointerReported);
  QTest::mouseMove(view->viewport(), At(3));
  EXPECT_EQ(CurrentId(), 103);
  EXPECT_GE(reports.count(), 1);
  EXPECT_EQ(view->HoverCut(), 3);

  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, At(7));
  EXPECT_EQ(CurrentId(), 104);
  EXPECT_TRUE(view->IsPinned());
  QTest::mouseMove(view->viewport(), At(1));
  EXPECT_EQ(CurrentId(), 104);
  EXPECT_EQ(view->HoverCut(), 1);  // the frame still learns what lies under the pointer

  // The next click only unpins; the move after it selects again.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, At(1));
  EXPECT_FALSE(view->IsPinned());
  EXPECT_EQ(CurrentId(), 104);
  QTest::mouseMove(view->viewport(), At(2));
  EXPECT_EQ(CurrentId(), 102);
}

// Menus are modal: they are answered from a zero-delay timer once open.
void WhenMenuOpens(std::function<void(QMenu*)> act) {
  QTimer::singleShot(0, [act] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    act(popup);
  });
}

TEST_F(CutPageViewTest, TheRightButtonOpensTheChecklistMenuUnlessPinnedOrModified) {
  vx::ColorMenu menu;
  ASSERT_TRUE(menu.Build(controller));
  view->SetChecklistMenu(&menu, view.get());
  view->SetAutoSelect(true);

  // "色&3で追加" by its mnemonic: the command comes back to the view.
  std::vector<QString> items;
  WhenMenuOpens([&](QMenu* popup) {
    for (QAction* action : popup->actions()) items.push_back(action->text());
    QTest::keyClick(popup, Qt::Key_3);
  });
  QTest::mouseClick(view->viewport(), Qt::RightButton, {}, At(3));
  EXPECT_EQ(CurrentId(), 103);
  EXPECT_EQ(controller.GetCircleColor(103), 3);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items[0].toStdString(), "標準色で追加(&A)\tEnter");

  // No menu with Ctrl or Shift, or over an empty cut: a menu would fail the timer's check.
  QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::ControlModifier, At(7));
  QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::ShiftModifier, At(7));
  QTest::mouseClick(view->viewport(), Qt::RightButton, {}, At(4));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  // While pinned, the right button only unpins and selects.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, At(7));
  ASSERT_TRUE(view->IsPinned());
  QTest::mouseClick(view->viewport(), Qt::RightButton, {}, At(2));
  EXPECT_FALSE(view->IsPinned());
  EXPECT_EQ(CurrentId(), 102);
  EXPECT_EQ(controller.GetCircleColor(102), -1);
}

TEST_F(CutPageViewTest, OneClickChecksOnClickAndADoubleClickAlwaysChecks) {
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, At(3));
  EXPECT_EQ(CurrentId(), 103);
  EXPECT_EQ(controller.GetCircleColor(103), -1);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, At(7));
  EXPECT_EQ(controller.GetCircleColor(104), 2);

  view->SetOneClick(true);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, At(2));
  EXPECT_EQ(controller.GetCircleColor(102), 2);
  // Above the grid: no cut, the selection stays.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(Here(controller), Place(10, 2, 102));
}

TEST_F(CutPageViewTest, ANewCircleReportsItsCutCentreToTheFrame) {
  QSignalSpy reports(view.get(), &vx::CutPageView::pointerReported);
  controller.SelectCircle(104, false);
  ASSERT_EQ(reports.count(), 1);
  EXPECT_EQ(reports[0][0].toPoint(), QPoint(30, 160));  // cut 7: 0..60, 120..200
  EXPECT_EQ(view->HoverCut(), 7);
  controller.SelectCircle(900, false);  // no place in the catalogue: no cut to show
  EXPECT_EQ(view->HighlightCut(), 0);
  EXPECT_EQ(reports.count(), 1);
}

// While a dialog or job runs, painting must not read the checklist: it shows what it read last,
// plus what the check messages told it.
TEST_F(CutPageViewTest, WhileTheGuardIsUpPaintingUsesWhatItReadAndWasTold) {
  controller.BeginModal();
  controller.GetFavoriteStore()->SetColor(102, 3);  // a job writing, unannounced
  controller.SetCircleColor(1, 136);                // announced
  EXPECT_EQ(CutPixel(2, kMark.x(), kMark.y()), kWhite);
  EXPECT_EQ(CutPixel(36, kMark.x(), kMark.y()), Rgb(kCheckColors[0]));
  view->OnAppMessage(UM_CHECKLIST_RESET, 0, 0);
  EXPECT_EQ(CutPixel(36, kMark.x(), kMark.y()), kWhite);
  controller.EndModal();
  EXPECT_EQ(CutPixel(2, kMark.x(), kMark.y()), Rgb(kCheckColors[2]));
  EXPECT_EQ(CutPixel(36, kMark.x(), kMark.y()), Rgb(kCheckColors[0]));
  controller.BeginModal();
  const int many[] = {102, 136};
  controller.SetCirclesColor(many, 2);  // announced at once
  EXPECT_EQ(CutPixel(2, kMark.x(), kMark.y()), Rgb(kCheckColors[1]));
  EXPECT_EQ(CutPixel(36, kMark.x(), kMark.y()), Rgb(kCheckColors[1]));
  controller.EndModal();
}

TEST_F(CutPageViewTest, CommandsAndTheClipboardKeysReachTheController) {
  EXPECT_FALSE(view->QueryState(ID_PASTE_CHECKLIST).enabled);  // nothing on the clipboard
  controller.SetCircleColor(3, 101);
  QTest::keyClick(view.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kSetClipboardText).size(), 1u);
  EXPECT_TRUE(view->QueryState(ID_PASTE_CHECKLIST).enabled);
  QTest::keyClick(view.get(), Qt::Key_X, Qt::ControlModifier);  // copied again, then removed
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kSetClipboardText).size(), 2u);
  EXPECT_EQ(controller.GetCircleColor(101), -1);
  QTest::keyClick(view.get(), Qt::Key_V, Qt::ControlModifier);  // and back from the text
  EXPECT_EQ(controller.GetCircleColor(101), 3);
  EXPECT_TRUE(controller.IsChecklistModified());
  clipboard.refuse = true;  // nothing copied: nothing removed
  QTest::keyClick(view.get(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(controller.GetCircleColor(101), 3);
  clipboard.refuse = false;

  // The check-colour sheet: the colour page alone, under the modal guard.
  std::string title;
  int pages = 0;
  bool guarded = false;
  QTimer::singleShot(0, [&] {
    auto* sheet = qobject_cast<vx::SettingsSheet*>(QApplication::activeModalWidget());
    ASSERT_NE(sheet, nullptr);
    title = sheet->windowTitle().toStdString();
    pages = sheet->PageCount();
    guarded = controller.GetGuard().IsRaised();
    sheet->reject();
  });
  EXPECT_TRUE(view->OnCommand(ID_COLOR_EDIT));
  EXPECT_EQ(title, "チェック色の編集");
  EXPECT_EQ(pages, 1);
  EXPECT_TRUE(guarded);

  const std::vector<std::pair<int, Place>> commands = {
      {32775, {11, 1, 0}},   {32774, {10, 1, 101}}, {32864, {11, 2, 112}},
      {32865, {10, 1, 101}}, {33003, {10, 1, 101}},
  };
  for (auto [id, place] : commands) {
    EXPECT_TRUE(view->OnCommand(id)) << id;
    EXPECT_EQ(Here(controller), place) << id;
  }
  EXPECT_EQ(controller.GetCircleColor(101), 3);
  controller.UncheckCircle(101);
  EXPECT_TRUE(view->OnCommand(33040));
  EXPECT_EQ(controller.GetCircleColor(101), 2);
  EXPECT_TRUE(view->OnCommand(33055));
  EXPECT_EQ(controller.GetCurrentColor(), 4);
  EXPECT_TRUE(view->OnCommand(33017));  // colour 17 is beyond the five there are
  EXPECT_EQ(controller.GetCircleColor(101), 2);
  EXPECT_TRUE(view->QueryState(33005).enabled);
  EXPECT_FALSE(view->QueryState(33006).enabled);
  EXPECT_FALSE(view->QueryState(33056).enabled);
  EXPECT_TRUE(view->OnCommand(33020));
  EXPECT_EQ(controller.GetCircleColor(101), -1);
  EXPECT_FALSE(view->OnCommand(32788));  // the frame's
  EXPECT_FALSE(view->QueryState(32788).enabled);
}

TEST_F(CutPageViewWithoutImagesTest, WithoutImageDataThePageIsEmptyButTheKeysStillWalk) {
  EXPECT_TRUE(view->ZoomCache().isNull());
  const QImage shot = Shot();
  const QRgb workspace = view->WorkspaceColor().rgb() & 0xFFFFFF;
  EXPECT_EQ(shot.pixel(10, 10) & 0xFFFFFF, workspace);
  EXPECT_EQ(shot.pixel(PageCut(7).center()) & 0xFFFFFF, workspace);
  // The page files' geometry still places cuts; with no picture shown none may be hit.
  images.SetCutGeometry(0, kBand, kCutW, kCutH, 0, 0);
  ASSERT_EQ(controller.HitTestCut(PageCut(7).center().x(), PageCut(7).center().y()), 7);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, PageCut(7).center());
  EXPECT_EQ(Here(controller), Place(10, 1, 101));
  QTest::keyClick(view.get(), Qt::Key_Right);
  EXPECT_EQ(Here(controller), Place(10, 2, 102));
}

}  // namespace
}  // namespace vxtest
