// UI services for tests: answers come from queues the test fills beforehand, and every call is
// recorded. A call the script did not provide for (no queued answer, or an answer the box cannot
// give) is answered as a cancel and listed by UnexpectedCalls(), so a test that checks
// UnexpectedCalls().empty() cannot pass on a box it did not foresee. Safe to call from any thread.
#pragma once

#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UiServices.h"

namespace vx {

enum class UiCallKind {
  kMessageBox,
  kOpenFileDialog,
  kOpenFilesDialog,
  kSaveFileDialog,
  kFolderDialog,
  kHasClipboardText,
  kClipboardText,
  kSetClipboardText,
  kOpenUrl,
  kRunBrowser,
  kBeep,
};

struct UiCall {
  UiCallKind kind = UiCallKind::kBeep;
  OwnerWindow owner = nullptr;
  std::string text;                                // box text, clipboard text or address
  std::string caption;                             // box caption or folder-dialog title
  unsigned flags = 0;                              // message boxes
  FileDialogRequest request;                       // open and save dialogs
  std::filesystem::path path;                      // folder-dialog start or browser program
  int answer = 0;                                  // message boxes
  std::optional<std::filesystem::path> chosen;     // dialogs; empty = cancelled
  std::vector<std::filesystem::path> chosenFiles;  // the several-files dialog; empty = cancelled
  bool succeeded = false;                          // clipboard writes, addresses and browsers
  bool expected = true;                            // false when the script had no fitting answer
};

class ScriptedUiServices final : public UiServices {
 public:
  // The next message box answers `answer`; answers are used in the order queued.
  void QueueAnswer(int answer);
  // The next file or folder dialog (of any kind) returns `path`; std::nullopt = the user cancels.
  void QueuePath(std::optional<std::filesystem::path> path);
  // The next several-files dialog returns `files`; none = the user cancels.
  void QueueFiles(std::vector<std::filesystem::path> files);
  // With false, OpenUrl and RunBrowser fail as if no browser could be started.
  void SetBrowserStarts(bool starts);

  std::vector<UiCall> Calls() const;
  std::vector<UiCall> CallsOf(UiCallKind kind) const;
  std::vector<UiCall> UnexpectedCalls() const;
  std::vector<std::string> OpenedUrls() const;  // addresses handed on, from OpenUrl and RunBrowser
  std::size_t PendingAnswers() const;
  std::size_t PendingPaths() const;
  void ClearCalls();

  int MessageBox(OwnerWindow owner, std::string_view text, std::string_view caption,
                 unsigned flags) override;
  std::optional<std::filesystem::path> OpenFileDialog(OwnerWindow owner,
                                                      const FileDialogRequest& request) override;
  std::vector<std::filesystem::path> OpenFilesDialog(OwnerWindow owner,
                                                     const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> SaveFileDialog(OwnerWindow owner,
                                                      const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> FolderDialog(OwnerWindow owner, std::string_view title,
                                                    const std::filesystem::path& start) override;
  bool HasClipboardText() override;
  std::string ClipboardText() override;
  bool SetClipboardText(std::string_view cp932) override;
  bool OpenUrl(std::string_view url) override;
  bool RunBrowser(const std::filesystem::path& program, std::string_view url) override;
  void Beep() override;

 private:
  // Takes the next queued path into `call` (marking it unexpected when none is queued).
  void AnswerDialog(UiCall& call, std::string_view defaultExtension = {});

  mutable std::mutex mutex_;
  std::deque<int> answers_;
  std::deque<std::optional<std::filesystem::path>> paths_;
  std::deque<std::vector<std::filesystem::path>> fileLists_;
  std::vector<UiCall> calls_;
  std::string clipboard_;
  bool browserStarts_ = true;
};

}  // namespace vx
