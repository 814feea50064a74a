// The preview window over a small list job: the level it opens at, paging forward and back,
// zoom steps with their pixels, Cancel while a page is made, a worker that cannot start, and
// where the window is placed.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <set>
#include <system_error>
#include <thread>

#include "platform/qt/UiThread.h"
#include "print/PrintErrors.h"
#include "print/QtPrintEventSink.h"
#include "print/UiPrintReportSink.h"
#include "tests/print/DocumentTestSupport.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/ThreadCounter.h"
#include "ui/print/PreviewPageView.h"
#include "ui/print/PreviewPlacement.h"
#include "ui/print/PreviewProgressDialog.h"
#include "ui/print/PreviewToolBar.h"
#include "ui/print/PrintPreviewDialog.h"
#include "ui/print/PrintSettingsSheet.h"

namespace vxtest {
namespace {

constexpr int kList = 1;  // LIST_0V: 20 lines a page
const QRgb kGray = qRgb(128, 128, 128);

class PrintPreviewDialogTest : public DocumentTest {
 protected:
  // 25 circles: two pages of 639 x 960 preview pixels.
  void SetUp() override {
    DocumentTest::SetUp();
    for (int i = 1; i <= 25; ++i) {
      TestCircle c;
      c.id = i;
      c.space = 1 + i % 20;
      catalog.Add(c);
    }
    UseQtEvents();
    vx::PrintSelection request = Request(vx::PrintSelection::kFamilyList, kList);
    SetUp(request);
  }
  using DocumentTest::SetUp;

  void UseQtEvents() {
    vx::PrintEngineServices services = vx::PrintEngine_Services();
    services.events = &qtEvents;
    services.startThread = startThread;
    vx::PrintEngine_SetContext(services, images.Path(), program.Path());
  }

  // Shown, with its first page made.
  std::unique_ptr<vx::PrintPreviewDialog> Open(QSize available) {
    auto dialog = std::make_unique<vx::PrintPreviewDialog>(nullptr, available);
    dialog->show();
    [&] { QTRY_COMPARE_WITH_TIMEOUT(dialog->PagesMade(), 1, 10000); }();
    return dialog;
  }

  static QRgb ViewPixel(vx::PrintPreviewDialog& dialog, int x, int y) {
    return dialog.View()->viewport()->grab().toImage().pixel(x, y);
  }

