#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "tests/ui/bookmarks/BookmarkFixture.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/bookmarks/BookmarkOrganizerDialog.h"
#include "ui/bookmarks/BookmarkPageText.h"
#include "ui/bookmarks/BookmarkTree.h"

namespace {

using vx::Bookmark;
using vx::BookmarkTree;
using vxtest::Records;
using vxtest::Shape;

class BookmarkOrganizerTest : public vxtest::BookmarkTest {
 protected:
  // The dialog over the list as it stands, shown.
  vx::BookmarkOrganizerDialog& Open() {
    dialog = std::make_unique<vx::BookmarkOrganizerDialog>(controller, list);
    Tree().expandAll();
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return *dialog;
  }
  BookmarkTree& Tree() const { return *dialog->Tree(); }
  QTreeWidgetItem* Item(const char* title) const {
    const QList<QTreeWidgetItem*> found =
        Tree().findItems(QString::fromUtf8(title), Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
  }
  QPoint At(const char* title) const { return Tree().visualItemRect(Item(title)).center(); }
  QPoint Below() const { return QPoint(20, Tree().viewport()->height() - 5); }
  void Move(QPoint to, Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent move(QEvent::MouseMove, QPointF(to), Tree().viewport()->mapToGlobal(QPointF(to)),
                     Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(Tree().viewport(), &move);
  }
  // Presses on `from`, moves over `over` (when given) and releases on `to`.
  void Drag(QPoint from, QPoint to, std::function<void()> whileOver = {}) {
    QTest::mousePress(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, from);
    Move(from + QPoint(0, 12));
    Move(to);
    if (whileOver) whileOver();
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, to);
  }
  QPushButton* Button(int id) const { return vxtest::Control<QPushButton>(dialog.get(), id); }
  QPushButton* Ok() const {
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  }

  std::unique_ptr<vx::BookmarkOrganizerDialog> dialog;
};

TEST_F(BookmarkOrganizerTest, TheTreeIsLoadedFromTheListAndSavedBackWithItsDepths) {
  const struct {
    std::vector<Bookmark> stored;
    const char* shape;
    const char* saved;
  } cases[] = {
      {{}, "", ""},
      {{Bookmark::Make(2, 0, 0, "G1"), Bookmark::Make(1, 1, 10, "B1"),
        Bookmark::Make(1, 1, 11, "B2"), Bookmark::Make(1, 0, 13, "B3"),
        Bookmark::Make(2, 0, 0, "G2"), Bookmark::Make(1, 1, 13, "B4")},
       "G1{B1,B2} B3 G2{B4}",
       "2/0/0/G1 1/1/10/B1 1/1/11/B2 1/0/13/B3 2/0/0/G2 1/1/13/B4"},
      // Any type but 1 is a group; a bookmark at depth 1 without a group stands at the top;
      // a record of type 0 ends the list.
      {{Bookmark::Make(1, 1, 10, "Lone"), Bookmark::Make(5, 0, 0, "Odd"),
        Bookmark::Make(1, 1, 11, "In"), Bookmark::Make(0, 0, 0, "End"),
        Bookmark::Make(1, 0, 12, "Lost")},
       "Lone Odd{In}",
       "1/0/10/Lone 2/0/0/Odd 1/1/11/In"},
  };
  for (const auto& c : cases) {
    list.RemoveAll();
    for (const Bookmark& b : c.stored) list.Add(b);
    Open();
    EXPECT_EQ(Shape(Tree()), c.shape);
    EXPECT_TRUE(dialog->close());
    EXPECT_EQ(Records(list), c.saved);
  }
}

// Over a group the group is the drop target and shows highlighted; elsewhere there is none.
TEST_F(BookmarkOrganizerTest, BookmarksAreDraggedIntoGroupsOrOutToTheTopInSortedPlace) {
  const struct {
    const char* dragged;
    const char* onto;  // null: below the items
    const char* shape;
    bool refused;
  } cases[] = {
      {"Banana", "Fruit", "Fruit{Apple,Banana,Pear} Veg{} Cherry", false},
      {"Banana", "Veg", "Fruit{Apple,Pear} Veg{Banana} Cherry", false},
      {"Apple", "Cherry", "Apple Fruit{Pear} Veg{} Banana Cherry", false},
      {"Pear", nullptr, "Fruit{Apple} Pear Veg{} Banana Cherry", false},
      {"Apple", "Pear", "Apple Fruit{Pear} Veg{} Banana Cherry", false},
      {"Apple", "Fruit", "Fruit{Apple,Pear} Veg{} Banana Cherry", true},
      {"Banana", "Cherry", "Fruit{Apple,Pear} Veg{} Banana Cherry", true},
      {"Banana", "Banana", "Fruit{Apple,Pear} Veg{} Banana Cherry", true},
      {"Fruit", "Veg", "Fruit{Apple,Pear} Veg{} Banana Cherry", false},  // groups stay
  };
  for (const auto& c : cases) {
    list.RemoveAll();
    Fill({{"Fruit", {"Apple", "Pear"}}, {"Veg", {}}}, {"Banana", "Cherry"});
    Open();
    int refusals = 0;
    QObject::connect(&Tree(), &BookmarkTree::dropRefused, [&refusals] { ++refusals; });
    const QTreeWidgetItem* onto = c.onto ? Item(c.onto) : nullptr;
    const bool intoGroup = BookmarkTree::IsGroup(onto) && std::string(c.dragged) != "Fruit";
    int highlighted = 0;
    Drag(At(c.dragged), onto ? At(c.onto) : Below(), [&] {
      EXPECT_EQ(Tree().DropTarget(), intoGroup ? onto : nullptr) << c.dragged;
      Tree().clearSelection();  // only the drop highlight is left to see
      const QImage shot = Tree().viewport()->grab().toImage();
      const QColor highlight = Tree().palette().color(QPalette::Highlight);
      for (int x = 0; onto && x < shot.width(); ++x) {
        highlighted += QColor(shot.pixel(x, At(c.onto).y())) == highlight;
      }
    });
    EXPECT_EQ(highlighted > 0, intoGroup) << c.dragged;
    EXPECT_EQ(Shape(Tree()), c.shape) << c.dragged << " onto " << (c.onto ? c.onto : "nothing");
    EXPECT_EQ(refusals, c.refused ? 1 : 0) << c.dragged;
    EXPECT_FALSE(Tree().IsDragging());
  }
}

// The list changes only when the dialog closes: Escape throws the deletion away, the close box
// keeps it.
TEST_F(BookmarkOrganizerTest, DeletingAGroupWithBookmarksAsksFirst) {
  enum Closing { kLeftOpen = 0, kEscape = IDCANCEL, kCloseBox = IDOK };  // as the result
  const struct {
    const char* selected;
    int answer;  // 0: no question
    const char* shape;
    Closing closing = kLeftOpen;
    const char* saved = nullptr;  // null: the list as it was
  } cases[] = {
      {"Fruit", IDNO, "Fruit{Apple,Pear} Veg{} Banana"},
      {"Fruit", IDYES, "Veg{} Banana"},
      {"Veg", 0, "Fruit{Apple,Pear} Banana"},
      {"Pear", 0, "Fruit{Apple} Veg{} Banana"},
      {"Banana", 0, "Fruit{Apple,Pear} Veg{}"},
      {"Fruit", IDYES, "Veg{} Banana", kEscape},
      {"Pear", 0, "Fruit{Apple} Veg{} Banana", kCloseBox,
       "2/0/0/Fruit 1/1/10/Apple 2/0/0/Veg 1/0/12/Banana"},
  };
  for (const auto& c : cases) {
    list.RemoveAll();
    Fill({{"Fruit", {"Apple", "Pear"}}, {"Veg", {}}}, {"Banana"});
    const std::string before = Records(list);
    Open();
    ui.ClearCalls();
    if (c.answer) ui.QueueAnswer(c.answer);
    Tree().setCurrentItem(Item(c.selected));
    QTest::keyClick(&Tree(), Qt::Key_Delete);
    EXPECT_EQ(Shape(Tree()), c.shape) << c.selected;
    if (c.closing == kEscape) QTest::keyClick(&Tree(), Qt::Key_Escape);
    if (c.closing == kCloseBox) dialog->close();
    EXPECT_EQ(dialog->isVisible(), c.closing == kLeftOpen);
    EXPECT_EQ(dialog->result(), c.closing);
    EXPECT_EQ(Records(list), c.saved ? c.saved : before) << c.selected;
    const std::vector<vx::UiCall> boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
    ASSERT_EQ(boxes.size(), c.answer ? 1u : 0u) << c.selected;
    if (!c.answer) continue;
    EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].caption), "グループの削除");
    EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].text),
              "グループ Fruit と\nそれに含まれる全てのブックマークを削除します.\nよろしいですか？");
    EXPECT_EQ(boxes[0].flags, vx::MB_YESNO | vx::MB_ICONQUESTION);
  }
}

