// The application object in this process, on the small sample catalogue.
#include "program/VindaxelApplication.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>

#include "app/CatalogController.h"
#include "app/DefaultWindowLayout.h"
#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "platform/qt/SingleInstanceServer.h"
#include "program/ApplicationCommands.h"
#include "res/ResourceIds.h"
#include "tests/program/BoxAnswers.h"
#include "tests/program/SampleProfile.h"
#include "tests/support/EventLoopDeadline.h"
#include "ui/checklist/ChecklistWindow.h"
#include "ui/detail/DetailView.h"
#include "ui/detail/DetailWindow.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListWindow.h"
#include "ui/map/HallMapBar.h"
#include "ui/map/HallMapWindow.h"
#include "ui/main/MainStatusBar.h"
#include "ui/main/MainWindow.h"
#include "ui/menus/MenuTables.h"
#include "ui/search/SearchDialog.h"
#include "ui/main/SplashWindow.h"

namespace {

namespace fs = std::filesystem;

class VindaxelApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vxtest::MakeSampleProfile(root.Path());
    ::setenv("VINDAXEL_PROGRAM_DIR", root.Path().c_str(), 1);
  }
  void TearDown() override { ::unsetenv("VINDAXEL_PROGRAM_DIR"); }

  vxtest::TempDir root;
};

// The cover stays up for a second; a start that ends at once must not leave it pointing at the
// application that is gone.
TEST_F(VindaxelApplicationTest, CoverOutlivesAStartThatEndsAtOnce) {
  auto program = std::make_unique<vx::VindaxelApplication>(std::vector<std::string>{});
  ASSERT_TRUE(program->Start());
  ASSERT_NE(vx::SplashWindow::Current(), nullptr);
  program.reset();
  QTRY_VERIFY_WITH_TIMEOUT(vx::SplashWindow::Current() == nullptr, 5000);
}

TEST_F(VindaxelApplicationTest, StartsOnTheFirstCutOfDayOneAndComesBackToItsPage) {
  {
    vx::VindaxelApplication program({});
    ASSERT_TRUE(program.Start());
    vx::CatalogController& controller = *program.GetCore()->Controller();
    EXPECT_EQ(controller.GetCurrentPage(), controller.GetFirstPage());
    EXPECT_GT(controller.GetCurrentCircle().id, 0);
    EXPECT_EQ(program.GetMainWindow()->CurrentPage(), controller.GetCurrentPage());
    EXPECT_EQ(program.GetMainWindow()->DayIndex(), 0);
    // The detail window comes after the checklist, shown as the default layout has it, on the
    // same circle; the hall map and the circle list come after it.
    ASSERT_EQ(controller.GetRegistry().Count(), 5);
    const vx::WindowRecord& detail = controller.GetRegistry().Records()[2];
    EXPECT_EQ(detail.window, program.GetDetailWindow());
    EXPECT_STREQ(detail.name, vx::Sjis("サークル詳細(&D)\tCtrl+D").c_str());
    EXPECT_TRUE(program.GetDetailWindow()->isVisible());
    EXPECT_EQ(program.GetDetailWindow()->View()->Circle().id, controller.GetCurrentCircle().id);
    controller.NextPage();
  }
  vx::VindaxelApplication again({});
  ASSERT_TRUE(again.Start());
  vx::CatalogController& controller = *again.GetCore()->Controller();
  EXPECT_GT(controller.GetCurrentPage(), controller.GetFirstPage());
  // ... on its first circle, which the bars and the detail window show.
  EXPECT_GT(controller.GetCurrentCircle().id, 0);
  EXPECT_EQ(again.GetMainWindow()->DayIndex(), 0);
  EXPECT_EQ(again.GetDetailWindow()->View()->Circle().id, controller.GetCurrentCircle().id);
}

TEST_F(VindaxelApplicationTest, ExitCommandClosesTheMainWindowAndEndsTheLoop) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  program.GetCore()->Controller()->ShowRegisteredWindow(program.GetListWindow());
  QTimer::singleShot(0, [&] { program.GetMainWindow()->RunCommand(ID_APP_EXIT); });
  vxtest::MainLoopDeadline deadline;
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(program.GetMainWindow()->isVisible());
  // Ending closed the tool windows without hiding them for the next start.
  for (QWidget* window : {static_cast<QWidget*>(program.GetDetailWindow()),
                          static_cast<QWidget*>(program.GetListWindow())}) {
    EXPECT_FALSE(window->isVisible()) << window->windowTitle().toStdString();
  }
  EXPECT_EQ(program.GetCore()->Values().windowShown[vx::kDetailSlot], 1);
  EXPECT_EQ(program.GetCore()->Values().windowShown[vx::kListSlot], 1);
}

