#include "app/ApplicationCore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/DatabaseInitializer.h"
#include "app/SettingsPath.h"
#include "data/SearchCondition.h"
#include "platform/CodePage.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/web/JobRunning.h"

namespace {

namespace fs = std::filesystem;
using vx::WindowRect;

using Corners = std::tuple<int, int, int, int>;
Corners CornersOf(const WindowRect& r) { return {r.left, r.top, r.right, r.bottom}; }

void PutText(char (&field)[vx::kTextSize], const std::string& text) {
  std::strncpy(field, text.c_str(), sizeof field - 1);
}

TEST(DefaultWindowLayoutTest, SideColumnGrowsUntilItReaches360Pixels) {
  const std::pair<int, int> cases[] = {{1024, 384}, {640, 320},  {1152, 360},
                                       {1280, 400}, {1920, 600}, {0, 0}};
  for (auto [width, side] : cases) EXPECT_EQ(vx::DefaultSideWidth(width), side) << width;
}

TEST(DefaultWindowLayoutTest, FiveWindowsOnA1024By768WorkArea) {
  vx::SettingsValues values{};
  vx::ApplyDefaultLayout(values, {0, 0, 1024, 768}, {1, 20, 1, 1});
  const Corners expected[] = {{1, 20, 639, 767},      // main
                              {33, 84, 671, 639},     // map
                              {641, 404, 1023, 767},  // checklist
                              {641, 20, 1023, 383},   // detail
                              {65, 148, 703, 703}};   // list
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_EQ(CornersOf(values.windowRects[slot]), expected[slot]) << slot;
  }
  EXPECT_EQ(CornersOf(values.windowRects[5]), Corners(0, 0, 0, 0));
}

// The rectangles are the windows' frames, kept as they are until a frame is known: main and the
// stacked detail and checklist tile the work area, map and list are cascaded over the main window
// and reach into the side column. Map and list used to be squeezed one above the other.
TEST(DefaultWindowLayoutTest, FramesCoverTheDefaultRectangles) {
  // Side column 320, below a panel.
  const vx::WorkArea area{0, 24, 640, 456};
  const Corners frames[] = {{0, 24, 320, 480},     // main
                            {32, 88, 352, 352},    // map
                            {320, 252, 640, 480},  // checklist
                            {320, 24, 640, 252},   // detail
                            {64, 152, 384, 416}};  // list
  vx::SettingsValues values{};
  vx::ApplyDefaultLayout(values, area);
  for (int slot = 0; slot < vx::kFrameSlotCount; ++slot) {
    EXPECT_EQ(CornersOf(values.windowRects[slot]), frames[slot]) << slot;
    EXPECT_TRUE(vx::HoldsDefaultFrameRect(values, slot, area)) << slot;
  }
  values.windowRects[vx::kMapSlot].top += 20;  // a place of its own, from a profile
  EXPECT_FALSE(vx::HoldsDefaultFrameRect(values, vx::kMapSlot, area));
}

TEST(DefaultWindowLayoutTest, WorkAreaBelowATopPanelMovesEveryWindowDown) {
  vx::SettingsValues values{};
  vx::ApplyDefaultLayout(values, {0, 32, 1024, 768});
  EXPECT_EQ(CornersOf(values.windowRects[vx::kMainSlot]), Corners(0, 32, 640, 800));
  EXPECT_EQ(CornersOf(values.windowRects[vx::kDetailSlot]), Corners(640, 32, 1024, 416));
}

// A rectangle stored on a larger screen comes back whole: moved in, and shrunk only where it is
// larger than the area.
TEST(DefaultWindowLayoutTest, StoredRectanglesAreFittedIntoTheWorkArea) {
  const vx::WorkArea area{0, 24, 1280, 776};  // 1280x800 below a top panel
  const struct {
    WindowRect stored;
    Corners fitted;
  } cases[] = {
      {{0, 0, 880, 1024}, {0, 24, 880, 800}},           // taller than the area
      {{100, 300, 500, 700}, {100, 300, 500, 700}},     // inside: untouched
      {{1000, 700, 1400, 900}, {880, 600, 1280, 800}},  // off the corner: moved in
      {{-300, 30, 100, 130}, {0, 30, 400, 130}},        // off the left edge
      {{0, 0, 2000, 2000}, {0, 24, 1280, 800}},         // larger than the screen
      {{50, 50, 50, 40}, {50, 50, 51, 51}},             // empty: one pixel
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CornersOf(vx::FitIntoWorkArea(c.stored, area)), c.fitted)
        << std::get<0>(c.fitted) << "," << std::get<1>(c.fitted);
  }
}

