// The feed fetch of the checklist, as the job of the shared progress dialog: for every circle of
// the checklist with a colour of 0 or more, in ascending id, the circle's feed is fetched, read in
// the character set its XML declaration names (UTF-8 without one), and its items become the
// circle's fetched feed text in the checklist store. A circle whose feed cannot be fetched or
// read keeps its previous text. Each circle's request starts afresh, so that credentials in one
// circle's feed address never travel to another circle's server. Cancel ends the walk after the
// current circle (a request under way is given up); the circles done so far keep their texts.
//
// A caller runs it only for catalogues before event 90 (later ones carry no feeds), in the
// progress dialog under the modal guard (CatalogController::RunProgressJob with Caption()), and,
// when ChangedCircles() is not empty, marks the checklist modified and broadcasts
// UM_CIRCLE_INFO_UPDATED for each id in that order.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "app/ProgressJob.h"
#include "web/HttpConnection.h"
#include "web/WebServiceConfig.h"

namespace vx {

class FavoriteStore;
struct FavoriteEntry;

class RssFetchJob : public ProgressJob {
 public:
  // Feeds are read no further than this; a larger reply is skipped.
  static constexpr std::size_t kMaxFeedBytes = 4 << 20;

  RssFetchJob(FavoriteStore& store, const WebServiceConfig& config);

  static std::string Caption();  // "RSS情報の更新", CP932

  // The circles whose fetched text changed, in the order they were fetched.
  const std::vector<int>& ChangedCircles() const { return changed_; }

  StepResult Step() override;
  std::string ProgressText(int position, int total) const override;
  // The dialog answers 0 however the walk ended; the caller reads ChangedCircles().
  int Result(JobState) const override { return 0; }
  void OnCancel() override { abort_ = true; }

 private:
  void FetchCircleFeed(FavoriteEntry& entry);

  FavoriteStore& store_;
  HttpTransportOptions transport_;
  std::atomic<bool> abort_{false};
  std::vector<int> changed_;
  int position_ = 0;
};

}  // namespace vx