// A session that commits nothing still writes its settings at the end: when the file cannot be
// written, the user hears it then, once, with the file and the reason.
TEST_F(VindaxelApplicationTest, AnExitThatCannotWriteTheSettingsSaysSoOnce) {
  vxtest::BoxAnswers boxes;
  {
    vx::VindaxelApplication program({});
    ASSERT_TRUE(program.Start());
    const fs::path settings = root.Path() / "vindaxel.ini";
    fs::remove(settings);
    fs::create_directory(settings);  // where the file should go
    QTimer::singleShot(0, [&] { program.GetMainWindow()->RunCommand(ID_APP_EXIT); });
    vxtest::MainLoopDeadline deadline;
    EXPECT_EQ(QApplication::exec(), 0);
  }
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("vindaxel.ini\nに動作設定を保存できませんでした."),
            std::string::npos)
      << boxes.texts[0];
}

// The window keys follow the window menu's order, which start-up fixes by registering the
// frames as checklist, detail, map, list.
TEST_F(VindaxelApplicationTest, WindowKeysToggleTheirOwnWindows) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  const auto commandOf = [](const char* keys) {
    for (const vx::Accelerator& a : vx::MainAccelerators()) {
      if (std::string(a.keys) == keys) return a.id;
    }
    return 0;
  };
  const struct {
    const char* keys;
    QWidget* window;
  } cases[] = {{"Ctrl+K", program.GetChecklistWindow()},
               {"Ctrl+D", program.GetDetailWindow()},
               {"Ctrl+M", program.GetMapWindow()},
               {"Ctrl+L", program.GetListWindow()}};
  for (const auto& c : cases) {
    const bool shown = c.window->isVisible();
    // In sight: a window the main window covers would come to the front instead.
    program.GetCore()->Controller()->RaiseWindow(dynamic_cast<vx::ControllerWindow*>(c.window));
    EXPECT_TRUE(program.GetMainWindow()->RunCommand(commandOf(c.keys))) << c.keys;
    EXPECT_NE(c.window->isVisible(), shown) << c.keys;
  }
}

// Map and list left open come back with the others where the default layout puts their frames,
// and the main window, shown over them, is the active one: the focus stayed in a window it covered.
TEST_F(VindaxelApplicationTest, FramesComeOnTheDefaultLayoutAndTheMainWindowActive) {
  vxtest::WriteFileBytes(root.Path() / "vindaxel.ini",
                         "[Window]\r\nWndDisp.00008002=1\r\nWndDisp.00008010=1\r\n");
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QWidget* windows[] = {program.GetMainWindow(), program.GetMapWindow(),
                              program.GetChecklistWindow(), program.GetDetailWindow(),
                              program.GetListWindow()};
  for (int slot = 0; slot < vx::kFrameSlotCount; ++slot) {
    const vx::WindowRect r =
        vx::DefaultFrameRect(slot, {screen.left(), screen.top(), screen.width(), screen.height()});
    const QRect frame = windows[slot]->frameGeometry();
    EXPECT_EQ(std::make_tuple(frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1),
              std::make_tuple(r.left, r.top, r.right, r.bottom))
        << slot;
  }
  EXPECT_TRUE(QTest::qWaitForWindowActive(program.GetMainWindow()));
}

TEST_F(VindaxelApplicationTest, TheLayoutResetBringsTheDetailWindowBackToItsPlace) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  vx::DetailWindow* detail = program.GetDetailWindow();
  const vx::WindowRect home = program.GetCore()->Values().windowRects[vx::kDetailSlot];
  detail->move(home.left + 50, home.top + 40);
  program.GetCore()->Controller()->HideRegisteredWindow(detail);
  ASSERT_FALSE(detail->isVisible());
  program.GetMainWindow()->RunCommand(ID_RESET_WINDOW_LAYOUT);
  EXPECT_TRUE(detail->isVisible());
  EXPECT_EQ(detail->ScreenRect().left,
            program.GetCore()->Values().windowRects[vx::kDetailSlot].left);
}

