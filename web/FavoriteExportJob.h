// The checklist sent to the organiser's portal as the job of the checklist load dialog: every
// entry of a catalogue circle that has a space, checked or holding a memo, goes to
// "Readers/Favorite/" as one request (its update id, colour and memo); a favourite the portal
// already holds is sent again with PUT. Favourites the portal refuses are listed at the end; a
// pass that stopped early (an error, a cancel) says how many were sent and that the rest were
// not; otherwise a box says that the export is complete. The checklist is not changed.
//
// A pass whose token the portal refused clears it and the next pass logs in and sends everything
// again. Cancel stops before the next favourite (a request under way is given up).
#pragma once

#include <string>

#include "web/PortalJob.h"

namespace vx {

class FavoriteStore;
class PortalReply;
struct FavoriteEntry;
struct PortalExportJob;
struct ProgressTask;

class FavoriteExportJob : public PortalJob {
 public:
  // PUTs of one favourite that the portal keeps answering "favorite_exist".
  static constexpr int kMaxPutRetries = 3;

  // The store and the task outlive the job; the store is only read.
  FavoriteExportJob(ProgressTask& task, const FavoriteStore& store, const PortalServices& services);

  static std::string Caption();  // "チェックリストのエクスポート", CP932
  // "エクスポート結果 ... 以下のサークルのエクスポートは失敗しました ..." around the lines.
  static std::string ResultText(const std::string& failureLines);

  StepResult Step() override;
  // "チェックリストを書き出しています...(position/total)".
  std::string ProgressText(int position, int total) const override;

  // One pass: the job's result (0 when every favourite was answered, refusals included; 1
  // stopped, or an unreadable or unknown reply; 2 the portal could not be reached; 3 an HTTP or
  // server error; 4 the token was refused and cleared), or a login's failure.
  int ExportFavoritesToPortal();
  // One favourite: true to go on with the next.
  bool ExportFavoriteToPortal(PortalExportJob& job, const FavoriteEntry& entry);

 private:
  enum class Answer { kTaken, kExists, kRefused, kFailed };

  Answer Send(PortalExportJob& job, const char* method, std::string& error);
  Answer ReadAnswer(PortalExportJob& job, const PortalReply& reply);
  void Counted(PortalExportJob& job) const;
  void ReportPass(const PortalExportJob& job) const;
  const char* FailureCaption() const override;

  const FavoriteStore& store_;
};

}  // namespace vx
