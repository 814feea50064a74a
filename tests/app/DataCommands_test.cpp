#include "app/DataCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/DataCommandDialogs.h"
#include "tests/app/CoreFixture.h"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// Answers as told and records what each dialog was given.
class FakeDataDialogs : public vx::DataCommandDialogs {
 public:
  int InstallCircleData(vx::PavorunDatabase& database, int currentEvent) override {
    calls.push_back("circle data " + std::to_string(currentEvent));
    database.SelectEvent(95);  // installing leaves another event selected
    return installed;
  }
  int ChooseEvent(const std::vector<int>& storedEvents, int currentEvent) override {
    calls.push_back("choose " + std::to_string(storedEvents.size()) + " " +
                    std::to_string(currentEvent));
    return chosen;
  }
  void InstallImageData(const fs::path& imageFolder, const std::vector<int>& storedEvents,
                        int currentEvent) override {
    calls.push_back("images " + imageFolder.string() + " " + std::to_string(storedEvents.size()) +
                    " " + std::to_string(currentEvent));
  }
  int UpdateCircleData(vx::PavorunDatabase&, int event, const fs::path& archive) override {
    calls.push_back("update " + std::to_string(event) + " " + archive.string());
    return outcome;
  }

  int installed = 0;
  int chosen = 0;
  int outcome = 2;
  std::vector<std::string> calls;
};

class DataCommandsTest : public vxtest::CoreTest {
 protected:
  void Start(const std::string& settingsIni, bool userCatalog = true,
             const std::string& userIni = "") {
    CoreTest::Start(settingsIni, userCatalog, userIni);
    commands = std::make_unique<vx::DataCommands>(
        *core, ui, dialogs, [this](const vx::RestartRequest& r) { restarts.push_back(r); });
  }
  // The restarts asked for, as the new instance's arguments.
  std::vector<Args> Restarts() const {
    std::vector<Args> arguments;
    for (const vx::RestartRequest& r : restarts) arguments.push_back(r.Arguments());
    return arguments;
  }

  FakeDataDialogs dialogs;
  std::vector<vx::RestartRequest> restarts;
  std::unique_ptr<vx::DataCommands> commands;
};

constexpr unsigned kQuestion = vx::MB_YESNO | vx::MB_ICONQUESTION;

// The new instance of an event switch starts without the checklist, which belongs to the old
// event; nothing chosen changes nothing.
TEST_F(DataCommandsTest, EventSwitchRestartsOnTheChosenEvent) {
  Start("UserData=personalpath");
  struct Case {
    int answer;
    int chosen;
    std::vector<std::string> calls;
    std::vector<Args> restarts;
  };
  const Case cases[] = {
      {IDYES, 97, {"choose 1 96"}, {{"_rebootnoload_"}}},
      {IDYES, 0, {"choose 1 96"}, {}},
      {IDNO, 97, {}, {}},
  };
  for (const Case& c : cases) {
    ui.ClearCalls();
    dialogs.calls.clear();
    restarts.clear();
    dialogs.chosen = c.chosen;
    ui.QueueAnswer(c.answer);
    commands->SwitchEvent();
    ExpectBox(0, "ヴェラストレード回数の切り替えを行いますか？\r\n切り替え後は再起動します。",
              "ヴェラストレード回数切り替え", kQuestion);
    EXPECT_EQ(dialogs.calls, c.calls);
    EXPECT_EQ(Restarts(), c.restarts);
    for (const vx::RestartRequest& r : restarts) EXPECT_EQ(r.eventNumber, c.chosen);
  }
}

// The checklist's own question comes after the command's; Cancel stops the command, and a restart
// leaves an empty checklist that asks nothing more.
TEST_F(DataCommandsTest, SaveQuestionComesSecondAndCancelStops) {
  Start("UserData=personalpath");
  vx::CatalogController& controller = *core->Controller();
  dialogs.chosen = 97;
  for (int saveAnswer : {IDCANCEL, IDNO}) {
    controller.SetCircleColor(1, 101);
    ASSERT_TRUE(controller.IsChecklistModified());
    ui.ClearCalls();
    ui.QueueAnswer(IDYES);
    ui.QueueAnswer(saveAnswer);
    commands->SwitchEvent();
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].caption, vx::Sjis("チェックリストの保存確認"));
  }
  EXPECT_EQ(dialogs.calls, std::vector<std::string>{"choose 1 96"});
  ASSERT_EQ(restarts.size(), 1u);
  EXPECT_EQ(restarts[0].eventNumber, 97);
  EXPECT_FALSE(controller.IsChecklistModified());
  EXPECT_EQ(controller.GetCircleColor(101), -1);
}

// The initialisation of an installed database asks the question that begins "既に" and restarts
// with "_reboot_"; after a refused initialisation the plain question is asked. The initialisation
// itself runs as the program ends.
TEST_F(DataCommandsTest, InitializationAsksItsQuestionAndRestartsToInitialize) {
  const std::string installed =
      "既にデータベースが存在します。初期化してよろしいですか？\r\n初期化後は再起動します。";
  const std::string refused =
      "データベースを初期化してよろしいですか？\r\n初期化後は再起動します。";
  struct Case {
    bool userCatalog;
    std::string userIni;
    std::string question;
  };
  const Case cases[] = {{true, "", installed}, {false, "[System]\r\nnoDatabase96=1\r\n", refused}};
  for (const Case& c : cases) {
    Start("UserData=personalpath", c.userCatalog, c.userIni);
    restarts.clear();
    ui.QueueAnswer(IDYES);
    commands->InitializeDatabase();
    ExpectBox(0, c.question, "データベースの初期化", kQuestion);
    ASSERT_EQ(restarts.size(), 1u);
    EXPECT_TRUE(restarts[0].reinitializeDatabase);
    EXPECT_EQ(restarts[0].Arguments(), Args{"_reboot_"});
    EXPECT_EQ(core->Values().noDatabase, 0);
    fs::remove_all(Documents());
  }
}

