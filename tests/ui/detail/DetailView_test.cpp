#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

#include <string>
#include <vector>

#include "data/images/CutDrawing.h"
#include "tests/ui/detail/DetailFixture.h"
#include "ui/detail/LinkLabel.h"
#include "ui/detail/MemoEdit.h"
#include "ui/menus/ColorMenu.h"

namespace {

using vx::DetailView;
using vx::Sjis;
using vxtest::kDetailed;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

std::string Crlf(std::string_view text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

// How many pixels of a widget show `rgb`.
int PixelsOf(QWidget* widget, QRgb rgb) {
  const QImage shot = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int count = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) count += (shot.pixel(x, y) & 0xFFFFFF) == rgb;
  }
  return count;
}

// A memo of `bytes` CP932 bytes in short lines.
std::string MemoOf(std::size_t bytes) {
  std::string memo;
  while (memo.size() + 64 <= bytes) memo += std::string(62, 'a') + "\r\n";
  return memo + std::string(bytes - memo.size(), 'a');
}

class DetailViewTest : public vxtest::DetailTest {
 protected:
  void TypeIntoMemo(const char* utf8) {
    vx::MemoEdit* memo = View().MemoBox();
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, Text(utf8), Qt::NoModifier);
  }
  void ClickLink(int row, bool onText) {
    vx::LinkLabel* link = View().LinkValue(row);
    const QPoint at = onText ? link->TextExtent().center() : QPoint(link->width() - 3, 7);
    QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, at);
  }
};

const char* const kDescription96 =
    "配置:土曜日 東Ｂ05b\nサークル名：\n詳細サークル（しょうさいさーくる）\n\n執筆者名：作者\n\n"
    "発行誌名：新刊\n\nジャンル：音楽\n\n補足：\n一行目\n二行目\n\n更新補足:\n更新あり\n";

TEST_F(DetailViewTest, LinkCaptionsFollowTheEventAndLeaveRoomForTheLongest) {
  const struct {
    int event;
    std::vector<const char*> captions;
  } cases[] = {
      {96, {"URL：", "Mail：", "Netherfold：", "Twitter：", "Pixiv：", "Orbalink："}},
      {85, {"URL：", "Mail：", "Orbalink：", "Twitter：", "Pixiv：", "RSS："}},
  };
  for (const auto& c : cases) {
    values.eventNumber = c.event;
    DetailView detail(controller);
    detail.resize(400, 500);
    detail.show();
    EXPECT_GE(detail.LabelWidth(), 90);
    for (int row = 0; row < DetailView::kLinkRows; ++row) {
      QLabel* caption = detail.LinkCaption(row);
      EXPECT_EQ(caption->text(), Text(c.captions[row])) << c.event << " " << row;
      EXPECT_GE(caption->width(), caption->fontMetrics().horizontalAdvance(caption->text()));
      EXPECT_EQ(detail.LinkValue(row)->x(), 1 + detail.LabelWidth());
    }
    EXPECT_EQ(detail.MemoCaption()->text(), Text("サークルメモ："));
  }
}

TEST_F(DetailViewTest, DescriptionTellsPlaceNamesGenreAndNotesAndBelowEvent90TheFeed) {
  Select(kDetailed);
  EXPECT_EQ(View().DescriptionBox()->toPlainText(), Text(kDescription96));

  vx::CircleRecord circle = View().Circle();
  circle.rssInfo = Sjis("新しい記事");
  values.eventNumber = 85;
  EXPECT_EQ(vx::Cp932ToUtf8(DetailView::DescriptionText(controller, circle)),
            Crlf(kDescription96) + "\r\nRSS詳細:\r\n新しい記事");

  vx::CircleRecord unplaced;
  ASSERT_TRUE(controller.GetCircle(900, &unplaced));
  EXPECT_EQ(vx::Cp932ToUtf8(DetailView::PlaceText(controller, unplaced)), "抽選漏れ");
}