TEST(DefaultWindowLayoutTest, SlotsHoldTheFiveIdsAndFirstStartVisibility) {
  vx::SettingsValues values{};
  values.windowIds[7] = 99;
  vx::InitWindowSlots(values);
  EXPECT_EQ(std::vector<int>(values.windowIds, values.windowIds + 8),
            (std::vector<int>{32769, 32770, 32776, 32772, 32784, 0, 0, 0}));
  EXPECT_EQ(std::vector<int>(values.windowShown, values.windowShown + 5),
            (std::vector<int>{1, 0, 1, 1, 0}));
}

TEST(StartupArgumentsTest, FirstArgumentIsARestartMarkerOrAChecklist) {
  struct Case {
    std::vector<std::string> arguments;
    bool restart;
    bool checklistAllowed;
    fs::path file;
  };
  const std::string longName = "/tmp/" + std::string(5000, 'x') + ".txt";
  const Case cases[] = {
      {{}, false, true, {}},
      {{"_reboot_"}, true, true, {}},
      {{"_rebootnoload_"}, true, false, {}},
      {{"list.txt", "_reboot_"}, false, true, "list.txt"},
      {{"_REBOOT_"}, false, true, "_REBOOT_"},
      {{longName}, false, true, longName},  // kept whole, never cut at a fixed buffer
  };
  for (const Case& c : cases) {
    const auto parsed = vx::StartupArguments::Parse(c.arguments);
    EXPECT_EQ(std::tie(parsed.restart, parsed.checklistAllowed, parsed.checklistFile),
              std::tie(c.restart, c.checklistAllowed, c.file));
  }
}

TEST(RestartRequestTest, EventSwitchRestartsWithoutTheChecklist) {
  using Args = std::vector<std::string>;
  EXPECT_EQ((vx::RestartRequest{}.Arguments()), Args{});
  EXPECT_EQ((vx::RestartRequest{true, 0, false}.Arguments()), Args{"_reboot_"});
  EXPECT_EQ((vx::RestartRequest{true, 0, true}.Arguments()), Args{"_reboot_"});
  EXPECT_EQ((vx::RestartRequest{true, 97, false}.Arguments()), Args{"_rebootnoload_"});
}

TEST(OpticalDiscMountsTest, OnlyIsoAndUdfMountsInTableOrder) {
  vxtest::TempDir dir;
  vxtest::WriteFileBytes(dir / "mounts",
                         "/dev/sda1 / ext4 rw 0 0\n"
                         "/dev/sr0 /media/user/CATALOG\\04096 iso9660 ro 0 0\n"
                         "proc /proc proc rw 0 0\n"
                         "/dev/sr1 /mnt/dvd udf ro 0 0\n"
                         "broken-line\n");
  EXPECT_EQ(vx::ListOpticalDiscMounts(dir / "mounts"),
            (std::vector<fs::path>{"/media/user/CATALOG 96", "/mnt/dvd"}));
  EXPECT_TRUE(vx::ListOpticalDiscMounts(dir / "missing").empty());
}

// Image folders are found by a probe that accepts the folders of a list.
class ImageDataLocatorTest : public ::testing::Test {
 protected:
  vx::ImageDataLocator Locator() {
    return vx::ImageDataLocator(
        "/opt/vx/program", {"/media/cd"}, [this](const fs::path& folder, int event) {
          probed.push_back(folder);
          return event == 96 && std::count(good.begin(), good.end(), folder);
        });
  }

  vx::SettingsValues values{};
  std::vector<fs::path> good;
  std::vector<fs::path> probed;
  vx::ScriptedUiServices ui;
};

TEST_F(ImageDataLocatorTest, CandidatesBesideTheProgramThenOnTheDiscs) {
  EXPECT_EQ(Locator().Candidates(96),
            (std::vector<fs::path>{"/opt/vx/program/VQ96", "/opt/vx/program", "/opt/vx/DATA96N",
                                   "/opt/vx/DATA96", "/media/cd", "/media/cd/DATA96N",
                                   "/media/cd/DATA96"}));
}

TEST_F(ImageDataLocatorTest, ChosenFolderFirstThenTheCandidatesThenTheDialog) {
  values.eventNumber = 96;
  values.imgPathMode = 1;
  PutText(values.imagePath, "/data/chosen/");
  good = {"/data/chosen/", "/media/cd/DATA96N"};
  EXPECT_EQ(Locator().Find(values, nullptr), fs::path("/data/chosen/"));

  good = {"/media/cd/DATA96N"};  // the chosen folder no longer holds the images
  EXPECT_EQ(Locator().Find(values, nullptr), fs::path("/media/cd/DATA96N"));
  EXPECT_EQ(values.imgPathMode, 0);

  good = {"/data/other/"};
  int asked = 0;
  const auto ask = [&](std::span<char> field, int event) {
    ++asked;
    EXPECT_EQ(event, 96);
    std::strncpy(field.data(), "/data/other/", field.size());
    return true;
  };
  EXPECT_EQ(Locator().Find(values, ask), fs::path("/data/other/"));
  EXPECT_EQ(std::make_tuple(asked, values.imgPathMode), std::make_tuple(1, 1));

  good.clear();
  EXPECT_EQ(Locator().Find(values, [](std::span<char>, int) { return false; }), std::nullopt);
}