  vx::QtPrintEventSink qtEvents;
};

TEST_F(PrintPreviewDialogTest, APageThatFitsOpensAtFullSizeWithTheSmallerLevelsDisabled) {
  auto dialog = Open({2000, 2000});
  EXPECT_EQ(dialog->ZoomIndex(), 2);
  vx::PreviewToolBar* bar = dialog->ToolBar();
  EXPECT_FALSE(bar->Button(vx::kPreviewZoomCommandFirst)->isEnabled());
  EXPECT_FALSE(bar->Button(vx::kPreviewZoomCommandFirst + 1)->isEnabled());
  EXPECT_TRUE(bar->Button(vx::kPreviewZoomCommandFirst + 2)->isChecked());
  EXPECT_EQ(bar->PageList()->count(), 2);
  EXPECT_TRUE(bar->PageList()->itemText(1).startsWith(QStringLiteral("2 : ")));
  EXPECT_EQ(bar->PageCountLabel()->text(), QStringLiteral(" / 2"));
  EXPECT_EQ(dialog->View()->Page().size(), QSize(639, 960));
  // The page's white paper fills the view's top left corner.
  EXPECT_EQ(ViewPixel(*dialog, 2, 2), dialog->View()->Page().pixel(2, 2));
}

// A narrow page still opens the window as wide as its tool bar, within the screen: no button is
// folded away, and the page list is as wide as its longest entry.
TEST_F(PrintPreviewDialogTest, TheWindowFitsItsToolBarAndThePageListItsLongestEntry) {
  auto dialog = Open({900, 300});  // the page fits only at 25 %: 160 pixels wide
  vx::PreviewToolBar* bar = dialog->ToolBar();
  EXPECT_LE(dialog->width(), 900);
  EXPECT_GE(dialog->width(), bar->sizeHint().width());
  const QList<QToolButton*> buttons = bar->findChildren<QToolButton*>();
  for (QToolButton* button : buttons) {
    const bool overflow = button->objectName() == QStringLiteral("qt_toolbar_ext_button");
    EXPECT_EQ(button->isVisible(), !overflow) << button->text().toStdString();
  }
  QComboBox* list = bar->PageList();
  for (int i = 0; i < list->count(); ++i) {
    EXPECT_GT(list->width(), list->fontMetrics().horizontalAdvance(list->itemText(i)));
  }
  // The close button is drawn at the right end: its picture is not the bar's plain face.
  QAction* close = bar->Button(vx::kPreviewCloseCommand);
  const QImage picture = bar->grab(bar->actionGeometry(close)).toImage();
  std::set<QRgb> colours;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) colours.insert(picture.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 2u);
  EXPECT_EQ(close->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
}

TEST_F(PrintPreviewDialogTest, PagesGoForwardAndBackAndStopAtTheEnds) {
  auto dialog = Open({2000, 2000});
  QWidget* view = dialog->View();
  const struct {
    Qt::Key key;
    int page;
    int made;
  } steps[] = {{Qt::Key_P, 1, 1}, {Qt::Key_N, 2, 2}, {Qt::Key_N, 2, 2}, {Qt::Key_P, 1, 3}};
  for (const auto& s : steps) {
    QTest::keyClick(view, s.key);
    EXPECT_EQ(dialog->Session().CurrentPage(), s.page);
    EXPECT_EQ(dialog->PagesMade(), s.made);
    EXPECT_EQ(dialog->ToolBar()->PageList()->currentIndex(), s.page - 1);
  }
  // The tool bar's button and the page list do the same.
  dialog->ToolBar()->Button(vx::kPreviewNextCommand)->trigger();
  EXPECT_EQ(dialog->Session().CurrentPage(), 2);
  dialog->ToolBar()->PageList()->activated(0);
  EXPECT_EQ(dialog->Session().CurrentPage(), 1);
  EXPECT_EQ(dialog->PagesMade(), 5);
}

TEST_F(PrintPreviewDialogTest, ZoomStepsStayAboveTheOpeningLevelAndDrawWholePagePixels) {
  auto dialog = Open({300, 300});  // fits only at 25 %
  ASSERT_EQ(dialog->MinimumZoomIndex(), 0);
  dialog->resize(700, 700);
  QWidget* view = dialog->View();
  const struct {
    Qt::Key key;
    int percent;
  } steps[] = {{Qt::Key_Minus, 25}, {Qt::Key_Plus, 50},   {Qt::Key_Plus, 100}, {Qt::Key_5, 400},
               {Qt::Key_Plus, 400}, {Qt::Key_Minus, 200}, {Qt::Key_1, 25}};
  for (const auto& s : steps) {
    QTest::keyClick(view, s.key);
    EXPECT_EQ(dialog->View()->ZoomPercent(), s.percent);
  }
  // At 25 % the 639 x 960 page takes 159 x 240 pixels; the rest of the view is gray.
  EXPECT_EQ(ViewPixel(*dialog, 158, 100), dialog->View()->Page().pixel(632, 400));
  EXPECT_EQ(ViewPixel(*dialog, 161, 100), kGray);
  EXPECT_EQ(ViewPixel(*dialog, 100, 242), kGray);
  // At 200 % End scrolls to the page's bottom right corner.
  QTest::keyClick(view, Qt::Key_4);
  QTest::keyClick(view, Qt::Key_End);
  const QSize visible = dialog->View()->VisiblePagePixels();
  EXPECT_EQ(dialog->View()->Position(), QPoint(639 - visible.width(), 960 - visible.height()));
  QTest::keyClick(view, Qt::Key_Home);
  EXPECT_EQ(dialog->View()->Position(), QPoint(0, 0));
}

TEST_F(PrintPreviewDialogTest, ADragMovesThePageWithTheMouseAndStopsAtItsEdges) {
  auto dialog = Open({300, 300});
  dialog->resize(400, 400);
  QTest::keyClick(dialog->View(), Qt::Key_3);  // 100 %
  QWidget* viewport = dialog->View()->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(200, 200));
  QTest::mouseMove(viewport, QPoint(150, 120));
  EXPECT_EQ(dialog->View()->Position(), QPoint(50, 80));
  QTest::mouseMove(viewport, QPoint(390, 390));
  EXPECT_EQ(dialog->View()->Position(), QPoint(0, 0));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(390, 390));
}