// A profile written on a larger screen (1280x1024 here) opens with every window whole on this one.
TEST_F(VindaxelApplicationTest, WindowsStoredForALargerScreenOpenWholeOnThisOne) {
  vx::SettingsValues stored{};
  vx::InitWindowSlots(stored);
  vx::ApplyDefaultLayout(stored, {0, 0, 1280, 1024});
  std::string ini = "[Window]\r\n";
  for (int slot = 0; slot < vx::kFrameSlotCount; ++slot) {
    const vx::WindowRect& r = stored.windowRects[slot];
    const std::string id =
        QStringLiteral("%1").arg(stored.windowIds[slot], 8, 16, QLatin1Char('0')).toStdString();
    ini += "WndPosL." + id + "=" + std::to_string(r.left) + "\r\nWndPosT." + id + "=" +
           std::to_string(r.top) + "\r\nWndPosR." + id + "=" + std::to_string(r.right) +
           "\r\nWndPosB." + id + "=" + std::to_string(r.bottom) + "\r\nWndDisp." + id + "=1\r\n";
  }
  vxtest::WriteFileBytes(root.Path() / "vindaxel.ini", ini);
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_LT(screen.height(), 1024);
  for (QWidget* window : std::initializer_list<QWidget*>{
           program.GetMainWindow(), program.GetMapWindow(), program.GetChecklistWindow(),
           program.GetDetailWindow(), program.GetListWindow()}) {
    EXPECT_TRUE(window->isVisible()) << window->windowTitle().toStdString();
    EXPECT_TRUE(screen.contains(window->frameGeometry())) << window->windowTitle().toStdString();
  }
  const QWidget* status = program.GetMainWindow()->Status();
  EXPECT_TRUE(screen.contains(status->mapToGlobal(status->rect().bottomRight())));
}

// The hall map starts hidden on the first day's first hall; the layout reset puts it back at its
// place and hides it again.
TEST_F(VindaxelApplicationTest, TheHallMapIsRegisteredHiddenAndTheLayoutResetHidesItAtItsPlace) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  vx::CatalogController& controller = *program.GetCore()->Controller();
  vx::HallMapWindow* map = program.GetMapWindow();
  ASSERT_NE(map, nullptr);
  const vx::WindowRecord& record = controller.GetRegistry().Records()[3];
  EXPECT_EQ(record.window, map);
  EXPECT_EQ(vx::Cp932ToUtf8(record.name), "会場マップ(&M)\tCtrl+M");
  EXPECT_FALSE(map->isVisible());
  EXPECT_EQ(map->CurrentSlot(), 0);
  EXPECT_GT(map->Bar()->MapChoice()->count(), 0);

  controller.ShowRegisteredWindow(map);
  const vx::WindowRect home = program.GetCore()->Values().windowRects[vx::kMapSlot];
  map->move(home.left + 50, home.top + 40);
  program.GetMainWindow()->RunCommand(ID_RESET_WINDOW_LAYOUT);
  EXPECT_FALSE(map->isVisible());
  EXPECT_EQ(program.GetCore()->Values().windowShown[vx::kMapSlot], 0);
  EXPECT_EQ(map->ScreenRect().left, program.GetCore()->Values().windowRects[vx::kMapSlot].left);
}

// The circle list starts hidden; a search from the main window's command shows it with the result.
TEST_F(VindaxelApplicationTest, ASearchFromTheMainWindowShowsTheCircleList) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  vx::CatalogController& controller = *program.GetCore()->Controller();
  vx::ListWindow* list = program.GetListWindow();
  ASSERT_NE(list, nullptr);
  vx::WindowRecord record;
  ASSERT_TRUE(controller.GetWindowRecord(list, &record));
  EXPECT_EQ(vx::Cp932ToUtf8(record.name), "サークル一覧(&L)\tCtrl+L");
  EXPECT_EQ(record.shown, 0);
  EXPECT_FALSE(list->isVisible());
  EXPECT_FALSE(program.GetMainWindow()->Route().QueryState(ID_SEARCH_NARROW).enabled);
  // "検索" as soon as the dialog shows, then "閉じる": by default the dialog stays open.
  QTimer press;
  QObject::connect(&press, &QTimer::timeout, [&press] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<vx::SearchDialog*>(window);
      if (!dialog || !dialog->isVisible()) continue;
      press.stop();
      for (int id : {IDOK, IDCANCEL}) {
        for (auto* button : dialog->findChildren<QPushButton*>()) {
          if (button->property("controlId").toInt() == id) button->click();
        }
      }
      return;  // the search's own loop may have closed other windows of the list meanwhile
    }
  });
  press.start(10);
  EXPECT_TRUE(program.GetMainWindow()->RunCommand(ID_SEARCH));
  EXPECT_TRUE(list->isVisible());
  EXPECT_GT(list->View()->Counted(), 100);
  EXPECT_TRUE(program.GetMainWindow()->Route().QueryState(ID_SEARCH_NARROW).enabled);
  EXPECT_FALSE(controller.GetGuard().IsRaised());
}