TEST_F(ImageDataLocatorTest, AChosenFolderOutsideShiftJisIsLookedForUnderItsOwnName) {
  values.eventNumber = 96;
  values.imgPathMode = 1;
  PutText(values.imagePath, vx::SettingsPathText("/media/Café 〜/"));
  good = {"/media/Café 〜/"};
  EXPECT_EQ(Locator().Find(values, nullptr), fs::path("/media/Café 〜/"));
}

// A program folder and a user folder; `settings.ini` chooses between them.
class ApplicationCoreTest : public ::testing::Test {
 protected:
  ApplicationCoreTest() {
    fs::create_directories(Program());
    ::setenv("XDG_DOCUMENTS_DIR", (root / "Documents").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    services.ui = &ui;
    services.controller.ui = &ui;
  }

  fs::path Program() const { return root / "program"; }
  fs::path Documents() const { return root / "Documents" / "vindaxel"; }
  void WriteSettingsIni(const std::string& lines) const {
    vxtest::WriteFileBytes(Program() / "settings.ini", "[Settings]\r\n" + lines);
  }
  static void BuildCatalog(const fs::path& folder) {
    fs::create_directories(folder);
    vx::PavorunDatabase db(folder);
    vxtest::BuildControllerCatalog(db);
  }
  std::unique_ptr<vx::ApplicationCore> Start() {
    auto core = std::make_unique<vx::ApplicationCore>(Program(), services);
    core->LoadSettings({0, 0, 1024, 768});
    return core;
  }
  std::string UserIni(const fs::path& folder) const {
    return vxtest::ReadFileBytes(folder / "vindaxel.ini");
  }

  vxtest::TempDir root;
  vx::ScriptedUiServices ui;
  vx::ApplicationServices services;
};

TEST_F(ApplicationCoreTest, DatabaseComesFromTheFolderTheSettingsChoose) {
  struct Case {
    std::string ini;
    bool userHasCircles;
    int noDatabase;  // stored before the start
    std::vector<int> answers;
    int initResult;
    fs::path folder;
    int mode;
    bool userDatabase;
    int noDatabaseAfter;
    int questions;
    bool canInitialize = true;
  };
  const int rw = vx::PavorunDatabase::kReadWrite;
  const int ro = vx::PavorunDatabase::kReadOnly;
  const Case cases[] = {
      {"ReadOnly=1\r\nUserData=personalpath", true, 0, {}, 0, Program(), ro, false, 0, 0},
      {"UserData=exepath", false, 0, {}, 0, Program(), rw, false, 0, 0},
      {"UserData=personalpath", true, 1, {}, 0, Documents(), rw, true, 0, 0},
      {"UserData=personalpath", false, 0, {IDYES}, 1, Documents(), rw, true, 0, 1},
      {"UserData=personalpath", false, 0, {IDYES}, 2, Program(), ro, true, 1, 1},
      {"UserData=personalpath", false, 0, {IDNO}, 0, Program(), ro, true, 1, 1},
      {"UserData=personalpath", false, 1, {}, 0, Program(), ro, true, 1, 0},
      // Nothing to initialise with: no question, and the next start asks again.
      {"UserData=appdatapath", false, 0, {}, 0, Program(), ro, true, 0, 0, false},
  };
  BuildCatalog(Program());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini + " answers " + std::to_string(c.answers.size()));
    const fs::path userFolder =
        c.ini.find("appdatapath") != std::string::npos ? root / "data" / "vindaxel" : Documents();
    fs::remove_all(userFolder);
    WriteSettingsIni(c.ini);
    if (c.userHasCircles) BuildCatalog(userFolder);
    fs::create_directories(userFolder);
    vxtest::WriteFileBytes(userFolder / "vindaxel.ini",
                           "[System]\r\nnoDatabase96=" + std::to_string(c.noDatabase) + "\r\n");
    for (int answer : c.answers) ui.QueueAnswer(answer);
    ui.ClearCalls();
    int initialized = 0;
    services.initializeDatabase = nullptr;
    if (c.canInitialize) {
      services.initializeDatabase = [&](std::unique_ptr<vx::PavorunDatabase>& db) {
        ++initialized;
        if (c.initResult == 1) vxtest::BuildControllerCatalog(*db);
        return c.initResult;
      };
    }
    auto core = Start();
    core->OpenDatabase();
    const auto questions = ui.CallsOf(vx::UiCallKind::kMessageBox);
    EXPECT_EQ(std::make_tuple(core->Database()->Folder(), core->Database()->Mode(),
                              core->UsesUserDatabase(), core->Values().noDatabase),
              std::make_tuple(c.folder, c.mode, c.userDatabase, c.noDatabaseAfter));
    ASSERT_EQ(static_cast<int>(questions.size()), c.questions);
    if (c.questions) {
      EXPECT_EQ(questions[0].text, vx::Sjis(vx::kInitializeQuestion));
      EXPECT_EQ(questions[0].caption, vx::Sjis("データベースの初期化"));
      EXPECT_EQ(questions[0].flags, vx::MB_YESNO | vx::MB_ICONQUESTION);
      EXPECT_EQ(initialized, c.answers[0] == IDYES ? 1 : 0);
    }
    EXPECT_TRUE(ui.UnexpectedCalls().empty());
  }
}

