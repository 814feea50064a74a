#include "web/FavoriteImportJob.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <string_view>

#include "app/ProgressTask.h"
#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "platform/LeadingInt.h"
#include "web/HttpErrorText.h"
#include "web/PortalConnection.h"
#include "web/PortalReply.h"
#include "web/TextConversions.h"

namespace vx {
namespace {

constexpr const char* kFailureCaption = "お気に入りインポート処理失敗";

// A number, or a text read as a decimal number; anything else is no id.
int UpdateIdOf(const picojson::object& circle) {
  const auto it = circle.find("updateId");
  if (it == circle.end()) return 0;
  if (it->second.is<std::string>()) return LeadingInt(it->second.get<std::string>());
  return JsonInt(it->second);
}

std::string CircleText(const picojson::object& circle, const char* key) {
  return Utf8ToAnsi(JsonMemberText(circle, key));
}

// A text update id is read by its leading digits.
bool TextFitsInt(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t\n\v\f\r+");
  if (start == std::string_view::npos) return true;
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
  if (error == std::errc::invalid_argument) return true;  // no digits: 0
  return error == std::errc() && value >= INT_MIN && value <= INT_MAX;
}

bool MemberFitsInt(const picojson::object& object, const char* key, bool textToo = false) {
  const auto it = object.find(key);
  if (it == object.end()) return true;
  if (textToo && it->second.is<std::string>()) return TextFitsInt(it->second.get<std::string>());
  return JsonFitsInt(it->second);
}

// Every number of the page that is read (its counts, each favourite's update id and colour) fits
// the int it is read into: 1e308 is no update id.
bool NumbersFit(const picojson::object& response) {
  if (!MemberFitsInt(response, "count") || !MemberFitsInt(response, "maxcount")) return false;
  const auto list = response.find("list");
  if (list == response.end() || !list->second.is<picojson::array>()) return true;
  return std::ranges::all_of(list->second.get<picojson::array>(), [](const picojson::value& e) {
    if (!e.is<picojson::object>()) return true;
    const picojson::object* circle = JsonMemberObject(e.get<picojson::object>(), "circle");
    const picojson::object* favorite = JsonMemberObject(e.get<picojson::object>(), "favorite");
    return (circle == nullptr || MemberFitsInt(*circle, "updateId", true)) &&
           (favorite == nullptr || MemberFitsInt(*favorite, "color"));
  });
}

}  // namespace

FavoriteImportJob::FavoriteImportJob(ProgressTask& task, FavoriteStore& store,
                                     const PortalServices& services)
    : PortalJob(task, services), store_(store) {}

std::string FavoriteImportJob::Caption() { return Sjis("チェックリストのインポート"); }

std::string FavoriteImportJob::ProgressText(int position, int total) const {
  return FormatProgressText(Sjis("チェックリストを読み込んでいます"), position, total);
}

const char* FavoriteImportJob::FailureCaption() const { return kFailureCaption; }

StepResult FavoriteImportJob::Step() {
  store_.DiscardImport();  // what a declined file load left behind is not the portal's
  int result = 0;
  RunPasses([this, &result] { return result = ImportFavoritesFromPortal(); });
  ReportEnd(result);
  return StepResult::kFinished;
}

int FavoriteImportJob::ImportFavoritesFromPortal() {
  std::string token;
  if (const int result = login_.GetAccessToken(token); result != kTokenReady) return result;
  // A pass after a new login reads everything again: what an earlier pass read goes.
  store_.GetImportRecords().clear();
  CollectUnknownCircles();
  pass_ = PassState();
  for (int page = 1;; ++page) {
    int result = 0;
    switch (ReadPage(page, token, result)) {
      case PageOutcome::kEnded:
        return result;
      case PageOutcome::kLast:
        return 0;
      case PageOutcome::kNext:
        break;
    }
    if (PagesNeeded() > maxPages_) {
      ShowError(TooManyPagesText());
      return 3;
    }
    if (PortalRanDry(page)) return 0;
  }
}

std::string FavoriteImportJob::TooManyPagesText() const {
  return Sjis("ポータルのお気に入り ") + std::to_string(pass_.maxcount) + Sjis(" 件は 1 ページ ") +
         std::to_string(pass_.pageSize) + Sjis(" 件で ") + std::to_string(maxPages_) +
         Sjis(" ページを超えるため、読み込みを打ち切りました。");
}

std::int64_t FavoriteImportJob::PagesNeeded() const {
  if (pass_.pageSize <= 0) return 1;
  const std::int64_t pageSize = pass_.pageSize;
  return std::max<std::int64_t>((std::int64_t{pass_.maxcount} + pageSize - 1) / pageSize, 1);
}

// One short page may be a page the portal lost; the next one short too is its end. A portal whose
// counts are not what its lists hold ends one page after the pages its maxcount needs; one whose
// pages shrink by deleted favourites but are whole by their counts is read to its end.
bool FavoriteImportJob::PortalRanDry(int page) const {
  return pass_.shortPages >= 2 || (pass_.miscounted && page > PagesNeeded());
}

// Complete when the lists held every element the portal announced: one without an id was sent,
// the portal's own count includes it.
void FavoriteImportJob::ReportEnd(int result) const {
  const bool readToEnd = result == 0 && pass_.pagesRead > 0 && !Stopped();
  const bool everything = pass_.maxcount > 0 ? pass_.received >= pass_.maxcount : readToEnd;
  if (everything) {
    ShowBox(Sjis("インポート完了しました"), "インポート完了", MB_ICONINFORMATION);
    return;
  }
  ShowBox(ShortReadText(readToEnd), readToEnd ? "インポート完了" : "インポート中断",
          MB_ICONWARNING);
}

std::string FavoriteImportJob::ShortReadText(bool readToEnd) const {
  const std::size_t imported = pass_.imported.size();
  if (imported == 0 && pass_.maxcount <= 0) {
    return Sjis("ポータルのお気に入りは 1 件もインポートしていません。");
  }
  const std::string rest =
      Sjis(readToEnd ? "残りはポータルから受け取れませんでした。" : "残りは読み込んでいません。");
  if (pass_.maxcount <= 0) {
    return Sjis("ポータルのお気に入りを ") + std::to_string(imported) +
           Sjis(" 件インポートしました。") + rest;
  }
  return Sjis("ポータルのお気に入り ") + std::to_string(pass_.maxcount) + Sjis(" 件のうち ") +
         std::to_string(imported) + Sjis(" 件をインポートしました。") + rest;
}

FavoriteImportJob::PageOutcome FavoriteImportJob::ReadPage(int page, const std::string& token,
                                                           int& result) {
  HttpConnection connection = NewPortalConnection(services_.config, &task_.stop);
  connection.AddFormParam("access_token", token);
  connection.AddFormParam("eventNumber", login_.EventNumberText());
  connection.AddFormParam("eventName", "Vellastrade");
  connection.AddFormParam("circle_name", "");
  connection.AddFormParamInt("page", page);
  const int sent = connection.Post(login_.ApiBaseUrl() + "Readers/FavoriteCircles/");
  PortalReply reply;
  if (const int failed = ReadReply(sent, connection, reply); failed != 0) {
    if (failed == kRequestGivenUp) return PageOutcome::kLast;
    result = failed;
    return PageOutcome::kEnded;
  }
  if (reply.Classify() != PortalStatus::kSuccess) {
    result = RefusedReply(reply);
    return PageOutcome::kEnded;
  }
  ListTally list;
  if (const picojson::object* response = reply.Response()) {
    if (!NumbersFit(*response)) {
      result = BadNumberReply();
      return PageOutcome::kEnded;
    }
    list = ReadResponse(*response);
  }
  ++pass_.pagesRead;
  pass_.shortPages = IsShort(list) ? pass_.shortPages + 1 : 0;
  if (Stopped() || pass_.total >= pass_.maxcount) return PageOutcome::kLast;
  return PageOutcome::kNext;
}

// Smaller than the pages before it is no fault: the portal leaves out what was deleted after it
// cut its pages. One repeated favourite is a list that moved while it was read; a page of nothing
// else is no new page.
bool FavoriteImportJob::IsShort(const ListTally& page) {
  return page.elements < page.count || page.elements == 0 || page.RepeatsOnly();
}

// The page's favourites go to the store, its count to the total.
FavoriteImportJob::ListTally FavoriteImportJob::ReadResponse(const picojson::object& response) {
  const int count = JsonMemberInt(response, "count");
  if (response.contains("maxcount")) pass_.maxcount = JsonMemberInt(response, "maxcount");
  ListTally sent;
  if (const auto list = response.find("list"); list != response.end()) {
    sent = ReadList(list->second);
  }
  sent.count = count;
  if (count != sent.elements) pass_.miscounted = true;
  pass_.total += count;
  if (!sent.RepeatsOnly()) pass_.received += sent.elements;
  pass_.pageSize = std::max({pass_.pageSize, count, sent.elements});
  return sent;
}

int FavoriteImportJob::RefusedReply(const PortalReply& reply) {
  switch (reply.Classify()) {
    case PortalStatus::kTokenDenied:
    case PortalStatus::kTokenNotFound:
      return RefusedToken(reply);
    case PortalStatus::kServerError:
      ShowError(reply.FailureText());
      return 3;
    default:
      ShowError(reply.FailureText());
      login_.ClearAccessToken();
      return 1;
  }
}

// As the parser's own "number out of range": an unreadable reply.
int FavoriteImportJob::BadNumberReply() {
  ShowError(Sjis("不正な結果:") + "number out of range");
  login_.ClearAccessToken();
  return 1;
}

FavoriteImportJob::ListTally FavoriteImportJob::ReadList(const picojson::value& list) {
  ListTally sent;
  if (!list.is<picojson::array>()) return sent;
  for (const picojson::value& element : list.get<picojson::array>()) {
    if (Stopped()) break;
    ++sent.elements;
    const int updateId = ImportFavorite(element);
    if (updateId == 0) continue;
    ++sent.favourites;
    if (pass_.imported.insert(updateId).second) ++sent.fresh;
    ++pass_.processed;
    if (pass_.processed <= pass_.maxcount) ReportProgress(pass_.processed, pass_.maxcount);
  }
  return sent;
}

// No favourite: not an object, no circle, no update id.
int FavoriteImportJob::ImportFavorite(const picojson::value& element) {
  if (!element.is<picojson::object>()) return 0;
  const picojson::object& item = element.get<picojson::object>();
  const picojson::object* circle = JsonMemberObject(item, "circle");
  const int updateId = circle != nullptr ? UpdateIdOf(*circle) : 0;
  if (updateId == 0) return 0;
  int color = 0;
  std::string memo;
  if (const picojson::object* favorite = JsonMemberObject(item, "favorite")) {
    color = JsonMemberInt(*favorite, "color");
    memo = Utf8ToAnsi(JsonMemberText(*favorite, "memo"));
  }
  // The portal's colour numbers are ours, but nothing holds the portal to our colour count.
  color = std::clamp(color, 0, store_.GetColorCount());
  if (!store_.AddImportRecordBySerial(updateId, color, memo)) {
    AddUnknownCircleRow(updateId, color, memo, *circle);
  }
  return updateId;
}

void FavoriteImportJob::AddUnknownCircleRow(int updateId, int color, const std::string& memo,
                                            const picojson::object& circle) {
  if (!unknownRows_.insert(updateId).second) return;  // listed twice: the first one counts
  FavoriteImportRecord row;
  row.action = kImportRegisterUnknown;
  row.color = color;
  row.texts[kImportCircleName] = CircleText(circle, "name");
  row.texts[kImportCircleKana] = CircleText(circle, "name_kana");
  row.texts[kImportDescription] = CircleText(circle, "description");
  row.texts[kImportTwitter] = CircleText(circle, "twitter_url");
  row.texts[kImportPixiv] = CircleText(circle, "pixiv_url");
  row.texts[kImportMemo] = memo;
  const std::pair key(row.texts[kImportCircleName], row.texts[kImportCircleKana]);
  if (const auto known = unknownIds_.find(key); known != unknownIds_.end()) {
    // The checklist has it already: the row updates that circle instead of adding another.
    row.action = kImportRegister;
    row.circleId = known->second;
  }
  store_.GetImportRecords().push_back(std::move(row));
}

void FavoriteImportJob::CollectUnknownCircles() {
  unknownIds_.clear();
  unknownRows_.clear();
  // The walk over every entry, unchecked ones too (an unchecked one is still in the checklist).
  store_.AddAllToPrintRecords([this](const FavoriteEntry& entry) {
    const CircleRecord& record = entry.record;
    if (record.id < 0 && !record.circleName.empty()) {
      unknownIds_.emplace(std::pair(record.circleName, record.circleKana), record.id);
    }
    return true;
  });
}

}  // namespace vx