// The checklist window is registered second and open at the first start; the layout reset puts it
// back at its default place and shows it.
TEST_F(VindaxelApplicationTest, TheChecklistWindowOpensAtFirstAndTheLayoutResetBringsItBack) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  vx::CatalogController& controller = *program.GetCore()->Controller();
  vx::ChecklistWindow* checklist = program.GetChecklistWindow();
  ASSERT_NE(checklist, nullptr);
  ASSERT_GE(controller.GetRegistry().Count(), 2);
  EXPECT_EQ(controller.GetRegistry().Records()[1].window, checklist);
  vx::WindowRecord record;
  ASSERT_TRUE(controller.GetWindowRecord(checklist, &record));
  EXPECT_EQ(vx::Cp932ToUtf8(record.name), "チェックリスト(&K)\tCtrl+K");
  EXPECT_TRUE(checklist->isVisible());

  checklist->close();
  checklist->move(checklist->x() + 40, checklist->y() + 40);
  EXPECT_FALSE(checklist->isVisible());
  program.GetCommands()->ResetWindowLayout();
  EXPECT_TRUE(checklist->isVisible());
  const vx::WindowRect& place = program.GetCore()->Values().windowRects[vx::kChecklistSlot];
  EXPECT_EQ(checklist->ScreenRect().left, place.left);
  EXPECT_EQ(checklist->ScreenRect().top, place.top);
}

// A restart loads the newest recent checklist when "AutoLoad" is on, except after an event switch.
// The file's name holds characters CP932 has not: it is reopened and named in the title exactly.
TEST_F(VindaxelApplicationTest, RestartReopensTheNewestChecklistUnlessTheEventChanged) {
  const std::filesystem::path list = root.Path() / "一覧〜Café.csv";
  int circle = 0;
  {
    vx::VindaxelApplication program({});
    ASSERT_TRUE(program.Start());
    vx::CatalogController& controller = *program.GetCore()->Controller();
    circle = controller.GetCurrentCircle().id;
    controller.SetCircleColor(2, circle);
    ASSERT_FALSE(controller.GetFavoriteStore()->Save(list));
    const std::filesystem::path* named = &list;
    controller.SetChecklistPath(named, false);  // first in the recent files
    controller.NewChecklist(true);
    program.GetCore()->Values().autoLoad = 1;
  }
  struct Case {
    const char* argument;
    int color;
  };
  for (const Case& c : {Case{"_reboot_", 2}, Case{"_rebootnoload_", -1}}) {
    vx::VindaxelApplication restarted({c.argument});
    ASSERT_TRUE(restarted.Start());
    vx::CatalogController& controller = *restarted.GetCore()->Controller();
    EXPECT_EQ(controller.GetCircleColor(circle), c.color) << c.argument;
    EXPECT_EQ(controller.ChecklistPath().empty(), c.color < 0) << c.argument;
    if (c.color > 0) {
      const QString title = restarted.GetMainWindow()->windowTitle();
      EXPECT_TRUE(title.endsWith(QString::fromUtf8(" - 一覧〜Café.csv "))) << title.toStdString();
    }
  }
}

// "色編集" on the check bar reaches the view, which opens the colour sheet of the checklist.
TEST_F(VindaxelApplicationTest, ColourEditButtonOpensTheColourSheet) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  QString shown;
  QTimer::singleShot(0, [&] {
    QWidget* sheet = QApplication::activeModalWidget();
    if (!sheet) return;
    shown = sheet->windowTitle();
    sheet->close();
  });
  QTest::mouseClick(program.GetMainWindow()->ColorEditButton(), Qt::LeftButton);
  EXPECT_EQ(shown.toStdString(), "チェック色の編集");
}

