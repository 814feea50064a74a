// The portal's favourites read into the checklist: pages, rows, commits, refused tokens, errors and
// cancel, against the fake portal.
#include "web/FavoriteImportJob.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/CodePage.h"
#include "tests/web/JobRunning.h"
#include "tests/web/PortalFixture.h"

namespace {

using vxtest::Favorite;
using vxtest::FieldOf;
using vxtest::FormFields;
using vxtest::UnknownFavorite;

// (colour, memo, circle name) by circle id; texts UTF-8.
using Entries = std::map<int, std::tuple<int, std::string, std::string>>;

class FavoriteImportTest : public vxtest::PortalFixture {
 protected:
  void SetUp() override {
    PortalFixture::SetUp();
    ASSERT_NO_FATAL_FAILURE(StoreToken("start-token"));  // one the portal does not know
  }

  // The seven favourites of the portal, three to a page: five catalogue circles (update ids 1001
  // to 1005 are circles 1 to 5) and two circles the catalogue does not know.
  void AddSevenFavorites() {
    portal.AddFavorite(Favorite(1001, 1, "メモ1"));
    portal.AddFavorite(Favorite(1002, 2, ""));
    portal.AddFavorite(UnknownFavorite(9001, "未知", "みち", 3, "知らない"));
    portal.AddFavorite(Favorite(1003, 0, "メモだけ"));
    portal.AddFavorite(Favorite(1004, 4, "メモ4"));
    portal.AddFavorite(UnknownFavorite(9002, "Other", "other", 5, ""));
    portal.AddFavorite(Favorite(1005, 5, "メモ5"));
  }

  int Run(vx::FavoriteImportJob& job) { return vxtest::RunJob(job); }

  // The import as the controller runs it: the job, then the commit with "FvrOver" and
  // "FvrOverColor" off.
  bool ImportAndCommit() {
    vx::FavoriteImportJob job(task, *store, services);
    EXPECT_EQ(Run(job), 0);
    return store->CommitImportRecords(false, false);
  }

  Entries CurrentEntries() const {
    Entries entries;
    store->AddAllToPrintRecords([&](const vx::FavoriteEntry& entry) {
      entries[entry.record.id] = {entry.color, vx::Cp932ToUtf8(entry.record.memo),
                                  vx::Cp932ToUtf8(entry.record.circleName)};
      return true;
    });
    return entries;
  }

  std::vector<FormFields> PageRequests() const {
    return portal.ApiRequests("/Readers/FavoriteCircles/");
  }