TEST_F(BookmarkOrganizerTest, ANewGroupComesLastUnselectedUnlessTheListIsFull) {
  Fill({}, {"Banana"});
  Open();
  Tree().setCurrentItem(Item("Banana"));
  QTest::mouseClick(Button(ID_BOOKMARK_NEW_GROUP), Qt::LeftButton);
  EXPECT_EQ(Shape(Tree()), "Banana 新しいグループ{}");
  EXPECT_EQ(Tree().SelectedItem(), nullptr);
  EXPECT_TRUE(dialog->PageText()->text().isEmpty());

  list.RemoveAll();
  for (int i = 0; i < vx::BookmarkList::kCapacity; ++i) {
    list.Add(Bookmark::Make(1, 0, 10, "B" + std::to_string(i)));
  }
  Open();
  QTest::mouseClick(Button(ID_BOOKMARK_NEW_GROUP), Qt::LeftButton);
  EXPECT_EQ(Tree().topLevelItemCount(), vx::BookmarkList::kCapacity);
  EXPECT_EQ(vxtest::Boxes(ui),
            std::vector<std::string>{
                "ブックマークが多すぎます|これ以上ブックマークを登録することはできません."});
}

TEST_F(BookmarkOrganizerTest, TheSelectedBookmarkDescribesItsPage) {
  Fill({{"Fruit", {"Apple"}}}, {"Banana"});
  list.GetAt(1)->page = 13;
  Open();
  Tree().setCurrentItem(Item("Apple"));
  EXPECT_EQ(dialog->PageText()->text(), vx::QtText(vx::BookmarkPageText(controller, 13)));
  Tree().setCurrentItem(Item("Fruit"));
  EXPECT_TRUE(dialog->PageText()->text().isEmpty());
}