// The real initialisation on the two folders; its disc import fills in the controller's
// catalogue, and the disc is asked for as `disc`.
vx::CatalogDatabaseOpener::Initializer RealInitializer(const fs::path& program,
                                                       const fs::path& user, vx::UiServices& ui,
                                                       std::vector<fs::path>& imported,
                                                       std::optional<fs::path> disc = {}) {
  return [=, &ui, &imported](std::unique_ptr<vx::PavorunDatabase>& db) {
    vx::DatabaseInitializer::Steps steps;
    steps.importDisc = [&](vx::PavorunDatabase& target, int, const fs::path& folder, bool&) {
      imported.push_back(folder);
      vxtest::BuildControllerCatalog(target);
      return 1;
    };
    steps.runJob = [](vx::ProgressJob& job, std::string_view) { return vxtest::RunJob(job); };
    steps.askForFile = [disc](const std::string&) { return disc; };
    return vx::DatabaseInitializer(program, user, 96, &ui, steps).Run(db);
  };
}

std::string Damage(const fs::path& file) {
  std::string bytes = vxtest::ReadFileBytes(file);
  for (std::size_t i = 1024; i < bytes.size(); ++i) bytes[i] = static_cast<char>(~bytes[i]);
  vxtest::WriteFileBytes(file, bytes);
  return bytes;
}

// A damaged user database was reported as empty and offered for initialising over it. It is named
// as damaged; No runs on the program folder's catalogue and leaves the file for the next start to
// ask again; Yes moves it aside and installs anew. A damaged read-only catalogue is named too.
TEST_F(ApplicationCoreTest, DamagedDatabaseIsNamedAndReinstalledOnlyOnYes) {
  WriteSettingsIni("UserData=personalpath");
  BuildCatalog(Program());
  BuildCatalog(Documents());
  const fs::path file = Documents() / vx::PavorunDatabase::kFileName;
  std::vector<fs::path> imported;
  services.initializeDatabase = RealInitializer(Program(), Documents(), ui, imported);
  for (const int answer : {IDNO, IDYES}) {
    fs::remove(file);
    BuildCatalog(Documents());
    const std::string damaged = Damage(file);
    ui.ClearCalls();
    ui.QueueAnswer(answer);
    if (answer == IDYES) ui.QueueAnswer(IDOK);
    auto core = Start();
    core->OpenDatabase();
    const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
    ASSERT_EQ(boxes.size(), answer == IDYES ? 2u : 1u);
    EXPECT_EQ(
        std::tie(boxes[0].text, boxes[0].caption, boxes[0].flags),
        std::make_tuple(vx::DamagedDatabaseText(vx::kDamagedQuestion, file),
                        vx::Sjis("データベースの破損"), vx::MB_YESNO | vx::MB_ICONEXCLAMATION));
    EXPECT_NE(boxes[0].text.find(file.string()), std::string::npos);
    const vx::PavorunDatabase& db = *core->Database();
    EXPECT_EQ(std::make_tuple(db.Folder(), db.IsDamaged(), core->Values().noDatabase),
              std::make_tuple(answer == IDYES ? Documents() : Program(), false, 0));
    const fs::path kept = answer == IDYES ? fs::path(file.string() + ".damaged") : file;
    EXPECT_TRUE(vxtest::ReadFileBytes(kept) == damaged);
  }
  WriteSettingsIni("ReadOnly=1\r\nUserData=personalpath");
  const fs::path programFile = Program() / vx::PavorunDatabase::kFileName;
  vxtest::WriteFileBytes(programFile, std::string(5000, 'x'));
  ui.ClearCalls();
  auto core = Start();
  core->OpenDatabase();
  const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(
      std::tie(boxes[0].text, boxes[0].flags),
      std::make_tuple(vx::DamagedDatabaseText(vx::kDamagedText, programFile), vx::MB_ICONHAND));
  EXPECT_EQ(vxtest::ReadFileBytes(programFile), std::string(5000, 'x'));
}

