#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>

#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/checklist/MemoDialog.h"

namespace {

using vx::Sjis;

// Runs the dialog, acting on it from a zero-delay timer once it is up; answers DoModal's result.
int RunDialog(vx::MemoDialog& dialog, const std::function<void(QPlainTextEdit*)>& act) {
  vxtest::Watchdog watchdog;
  QTimer::singleShot(0, [&] {
    auto* edit = vxtest::Control<QPlainTextEdit>(&dialog, IDC_MEMO_EDIT);
    ASSERT_NE(edit, nullptr);
    act(edit);
  });
  return dialog.DoModal();
}

// Text as an input method commits it (QTest::keyClicks takes Latin-1 only).
void Type(QWidget* widget, const char* utf8) {
  QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUtf8(utf8),
                      Qt::NoModifier);
}

// How many pixels of the edit show the selection colour.
int SelectedPixels(QPlainTextEdit* edit) {
  const QImage shot = edit->viewport()->grab().toImage();
  const QColor highlight = edit->palette().color(QPalette::Active, QPalette::Highlight);
  int count = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) count += QColor(shot.pixel(x, y)) == highlight;
  }
  return count;
}

TEST(MemoDialogTest, OpensWithTheWholeMemoSelectedUnderTheCircleName) {
  vx::MemoDialog dialog(nullptr, Sjis("サークルＡ"));
  dialog.SetMemo(Sjis("一行目\r\n二行目"));
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("メモの編集:サークルＡ"));
  QString text, selected;
  bool focused = false;
  int highlighted = 0, afterEnd = 0;
  const int result = RunDialog(dialog, [&](QPlainTextEdit* edit) {
    text = edit->toPlainText();
    selected = edit->textCursor().selectedText();
    focused = dialog.focusWidget() == edit;
    highlighted = SelectedPixels(edit);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);  // drops the selection
    afterEnd = SelectedPixels(edit);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(text, QString::fromUtf8("一行目\n二行目"));
  EXPECT_EQ(selected, QString::fromUtf8("一行目\u2029二行目"));
  EXPECT_TRUE(focused);
  EXPECT_GT(highlighted, 50);
  EXPECT_EQ(afterEnd, 0);
}

TEST(MemoDialogTest, OkGivesTheEditedMemoAndCancelKeepsTheOldOne) {
  const struct {
    const char* name;
    std::function<void(QPlainTextEdit*)> edit;
    bool ok;
    std::string expected;
  } cases[] = {
      {"typed over the selection",
       [](QPlainTextEdit* e) {
         Type(e, "新刊");
         QTest::keyClick(e, Qt::Key_Return, Qt::ShiftModifier);
         QTest::keyClicks(e, QStringLiteral("A&B"));
       },
       true, Sjis("新刊\r\nA&B")},
      {"emptied", [](QPlainTextEdit* e) { QTest::keyClick(e, Qt::Key_Delete); }, true, ""},
      {"edited, then cancelled",
       [](QPlainTextEdit* e) { QTest::keyClicks(e, QStringLiteral("x")); }, false,
       Sjis("古い\r\nメモ")},
  };
  for (const auto& c : cases) {
    vx::MemoDialog dialog(nullptr, "circle");
    dialog.SetMemo(Sjis("古い\r\nメモ"));
    const int result = RunDialog(dialog, [&](QPlainTextEdit* edit) {
      c.edit(edit);
      QTest::keyClick(&dialog, c.ok ? Qt::Key_Enter : Qt::Key_Escape, Qt::NoModifier);
    });
    EXPECT_EQ(result, c.ok ? IDOK : IDCANCEL) << c.name;
    EXPECT_EQ(dialog.Memo(), c.expected) << c.name;
  }
}

// A keyboard user's memo: Tab moves on, Return is OK, a line break takes Ctrl or Shift.
TEST(MemoDialogTest, ReturnIsOkAndTabMovesOnInsteadOfEnteringTheMemo) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* memo;  // after OK, by the key or else afterwards
  } cases[] = {
      {Qt::Key_Return, Qt::NoModifier, "memo"},
      {Qt::Key_Enter, Qt::KeypadModifier, "memo"},
      {Qt::Key_Return, Qt::ControlModifier, "memo\r\n"},
      {Qt::Key_Return, Qt::ShiftModifier, "memo\r\n"},
      {Qt::Key_Tab, Qt::NoModifier, "memo"},
  };
  for (const auto& c : cases) {
    vx::MemoDialog dialog(nullptr, "circle");
    bool leftTheEdit = false;
    const int result = RunDialog(dialog, [&](QPlainTextEdit* edit) {
      QTest::keyClicks(edit, QStringLiteral("memo"));
      QTest::keyClick(edit, c.key, c.modifiers);
      leftTheEdit = dialog.isVisible() && dialog.focusWidget() != edit;
      if (dialog.isVisible()) dialog.accept();
    });
    EXPECT_EQ(result, IDOK) << c.key;
    EXPECT_EQ(dialog.Memo(), c.memo) << c.key << " " << c.modifiers;
    EXPECT_EQ(leftTheEdit, c.key == Qt::Key_Tab) << c.key;
  }
}

// A memo the edit would not give back as it came (a lone CR) stays as it was when nothing was
// typed.
TEST(MemoDialogTest, OkWithoutAnEditKeepsTheMemoByteForByte) {
  const std::string memo = Sjis("ソ表\rend\r\n");
  vx::MemoDialog dialog(nullptr, "circle");
  dialog.SetMemo(memo);
  const int result =
      RunDialog(dialog, [&](QPlainTextEdit*) { QTest::keyClick(&dialog, Qt::Key_Enter); });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.Memo(), memo);
}

}  // namespace
