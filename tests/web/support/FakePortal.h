// The organiser's portal as the tests need it, on 127.0.0.1: the login page (which sends the
// browser straight back to the blank page with a code and the state it was given), the token
// endpoint, the favourites read page by page and the favourites written with POST and PUT. Tokens
// are the ones the token endpoint handed out; any other is refused. Replies can be replaced where
// a test needs the portal to misbehave.
#pragma once

#include <picojson.h>

#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/web/support/TestHttpServer.h"
#include "web/WebServiceConfig.h"

namespace vxtest {

// Form fields in the order sent, decoded.
using FormFields = std::vector<std::pair<std::string, std::string>>;
FormFields ParseForm(std::string_view body);
std::string FieldOf(const FormFields& fields, std::string_view name);

// One element of a favourites page: a catalogue circle by its update id, with the user's mark.
picojson::value Favorite(int updateId, int color, const std::string& memoUtf8);
// A circle the catalogue does not know.
picojson::value UnknownFavorite(int updateId, const std::string& nameUtf8,
                                const std::string& kanaUtf8, int color,
                                const std::string& memoUtf8);
std::string Json(const picojson::value& value);

struct PortalWrite {
  std::string method;
  FormFields fields;
};

struct StoredFavorite {
  int color = 0;
  std::string memo;  // UTF-8
  bool operator==(const StoredFavorite&) const = default;
};

class FakePortal {
 public:
  static constexpr const char* kLoginCode = "code-from-login";

  explicit FakePortal(int maxConnections = 400);
  // Over https with `tls`, whose CA `caFile` the configuration names.
  FakePortal(const TestTlsIdentity& tls, std::filesystem::path caFile, int maxConnections = 400);

  TestHttpServer& Server() { return server_; }
  const TestHttpServer& Server() const { return server_; }
  // The login and the API servers, production and sandbox, all here ("http://127.0.0.1:n/", or
  // https with the CA file).
  vx::WebServiceConfig Config() const;
  std::string BaseUrl() const { return server_.BaseUrl() + "/"; }

  // --- Login and token -----------------------------------------------------------------------
  // The login page sends the browser back with an HTTP redirect rather than from a script.
  void SetLoginByRedirect(bool redirect);
  // Tokens handed out, in order: "token-1", "token-2", ...
  std::vector<std::string> IssuedTokens() const;
  // The next token request is answered with this instead (then the endpoint works again).
  void QueueTokenReply(TestReply reply);
  // Every token handed out so far is refused from now on.
  void RevokeTokens();
  // What a refused token is answered with ("access_token_denied" or "access_token_not_found").
  void SetRefusalStatus(std::string status);

  // --- Favourites read ------------------------------------------------------------------------
  // A null element is a circle deleted after the pages were cut: its page leaves it out.
  void AddFavorite(picojson::value element);
  // Favourites on a page (3 unless set).
  void SetPageSize(int size);
  // Every page says these counts instead of the true ones, as a portal whose counts lie.
  void AnnounceCounts(std::optional<int> count, std::optional<int> maxcount);
  // The reply to that page, whatever the favourites are.
  void OverridePage(int page, std::string body);

  // --- Favourites write -----------------------------------------------------------------------
  // Favourites the portal holds, by update id.
  std::map<int, StoredFavorite> Stored() const;
  void Preset(int updateId, StoredFavorite favorite);
  // Writes of this update id are refused with "failure" and `error`.
  void Refuse(int updateId, std::string error);
  // PUT answers "favorite_exist" too, as a broken portal might.
  void SetPutAnswersExist(bool exists);
  std::vector<PortalWrite> Writes() const;

  // The favourites requests (reads and writes), in order.
  std::vector<FormFields> ApiRequests(std::string_view path) const;

 private:
  void Install();
  TestReply LoginPage(const TestRequest& request) const;
  TestReply Token(const TestRequest& request);
  TestReply FavoritePage(const TestRequest& request);
  TestReply WriteFavorite(const TestRequest& request);
  std::optional<TestReply> RefusedToken(const FormFields& fields) const;

  mutable std::mutex mutex_;
  std::vector<std::string> issued_;
  std::set<std::string> accepted_;
  std::deque<TestReply> tokenReplies_;
  std::string refusalStatus_ = "access_token_denied";
  bool loginByRedirect_ = false;
  std::vector<picojson::value> favorites_;
  int pageSize_ = 3;
  std::optional<int> announcedCount_;
  std::optional<int> announcedMaxcount_;
  std::map<int, std::string> pageOverrides_;
  std::map<int, StoredFavorite> stored_;
  std::map<int, std::string> refused_;
  bool putAnswersExist_ = false;
  std::vector<PortalWrite> writes_;
  std::filesystem::path caFile_;
  TestHttpServer server_;  // last: it stops before the state it reads goes
};

}  // namespace vxtest
