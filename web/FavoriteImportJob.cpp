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
  for (int page = 1; page <= maxPages_; ++page) {
    int result = 0;
    switch (ReadPage(page, token, result)) {
      case PageOutcome::kEnded: return result;
      case PageOutcome::kLast: return 0;
      case PageOutcome::kNext: break;
    }
    // Pages that stay empty while the count says more remain end here.
    if (page >= PageBound()) return 0;
  }
  ShowError(Sjis("ポータルのお気に入りが ") + std::to_string(maxPages_) +
            Sjis(" ページで終わらないため、読み込みを打ち切りました。"));
  return 3;
}

std::int64_t FavoriteImportJob::PageBound() const {
  if (pass_.fullestPage <= 0) return 2;
  const std::int64_t pageSize = pass_.fullestPage;
  const std::int64_t needed = (std::int64_t{pass_.maxcount} + pageSize - 1) / pageSize;
  return std::max<std::int64_t>(needed, 1) + 1;
}

// Only a read that reached the portal's own count is complete.
void FavoriteImportJob::ReportEnd(int result) const {
  if (result == 0 && pass_.pagesRead > 0 && pass_.total >= pass_.maxcount && !Stopped()) {
    ShowBox(Sjis("インポート完了しました"), "インポート完了", MB_ICONINFORMATION);
  } else {
    ShowBox(ShortReadText(), "インポート中断", MB_ICONWARNING);
  }
}

std::string FavoriteImportJob::ShortReadText() const {
  if (pass_.processed == 0 && pass_.maxcount <= 0) {
    return Sjis("ポータルのお気に入りは 1 件もインポートしていません。");
  }
  const std::string rest = Sjis(" 件をインポートしました。残りは読み込んでいません。");
  if (pass_.maxcount <= 0) {
    return Sjis("ポータルのお気に入りを ") + std::to_string(pass_.processed) + rest;
  }
  return Sjis("ポータルのお気に入り ") + std::to_string(std::max(pass_.maxcount, pass_.processed)) +
         Sjis(" 件のうち ") + std::to_string(pass_.processed) + rest;
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
  if (const picojson::object* response = reply.Response()) {
    if (!NumbersFit(*response)) {
      result = BadNumberReply();
      return PageOutcome::kEnded;
    }
    ReadResponse(*response);
  }
  ++pass_.pagesRead;
  // A page that adds nothing is no end while the portal's count says more remain: the page bound
  // ends a portal that never gets there.
  if (Stopped() || pass_.total >= pass_.maxcount) return PageOutcome::kLast;
  return PageOutcome::kNext;
}

// The page's favourites go to the store, its count to the total.
void FavoriteImportJob::ReadResponse(const picojson::object& response) {
  const int count = JsonMemberInt(response, "count");
  if (response.contains("maxcount")) pass_.maxcount = JsonMemberInt(response, "maxcount");
  if (const auto list = response.find("list"); list != response.end()) ReadList(list->second);
  pass_.total += count;
  pass_.fullestPage = std::max(pass_.fullestPage, count);
}

int FavoriteImportJob::RefusedReply(const PortalReply& reply) {
  switch (reply.Classify()) {
    case PortalStatus::kTokenDenied:
    case PortalStatus::kTokenNotFound: return RefusedToken(reply);
    case PortalStatus::kServerError: ShowError(reply.FailureText()); return 3;
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

void FavoriteImportJob::ReadList(const picojson::value& list) {
  if (!list.is<picojson::array>()) return;
  for (const picojson::value& element : list.get<picojson::array>()) {
    if (Stopped()) return;
    if (!ImportFavorite(element)) continue;
    ++pass_.processed;
    if (pass_.processed <= pass_.maxcount) ReportProgress(pass_.processed, pass_.maxcount);
  }
}

// False when the element is no favourite (not an object, no circle, no update id).
bool FavoriteImportJob::ImportFavorite(const picojson::value& element) {
  if (!element.is<picojson::object>()) return false;
  const picojson::object& item = element.get<picojson::object>();
  const picojson::object* circle = JsonMemberObject(item, "circle");
  const int updateId = circle != nullptr ? UpdateIdOf(*circle) : 0;
  if (updateId == 0) return false;
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
  return true;
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