// A database of the program folder is never initialised: used in place, or forced read-only.
TEST_F(DataCommandsTest, ProgramFolderDatabaseIsNotInitialized) {
  const std::pair<std::string, std::string> cases[] = {
      {"UserData=exepath",
       "その場利用のデータベースは初期化する必要がありません。\nそのままご利用ください。"},
      {"ReadOnly=1\r\nUserData=personalpath",
       "強制読み込み専用のデータベースは初期化できません。\nインストールしてからご利用ください。"},
  };
  for (const auto& [ini, text] : cases) {
    Start(ini);
    commands->InitializeDatabase();
    ASSERT_EQ(Boxes().size(), 1u);
    ExpectBox(0, text, "データベースの初期化", vx::MB_ICONINFORMATION);
  }
  EXPECT_TRUE(restarts.empty());
}

// A read-only database takes no circle data; when it stands in for the user's, the user is told to
// initialise that first.
TEST_F(DataCommandsTest, CircleDataAndUpdatesNeedAWritableDatabase) {
  const std::string add = "読み込み専用データベースのサークルデータは追加できません。";
  const std::string update = "読み込み専用データベースのサークルデータは更新できません。";
  const std::string first = "\nまずデータベースを初期化して下さい";
  struct Case {
    std::string ini;
    bool userCatalog;
    std::string userIni;
    std::string suffix;
  };
  const Case cases[] = {
      {"ReadOnly=1\r\nUserData=personalpath", true, "", ""},
      {"UserData=personalpath", false, "[System]\r\nnoDatabase96=1\r\n", first},
  };
  for (const Case& c : cases) {
    Start(c.ini, c.userCatalog, c.userIni);
    commands->InstallCircleData();
    commands->UpdateCircleData(false);
    commands->UpdateCircleData(true);
    ASSERT_EQ(Boxes().size(), 3u);
    ExpectBox(0, add + c.suffix, "サークルデータの追加", vx::MB_ICONINFORMATION);
    ExpectBox(1, update + c.suffix, "データベースの更新", vx::MB_ICONINFORMATION);
    ExpectBox(2, update + c.suffix, "データベースの更新", vx::MB_ICONINFORMATION);
    fs::remove_all(Documents());
  }
  EXPECT_TRUE(dialogs.calls.empty());
}

// Only an installation of the event shown restarts; the event is selected again in any case.
TEST_F(DataCommandsTest, CircleDataRestartsWhenTheShownEventChanged) {
  Start("UserData=personalpath");
  for (int installed : {0, 1}) {
    dialogs.installed = installed;
    ui.ClearCalls();
    ui.QueueAnswer(IDYES);
    commands->InstallCircleData();
    ExpectBox(0, "サークルデータの追加・削除を行いますか？\r\n追加後は再起動する場合があります。",
              "サークルデータの追加・削除", kQuestion);
    EXPECT_EQ(core->Database()->GetEventNo(), 96);
  }
  EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"circle data 96", "circle data 96"}));
  EXPECT_EQ(Restarts(), std::vector<Args>{{"_reboot_"}});
}

// Only a finished update restarts; the file variant asks for the archive, and a cancelled choice
// ends the command.
TEST_F(DataCommandsTest, UpdateRestartsOnlyWhenDone) {
  Start("UserData=personalpath");
  for (int outcome : {1, 2, 3, 4}) {
    dialogs.outcome = outcome;
    ui.QueueAnswer(IDYES);
    commands->UpdateCircleData(false);
  }
  EXPECT_EQ(Restarts(), std::vector<Args>{{"_reboot_"}});
  ExpectBox(0,
            "データベースをネットワーク経由で更新してもよろしいですか？\r\n更新後は再起動します。",
            "データベースの更新", kQuestion);

  ui.ClearCalls();
  dialogs.calls.clear();
  ui.QueueAnswer(IDYES);
  ui.QueuePath(std::nullopt);
  ui.QueueAnswer(IDYES);
  ui.QueuePath(root / "VQ096SJIS.ZIP");
  commands->UpdateCircleData(true);
  commands->UpdateCircleData(true);
  ExpectBox(0, "データベースをファイルから更新してもよろしいですか？\r\n更新後は再起動します。",
            "データベースの更新", kQuestion);
  const auto files = ui.CallsOf(vx::UiCallKind::kOpenFileDialog);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].request.title, vx::Sjis("パヴォルンデータ更新ファイルの選択"));
  EXPECT_EQ(dialogs.calls,
            std::vector<std::string>{"update 96 " + (root / "VQ096SJIS.ZIP").string()});
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

// After the image data dialog the image data is looked for again (here: asked for, as none is
// found); nothing restarts.
TEST_F(DataCommandsTest, ImageDataDialogThenTheImagesAreLookedForAgain) {
  Start("UserData=personalpath");
  commands->InstallImageData();
  EXPECT_EQ(dialogs.calls, std::vector<std::string>{"images " + Program().string() + " 1 96"});
  EXPECT_EQ(imageFolderAsked, 1);
  EXPECT_TRUE(restarts.empty());
}

}  // namespace
