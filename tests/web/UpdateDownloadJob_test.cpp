// The update download and apply against the test server: applied and committed only when the
// whole archive arrived sound and the database took every line; otherwise the catalogue is left
// exactly as it was.
#include "web/UpdateDownloadJob.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "tests/data/TestCatalog.h"
#include "tests/data/images/TestArchive.h"
#include "tests/support/TempDir.h"
#include "tests/web/JobRunning.h"
#include "tests/web/UpdateLines.h"
#include "tests/web/support/TestCertificates.h"
#include "tests/web/support/TestHttpServer.h"

namespace {

namespace fs = std::filesystem;
using Job = vx::UpdateDownloadJob;
using vxtest::TestReply;
using Delivery = vxtest::TestReply::Delivery;

constexpr int kEvent = 90;
constexpr const char* kArchivePath = "/quillor/update/VQ090SJIS.ZIP";

using vxtest::UpdateLine;

// Circle 3 (update id 1003) corrected, a new circle with update id 5000.
const std::string kUpdateText = UpdateLine(1003, 220, "X") + UpdateLine(5000, 110, "N");

class UpdateDownloadJobTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    vxtest::BuildSampleCatalog(db, kEvent);
    config.updateServer = server.BaseUrl();
    before = Circles();
  }

  std::string ArchiveBytes(const std::string& entry = "UPDATE.TXT",
                           const std::string& text = kUpdateText) {
    const fs::path path = dir / "made.zip";
    fs::remove(path);
    { vxtest::ZipWriter(path).Add(entry, text); }
    return vxtest::ReadFileBytes(path);
  }

  void Serve(std::string bytes, int status = 200, Delivery delivery = Delivery::kWhole) {
    TestReply reply;
    reply.status = status;
    reply.body = std::move(bytes);
    reply.delivery = delivery;
    reply.chunkBytes = 512;
    reply.pause = std::chrono::milliseconds(1);
    server.Route(kArchivePath, reply);
  }

  // Every circle row of the event, as text.
  std::vector<std::string> Circles() {
    std::vector<std::string> rows;
    db.ExecRows("select * from PavorunCircle order by pavorunNo, id;", [&](int n, char** columns) {
      std::string row;
      for (int i = 0; i < n; ++i) row += std::string(columns[i] ? columns[i] : "NULL") + "|";
      rows.push_back(row);
      return 0;
    });
    return rows;
  }

  void ExpectUnchanged() {
    EXPECT_EQ(Circles(), before);
    EXPECT_EQ(db.BeginTransaction(), 0) << "the job left its transaction open";
    db.Rollback();
  }

  void ExpectApplied() {
    vx::CircleRecord corrected;
    ASSERT_TRUE(db.SelectCircle(corrected, 3));
    EXPECT_EQ(corrected.penName, "penX");
    EXPECT_EQ(corrected.updateData, "updX");
    EXPECT_EQ(corrected.updateFlag, 1);
    vx::CircleRecord added;
    ASSERT_TRUE(db.SelectCircle(added, 7));
    EXPECT_EQ(added.updateId, 5000);
    EXPECT_EQ(added.circleName, "nameN");
  }

  // No temporary file of the job is left in $TMPDIR.
  static void ExpectNoTemporaryFiles() {
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path())) {
      EXPECT_NE(entry.path().filename().string().rfind("vindaxel", 0), 0u) << entry.path();
    }
  }

  vxtest::TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vxtest::TestHttpServer server;
  vx::WebServiceConfig config;
  std::vector<std::string> before;
};

TEST_F(UpdateDownloadJobTest, TheEventsArchiveIsFetchedCheckedAndApplied) {
  Serve(ArchiveBytes());
  Job job(db, kEvent, {}, config);
  vxtest::ProgressLines progress(job);
  EXPECT_EQ(vxtest::RunJob(job), Job::kDone) << vx::Cp932ToUtf8(job.ErrorDetail());
  ExpectApplied();
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].target, kArchivePath);
  EXPECT_EQ(requests[0].Header("User-Agent"), "Lothervanquist");
  ASSERT_FALSE(progress.lines.empty());
  EXPECT_EQ(progress.lines.front().rfind("ダウンロード中(", 0), 0u) << progress.lines.front();
  EXPECT_EQ(progress.lines.back(), "更新中(2/2)");
  EXPECT_EQ(vx::Cp932ToUtf8(job.ResultText(Job::kDone)), "データベースの更新が完了しました.");
  ExpectNoTemporaryFiles();
}

// An update server on http that has moved to https: the archive is taken from there.
TEST_F(UpdateDownloadJobTest, AnArchiveMovedToHttpsIsTakenFromThere) {
  const vxtest::TestCertificates certificates(dir.Path());
  vxtest::TestHttpServer secure(certificates.Good());
  TestReply archive;
  archive.body = ArchiveBytes();
  secure.Route(kArchivePath, archive);
  TestReply moved;
  moved.status = 301;
  moved.headers = {"Location: " + secure.Url(kArchivePath)};
  server.Route(kArchivePath, moved);
  config.caFile = certificates.CaFile();
  Job job(db, kEvent, {}, config);
  EXPECT_EQ(vxtest::RunJob(job), Job::kDone) << vx::Cp932ToUtf8(job.ErrorDetail());
  ExpectApplied();
  EXPECT_EQ(secure.RequestCount(), 1);
}