TEST_F(BookmarkOrganizerTest, OkWhileRenamingKeepsTheDialogOpenWithTheNewName) {
  Fill({}, {"Banana", "Cherry"});
  dialog = std::make_unique<vx::BookmarkOrganizerDialog>(controller, list);
  vxtest::Watchdog watchdog;
  bool stayed = false;
  QString renamed;
  QTimer::singleShot(0, [&] {
    Tree().setCurrentItem(Item("Banana"));
    dialog->OnCommand(ID_BOOKMARK_RENAME);
    auto* editor = qobject_cast<QLineEdit*>(Tree().indexWidget(Tree().currentIndex()));
    if (!editor) return dialog->done(0);
    editor->setText(QStringLiteral("Kiwi"));
    QTest::mouseClick(Ok(), Qt::LeftButton);
    stayed = dialog->isVisible() && !Tree().IsEditing();
    renamed = Tree().topLevelItem(0)->text(0);
    dialog->OnCommand(ID_BOOKMARK_RENAME);  // Escape ends only the renaming
    QTest::keyClick(Tree().indexWidget(Tree().currentIndex()), Qt::Key_Escape);
    stayed = stayed && dialog->isVisible() && !Tree().IsEditing();
    QTest::mouseClick(Ok(), Qt::LeftButton);
  });
  EXPECT_EQ(dialog->DoModal(), IDOK);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(renamed, QStringLiteral("Kiwi"));
  EXPECT_EQ(Records(list), "1/0/10/Kiwi 1/0/11/Cherry");
}

TEST_F(BookmarkOrganizerTest, TheItemMenuRenamesAndDeletesTheItemUnderThePointer) {
  Fill({}, {"Banana", "Cherry"});
  Open();
  QTimer::singleShot(0, [] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_D);
  });
  QTest::mouseClick(Tree().viewport(), Qt::RightButton, Qt::NoModifier, At("Cherry"));
  EXPECT_EQ(Shape(Tree()), "Banana");

  QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_R); });
  QTest::mouseClick(Tree().viewport(), Qt::RightButton, Qt::NoModifier, At("Banana"));
  EXPECT_TRUE(Tree().IsEditing());
}

}  // namespace
