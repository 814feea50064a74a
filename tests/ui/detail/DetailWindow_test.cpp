#include <gtest/gtest.h>

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

#include <vector>

#include "app/WindowRecord.h"
#include "tests/ui/detail/DetailFixture.h"
#include "ui/detail/DetailBar.h"
#include "ui/detail/MemoEdit.h"
#include "ui/menus/CommandActions.h"
#include "ui/menus/CommandMap.h"

namespace {

using vx::CommandActions;

class DetailWindowTest : public vxtest::DetailTest {
 protected:
  vx::DetailBar& Bar() const { return *window->Bar(); }
  QToolButton* ButtonOf(int commandId) const {
    for (QAction* place : Bar().actions()) {
      if (CommandActions::CommandId(place) == commandId) {
        return qobject_cast<QToolButton*>(Bar().widgetForAction(place));
      }
    }
    return nullptr;
  }
  bool Shown() const {
    vx::WindowRecord record{};
    return controller.GetWindowRecord(window.get(), &record) && record.shown;
  }
};

TEST_F(DetailWindowTest, ClosingOnlyHidesTheWindowAndItStillShowsItsCircle) {
  controller.ShowRegisteredWindow(window.get());
  Select(vxtest::kDetailed);
  const QString description = window->View()->DescriptionBox()->toPlainText();
  EXPECT_FALSE(window->close());
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(Shown());

  controller.ShowRegisteredWindow(window.get());
  window->show();
  EXPECT_TRUE(Shown());
  EXPECT_EQ(window->View()->Circle().id, vxtest::kDetailed);
  EXPECT_EQ(window->View()->DescriptionBox()->toPlainText(), description);
}

TEST_F(DetailWindowTest, TheWebSearchButtonsStandBeforeTheColoursAndGoToTheApplication) {
  const QList<QAction*> places = Bar().actions();
  ASSERT_EQ(places.size(), 2 + 1 + 3 + 2);
  EXPECT_EQ(Bar().widgetForAction(places[0]), Bar().SearchButton());
  EXPECT_EQ(Bar().widgetForAction(places[1]), Bar().SettingsButton());
  EXPECT_EQ(Bar().SearchButton()->text(), QString::fromUtf8("Googleで検索"));
  EXPECT_EQ(Bar().SettingsButton()->text(), QString::fromUtf8("設定"));
  EXPECT_EQ(Bar().SearchButton()->width(), 86);
  EXPECT_EQ(Bar().SettingsButton()->width(), 30);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(CommandActions::CommandId(places[3 + i]), ID_CHECK_COLOR_FIRST + i);
  }
  EXPECT_EQ(CommandActions::CommandId(places[7]), ID_UNCHECK);
  EXPECT_FALSE(Bar().SearchButton()->isEnabled());  // nobody runs it yet

  std::vector<int> ran;
  vx::CommandMap application;
  application.OnRange(ID_WEB_SEARCH, ID_WEB_SEARCH_SETTINGS, [&ran](int id) { ran.push_back(id); });
  window->SetApplicationCommands(&application);
  ASSERT_TRUE(Bar().SearchButton()->isEnabled());
  QTest::mouseClick(Bar().SearchButton(), Qt::LeftButton);
  QTest::mouseClick(Bar().SettingsButton(), Qt::LeftButton);
  EXPECT_EQ(ran, (std::vector<int>{ID_WEB_SEARCH, ID_WEB_SEARCH_SETTINGS}));
}

TEST_F(DetailWindowTest, TheColourButtonsFollowTheColoursAndCheckTheCircleShown) {
  Select(101);
  const QImage before = ButtonOf(ID_CHECK_COLOR_FIRST + 2)->icon().pixmap(16, 16).toImage();
  controller.SetCurrentColor(2);  // elsewhere, e.g. from the main window's menu
  EXPECT_NE(ButtonOf(ID_CHECK_COLOR_FIRST + 2)->icon().pixmap(16, 16).toImage(), before);

  QTest::mouseClick(ButtonOf(ID_CHECK_COLOR_FIRST), Qt::LeftButton);
  EXPECT_EQ(controller.GetCircleColor(101), 1);
  // A memo being typed is written back before the change would reload the box over it.
  window->View()->MemoBox()->setFocus();
  window->View()->MemoBox()->insertPlainText(QStringLiteral("typed"));
  QTest::mouseClick(ButtonOf(ID_UNCHECK), Qt::LeftButton);
  EXPECT_EQ(controller.GetCircleColor(101), 0);  // memo only
  EXPECT_EQ(controller.GetCircleMemo(101), "typed");

  values.fvrColorNum = 2;
  controller.LoadColorTable();
  controller.NotifyColorsChanged();
  EXPECT_EQ(Bar().ColorCount(), 2);
  EXPECT_EQ(ButtonOf(ID_CHECK_COLOR_FIRST + 2), nullptr);
}

TEST_F(DetailWindowTest, ItsPlaceIsStoredAndADroppedFileOpensAsAChecklist) {
  window->move(140, 90);
  window->resize(480, 500);
  const vx::WindowRect stored = values.windowRects[3];
  EXPECT_EQ(stored.left, window->geometry().left());
  EXPECT_EQ(stored.right - stored.left, 480);

  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QStringLiteral("/nonexistent/first.csv")),
                 QUrl::fromLocalFile(QStringLiteral("/nonexistent/second.csv"))});
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  // Outside a real drag the application passes a drop to nobody: the frame takes it directly.
  static_cast<QObject*>(window.get())->event(&drop);
  const std::vector<vx::UiCall> boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 1u);  // the first file only, which cannot be read
  EXPECT_NE(boxes[0].text.find("first.csv"), std::string::npos);
}

}  // namespace
