// The favourites kept on the organiser's portal, read into the checklist store as the job of the
// checklist load dialog: page by page from "Readers/FavoriteCircles/", each favourite a row that
// waits for the caller's commit (CommitImportRecords with "FvrOver" and "FvrOverColor"), as the
// rows of a checklist file do. A circle of the catalogue (found by its update id) is registered;
// any other becomes an unknown circle, or updates the named unknown circle of the same name and
// kana that the checklist already holds, so that importing twice changes nothing.
//
// The rows are emptied before each pass; a pass whose token the portal refused clears the token
// and the next pass logs in again. Pages are read until the portal's counts add up to its
// maxcount; a read that ends short of it (cancel, the page bound) says how many were imported of
// how many. Cancel keeps the rows read so far. The dialog answers 0 in every case, so that
// whatever was read is committed.
#pragma once

#include <picojson.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "web/PortalJob.h"

namespace vx {

class FavoriteStore;
class PortalReply;
struct ProgressTask;

class FavoriteImportJob : public PortalJob {
 public:
  // A portal that never reaches its own count is not followed further than this.
  static constexpr int kDefaultMaxPages = 2000;

  // The store and the task outlive the job; the store is left to the job while it runs.
  FavoriteImportJob(ProgressTask& task, FavoriteStore& store, const PortalServices& services);

  static std::string Caption();  // "チェックリストのインポート", CP932

  void SetMaxPages(int pages) { maxPages_ = pages; }

  StepResult Step() override;
  // "チェックリストを読み込んでいます...(position/total)".
  std::string ProgressText(int position, int total) const override;

  // One pass: 0 read to its end (also when stopped), 1 the reply was unreadable or refused (the
  // token cleared), 2 the portal could not be reached, 3 an HTTP or server error (the token
  // kept), 4 the token was refused and cleared; a login's failure as GetAccessToken answers it.
  int ImportFavoritesFromPortal();

 private:
  struct PassState {
    std::int64_t total = 0;  // the pages' counts, as the portal gives them (negative ones too)
    int maxcount = 0;
    int processed = 0;
  };
  enum class PageOutcome { kNext, kLast, kEnded };

  const char* FailureCaption() const override;
  std::string UnreachableText(const HttpConnection& connection) const override;
  PageOutcome ReadPage(int page, const std::string& token, PassState& pass, int& result);
  void ReadResponse(const PortalReply& reply, PassState& pass);
  void ReportEnd(const PassState& pass) const;
  // "ポータルのお気に入り <maxcount> 件のうち <processed> 件をインポートしました。...", CP932.
  static std::string ShortReadText(const PassState& pass);
  int RefusedReply(const PortalReply& reply);
  void ReadList(const picojson::value& list, PassState& pass);
  bool ImportFavorite(const picojson::value& element);
  void AddUnknownCircleRow(int updateId, int color, const std::string& memo,
                           const picojson::object& circle);
  void CollectUnknownCircles();

  FavoriteStore& store_;
  int maxPages_ = kDefaultMaxPages;
  // The checklist's unknown circles by (name, kana), and the update ids of those this pass added.
  std::map<std::pair<std::string, std::string>, int> unknownIds_;
  std::set<int> unknownRows_;
};

}  // namespace vx