// With the user's data in the program folder, a damaged catalogue got an OK-only box and the
// program opened on page "0": nothing was offered. A folder in place of the file was called a
// database without circles, with nothing offered either. Re-installing from the disc is offered,
// saying which of the two it is; No leaves the file as it was with nothing said again; Yes keeps
// it aside and installs from the disc the user names.
TEST_F(ApplicationCoreTest, DamagedCatalogueInTheProgramFolderIsOfferedForInstallingFromTheDisc) {
  WriteSettingsIni("UserData=exepath");
  const fs::path file = Program() / vx::PavorunDatabase::kFileName;
  const fs::path aside = file.string() + ".damaged";
  std::vector<fs::path> imported;
  services.initializeDatabase =
      RealInitializer(Program(), Program(), ui, imported, root / "disc" / "V96DEF.TXT");
  const struct {
    bool folder;  // else a damaged file
    std::string_view question;
    std::string title;
    std::string keptAs;
  } cases[] = {
      {false, vx::kDamagedQuestion, "データベースの破損", "壊れていた"},
      {true, vx::kNotAFileQuestion, "データベースを開けません", "開けなかった"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    fs::remove_all(file);
    fs::remove_all(aside);
    imported.clear();
    std::string damaged;
    if (c.folder) {
      fs::create_directory(file);
    } else {
      BuildCatalog(Program());
      damaged = Damage(file);
    }
    const std::string question = vx::DamagedDatabaseText(c.question, file);
    ui.ClearCalls();
    ui.QueueAnswer(IDNO);
    {
      auto core = Start();
      core->OpenDatabase();
      const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(
          std::tie(boxes[0].text, boxes[0].caption, boxes[0].flags),
          std::make_tuple(question, vx::Sjis(c.title), vx::MB_YESNO | vx::MB_ICONEXCLAMATION));
      EXPECT_TRUE(core->Database()->IsDamaged());
      EXPECT_EQ(core->Database()->Mode(), vx::PavorunDatabase::kReadOnly);
      EXPECT_FALSE(core->UsesUserDatabase());
    }
    EXPECT_EQ(fs::is_directory(file), c.folder);
    EXPECT_TRUE(c.folder || vxtest::ReadFileBytes(file) == damaged);
    EXPECT_TRUE(imported.empty());

    ui.ClearCalls();
    ui.QueueAnswer(IDYES);
    ui.QueueAnswer(IDOK);
    auto core = Start();
    core->OpenDatabase();
    EXPECT_EQ(imported, std::vector<fs::path>{root / "disc"});
    EXPECT_FALSE(core->Database()->IsDamaged());
    EXPECT_GT(core->Database()->GetMaxCircleId(), 0);
    EXPECT_EQ(fs::is_directory(aside), c.folder);
    EXPECT_TRUE(c.folder || vxtest::ReadFileBytes(aside) == damaged);
    const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
    ASSERT_EQ(boxes.size(), 2u);  // the question, then done
    EXPECT_EQ(boxes[0].text, question);
    EXPECT_EQ(vx::Cp932ToUtf8(boxes[1].text), "データベースの初期化が完了しました.\n" + c.keptAs +
                                                  "データベースファイルは\n" + aside.string() +
                                                  "\nとして残してあります.");
    EXPECT_TRUE(ui.UnexpectedCalls().empty());
  }
}

// A day 1 whose circles are all unplaced started on page 0: the first page is shown instead.
// Circles without any page leave nothing to show, which is said instead of showing page 0.
TEST_F(ApplicationCoreTest, StartOnTheFirstPageOrSayThereIsNone) {
  BuildCatalog(Program());
  for (const char* change :
       {"delete from PavorunCircle where day=1;", "update PavorunCircle set pageNo=0;"}) {
    {
      vx::PavorunDatabase db(Program());
      ASSERT_EQ(db.Exec(nullptr, nullptr, change), 0);
    }
    ui.ClearCalls();
    auto core = Start();
    core->OpenImages();
    core->OpenDatabase();
    ASSERT_TRUE(core->CreateController());
    core->GoToStartPage();
    const bool noPage = change[0] == 'u';
    EXPECT_EQ(core->Controller()->GetCurrentPage(), noPage ? 0 : 13);
    const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
    ASSERT_EQ(boxes.size(), noPage ? 1u : 0u);
    if (noPage) {
      EXPECT_EQ(
          std::tie(boxes[0].text, boxes[0].flags),
          std::make_tuple(vx::Sjis("ヴェラストレード96 のサークルデータには表示できるページが"
                                   "ありません.\nサークルデータをインストールし直してください."),
                          vx::MB_ICONEXCLAMATION));
    }
  }
}

TEST_F(ApplicationCoreTest, EmptyDatabaseWarnsAndStartsAnyway) {
  auto core = Start();
  core->OpenDatabase();
  const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(std::tie(boxes[0].text, boxes[0].caption, boxes[0].flags),
            std::make_tuple(vx::Sjis(vx::kNoCirclesText), vx::Sjis("データベース異常"),
                            vx::MB_ICONEXCLAMATION));
  EXPECT_TRUE(core->CreateController());
  core->GoToStartPage();
  EXPECT_EQ(core->Controller()->GetCurrentPage(), 0);
}

TEST_F(ApplicationCoreTest, MissingImageDataWarnsWithTheProgramsTitle) {
  auto core = Start();
  EXPECT_FALSE(core->LocateImageData());
  const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, vx::Sjis("画像データが見つかりません.\n画像表示は正常に行われません."));
  EXPECT_EQ(boxes[0].caption, vx::Sjis("ヴェラストレードCD-ROMロザーヴァンクイストの警告"));
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].flags, vx::MB_ICONHAND);
}

