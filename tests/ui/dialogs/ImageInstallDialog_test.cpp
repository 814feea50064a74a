#include "ui/dialogs/ImageInstallDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using vxtest::Boxes;
using vxtest::Control;
using Texts = std::vector<std::string>;

// The picture files under `folder`, relative to it, sorted.
std::vector<fs::path> Pictures(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".PNG" || extension == ".CCZ") {
      files.push_back(entry.path().lexically_relative(folder));
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

class ImageInstallDialogTest : public ::testing::Test {
 protected:
  // Runs the dialog with `actions` done inside its modal loop.
  void Run(const std::vector<int>& storedEvents, const std::function<void(QWidget&)>& actions) {
    vxtest::Watchdog watchdog;
    vx::ImageInstallDialog dialog(nullptr, ui,
                                  {images, storedEvents, 96, [this] { ++imagesReleased; }});
    QTimer::singleShot(0, &dialog, [&] {
      actions(dialog);
      Control<QPushButton>(&dialog, IDOK)->click();
    });
    EXPECT_EQ(dialog.DoModal(), 1);
  }
  static std::vector<int> Installed(const QWidget& dialog) {
    const auto* list = Control<QTreeWidget>(&dialog, IDC_IMAGE_INSTALLED_LIST);
    std::vector<int> events;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      events.push_back(list->topLevelItem(i)->data(0, Qt::UserRole).toInt());
    }
    return events;
  }

  vxtest::TempDir dir;
  fs::path images = dir / "images";
  vx::ScriptedUiServices ui;
  int imagesReleased = 0;
};

TEST_F(ImageInstallDialogTest, InstallsFromTheDiscsSubfolderNeverOntoItselfAndDeletes) {
  const fs::path disc = dir / "disc";
  const char* buildDir = std::getenv("VX_BUILD_DIR");
  ASSERT_NE(buildDir, nullptr) << "run through ctest, which names the build folder";
  const std::string generator = std::string(buildDir) +
                                "/tools/sample-disc/vindaxel-sample-disc --out " + disc.string() +
                                " --layout subdir > /dev/null";
  ASSERT_EQ(std::system(generator.c_str()), 0);
  fs::create_directories(images);
  fs::create_directory_symlink(images / "VQ96", dir / "installed-link");
  ui.QueuePath(dir / "no-such-drive");
  ui.QueueAnswer(IDOK);
  ui.QueuePath(dir.Path());
  ui.QueueAnswer(IDOK);
  ui.QueuePath(disc);
  ui.QueueAnswer(IDYES);
  ui.QueuePath(dir / "installed-link");
  ui.QueueAnswer(IDYES);

  Run({96}, [&](QWidget& dialog) {
    QPushButton* install = Control<QPushButton>(&dialog, IDC_IMAGE_INSTALL);
    EXPECT_EQ(Installed(dialog), std::vector<int>{});
    install->click();
    EXPECT_EQ(Installed(dialog), std::vector<int>{96});
    const std::vector<fs::path> copied = Pictures(images / "VQ96");
    EXPECT_EQ(copied, Pictures(disc / "DATA96N"));
    EXPECT_GT(copied.size(), 40u);
    // Choosing the installed folder (here through a link) copies nothing: its files stay.
    fs::create_hard_link(images / "VQ96" / "V096CUTL.CCZ", dir / "witness");
    install->click();
    EXPECT_EQ(fs::hard_link_count(dir / "witness"), 2u);

    auto* list = Control<QTreeWidget>(&dialog, IDC_IMAGE_INSTALLED_LIST);
    list->setCurrentItem(list->topLevelItem(0));
    Control<QPushButton>(&dialog, IDC_IMAGE_DELETE)->click();
    EXPECT_EQ(Installed(dialog), std::vector<int>{});
  });
  EXPECT_EQ(imagesReleased, 1);
  EXPECT_FALSE(fs::exists(images / "VQ96"));
  EXPECT_EQ(Boxes(ui),
            (Texts{"エラー|有効なドライブを指定してください.",
                   "エラー|CD-ROMロザーヴァンクイスト用画像データが見つかりません.\n"
                   "正しい場所を指定してください.",
                   "再インストールの確認|ヴェラストレード96の画像データは、既に追加インストール"
                   "されています.\n上書きで再インストールしますか？",
                   "画像データの削除|ヴェラストレード96の画像データを、ハードディスクから削除"
                   "します.\nよろしいですか？"}));
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(ImageInstallDialogTest, InstallIsOffWithoutAStoredEvent) {
  Run({}, [&](QWidget& dialog) {
    EXPECT_EQ(Control<QComboBox>(&dialog, IDC_IMAGE_EVENT_COMBO)->count(), 0);
    EXPECT_FALSE(Control<QPushButton>(&dialog, IDC_IMAGE_INSTALL)->isEnabled());
  });
}

// Return is OK, the default button, wherever the focus starts; it installs nothing.
TEST_F(ImageInstallDialogTest, ReturnPressesOkNotInstall) {
  bool ended = false;
  Run({96}, [&](QWidget& dialog) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_NE(dialog.focusWidget(), nullptr);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    ended = !dialog.isVisible();
  });
  EXPECT_TRUE(ended);
  EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kFolderDialog).empty());
}

}  // namespace
