// The print commands in the running program, on the small sample catalogue.
#include "program/PrintCommands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <functional>

#include "app/ApplicationCore.h"
#include "app/SettingsValues.h"
#include "print/PrintJob.h"
#include "program/VindaxelApplication.h"
#include "res/ResourceIds.h"
#include "tests/program/SampleProfile.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/main/MainWindow.h"
#include "ui/print/ImageOutputDialog.h"
#include "ui/print/PrintDialog.h"
#include "ui/print/PrintPreviewDialog.h"
#include "ui/print/PrintSettingsSheet.h"

namespace {

namespace fs = std::filesystem;

using PrintCommandsTest = vxtest::SampleProgramTest;

// Blank maps need no checklist: every page of the event's maps becomes a PNG file.
TEST_F(PrintCommandsTest, ImageOutputWritesEveryPageOfTheBlankMaps) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  ChooseBlankMapImages(program.core()->values().print);
  std::vector<std::string> boxes;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (!window->isVisible()) continue;
      if (auto* box = qobject_cast<QMessageBox*>(window)) {
        boxes.push_back(box->text().toStdString());
        box->defaultButton() ? box->defaultButton()->click() : box->reject();
      } else if (qobject_cast<vx::ImageOutputDialog*>(window)) {
        for (auto* button : window->findChildren<QPushButton*>()) {
          if (button->property("controlId").toInt() == IDOK) button->click();
        }
      }
    }
  });
  answer.start(10);
  EXPECT_TRUE(program.mainWindow()->RunCommand(ID_IMAGE_OUTPUT));
  answer.stop();
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  QImageReader first(QString::fromStdString((out / "map001.png").string()));
  EXPECT_EQ(std::max(first.size().width(), first.size().height()), 300);
  EXPECT_TRUE(fs::exists(out / "map002.png"));
}

// Calls `act` with the modal window of type T once it shows, polling with fresh timers.
template <class T>
void WhenModal(std::function<void(T*)> act) {
  QTimer::singleShot(20, [act] {
    if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
      act(window);
    } else {
      WhenModal<T>(act);
    }
  });
}

void Click(QWidget* dialog, int id) {
  if (auto* button = vxtest::Control<QPushButton>(dialog, id)) button->click();
}

// The print dialog's preview and detailed settings buttons open the preview and the sheet.
TEST_F(PrintCommandsTest, ThePrintDialogOpensThePreviewAndTheSettingsSheet) {
  vx::VindaxelApplication program({});
  ASSERT_TRUE(program.Start());
  program.core()->values().print.mode = 3;
  vxtest::Watchdog watchdog;
  bool previewed = false;
  bool sheetShown = false;
  WhenModal<vx::PrintDialog>([&](vx::PrintDialog* dialog) {
    WhenModal<vx::PrintPreviewDialog>([&](vx::PrintPreviewDialog* preview) {
      previewed = true;
      preview->reject();
    });
    Click(dialog, 1052);
    WhenModal<vx::PrintSettingsSheet>([&](vx::PrintSettingsSheet* sheet) {
      sheetShown = true;
      sheet->reject();
    });
    Click(dialog, 1051);
    Click(dialog, IDCANCEL);
  });
  EXPECT_TRUE(program.mainWindow()->RunCommand(ID_PRINT));
  EXPECT_TRUE(previewed);
  EXPECT_TRUE(sheetShown);
}

}  // namespace