// Margins edited by hand into leaving no printable area printed every page into a strip
// without a word: the start sets them back to the defaults and says which; a sound file says
// nothing.
TEST_F(ApplicationCoreTest, MarginsLeavingNoPrintableAreaAreResetAtTheStartAndTold) {
  vxtest::WriteFileBytes(Program() / "vindaxel.ini",
                         "[Print]\r\nMargin.Top.03=-500\r\nMargin.Left.03=-500\r\n"
                         "Margin.Right.03=99999\r\n");
  auto core = Start();
  const vx::PrintMargins& a4 = core->Values().print.margins[3];
  EXPECT_EQ(std::tie(a4.top, a4.bottom, a4.left, a4.right), std::make_tuple(283, 283, 200, 200));
  const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(std::tie(boxes[0].text, boxes[0].caption, boxes[0].flags),
            std::make_tuple(vx::Sjis("次の用紙の余白では印刷領域がなくなるため、既定値に戻しました."
                                     "\nA4 (Margin.*.03)"),
                            vx::Sjis("印刷設定"), vx::MB_ICONEXCLAMATION));
  ASSERT_TRUE(core->SaveSettings({}));
  core.reset();
  ui.ClearCalls();
  Start();
  EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kMessageBox).empty());
}

// Until the user chooses one, images go to the program folder; where that is the profile it is
// kept as the profile itself, so that a copied or moved profile writes into its own folder.
TEST_F(ApplicationCoreTest, TheImageFolderOfAFirstStartIsTheProfileWhereverItMoves) {
  {
    auto core = Start();
    core->LocateImageData();
    EXPECT_STREQ(core->Values().print.bmpOutPath, "./");
    ASSERT_TRUE(core->CommitSettings());
    EXPECT_NE(UserIni(Program()).find("BMPOutPath=./\r\n"), std::string::npos);
    std::strcpy(core->Values().print.bmpOutPath, "/chosen/");
    core->LocateImageData();
    EXPECT_STREQ(core->Values().print.bmpOutPath, "/chosen/");
  }
  fs::remove(Program() / "vindaxel.ini");
  WriteSettingsIni("UserData=personalpath");  // the program folder is no profile
  auto core = Start();
  core->LocateImageData();
  EXPECT_EQ(core->Values().print.bmpOutPath, Program().string());
}

TEST_F(ApplicationCoreTest, LastSelectedPageIsRestoredWhenTheCatalogueHasIt) {
  BuildCatalog(Program());
  const std::pair<int, int> cases[] = {{11, 11}, {12, 13}, {13, 13}, {0, 10}, {99, 10}, {-3, 10}};
  for (auto [stored, shown] : cases) {
    vxtest::WriteFileBytes(Program() / "vindaxel.ini",
                           "[VQ96]\r\nLastSelPage=" + std::to_string(stored) + "\r\n");
    auto core = Start();
    core->OpenImages();
    core->OpenDatabase();
    ASSERT_TRUE(core->CreateController());
    core->GoToStartPage();
    EXPECT_EQ(core->Controller()->GetCurrentPage(), shown) << stored;
  }
}

