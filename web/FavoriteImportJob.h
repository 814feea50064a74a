// The favourites kept on the organiser's portal, read into the checklist store as the job of the
// checklist load dialog: page by page from "Readers/FavoriteCircles/", each favourite a row that
// waits for the caller's commit (CommitImportRecords with "FvrOver" and "FvrOverColor"), as the
// rows of a checklist file do. A circle of the catalogue (found by its update id) is registered;
// any other becomes an unknown circle, or updates the named unknown circle of the same name and
// kana that the checklist already holds, so that importing twice changes nothing.
//
// The rows are emptied before each pass; a pass whose token the portal refused clears the token
// and the next pass logs in again. Pages are read until the portal's counts add up to its
// maxcount, but the counts are not trusted further than the lists bear them out: the read ends
// after two pages in a row that hold fewer elements than their own count, or none, or only
// favourites already read; once a page's count was not what its list held, after the pages that
// maxcount needs at the fullest page's size and one more; and at once when maxcount needs more
// pages than any real portal has. Elements without an id are part of what the portal sent. The
// end says that everything was imported when the lists held every element announced; otherwise how
// many of how many, and whether the rest was not read or never came (or that none was imported),
// after the box of the failure that ended it. Cancel keeps the rows read so far. The dialog answers
// 0 in every case, so that whatever was read is committed.
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
  // Pages of one pass: a portal whose counts call for more is not believed. No account fills
  // so many at any page size a real portal uses.
  static constexpr int kDefaultMaxPages = 2000;

  // The store and the task outlive the job; the store is left to the job while it runs.
  FavoriteImportJob(ProgressTask& task, FavoriteStore& store, const PortalServices& services);

  static std::string Caption();  // "チェックリストのインポート", CP932

  void SetMaxPages(int pages) { maxPages_ = pages; }

  StepResult Step() override;
  // "チェックリストを読み込んでいます...(position/total)".
  std::string ProgressText(int position, int total) const override;

  // One pass: 0 read to its end (also when stopped, or when the portal stopped bringing
  // favourites), 1 the reply was unreadable or refused (the token cleared), 2 the portal could not
  // be reached, 3 an HTTP or server error, or a count that needs too many pages (the token kept),
  // 4 the token was refused and cleared; a login's failure as GetAccessToken answers it. Boxes
  // only for failures: the end is told by Step.
  int ImportFavoritesFromPortal();

 private:
  // What the pass whose rows the store holds has read.
  struct PassState {
    int pagesRead = 0;
    std::int64_t total = 0;  // the pages' counts, as the portal gives them (negative ones too)
    int maxcount = 0;
    int processed = 0;          // favourites handed to the store, repeated ones too
    std::set<int> imported;     // their update ids
    std::int64_t received = 0;  // elements of the lists, with or without an id, repeated too
    int pageSize = 0;           // the most elements a page promised (its count) or held
    int shortPages = 0;         // pages in a row that held fewer than their count, or none new
    bool miscounted = false;    // a page's count was not what its list held
  };
  // The elements of one page's list walked, and its favourites: all of them, and the new ones.
  struct ListTally {
    int count = 0;  // what the page says it holds
    int elements = 0;
    int favourites = 0;
    int fresh = 0;
    // The portal sent a page again instead of the next one.
    bool RepeatsOnly() const { return favourites > 0 && fresh == 0; }
  };
  enum class PageOutcome { kNext, kLast, kEnded };

  const char* FailureCaption() const override;
  PageOutcome ReadPage(int page, const std::string& token, int& result);
  static bool IsShort(const ListTally& page);
  // The pages that maxcount needs at the page size (one when no page held any).
  std::int64_t PagesNeeded() const;
  // The portal has stopped bringing favourites: its count will not be reached.
  bool PortalRanDry(int page) const;
  // "ポータルのお気に入り <maxcount> 件は 1 ページ <size> 件で <max> ページを超えるため、読み
  // 込みを打ち切りました。"; CP932.
  std::string TooManyPagesText() const;
  ListTally ReadResponse(const picojson::object& response);
  void ReportEnd(int result) const;
  // How far the read got: "ポータルのお気に入り <maxcount> 件のうち <imported> 件をインポートし
  // ました。" and why the rest is missing, or that none was imported; CP932.
  std::string ShortReadText(bool readToEnd) const;
  int RefusedReply(const PortalReply& reply);
  int BadNumberReply();
  ListTally ReadList(const picojson::value& list);
  // The favourite's update id; 0 when the element is none.
  int ImportFavorite(const picojson::value& element);
  void AddUnknownCircleRow(int updateId, int color, const std::string& memo,
                           const picojson::object& circle);
  void CollectUnknownCircles();

  FavoriteStore& store_;
  int maxPages_ = kDefaultMaxPages;
  PassState pass_;
  // The checklist's unknown circles by (name, kana), and the update ids of those this pass added.
  std::map<std::pair<std::string, std::string>, int> unknownIds_;
  std::set<int> unknownRows_;
};

}  // namespace vx
