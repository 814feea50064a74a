// The feed fetch over the checklist against the test server: texts for UTF-8, Shift_JIS and
// EUC-JP feeds, failures that keep the old text, the walk's order and bounds, and Cancel.
#include "web/RssFetchJob.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "tests/web/FeedFetchFixture.h"
#include "tests/web/JobRunning.h"

namespace {

using vxtest::TestReply;

// A feed of two items in `charset` (declared unless `declare` is false), from UTF-8 text.
std::string Feed(const std::string& charset, bool declare = true) {
  const std::string utf8 =
      "<rss version=\"2.0\"><channel><title>サークル</title>"
      "<item><title>新刊</title><description>委託①開始</description></item>"
      "<item><title>告知</title><description><![CDATA[<p>当日は<br>午後参加</p>]]></description></"
      "item>"
      "</channel></rss>";
  const std::string declaration =
      declare ? "<?xml version=\"1.0\" encoding=\"" + charset + "\"?>\n" : std::string();
  const int codePage = charset == "Shift_JIS" ? vx::kCodePageCp932
                       : charset == "EUC-JP"  ? vx::kCodePageEucJp
                                              : vx::kCodePageUtf8;
  return declaration + vx::FromCp932(vx::Sjis(utf8), codePage);
}

const std::string kFeedText = "【新刊】\r\n委託①開始\r\n\r\n【告知】\r\n当日は\r\n午後参加";

TestReply Reply(int status, std::string body) {
  TestReply reply;
  reply.status = status;
  reply.body = std::move(body);
  return reply;
}

using RssFetchJobTest = vxtest::FeedFetchFixture;

TEST_F(RssFetchJobTest, FeedsInEachCharacterSetBecomeTheCirclesTexts) {
  server.Route("/utf8", Reply(200, Feed("UTF-8", false)));
  server.Route("/sjis", Reply(200, Feed("Shift_JIS")));
  server.Route("/euc", Reply(200, Feed("EUC-JP")));
  Check(1, 1, "/utf8");
  Check(2, 2, "/sjis");
  Check(3, 0, "/euc");  // memo only: still fetched
  vx::RssFetchJob job(*store, config);
  vxtest::ProgressLines progress(job);
  EXPECT_EQ(vxtest::RunJob(job), 0);
  EXPECT_EQ(job.ChangedCircles(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Texts(), (std::map<int, std::string>{{1, kFeedText}, {2, kFeedText}, {3, kFeedText}}));
  EXPECT_EQ(progress.lines, (std::vector<std::string>{"RSS情報取得中(1/3)", "RSS情報取得中(2/3)",
                                                      "RSS情報取得中(3/3)"}));
  EXPECT_EQ(server.Requests().at(0).Header("User-Agent"), "Lothervanquist");
}

TEST_F(RssFetchJobTest, CirclesWhoseFeedFailsKeepTheirTextAndAreNotListed) {
  std::string unreadable = "<rss><channel>";
  for (int i = 0; i < 100; ++i)
    unreadable += "<item><title>t" + std::to_string(i) + "</title></item>\n";
  server.Route("/ok", Reply(200, Feed("UTF-8")));
  server.Route("/same", Reply(200, Feed("UTF-8")));
  server.Route("/gone", Reply(404, Feed("UTF-8")));
  server.Route("/page", Reply(200, "<html><body>no feed here</body></html>"));
  server.Route("/unreadable", Reply(200, unreadable + "</channel></rss>"));
  Check(1, 1, "/gone");
  Check(2, 1, "/page");
  Check(3, 1, "/unreadable");
  Check(4, 1, "");                            // no address: nothing fetched
  Check(5, 1, "/same", vx::Sjis(kFeedText));  // the text is the feed's already
  Check(6, 1, "/ok");
  vx::RssFetchJob job(*store, config);
  EXPECT_EQ(vxtest::RunJob(job), 0);
  EXPECT_EQ(job.ChangedCircles(), std::vector<int>{6});
  EXPECT_EQ(Texts(),
            (std::map<int, std::string>{
                {1, "old"}, {2, "old"}, {3, "old"}, {4, "old"}, {5, kFeedText}, {6, kFeedText}}));
  EXPECT_EQ(server.RequestCount(), 5);
}

TEST_F(RssFetchJobTest, CredentialsOfOneFeedAddressGoToThatFeedOnly) {
  server.Route("/feed", Reply(200, Feed("UTF-8")));
  Check(1, 1, "/feed");
  Check(2, 1, "/feed");
  store->ForEachChecked([&](vx::FavoriteEntry& entry) {
    if (entry.record.id == 1) entry.record.rss.insert(std::string("http://").size(), "me:secret@");
    return true;
  });
  vx::RssFetchJob job(*store, config);
  vxtest::RunJob(job);
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].Header("Authorization"), "Basic bWU6c2VjcmV0");
  EXPECT_EQ(requests[1].Header("Authorization"), "");
}

TEST_F(RssFetchJobTest, UncheckedEntriesCountInTheTotalButAreNotVisited) {
  server.Route("/feed", Reply(200, Feed("UTF-8")));
  Check(1, 1, "/feed");
  Check(2, 1, "/feed");
  store->SetColor(2, -1);
  vx::RssFetchJob job(*store, config);
  vxtest::ProgressLines progress(job);
  vxtest::RunJob(job);
  EXPECT_EQ(job.ChangedCircles(), std::vector<int>{1});
  EXPECT_EQ(progress.lines, std::vector<std::string>{"RSS情報取得中(1/2)"});
  EXPECT_EQ(server.RequestCount(), 1);
}

TEST_F(RssFetchJobTest, CancelEndsTheWalkAfterTheCurrentCircle) {
  server.Route("/feed", Reply(200, Feed("UTF-8")));
  for (int id : {1, 2, 3}) Check(id, 1, "/feed");
  vx::RssFetchJob job(*store, config);
  vxtest::ProgressLines progress(job, [](vx::ProgressJob& j) { j.RequestCancel(); });
  EXPECT_EQ(vxtest::RunJob(job), 0);
  EXPECT_EQ(job.ChangedCircles(), std::vector<int>{1});
  EXPECT_EQ(Texts().at(2), "old");
  EXPECT_EQ(server.RequestCount(), 1);
}

TEST(RssFetchCaption, IsTheProgressDialogsTitle) {
  EXPECT_EQ(vx::Cp932ToUtf8(vx::RssFetchJob::Caption()), "RSS情報の更新");
}

}  // namespace
