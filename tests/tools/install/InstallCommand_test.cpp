#include "tools/install/InstallCommand.h"

#include "data/PavorunDatabase.h"
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
  for (const char* other : {"V0DEF.TXT", "VDEF.TXT", "V96DEF.TXT.bak", "Vx6DEF.TXT", "V96MAP.TXT", "XV96DEF.TXT"}) {
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
  for (const auto& event : vx::install::FindDiscEvents(disc)) found.emplace_back(event.eventNo, event.folder);
  EXPECT_EQ(found, (std::vector<std::pair<int, fs::path>>{{95, disc / "DATA95N"}, {96, disc}, {97, disc / "data97"}}));
  EXPECT_TRUE(vx::install::FindDiscEvents(dir / "missing").empty());
}

TEST(RunInstallTest, InstallsIntoANewScrambledFileAndReportsEachTable) {
  vxtest::TempDir dir;
  WriteEvent(dir / "disc" / "DATA96N", 96);
  const fs::path file = dir / "out" / "catalog.db";
  fs::create_directories(file.parent_path());
  const Outcome outcome = RunTool({(dir / "disc").string(), file.string()});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  for (const std::string& part : {"event 96 \"テストイベント\" installed from " + (dir / "disc" / "DATA96N").string(),
                                  std::string("  PavorunBlock         5\n"), std::string("  PavorunCircle        2\n")}) {
    EXPECT_NE(outcome.out.find(part), std::string::npos) << outcome.out;
  }
  EXPECT_NE(vxtest::ReadFileBytes(file).substr(0, 15), "SQLite format 3");
  vx::PavorunDatabase db(file.parent_path(), "catalog.db", vx::SqliteDatabase::kReadWrite);
  EXPECT_TRUE(db.IsScrambled());
  EXPECT_TRUE(db.HasCircles(96));
}

TEST(RunInstallTest, SeveralEventsNeedTheEventOption) {
  vxtest::TempDir dir;
  WriteEvent(dir / "disc", 95);
  WriteEvent(dir / "disc", 96);
  const std::string disc = (dir / "disc").string(), file = (dir / "c.db").string();
  const Outcome refused = RunTool({disc, file});
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("holds events 95, 96: choose one with --event N"), std::string::npos) << refused.err;
  const Outcome unknown = RunTool({"--event", "97", disc, file});
  EXPECT_EQ(unknown.code, 1);
  EXPECT_NE(unknown.err.find("holds no event 97 (it holds 95, 96)"), std::string::npos) << unknown.err;
  const Outcome chosen = RunTool({disc, "--event", "95", file});
  EXPECT_EQ(chosen.code, 0) << chosen.err;
  EXPECT_EQ(chosen.out.rfind("event 95 ", 0), 0u) << chosen.out;
}

TEST(RunInstallTest, MissingFileFailsWithoutAskingAndLeavesNoEvent) {
  vxtest::TempDir dir;
  WriteEvent(dir / "disc", 96);
  fs::remove(dir / "disc" / "V96MAP.TXT");
  const Outcome outcome = RunTool({(dir / "disc").string(), (dir / "c.db").string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.out, "");
  EXPECT_NE(outcome.err.find("V96MAP.TXT を開けませんでした."), std::string::npos) << outcome.err;
  vx::PavorunDatabase db(dir.path(), "c.db", vx::SqliteDatabase::kReadWrite);
  EXPECT_EQ(db.CountEvents(), 0);
}

TEST(RunInstallTest, BadArgumentsAndPathsAreErrors) {
  vxtest::TempDir dir;
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"disc"}, {"disc", "a.db", "extra"}, {"disc", "a.db", "--event"}, {"disc", "a.db", "--event", "0"},
           {"disc", "a.db", "--event", "9x"}, {"disc", "a.db", "--quiet"}}) {
    const Outcome usage = RunTool(bad);
    EXPECT_EQ(usage.code, 2) << bad.back();
    EXPECT_NE(usage.err.find("usage: vindaxel-install"), std::string::npos) << bad.back();
  }
  WriteEvent(dir / "disc", 96);
  const std::pair<fs::path, std::string> cases[] = {
      {dir / "nothing", "not a folder"}, {dir.path(), "no V*DEF.TXT"}, {dir / "disc", (dir / "no" / "c.db").string()}};
  for (const auto& [disc, message] : cases) {
    const Outcome outcome = RunTool({disc.string(), (dir / "no" / "c.db").string()});
    EXPECT_EQ(outcome.code, 1) << disc;
    EXPECT_NE(outcome.err.find(message), std::string::npos) << outcome.err;
  }
}

}  // namespace
