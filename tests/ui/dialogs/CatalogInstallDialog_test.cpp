#include "ui/dialogs/CatalogInstallDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "data/PavorunDatabase.h"
#include "tests/data/BrokenSampleDisc.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/data/TestCatalog.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using vxtest::Boxes;
using vxtest::Control;
using Texts = std::vector<std::string>;

const std::string kAddTitle = "サークルデータの追加|";
const std::string kDeleteTitle = "サークルデータの削除|";

class CatalogInstallDialogTest : public ::testing::Test {
 protected:
  // Runs the dialog for the shown event 96 with `actions` done inside its modal loop.
  int Run(const std::function<void(vx::CatalogInstallDialog&)>& actions) {
    vxtest::Watchdog watchdog;
    vx::CatalogInstallDialog dialog(nullptr, ui, db, 96);
    QTimer::singleShot(0, &dialog, [&] {
      actions(dialog);
      Button(dialog, IDOK)->click();
    });
    return dialog.DoModal();
  }
  static QPushButton* Button(const QWidget& dialog, int id) {
    return Control<QPushButton>(&dialog, id);
  }
  void Browse(const QWidget& dialog, const fs::path& file) {
    ui.QueuePath(file);
    Button(dialog, IDC_DB_BROWSE)->click();
  }
  static std::vector<int> Listed(const QWidget& dialog) {
    const auto* list = Control<QTreeWidget>(&dialog, IDC_DB_EVENT_LIST);
    std::vector<int> events;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      events.push_back(list->topLevelItem(i)->data(0, Qt::UserRole).toInt());
    }
    return events;
  }
  static void Select(const QWidget& dialog, int row) {
    auto* list = Control<QTreeWidget>(&dialog, IDC_DB_EVENT_LIST);
    list->setCurrentItem(list->topLevelItem(row));
  }

  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::ScriptedUiServices ui;
};

