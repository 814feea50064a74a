// The data commands' dialogs as the program opens them: each is owned by the beacon under the
// modal guard, and what fails inside one reaches the user through the program's UI services.
#include "program/QtDataCommandDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/data/CommitBreaker.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/data/images/TestArchive.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/main/BeaconWidget.h"
#include "ui/widgets/ProgressDialogRunner.h"
#include "web/UpdateDownloadJob.h"

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;
using vxtest::Boxes;
using vxtest::Control;

void Click(const QWidget& dialog, int id) {
  QPushButton* button = Control<QPushButton>(&dialog, id);
  ASSERT_NE(button, nullptr) << id;
  button->click();
}

// The real progress dialog, or, when told, one that cannot start the job and answers `answer`.
class SwitchableProgress : public vx::ProgressJobRunner {
 public:
  int Run(vx::ProgressJob& job, std::string_view caption, vx::OwnerWindow owner) override {
    return fails ? answer : dialog_.Run(job, caption, owner);
  }
  bool fails = false;
  int answer = 0;

 private:
  vx::ProgressDialogRunner dialog_;
};

class QtDataCommandDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vxtest::BuildControllerCatalog(db);
    values.eventNumber = vxtest::kControllerEvent;
    ASSERT_TRUE(controller.Init(&db, &images, &values));
    controller.AttachOwnerWindow(&beacon);
  }

  // Runs `open`, doing `act` inside the modal dialog it shows; the dialog is rejected if `act`
  // leaves it open. What the dialog was, and whether the frames were shut out meanwhile.
  struct Seen {
    std::string type;
    QWidget* owner = nullptr;
    bool guarded = false;
  };
  Seen Open(const std::function<void()>& open, const std::function<void(QDialog&)>& act) {
    Seen seen;
    vxtest::Watchdog watchdog;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      seen = {dialog->metaObject()->className(), dialog->parentWidget(),
              controller.GetGuard().IsRaised()};
      act(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    open();
    return seen;
  }
  std::vector<int> Events() {
    std::vector<int> events;
    db.ListEventNumbers(events);
    return events;
  }

  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vx::AppSettings settings{dir.Path()};
  SwitchableProgress progress;
  vx::BeaconWidget beacon;
  vx::CatalogController controller{&settings, {&ui, &progress, nullptr, nullptr, nullptr}};
  vx::QtDataCommandDialogs dialogs{ui, controller, settings};
};

// Each command reaches its own dialog, owned by the beacon, with the frames shut out until it
// ends; its answer reaches the command.
TEST_F(QtDataCommandDialogsTest, EachCommandOpensItsDialogOwnedByTheBeaconUnderTheModalGuard) {
  int answer = -1;
  const struct {
    const char* type;
    std::function<void()> open;
    std::function<void(QDialog&)> act;
    int answer;
  } cases[] = {
      {"vx::CatalogInstallDialog", [&] { answer = dialogs.InstallCircleData(db, 96); },
       [](QDialog&) {}, 0},
      {"vx::EventSwitchDialog",
       [&] {
         answer = dialogs.ChooseEvent({94, 96}, 96);
       },
       [](QDialog& dialog) {
         auto* list = Control<QTreeWidget>(&dialog, IDC_SWITCH_EVENT_LIST);
         list->setCurrentItem(list->topLevelItem(0));
         Click(dialog, IDOK);
       },
       94},
      {"vx::ImageInstallDialog",
       [&] {
         dialogs.InstallImageData(dir.Path(), {96}, 96);
         answer = 0;
       },
       [](QDialog&) {}, 0},
  };
  for (const auto& c : cases) {
    answer = -1;
    const Seen seen = Open(c.open, c.act);
    EXPECT_EQ(seen.type, c.type);
    EXPECT_EQ(seen.owner, &beacon) << c.type;
    EXPECT_TRUE(seen.guarded) << c.type;
    EXPECT_FALSE(controller.GetGuard().IsRaised()) << c.type;
    EXPECT_EQ(answer, c.answer) << c.type;
  }
  EXPECT_TRUE(ui.Calls().empty());
}