TEST_F(DetailViewTest, ATypedMemoIsSavedOnceToTheCircleItWasTypedFor) {
  Select(101);
  TypeIntoMemo("メモ");
  View().setFocus();  // leaving the box saves
  controller.SelectCircle(102, false);
  EXPECT_EQ(controller.GetCircleMemo(101), Sjis("メモ"));
  EXPECT_EQ(controller.GetCircleMemo(102), "");
  EXPECT_EQ(Heard(UM_CHECKLIST_ENTRY_CHANGED, 101), 1);

  TypeIntoMemo("次");
  controller.SelectCircle(103, false);  // moving away saves, without the box losing the focus
  EXPECT_EQ(controller.GetCircleMemo(102), Sjis("次"));
  EXPECT_EQ(Heard(UM_CHECKLIST_ENTRY_CHANGED, 102), 1);
  EXPECT_EQ(View().MemoBox()->toPlainText(), QString());
}

TEST_F(DetailViewTest, AMemoThatDiffersOnlyInItsLineBreaksIsNotSavedAgain) {
  controller.SetCircleMemo("one\ntwo\rthree\r\nfour", 101);
  Select(101);
  EXPECT_EQ(View().MemoBox()->toPlainText(), Text("one\ntwo\nthree\nfour"));
  controller.SelectCircle(102, false);
  EXPECT_EQ(Heard(UM_CHECKLIST_ENTRY_CHANGED, 101), 0);
  EXPECT_EQ(controller.GetCircleMemo(101), "one\ntwo\rthree\r\nfour");
}

TEST_F(DetailViewTest, AResetChecklistTakesTheShownMemoWithIt) {
  controller.SetCircleMemo("old memo", 101);
  Select(101);
  ASSERT_EQ(View().MemoBox()->toPlainText(), Text("old memo"));
  controller.NewChecklist(true);
  EXPECT_EQ(View().MemoBox()->toPlainText(), QString());
  controller.SelectCircle(102, false);
  EXPECT_EQ(controller.GetCircleMemo(101), "");
  EXPECT_EQ(controller.GetCircleColor(101), -1);
}

TEST_F(DetailViewTest, TheMemoBoxHoldsAt65535BytesWithoutSplittingACharacter) {
  const struct {
    std::size_t stored;
    const char* typed;
    std::string kept;  // CP932 added to the memo
  } cases[] = {
      {65535, "", ""},      {65534, "あ", ""}, {65534, "b", "b"}, {65531, "あいう", Sjis("あい")},
      {65533, "x\ny", "x"},
  };
  int circle = 101;
  for (const auto& c : cases) {
    const std::string memo = MemoOf(c.stored);
    controller.SetCircleMemo(memo, circle);
    Select(circle);
    vx::MemoEdit* box = View().MemoBox();
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    box->textCursor().insertText(Text(c.typed));
    EXPECT_EQ(box->Memo(), memo + c.kept) << c.stored << " " << c.typed;
    circle = circle == 101 ? 102 : 101;
  }
}

TEST_F(DetailViewTest, LinksOpenFromTheirTextOnlyAndOnlyWhatHasAnAddress) {
  Select(kDetailed);
  const struct {
    int row;
    const char* opened;
  } links[] = {
      {DetailView::kUrlRow, "https://example.com/c150"},
      {DetailView::kMailRow, "mailto:c150@example.com"},
      {DetailView::kPortalRow, "https://portal.example/150"},
      {DetailView::kTwitterRow, "https://twitter.com/circle150"},
      {DetailView::kPixivRow, "https://www.pixiv.net/users/150150"},
      {DetailView::kFeedRow, "https://example.com/feed150"},
  };
  for (const auto& link : links) {
    ui.ClearCalls();
    ClickLink(link.row, false);
    EXPECT_TRUE(ui.OpenedUrls().empty()) << link.row;
    ClickLink(link.row, true);
    EXPECT_EQ(ui.OpenedUrls(), std::vector<std::string>{link.opened}) << link.row;
    EXPECT_GT(PixelsOf(View().LinkValue(link.row), vx::LinkLabel::kLinkColor), 0);
  }

  // Fields that are no address (their own builders are tested apart) show plainly.
  vx::CircleRecord hostile = vxtest::DetailedCircle();
  hostile.id = 151;
  hostile.pageNo = 13;  // a page not loaded yet
  hostile.cutIndex = 20;
  hostile.url = "javascript:alert(1)";
  hostile.twitter = "file:///etc/passwd";
  vxtest::InsertCircle(db, hostile);
  Select(151);
  ui.ClearCalls();
  for (int row : {DetailView::kUrlRow, DetailView::kTwitterRow}) {
    EXPECT_FALSE(View().LinkValue(row)->IsOpenable()) << row;
    EXPECT_EQ(PixelsOf(View().LinkValue(row), vx::LinkLabel::kLinkColor), 0) << row;
    ClickLink(row, true);
  }
  EXPECT_TRUE(ui.OpenedUrls().empty());
}