TEST_F(PrintPreviewDialogTest, CancelWaitsForTheWorkerAndKeepsWhatWasShown) {
  // Page 2's worker waits at its start until the test lets it go.
  vxtest::ThreadCounter go;
  auto dialog = Open({2000, 2000});
  startThread = [&](std::function<void()> body) {
    return std::thread([&, body = std::move(body)] {
      go.WaitFor(1);
      body();
    });
  };
  UseQtEvents();
  QString waitingText;
  QTimer::singleShot(0, [&] {
    auto* progress = dialog->findChild<vx::PreviewProgressDialog*>();
    ASSERT_NE(progress, nullptr);
    progress->CancelButton()->click();
    waitingText = progress->TextControl()->text();
    EXPECT_TRUE(progress->isVisible());  // still waiting for the worker's end
    go.Raise();
  });
  QTest::keyClick(dialog->View(), Qt::Key_N);
  EXPECT_TRUE(waitingText.startsWith(QStringLiteral("プレビュー生成中止待ち中です。")));
  EXPECT_EQ(dialog->findChild<vx::PreviewProgressDialog*>(), nullptr);
  EXPECT_EQ(dialog->PagesMade(), 1);  // the stopped page is not taken
}

// The progress dialog's loop ends early (the program quitting ends every one) while page 2's
// worker is about to raise an error box: the box is shown, the page stopped and its worker
// joined, and the page shown stays.
TEST_F(PrintPreviewDialogTest, AnEarlyEndOfTheProgressLoopStopsThePageAndShowsItsBox) {
  auto dialog = Open({2000, 2000});
  vx::ScriptedUiServices ui;
  ui.QueueAnswer(IDOK);
  vx::UiPrintReportSink boxes(ui, vx::RunOnUiThread);
  vxtest::ThreadCounter go;
  startThread = [&](std::function<void()> body) {
    return std::thread([&, body = std::move(body)] {
      go.WaitFor(1);
      vx::ReportPrintError("x", "PrintDocument_Lst1");
      body();
    });
  };
  UseQtEvents();
  vx::PrintEngineServices services = vx::PrintEngine_Services();
  services.reports = &boxes;
  vx::PrintEngine_SetContext(services, images.Path(), program.Path());
  QTimer::singleShot(0, [&] {
    auto* progress = dialog->findChild<vx::PreviewProgressDialog*>();
    ASSERT_NE(progress, nullptr);
    progress->hide();
    go.Raise();
  });
  QTest::keyClick(dialog->View(), Qt::Key_N);
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).size(), 1u);
  EXPECT_EQ(dialog->findChild<vx::PreviewProgressDialog*>(), nullptr);
  EXPECT_EQ(dialog->PagesMade(), 1);
}

TEST_F(PrintPreviewDialogTest, AWorkerThatCannotStartEndsThePageWithAnErrorAndTheWindowStays) {
  startThread = [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  };
  UseQtEvents();
  vx::PrintPreviewDialog dialog(nullptr, {2000, 2000});
  dialog.show();
  QTRY_COMPARE(reports.Shown().size(), 1u);
  EXPECT_EQ(dialog.findChild<vx::PreviewProgressDialog*>(), nullptr);
  EXPECT_EQ(dialog.PagesMade(), 0);
  EXPECT_EQ(ViewPixel(dialog, 5, 5), kGray);  // nothing to show
  QTest::keyClick(dialog.View(), Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PrintPreviewDialogTest, ASettingsPageWithDataOpensThePreviewOfItsKindOverItself) {
  std::vector<vx::OwnerWindow> owners;
  vx::PrintEngineServices services = vx::PrintEngine_Services();
  services.runPreview = [&](vx::OwnerWindow owner) { owners.push_back(owner); };
  vx::PrintEngine_SetContext(services, images.Path(), program.Path());
  vx::PrintSettings settings{};
  settings.kinds[0].days = 0b1;
  settings.kinds[0].blocks = 0b11;
  settings.kinds[0].colors = 0x1FF;
  vx::ScriptedUiServices ui;
  vx::PrintSettingsSheet sheet(nullptr, {catalog, ui, {}}, settings);
  sheet.Page(0)->PreviewButton()->click();
  EXPECT_TRUE(ui.Calls().empty());
  EXPECT_EQ(owners, std::vector<vx::OwnerWindow>{static_cast<QWidget*>(sheet.Page(0))});
  EXPECT_EQ(vx::PrintEngine_DocumentKind(), vx::kDocumentList);
}

TEST(PreviewPlacementTest, AWindowIsCentredButNeverPastTheScreensTopLeft) {
  const QRect screen(0, 0, 1000, 800);
  const struct {
    QRect reference;
    QSize window;
    QPoint at;
  } cases[] = {{{}, {400, 200}, {300, 300}},
               {{}, {1200, 900}, {0, 0}},                       // larger than the screen
               {{600, 500, 600, 400}, {200, 100}, {700, 600}},  // reference cut to the screen
               {{100, 100, 100, 100}, {300, 300}, {0, 0}}};
  for (const auto& c : cases) {
    EXPECT_EQ(vx::CenteredPosition(screen, c.reference, c.window), c.at) << c.window.width();
  }
}

}  // namespace
}  // namespace vxtest