TEST_F(ApplicationCoreTest, ChecklistOpenedAtTheEndOfStartUp) {
  BuildCatalog(Program());
  struct Case {
    std::vector<std::string> arguments;
    int autoLoad;
    std::optional<fs::path> opened;
  };
  const Case cases[] = {
      {{"_reboot_"}, 1, fs::path("/home/u/newest.txt")},
      {{"_reboot_"}, 0, std::nullopt},
      {{"_rebootnoload_"}, 1, std::nullopt},
      {{}, 1, fs::path("/home/u/newest.txt")},
      {{"/tmp/named.txt"}, 0, fs::path("/tmp/named.txt")},
  };
  for (const Case& c : cases) {
    vxtest::WriteFileBytes(Program() / "vindaxel.ini",
                           "[System]\r\nRecentFiles.00=/home/u/newest.txt\r\n"
                           "RecentFiles.01=/home/u/older.txt\r\n[Config]\r\nAutoLoad=" +
                               std::to_string(c.autoLoad) + "\r\n");
    auto core = Start();
    core->OpenDatabase();
    EXPECT_EQ(core->InitialChecklist(vx::StartupArguments::Parse(c.arguments)), c.opened);
  }
  vxtest::WriteFileBytes(Program() / "vindaxel.ini", "[Config]\r\nAutoLoad=1\r\n");
  auto core = Start();
  core->OpenDatabase();
  EXPECT_EQ(core->InitialChecklist({}), std::nullopt);  // no recent file
  EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kMessageBox).empty());
}

// A catalogue damaged past its first pages still gave circles: the start page was read from it and
// the detail window showed its first circle beside the main window's "nothing to show".
TEST_F(ApplicationCoreTest, ADamagedCatalogueThatStillReadsGivesNoStartPage) {
  WriteSettingsIni("UserData=exepath");
  BuildCatalog(Program());
  const fs::path file = Program() / vx::PavorunDatabase::kFileName;
  vxtest::WriteFileBytes(file, vxtest::ReadFileBytes(file) + std::string(512, '\x55'));
  ui.QueueAnswer(IDNO);  // not installed again
  auto core = Start();
  core->OpenImages();
  core->OpenDatabase();
  ASSERT_TRUE(core->Database()->IsDamaged());
  ASSERT_GT(core->Database()->GetMaxCircleId(), 0);
  ASSERT_TRUE(core->CreateController());
  core->GoToStartPage();
  EXPECT_EQ(core->Controller()->GetCurrentPage(), 0);
  EXPECT_EQ(core->Controller()->GetCurrentCircle().id, 0);
}

// A checklist opened into a program without a catalogue matched none of its circles, and saving
// it then would have lost them. It is not opened; the user is told once which file and why.
TEST_F(ApplicationCoreTest, NoChecklistIsOpenedWithoutACatalogueAndTheUserIsToldWhy) {
  const fs::path checklist = root / "mine.csv";
  const std::string bytes = "Header,VellastradeCD-ROMCatalog,Vellastrade96,Shift_JIS\r\n";
  vxtest::WriteFileBytes(checklist, bytes);
  vxtest::WriteFileBytes(
      Program() / "vindaxel.ini",
      "[System]\r\nRecentFiles.00=" + checklist.string() + "\r\n[Config]\r\nAutoLoad=1\r\n");
  const struct {
    const char* settings;
    std::string database;  // empty: none yet
    std::vector<std::string> arguments;
  } cases[] = {
      {"", "", {}},                                                      // a new, empty database
      {"ReadOnly=1\r\n", std::string(5000, 'x'), {checklist.string()}},  // one that does not open
      {"ReadOnly=1\r\n", std::string(5000, 'x'), {"_reboot_"}},
  };
  for (const auto& c : cases) {
    WriteSettingsIni(c.settings);
    if (!c.database.empty()) {
      vxtest::WriteFileBytes(Program() / vx::PavorunDatabase::kFileName, c.database);
    }
    auto core = Start();
    core->OpenDatabase();
    ASSERT_TRUE(core->CreateController());
    ui.ClearCalls();
    EXPECT_EQ(core->InitialChecklist(vx::StartupArguments::Parse(c.arguments)), std::nullopt);
    const auto boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
    ASSERT_EQ(boxes.size(), 1u) << c.settings;
    EXPECT_EQ(std::tie(boxes[0].text, boxes[0].caption, boxes[0].flags),
              std::make_tuple(vx::Sjis("チェックリストファイル\n") + checklist.string() +
                                  vx::Sjis("\nは開きませんでした.\n表示できるサークルデータがない"
                                           "ため、チェックリストのサークルを照合できません. "
                                           "ファイルは変更していません."),
                              vx::Sjis("チェックリストの読み込み"), vx::MB_ICONEXCLAMATION));
    EXPECT_EQ(vxtest::ReadFileBytes(checklist), bytes);
  }
  // Nothing to open, nothing to say.
  ui.ClearCalls();
  const std::vector<std::string> noLoad = {"_rebootnoload_"};
  EXPECT_EQ(Start()->InitialChecklist(vx::StartupArguments::Parse(noLoad)), std::nullopt);
  EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kMessageBox).empty());
}

