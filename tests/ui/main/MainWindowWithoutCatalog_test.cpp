// A damaged or empty catalogue opened the main window on page "0" with empty drop-downs and every
// command offered. The window says there is nothing to show, in the page's place, and offers
// nothing that needs a catalogue; installing one stays offered.
#include "ui/main/MainWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>

#include <memory>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "app/ControllerWindow.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/main/CommandItems.h"
#include "tests/ui/main/ControllerOnCatalog.h"
#include "tests/ui/main/ControllerOnFolder.h"
#include "ui/main/MainStatusBar.h"
#include "ui/menus/CommandActions.h"
#include "ui/views/CutPageView.h"

namespace {

namespace fs = std::filesystem;

using vxtest::ItemEnabled;

// Dark pixels of the text drawn on a light background.
int DarkPixels(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  int dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 96;
  }
  return dark;
}

const int kClosedCommands[] = {ID_NEXT_PAGE,      ID_PAGE_JUMP,      ID_SEARCH,       ID_PRINT,
                               ID_CHECKLIST_OPEN, ID_CHECKLIST_SAVE, ID_BOOKMARK_ADD, ID_ZOOM_IN,
                               ID_EDIT_MEMO,      ID_UPDATE_FROM_NET};
const int kOpenCommands[] = {ID_SETTINGS, ID_IMAGE_DATA, ID_APP_EXIT, ID_ANTI_ALIAS};

class MainWindowWithoutCatalogTest : public ::testing::Test, protected vxtest::ControllerOnFolder {
 protected:
  // A window on the database in `dir`, as start-up leaves it.
  void Open() {
    OpenDatabase();
    window = std::make_unique<vx::MainWindow>(controller);
    window->SetApplicationCommands(&application);
    window->resize(800, 600);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void ExpectNothingOffered() {
    vx::MainStatusBar* status = window->Status();
    EXPECT_EQ(status->PageBox()->text(), QString());
    for (QWidget* control :
         {static_cast<QWidget*>(status->PageBox()), static_cast<QWidget*>(status->Slider()),
          static_cast<QWidget*>(status->PrevButton()), static_cast<QWidget*>(status->NextButton()),
          static_cast<QWidget*>(window->ZoomBox())}) {
      EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
    }
    for (int list = 0; list < vx::JumpToolBar::kListCount; ++list) {
      EXPECT_FALSE(window->JumpBar()->Combo(static_cast<vx::JumpToolBar::List>(list))->isEnabled());
    }
    for (int id : kClosedCommands) EXPECT_FALSE(ItemEnabled(*window, id)) << id;
    for (int id : kOpenCommands) EXPECT_TRUE(ItemEnabled(*window, id)) << id;
    // The accelerators do nothing either.
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(window->RunCommand(ID_NEXT_PAGE));
    EXPECT_TRUE(application.run.empty());
    // A dropped file is not opened as a checklist either.
    EXPECT_FALSE(vxtest::DropMissingFile(*window));
    EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kMessageBox).empty());
    // The notice stands where the page would be, drawn.
    EXPECT_FALSE(window->View()->isVisible());
    ASSERT_TRUE(window->CatalogNotice()->isVisible());
    EXPECT_GT(DarkPixels(*window->CatalogNotice()), 100);
  }
  std::string Notice() const { return window->CatalogNotice()->text().toStdString(); }

  vxtest::RecordingCommands application;
  std::unique_ptr<vx::MainWindow> window;
};

TEST_F(MainWindowWithoutCatalogTest, AnEmptyCatalogueAsksForAnInstallAndOffersOnlyThat) {
  Open();
  ExpectNothingOffered();
  EXPECT_EQ(
      Notice(),
      "表示できるサークルデータがありません.\n\nツールメニューの「サークルデータの追加・削除」"
      "から、ディスクの設定情報ファイル (V96DEF.TXT) をインストールしてください.");
  EXPECT_TRUE(ItemEnabled(*window, ID_CIRCLE_DATA));
  EXPECT_TRUE(window->RunCommand(ID_CIRCLE_DATA));
  EXPECT_EQ(application.run, std::vector<int>{ID_CIRCLE_DATA});
}

TEST_F(MainWindowWithoutCatalogTest, ADamagedCatalogueIsNamedAndNothingWritesIntoIt) {
  {
    vx::PavorunDatabase sound(dir.Path());
    vxtest::BuildControllerCatalog(sound);
  }
  const fs::path file = dir / vx::PavorunDatabase::kFileName;
  // Half a page more than its pages: it opens, and is known as damaged.
  const std::string damaged = vxtest::ReadFileBytes(file) + std::string(512, '\x55');
  vxtest::WriteFileBytes(file, damaged);
  Open();
  ASSERT_TRUE(db->IsOpen() && db->IsDamaged());
  ExpectNothingOffered();
  EXPECT_EQ(Notice(),
            "表示できるサークルデータがありません.\n\nデータベースファイル\n" + file.string() +
                "\nが壊れています.\nプログラムを起動し直すと、ディスクからインストールし直せます.");
  EXPECT_FALSE(ItemEnabled(*window, ID_CIRCLE_DATA));
  EXPECT_FALSE(ItemEnabled(*window, ID_EVENT_SWITCH));
  window.reset();
  controller.Exit();  // lets go of the database before it closes, as the program's end does
  db.reset();
  EXPECT_TRUE(vxtest::ReadFileBytes(file) == damaged);
}

// A file that is no database at all does not even open: the controller has none.
TEST_F(MainWindowWithoutCatalogTest, ADatabaseThatDoesNotOpenIsSaidSo) {
  vxtest::WriteFileBytes(dir / vx::PavorunDatabase::kFileName, std::string(5000, 'x'));
  Open();
  ExpectNothingOffered();
  EXPECT_EQ(Notice(),
            "表示できるサークルデータがありません.\n\nデータベースファイルを開けないか、"
            "壊れています.\n"
            "プログラムを起動し直すと、ディスクからインストールし直せます.");
  EXPECT_FALSE(ItemEnabled(*window, ID_CIRCLE_DATA));
}

// With a catalogue the page and its controls stand as before.
TEST(MainWindowWithCatalogTest, ShowsThePageAndOffersItsCommands) {
  vxtest::ControllerOnCatalog catalog;
  vx::MainWindow window(catalog.controller);
  catalog.controller.RegisterWindow(vx::kMainWindowId, &window, vx::Sjis("メインウィンドウ"));
  catalog.controller.GoToPage(10);
  EXPECT_FALSE(window.CatalogNotice()->isVisibleTo(&window));
  EXPECT_TRUE(window.View()->isVisibleTo(&window));
  EXPECT_EQ(window.Status()->PageBox()->text(), QStringLiteral("10"));
  EXPECT_TRUE(window.Status()->PageBox()->isEnabled());
  EXPECT_TRUE(window.JumpBar()->Combo(vx::JumpToolBar::kDayList)->isEnabled());
  for (int id : {ID_NEXT_PAGE, ID_PAGE_JUMP, ID_ZOOM_IN}) {
    EXPECT_TRUE(ItemEnabled(window, id)) << id;
  }
}

}  // namespace
