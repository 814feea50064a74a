// What the portal's favourites jobs share as jobs of the checklist load dialog: the task whose stop
// flag Cancel raises (it also gives up a request under way), the services, the login, the reading
// of the portal's replies with their failure boxes, and the dialog's answer, which is 0 however
// the job ended, so that whatever was read is committed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/ProgressJob.h"
#include "web/PortalLogin.h"
#include "web/PortalServices.h"

namespace vx {

class HttpConnection;
class PortalReply;
struct ProgressTask;

class PortalJob : public ProgressJob {
 public:
  // ReadReply's answer for a request given up on cancel.
  static constexpr int kRequestGivenUp = -1;

  int Result(JobState) const override { return 0; }
  void OnCancel() override;

 protected:
  // The task and the services outlive the job.
  PortalJob(ProgressTask& task, const PortalServices& services);

  // The caption of the job's error boxes (a UTF-8 literal).
  virtual const char* FailureCaption() const = 0;

  bool Stopped() const;
  // Runs `pass` until it ends other than with a refused token, or the job is stopped; a portal
  // that keeps refusing is reported.
  void RunPasses(const std::function<int()>& pass);
  // 0 when the request (`sent` is its HttpRequest result) brought a JSON object with the status
  // 200 or 403 (a refusal is read like any answer), parsed into `reply`. Otherwise the failure is
  // reported and the pass's result answered: 2 the portal could not be reached (the failure's
  // code and what it means), 3 another HTTP status, 1 an unreadable reply (the token is cleared),
  // kRequestGivenUp without a box.
  int ReadReply(int sent, const HttpConnection& connection, PortalReply& reply);
  // A reply refusing the token: reported when it was denied, the token cleared so that the next
  // pass logs in again; kTokenLoginAgain.
  int RefusedToken(const PortalReply& reply);
  void ShowError(std::string_view text) const;
  // A box over the services' owner; `utf8Caption` is a literal.
  void ShowBox(std::string_view text, const char* utf8Caption, unsigned icon) const;

  ProgressTask& task_;
  const PortalServices& services_;
  PortalLogin login_;
};

}  // namespace vx
