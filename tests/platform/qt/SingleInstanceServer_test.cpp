#include "platform/qt/SingleInstanceServer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <future>

namespace {

// A name of its own for each test (the socket lives in the test's temporary folder).
QString TestName(const char* suffix) {
  return QStringLiteral("vx-single-instance-%1-%2")
      .arg(QCoreApplication::applicationPid())
      .arg(QLatin1String(suffix));
}

// The later start blocks on its socket, so it runs on a thread while this one answers.
bool RaiseFromAnotherStart(const QString& name) {
  auto later = std::async(std::launch::async, [name] {
    return vx::SingleInstanceServer(name).RaiseRunningInstance();
  });
  while (later.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return later.get();
}

TEST(SingleInstanceServerTest, SecondStartRaisesTheFirstOnce) {
  vx::SingleInstanceServer first(TestName("raise"));
  int raised = 0;
  QObject::connect(&first, &vx::SingleInstanceServer::raiseRequested, [&] { ++raised; });
  EXPECT_FALSE(RaiseFromAnotherStart(first.name()));  // nobody listens yet
  ASSERT_TRUE(first.Listen());
  EXPECT_TRUE(RaiseFromAnotherStart(first.name()));
  EXPECT_EQ(raised, 1);
  first.Close();
  EXPECT_FALSE(first.IsListening());
  EXPECT_FALSE(RaiseFromAnotherStart(first.name()));
}

TEST(SingleInstanceServerTest, RestartTakesTheNameOverFromTheEndingInstance) {
  vx::SingleInstanceServer ending(TestName("takeover"));
  vx::SingleInstanceServer restarted(ending.name());
  int endingRaised = 0;
  int restartedRaised = 0;
  QObject::connect(&ending, &vx::SingleInstanceServer::raiseRequested, [&] { ++endingRaised; });
  QObject::connect(&restarted, &vx::SingleInstanceServer::raiseRequested,
                   [&] { ++restartedRaised; });
  ASSERT_TRUE(ending.Listen());
  ASSERT_TRUE(restarted.Listen());
  EXPECT_TRUE(RaiseFromAnotherStart(ending.name()));
  EXPECT_EQ(std::make_pair(endingRaised, restartedRaised), std::make_pair(0, 1));
}

TEST(SingleInstanceServerTest, NameIsPerUser) {
  EXPECT_TRUE(vx::SingleInstanceServer::DefaultName().startsWith(
      QStringLiteral("PavorunCatalogApp-")));
  EXPECT_NE(vx::SingleInstanceServer::DefaultName(), QStringLiteral("PavorunCatalogApp-"));
}

}  // namespace
