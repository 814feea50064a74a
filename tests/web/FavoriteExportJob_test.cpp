// The checklist sent to the portal: what is sent and how, favourites the portal already holds,
// refusals, errors, refused tokens and cancel, against the fake portal.
#include "web/FavoriteExportJob.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "tests/web/JobRunning.h"
#include "tests/web/PortalFixture.h"

namespace {

using vxtest::FieldOf;
using vxtest::FormFields;
using vxtest::PortalWrite;
using vxtest::StoredFavorite;

class FavoriteExportTest : public vxtest::PortalFixture {
 protected:
  // Circles 1 (colour 1, a memo), 2 (colour 3) and 3 (memo only) are sent; circle 6 has no
  // space, circle 4 is unchecked and the unknown circle is not the catalogue's.
  void FillChecklist() {
    ASSERT_TRUE(store->SetColorAndMemo(1, 1, vx::Sjis("メモ")));
    ASSERT_TRUE(store->SetColor(2, 3));
    ASSERT_TRUE(store->SetColorAndMemo(3, 0, "memo only"));
    ASSERT_TRUE(store->SetColor(6, 2));
    ASSERT_TRUE(store->SetColor(4, 2));
    ASSERT_TRUE(store->SetColor(4, -1));
    vx::CircleRecord texts;
    texts.circleName = "unknown";
    store->AddUnknownCircle(5, texts);
  }

  int Run(vx::FavoriteExportJob& job) { return vxtest::RunJob(job); }
  int Run() {
    vx::FavoriteExportJob job(task, *store, services);
    return Run(job);
  }

  // (method, update id) of every write.
  std::vector<std::pair<std::string, std::string>> Sent() const {
    std::vector<std::pair<std::string, std::string>> sent;
    for (const PortalWrite& write : portal.Writes()) {
      sent.emplace_back(write.method, FieldOf(write.fields, "updateId"));
    }
    return sent;
  }

  std::vector<std::string> ResultTexts() const {
    std::vector<std::string> texts;
    for (const std::string& text : dialogs.exportResults) texts.push_back(vx::Cp932ToUtf8(text));
    return texts;
  }
};

using Sends = std::vector<std::pair<std::string, std::string>>;
using BoxList = std::vector<std::pair<std::string, std::string>>;

TEST_F(FavoriteExportTest, PlacedEntriesAreSentOneRequestEach) {
  KnownToken();
  FillChecklist();
  ExpectBoxes(1);
  vx::FavoriteExportJob job(task, *store, services);
  vxtest::ProgressLines progress(job);
  EXPECT_EQ(Run(job), 0);
  const auto writes = portal.Writes();
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(writes[0].method, "POST");
  EXPECT_EQ(writes[0].fields, (FormFields{{"access_token", "token-1"},
                                          {"eventNumber", "96"},
                                          {"eventName", "Vellastrade"},
                                          {"updateId", "1001"},
                                          {"color", "1"},
                                          {"memo", "メモ"}}));
  EXPECT_EQ(Sent(), (Sends{{"POST", "1001"}, {"POST", "1002"}, {"POST", "1003"}}));
  EXPECT_EQ(portal.Stored(), (std::map<int, StoredFavorite>{
                                 {1001, {1, "メモ"}}, {1002, {3, ""}}, {1003, {0, "memo only"}}}));
  // The total counts every entry, so the bar need not reach its end.
  EXPECT_EQ(progress.lines, (std::vector<std::string>{"チェックリストを書き出しています...(1/6)",
                                                      "チェックリストを書き出しています...(2/6)",
                                                      "チェックリストを書き出しています...(3/6)"}));
  EXPECT_EQ(Boxes(), (BoxList{{"エクスポート完了", "エクスポート完了しました"}}));
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).at(0).flags,
            vx::MB_OK | vx::MB_ICONINFORMATION);
  EXPECT_TRUE(dialogs.exportResults.empty());
  EXPECT_EQ(store->GetEntryCount(), 6);
  EXPECT_EQ(store->GetColor(1), 1);
}

TEST_F(FavoriteExportTest, AFavouriteThePortalHoldsIsSentAgainWithPut) {
  KnownToken();
  FillChecklist();
  portal.Preset(1002, {7, "old"});
  ExpectBoxes(1);
  Run();
  EXPECT_EQ(Sent(), (Sends{{"POST", "1001"}, {"POST", "1002"}, {"PUT", "1002"}, {"POST", "1003"}}));
  const auto writes = portal.Writes();
  EXPECT_EQ(writes[2].fields, writes[1].fields);
  EXPECT_EQ(portal.Stored().at(1002), (StoredFavorite{3, ""}));
  EXPECT_EQ(Boxes(), (BoxList{{"エクスポート完了", "エクスポート完了しました"}}));
}

