// The print commands in the running program, on the small sample catalogue, as run-sample.sh
// makes it: the program's folder is the profile and holds no layout file.
#include "program/PrintCommands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImageReader>
#include <QMessageBox>
#include <QPointer>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <cstring>
#include <functional>

#include "app/ApplicationCore.h"
#include "app/CatalogController.h"
#include "app/SettingsPath.h"
#include "app/SettingsValues.h"
#include "print/PrintJob.h"
#include "program/VindaxelApplication.h"
#include "res/ResourceIds.h"
#include "tests/program/BoxAnswers.h"
#include "tests/program/OnShow.h"
#include "tests/program/SampleProfile.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/main/MainWindow.h"
#include "ui/print/ImageOutputDialog.h"
#include "ui/print/PrintDialog.h"
#include "ui/print/PrintPreviewDialog.h"
#include "ui/print/PrintSettingsSheet.h"

namespace {

namespace fs = std::filesystem;

void Click(QWidget* dialog, int id) {
  if (auto* button = vxtest::Control<QPushButton>(dialog, id)) button->click();
}

class PrintCommandsTest : public vxtest::SampleProgramTest {
 protected:
  // Image output of the settings' kind into `folder`, OK pressed in the dialog.
  static void OutputImages(vx::VindaxelApplication& program, const fs::path& folder, int format) {
    vx::PrintSettings& settings = program.GetCore()->Values().print;
    vx::StoreSettingsPath(settings.bmpOutPath, vx::SettingsPathText(folder));
    std::strcpy(settings.bmpOutFile, "page");
    settings.bmpOutFormat = format;
    settings.bmpOutSize = 300;
    vxtest::OnShow<vx::ImageOutputDialog> ok(
        [](vx::ImageOutputDialog* dialog) { Click(dialog, IDOK); });
    EXPECT_TRUE(program.GetMainWindow()->RunCommand(ID_IMAGE_OUTPUT));
  }

  static int LongSide(const fs::path& image) {
    const QSize size = QImageReader(QString::fromStdString(image.string())).size();
    return std::max(size.width(), size.height());
  }
};

// Blank maps need no checklist: every page of the event's maps becomes a PNG file.
TEST_F(PrintCommandsTest, ImageOutputWritesEveryPageOfTheBlankMaps) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  program.GetCore()->Values().print.mode = 3;
  vxtest::BoxAnswers boxes;
  OutputImages(program, out.Path(), vx::kImagePng);
  EXPECT_EQ(LongSide(out / "page001.png"), 300);
  EXPECT_TRUE(fs::exists(out / "page002.png"));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("枚の画像ファイルを出力しました。"), std::string::npos);
}

// The list of checked circles goes to image files with the layout built into the program; the
// folder, inside the profile, is kept relative to it and named in the end message.
TEST_F(PrintCommandsTest, AListOfCheckedCirclesBecomesImageFilesWithoutALayoutFile) {
  ASSERT_FALSE(fs::exists(root / "vpr.ini"));
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  vx::CatalogController& controller = *program.GetCore()->Controller();
  for (int id = 1; id <= 60; ++id) controller.SetCircleColor(1 + id % 9, id);
  ASSERT_EQ(controller.GetCircleColor(60), 7);
  program.GetCore()->Values().print.mode = 0;
  vxtest::BoxAnswers boxes;
  const fs::path folder = root / "images";
  OutputImages(program, folder, vx::kImagePng);
  EXPECT_EQ(LongSide(folder / "page001.png"), 300);
  EXPECT_TRUE(fs::exists(folder / "page002.png"));
  EXPECT_EQ(std::string(program.GetCore()->Values().print.bmpOutPath), "images/");
  // The folder is created after a yes; the end names it; no layout error on the way.
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_NE(boxes.texts[0].find("は存在しません"), std::string::npos);
  EXPECT_EQ(boxes.texts[1], "2 枚の画像ファイルを出力しました。\n出力先: " + folder.string() + "/");
}