  // Every request to `path` is answered with `body`.
  void AnswerAlways(const std::string& path, std::string body) {
    portal.Server().Handle(path, [body = std::move(body)](const vxtest::TestRequest&) {
      vxtest::TestReply reply;
      reply.body = body;
      return reply;
    });
  }
};

constexpr int kFirstUnknown = INT_MIN + 1;

TEST_F(FavoriteImportTest, ThreePagesIntoAnEmptyChecklist) {
  KnownToken();
  AddSevenFavorites();
  ExpectBoxes(1);
  vx::FavoriteImportJob job(task, *store, services);
  vxtest::ProgressLines progress(job);
  EXPECT_EQ(Run(job), 0);

  const auto pages = PageRequests();
  ASSERT_EQ(pages.size(), 3u);
  for (int page = 1; page <= 3; ++page) {
    EXPECT_EQ(pages[page - 1], (FormFields{{"access_token", "token-1"},
                                           {"eventNumber", "96"},
                                           {"eventName", "Vellastrade"},
                                           {"circle_name", ""},
                                           {"page", std::to_string(page)}}));
  }
  EXPECT_EQ(progress.lines.front(), "チェックリストを読み込んでいます...(1/7)");
  EXPECT_EQ(progress.lines.back(), "チェックリストを読み込んでいます...(7/7)");
  EXPECT_EQ(progress.lines.size(), 7u);
  EXPECT_EQ(Boxes(), (decltype(Boxes()){{"インポート完了", "インポート完了しました"}}));
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).at(0).flags,
            vx::MB_OK | vx::MB_ICONINFORMATION);
  EXPECT_EQ(store->GetEntryCount(), 0);  // nothing before the commit
  EXPECT_EQ(store->GetImportRecords().size(), 7u);

  ASSERT_TRUE(store->CommitImportRecords(false, false));
  EXPECT_EQ(CurrentEntries(), (Entries{{kFirstUnknown, {3, "知らない", "未知"}},
                                       {kFirstUnknown + 1, {5, "", "Other"}},
                                       {1, {1, "メモ1", "Alpha"}},
                                       {2, {2, "", "Beta"}},
                                       {3, {0, "メモだけ", "Gamma"}},
                                       {4, {4, "メモ4", "Delta"}},
                                       {5, {5, "メモ5", "がっこう"}}}));
  vx::CircleRecord unknown;
  ASSERT_TRUE(store->CopyCircle(kFirstUnknown, unknown));
  EXPECT_EQ(vx::Cp932ToUtf8(unknown.circleKana), "みち");
  EXPECT_EQ(vx::Cp932ToUtf8(unknown.description), "desc 未知");
  EXPECT_EQ(unknown.twitter, "https://twitter.example/" + vx::Sjis("みち"));
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(FavoriteImportTest, IntoAChecklistThatHoldsSomeOfThem) {
  KnownToken();
  AddSevenFavorites();
  ASSERT_TRUE(store->SetColorAndMemo(1, 7, vx::Sjis("古いメモ")));
  ASSERT_TRUE(store->SetColorAndMemo(6, 2, ""));
  vx::CircleRecord texts;
  texts.circleName = vx::Sjis("未知");
  texts.circleKana = vx::Sjis("みち");
  texts.memo = vx::Sjis("知らない");
  const int unknownId = store->AddUnknownCircle(8, texts);
  ExpectBoxes(1);
  ASSERT_TRUE(ImportAndCommit());
  EXPECT_EQ(CurrentEntries(),
            (Entries{{unknownId, {8, "知らない", "未知"}},  // the same circle, not a second one
                     {unknownId + 1, {5, "", "Other"}},
                     {1, {7, "古いメモメモ1", "Alpha"}},  // colour kept, memos joined
                     {2, {2, "", "Beta"}},
                     {3, {0, "メモだけ", "Gamma"}},
                     {4, {4, "メモ4", "Delta"}},
                     {5, {5, "メモ5", "がっこう"}},
                     {6, {2, "", "Unplaced"}}}));
}

TEST_F(FavoriteImportTest, AnImportOfOnlyUnknownCirclesIsCommitted) {
  KnownToken();
  portal.AddFavorite(UnknownFavorite(9001, "未知", "みち", 3, "知らない"));
  portal.AddFavorite(UnknownFavorite(9002, "Other", "other", 0, "memo"));
  ExpectBoxes(1);
  vx::FavoriteImportJob job(task, *store, services);
  Run(job);
  EXPECT_EQ(store->GetEntryCount(), 0);
  ASSERT_TRUE(store->CommitImportRecords(false, false));  // the caller marks the checklist changed
  EXPECT_EQ(CurrentEntries(), (Entries{{kFirstUnknown, {3, "知らない", "未知"}},
                                       {kFirstUnknown + 1, {0, "memo", "Other"}}}));
}

TEST_F(FavoriteImportTest, ASecondImportChangesNothing) {
  KnownToken();
  AddSevenFavorites();
  portal.AddFavorite(UnknownFavorite(9001, "未知", "みち", 3, "知らない"));  // listed twice
  ExpectBoxes(2);
  ASSERT_TRUE(ImportAndCommit());
  const std::string first = store->SaveText();
  const Entries entries = CurrentEntries();
  EXPECT_EQ(entries.size(), 7u);
  ASSERT_TRUE(ImportAndCommit());
  EXPECT_EQ(store->GetImportRecords().size(), 7u);  // this pass's rows only
  EXPECT_EQ(CurrentEntries(), entries);
  EXPECT_EQ(store->SaveText(), first);
}

TEST_F(FavoriteImportTest, RowsLeftByAnotherLoadAreNotCommittedWithThePortals) {
  KnownToken();
  portal.AddFavorite(Favorite(1001, 1, ""));
  vx::FavoriteImportRecord stale;
  stale.action = vx::kImportRegister;
  stale.circleId = 4;
  stale.color = 6;
  store->GetImportRecords().push_back(stale);
  ExpectBoxes(1);
  ASSERT_TRUE(ImportAndCommit());
  EXPECT_EQ(CurrentEntries(), (Entries{{1, {1, "", "Alpha"}}}));
}

