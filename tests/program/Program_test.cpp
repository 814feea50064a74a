// The executable on the small sample catalogue: it starts offscreen, shows the first cut page,
// closes cleanly with its settings saved, and keeps to one instance per user and display.
#include <gtest/gtest.h>

#include <QImage>
#include <QLocalSocket>
#include <QTest>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/qt/SingleInstanceServer.h"
#include "tests/data/images/TestArchive.h"
#include "tests/program/SampleProfile.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds kRun{60000};
const std::string kDisplay = ":71";

// A profile folder with the sample catalogue's database and images, the user data kept there.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { vxtest::MakeSampleProfile(Profile()); }

  fs::path Profile() const { return root.Path() / "profile"; }
  std::string UserIni() const { return vxtest::ReadFileBytes(Profile() / "vindaxel.ini"); }

  // The program on the profile; `screenshot` set makes it save its window and close. Its X
  // display is only a name: the program draws offscreen.
  void Start(vxtest::ChildProcess& process, const std::vector<std::string>& arguments = {},
             const fs::path& screenshot = {}, const std::string& display = kDisplay,
             const std::string& platform = "offscreen") const {
    std::vector<std::string> environment{"VINDAXEL_PROGRAM_DIR=" + Profile().string(),
                                         "QT_QPA_PLATFORM=" + platform, "DISPLAY=" + display,
                                         "WAYLAND_DISPLAY"};
    if (!screenshot.empty()) environment.push_back("VINDAXEL_SCREENSHOT=" + screenshot.string());
    ASSERT_TRUE(process.Start(VX_PROGRAM, arguments, environment));
  }

  // Whether an instance answers on the user's socket of the display (without asking it anything).
  static bool InstanceListens() {
    QLocalSocket socket;
    socket.connectToServer(
        vx::SingleInstanceServer::NameFor(::getuid(), QString::fromStdString(kDisplay), {}));
    return socket.waitForConnected(200);
  }

  // Whether the window saved in `shot` shows a page: the page picture fills the middle of the
  // window, with many colours there.
  static bool ShowsAPage(const fs::path& shot) {
    const QImage picture(QString::fromStdString(shot.string()));
    if (picture.isNull()) return false;
    const QColor middle = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    int differing = 0;
    for (int y = picture.height() / 4; y < picture.height() * 3 / 4; y += 7) {
      for (int x = picture.width() / 4; x < picture.width() * 3 / 4; x += 7) {
        if (picture.pixelColor(x, y) != middle) ++differing;
      }
    }
    return differing > 100;
  }

  vxtest::TempDir root;
};