// The circle-data installer merges the older events of another database in the program's merge
// dialog; the COMMIT fails (a deferred foreign key the merge breaks): the user is told, and the
// database holds what it held.
TEST_F(QtDataCommandDialogsTest, AMergeThatCannotBeCommittedIsReportedAndChangesNothing) {
  {
    vx::PavorunDatabase older(dir.Path(), "vindaxel95.db", vx::SqliteDatabase::kReadWrite);
    vxtest::BuildSampleCatalog(older, 94);
  }
  vxtest::BreakCommitsAfterInsertsInto(db, "PavorunCircle");
  const int circles = vxtest::CountRows(db, "PavorunCircle", 96);
  ui.QueueAnswer(IDOK);
  ui.QueuePath(dir / "vindaxel95.db");
  int answer = -1;
  Open([&] { answer = dialogs.InstallCircleData(db, 96); },
       [](QDialog& dialog) {
         Click(dialog, IDC_DB_BROWSE);
         Click(dialog, IDC_DB_INSTALL);
       });
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(Boxes(ui), (Texts{"サークルデータの追加|サークルデータのインストール処理中にエラーが"
                              "生じました. \nDBファイルがファイルが読み込み専用になっているか、"
                              "若しくはアクセス権限が無い可能性があります."}));
  EXPECT_EQ(Events(), std::vector<int>{96});
  EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 96), circles);
  EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 94), 0);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

// A folder without the event's images is refused in a box of the program's UI services.
TEST_F(QtDataCommandDialogsTest, AnImageFolderWithoutImagesIsRefusedInABox) {
  fs::create_directories(dir / "empty");
  ui.QueuePath(dir / "empty");
  ui.QueueAnswer(IDOK);
  ui.QueuePath(std::nullopt);
  Open([&] { dialogs.InstallImageData(dir / "images", {96}, 96); },
       [](QDialog& dialog) { Click(dialog, IDC_IMAGE_INSTALL); });
  EXPECT_EQ(Boxes(ui), (Texts{"エラー|CD-ROMロザーヴァンクイスト用画像データが見つかりません.\n"
                              "正しい場所を指定してください."}));
  EXPECT_FALSE(fs::exists(dir / "images" / "VQ96"));
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

// The archives of the event shown are open; deleting its images closes them first, so that the
// views stop drawing from files that are gone.
TEST_F(QtDataCommandDialogsTest, DeletingTheShownEventsImagesClosesThemFirst) {
  const fs::path installed = dir / "images" / "VQ96";
  fs::create_directories(installed / "PDATA");
  fs::create_directories(installed / "MDATA");
  vxtest::ZipWriter(installed / "V096CUTL.CCZ").Add("INIT.TXT", "vqnum\t96\r\n");
  images.Open(installed, 96);
  ASSERT_TRUE(images.HasLowResArchive());
  ui.QueueAnswer(IDYES);
  Open([&] { dialogs.InstallImageData(dir / "images", {96}, 96); },
       [](QDialog& dialog) {
         auto* list = Control<QTreeWidget>(&dialog, IDC_IMAGE_INSTALLED_LIST);
         list->setCurrentItem(list->topLevelItem(0));
         Click(dialog, IDC_IMAGE_DELETE);
       });
  EXPECT_FALSE(images.HasLowResArchive());
  EXPECT_FALSE(fs::exists(installed));
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

// An update that fails, or whose progress dialog could not run it whatever the dialog answers,
// ends in the error box and leaves the database as it was.
TEST_F(QtDataCommandDialogsTest, AnUpdateThatFailsEndsInTheErrorBox) {
  vxtest::WriteFileBytes(dir / "update.zip", "not an archive");
  const int circles = vxtest::CountRows(db, "PavorunCircle", 96);
  for (const bool runs : {true, false}) {
    SCOPED_TRACE(runs ? "the archive is damaged" : "the dialog could not run the job");
    ui.ClearCalls();
    progress.fails = !runs;
    progress.answer = vx::UpdateDownloadJob::kDone;
    EXPECT_EQ(dialogs.UpdateCircleData(db, 96, dir / "update.zip"), vx::UpdateDownloadJob::kError);
    const std::vector<vx::UiCall> boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].caption), "データベースの更新");
    EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].text).rfind("データベースの更新中にエラーが生じました.", 0),
              0u)
        << vx::Cp932ToUtf8(boxes[0].text);
    EXPECT_EQ(boxes[0].flags, vx::MB_ICONHAND);
    EXPECT_FALSE(controller.GetGuard().IsRaised());
    EXPECT_EQ(vxtest::CountRows(db, "PavorunCircle", 96), circles);
  }
}

}  // namespace