TEST_F(FavoriteImportTest, ColoursAreHeldToTheColourCount) {
  KnownToken();
  store->SetColorCount(9);
  portal.AddFavorite(Favorite(1001, 50, ""));
  portal.AddFavorite(Favorite(1002, -3, "m"));
  portal.AddFavorite(UnknownFavorite(9001, "U", "u", 1000000, ""));
  portal.AddFavorite(UnknownFavorite(9002, "V", "v", -1, "m"));
  ExpectBoxes(1);
  ASSERT_TRUE(ImportAndCommit());
  EXPECT_EQ(CurrentEntries(), (Entries{{kFirstUnknown, {9, "", "U"}},
                                       {kFirstUnknown + 1, {0, "m", "V"}},
                                       {1, {9, "", "Alpha"}},
                                       {2, {0, "m", "Beta"}}}));
}

TEST_F(FavoriteImportTest, ElementsThatAreNoFavouriteAreSkippedAndNotCounted) {
  KnownToken();
  portal.OverridePage(1, R"({"status":"success","response":{"count":7,"maxcount":7,"list":[
      {"circle":{"updateId":"1002xyz"},"favorite":{"color":2.9,"memo":"m"}},
      {"circle":{"updateId":0},"favorite":{"color":1}},
      {"circle":{"updateId":"none"}},
      {"favorite":{"color":1}},
      {"circle":"1003"},
      "text",
      {"circle":{"updateId":1001.7}}
    ]}})");
  ExpectBoxes(1);
  vx::FavoriteImportJob job(task, *store, services);
  vxtest::ProgressLines progress(job);
  Run(job);
  EXPECT_EQ(progress.lines, (std::vector<std::string>{"チェックリストを読み込んでいます...(1/7)",
                                                      "チェックリストを読み込んでいます...(2/7)"}));
  EXPECT_EQ(PageRequests().size(), 1u);
  EXPECT_EQ(Boxes().at(0).second, "インポート完了しました");  // the portal sent all it announced
  ASSERT_TRUE(store->CommitImportRecords(false, false));
  EXPECT_EQ(CurrentEntries(), (Entries{{1, {0, "", "Alpha"}}, {2, {2, "m", "Beta"}}}));
}

TEST_F(FavoriteImportTest, WithoutMaxcountOnlyTheFirstPageIsRead) {
  KnownToken();
  portal.OverridePage(1, R"({"status":"success","response":{"count":1,
      "list":[{"circle":{"updateId":1001}}]}})");
  ExpectBoxes(1);
  ASSERT_TRUE(ImportAndCommit());
  EXPECT_EQ(PageRequests().size(), 1u);
  EXPECT_EQ(CurrentEntries(), (Entries{{1, {0, "", "Alpha"}}}));
}

TEST_F(FavoriteImportTest, APageThatAddsNothingIsNoEndWhileThePortalSaysMoreRemain) {
  KnownToken();
  portal.OverridePage(1, R"({"status":"success","response":{"count":1,"maxcount":2,
      "list":[{"circle":{"updateId":1001}}]}})");
  portal.OverridePage(2, R"({"status":"success","response":{"count":0,"maxcount":2,"list":[]}})");
  portal.OverridePage(3, R"({"status":"success","response":{"count":1,"maxcount":2,
      "list":[{"circle":{"updateId":1002}}]}})");
  ExpectBoxes(1);
  ASSERT_TRUE(ImportAndCommit());
  EXPECT_EQ(PageRequests().size(), 3u);
  EXPECT_EQ(CurrentEntries(), (Entries{{1, {0, "", "Alpha"}}, {2, {0, "", "Beta"}}}));
  EXPECT_EQ(Boxes().at(0).second, "インポート完了しました");
}

