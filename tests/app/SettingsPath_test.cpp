#include "app/SettingsPath.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"

namespace {

namespace fs = std::filesystem;

const std::string kMark = "\xEF\xBB\xBF";

// Every path reads back as it was; one that CP932 holds exactly is kept as plain CP932, any other
// as marked UTF-8. The wave dash U+301C and "é" used to come back as U+FF5E and "?".
TEST(SettingsPath, EveryPathReadsBackAsItWasAndShiftJisPathsStayShiftJis) {
  const struct {
    std::string path;
    bool plain;
  } cases[] = {
      {"/home/u/images/", true},
      {"/home/u/出力～テスト/", true},   // U+FF5E: CP932 0x8160
      {"/home/u/出力〜テスト/", false},  // U+301C, as input methods type it
      {"/home/u/Café/", false},
      {"/home/u/①表ソ/", true},     // NEC row 13; second bytes of 0x5C
      {"/home/u/ﾃｽ", false},        // its CP932 bytes, C3 BD, would read as UTF-8 "ý"
      {"/data/\xE9t\xE9/", false},  // a Latin-1 name, not UTF-8 at all
      {"", true},
  };
  for (const auto& c : cases) {
    const std::string text = vx::SettingsPathText(fs::path(c.path));
    EXPECT_EQ(vx::PathOfSettingsText(text).native(), c.path) << c.path;
    EXPECT_EQ(text, c.plain ? vx::Utf8ToCp932(c.path) : kMark + c.path) << c.path;
  }
}

// Older versions wrote the recent files and the checklist folder as UTF-8 without a mark; read
// now, they name the same paths. Plain CP932, ASCII and marked values are taken as they stand.
TEST(SettingsPath, ValuesOfOlderVersionsNameTheSamePaths) {
  const std::string cases[] = {"/home/u/チェック.csv", "/home/u/Café/", "/tmp/list.csv"};
  for (const std::string& path : cases) {
    EXPECT_EQ(vx::PathOfSettingsText(vx::SettingsPathTextOfOlderValue(path)).native(), path);
  }
  for (const std::string& kept : {vx::Utf8ToCp932("/home/u/チェック.csv"), kMark + "/x/é"}) {
    EXPECT_EQ(vx::SettingsPathTextOfOlderValue(kept), kept);
  }
}

TEST(SettingsPath, APathThatDoesNotFitItsFieldLeavesItAsItWas) {
  char field[8] = "old";
  EXPECT_FALSE(vx::StoreSettingsPath(field, "12345678"));
  EXPECT_EQ(vx::SettingsFieldText(field), "old");
  EXPECT_TRUE(vx::StoreSettingsPath(field, "1234567"));
  EXPECT_EQ(vx::SettingsFieldText(field), "1234567");
}

}  // namespace