TEST_F(ApplicationCoreTest, EventSwitchSavesEveryGroupUnderTheOldNumber) {
  BuildCatalog(Program());
  auto core = Start();
  core->OpenImages();
  core->OpenDatabase();
  ASSERT_TRUE(core->CreateController());
  core->GoToStartPage();
  core->Controller()->GoToPage(13);
  core->Controller()->GetSearchCondition()->SetKeywords("abc");
  vx::Bookmark mark;
  mark.type = vx::Bookmark::kPage;
  mark.page = 11;
  core->Bookmarks().Add(mark);
  ASSERT_TRUE(core->CommitSettings({true, 97, false}));

  const std::string ini = UserIni(Program());
  const std::string mainLeft = "WndPosL.00008001=0\r\n";
  for (const std::string& line :
       {std::string("[VQ96]\r\nLastSelPage=13\r\n"), std::string("BookmarkPage.0000=11\r\n"),
        std::string("VQ96Days.00="), std::string("VQ96.dayCount="), std::string("keyword=abc\r\n"),
        std::string("VQNumber96=97\r\n"), mainLeft}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line;
  }
  for (const char* absent : {"VQ97", "WndPosL.00000000"}) {
    EXPECT_EQ(ini.find(absent), std::string::npos) << absent;
  }
  EXPECT_EQ(ini.find("VQNumber96=96"), std::string::npos);
}

TEST_F(ApplicationCoreTest, SavedSettingsComeBackOnTheNextStart) {
  BuildCatalog(Program());
  {
    auto core = Start();
    core->OpenImages();
    core->OpenDatabase();
    ASSERT_TRUE(core->CreateController());
    core->Controller()->GoToPage(11);
    core->Values().windowRects[vx::kMapSlot] = {5, 6, 7, 8};
    core->Values().cutZoomSize = 150;
    ASSERT_TRUE(core->SaveSettings({}));
  }
  auto core = Start();
  EXPECT_EQ(
      std::tie(core->Values().lastSelPage, core->Values().cutZoomSize, core->Values().eventNumber),
      std::make_tuple(11, 150, 96));
  EXPECT_EQ(CornersOf(core->Values().windowRects[vx::kMapSlot]), Corners(5, 6, 7, 8));
}

// A commit writes at once; one that cannot be written says which file and why, once: the
// commits after it that fail too stay silent, until one succeeds again.
TEST_F(ApplicationCoreTest, ACommitIsWrittenAtOnceOrSaysOnceWhyItFailed) {
  auto core = Start();
  core->Values().cutZoomSize = 150;
  ASSERT_TRUE(core->CommitSettings());
  EXPECT_NE(UserIni(Program()).find("CutZoomSize=150\r\n"), std::string::npos);

  const fs::path file = Program() / "vindaxel.ini";
  const std::string told = file.string() +
                           "\nに動作設定を保存できませんでした.\n同じ名前のフォルダがあります "
                           "(Is a directory).\n保存できるようになるまで、設定の変更はファイルに"
                           "書き込まれません.";
  const auto boxes = [&] {
    std::vector<std::string> texts;
    for (const vx::UiCall& call : ui.CallsOf(vx::UiCallKind::kMessageBox)) {
      EXPECT_EQ(vx::Cp932ToUtf8(call.caption), "動作設定の保存");
      texts.push_back(vx::Cp932ToUtf8(call.text));
    }
    return texts;
  };
  fs::remove(file);
  fs::create_directory(file);  // where the file should go
  EXPECT_FALSE(core->CommitSettings());
  EXPECT_FALSE(core->CommitSettings());
  EXPECT_EQ(boxes(), std::vector<std::string>{told});

  fs::remove(file);
  EXPECT_TRUE(core->CommitSettings());
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_FALSE(core->CommitSettings());
  EXPECT_EQ(boxes(), (std::vector<std::string>{told, told}));
}

TEST_F(ApplicationCoreTest, ASessionThatCommittedNothingIsToldAtExitThatItsSettingsWereNotSaved) {
  auto core = Start();
  const fs::path file = Program() / "vindaxel.ini";
  fs::remove(file);
  fs::create_directory(file);
  vx::RestartRequest exit;
  EXPECT_FALSE(core->CommitSettings(exit));
  ASSERT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).size(), 1u);
  EXPECT_NE(vx::Cp932ToUtf8(ui.CallsOf(vx::UiCallKind::kMessageBox)[0].text)
                .find("に動作設定を保存できませんでした."),
            std::string::npos);
}

}  // namespace
