#include "ui/main/AboutDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>

#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/main/ControllerOnCatalog.h"
#include "tests/support/TempDir.h"
#include "ui/main/HostSystemInfo.h"

namespace {

TEST(AboutDialogTest, SystemInformationLinesInTheirOrder) {
  EXPECT_EQ(vx::AboutText(vx::Sjis("テスト96"), "Debian", 2048, "/usr/lib/libQt6Gui.so.6", "6.4.2",
                          "LICENCE"),
            vx::Sjis("データ : テスト96\r\nOS : Debian\r\nメモリ : 2048MBytes\r\n"
                     "Qt Path : /usr/lib/libQt6Gui.so.6\r\nQt Ver : 6.4.2\r\n\r\n"
                     "LICENCE"));
}

TEST(AboutDialogTest, ShowsTheEventTheTitleAndTheJsonLicence) {
  vxtest::ControllerOnCatalog catalog;
  vx::AboutDialog dialog(nullptr, catalog.controller);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "バージョン情報");
  EXPECT_EQ(vxtest::Control<QLabel>(&dialog, IDC_ABOUT_TITLE)->text().toStdString(),
            "ヴェラストレードCD-ROMロザーヴァンクイスト\nVersion 1.96.1");
  const std::string info =
      vxtest::Control<QPlainTextEdit>(&dialog, IDC_ABOUT_SYSTEM_INFO)->toPlainText().toStdString();
  EXPECT_EQ(info.rfind("データ : テスト96\nOS : ", 0), 0u) << info;
  EXPECT_NE(info.find("Qt Path : (不明)\nQt Ver : (不明)\n"), std::string::npos);
  EXPECT_NE(info.find("Copyright 2011-2014 Kazuho Oku"), std::string::npos);
  EXPECT_EQ(info.find('\r'), std::string::npos);
}

TEST(HostSystemInfoTest, NamesTheSystemAndTheGuiLibrary) {
  vxtest::TempDir dir;
  vxtest::WriteFileBytes(
      dir / "os-release",
      "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
  EXPECT_EQ(vx::ReadPrettyName(dir / "os-release"), "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(vx::ReadPrettyName(dir / "missing"), "");
  const vx::HostSystemInfo info(dir / "os-release");
  EXPECT_EQ(info.OsName().rfind("Debian GNU/Linux 12 (bookworm) (Linux ", 0), 0u);
  EXPECT_NE(info.GraphicsLibraryPath().find("libQt6Gui"), std::string::npos);
  EXPECT_EQ(info.GraphicsLibraryVersion().rfind("6.", 0), 0u);
  EXPECT_GT(vx::GetPhysicalMemoryMB(), 0);
}

}  // namespace