TEST_F(CatalogInstallDialogTest, InstallingTheShownEventReportsDataChangedAndRefusesItThen) {
  ui.QueueAnswer(IDOK);
  ui.QueueAnswer(IDOK);
  const int result = Run([&](vx::CatalogInstallDialog& dialog) {
    QPushButton* install = Button(dialog, IDC_DB_INSTALL);
    EXPECT_FALSE(install->isEnabled());
    Browse(dialog, vxtest::SampleDisc() / "V96DEF.TXT");
    EXPECT_EQ(Control<QLabel>(&dialog, IDC_DB_SOURCE_KIND)->text().toStdString(),
              "ヴェラストレード96 設定情報ファイル");
    install->click();
    EXPECT_EQ(Listed(dialog), (std::vector<int>{96}));
    install->click();
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Boxes(ui), (Texts{kAddTitle + "サークルデータのインストール処理が完了しました.",
                              kAddTitle + "ヴェラストレード96のサークルデータは、\n"
                                          "既にデータベースに登録されています."}));
  EXPECT_TRUE(db.HasCircles(96));
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(CatalogInstallDialogTest, DeleteRefusesTheShownEventAndEmptiesEveryTableOfAnother) {
  vxtest::BuildSampleCatalog(db, 94);
  ASSERT_EQ(db.GetJikoTable().InsertRow(1, 2, 1, 0, 5), 0);
  vxtest::BuildSampleCatalog(db, 96);
  ui.QueueAnswer(IDOK);
  ui.QueueAnswer(IDYES);
  const int result = Run([&](vx::CatalogInstallDialog& dialog) {
    QPushButton* remove = Button(dialog, IDC_DB_DELETE);
    EXPECT_FALSE(remove->isEnabled());
    Select(dialog, 1);
    EXPECT_TRUE(remove->isEnabled());
    remove->click();
    EXPECT_EQ(Listed(dialog), (std::vector<int>{94, 96}));
    EXPECT_FALSE(remove->isEnabled());
    Select(dialog, 0);
    remove->click();
    EXPECT_EQ(Listed(dialog), (std::vector<int>{96}));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(
      Boxes(ui),
      (Texts{kDeleteTitle + "ヴェラストレード96のサークルデータは、現在参照中のデータです.\n"
                            "削除はできません.",
             kDeleteTitle + "ヴェラストレード94のサークルデータを、\nデータベースから削除します.\n"
                            "よろしいですか？"}));
  for (const char* table :
       {"PavorunInfo", "PavorunDate", "PavorunMap", "PavorunArea", "PavorunBlock", "PavorunGenre",
        "PavorunLayout", "PavorunCircle", "PavorunJiko"}) {
    EXPECT_EQ(vxtest::CountRows(db, table, 94), 0) << table;
  }
  EXPECT_TRUE(db.HasCircles(96));
}

// A database that refuses the deletion keeps the event, and the user is told.
TEST_F(CatalogInstallDialogTest, ADeleteTheDatabaseRefusesIsReportedAndKeepsTheEvent) {
  vxtest::BuildSampleCatalog(db, 94);
  vxtest::BuildSampleCatalog(db, 96);
  vx::PavorunDatabase readOnly(dir.Path(), vx::SqliteDatabase::kReadOnly);
  ASSERT_TRUE(readOnly.IsOpen());
  ui.QueueAnswer(IDYES);
  ui.QueueAnswer(IDOK);
  vxtest::Watchdog watchdog;
  vx::CatalogInstallDialog dialog(nullptr, ui, readOnly, 96);
  QTimer::singleShot(0, &dialog, [&] {
    Select(dialog, 0);
    Button(dialog, IDC_DB_DELETE)->click();
    EXPECT_EQ(Listed(dialog), (std::vector<int>{94, 96}));
    Button(dialog, IDOK)->click();
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_EQ(Boxes(ui).back(), kDeleteTitle +
                                  "ヴェラストレード94のサークルデータを削除できませんでした.\n"
                                  "DBファイルが読み込み専用になっているか、"
                                  "若しくはアクセス権限が無い可能性があります.");
  EXPECT_TRUE(db.HasCircles(94));
}

TEST_F(CatalogInstallDialogTest,
       DatabaseFileGivesItsOlderEventsAndAMissingOneIsAnErrorNotANewFile) {
  vxtest::BuildSampleCatalog(db, 96);
  {
    vx::PavorunDatabase older(dir.Path(), "vindaxel95.db", vx::SqliteDatabase::kReadWrite);
    vxtest::BuildSampleCatalog(older, 94);
    vxtest::BuildSampleCatalog(older, 96);
  }
  ui.QueueAnswer(IDOK);
  ui.QueueAnswer(IDOK);
  const int result = Run([&](vx::CatalogInstallDialog& dialog) {
    Browse(dialog, dir / "vindaxel95.db");
    Button(dialog, IDC_DB_INSTALL)->click();
    EXPECT_EQ(Listed(dialog), (std::vector<int>{94, 96}));
    const std::string missing = (dir / "vindaxel0.db").string();
    Control<QLineEdit>(&dialog, IDC_DB_SOURCE_PATH)->setText(QString::fromStdString(missing));
    Button(dialog, IDC_DB_INSTALL)->click();
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Boxes(ui), (Texts{kAddTitle + "サークルデータのインストール処理が完了しました.",
                              kAddTitle +
                                  "サークルデータのインストール処理中にエラーが生じました. \n"
                                  "DBファイル " +
                                  (dir / "vindaxel0.db").string() + " を開けません."}));
  EXPECT_FALSE(fs::exists(dir / "vindaxel0.db"));
  EXPECT_TRUE(db.HasCircles(94));
}

// A "V96DEF.TXT" whose event line names event 94, which is stored: installing it used to replace
// event 94; now the file is refused before anything runs.
TEST_F(CatalogInstallDialogTest, DefinitionFileNamingAnotherEventIsRefusedBeforeTheInstall) {
  vxtest::BuildSampleCatalog(db, 94);
  std::string definition = vxtest::kDefinitionText;
  definition.replace(definition.find("96\t"), 2, "94");
  vxtest::WriteDiscFile(dir / "disc", "V96DEF.TXT", definition);
  ui.QueueAnswer(IDOK);
  const int result = Run([&](vx::CatalogInstallDialog& dialog) {
    Browse(dialog, dir / "disc" / "V96DEF.TXT");
    Button(dialog, IDC_DB_INSTALL)->click();
    EXPECT_EQ(Listed(dialog), (std::vector<int>{94}));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Boxes(ui), (Texts{kAddTitle + "ヴェラストレード96 の設定情報ファイルではありません "
                                          "(ヴェラストレード94 と書かれています)."}));
  EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 94), 6);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

// Every refusal was followed by a second box that blamed a read-only database file; the broken
// files of the sample disc are refused with their own reason alone, and the database keeps what
// it held.
TEST_F(CatalogInstallDialogTest, BrokenDiscIsRefusedWithItsOwnReasonAloneAndTheDatabaseKept) {
  vxtest::BuildSampleCatalog(db, 94);
  const std::string kept = vxtest::ReadFileBytes(db.Path());
  for (const vxtest::BrokenDiscFile& broken : vxtest::kBrokenDiscFiles) {
    vxtest::BreakSampleDisc(dir / "disc", broken);
    ui.ClearCalls();
    ui.QueueAnswer(IDOK);
    Run([&](vx::CatalogInstallDialog& dialog) {
      Browse(dialog, dir / "disc" / "V96DEF.TXT");
      Button(dialog, IDC_DB_INSTALL)->click();
      EXPECT_EQ(Listed(dialog), (std::vector<int>{94}));
    });
    EXPECT_EQ(Boxes(ui), (Texts{"エラー|" + vx::Cp932ToUtf8(vxtest::BrokenDiscRefusal(broken))}));
    EXPECT_TRUE(ui.UnexpectedCalls().empty()) << broken.saved;
    EXPECT_TRUE(vxtest::ReadFileBytes(db.Path()) == kept) << broken.saved;
  }
}

// A write the database refuses is shown with the engine's reason.
TEST_F(CatalogInstallDialogTest, AnInstallTheDatabaseRefusesIsShownWithTheEnginesReason) {
  vxtest::BuildSampleCatalog(db, 94);
  vxtest::WriteSampleDisc(dir / "disc");
  vx::PavorunDatabase readOnly(dir.Path(), vx::SqliteDatabase::kReadOnly);
  ui.QueueAnswer(IDOK);
  vxtest::Watchdog watchdog;
  vx::CatalogInstallDialog dialog(nullptr, ui, readOnly, 96);
  QTimer::singleShot(0, &dialog, [&] {
    Browse(dialog, dir / "disc" / "V96DEF.TXT");
    Button(dialog, IDC_DB_INSTALL)->click();
    Button(dialog, IDOK)->click();
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_EQ(Boxes(ui),
            (Texts{kAddTitle + "サークルデータのインストール処理中にエラーが生じました. \n"
                               "clearing the event: attempt to write a readonly database"}));
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

}  // namespace