TEST_F(DetailViewTest, TheCutShowsTheCircleWithTheMarkOfItsColour) {
  Select(101);
  vx::CutRect mark{1, 1, vxtest::kCutW, vxtest::kCutH};
  vx::CutMarkRect(mark);
  const QPoint markCentre(mark.x + mark.w / 2, mark.y + mark.h / 2);
  const QPoint stripe(1 + vxtest::kStripeLeft + 2, vxtest::kCutH - 5);
  EXPECT_EQ(Shot().pixel(stripe) & 0xFFFFFF, vxtest::kBlack);
  EXPECT_EQ(Shot().pixel(markCentre) & 0xFFFFFF, vxtest::kWhite);  // no mark unchecked

  controller.SetCircleColor(3, 101);
  EXPECT_EQ(Shot().pixel(markCentre) & 0xFFFFFF, vxtest::Rgb(vxtest::kYellowRef));
  controller.UncheckCircle(101);
  EXPECT_EQ(Shot().pixel(markCentre) & 0xFFFFFF, vxtest::kWhite);
}

TEST_F(DetailViewTest, KeysCheckUncheckCopyAndMoveOn) {
  values.autoNext = 1;
  values.autoNext2 = 0;
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    int color;  // of 101 afterwards
    int current;
  } steps[] = {
      {Qt::Key_3, Qt::NoModifier, 3, 101},
      {Qt::Key_9, Qt::NoModifier, 3, 101},  // no ninth colour
      {Qt::Key_0, Qt::NoModifier, -1, 101},
      {Qt::Key_1, Qt::KeypadModifier, 1, 101},
      {Qt::Key_Return, Qt::NoModifier, 2, 102},  // the current colour, then on (AutoNext)
  };
  Select(101);
  for (const auto& step : steps) {
    View().setFocus();
    QTest::keyClick(&View(), static_cast<Qt::Key>(step.key), step.modifiers);
    EXPECT_EQ(controller.GetCircleColor(101), step.color) << step.key;
    EXPECT_EQ(controller.GetCurrentCircle().id, step.current) << step.key;
  }
  QTest::keyClick(&View(), Qt::Key_C, Qt::ControlModifier);
  ASSERT_EQ(ui.CallsOf(vx::UiCallKind::kSetClipboardText).size(), 1u);
  EXPECT_NE(ui.CallsOf(vx::UiCallKind::kSetClipboardText)[0].text.find("102"), std::string::npos);
}

TEST_F(DetailViewTest, TheRightButtonOnTheCutOpensTheChecklistMenuForTheWindow) {
  vx::ColorMenu menu;
  ASSERT_TRUE(menu.Build(controller));
  window->SetChecklistMenu(&menu);
  Select(101);
  QTimer::singleShot(0, [] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_3);
  });
  QTest::mouseClick(View().viewport(), Qt::RightButton, Qt::NoModifier, QPoint(30, 40));
  EXPECT_EQ(controller.GetCircleColor(101), 3);
}

}  // namespace