// A restart starts the new instance only after everything is saved and the socket is free, with
// the marker as an argument of its own.
TEST_F(VindaxelApplicationTest, RestartStartsTheNextInstanceAfterTheLastSave) {
  QStringList started;
  std::string settingsWhenStarted;
  bool socketFreeWhenStarted = false;
  {
    vx::VindaxelApplication program({}, [&](const QString&, const QStringList& arguments) {
      started = arguments;
      settingsWhenStarted = vxtest::ReadFileBytes(root.Path() / "vindaxel.ini");
      vx::SingleInstanceServer probe;
      socketFreeWhenStarted = !probe.RaiseRunningInstance(200);
      return true;
    });
    ASSERT_TRUE(program.Start());
    program.RequestRestart({true, 97, false});
  }
  EXPECT_EQ(started, QStringList{QStringLiteral("_rebootnoload_")});
  EXPECT_NE(settingsWhenStarted.find("VQNumber96=97"), std::string::npos);
  EXPECT_NE(settingsWhenStarted.find("[VQ96]"), std::string::npos);
  EXPECT_TRUE(socketFreeWhenStarted);
}

// Activating a tool window, or starting with it open, never moves the catalogue: the program
// comes back on the page it ended on with any tool window open.
TEST_F(VindaxelApplicationTest, EveryToolWindowOpenKeepsThePageItEndedOnAcrossARestart) {
  using Pick = QWidget* (*)(vx::VindaxelApplication&);
  const std::pair<const char*, Pick> windows[] = {
      {"list", [](vx::VindaxelApplication& p) -> QWidget* { return p.GetListWindow(); }},
      {"checklist", [](vx::VindaxelApplication& p) -> QWidget* { return p.GetChecklistWindow(); }},
      {"map", [](vx::VindaxelApplication& p) -> QWidget* { return p.GetMapWindow(); }},
      {"detail", [](vx::VindaxelApplication& p) -> QWidget* { return p.GetDetailWindow(); }},
  };
  const auto activate = [](QWidget* window) {
    window->activateWindow();
    return QTest::qWaitFor([window] { return window->isActiveWindow(); }, 5000);
  };
  for (const auto& [name, pick] : windows) {
    int page = 0;
    {
      vx::VindaxelApplication program({});
      ASSERT_TRUE(program.Start());
      vx::CatalogController& controller = *program.GetCore()->Controller();
      controller.SetCircleColor(1, controller.GetCurrentCircle().id);  // a row in the checklist
      QWidget* window = pick(program);
      controller.ShowRegisteredWindow(dynamic_cast<vx::ControllerWindow*>(window));
      for (int step = 0; step < 6; ++step) controller.NextPage();
      page = controller.GetCurrentPage();
      ASSERT_TRUE(activate(program.GetMainWindow()));
      ASSERT_TRUE(activate(window)) << name;
      EXPECT_EQ(controller.GetCurrentPage(), page) << name;
    }
    vx::VindaxelApplication again({});
    ASSERT_TRUE(again.Start());
    QWidget* window = pick(again);
    ASSERT_TRUE(window->isVisible()) << name;
    EXPECT_EQ(again.GetCore()->Controller()->GetCurrentPage(), page) << name;
    ASSERT_TRUE(activate(window)) << name;
    EXPECT_EQ(again.GetCore()->Controller()->GetCurrentPage(), page) << name;
  }
}

// The list window lies over the main window: Ctrl+L on it while the main window is in front
// brings it forward; only once it is in sight does Ctrl+L hide it.
TEST_F(VindaxelApplicationTest, AWindowKeyBringsACoveredWindowForwardAndHidesOneInSight) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  vx::CatalogController& controller = *program.GetCore()->Controller();
  vx::ListWindow* list = program.GetListWindow();
  const int toggle = ID_WINDOW_TOGGLE_FIRST + 3;  // Ctrl+L
  ASSERT_TRUE(program.GetMainWindow()->RunCommand(toggle));
  ASSERT_TRUE(list->isVisible());
  program.GetMainWindow()->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return program.GetMainWindow()->isActiveWindow(); }, 5000));
  ASSERT_TRUE(controller.IsWindowCovered(list));
  program.GetMainWindow()->RunCommand(toggle);
  EXPECT_TRUE(list->isVisible());
  EXPECT_FALSE(controller.IsWindowCovered(list));
  program.GetMainWindow()->RunCommand(toggle);
  EXPECT_FALSE(list->isVisible());
}

}  // namespace