struct FailureCase {
  const char* name;
  int status;
  Delivery delivery;
  int outcome;
  const char* detail;  // UTF-8, found in the error detail
};

class UpdateFailureTest : public UpdateDownloadJobTest,
                          public testing::WithParamInterface<FailureCase> {};

TEST_P(UpdateFailureTest, NothingIsApplied) {
  const FailureCase& c = GetParam();
  std::string bytes = ArchiveBytes();
  if (std::string(c.name) == "corrupted") {
    for (std::size_t i = 60; i < 90; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x33);
  }
  Serve(bytes, c.status, c.delivery);
  Job job(db, kEvent, {}, config);
  const int outcome = vxtest::RunJob(job);
  EXPECT_EQ(outcome, c.outcome);
  EXPECT_NE(vx::Cp932ToUtf8(job.ErrorDetail()).find(c.detail), std::string::npos)
      << vx::Cp932ToUtf8(job.ErrorDetail());
  if (c.outcome == Job::kError) {
    EXPECT_EQ(vx::Cp932ToUtf8(job.ResultText(outcome))
                  .rfind("データベースの更新中にエラーが生じました.\r\n", 0),
              0u);
    EXPECT_EQ(Job::ResultIcon(outcome), vx::MB_ICONHAND);
  }
  ExpectUnchanged();
  ExpectNoTemporaryFiles();
}