// A portal whose counts call for more pages than any real one has is not believed past its first.
TEST_F(FavoriteImportTest, ACountThatNoPortalReachesEndsTheReadAfterTheFirstPage) {
  KnownToken();
  portal.Server().Handle("/Readers/FavoriteCircles/", [](const vxtest::TestRequest& request) {
    const std::string page = FieldOf(vxtest::ParseForm(request.body), "page");
    vxtest::TestReply reply;
    reply.body = R"({"status":"success","response":{"count":1,"maxcount":100000000,"list":[
        {"circle":{"updateId":)" +
                 std::to_string(9000 + std::stoi(page)) + "}}]}}";
    return reply;
  });
  ExpectBoxes(2);
  vx::FavoriteImportJob job(task, *store, services);
  job.SetMaxPages(5);
  Run(job);
  EXPECT_EQ(PageRequests().size(), 1u);
  EXPECT_EQ(store->GetImportRecords().size(), 1u);  // what was read is kept for the commit
  EXPECT_EQ(Boxes(), (decltype(Boxes()){
                         {"お気に入りインポート処理失敗",
                          "ポータルのお気に入り 100000000 件は 1 ページ 1 件で 5 ページを超える"
                          "ため、読み込みを打ち切りました。"},
                         {"インポート中断",
                          "ポータルのお気に入り 100000000 件のうち 1 件をイン"
                          "ポートしました。残りは読み込んでいません。"}}));
}

// Counts that lie cost no more requests than the lists the pages hold call for: a page that holds
// fewer elements than the fullest page promised or held, or only repeats, is the portal's last when
// the next one does too. The end says how many of how many came, and whether the rest was not read
// or never came.
TEST_F(FavoriteImportTest, PortalsWhoseCountsLieEndWhereTheirFavouritesDo) {
  struct Case {
    const char* name;
    int favourites;  // circles the catalogue does not know
    int pageSize;
    std::optional<int> count;  // what every page says instead of the truth
    std::optional<int> maxcount;
    std::size_t requests;
    std::vector<std::pair<std::string, std::string>> boxes;  // (caption, text)
    unsigned endIcon;
    const char* everyPage = nullptr;  // the reply to every page instead
    // Instead of favourites: 'f' one, 'r' the one a page before again, '-' one without an id,
    // 'x' one deleted after paging, which its page leaves out.
    const char* elements = nullptr;
  };
  const std::string cut = "お気に入りインポート処理失敗";
  const std::string done = "インポート完了しました";
  const Case cases[] = {
      {"a page of three, then nothing",
       3,
       3,
       {},
       30,
       3,
       {{"インポート完了",
         "ポータルのお気に入り 30 件のうち 3 件をインポートしました。残りはポー"
         "タルから受け取れませんでした。"}},
       vx::MB_ICONWARNING},
      {"nothing from the start",
       0,
       3,
       {},
       30,
       2,
       {{"インポート完了",
         "ポータルのお気に入り 30 件のうち 0 件をインポートしました。残りはポー"
         "タルから受け取れませんでした。"}},
       vx::MB_ICONWARNING},
      {"counts that promise more than the list holds",
       3,
       3,
       300,
       300,
       1,
       {{"インポート完了",
         "ポータルのお気に入り 300 件のうち 3 件をインポートしました。残りはポ"
         "ータルから受け取れませんでした。"}},
       vx::MB_ICONWARNING},
      {"counts that promise less than the lists hold",
       6,
       3,
       1,
       {},
       3,
       {{"インポート完了", "インポート完了しました"}},
       vx::MB_ICONINFORMATION},
      {"a page size the lists never fill",
       20,
       1,
       30,
       300,
       2,
       {{"インポート完了",
         "ポータルのお気に入り 300 件のうち 2 件をインポートしました。残りはポ"
         "ータルから受け取れませんでした。"}},
       vx::MB_ICONWARNING},
      {"one a page and a count no portal reaches",
       10,
       1,
       {},
       2147483647,
       1,
       {{cut,
         "ポータルのお気に入り 2147483647 件は 1 ページ 1 件で 2000 ページを超えるため、読"
         "み込みを打ち切りました。"},
        {"インポート中断",
         "ポータルのお気に入り 2147483647 件のうち 1 件をインポートしました。"
         "残りは読み込んでいません。"}},
       vx::MB_ICONWARNING},
      {"the same page again and again",
       0,
       3,
       {},
       {},
       3,
       {{"インポート完了",
         "ポータルのお気に入り 30 件のうち 3 件をインポートしました。残りはポー"
         "タルから受け取れませんでした。"}},
       vx::MB_ICONWARNING,
       R"({"status":"success","response":{"count":3,"maxcount":30,"list":[
           {"circle":{"updateId":1001}},{"circle":{"updateId":1002}},
           {"circle":{"updateId":1003}}]}})"},
      // Honest portals: every element counts, whether it has an id or repeats one.
      {"some elements of every page without an id",
       0,
       5,
       {},
       {},
       3,
       {{"インポート完了", done}},
       vx::MB_ICONINFORMATION,
       nullptr,
       "ff-ff-ff-ff-ff-"},
      {"one element a page without an id",
       0,
       10,
       {},
       {},
       5,
       {{"インポート完了", done}},
       vx::MB_ICONINFORMATION,
       nullptr,
       "fffffffff-fffffffff-fffffffff-fffffffff-fffffffff-"},
      {"a list that moved while read",
       0,
       5,
       {},
       {},
       4,
       {{"インポート完了", done}},
       vx::MB_ICONINFORMATION,
       nullptr,
       "fffffrffffff-fffff"},
      {"the same page twice, and counts that add up",
       0,
       3,
       {},
       6,
       2,
       {{"インポート完了",
         "ポータルのお気に入り 6 件のうち 3 件をインポートしました。残りはポー"
         "タルから受け取れませんでした。"}},
       vx::MB_ICONWARNING,
       nullptr,
       "fffrrr"},
      {"pages that shrink a little, their counts honest",
       0,
       10,
       {},
       {},
       5,
       {{"インポート完了", done}},
       vx::MB_ICONINFORMATION,
       nullptr,
       "ffffffffff"
       "fffxffffff"
       "ffxfffffxf"
       "ffffffffff"
       "ffffffffff"},
      {"pages that shrink far, more of them than the first page's size needs",
       0,
       10,
       {},
       {},
       6,
       {{"インポート完了", done}},
       vx::MB_ICONINFORMATION,
       nullptr,
       "ffffffffff"
       "fxxffxxfxx"
       "xxxfxfxfxf"
       "xfxfxxfxfx"
       "xxfxfxfxxf"
       "ffffffffff"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    vxtest::FakePortal lying;
    const std::string elements = c.elements ? c.elements : std::string(c.favourites, 'f');
    std::vector<int> ids;
    for (const char e : elements) {
      const int i = static_cast<int>(ids.size());
      ids.push_back(e == 'f' ? 9001 + i : e == 'r' ? ids[i - c.pageSize] : 0);
      lying.AddFavorite(e == 'x' ? picojson::value() : Favorite(ids.back(), 1, ""));
    }
    lying.SetPageSize(c.pageSize);
    lying.AnnounceCounts(c.count, c.maxcount);
    if (c.everyPage != nullptr) {
      lying.Server().Handle("/Readers/FavoriteCircles/", [&c](const vxtest::TestRequest&) {
        vxtest::TestReply reply;
        reply.body = c.everyPage;
        return reply;
      });
    }
    services.config = lying.Config();
    StoreToken("");  // a login on this portal
    vx::ScriptedUiServices boxes;
    for (std::size_t i = 0; i < c.boxes.size(); ++i) boxes.QueueAnswer(IDOK);
    services.ui = &boxes;
    vx::FavoriteImportJob job(task, *store, services);
    EXPECT_EQ(Run(job), 0);
    EXPECT_EQ(lying.ApiRequests("/Readers/FavoriteCircles/").size(), c.requests);
    const auto shown = boxes.CallsOf(vx::UiCallKind::kMessageBox);
    std::vector<std::pair<std::string, std::string>> texts;
    for (const vx::UiCall& box : shown) {
      texts.emplace_back(vx::Cp932ToUtf8(box.caption), vx::Cp932ToUtf8(box.text));
    }
    EXPECT_EQ(texts, c.boxes);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().flags, vx::MB_OK | c.endIcon);
  }
}

