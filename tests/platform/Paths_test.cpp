#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using vx::ResolveCaseInsensitive;
using vxtest::WriteFileBytes;

TEST(ResolveCaseInsensitive, MatchesEachComponentAndPrefersTheExactName) {
  vxtest::TempDir dir;
  for (const char* file : {"pdata/0001.png", "Cut/MiXeD.Txt", "Data/x", "data/x", "in/f", "out"}) {
    fs::create_directories((dir / file).parent_path());
    WriteFileBytes(dir / file, file);
  }
  EXPECT_EQ(ResolveCaseInsensitive(dir.Path(), "PDATA/0001.PNG"), dir / "pdata/0001.png");
  EXPECT_EQ(ResolveCaseInsensitive(dir.Path(), "cut\\mixed.TXT"), dir / "Cut/MiXeD.Txt");
  EXPECT_EQ(ResolveCaseInsensitive(dir.Path(), "\\pdata//./0001.png"), dir / "pdata/0001.png");
  EXPECT_EQ(ResolveCaseInsensitive(dir.Path(), "data/X"), dir / "data/x");
  EXPECT_EQ(ResolveCaseInsensitive(dir.Path(), "Data/x"), dir / "Data/x");
  for (const char* missing : {"pdata/0002.png", "mdata/0001.png", "pdata/0001.png/more"})
    EXPECT_EQ(ResolveCaseInsensitive(dir.Path(), missing), std::nullopt) << missing;
  EXPECT_EQ(ResolveCaseInsensitive(dir / "in", "../out"), std::nullopt);
  EXPECT_EQ(ResolveCaseInsensitive(dir / "in", "..\\in\\f"), std::nullopt);
}

TEST(JoinPath, PutsExactlyOneSeparatorBetween) {
  EXPECT_EQ(vx::JoinPath("a//", "/b"), fs::path("a/b"));
  EXPECT_EQ(vx::JoinPath("a", "\\b/c"), fs::path("a/b/c"));
  EXPECT_EQ(vx::JoinPath("a/", ""), fs::path("a/"));
}

// Each test here owns the process environment; put back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserFolders, DocumentsAndDataHomeFollowTheXdgRules) {
  vxtest::TempDir home;
  ScopedEnv homeEnv("HOME", home.Path().c_str());
  ScopedEnv configEnv("XDG_CONFIG_HOME", nullptr);
  ScopedEnv documentsEnv("XDG_DOCUMENTS_DIR", "relative");
  ScopedEnv dataEnv("XDG_DATA_HOME", "not/absolute");
  EXPECT_EQ(vx::DocumentsFolder(), home / "Documents");
  EXPECT_EQ(vx::DataHomeFolder(), home / ".local/share");

  fs::create_directories(home / ".config");
  WriteFileBytes(home / ".config/user-dirs.dirs",
                 "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                 "XDG_DOCUMENTS_DIR=\"$HOME/\xe6\x96\x87\xe6\x9b\xb8\"\n");
  EXPECT_EQ(vx::DocumentsFolder(), home / "\xe6\x96\x87\xe6\x9b\xb8");
  ScopedEnv documents("XDG_DOCUMENTS_DIR", "/srv/docs");
  EXPECT_EQ(vx::DocumentsFolder(), fs::path("/srv/docs"));
}

}  // namespace
