#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <functional>

#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/ui/bookmarks/BookmarkFixture.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/bookmarks/BookmarkAddDialog.h"
#include "ui/bookmarks/BookmarkCommands.h"
#include "ui/bookmarks/BookmarkPageText.h"

namespace {

using vx::Sjis;

// Acts on the dialog that opens next once it is up (modal dialogs run their own loop).
void WhenDialogOpens(std::function<void(QDialog*)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(dialog);
  });
}

void Type(QWidget* widget, const QString& text) {
  QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

class BookmarkAddTest : public vxtest::BookmarkTest {};

TEST_F(BookmarkAddTest, TheTitleIsProposedAsThePagesPlacesAndGenreAndNeverTakesHalfACharacter) {
  vx::Bookmark record;
  record.page = 13;
  vx::BookmarkAddDialog dialog(controller, nullptr, record);
  vxtest::Watchdog watchdog;
  QString proposed, selected;
  QTimer::singleShot(0, [&] {
    QLineEdit* edit = vxtest::Control<QLineEdit>(&dialog, IDC_BOOKMARK_TITLE);
    proposed = edit->text();
    selected = edit->selectedText();
    Type(edit, QString(63, QChar(u'あ')));  // 126 bytes over the selection
    Type(edit, QStringLiteral("い"));       // would make 128
    Type(edit, QStringLiteral("x"));
    QTest::keyClick(edit, Qt::Key_Return);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(proposed, QString::fromUtf8("13ページ : 日曜日 東Ｃ01～東Ｃ09 （音楽）"));
  EXPECT_EQ(selected, proposed);
  std::string expected;
  for (int i = 0; i < 63; ++i) expected += Sjis("あ");
  EXPECT_EQ(std::string(record.title), expected + "x");
  EXPECT_EQ(std::strlen(record.title), 127u);

  vx::Bookmark untouched;
  untouched.page = 13;
  vx::BookmarkAddDialog cancelled(controller, nullptr, untouched);
  QTimer::singleShot(0, [&] { QTest::keyClick(&cancelled, Qt::Key_Escape); });
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
  EXPECT_STREQ(untouched.title, "");
}

TEST_F(BookmarkAddTest, AddingAppendsTheCurrentPageUnderTheModalGuardUnlessTheListIsFull) {
  controller.SelectCircle(131, false);
  vx::BookmarkCommands commands(controller, list);
  bool guarded = false;
  WhenDialogOpens([&](QDialog* dialog) {
    guarded = controller.GetGuard().IsRaised();
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  EXPECT_TRUE(commands.AddCurrentPage(nullptr));
  EXPECT_TRUE(guarded);
  EXPECT_FALSE(controller.GetGuard().IsRaised());
  EXPECT_EQ(vxtest::Records(list), "1/0/13/" + vx::BookmarkPageText(controller, 13));

  while (list.Count() < vx::BookmarkList::kCapacity) list.Add(*list.GetAt(0));
  EXPECT_FALSE(commands.AddCurrentPage(nullptr));  // no dialog: the box comes first
  EXPECT_EQ(list.Count(), vx::BookmarkList::kCapacity);
  EXPECT_EQ(vxtest::Boxes(ui),
            std::vector<std::string>{
                "ブックマークが多すぎます|これ以上ブックマークを登録することはできません."});
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox)[0].flags, vx::MB_OK | vx::MB_ICONHAND);
}

}  // namespace
