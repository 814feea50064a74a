// The application's commands as the main window reaches them, on the small sample catalogue.
#include "program/ApplicationCommands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "app/ApplicationCore.h"
#include "app/BookmarkList.h"
#include "app/CatalogController.h"
#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "program/VindaxelApplication.h"
#include "res/ResourceIds.h"
#include "tests/program/SampleProfile.h"
#include "ui/bookmarks/BookmarkAddDialog.h"
#include "ui/checklist/MemoDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/menus/CommandMenu.h"
#include "ui/menus/MenuTables.h"
#include "ui/print/PrintSettingsSheet.h"
#include "ui/settings/ColorChooser.h"

namespace {

class ApplicationCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vxtest::MakeSampleProfile(root.Path());
    ::setenv("VINDAXEL_PROGRAM_DIR", root.Path().c_str(), 1);
    program = std::make_unique<vx::VindaxelApplication>(std::vector<std::string>{});
    ASSERT_TRUE(program->Start());
  }
  void TearDown() override {
    program.reset();
    ::unsetenv("VINDAXEL_PROGRAM_DIR");
  }

  vx::MainWindow& Main() { return *program->GetMainWindow(); }
  vx::CatalogController& Controller() { return *program->GetCore()->Controller(); }
  vx::CommandMenu& BookmarkMenu() { return *Main().Menu().SubMenuAt(vx::kMainBookmarkMenu); }
  void AddBookmark(int type, int depth, int page, const char* title) {
    vx::Bookmark mark;
    mark.type = type;
    mark.depth = depth;
    mark.page = page;
    mark.SetTitle(title);
    ASSERT_TRUE(program->GetCore()->Bookmarks().Add(mark));
  }

  // What the modal dialog that `open` shows looks like; the dialog is then cancelled.
  struct DialogSeen {
    Qt::WindowFlags flags;
    QStringList texts;  // of its buttons and labels
  };
  static DialogSeen SeeDialog(const std::function<void()>& open) {
    DialogSeen seen;
    QTimer::singleShot(0, [&seen] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      seen.flags = dialog->windowFlags();
      for (auto* button : dialog->findChildren<QAbstractButton*>()) seen.texts << button->text();
      for (auto* label : dialog->findChildren<QLabel*>()) seen.texts << label->text();
      dialog->reject();
    });
    open();
    return seen;
  }

  vxtest::TempDir root;
  std::unique_ptr<vx::VindaxelApplication> program;
};

// What the user commits is in the settings file at once, long before the program ends: a crash
// loses none of it. An imported value is in force and shown at once.
TEST_F(ApplicationCommandsTest, CommittedChangesAreInTheSettingsFileAtOnce) {
  namespace fs = std::filesystem;
  const fs::path list = root.Path() / "list.csv";
  ASSERT_FALSE(Controller().GetFavoriteStore()->Save(list));
  const fs::path imported = root.Path() / "import.ini";
  vxtest::WriteFileBytes(imported, "[Window]\r\nCutAntiAlias=0\r\n");
  const auto onDialog = [](std::function<void(QDialog*)> act) {
    QTimer::singleShot(0, [act] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) act(dialog);
    });
  };
  const struct {
    const char* name;
    std::function<void()> commit;
    std::string line;
  } cases[] = {
      {"settings sheet",
       [&] {
         onDialog([](QDialog* sheet) {
           for (auto* box : sheet->findChildren<QCheckBox*>()) {
             if (box->property("controlId").toInt() == IDC_CFG_AUTO_SEL) box->click();
           }
           sheet->accept();
         });
         Main().RunCommand(ID_SETTINGS);
       },
       "AutoSel=1"},
      {"bookmark added",
       [&] {
         onDialog([](QDialog* dialog) {
           auto* add = static_cast<vx::BookmarkAddDialog*>(dialog);
           add->TitleEdit()->setText(QStringLiteral("east"));
           add->accept();
         });
         Main().RunCommand(ID_BOOKMARK_ADD);
       },
       "BookmarkTitle.0000=east"},
      {"bookmarks organised",
       [&] {
         AddBookmark(vx::Bookmark::kPage, 0, Controller().GetCurrentPage(), "west");
         onDialog([](QDialog* dialog) { dialog->accept(); });
         Main().RunCommand(ID_BOOKMARK_ORGANIZE);
       },
       "BookmarkTitle.0001=west"},
      {"checklist loaded", [&] { Controller().OpenChecklistFile(list); },
       "RecentFiles.00=" + list.string()},
      {"settings imported",
       [&] {
         onDialog([&](QDialog* dialog) {
           static_cast<QFileDialog*>(dialog)->selectFile(QString::fromStdString(imported));
           dialog->accept();
         });
         Main().RunCommand(ID_SETTINGS_IMPORT);
       },
       "CutAntiAlias=0"},
  };
  for (const auto& c : cases) {
    c.commit();
    EXPECT_NE(vxtest::ReadFileBytes(root.Path() / "vindaxel.ini").find(c.line), std::string::npos)
        << c.name;
  }
  EXPECT_FALSE(Main().Menu().FindAction(ID_ANTI_ALIAS)->isChecked());
  EXPECT_FALSE(Controller().GetGuard().IsRaised());
}