INSTANTIATE_TEST_SUITE_P(
    Downloads, UpdateFailureTest,
    testing::Values(
        FailureCase{"noUpdate", 404, Delivery::kWhole, Job::kNoUpdate, ""},
        FailureCase{"serverError", 500, Delivery::kWhole, Job::kError,
                    "HTTP通信エラー:Internal Server Error:500"},
        FailureCase{"cutShort", 200, Delivery::kTruncated, Job::kError, "通信エラー:a0000012:"},
        FailureCase{"corrupted", 200, Delivery::kWhole, Job::kError, "更新ファイルが壊れています"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(UpdateDownloadJobTest, ArchivesWithoutAUsableUpdateTextAreErrors) {
  struct Case {
    const char* name;
    std::string bytes;
    std::uint64_t cap;
    const char* detail;
  };
  const Case cases[] = {
      {"no UPDATE.TXT", ArchiveBytes("UPDATE.CSV"), vx::kMaxUpdateTextBytes,
       "UPDATE.TXT がありません"},
      {"not a ZIP", kUpdateText, vx::kMaxUpdateTextBytes, "ZIP形式ではない"},
      {"too large unpacked", ArchiveBytes("UPDATE.TXT", kUpdateText + std::string(50000, ' ')),
       10000, "上限を超えています"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Serve(c.bytes);
    Job job(db, kEvent, {}, config);
    job.SetMaxUpdateTextBytes(c.cap);
    EXPECT_EQ(vxtest::RunJob(job), Job::kError);
    EXPECT_NE(vx::Cp932ToUtf8(job.ErrorDetail()).find(c.detail), std::string::npos);
    ExpectUnchanged();
  }
}

// A damaged or cut update text was applied up to the damage, or blamed on a read-only database.
TEST_F(UpdateDownloadJobTest, AnUpdateTextDamagedOrCutShortIsRefusedForWhatItIs) {
  std::string withNul = kUpdateText;
  withNul.insert(withNul.rfind("penN"), 1, '\0');
  const std::string cut = kUpdateText.substr(0, kUpdateText.rfind("\turlN"));
  const struct {
    std::string text;
    const char* why;
  } cases[] = {
      {withNul, "行 2: 列 11 に NUL 文字 (0x00) があります. ファイルが壊れている可能性があります."},
      {cut,
       "行 2: 行の途中でファイルが終わっています (列の数 12, 行の列の数 20). ファイルが途中で"
       "切れている可能性があります."},
  };
  for (const auto& c : cases) {
    vxtest::WriteFileBytes(dir / "chosen.zip", ArchiveBytes("UPDATE.TXT", c.text));
    Job job(db, kEvent, dir / "chosen.zip", config);
    const int outcome = vxtest::RunJob(job);
    EXPECT_EQ(outcome, Job::kError);
    EXPECT_EQ(vx::Cp932ToUtf8(job.ResultText(outcome)),
              "データベースの更新中にエラーが生じました.\r\nUPDATE.TXT: " + std::string(c.why) +
                  "\r\nデータベースは更新前のままです.");
    ExpectUnchanged();
  }
}

// Lines that are no update rows are named in the finished update's box; the rest is applied.
TEST_F(UpdateDownloadJobTest, LinesLeftOutOfAFinishedUpdateAreNamed) {
  vxtest::WriteFileBytes(dir / "chosen.zip",
                         ArchiveBytes("UPDATE.TXT", "1004\tjunk\r\n" + kUpdateText));
  Job job(db, kEvent, dir / "chosen.zip", config);
  EXPECT_EQ(vxtest::RunJob(job), Job::kDone) << vx::Cp932ToUtf8(job.ErrorDetail());
  ExpectApplied();
  EXPECT_EQ(vx::Cp932ToUtf8(job.ResultText(Job::kDone)),
            "データベースの更新が完了しました.\r\nUPDATE.TXT: 読み込めない行が 1 行あります "
            "(行 1). 行 1: 列の数 (2) が 9 から 20 ではありません. これらの行は反映していません.");
}

TEST_F(UpdateDownloadJobTest, ALowerCaseEntryIsFound) {
  Serve(ArchiveBytes("update.txt"));
  Job job(db, kEvent, {}, config);
  EXPECT_EQ(vxtest::RunJob(job), Job::kDone);
  ExpectApplied();
}

TEST_F(UpdateDownloadJobTest, AnUnreachableServerIsACommunicationError) {
  config.updateServer = "http://127.0.0.1:" + std::to_string(vxtest::ClosedLoopbackPort());
  Job job(db, kEvent, {}, config);
  EXPECT_EQ(vxtest::RunJob(job), Job::kError);
  EXPECT_NE(vx::Cp932ToUtf8(job.ErrorDetail()).find("通信エラー:a0000007:サーバーに接続できません"),
            std::string::npos);
  ExpectUnchanged();
}

TEST_F(UpdateDownloadJobTest, AChosenArchiveSkipsTheDownload) {
  vxtest::WriteFileBytes(dir / "chosen.zip", ArchiveBytes());
  Job job(db, kEvent, dir / "chosen.zip", config);
  vxtest::ProgressLines progress(job);
  EXPECT_EQ(vxtest::RunJob(job), Job::kDone);
  ExpectApplied();
  EXPECT_EQ(server.RequestCount(), 0);
  for (const std::string& line : progress.lines) EXPECT_EQ(line.rfind("更新中(", 0), 0u) << line;
  EXPECT_TRUE(fs::exists(dir / "chosen.zip")) << "the user's file is kept";
}

TEST_F(UpdateDownloadJobTest, WithoutContentLengthTheDownloadShowsNoPercent) {
  Serve(ArchiveBytes(), 200, Delivery::kNoLength);
  Job job(db, kEvent, {}, config);
  vxtest::ProgressLines progress(job);
  EXPECT_EQ(vxtest::RunJob(job), Job::kDone);
  for (const std::string& line : progress.lines) {
    if (line.rfind("ダウンロード中", 0) == 0) {
      EXPECT_EQ(line, "ダウンロード中(0/100)");
    }
  }
}

TEST_F(UpdateDownloadJobTest, CancelDuringTheDownloadRollsBack) {
  Serve(ArchiveBytes("UPDATE.TXT", kUpdateText + std::string(100000, '\n')), 200, Delivery::kSlow);
  Job job(db, kEvent, {}, config);
  vxtest::ProgressLines progress(job, [](vx::ProgressJob& j) {
    if (j.Position() >= 10) j.RequestCancel();
  });
  EXPECT_EQ(vxtest::RunJob(job), Job::kCancelled);
  EXPECT_EQ(vx::Cp932ToUtf8(job.ResultText(Job::kCancelled)),
            "データベースの更新がキャンセルされました.");
  ExpectUnchanged();
  ExpectNoTemporaryFiles();
}

TEST_F(UpdateDownloadJobTest, CancelDuringTheApplyRollsBack) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += UpdateLine(6000 + i, 110, "C");
  vxtest::WriteFileBytes(dir / "chosen.zip", ArchiveBytes("UPDATE.TXT", text));
  Job job(db, kEvent, dir / "chosen.zip", config);
  vxtest::ProgressLines progress(job, [](vx::ProgressJob& j) {
    if (j.Position() >= 20) j.RequestCancel();
  });
  EXPECT_EQ(vxtest::RunJob(job), Job::kCancelled);
  ExpectUnchanged();
}

// A write the database refuses fails the update, and what it applied before is rolled back.
TEST_F(UpdateDownloadJobTest, ARefusedWriteRollsBackWhatWasApplied) {
  Serve(ArchiveBytes("UPDATE.TXT", UpdateLine(5000, 110, "N") + UpdateLine(1003, 220, "X")));
  sqlite3_set_authorizer(
      db.Connection(),
      [](void*, int action, const char* table, const char*, const char*, const char*) {
        const bool circleUpdate = action == SQLITE_UPDATE && std::string(table) == "PavorunCircle";
        return circleUpdate ? SQLITE_DENY : SQLITE_OK;
      },
      nullptr);
  Job job(db, kEvent, {}, config);
  EXPECT_EQ(vxtest::RunJob(job), Job::kError);
  sqlite3_set_authorizer(db.Connection(), nullptr, nullptr);
  EXPECT_NE(vx::Cp932ToUtf8(job.ErrorDetail()).find("データベースに書き込めません"),
            std::string::npos);
  ExpectUnchanged();
}

}  // namespace
