#include "data/InstallSource.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using vx::InstallSource;
using vx::Sjis;

TEST(InstallSourceTest, FileNameDecidesTheKindOfSource) {
  const std::string database = Sjis("ロザーヴァンクイストDBファイル");
  const std::string unknown = Sjis("不明な設定情報ファイル");
  const struct {
    std::string name;
    int source;
    std::string kindText;
  } cases[] = {
      {"vindaxel96.db", InstallSource::kDatabaseFile, database},
      {"VinDaxel.bak", InstallSource::kDatabaseFile, database},
      {"v97def.txt", 97, Sjis("ヴェラストレード97 設定情報ファイル")},
      {"V105DEF.TXT", 105, Sjis("ヴェラストレード105 設定情報ファイル")},
      {"v0def.txt", InstallSource::kUnknown, unknown},
      {"vdef.txt", InstallSource::kUnknown, unknown},
      {"v97def.txt.bak", InstallSource::kUnknown, unknown},
      {"v9999999999def.txt", InstallSource::kUnknown, unknown},
      {"readme.txt", InstallSource::kUnknown, unknown},
      {Sjis("Ｖ97DEF.TXT"), InstallSource::kUnknown, unknown},
  };
  for (const auto& c : cases) {
    const InstallSource source = vx::ClassifyInstallSource(c.name);
    EXPECT_EQ(source.source, c.source) << c.name;
    EXPECT_EQ(source.kindText, c.kindText) << c.name;
    EXPECT_EQ(source.CanInstall(), c.source != InstallSource::kUnknown) << c.name;
  }
}

}  // namespace