// Ctrl+Y and Ctrl+U open the profile of the id the field holds, in the browser the user chose.
TEST_F(ApplicationCommandsTest, TwitterAndPixivKeysOpenTheProfilesOfTheIds) {
  namespace fs = std::filesystem;
  const fs::path browser = root.Path() / "browser.sh";
  vxtest::WriteFileBytes(browser, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.$$.txt\"\n");
  fs::permissions(browser, fs::perms::owner_all);
  vx::SettingsValues& values = program->GetCore()->Values();
  values.browserPathMode = 1;
  std::snprintf(values.browserPath, sizeof values.browserPath, "%s", browser.c_str());
  vx::CircleRecord circle = Controller().GetCurrentCircle();
  circle.twitter = "vx_c00001";
  circle.pixiv = "3000007";
  Controller().SetCurrentCircle(circle);
  const auto opened = [&] {
    std::set<std::string> urls;
    for (const auto& entry : fs::directory_iterator(root.Path())) {
      if (entry.path().extension() == ".txt") urls.insert(vxtest::ReadFileBytes(entry.path()));
    }
    return urls;
  };
  const std::vector<vx::Accelerator> accelerators = vx::MainAccelerators();
  for (const char* keys : {"Ctrl+Y", "Ctrl+U"}) {
    const auto accelerator =
        std::find_if(accelerators.begin(), accelerators.end(),
                     [keys](const vx::Accelerator& a) { return std::string(a.keys) == keys; });
    ASSERT_NE(accelerator, accelerators.end()) << keys;
    EXPECT_TRUE(Main().RunCommand(accelerator->id)) << keys;
  }
  const std::set<std::string> expected = {"https://twitter.com/vx_c00001",
                                          "https://www.pixiv.net/users/3000007"};
  QTRY_VERIFY_WITH_TIMEOUT(opened() == expected, 10000);
}

