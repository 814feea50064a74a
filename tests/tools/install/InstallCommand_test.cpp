#include "tools/install/InstallCommand.h"

#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/BrokenSampleDisc.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/support/TempDir.h"
#include "tools/install/DiscEvents.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void WriteEvent(const fs::path& folder, int eventNo, const std::string& prefix = "V") {
  const std::string n = std::to_string(eventNo);
  std::string definition = vxtest::kDefinitionText;
  definition.replace(definition.find("96\t"), 2, n);
  vxtest::WriteDiscFile(folder, prefix + n + "DEF.TXT", definition);
  vxtest::WriteDiscFile(folder, prefix + n + "MAP.TXT", vxtest::kLayoutText);
  vxtest::WriteDiscFile(folder, prefix + n + "ROM.TXT",
                        vxtest::CircleLine(1, 1, 1, "土", "Ａ", 1, 110, "one") +
                            vxtest::CircleLine(2, 1, 2, "日", "あ", 1, 220, "two"));
}

struct Outcome {
  int code = -1;
  std::string out, err;
};

Outcome RunTool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = vx::install::RunInstall(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(DiscEventsTest, FindsDefinitionFilesInTheFolderAndItsDataSubfolders) {
  EXPECT_EQ(vx::install::DefinitionFileEvent("V96DEF.TXT"), 96);
  EXPECT_EQ(vx::install::DefinitionFileEvent("v7def.txt"), 7);
  for (const char* other :
       {"V0DEF.TXT", "VDEF.TXT", "V96DEF.TXT.bak", "Vx6DEF.TXT", "V96MAP.TXT", "XV96DEF.TXT"}) {
    EXPECT_EQ(vx::install::DefinitionFileEvent(other), 0) << other;
  }
  vxtest::TempDir dir;
  const fs::path disc = dir / "disc";
  WriteEvent(disc, 96);
  WriteEvent(disc / "DATA96N", 96);
  WriteEvent(disc / "DATA95N", 95);
  WriteEvent(disc / "data97", 97, "v");
  WriteEvent(disc / "misc", 98);
  WriteEvent(disc / "DATAX", 99);
  std::vector<std::pair<int, fs::path>> found;
  for (const auto& event : vx::install::FindDiscEvents(disc))
    found.emplace_back(event.eventNo, event.folder);
  EXPECT_EQ(found, (std::vector<std::pair<int, fs::path>>{
                       {95, disc / "DATA95N"}, {96, disc}, {97, disc / "data97"}}));
  EXPECT_TRUE(vx::install::FindDiscEvents(dir / "missing").empty());
}

TEST(RunInstallTest, InstallsIntoANewScrambledFileAndReportsEachTable) {
  vxtest::TempDir dir;
  WriteEvent(dir / "disc" / "DATA96N", 96);
  fs::create_directories(dir / "out");
  const Outcome outcome = RunTool({(dir / "disc").string(), (dir / "out" / "catalog.db").string()});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  EXPECT_TRUE(outcome.out.starts_with("event 96 \"テストイベント\" installed from " +
                                      (dir / "disc" / "DATA96N").string()))
      << outcome.out;
  EXPECT_NE(outcome.out.find(
                "  PavorunBlock         5\n  PavorunGenre         2\n  PavorunJiko          1\n"
                "  PavorunLayout        4\n  PavorunCircle        2\n"),
            std::string::npos)
      << outcome.out;
  EXPECT_FALSE(vxtest::ReadFileBytes(dir / "out" / "catalog.db").starts_with("SQLite format 3"));
  vx::PavorunDatabase db(dir / "out", "catalog.db", vx::SqliteDatabase::kReadWrite);
  EXPECT_TRUE(db.IsScrambled());
  EXPECT_TRUE(db.HasCircles(96));
}

TEST(RunInstallTest, RefusalsNameTheirReasonAndLeaveNoEvent) {
  vxtest::TempDir dir;
  WriteEvent(dir / "two", 95);
  WriteEvent(dir / "two", 96);
  WriteEvent(dir / "broken", 96);
  fs::remove(dir / "broken" / "V96MAP.TXT");
  WriteEvent(dir / "mislabelled", 96);
  fs::rename(dir / "mislabelled" / "V96DEF.TXT", dir / "mislabelled" / "V94DEF.TXT");
  const std::string two = (dir / "two").string(), file = (dir / "c.db").string(),
                    usage = "usage: vindaxel-install";
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {{"a"}, 2, usage},
      {{"a", "b", "c"}, 2, usage},
      {{"a", "b", "--event"}, 2, usage},
      {{"a", "b", "--event", "0"}, 2, usage},
      {{"a", "b", "--quiet"}, 2, usage},
      {{(dir / "nothing").string(), file}, 1, "not a folder"},
      {{dir.Path().string(), file}, 1, "no V*DEF.TXT"},
      {{two, file}, 1, "holds events 95, 96: choose one with --event N"},
      {{"--event", "97", two, file}, 1, "holds no event 97 (it holds 95, 96)"},
      {{two, (dir / "no" / "c.db").string(), "--event", "95"}, 1, (dir / "no" / "c.db").string()},
      // Nobody is asked for the missing file.
      {{(dir / "broken").string(), file}, 1, "V96MAP.TXT を開けませんでした."},
      // It printed "event 94 ... installed" with no rows, after replacing event 96.
      {{(dir / "mislabelled").string(), file},
       1,
       "V94DEF.TXT: ヴェラストレード94 の設定情報ファイルではありません"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = RunTool(c.args);
    EXPECT_EQ(outcome.code, c.code) << c.message;
    EXPECT_EQ(outcome.out, "") << c.message;
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
  }
  const Outcome chosen = RunTool({two, "--event", "95", file});
  EXPECT_EQ(chosen.code, 0) << chosen.err;
  EXPECT_TRUE(chosen.out.starts_with("event 95 ")) << chosen.out;
  vx::PavorunDatabase db(dir.Path(), "c.db", vx::SqliteDatabase::kReadWrite);
  EXPECT_EQ(db.CountEvents(), 1) << "the failed install of event 96 left rows behind";
}

std::vector<std::string> FileNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The tool left a 0-byte database behind when an install into a new path failed, and installed
// these broken files over the event "with success".
TEST(RunInstallTest, BrokenDiscsLeaveNoNewFileAndAnInstalledDatabaseAsItWas) {
  vxtest::TempDir dir;
  const fs::path disc = dir / "disc", out = dir / "out";
  fs::create_directories(out);
  for (const vxtest::BrokenDiscFile& broken : vxtest::kBrokenDiscFiles) {
    vxtest::BreakSampleDisc(disc, broken);
    const Outcome outcome = RunTool({disc.string(), (out / "new.db").string()});
    EXPECT_EQ(outcome.code, 1) << broken.saved;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "vindaxel-install: event 96 from " + disc.string() + ": " +
                               vx::Cp932ToUtf8(vxtest::BrokenDiscRefusal(broken)) + "\n");
    EXPECT_TRUE(FileNames(out).empty()) << broken.saved;
  }
  vxtest::WriteSampleDisc(disc);
  ASSERT_EQ(RunTool({disc.string(), (out / "c.db").string()}).code, 0);
  const std::string installed = vxtest::ReadFileBytes(out / "c.db");
  for (const vxtest::BrokenDiscFile& broken : vxtest::kBrokenDiscFiles) {
    vxtest::BreakSampleDisc(disc, broken);
    EXPECT_EQ(RunTool({disc.string(), (out / "c.db").string()}).code, 1) << broken.saved;
    EXPECT_TRUE(vxtest::ReadFileBytes(out / "c.db") == installed) << broken.saved;
  }
  EXPECT_EQ(FileNames(out), std::vector<std::string>{"c.db"});
}

