// Scripted stand-ins for the dialogs of a checklist load and for the web layer's checklist jobs.
// Jobs run to their end on the test's thread; every dialog records whether the modal guard was up.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/ChecklistApplyJob.h"
#include "app/ChecklistDialogs.h"
#include "app/ChecklistWebJobs.h"
#include "app/ModalGuard.h"
#include "app/ProgressJob.h"
#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"

namespace vxtest {

class FakeChecklistDialogs : public vx::ChecklistDialogs, private vx::ProgressListener {
 public:
  int RunReadProgress(vx::ProgressJob& job, std::string_view caption,
                      vx::OwnerWindow owner) override {
    Record("read", caption, owner);
    readText = job.ProgressText(3, 10);
    running_ = &job;
    job.SetListener(this);
    const int result = vx::RunJobWithoutDialog(job);
    job.SetListener(nullptr);
    return result;
  }
  int RunImportConfirmation(vx::FavoriteStore& store, int catalogueEvent,
                            vx::OwnerWindow owner) override {
    Record("confirm", std::to_string(store.GetFileEventNo()) + "/" + std::to_string(catalogueEvent),
           owner);
    return onConfirm ? onConfirm(store) : IDOK;
  }
  int RunApplyProgress(vx::ChecklistApplyJob& job, vx::OwnerWindow owner) override {
    Record("apply", "", owner);
    const int result = vx::RunJobWithoutDialog(job);
    applyText = job.ProgressText(-1, job.Total());
    return result;
  }

  // "kind:detail" per dialog (the detail, a caption, in UTF-8), "+" when the modal guard was
  // raised meanwhile.
  std::vector<std::string> shown;
  const vx::ModalGuard* guard = nullptr;
  vx::OwnerWindow expectedOwner = nullptr;
  std::function<int(vx::FavoriteStore&)> onConfirm;  // default: OK
  int cancelReadAt = -1;                             // cancels once the read reached it
  std::string readText, applyText;                   // CP932

 private:
  void Record(const std::string& kind, std::string_view detail, vx::OwnerWindow owner) {
    EXPECT_EQ(owner, expectedOwner);
    shown.push_back(kind + ":" + vx::Cp932ToUtf8(detail) + (guard && guard->IsRaised() ? "+" : ""));
  }
  void ProgressRedrawDue() override {
    if (cancelReadAt >= 0 && running_->Position() >= cancelReadAt) running_->RequestCancel();
  }

  vx::ProgressJob* running_ = nullptr;
};

class FakeWebJobs : public vx::ChecklistWebJobs {
 public:
  int ImportFromPortal(vx::ProgressTask&, vx::FavoriteStore& store, vx::OwnerWindow) override {
    ++imports;
    for (const int serial : portalSerials) store.AddImportRecordBySerial(serial, 2, "portal");
    return 0;
  }
  int ExportToPortal(vx::ProgressTask&, vx::FavoriteStore&, vx::OwnerWindow) override {
    ++exports;
    return 0;
  }
  std::vector<int> FetchFeeds(vx::FavoriteStore&, vx::OwnerWindow) override {
    ++fetches;
    return changedFeeds;
  }

  std::vector<int> portalSerials;
  std::vector<int> changedFeeds;
  int imports = 0, exports = 0, fetches = 0;
};

}  // namespace vxtest