TEST_F(FavoriteExportTest, APortalThatKeepsAnsweringExistsIsNotAskedForEver) {
  KnownToken();
  ASSERT_TRUE(store->SetColor(1, 1));
  ASSERT_TRUE(store->SetColor(2, 2));
  portal.Preset(1001, {1, ""});
  portal.SetPutAnswersExist(true);
  Run();
  EXPECT_EQ(
      Sent(),
      (Sends{
          {"POST", "1001"}, {"PUT", "1001"}, {"PUT", "1001"}, {"PUT", "1001"}, {"POST", "1002"}}));
  EXPECT_EQ(ResultTexts(), (std::vector<std::string>{
                               "エクスポート結果\r\n\r\n以下のサークルのエクスポートは失敗しました"
                               "\r\n\r\nAlpha:favorite_exist\r\n\r\n"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FavoriteExportTest, RefusedFavouritesAreListedInWalkOrder) {
  KnownToken();
  FillChecklist();
  portal.Refuse(1003, "closed");
  portal.Refuse(1001, "circle_not_found");
  vx::FavoriteExportJob job(task, *store, services);
  vxtest::ProgressLines progress(job);
  Run(job);
  EXPECT_EQ(Sent(), (Sends{{"POST", "1001"}, {"POST", "1002"}, {"POST", "1003"}}));
  EXPECT_EQ(ResultTexts(), (std::vector<std::string>{
                               "エクスポート結果\r\n\r\n以下のサークルのエクスポートは失敗しました"
                               "\r\n\r\nAlpha:circle_not_found\r\nGamma:closed\r\n\r\n"}));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(progress.lines.size(), 3u);  // refused ones are answered too
}

TEST_F(FavoriteExportTest, AnEmptyChecklistSendsNothingAndSaysNothing) {
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(portal.Server().RequestCount(), 0);
  EXPECT_TRUE(dialogs.loginAddresses.empty());
  EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(FavoriteExportTest, AChecklistWithNothingToSendStillLogsInAndCompletes) {
  ASSERT_TRUE(store->SetColor(6, 1));  // no space
  ExpectBoxes(1);
  Run();
  EXPECT_EQ(dialogs.loginAddresses.size(), 1u);
  EXPECT_TRUE(portal.Writes().empty());
  EXPECT_EQ(Boxes(), (BoxList{{"エクスポート完了", "エクスポート完了しました"}}));
}

TEST_F(FavoriteExportTest, ARefusedTokenIsClearedAndTheNextPassSendsEverythingAgain) {
  KnownToken();
  FillChecklist();
  ExpectBoxes(2);
  vx::FavoriteExportJob job(task, *store, services);
  vxtest::ProgressLines progress(job, [this](vx::ProgressJob& running) {
    if (running.Position() == 1 && portal.IssuedTokens().size() == 1) portal.RevokeTokens();
  });
  Run(job);
  EXPECT_EQ(Sent(), (Sends{{"POST", "1001"},
                           {"POST", "1002"},  // refused token
                           {"POST", "1001"},
                           {"PUT", "1001"},  // taken by the first pass
                           {"POST", "1002"},
                           {"POST", "1003"}}));
  EXPECT_EQ(FieldOf(portal.Writes()[2].fields, "access_token"), "token-2");
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].first, "お気に入りエクスポート処理失敗");
  EXPECT_EQ(boxes[0].second,
            "アクセストークンが無効なためクリアして再認証します\r\ninvalid_token:the token is not "
            "valid");
  EXPECT_EQ(boxes[1].second, "エクスポート完了しました");  // once, for the pass that finished
  EXPECT_EQ(StoredToken(), "token-2");
}

constexpr const char* kOneOfThreeSent =
    "お気に入り 3 件のうち 1 件を送信しました。残りの 2 件は送信していません。";

TEST_F(FavoriteExportTest, AnErrorStopsTheWalkAndSaysHowFarItGot) {
  const vxtest::PortalErrorCase cases[] = {
      {"HTTP error", 500, "", 3, "HTTP通信エラー:Internal Server Error:500", true},
      {"not JSON", 200, "oops", 1, "不正な結果:syntax error*", false},
      {"number out of range", 200, R"({"status":"success","a":1e999})", 1,
       "不正な結果:number out of range", false},
      {"server error", 200, R"({"status":"server_error","error":"db","error_description":"down"})",
       3, "処理失敗:server_error\r\ndb\r\ndown", true},
      {"other status", 403, R"({"status":"what","response":{"error":"e"}})", 1,
       "処理失敗:what\r\ne\r\n", true},
  };
  KnownToken();
  const std::string token = StoredToken();
  for (const vxtest::PortalErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    vxtest::FakePortal failing;
    int request = 0;
    failing.Server().Handle("/Readers/Favorite/", [&](const vxtest::TestRequest&) {
      vxtest::TestReply reply;
      if (++request == 1) {
        reply.body = R"({"status":"failure","error":"closed"})";
      } else {
        reply.status = c.status;
        reply.body = c.body;
      }
      return reply;
    });
    services.config = failing.Config();
    StoreToken(token);
    vx::ScriptedUiServices boxes;
    boxes.QueueAnswer(IDOK);
    boxes.QueueAnswer(IDOK);
    services.ui = &boxes;
    vxtest::ScriptedPortalDialogs results;
    services.dialogs = &results;
    store = std::make_unique<vx::FavoriteStore>(*db_);
    FillChecklist();
    vx::FavoriteExportJob job(task, *store, services);
    EXPECT_EQ(job.ExportFavoritesToPortal(), c.result);
    EXPECT_EQ(request, 2);  // the third entry is not sent
    // The error, and how far the export got instead of a completion box.
    vxtest::ExpectErrorBox(boxes, "お気に入りエクスポート処理失敗", c.text, 2);
    vxtest::ExpectBoxText(boxes.CallsOf(vx::UiCallKind::kMessageBox).at(1), kOneOfThreeSent);
    // What was refused before the error is still listed.
    ASSERT_EQ(results.exportResults.size(), 1u);
    EXPECT_NE(results.exportResults[0].find("Alpha:closed"), std::string::npos);
    EXPECT_EQ(StoredToken(), c.tokenKept ? token : "");
  }
}

TEST_F(FavoriteExportTest, AnUnreachablePortalIsReported) {
  KnownToken();
  FillChecklist();
  services.config.apiServer =
      "http://127.0.0.1:" + std::to_string(vxtest::ClosedLoopbackPort()) + "/";
  ExpectBoxes(2);
  vx::FavoriteExportJob job(task, *store, services);
  EXPECT_EQ(job.ExportFavoritesToPortal(), 2);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].second.rfind("通信エラー:", 0), 0u);
  EXPECT_GT(boxes[0].second.size(), std::string("通信エラー:").size());
  EXPECT_EQ(boxes[1].second,
            "お気に入り 3 件のうち 0 件を送信しました。残りの 3 件は送信していません。");
}

