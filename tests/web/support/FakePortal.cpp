#include "tests/web/support/FakePortal.h"

#include <algorithm>

#include "web/QueryString.h"

namespace vxtest {
namespace {

TestReply JsonReply(const picojson::value& value, int status = 200) {
  TestReply reply;
  reply.status = status;
  reply.body = Json(value);
  reply.headers = {"Content-Type: application/json; charset=UTF-8"};
  return reply;
}

picojson::value Object(std::initializer_list<std::pair<const std::string, picojson::value>> items) {
  return picojson::value(picojson::object(items));
}

picojson::value Text(const std::string& text) { return picojson::value(text); }

picojson::value Number(int n) { return picojson::value(static_cast<std::int64_t>(n)); }

picojson::value StatusReply(const std::string& status, const std::string& error = "",
                            const std::string& description = "") {
  return Object(
      {{"status", Text(status)}, {"error", Text(error)}, {"error_description", Text(description)}});
}

}  // namespace

FormFields ParseForm(std::string_view body) {
  FormFields fields;
  while (!body.empty()) {
    const std::string_view pair = body.substr(0, body.find('&'));
    body.remove_prefix(std::min(body.size(), pair.size() + 1));
    const std::size_t equals = pair.find('=');
    std::string name;
    std::string value;
    vx::PercentDecode(pair.substr(0, equals), name);
    if (equals != std::string_view::npos) vx::PercentDecode(pair.substr(equals + 1), value);
    fields.emplace_back(std::move(name), std::move(value));
  }
  return fields;
}

std::string FieldOf(const FormFields& fields, std::string_view name) {
  for (const auto& [key, value] : fields) {
    if (key == name) return value;
  }
  return {};
}

picojson::value Favorite(int updateId, int color, const std::string& memoUtf8) {
  return Object({{"circle", Object({{"updateId", Number(updateId)}})},
                 {"favorite", Object({{"color", Number(color)}, {"memo", Text(memoUtf8)}})}});
}

picojson::value UnknownFavorite(int updateId, const std::string& nameUtf8,
                                const std::string& kanaUtf8, int color,
                                const std::string& memoUtf8) {
  return Object({{"circle", Object({{"updateId", Number(updateId)},
                                    {"name", Text(nameUtf8)},
                                    {"name_kana", Text(kanaUtf8)},
                                    {"description", Text("desc " + nameUtf8)},
                                    {"twitter_url", Text("https://twitter.example/" + kanaUtf8)},
                                    {"pixiv_url", Text("")}})},
                 {"favorite", Object({{"color", Number(color)}, {"memo", Text(memoUtf8)}})}});
}

std::string Json(const picojson::value& value) { return value.serialize(); }

FakePortal::FakePortal(int maxConnections) : server_(maxConnections) { Install(); }

FakePortal::FakePortal(const TestTlsIdentity& tls, std::filesystem::path caFile, int maxConnections)
    : caFile_(std::move(caFile)), server_(tls, maxConnections) {
  Install();
}

void FakePortal::Install() {
  server_.Handle("/OAuth2/", [this](const TestRequest& r) { return LoginPage(r); });
  server_.Handle("/OAuth2/Token", [this](const TestRequest& r) { return Token(r); });
  server_.Handle("/Readers/FavoriteCircles/",
                 [this](const TestRequest& r) { return FavoritePage(r); });
  server_.Handle("/Readers/Favorite/", [this](const TestRequest& r) { return WriteFavorite(r); });
}

vx::WebServiceConfig FakePortal::Config() const {
  vx::WebServiceConfig config;
  config.authServer = config.sandboxAuthServer = BaseUrl();
  config.apiServer = config.sandboxApiServer = BaseUrl();
  config.updateServer = server_.BaseUrl();
  config.caFile = caFile_;
  return config;
}

// A page that sends the browser on at once, as a portal does for a user who is still logged in.
TestReply FakePortal::LoginPage(const TestRequest& request) const {
  std::map<std::string, std::string> query;
  vx::ParseQueryString(request.target, query);
  const std::string target =
      query["redirect_uri"] + "?code=" + kLoginCode + "&state=" + query["state"];
  TestReply reply;
  {
    std::lock_guard lock(mutex_);
    if (loginByRedirect_) {
      reply.status = 302;
      reply.headers = {"Location: " + target};
      return reply;
    }
  }
  reply.headers = {"Content-Type: text/html; charset=UTF-8"};
  reply.body =
      "<!DOCTYPE html><html><head><title>login</title></head><body>login<script>"
      "location.replace('" +
      target + "');</script></body></html>";
  return reply;
}

TestReply FakePortal::Token(const TestRequest& request) {
  std::lock_guard lock(mutex_);
  if (!tokenReplies_.empty()) {
    TestReply reply = std::move(tokenReplies_.front());
    tokenReplies_.pop_front();
    return reply;
  }
  const FormFields fields = ParseForm(request.body);
  if (FieldOf(fields, "grant_type") != "authorization_code" ||
      FieldOf(fields, "code") != kLoginCode) {
    return JsonReply(Object({{"error", Text("invalid_grant")}}), 400);
  }
  const std::string token = "token-" + std::to_string(issued_.size() + 1);
  issued_.push_back(token);
  accepted_.insert(token);
  return JsonReply(Object({{"access_token", Text(token)},
                           {"token_type", Text("bearer")},
                           {"expires_in", Number(3600)}}));
}

std::optional<TestReply> FakePortal::RefusedToken(const FormFields& fields) const {
  if (accepted_.contains(FieldOf(fields, "access_token"))) return std::nullopt;
  return JsonReply(StatusReply(refusalStatus_, "invalid_token", "the token is not valid"), 403);
}

TestReply FakePortal::FavoritePage(const TestRequest& request) {
  std::lock_guard lock(mutex_);
  const FormFields fields = ParseForm(request.body);
  if (auto refused = RefusedToken(fields)) return *refused;
  const int page = std::stoi(FieldOf(fields, "page"));
  if (const auto it = pageOverrides_.find(page); it != pageOverrides_.end()) {
    TestReply reply;
    reply.body = it->second;
    return reply;
  }
  picojson::array list;
  const auto size = static_cast<std::size_t>(pageSize_);
  const std::size_t first = static_cast<std::size_t>(page - 1) * size;
  for (std::size_t i = first; i < favorites_.size() && i < first + size; ++i) {
    if (!favorites_[i].is<picojson::null>()) list.push_back(favorites_[i]);
  }
  const auto kept = std::ranges::count_if(
      favorites_, [](const picojson::value& favorite) { return !favorite.is<picojson::null>(); });
  const int count = announcedCount_.value_or(static_cast<int>(list.size()));
  const int maxcount = announcedMaxcount_.value_or(static_cast<int>(kept));
  return JsonReply(Object({{"status", Text("success")},
                           {"response", Object({{"count", Number(count)},
                                                {"maxcount", Number(maxcount)},
                                                {"list", picojson::value(list)}})}}));
}

TestReply FakePortal::WriteFavorite(const TestRequest& request) {
  std::lock_guard lock(mutex_);
  const FormFields fields = ParseForm(request.body);
  writes_.push_back({request.method, fields});
  if (auto refused = RefusedToken(fields)) return *refused;
  const int updateId = std::stoi(FieldOf(fields, "updateId"));
  if (const auto it = refused_.find(updateId); it != refused_.end()) {
    return JsonReply(StatusReply("failure", it->second, "refused"));
  }
  const bool exists = stored_.contains(updateId);
  if ((request.method == "POST" && exists) || (request.method == "PUT" && putAnswersExist_)) {
    return JsonReply(StatusReply("failure", "favorite_exist", "already there"));
  }
  stored_[updateId] = {std::stoi(FieldOf(fields, "color")), FieldOf(fields, "memo")};
  return JsonReply(Object({{"status", Text("success")}}));
}

std::vector<std::string> FakePortal::IssuedTokens() const {
  std::lock_guard lock(mutex_);
  return issued_;
}

void FakePortal::SetLoginByRedirect(bool redirect) {
  std::lock_guard lock(mutex_);
  loginByRedirect_ = redirect;
}

void FakePortal::QueueTokenReply(TestReply reply) {
  std::lock_guard lock(mutex_);
  tokenReplies_.push_back(std::move(reply));
}

void FakePortal::RevokeTokens() {
  std::lock_guard lock(mutex_);
  accepted_.clear();
}

void FakePortal::SetRefusalStatus(std::string status) {
  std::lock_guard lock(mutex_);
  refusalStatus_ = std::move(status);
}

void FakePortal::AddFavorite(picojson::value element) {
  std::lock_guard lock(mutex_);
  favorites_.push_back(std::move(element));
}

void FakePortal::SetPageSize(int size) {
  std::lock_guard lock(mutex_);
  pageSize_ = size;
}

void FakePortal::AnnounceCounts(std::optional<int> count, std::optional<int> maxcount) {
  std::lock_guard lock(mutex_);
  announcedCount_ = count;
  announcedMaxcount_ = maxcount;
}

void FakePortal::OverridePage(int page, std::string body) {
  std::lock_guard lock(mutex_);
  pageOverrides_[page] = std::move(body);
}

std::map<int, StoredFavorite> FakePortal::Stored() const {
  std::lock_guard lock(mutex_);
  return stored_;
}

void FakePortal::Preset(int updateId, StoredFavorite favorite) {
  std::lock_guard lock(mutex_);
  stored_[updateId] = std::move(favorite);
}

void FakePortal::Refuse(int updateId, std::string error) {
  std::lock_guard lock(mutex_);
  refused_[updateId] = std::move(error);
}

void FakePortal::SetPutAnswersExist(bool exists) {
  std::lock_guard lock(mutex_);
  putAnswersExist_ = exists;
}

std::vector<PortalWrite> FakePortal::Writes() const {
  std::lock_guard lock(mutex_);
  return writes_;
}

std::vector<FormFields> FakePortal::ApiRequests(std::string_view path) const {
  std::vector<FormFields> requests;
  for (const TestRequest& request : server_.Requests()) {
    if (request.Path() == path) requests.push_back(ParseForm(request.body));
  }
  return requests;
}

}  // namespace vxtest