// Qt's own dialogs and buttons speak Japanese, and every dialog offers a close button only.
TEST_F(ApplicationCommandsTest, DialogsSpeakJapaneseAndOfferOnlyTheirCloseButton) {
  const struct {
    const char* name;
    std::function<void()> open;
    std::vector<const char*> texts;
  } cases[] = {
      {"bookmark", [this] { Main().RunCommand(ID_BOOKMARK_ADD); }, {"キャンセル"}},
      {"file",
       [this] { Main().RunCommand(ID_SETTINGS_IMPORT); },
       {"キャンセル", "開く(&O)", "ファイル名(&N):"}},
      {"colour",
       [this] { vx::ChooseColorWithDialog(&Main(), 0xFF); },
       {"キャンセル", "基本カラー(&B)"}},
      {"message", [this] { Main().RunCommand(ID_HELP_CONTENTS); }, {"OK"}},
  };
  const Qt::WindowFlags hints = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
  for (const auto& c : cases) {
    const DialogSeen seen = SeeDialog(c.open);
    EXPECT_EQ(seen.flags & hints, Qt::WindowCloseButtonHint) << c.name;
    EXPECT_TRUE(seen.flags.testFlag(Qt::CustomizeWindowHint)) << c.name;
    for (const char* text : c.texts) {
      EXPECT_TRUE(seen.texts.contains(QString::fromUtf8(text))) << c.name << " " << text;
    }
    for (const char* english : {"Cancel", "&Cancel", "&Open", "File &name:", "&Basic colors"}) {
      EXPECT_FALSE(seen.texts.contains(QLatin1String(english))) << c.name << " " << english;
    }
  }
  EXPECT_FALSE(Controller().GetGuard().IsRaised());
}

// The menu's items turn to their pages; a folder's command and one past the last entry do
// nothing, and the menu follows the list when it is rebuilt.
TEST_F(ApplicationCommandsTest, BookmarkMenuFollowsTheListAndTurnsToThePage) {
  const int first = Controller().GetCurrentPage();
  Controller().NextPage();
  const int second = Controller().GetCurrentPage();
  ASSERT_NE(second, first);
  Controller().GoToPage(first);
  AddBookmark(vx::Bookmark::kPage, 0, second, "page");
  AddBookmark(vx::Bookmark::kFolder, 0, 0, "hall");
  program->GetCommands()->BuildBookmarkMenu();
  ASSERT_EQ(BookmarkMenu().Count(), vx::kBookmarkFixedItems + 2);

  EXPECT_TRUE(Main().RunCommand(BookmarkMenu().CommandIdAt(3)));
  EXPECT_EQ(Controller().GetCurrentPage(), second);
  Controller().GoToPage(first);
  EXPECT_TRUE(Main().RunCommand(ID_BOOKMARK_FIRST + 1));  // the folder
  EXPECT_TRUE(Main().RunCommand(ID_BOOKMARK_LAST));       // no record
  EXPECT_EQ(Controller().GetCurrentPage(), first);

  program->GetCore()->Bookmarks().RemoveAll();
  program->GetCommands()->BuildBookmarkMenu();
  EXPECT_EQ(BookmarkMenu().Count(), vx::kBookmarkFixedItems);
}

// "このページを追加" takes the title typed in its dialog; the new bookmark shows in the menu at
// once.
TEST_F(ApplicationCommandsTest, AddedPageShowsInTheMenu) {
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<vx::BookmarkAddDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->TitleEdit()->setText(QStringLiteral("east & west"));
    dialog->accept();
  });
  EXPECT_TRUE(Main().RunCommand(ID_BOOKMARK_ADD));
  ASSERT_EQ(program->GetCore()->Bookmarks().Count(), 1);
  EXPECT_EQ(program->GetCore()->Bookmarks().GetAt(0)->page, Controller().GetCurrentPage());
  ASSERT_EQ(BookmarkMenu().Count(), vx::kBookmarkFixedItems + 1);
  EXPECT_EQ(BookmarkMenu().ItemAt(3)->text().toStdString(), "east && west");
  EXPECT_FALSE(Controller().GetGuard().IsRaised());
}

// The memo command edits the current circle's memo: OK stores what was typed, Cancel nothing.
TEST_F(ApplicationCommandsTest, MemoCommandStoresTheEditedMemoOnOk) {
  const int circle = Controller().GetCurrentCircle().id;
  for (const bool ok : {false, true}) {
    QTimer::singleShot(0, [ok] {
      auto* dialog = qobject_cast<vx::MemoDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      QTest::keyClicks(dialog->findChild<QPlainTextEdit*>(), QStringLiteral("bring cash"));
      ok ? dialog->accept() : dialog->reject();
    });
    EXPECT_TRUE(Main().RunCommand(ID_EDIT_MEMO));
    EXPECT_EQ(Controller().GetCircleMemo(circle), ok ? "bring cash" : "") << ok;
  }
}