// A portal that sends the request round in circles: the box gives the failure's code and what it
// means, as the import's does.
TEST_F(FavoriteExportTest, ARedirectLoopIsReportedWithItsCodeAndMeaning) {
  KnownToken();
  FillChecklist();
  portal.Server().Handle("/Readers/Favorite/", [this](const vxtest::TestRequest&) {
    vxtest::TestReply reply;
    reply.status = 302;
    reply.headers = {"Location: " + portal.Server().Url("/Readers/Favorite/")};
    return reply;
  });
  ExpectBoxes(2);
  vx::FavoriteExportJob job(task, *store, services);
  EXPECT_EQ(job.ExportFavoritesToPortal(), 2);
  EXPECT_EQ(Boxes().at(0).second, "通信エラー:a000002f:転送の回数が多すぎます");
}

TEST_F(FavoriteExportTest, CancelStopsBeforeTheNextFavouriteAndSaysHowFarItGot) {
  KnownToken();
  FillChecklist();
  ExpectBoxes(1);
  vx::FavoriteExportJob job(task, *store, services);
  vxtest::ProgressLines progress(job, [](vx::ProgressJob& running) {
    if (running.Position() == 1) running.RequestCancel();
  });
  EXPECT_EQ(Run(job), 0);
  EXPECT_EQ(Sent(), (Sends{{"POST", "1001"}}));
  EXPECT_EQ(Boxes(), (BoxList{{"エクスポート中断", kOneOfThreeSent}}));  // stopped, not done
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).at(0).flags, vx::MB_OK | vx::MB_ICONWARNING);
  EXPECT_TRUE(dialogs.exportResults.empty());
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(FavoriteExportTest, CancelStillListsWhatWasRefused) {
  KnownToken();
  FillChecklist();
  portal.Refuse(1001, "closed");
  ExpectBoxes(1);
  vx::FavoriteExportJob job(task, *store, services);
  vxtest::ProgressLines progress(job, [](vx::ProgressJob& running) {
    if (running.Position() == 1) running.RequestCancel();
  });
  Run(job);
  EXPECT_EQ(Sent(), (Sends{{"POST", "1001"}}));
  EXPECT_EQ(dialogs.exportResults.size(), 1u);
}

}  // namespace
