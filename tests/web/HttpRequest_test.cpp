// Requests against the test server: what goes on the wire, the result table, downloads to a file
// and the progress stages.
#include "web/HttpRequest.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/web/support/TestHttpServer.h"
#include "web/HttpErrorText.h"

namespace {

namespace fs = std::filesystem;
using vx::HttpConnection;
using vxtest::TestReply;
using Delivery = vxtest::TestReply::Delivery;

TestReply Reply(int status, std::string body, Delivery delivery = Delivery::kWhole,
                std::vector<std::string> headers = {}) {
  TestReply reply;
  reply.status = status;
  reply.body = std::move(body);
  reply.delivery = delivery;
  reply.headers = std::move(headers);
  return reply;
}

class HttpRequestTest : public testing::Test {
 protected:
  HttpConnection connection{"Lothervanquist", "", ""};
  vxtest::TestHttpServer server;
  vxtest::TempDir dir;
};

TEST_F(HttpRequestTest, GetSendsTheUserAgentAndTheFormAsQuery) {
  server.Route("/feed", Reply(200, "hello"));
  connection.AddFormParam("q", "a b");
  ASSERT_EQ(connection.Get(server.Url("/feed")), vx::kHttpReplied) << connection.GetErrorText();
  EXPECT_EQ(connection.GetStatus(), 200u);
  EXPECT_EQ(connection.GetContentLength(), 5u);
  EXPECT_EQ(connection.GetReplyText(), "hello");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].target, "/feed?q=a%20b");
  EXPECT_EQ(requests[0].Header("User-Agent"), "Lothervanquist");
  EXPECT_EQ(requests[0].body, "");
}

TEST_F(HttpRequestTest, PostSendsTheFormAsBodyWithTheHeadersGiven) {
  server.Route("/token", Reply(200, "{}"));
  connection.AddHeader("Content-Type", "application/x-www-form-urlencoded; charset=UTF-8");
  connection.AddHeader("X-Order", "first");
  connection.AddHeader("X-Order", "second");
  connection.AddFormParam("grant_type", "authorization_code");
  connection.AddFormParam("code", "a+b");
  ASSERT_EQ(connection.Post(server.Url("/token?x=1")), vx::kHttpReplied)
      << connection.GetErrorText();
  const vxtest::TestRequest request = server.Requests().at(0);
  EXPECT_EQ(request.method, "POST");
  EXPECT_EQ(request.target, "/token?x=1");
  EXPECT_EQ(request.body, "grant%5Ftype=authorization%5Fcode&code=a%2Bb");
  EXPECT_EQ(request.Header("Content-Type"), "application/x-www-form-urlencoded; charset=UTF-8");
  EXPECT_EQ(request.Header("X-Order"), "second");
  int orderLines = 0;
  for (const auto& header : request.headers) orderLines += header.first == "X-Order";
  EXPECT_EQ(orderLines, 1);
  EXPECT_EQ(request.Header("Expect"), "");
}

TEST_F(HttpRequestTest, OtherMethodsSendTheFormBodyToo) {
  server.Route("/favorite", Reply(200, "{}"));
  connection.AddFormParamInt("color", 3);
  ASSERT_EQ(vx::HttpRequest({}, nullptr, connection, "PUT", server.Url("/favorite"), nullptr),
            vx::kHttpReplied);
  const vxtest::TestRequest request = server.Requests().at(0);
  EXPECT_EQ(request.method, "PUT");
  EXPECT_EQ(request.body, "color=3");
  EXPECT_EQ(request.Header("Content-Type"), "");  // none unless the caller names one
}

TEST_F(HttpRequestTest, CredentialsInTheAddressBecomeBasicAuthorisationOnce) {
  server.Route("/path/x", Reply(200, "ok"));
  const std::string base = server.BaseUrl();
  const std::string url =
      "http://user:p%40ss@" + base.substr(std::string("http://").size()) + "/path/x?y=1#part";
  ASSERT_EQ(connection.Get(url), vx::kHttpReplied) << connection.GetErrorText();
  ASSERT_EQ(connection.Get(url), vx::kHttpReplied);
  EXPECT_EQ(connection.GetUserName(), "user");
  EXPECT_EQ(connection.GetPassword(), "p@ss");
  for (const vxtest::TestRequest& request : server.Requests()) {
    EXPECT_EQ(request.target, "/path/x?y=1");
    EXPECT_EQ(request.Header("Authorization"), "Basic dXNlcjpwQHNz");
    int lines = 0;
    for (const auto& header : request.headers) lines += header.first == "Authorization";
    EXPECT_EQ(lines, 1);
  }
}