// Counts whose sum leaves the int range still add up: the second page reaches maxcount. The one
// favourite listed twice is one of those announced.
TEST_F(FavoriteImportTest, PageCountsAddUpBeyondTheIntRange) {
  KnownToken();
  AnswerAlways("/Readers/FavoriteCircles/",
               R"({"status":"success","response":{"count":2000000000,"maxcount":2147483647,
                   "list":[{"circle":{"updateId":1001}}]}})");
  ExpectBoxes(1);
  vx::FavoriteImportJob job(task, *store, services);
  job.SetMaxPages(10);
  Run(job);
  EXPECT_EQ(PageRequests().size(), 2u);
  EXPECT_EQ(Boxes(), (decltype(Boxes()){{"インポート完了",
                                         "ポータルのお気に入り 2147483647 件のうち 1 件をインポート"
                                         "しました。残りはポータルから受け取れませんでした。"}}));
}

TEST_F(FavoriteImportTest, ARefusedTokenIsClearedAndTheNextPassReadsEverythingOnce) {
  KnownToken();
  AddSevenFavorites();
  ExpectBoxes(2);
  vx::FavoriteImportJob job(task, *store, services);
  // The portal stops taking the token after the first page.
  vxtest::ProgressLines progress(job, [this](vx::ProgressJob& running) {
    if (running.Position() == 3 && portal.IssuedTokens().size() == 1) portal.RevokeTokens();
  });
  Run(job);
  EXPECT_EQ(dialogs.loginAddresses.size(), 1u);
  EXPECT_EQ(StoredToken(), "token-2");
  const auto pages = PageRequests();
  ASSERT_EQ(pages.size(), 5u);
  EXPECT_EQ(FieldOf(pages[1], "access_token"), "token-1");
  EXPECT_EQ(FieldOf(pages[2], "access_token"), "token-2");
  EXPECT_EQ(FieldOf(pages[2], "page"), "1");
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].first, "お気に入りインポート処理失敗");
  EXPECT_EQ(boxes[0].second,
            "アクセストークンが無効なためクリアして再認証します\r\n"
            "invalid_token:the token is not valid");
  EXPECT_EQ(boxes[1].second, "インポート完了しました");
  EXPECT_EQ(store->GetImportRecords().size(), 7u);
  ASSERT_TRUE(store->CommitImportRecords(false, false));
  EXPECT_EQ(store->GetEntryCount(), 7);  // every circle once, the unknown ones too
}

