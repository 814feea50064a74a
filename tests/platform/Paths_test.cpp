#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using vxtest::WriteFileBytes;

// Sets or clears an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class ResolveTest : public ::testing::Test {
 protected:
  void Make(const std::string& relative) {
    fs::create_directories((dir_ / relative).parent_path());
    WriteFileBytes(dir_ / relative, relative);
  }
  vxtest::TempDir dir_;
};

TEST_F(ResolveTest, MatchesEachComponentIgnoringCase) {
  Make("pdata/0001.png");
  Make("A/b");
  Make("Cut/MiXeD.Txt");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "PDATA/0001.PNG"), dir_ / "pdata/0001.png");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "a\\B"), dir_ / "A/b");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "cut\\mixed.TXT"), dir_ / "Cut/MiXeD.Txt");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "\\pdata//./0001.png"), dir_ / "pdata/0001.png");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "PDATA"), dir_ / "pdata");
}

TEST_F(ResolveTest, ExactNameWinsOverOtherCases) {
  Make("Data/x");
  Make("data/x");
  Make("dAtA/x");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "dAtA/x"), dir_ / "dAtA/x");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "Data/x"), dir_ / "Data/x");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "data/x"), dir_ / "data/x");
}

TEST_F(ResolveTest, AmbiguousMatchIsTheSameEveryTime) {
  Make("Ab/x");
  Make("aB/x");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "AB/x"), dir_ / "Ab/x");  // nothing all upper
}

TEST_F(ResolveTest, MissingComponentsGiveNothing) {
  Make("pdata/0001.png");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "pdata/0002.png"), std::nullopt);
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "mdata/0001.png"), std::nullopt);
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_.path(), "pdata/0001.png/more"), std::nullopt);
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_ / "absent", "pdata"), std::nullopt);
}

TEST_F(ResolveTest, NeverClimbsOutOfTheBase) {
  Make("inner/file");
  Make("outside");
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_ / "inner", "../outside"), std::nullopt);
  EXPECT_EQ(vx::ResolveCaseInsensitive(dir_ / "inner", "..\\inner\\file"), std::nullopt);
}

TEST(JoinPath, PutsExactlyOneSeparatorBetween) {
  EXPECT_EQ(vx::JoinPath("a", "b"), fs::path("a/b"));
  EXPECT_EQ(vx::JoinPath("a/", "b"), fs::path("a/b"));
  EXPECT_EQ(vx::JoinPath("a//", "/b"), fs::path("a/b"));
  EXPECT_EQ(vx::JoinPath("a", "\\b/c"), fs::path("a/b/c"));
  EXPECT_EQ(vx::JoinPath("/", "b"), fs::path("/b"));
  EXPECT_EQ(vx::JoinPath("", "b"), fs::path("b"));
  EXPECT_EQ(vx::JoinPath("a/", ""), fs::path("a/"));
}

TEST(ProgramFolder, IsTheExecutablesFolderUnlessOverridden) {
  {
    ScopedEnv unset("VINDAXEL_PROGRAM_DIR", nullptr);
    EXPECT_TRUE(fs::is_regular_file(vx::ProgramFolder() / "platform_tests"));
  }
  ScopedEnv overridden("VINDAXEL_PROGRAM_DIR", "/opt/vindaxel");
  EXPECT_EQ(vx::ProgramFolder(), fs::path("/opt/vindaxel"));
}

class UserFoldersTest : public ::testing::Test {
 protected:
  vxtest::TempDir home_;
  ScopedEnv home_env_{"HOME", home_.path().c_str()};
  ScopedEnv config_env_{"XDG_CONFIG_HOME", nullptr};
  ScopedEnv documents_env_{"XDG_DOCUMENTS_DIR", nullptr};
  ScopedEnv data_env_{"XDG_DATA_HOME", nullptr};
};

TEST_F(UserFoldersTest, DocumentsComeFromTheEnvironmentFirst) {
  ScopedEnv documents("XDG_DOCUMENTS_DIR", "/srv/docs");
  fs::create_directories(home_ / ".config");
  WriteFileBytes(home_ / ".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Other\"\n");
  EXPECT_EQ(vx::DocumentsFolder(), fs::path("/srv/docs"));
}

TEST_F(UserFoldersTest, DocumentsFromUserDirsExpandHome) {
  fs::create_directories(home_ / ".config");
  WriteFileBytes(home_ / ".config/user-dirs.dirs",
                 "# written by xdg-user-dirs-update\n"
                 "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                 "XDG_DOCUMENTS_DIR=\"$HOME/\xe6\x96\x87\xe6\x9b\xb8\"\n");
  EXPECT_EQ(vx::DocumentsFolder(), home_ / "\xe6\x96\x87\xe6\x9b\xb8");
}

TEST_F(UserFoldersTest, UserDirsFollowXdgConfigHomeAndTakeAbsolutePaths) {
  vxtest::TempDir config;
  ScopedEnv configHome("XDG_CONFIG_HOME", config.path().c_str());
  WriteFileBytes(config / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/data/my docs\"\n");
  EXPECT_EQ(vx::DocumentsFolder(), fs::path("/data/my docs"));
}

TEST_F(UserFoldersTest, DocumentsFallBackToHomeDocuments) {
  EXPECT_EQ(vx::DocumentsFolder(), home_ / "Documents");
  fs::create_directories(home_ / ".config");
  WriteFileBytes(home_ / ".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"relative/docs\"\n");
  EXPECT_EQ(vx::DocumentsFolder(), home_ / "Documents");
  ScopedEnv relative("XDG_DOCUMENTS_DIR", "relative");
  EXPECT_EQ(vx::DocumentsFolder(), home_ / "Documents");
}

TEST_F(UserFoldersTest, DataHomeFromTheEnvironmentElseLocalShare) {
  EXPECT_EQ(vx::DataHomeFolder(), home_ / ".local/share");
  {
    ScopedEnv data("XDG_DATA_HOME", "/var/lib/user");
    EXPECT_EQ(vx::DataHomeFolder(), fs::path("/var/lib/user"));
  }
  ScopedEnv relative("XDG_DATA_HOME", "not/absolute");
  EXPECT_EQ(vx::DataHomeFolder(), home_ / ".local/share");
}

}  // namespace
