// The update download and the feed fetch in the shared progress dialog, against the test server:
// what the dialog shows while they run, and Cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/data/TestCatalog.h"
#include "tests/data/images/TestArchive.h"
#include "tests/support/TempDir.h"
#include "tests/web/FeedFetchFixture.h"
#include "tests/web/UpdateLines.h"
#include "tests/web/support/TestHttpServer.h"
#include "ui/widgets/ProgressDialog.h"
#include "web/RssFetchJob.h"
#include "web/UpdateDownloadJob.h"

namespace {

using vxtest::TestReply;
using Delivery = vxtest::TestReply::Delivery;

std::string Text(const vx::ProgressDialog& dialog) {
  return dialog.TextControl()->text().toStdString();
}

// Runs `job` in the dialog titled `caption`; `whileOpen` runs inside its modal loop. A watchdog
// lets the test fail instead of hanging when the dialog never ends.
int RunDialog(vx::ProgressDialog& dialog, const std::string& caption,
              const std::function<void(vx::ProgressDialog&)>& whileOpen) {
  dialog.setWindowTitle(QString::fromStdString(vx::Cp932ToUtf8(caption)));
  QTimer::singleShot(0, &dialog, [&] { whileOpen(dialog); });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    ADD_FAILURE() << "the dialog never ended";
    std::abort();
  });
  watchdog.start(60000);
  return dialog.exec();
}

// The colours at a tenth and at nine tenths of the bar's width, as drawn.
std::pair<QColor, QColor> EndColors(QProgressBar& bar) {
  const QImage image = bar.grab().toImage();
  const int y = image.height() / 2;
  return {image.pixelColor(image.width() / 10, y), image.pixelColor(image.width() * 9 / 10, y)};
}

// The bar is drawn filled on its left part and empty on its right part (an empty bar of the same
// size shows the same colour at both places).
void ExpectBarPartlyFilled(QProgressBar* bar) {
  const auto [left, right] = EndColors(*bar);
  EXPECT_NE(left, right) << "value " << bar->value() << " of " << bar->maximum();
  QProgressBar empty;
  empty.setTextVisible(false);
  empty.setRange(0, 100);
  empty.setValue(0);
  empty.resize(bar->size());
  const auto [emptyLeft, emptyRight] = EndColors(empty);
  EXPECT_EQ(emptyLeft, emptyRight);
  EXPECT_EQ(emptyRight, right);
}

class UpdateDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.IsOpen());
    vxtest::BuildSampleCatalog(db, 90);
    config.updateServer = server.BaseUrl();
    { vxtest::ZipWriter(dir / "update.zip").Add("UPDATE.TXT", UpdateText()); }
  }

  static std::string UpdateText() { return vxtest::UpdateLine(1003, 220, "X"); }

  std::string PenNameOfCircle3() {
    vx::CircleRecord record;
    db.SelectCircle(record, 3);
    return record.penName;
  }

  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vxtest::TestHttpServer server;
  vx::WebServiceConfig config;
};

TEST_F(UpdateDialogTest, TheDownloadShowsItsPercentAndCancelRollsBack) {
  TestReply reply;
  reply.body = vxtest::ReadFileBytes(dir / "update.zip") + std::string(200000, '\0');
  reply.delivery = Delivery::kSlow;
  reply.chunkBytes = 2000;
  reply.pause = std::chrono::milliseconds(5);
  server.Route("/quillor/update/VQ090SJIS.ZIP", reply);
  vx::UpdateDownloadJob job(db, 90, {}, config);
  vx::ProgressDialog dialog(job);
  std::string title;
  std::string shown;
  const int result =
      RunDialog(dialog, vx::UpdateDownloadJob::Caption(), [&](vx::ProgressDialog& d) {
        title = d.windowTitle().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return d.BarControl()->value() >= 30; }, 20000));
        shown = Text(d);
        ExpectBarPartlyFilled(d.BarControl());
        QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
      });
  EXPECT_EQ(result, vx::UpdateDownloadJob::kCancelled);
  EXPECT_EQ(title, "サークル情報の更新");
  EXPECT_EQ(shown.rfind("ダウンロード中(", 0), 0u) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 5), "/100)");
  EXPECT_EQ(PenNameOfCircle3(), "");
}

TEST_F(UpdateDialogTest, AChosenArchiveIsAppliedAndTheBarEndsFull) {
  vx::UpdateDownloadJob job(db, 90, dir / "update.zip", config);
  vx::ProgressDialog dialog(job);
  EXPECT_EQ(RunDialog(dialog, vx::UpdateDownloadJob::Caption(), [](vx::ProgressDialog&) {}),
            vx::UpdateDownloadJob::kDone);
  EXPECT_EQ(Text(dialog), "更新中(1/1)");
  EXPECT_EQ(dialog.BarControl()->value(), dialog.BarControl()->maximum());
  EXPECT_EQ(PenNameOfCircle3(), "penX");
  EXPECT_EQ(server.RequestCount(), 0);
}

class FeedDialogTest : public vxtest::FeedFetchFixture {
 protected:
  void PointFeedsAt(const std::string& path) {
    for (int id : {1, 2, 3}) Check(id, 1, path);
  }
};

TEST_F(FeedDialogTest, EveryCircleIsCountedOnTheBar) {
  TestReply reply;
  reply.body = "<rss><item><title>T</title><description>D</description></item></rss>";
  server.Route("/feed", reply);
  PointFeedsAt("/feed");
  vx::RssFetchJob job(*store, config);
  vx::ProgressDialog dialog(job);
  EXPECT_EQ(RunDialog(dialog, vx::RssFetchJob::Caption(), [](vx::ProgressDialog&) {}), 0);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "RSS情報の更新");
  EXPECT_EQ(Text(dialog), "RSS情報取得中(3/3)");
  EXPECT_EQ(dialog.BarControl()->value(), 3);
  EXPECT_EQ(job.ChangedCircles(), (std::vector<int>{1, 2, 3}));
}

// A feed server that never answers does not hold the dialog: Escape gives the request up.
TEST_F(FeedDialogTest, EscapeEndsAWalkStuckOnAServerThatDoesNotAnswer) {
  TestReply stall;
  stall.body = std::string(5000, 'x');
  stall.delivery = Delivery::kStall;
  stall.chunkBytes = 0;
  server.Route("/stall", stall);
  PointFeedsAt("/stall");
  vx::RssFetchJob job(*store, config);
  vx::ProgressDialog dialog(job);
  EXPECT_EQ(RunDialog(dialog, vx::RssFetchJob::Caption(),
                      [&](vx::ProgressDialog& d) {
                        ASSERT_TRUE(QTest::qWaitFor([&] { return server.RequestCount() == 1; }));
                        EXPECT_EQ(Text(d), "RSS情報取得中(0/3)");
                        QTest::keyClick(&d, Qt::Key_Escape);
                      }),
            0);
  EXPECT_TRUE(job.ChangedCircles().empty());
  EXPECT_EQ(server.RequestCount(), 1);
}

}  // namespace