TEST_F(FavoriteImportTest, AStoredTokenThePortalDoesNotKnowLeadsToALogin) {
  portal.AddFavorite(Favorite(1001, 1, ""));
  ExpectBoxes(2);
  ASSERT_TRUE(ImportAndCommit());
  EXPECT_EQ(dialogs.loginAddresses.size(), 1u);
  const auto pages = PageRequests();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(FieldOf(pages[0], "access_token"), "start-token");
  EXPECT_EQ(FieldOf(pages[1], "access_token"), "token-1");
  EXPECT_EQ(CurrentEntries(), (Entries{{1, {1, "", "Alpha"}}}));
}

TEST_F(FavoriteImportTest, ATokenNotFoundLogsInAgainWithoutABox) {
  portal.SetRefusalStatus("access_token_not_found");
  portal.AddFavorite(Favorite(1001, 1, ""));
  ExpectBoxes(1);
  ASSERT_TRUE(ImportAndCommit());
  EXPECT_EQ(dialogs.loginAddresses.size(), 1u);
  EXPECT_EQ(Boxes().size(), 1u);  // the completion only
}

TEST_F(FavoriteImportTest, APortalThatRefusesEveryTokenIsNotAskedForEver) {
  portal.SetRefusalStatus("access_token_not_found");
  AnswerAlways("/Readers/FavoriteCircles/", R"({"status":"access_token_not_found"})");
  ExpectBoxes(2);
  vx::FavoriteImportJob job(task, *store, services);
  Run(job);
  EXPECT_EQ(dialogs.loginAddresses.size(), 2u);  // the start token, then two logins
  EXPECT_EQ(PageRequests().size(), 3u);
  EXPECT_EQ(Boxes(), (decltype(Boxes()){
                         {"お気に入りインポート処理失敗",
                          "ポータルが新しいアクセストークンも受け付けません。時間をおいてやり直"
                          "してください。"},
                         {"インポート中断",
                          "ポータルのお気に入りは 1 件もインポートしていませ"
                          "ん。"}}));
  EXPECT_EQ(StoredToken(), "");
}

TEST_F(FavoriteImportTest, ATokenEndpointThatNeverIssuesOneIsReportedSo) {
  StoreToken("");
  AnswerAlways("/OAuth2/Token", R"({"error":"temporarily_unavailable"})");
  ExpectBoxes(5);
  vx::FavoriteImportJob job(task, *store, services);
  Run(job);
  EXPECT_EQ(dialogs.loginAddresses.size(), 3u);
  EXPECT_TRUE(PageRequests().empty());
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[2].second.rfind("アクセストークン取得失敗のため再認証します:temporarily", 0), 0u);
  EXPECT_EQ(boxes[3].second,
            "ポータルからアクセストークンを取得できませんでした。時間をおいてやり直してください。");
  EXPECT_EQ(boxes[4].second, "ポータルのお気に入りは 1 件もインポートしていません。");
}

