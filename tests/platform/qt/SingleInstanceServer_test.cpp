#include "platform/qt/SingleInstanceServer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <unistd.h>

#include <algorithm>
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
  auto later = std::async(std::launch::async,
                          [name] { return vx::SingleInstanceServer(name).RaiseRunningInstance(); });
  while (later.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return later.get();
}

TEST(SingleInstanceServerTest, SecondStartRaisesTheFirstOnce) {
  vx::SingleInstanceServer first(TestName("raise"));
  int raised = 0;
  QObject::connect(&first, &vx::SingleInstanceServer::raiseRequested, [&] { ++raised; });
  EXPECT_FALSE(RaiseFromAnotherStart(first.Name()));  // nobody listens yet
  ASSERT_TRUE(first.Listen());
  EXPECT_TRUE(RaiseFromAnotherStart(first.Name()));
  EXPECT_EQ(raised, 1);
  first.Close();
  EXPECT_FALSE(first.IsListening());
  EXPECT_FALSE(RaiseFromAnotherStart(first.Name()));
}

TEST(SingleInstanceServerTest, RestartTakesTheNameOverFromTheEndingInstance) {
  vx::SingleInstanceServer ending(TestName("takeover"));
  vx::SingleInstanceServer restarted(ending.Name());
  int endingRaised = 0;
  int restartedRaised = 0;
  QObject::connect(&ending, &vx::SingleInstanceServer::raiseRequested, [&] { ++endingRaised; });
  QObject::connect(&restarted, &vx::SingleInstanceServer::raiseRequested,
                   [&] { ++restartedRaised; });
  ASSERT_TRUE(ending.Listen());
  ASSERT_TRUE(restarted.Listen());
  EXPECT_TRUE(RaiseFromAnotherStart(ending.Name()));
  EXPECT_EQ(std::make_pair(endingRaised, restartedRaised), std::make_pair(0, 1));
}

// One desktop, one name: screens of one X server share it; another user, display or Wayland
// display gets its own, always a plain socket name.
TEST(SingleInstanceServerTest, NameIsPerUserAndDisplay) {
  const auto name = [](qulonglong user, const char* x11, const char* wayland) {
    return vx::SingleInstanceServer::NameFor(user, QString::fromLatin1(x11),
                                             QString::fromLatin1(wayland));
  };
  EXPECT_EQ(name(1000, ":0", ""), name(1000, ":0.1", ""));
  EXPECT_EQ(name(1000, "host:10.0", ""), name(1000, "host:10", ""));
  const QString names[] = {name(1000, ":0", ""),        name(1000, ":1", ""),
                           name(1001, ":0", ""),        name(1000, "", ""),
                           name(1000, "", "wayland-0"), name(1000, ":0", "wayland-0"),
                           name(1000, "host:0", "")};
  for (const QString& a : names) {
    EXPECT_TRUE(a.startsWith(QStringLiteral("PavorunCatalogApp-100"))) << a.toStdString();
    EXPECT_EQ(std::count(std::begin(names), std::end(names), a), 1) << a.toStdString();
  }
  const QString path = name(1000, "", "/run/user/1000/wayland-1");
  EXPECT_FALSE(path.contains(QLatin1Char('/'))) << path.toStdString();
  EXPECT_NE(path, name(1000, "", "wayland-0"));

  qputenv("DISPLAY", ":5");
  qunsetenv("WAYLAND_DISPLAY");
  EXPECT_EQ(vx::SingleInstanceServer::DefaultName(), name(::getuid(), ":5", ""));
}

}  // namespace