TEST_F(ProgramTest, ShowsTheFirstCutPageAndClosesCleanly) {
  const fs::path shot = root.Path() / "main.png";
  vxtest::ChildProcess program;
  Start(program, {}, shot);
  ASSERT_TRUE(program.WaitForExit(kRun));
  EXPECT_EQ(program.ExitCode(), 0) << program.Output();

  EXPECT_TRUE(ShowsAPage(shot));

  const std::string ini = UserIni();
  for (const char* line :
       {"[VQ96]", "LastSelPage=", "WndPosL.00008001=", "[CircleCutWindow]", "VQNumber96=96"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line;
  }
  EXPECT_FALSE(InstanceListens());
}

// A low-resolution cut archive whose end record places its directory past the end of any file:
// the program starts all the same, names the archive, and composes its pages from the other one.
TEST_F(ProgramTest, StartsPastADamagedCutArchiveAndNamesIt) {
  const fs::path archive = Profile() / "VQ96" / "V096CUTL.CCZ";
  constexpr std::uint64_t kTiB = std::uint64_t{1} << 40;
  vxtest::WriteFileBytes(
      archive, vxtest::WithZip64End(vxtest::ReadFileBytes(archive), {kTiB, 0 - kTiB + 10}));
  const fs::path shot = root.Path() / "main.png";
  vxtest::ChildProcess program;
  Start(program, {}, shot);
  ASSERT_TRUE(program.WaitForExit(kRun));
  ASSERT_TRUE(program.ExitedNormally()) << program.Output();
  EXPECT_EQ(program.ExitCode(), 0) << program.Output();
  EXPECT_NE(program.Output().find("V096CUTL.CCZ: damaged"), std::string::npos) << program.Output();
  EXPECT_TRUE(ShowsAPage(shot));
}

// On a first start on common screens every check colour button shows on the main window's bars,
// none folded away behind a bar's extension: the nine swatch colours are all on its top rows.
TEST_F(ProgramTest, EveryCheckColourShowsAtTheDefaultSize) {
  const QRgb swatches[] = {0xFF944A, 0xFF00FF, 0xFFF700, 0x00B54A, 0x00B5FF,
                           0x9C529C, 0x0000FF, 0x00FF00, 0xFF0000};
  for (const QSize screen : {QSize(1280, 1024), QSize(1366, 768)}) {
    fs::remove(Profile() / "vindaxel.ini");
    const fs::path config = root.Path() / "screen.json";
    vxtest::WriteFileBytes(config,
                           QStringLiteral(R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": %1,
            "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                               .arg(screen.width())
                               .arg(screen.height())
                               .toStdString());
    const fs::path shot = root.Path() / "bars.png";
    vxtest::ChildProcess program;
    Start(program, {}, shot, kDisplay, "offscreen:configfile=" + config.string());
    ASSERT_TRUE(program.WaitForExit(kRun));
    EXPECT_EQ(program.ExitCode(), 0) << program.Output();
    const QImage picture(QString::fromStdString(shot.string()));
    ASSERT_FALSE(picture.isNull());
    std::set<QRgb> seen;
    for (int y = 0; y < std::min(110, picture.height()); ++y) {
      for (int x = 0; x < picture.width(); ++x) seen.insert(picture.pixel(x, y) & 0xFFFFFF);
    }
    for (const QRgb colour : swatches) {
      EXPECT_TRUE(seen.count(colour)) << screen.width() << " " << std::hex << colour;
    }
  }
}

TEST_F(ProgramTest, SecondStartRaisesTheFirstAndEnds) {
  vxtest::ChildProcess first;
  Start(first);
  ASSERT_TRUE(QTest::qWaitFor([] { return InstanceListens(); }, static_cast<int>(kRun.count())))
      << first.Output();

  vxtest::ChildProcess second;
  Start(second);
  ASSERT_TRUE(second.WaitForExit(kRun));
  EXPECT_EQ(second.ExitCode(), 0) << second.Output();
  EXPECT_NE(second.Output().find("already running on this display"), std::string::npos);
  EXPECT_TRUE(first.IsRunning());

  // Another display is another desktop: the program runs there on its own.
  const fs::path elsewhere = root.Path() / "elsewhere.png";
  vxtest::ChildProcess other;
  Start(other, {}, elsewhere, "otherhost:3.0");
  ASSERT_TRUE(other.WaitForExit(kRun));
  EXPECT_EQ(other.ExitCode(), 0) << other.Output();
  EXPECT_TRUE(fs::exists(elsewhere));

  // A restart does not ask: it runs beside the ending instance and takes the socket over.
  const fs::path shot = root.Path() / "restarted.png";
  vxtest::ChildProcess restarted;
  Start(restarted, {"_reboot_"}, shot);
  ASSERT_TRUE(restarted.WaitForExit(kRun));
  EXPECT_EQ(restarted.ExitCode(), 0) << restarted.Output();
  EXPECT_TRUE(fs::exists(shot));

  first.Terminate();  // as a session ends: the window closes the usual way
  ASSERT_TRUE(first.WaitForExit(kRun));
  EXPECT_EQ(first.ExitCode(), 0) << first.Output();
  EXPECT_NE(UserIni().find("LastSelPage="), std::string::npos);
}

}  // namespace