struct OutcomeCase {
  const char* name;
  TestReply reply;
  int result;
  std::uint32_t status;
  std::string body;
  int curlError;  // the transport failure behind result 1 or 3
};

class HttpOutcomeTest : public HttpRequestTest, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(HttpOutcomeTest, ResultStatusBodyAndError) {
  const OutcomeCase& c = GetParam();
  server.Route("/x", c.reply);
  server.Route("/final", Reply(200, "final"));
  vx::HttpTransportOptions options;
  options.maxReplyBytes = 4096;
  options.lowSpeedTime = std::chrono::milliseconds(1000);
  connection.SetTransportOptions(options);
  EXPECT_EQ(connection.Get(server.Url("/x")), c.result) << connection.GetErrorText();
  EXPECT_EQ(connection.GetStatus(), c.status);
  EXPECT_EQ(connection.GetReplyString(), c.body);
  if (c.curlError != 0) {
    EXPECT_EQ(connection.GetErrorCode(), vx::TransportErrorCode(c.curlError));
    EXPECT_FALSE(connection.GetErrorText().empty());
  }
}

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

// Headers and `sent` bytes of a longer body, then nothing.
TestReply Stalled(std::size_t size, std::size_t sent) {
  TestReply reply = Reply(200, Repeat('s', size), Delivery::kStall);
  reply.chunkBytes = sent;
  return reply;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, HttpOutcomeTest,
    testing::Values(
        OutcomeCase{"ok", Reply(200, "body"), vx::kHttpReplied, 200, "body", 0},
        OutcomeCase{"notFoundKeepsItsPage", Reply(404, "<p>missing</p>"), vx::kHttpReplied, 404,
                    "<p>missing</p>", 0},
        OutcomeCase{"serverError", Reply(500, "oops"), vx::kHttpReplied, 500, "oops", 0},
        OutcomeCase{"noLength", Reply(200, "till close", Delivery::kNoLength), vx::kHttpReplied,
                    200, "till close", 0},
        OutcomeCase{"redirectFollowed", Reply(302, "moved", Delivery::kWhole, {"Location: /final"}),
                    vx::kHttpReplied, 200, "final", 0},
        OutcomeCase{"redirectBodyTooLarge",
                    Reply(302, Repeat('r', 5000), Delivery::kNoLength, {"Location: /final"}),
                    vx::kHttpRequestFailed, 0, "", CURLE_FILESIZE_EXCEEDED},
        OutcomeCase{"truncated", Reply(200, Repeat('t', 2000), Delivery::kTruncated),
                    vx::kHttpRequestFailed, 0, "", CURLE_PARTIAL_FILE},
        OutcomeCase{"redirectToFtpRefused",
                    Reply(302, "", Delivery::kWhole, {"Location: ftp://127.0.0.1/x"}),
                    vx::kHttpRequestFailed, 0, "", CURLE_UNSUPPORTED_PROTOCOL},
        OutcomeCase{"declaredTooLarge", Reply(200, Repeat('l', 5000)), vx::kHttpRequestFailed, 0,
                    "", CURLE_FILESIZE_EXCEEDED},
        OutcomeCase{"undeclaredTooLarge", Reply(200, Repeat('u', 5000), Delivery::kNoLength),
                    vx::kHttpRequestFailed, 0, "", CURLE_FILESIZE_EXCEEDED},
        OutcomeCase{"stalled", Stalled(3000, 0), vx::kHttpRequestFailed, 0, "",
                    CURLE_OPERATION_TIMEDOUT}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.name); });

struct AddressCase {
  std::string url;
  int result;
  int curlError;
  const char* errorText;  // null: any
};

class HttpAddressTest : public HttpRequestTest, public testing::WithParamInterface<AddressCase> {};