// A pipe was waited on, and a link to /dev/zero read without end; as the definition file, either
// was said to be no definition file at all.
TEST(RunInstallTest, PipesAndDeviceLinksAreRefusedUnread) {
  vxtest::TempDir dir;
  const fs::path disc = dir / "disc";
  const std::string notAFile = "通常のファイルではありません (パイプやデバイスは読み込めません).";
  const struct {
    const char* file;
    bool pipe;  // else a link to /dev/zero
  } cases[] = {
      {"V96MAP.TXT", false}, {"V96ROM.TXT", true}, {"V96DEF.TXT", true}, {"V96DEF.TXT", false}};
  for (const auto& c : cases) {
    fs::remove_all(disc);
    vxtest::WriteSampleDisc(disc);
    fs::remove(disc / c.file);
    if (c.pipe) {
      ASSERT_EQ(::mkfifo((disc / c.file).c_str(), 0600), 0);
    } else {
      fs::create_symlink("/dev/zero", disc / c.file);
    }
    const Outcome outcome = RunTool({disc.string(), (dir / "c.db").string()});
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.err, "vindaxel-install: event 96 from " + disc.string() + ": " + c.file +
                               ": " + notAFile + "\n");
    EXPECT_FALSE(fs::exists(dir / "c.db"));
  }
}

// The dialog warns of the lines it left out; the tool said nothing of them.
TEST(RunInstallTest, LinesLeftOutAreReportedAsTheDialogShowsThem) {
  vxtest::TempDir dir;
  const fs::path disc = dir / "disc";
  vxtest::WriteSampleDisc(disc);
  const std::string rows = vxtest::ReadFileBytes(disc / "V96ROM.TXT");
  vxtest::WriteFileBytes(disc / "V96ROM.TXT", "junk\r\n" + rows);
  const Outcome outcome = RunTool({disc.string(), (dir / "c.db").string()});
  EXPECT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_TRUE(outcome.out.starts_with("event 96 ")) << outcome.out;
  EXPECT_EQ(outcome.err,
            "次の行は読み込めなかったため、インストールされていません.\n\nV96ROM.TXT: "
            "読み込めない行が 1 行あります "
            "(行 1). 行 1: 列の数 (1) が 9 から 20 ではありません.\n\n");
}

}  // namespace