// Images go into the folder exactly as chosen, though the settings' Shift-JIS cannot hold its
// name; the next run still names that folder. U+301C came back as U+FF5E, and the images went
// into a folder of that other name.
TEST_F(PrintCommandsTest, ImagesGoIntoTheFolderAsChosenInThisRunAndTheNext) {
  const fs::path folder = root / "出力〜テスト";
  {
    vx::VindaxelApplication program({});
    ASSERT_TRUE(program.Start());
    program.GetCore()->Values().print.mode = 3;
    vxtest::BoxAnswers boxes;
    OutputImages(program, folder, vx::kImagePng);
    EXPECT_TRUE(fs::exists(folder / "page001.png"));
    EXPECT_FALSE(fs::exists(root / "出力～テスト"));
  }
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(vx::PathOfSettingsText(program.GetCore()->Values().print.bmpOutPath), "出力〜テスト/");
}

// The print dialog's preview and detailed settings buttons open the preview and the sheet; the
// help buttons of both dialogs say what the help menu says.
TEST_F(PrintCommandsTest, ThePrintDialogOpensThePreviewAndTheSettingsSheet) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  program.GetCore()->Values().print.mode = 3;
  vxtest::Watchdog watchdog;
  int previews = 0;
  int sheets = 0;
  vxtest::OnShow<vx::PrintPreviewDialog> closePreview([&](vx::PrintPreviewDialog* preview) {
    ++previews;
    preview->reject();
  });
  vxtest::OnShow<vx::PrintSettingsSheet> closeSheet([&](vx::PrintSettingsSheet* sheet) {
    ++sheets;
    sheet->reject();
  });
  vxtest::OnShow<vx::PrintDialog> useDialog([](vx::PrintDialog* dialog) {
    Click(dialog, 1052);  // returns once the preview has closed
    Click(dialog, 1051);
    Click(dialog, 1642);
    Click(dialog, IDCANCEL);
  });
  vxtest::BoxAnswers boxes;
  EXPECT_TRUE(program.GetMainWindow()->RunCommand(ID_PRINT));
  EXPECT_EQ(previews, 1);
  EXPECT_EQ(sheets, 1);
  vxtest::OnShow<vx::ImageOutputDialog> help([](vx::ImageOutputDialog* dialog) {
    Click(dialog, 1646);
    Click(dialog, IDCANCEL);
  });
  EXPECT_TRUE(program.GetMainWindow()->RunCommand(ID_IMAGE_OUTPUT));
  EXPECT_EQ(boxes.texts,
            std::vector<std::string>(2, "このプログラムにはマニュアル（ヘルプ）がありません。"));
}

// What the print dialog, the sheet it opens and the image output dialog change reaches the
// settings file when each closes, not only at the end of the run.
TEST_F(PrintCommandsTest, PrintSettingsAreWrittenWhenTheirDialogsClose) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  program.GetCore()->Values().print.mode = 0;
  const auto written = [this](const std::string& line) {
    return vxtest::ReadFileBytes(root / "vindaxel.ini").find(line + "\r\n") != std::string::npos;
  };
  vxtest::Watchdog watchdog;
  bool modeWrittenBySheet = false;
  vxtest::OnShow<vx::PrintSettingsSheet> blankMapPage([](vx::PrintSettingsSheet* sheet) {
    sheet->Tabs()->setCurrentIndex(3);
    sheet->accept();
  });
  vxtest::OnShow<vx::PrintDialog> useDialog([&](vx::PrintDialog* dialog) {
    Click(dialog, 1051);
    modeWrittenBySheet = written("Mode=3");
    vxtest::Control<QCheckBox>(dialog, 1042)->click();
    Click(dialog, IDCANCEL);
  });
  EXPECT_TRUE(program.GetMainWindow()->RunCommand(ID_PRINT));
  EXPECT_TRUE(modeWrittenBySheet);
  EXPECT_TRUE(written("BMPPrint=1"));

  vxtest::OnShow<vx::ImageOutputDialog> chooseJpeg([](vx::ImageOutputDialog* dialog) {
    vxtest::Control<QComboBox>(dialog, 1751)->setCurrentIndex(vx::kImageJpeg);
    Click(dialog, IDCANCEL);
  });
  EXPECT_TRUE(program.GetMainWindow()->RunCommand(ID_IMAGE_OUTPUT));
  EXPECT_TRUE(written("BMPOutFormat=" + std::to_string(vx::kImageJpeg)));
}

}  // namespace