// A new image folder chosen in the settings sheet is taken at once, as at start-up.
TEST_F(ApplicationCommandsTest, SettingsSheetWithANewImageFolderLooksForTheImagesAgain) {
  const std::filesystem::path elsewhere = root.Path() / "elsewhere";
  std::filesystem::copy(root.Path() / "VQ96", elsewhere, std::filesystem::copy_options::recursive);
  vx::SettingsValues& values = program->GetCore()->Values();
  QTimer::singleShot(0, [&] {
    QWidget* sheet = QApplication::activeModalWidget();
    if (!sheet) return;
    values.imgPathMode = 1;
    std::snprintf(values.imagePath, sizeof values.imagePath, "%s", elsewhere.c_str());
    sheet->close();
  });
  EXPECT_TRUE(Main().RunCommand(ID_SETTINGS));
  EXPECT_EQ(program->GetCore()->ImageFolder(), std::optional<std::filesystem::path>(elsewhere));
  EXPECT_FALSE(Controller().GetGuard().IsRaised());
}

// The print settings sheet opens on the page of the print kind; OK takes its values into the
// working settings, the kind of the page shown with them.
TEST_F(ApplicationCommandsTest, PrintSettingsOpenOnThePrintKindAndOkKeepsTheirValues) {
  vx::PrintSettings& print = program->GetCore()->Values().print;
  print.mode = 2;
  int shownKind = -1;
  QTimer::singleShot(0, [&] {
    auto* sheet = qobject_cast<vx::PrintSettingsSheet*>(QApplication::activeModalWidget());
    if (!sheet) return;
    shownKind = sheet->CurrentPage()->PrintKind();
    sheet->Tabs()->setCurrentIndex(1);
    sheet->Page(1)->DayBox(0)->setChecked(!sheet->Page(1)->DayBox(0)->isChecked());
    sheet->accept();
  });
  const int days = print.kinds[1].days;
  EXPECT_TRUE(Main().RunCommand(ID_PRINT_DETAILS));
  EXPECT_EQ(shownKind, 2);
  EXPECT_EQ(print.mode, 1);
  EXPECT_EQ(print.kinds[1].days, (days & 0x1F) ^ 1);  // rebuilt from the five day boxes
  EXPECT_FALSE(Controller().GetGuard().IsRaised());
}

// The application's commands are served, the print commands among them.
TEST_F(ApplicationCommandsTest, TheApplicationsCommandsAreServed) {
  for (const int id : {ID_PRINT, ID_IMAGE_OUTPUT, ID_PRINT_DETAILS, ID_FETCH_RSS, ID_DATABASE_INIT,
                       ID_EVENT_SWITCH, ID_UPDATE_FROM_FILE, ID_SETTINGS_IMPORT, ID_HELP_CONTENTS,
                       ID_EDIT_MEMO, ID_BOOKMARK_ADD, ID_BOOKMARK_ORGANIZE, ID_BOOKMARK_FIRST}) {
    EXPECT_TRUE(Main().Route().QueryState(id).enabled) << id;
  }
}

// No manual comes with the program: each help command says so in a box, and the frames take input
// again afterwards.
TEST_F(ApplicationCommandsTest, HelpCommandsSayThereIsNoManual) {
  for (const int id : {ID_HELP_CONTENTS, ID_HELP_SEARCH, ID_HELP_INDEX}) {
    QString title, text;
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (!box) return;
      title = box->windowTitle();
      text = box->property("text").toString();
      box->close();
    });
    EXPECT_TRUE(Main().RunCommand(id));
    EXPECT_EQ(title.toStdString(), "ヘルプ") << id;
    EXPECT_NE(text.indexOf(QStringLiteral("マニュアル")), -1) << text.toStdString();
    EXPECT_FALSE(Controller().GetGuard().IsRaised());
  }
}

}  // namespace