TEST_F(FavoriteImportTest, ACancelledLoginEndsTheImport) {
  dialogs.QueueLogin([](vx::OAuthLoginFlow& flow) { flow.Cancel(); });
  StoreToken("");
  ExpectBoxes(1);
  vx::FavoriteImportJob job(task, *store, services);
  EXPECT_EQ(job.ImportFavoritesFromPortal(), vx::kTokenCancelled);
  EXPECT_EQ(portal.Server().RequestCount(), 0);
  EXPECT_EQ(Boxes().at(0).second, "認証処理がキャンセルされました");
}

TEST_F(FavoriteImportTest, ErrorRepliesEndThePassAndKeepWhatWasRead) {
  const std::string nested(100000, '[');
  const std::string nestedText =
      "不正な結果:syntax error at line 1 near: " + std::string(40, '[') + "...";
  const vxtest::PortalErrorCase cases[] = {
      {"HTTP error", 500, "", 3, "HTTP通信エラー:Internal Server Error:500", true},
      {"not JSON", 200, "<html>", 1, "不正な結果:syntax error*", false},
      {"not an object", 200, "[]", 1, "不正な結果:", false},
      {"number out of range", 200, R"({"status":"success","response":{"count":1e999}})", 1,
       "不正な結果:number out of range", false},
      {"403 not JSON", 403, "Forbidden", 1, "不正な結果:syntax error*", false},
      // The parser's excerpt of the reply, short and readable.
      {"nested too deep", 200, nested.c_str(), 1, nestedText.c_str(), false},
      {"Japanese text", 200, "サーバーが混雑しています", 1,
       "不正な結果:syntax error at line 1 near: サーバーが混雑しています", false},
      {"server error", 200,
       R"({"status":"server_error","error":"db","error_description":"down",
          "response":{"error":"db2"}})",
       3, "処理失敗:server_error\r\ndb2\r\ndown", true},
      {"other status", 403, R"({"status":"bad_request","error":"e","error_description":"d"})", 1,
       "処理失敗:bad_request\r\ne\r\nd", false},
      {"no status", 200, R"({"response":{}})", 1, "処理失敗:\r\n\r\n", false},
      // Numbers a double holds but the field does not.
      {"update id out of range", 200,
       R"({"status":"success","response":{"count":1,"list":[{"circle":{"updateId":1e308}}]}})", 1,
       "不正な結果:number out of range", false},
      {"update id text out of range", 200,
       R"({"status":"success","response":{"count":1,
           "list":[{"circle":{"updateId":"99999999999"}}]}})",
       1, "不正な結果:number out of range", false},
      {"colour out of range", 200,
       R"({"status":"success","response":{"count":1,
           "list":[{"circle":{"updateId":1002},"favorite":{"color":-3e9}}]}})",
       1, "不正な結果:number out of range", false},
      {"count out of range", 200, R"({"status":"success","response":{"count":4294967296}})", 1,
       "不正な結果:number out of range", false},
  };
  for (const vxtest::PortalErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    vxtest::FakePortal failing;
    failing.Server().Handle("/OAuth2/Token", [](const vxtest::TestRequest&) {
      return vxtest::TestReply{};  // not used: the token is stored
    });
    failing.Server().Handle("/Readers/FavoriteCircles/", [&c](const vxtest::TestRequest& request) {
      vxtest::TestReply reply;
      if (FieldOf(vxtest::ParseForm(request.body), "page") == "1") {
        reply.body = R"({"status":"success","response":{"count":1,"maxcount":9,
            "list":[{"circle":{"updateId":1001},"favorite":{"color":2}}]}})";
      } else {
        reply.status = c.status;
        reply.body = c.body;
      }
      return reply;
    });
    services.config = failing.Config();
    StoreToken("kept");
    vx::ScriptedUiServices boxes;
    boxes.QueueAnswer(IDOK);
    services.ui = &boxes;
    store->GetImportRecords().clear();
    vx::FavoriteImportJob job(task, *store, services);
    EXPECT_EQ(job.ImportFavoritesFromPortal(), c.result);
    EXPECT_EQ(failing.Server().RequestCount(), 2);
    EXPECT_EQ(store->GetImportRecords().size(), 1u);
    vxtest::ExpectErrorBox(boxes, "お気に入りインポート処理失敗", c.text);
    EXPECT_EQ(StoredToken(), c.tokenKept ? "kept" : "");
  }
}

