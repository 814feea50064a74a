// Broadcasts from a progress dialog's worker while the UI thread runs its event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <thread>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "platform/qt/UiThread.h"
#include "res/ResourceIds.h"
#include "tests/app/FakeWindows.h"

namespace {

TEST(ControllerBroadcastTest, AWorkersBroadcastReachesEveryWindowOnTheUiThreadBeforeItReturns) {
  vx::CatalogController controller(nullptr, {});
  std::vector<vxtest::Delivery> log;
  vxtest::FakeFrame main(&log), list(&log);
  ASSERT_TRUE(controller.RegisterWindow(vx::kMainWindowId, &main, "main"));
  ASSERT_TRUE(controller.RegisterWindow(vx::kListWindowId, &list, "list"));
  std::vector<std::thread::id> receivedOn;
  main.onMessage = list.onMessage = [&] { receivedOn.push_back(std::this_thread::get_id()); };
  log.clear();

  QEventLoop loop;  // as the progress dialog's modal loop runs while its worker reports
  bool delivered = false;
  std::size_t seenWhenDone = 0;
  std::thread worker([&] {
    delivered = controller.Broadcast(UM_IMAGES_CHANGED, 0, 0);
    seenWhenDone = log.size();
    vx::PostToUiThread([&loop] { loop.quit(); });
  });
  loop.exec();
  worker.join();
  EXPECT_TRUE(delivered);
  EXPECT_EQ(seenWhenDone, 2u);
  EXPECT_EQ(receivedOn, std::vector<std::thread::id>(2, std::this_thread::get_id()));
}

}  // namespace
