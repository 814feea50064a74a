#include "tools/install/InstallCommand.h"

#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/support/TempDir.h"
#include "tools/install/DiscEvents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vx::install::DiscEvent;
using vx::install::FindDiscEvents;

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
  std::string out;
  std::string err;
};

Outcome RunTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  Outcome outcome;
  outcome.code = vx::install::RunInstall(args, out, err);
  outcome.out = out.str();
  outcome.err = err.str();
  return outcome;
}

TEST(DefinitionFileEvent, ReadsTheNumberOfDefinitionFileNamesOnly) {
  EXPECT_EQ(vx::install::DefinitionFileEvent("V96DEF.TXT"), 96);
  EXPECT_EQ(vx::install::DefinitionFileEvent("v7def.txt"), 7);
  for (const char* other : {"V0DEF.TXT", "VDEF.TXT", "V96DEF.TXT.bak", "Vx6DEF.TXT", "readme.txt",
                            "V96MAP.TXT", "XV96DEF.TXT"}) {
    EXPECT_EQ(vx::install::DefinitionFileEvent(other), 0) << other;
  }
}

TEST(FindDiscEvents, LooksInTheFolderAndItsDataSubfolders) {
  vxtest::TempDir dir;
  const fs::path disc = dir / "disc";
  WriteEvent(disc, 96);
  WriteEvent(disc / "DATA96N", 96);
  WriteEvent(disc / "DATA95N", 95);
  WriteEvent(disc / "data97", 97, "v");
  WriteEvent(disc / "misc", 98);
  WriteEvent(disc / "DATAX", 99);
  std::vector<std::pair<int, fs::path>> found;
  for (const DiscEvent& event : FindDiscEvents(disc)) found.push_back({event.eventNo, event.folder});
  const std::vector<std::pair<int, fs::path>> expected = {
      {95, disc / "DATA95N"}, {96, disc}, {97, disc / "data97"}};
  EXPECT_EQ(found, expected);
  EXPECT_TRUE(FindDiscEvents(dir / "missing").empty());
}

TEST(ParseInstallOptions, TakesTwoPathsAndAnOptionalEvent) {
  vx::install::InstallOptions options;
  std::string error;
  ASSERT_TRUE(vx::install::ParseInstallOptions({"disc", "--event", "97", "out.db"}, options, error));
  EXPECT_EQ(options.disc, fs::path("disc"));
  EXPECT_EQ(options.database, fs::path("out.db"));
  EXPECT_EQ(options.eventNo, 97);
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"disc"},
                                             {"disc", "a.db", "extra"},
                                             {"disc", "a.db", "--event"},
                                             {"disc", "a.db", "--event", "0"},
                                             {"disc", "a.db", "--event", "9x"},
                                             {"disc", "a.db", "--quiet"}}) {
    vx::install::InstallOptions ignored;
    EXPECT_FALSE(vx::install::ParseInstallOptions(bad, ignored, error)) << bad.back();
    EXPECT_FALSE(error.empty());
  }
}

TEST(RunInstall, InstallsIntoANewScrambledFileAndReportsEachTable) {
  vxtest::TempDir dir;
  WriteEvent(dir / "disc" / "DATA96N", 96);
  const fs::path file = dir / "out" / "catalog.db";
  fs::create_directories(file.parent_path());
  const Outcome outcome = RunTool({(dir / "disc").string(), file.string()});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  EXPECT_NE(outcome.out.find("event 96 \"テストイベント\" installed from " +
                             (dir / "disc" / "DATA96N").string()),
            std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("  PavorunBlock         5\n"), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("  PavorunCircle        2\n"), std::string::npos) << outcome.out;
  EXPECT_NE(vxtest::ReadFileBytes(file).substr(0, 15), "SQLite format 3");
  vx::PavorunDatabase db(file.parent_path(), "catalog.db", vx::SqliteDatabase::kReadWrite);
  EXPECT_TRUE(db.IsScrambled());
  EXPECT_TRUE(db.HasCircles(96));
}

TEST(RunInstall, SeveralEventsNeedTheEventOption) {
  vxtest::TempDir dir;
  WriteEvent(dir / "disc", 95);
  WriteEvent(dir / "disc", 96);
  const std::string file = (dir / "c.db").string();
  const Outcome refused = RunTool({(dir / "disc").string(), file});
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("holds events 95, 96: choose one with --event N"), std::string::npos)
      << refused.err;
  const Outcome unknown = RunTool({"--event", "97", (dir / "disc").string(), file});
  EXPECT_EQ(unknown.code, 1);
  EXPECT_NE(unknown.err.find("holds no event 97 (it holds 95, 96)"), std::string::npos);
  const Outcome chosen = RunTool({"--event", "95", (dir / "disc").string(), file});
  EXPECT_EQ(chosen.code, 0) << chosen.err;
  EXPECT_EQ(chosen.out.rfind("event 95 ", 0), 0u) << chosen.out;
}

TEST(RunInstall, MissingFileFailsWithoutAskingAndLeavesNoEvent) {
  vxtest::TempDir dir;
  WriteEvent(dir / "disc", 96);
  fs::remove(dir / "disc" / "V96MAP.TXT");
  const fs::path file = dir / "c.db";
  const Outcome outcome = RunTool({(dir / "disc").string(), file.string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.out, "");
  EXPECT_NE(outcome.err.find("V96MAP.TXT を開けませんでした."), std::string::npos) << outcome.err;
  vx::PavorunDatabase db(dir.path(), "c.db", vx::SqliteDatabase::kReadWrite);
  EXPECT_EQ(db.CountEvents(), 0);
}

TEST(RunInstall, BadArgumentsAndPathsAreErrors) {
  vxtest::TempDir dir;
  const Outcome usage = RunTool({"only-one"});
  EXPECT_EQ(usage.code, 2);
  EXPECT_NE(usage.err.find("usage: vindaxel-install"), std::string::npos);
  const Outcome notFolder = RunTool({(dir / "nothing").string(), (dir / "c.db").string()});
  EXPECT_EQ(notFolder.code, 1);
  EXPECT_NE(notFolder.err.find("not a folder"), std::string::npos);
  const Outcome empty = RunTool({dir.path().string(), (dir / "c.db").string()});
  EXPECT_EQ(empty.code, 1);
  EXPECT_NE(empty.err.find("no V*DEF.TXT"), std::string::npos);
  WriteEvent(dir / "disc", 96);
  const Outcome noFolder = RunTool({(dir / "disc").string(), (dir / "no" / "c.db").string()});
  EXPECT_EQ(noFolder.code, 1);
  EXPECT_NE(noFolder.err.find((dir / "no" / "c.db").string()), std::string::npos);
}

}  // namespace
