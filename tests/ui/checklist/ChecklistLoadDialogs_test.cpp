// A checklist load through the controller in the real dialogs, offscreen: the read and the apply
// walk run on workers under the progress dialog, the page is answered by the user, and every
// window hears the result on the UI thread while the apply dialog, which cannot be cancelled, is
// up.
#include "ui/checklist/QtChecklistDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "checklist/FavoriteStore.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "platform/qt/UiThread.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/app/FakeWindows.h"
#include "tests/checklist/StoreFixture.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/checklist/ImportConfirmDialog.h"
#include "ui/checklist/ImportConfirmModel.h"
#include "ui/widgets/ProgressDialog.h"

namespace vxtest {
namespace {

namespace fs = std::filesystem;

class ChecklistLoadDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildControllerCatalog(db);
    values.eventNumber = kControllerEvent;
    values.fvrColorNum = 9;
    ASSERT_TRUE(controller.Init(&db, &images, &values));
    main.onMessage = [this] { OnMessage(); };
    controller.RegisterWindow(vx::kMainWindowId, &main, "main");
    log.clear();
  }

  // What the main window sees while it hears each circle of the checklist.
  void OnMessage() {
    if (log.back().message != UM_CIRCLE_CHECKED) return;
    onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
    auto* dialog = qobject_cast<vx::ProgressDialog*>(QApplication::activeModalWidget());
    applyTitle = dialog ? dialog->windowTitle() : QString();
    cancelEnabled = dialog && dialog->CancelButton()->isEnabled();
    if (dialog) {
      const int total = controller.GetFavoriteStore()->GetEntryCount();
      const QString last =
          QString::fromUtf8("ロード結果をウィンドウに反映させています...(%1/%1)").arg(total);
      const QLabel* text = dialog->TextControl();
      lastLineFits = text->contentsRect().width() >= text->fontMetrics().horizontalAdvance(last);
    }
  }

  fs::path Write(const std::string& name, const std::string& text) {
    WriteFileBytes(dir / name, text);
    return dir / name;
  }

  std::vector<int> Checked() {
    std::vector<int> ids;
    controller.ForEachInPrintOrder([&](const vx::FavoriteEntry& e) {
      ids.push_back(e.record.id);
      return true;
    });
    return ids;
  }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vx::QtChecklistDialogs dialogs;
  std::vector<Delivery> log;
  FakeFrame main{&log};
  vx::CatalogController controller{
      nullptr,
      {&ui, nullptr, nullptr, nullptr, [](std::function<void()> f) { vx::RunOnUiThread(f); },
       &dialogs}};
  bool onUiThread = true;
  bool cancelEnabled = true;
  bool lastLineFits = false;
  QString applyTitle;
};

TEST_F(ChecklistLoadDialogsTest, AFileOfTheCurrentEventIsReadAndReplayedWithoutACancel) {
  std::string text = HeaderLine(96);
  const int ids[] = {101, 102, 103, 104, 133, 136, 112, 113, 115, 134, 131, 132, 135};
  for (const int id : ids) text += CircleLine({{1, std::to_string(1000 + id)}, {2, "1"}});
  Watchdog watchdog;
  EXPECT_EQ(controller.LoadChecklist(Write("list.csv", text), false), 1);
  EXPECT_EQ(Checked(), std::vector<int>(std::begin(ids), std::end(ids)));
  EXPECT_EQ(applyTitle, QString::fromUtf8("チェックリストのロード中"));
  EXPECT_FALSE(cancelEnabled);
  EXPECT_TRUE(onUiThread);
  int heard = 0;
  for (const Delivery& d : log) heard += d.message == UM_CIRCLE_CHECKED;
  EXPECT_EQ(heard, 13);
  EXPECT_FALSE(controller.GetGuard().IsRaised());
}

// The counter grows to its last line, which the dialog shows whole from the start.
TEST_F(ChecklistLoadDialogsTest, TheApplyDialogFitsItsLastLine) {
  vx::FavoriteStore& store = *controller.GetFavoriteStore();
  for (int i = 0; i < 33332; ++i) store.AddUnknownCircle(1, vx::CircleRecord{});
  Watchdog watchdog;
  controller.RefreshChecklistViews();
  EXPECT_EQ(applyTitle, QString::fromUtf8("チェックリストのロード中"));
  EXPECT_TRUE(lastLineFits);
}

// Another event's checklist waits for the page: declined, nothing changes; accepted with the
// user's choice, that choice is what the checklist gets.
TEST_F(ChecklistLoadDialogsTest, AnotherEventsChecklistIsTakenAsChosenOnThePage) {
  controller.SetCircleColor(4, 131);
  // Memo-only circles are always listed, even when their names match.
  const fs::path file =
      Write("old.csv", HeaderLine(95) + CircleLine({{2, "0"}, {10, "C101"}, {17, "a"}}) +
                           CircleLine({{2, "0"}, {10, "C102"}, {17, "b"}}));
  Watchdog watchdog;
  for (const bool accept : {false, true}) {
    QTimer::singleShot(0, qApp, [accept] {
      // The read's dialog comes first; the page follows once it has ended.
      QTimer* poll = new QTimer(qApp);
      QObject::connect(poll, &QTimer::timeout, [poll, accept] {
        auto* page = qobject_cast<vx::ImportConfirmDialog*>(QApplication::activeModalWidget());
        if (page == nullptr) return;
        poll->deleteLater();
        poll->stop();
        if (!accept) return page->CancelButton()->click();
        page->Model()->setData(page->Model()->index(1, vx::ImportConfirmModel::kSkipColumn), true,
                               vx::ImportConfirmModel::kChoiceRole);
        page->OkButton()->click();
      });
      poll->start(5);
    });
    EXPECT_EQ(controller.LoadChecklist(file, false), 1);
    EXPECT_EQ(Checked(), accept ? std::vector<int>{101} : std::vector<int>{131});
  }
  EXPECT_EQ(controller.GetCircleColor(101), 1);  // a row without a colour takes the first
  EXPECT_TRUE(controller.IsChecklistModified());
  EXPECT_TRUE(controller.ChecklistPath().empty());
}

}  // namespace
}  // namespace vxtest