// Whatever ends an import short, its last box says how far it got.
TEST_F(FavoriteImportTest, EveryEndSaysWhatWasImported) {
  struct Case {
    const char* name;
    int status;
    const char* secondPage;
    std::vector<std::string> boxes;
  };
  const std::string oneOfNine =
      "ポータルのお気に入り 9 件のうち 1 件をインポートしました。残りは"
      "読み込んでいません。";
  const Case cases[] = {
      {"server error", 500, "", {"HTTP通信エラー:Internal Server Error:500", oneOfNine}},
      {"not JSON", 200, "<html>", {"不正な結果:syntax error at line 1 near: <html>", oneOfNine}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    vxtest::FakePortal failing;
    failing.Server().Handle("/Readers/FavoriteCircles/", [&c](const vxtest::TestRequest& request) {
      vxtest::TestReply reply;
      if (FieldOf(vxtest::ParseForm(request.body), "page") == "1") {
        reply.body = R"({"status":"success","response":{"count":1,"maxcount":9,
            "list":[{"circle":{"updateId":1001}}]}})";
      } else {
        reply.status = c.status;
        reply.body = c.secondPage;
      }
      return reply;
    });
    services.config = failing.Config();
    StoreToken("kept");
    vx::ScriptedUiServices boxes;
    boxes.QueueAnswer(IDOK);
    boxes.QueueAnswer(IDOK);
    services.ui = &boxes;
    vx::FavoriteImportJob job(task, *store, services);
    Run(job);
    std::vector<std::string> shown;
    for (const vx::UiCall& box : boxes.CallsOf(vx::UiCallKind::kMessageBox)) {
      shown.push_back(vx::Cp932ToUtf8(box.text));
    }
    EXPECT_EQ(shown, c.boxes);
    EXPECT_EQ(vx::Cp932ToUtf8(boxes.CallsOf(vx::UiCallKind::kMessageBox).back().caption),
              "インポート中断");
    EXPECT_EQ(store->GetImportRecords().size(), 1u);
  }
}

TEST_F(FavoriteImportTest, ACancelBeforeTheFirstPageSaysThatNothingWasImported) {
  KnownToken();
  vx::FavoriteImportJob job(task, *store, services);
  portal.Server().Handle("/Readers/FavoriteCircles/", [&job](const vxtest::TestRequest&) {
    job.RequestCancel();
    vxtest::TestReply stalled;  // the request is given up before it ends
    stalled.body = std::string(5000, ' ');
    stalled.delivery = vxtest::TestReply::Delivery::kStall;
    return stalled;
  });
  ExpectBoxes(1);
  Run(job);
  EXPECT_EQ(Boxes(),
            (decltype(Boxes()){
                {"インポート中断", "ポータルのお気に入りは 1 件もインポートしていません。"}}));
  EXPECT_TRUE(store->GetImportRecords().empty());
}

TEST_F(FavoriteImportTest, AnUnreachablePortalIsReported) {
  services.config.apiServer =
      "http://127.0.0.1:" + std::to_string(vxtest::ClosedLoopbackPort()) + "/";
  ExpectBoxes(1);
  vx::FavoriteImportJob job(task, *store, services);
  EXPECT_EQ(job.ImportFavoritesFromPortal(), 2);
  EXPECT_EQ(Boxes().at(0).second.rfind("通信エラー:a", 0), 0u);
  EXPECT_EQ(StoredToken(), "start-token");
}

TEST_F(FavoriteImportTest, CancelKeepsWhatWasReadAndSkipsTheRest) {
  KnownToken();
  AddSevenFavorites();
  ExpectBoxes(1);
  vx::FavoriteImportJob job(task, *store, services);
  vxtest::ProgressLines progress(job, [](vx::ProgressJob& running) {
    if (running.Position() == 2) running.RequestCancel();
  });
  EXPECT_EQ(Run(job), 0);
  EXPECT_TRUE(task.stop.load());
  EXPECT_EQ(PageRequests().size(), 1u);
  EXPECT_EQ(store->GetImportRecords().size(), 2u);
  EXPECT_EQ(Boxes(), (decltype(Boxes()){{"インポート中断",
                                         "ポータルのお気に入り 7 件のうち 2 件を"
                                         "インポートしました。残りは読み込んで"
                                         "いません。"}}));
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox).at(0).flags, vx::MB_OK | vx::MB_ICONWARNING);
  ASSERT_TRUE(store->CommitImportRecords(false, false));
  EXPECT_EQ(CurrentEntries(), (Entries{{1, {1, "メモ1", "Alpha"}}, {2, {2, "", "Beta"}}}));
}

}  // namespace