TEST_P(HttpAddressTest, BadOrUnreachableAddresses) {
  const AddressCase& c = GetParam();
  EXPECT_EQ(connection.Get(c.url), c.result);
  EXPECT_EQ(connection.GetErrorCode(), vx::TransportErrorCode(c.curlError));
  if (c.errorText != nullptr) {
    EXPECT_EQ(connection.GetErrorText(), c.errorText);
  }
  EXPECT_EQ(connection.GetStatus(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, HttpAddressTest,
    testing::Values(
        AddressCase{"ftp://127.0.0.1/file", vx::kHttpBadAddress, CURLE_UNSUPPORTED_PROTOCOL,
                    "invalid protocol"},
        AddressCase{"file:///etc/passwd", vx::kHttpBadAddress, CURLE_UNSUPPORTED_PROTOCOL,
                    "invalid protocol"},
        AddressCase{"no address at all", vx::kHttpBadAddress, CURLE_URL_MALFORMAT, nullptr},
        AddressCase{"", vx::kHttpBadAddress, CURLE_URL_MALFORMAT, nullptr},
        AddressCase{"http://127.0.0.1:" + std::to_string(vxtest::ClosedLoopbackPort()) + "/",
                    vx::kHttpRequestFailed, CURLE_COULDNT_CONNECT, nullptr}));

TEST_F(HttpRequestTest, ALaterReplyWithoutBodyLeavesTheBodyEmpty) {
  server.Route("/a", Reply(200, "first"));
  server.Route("/empty", Reply(200, ""));
  ASSERT_EQ(connection.Get(server.Url("/a")), vx::kHttpReplied);
  ASSERT_EQ(connection.Get(server.Url("/empty")), vx::kHttpReplied);
  EXPECT_EQ(connection.GetStatus(), 200u);
  EXPECT_EQ(connection.GetReplyText(), "");
}

// --- Downloads ---------------------------------------------------------------------------------

struct DownloadCase {
  const char* name;
  TestReply reply;
  int result;
  bool fileWritten;  // else the old file is left as it was
  std::string memoryBody;
};

class HttpDownloadTest : public HttpRequestTest,
                         public testing::WithParamInterface<DownloadCase> {};

TEST_P(HttpDownloadTest, TheFileIsReplacedOnlyByAWhole200Body) {
  const DownloadCase& c = GetParam();
  server.Route("/archive.zip", c.reply);
  const fs::path file = dir / "archive.zip";
  vxtest::WriteFileBytes(file, "old");
  EXPECT_EQ(connection.Get(server.Url("/archive.zip"), file), c.result)
      << connection.GetErrorText();
  EXPECT_EQ(vxtest::ReadFileBytes(file), c.fileWritten ? c.reply.body : "old");
  EXPECT_EQ(connection.GetReplyString(), c.memoryBody);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1)
      << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Files, HttpDownloadTest,
    testing::Values(DownloadCase{"ok", Reply(200, Repeat('z', 40000)), vx::kHttpReplied, true, ""},
                    DownloadCase{"okEmpty", Reply(200, ""), vx::kHttpReplied, true, ""},
                    DownloadCase{"noLength", Reply(200, "zip bytes", Delivery::kNoLength),
                                 vx::kHttpReplied, true, ""},
                    DownloadCase{"notFound", Reply(404, "no such archive"), vx::kHttpReplied, false,
                                 "no such archive"},
                    DownloadCase{"truncated", Reply(200, Repeat('t', 40000), Delivery::kTruncated),
                                 vx::kHttpRequestFailed, false, ""}),
    [](const testing::TestParamInfo<DownloadCase>& info) { return std::string(info.param.name); });

TEST_F(HttpRequestTest, ADownloadIntoAMissingFolderAnswersFileFailed) {
  server.Route("/archive.zip", Reply(200, "bytes"));
  EXPECT_EQ(connection.Get(server.Url("/archive.zip"), dir / "missing" / "archive.zip"),
            vx::kHttpFileFailed);
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

// --- Progress ------------------------------------------------------------------------------------

struct Stage {
  int stage;
  int percent;
  bool operator==(const Stage&) const = default;
};

struct ProgressLog {
  std::vector<Stage> stages;
  std::function<bool(const Stage&)> answer = [](const Stage&) { return true; };
};

bool LogProgress(void* context, int stage, int percent) {
  auto* log = static_cast<ProgressLog*>(context);
  log->stages.push_back({stage, percent});
  return log->answer(log->stages.back());
}

TestReply SlowBody(Delivery delivery = Delivery::kSlow) {
  TestReply reply = Reply(200, Repeat('p', 10000), delivery);
  reply.chunkBytes = 1000;
  reply.pause = std::chrono::milliseconds(2);
  return reply;
}

TEST_F(HttpRequestTest, ProgressRunsThroughTheStagesWithGrowingPercents) {
  server.Route("/slow", SlowBody());
  ProgressLog log;
  ASSERT_EQ(connection.Get(server.Url("/slow"), dir / "out", LogProgress, &log), vx::kHttpReplied);
  ASSERT_GE(log.stages.size(), 5u);
  EXPECT_EQ((std::vector<Stage>(log.stages.begin(), log.stages.begin() + 3)),
            (std::vector<Stage>{{0, 0}, {1, 0}, {2, 0}}));
  EXPECT_EQ(log.stages.back(), (Stage{4, 0}));
  int last = 0;
  for (std::size_t i = 3; i + 1 < log.stages.size(); ++i) {
    EXPECT_EQ(log.stages[i].stage, 3);
    EXPECT_GT(log.stages[i].percent, last);
    last = log.stages[i].percent;
  }
  EXPECT_EQ(last, 100);
}

// The stages and percents are the final reply's: a redirect's body is no part of it.
TEST_F(HttpRequestTest, ARedirectsBodyIsNoProgressOfTheReply) {
  server.Route("/moved", Reply(302, Repeat('r', 1000), Delivery::kWhole, {"Location: /slow"}));
  server.Route("/slow", SlowBody());
  ProgressLog log;
  ASSERT_EQ(connection.Get(server.Url("/moved"), dir / "out", LogProgress, &log), vx::kHttpReplied);
  ASSERT_GE(log.stages.size(), 5u);
  EXPECT_EQ((std::vector<Stage>(log.stages.begin(), log.stages.begin() + 3)),
            (std::vector<Stage>{{0, 0}, {1, 0}, {2, 0}}));
  int last = 0;
  for (std::size_t i = 3; i + 1 < log.stages.size(); ++i) {
    EXPECT_GT(log.stages[i].percent, last);
    last = log.stages[i].percent;
  }
  EXPECT_EQ(log.stages.back(), (Stage{4, 0}));
  EXPECT_EQ(connection.GetContentLength(), 10000u);
  EXPECT_EQ(vxtest::ReadFileBytes(dir / "out"), Repeat('p', 10000));
}

TEST_F(HttpRequestTest, WithoutContentLengthNoPercentIsReported) {
  server.Route("/slow", SlowBody(Delivery::kNoLength));
  ProgressLog log;
  ASSERT_EQ(connection.Get(server.Url("/slow"), {}, LogProgress, &log), vx::kHttpReplied);
  EXPECT_EQ(log.stages, (std::vector<Stage>{{0, 0}, {1, 0}, {2, 0}}));
}

TEST_F(HttpRequestTest, ACallbackAnsweringFalseCancels) {
  server.Route("/slow", SlowBody());
  for (int cancelStage : {0, 2, 3, 4}) {
    SCOPED_TRACE(cancelStage);
    ProgressLog log;
    log.answer = [cancelStage](const Stage& s) { return s.stage != cancelStage; };
    const fs::path file = dir / ("out" + std::to_string(cancelStage));
    EXPECT_EQ(connection.Get(server.Url("/slow"), file, LogProgress, &log), vx::kHttpCancelled);
    EXPECT_EQ(log.stages.back().stage, cancelStage);
    EXPECT_FALSE(fs::exists(file));
  }
  EXPECT_EQ(server.RequestCount(), 3) << "a cancel at stage 0 sends nothing";
}

TEST_F(HttpRequestTest, TheAbortFlagEndsARequestThatStalls) {
  server.Route("/stall", Reply(200, Repeat('s', 5000), Delivery::kStall));
  std::atomic<bool> abort{true};
  connection.SetAbortFlag(&abort);
  EXPECT_EQ(connection.Get(server.Url("/stall")), vx::kHttpCancelled);
}

}  // namespace
