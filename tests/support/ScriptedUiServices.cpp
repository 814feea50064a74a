#include "tests/support/ScriptedUiServices.h"

#include <algorithm>
#include <utility>

namespace vx {

namespace {

UiCall NewCall(UiCallKind kind, OwnerWindow owner = nullptr) {
  UiCall call;
  call.kind = kind;
  call.owner = owner;
  return call;
}

// Takes the next queued answer into `into`; false, the call unforeseen, when none is queued.
template <typename T>
bool TakeNext(std::deque<T>& queue, T& into) {
  if (queue.empty()) return false;
  into = std::move(queue.front());
  queue.pop_front();
  return true;
}

bool BoxCanAnswer(unsigned flags, int answer) {
  const std::vector<int> answers = MessageBoxAnswers(flags);
  return std::find(answers.begin(), answers.end(), answer) != answers.end();
}

}  // namespace

void ScriptedUiServices::QueueAnswer(int answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(answer);
}

void ScriptedUiServices::QueuePath(std::optional<std::filesystem::path> path) {
  std::lock_guard lock(mutex_);
  paths_.push_back(std::move(path));
}

void ScriptedUiServices::QueueFiles(std::vector<std::filesystem::path> files) {
  std::lock_guard lock(mutex_);
  fileLists_.push_back(std::move(files));
}

void ScriptedUiServices::SetBrowserStarts(bool starts) {
  std::lock_guard lock(mutex_);
  browserStarts_ = starts;
}

std::vector<UiCall> ScriptedUiServices::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<UiCall> ScriptedUiServices::CallsOf(UiCallKind kind) const {
  std::vector<UiCall> result = Calls();
  std::erase_if(result, [kind](const UiCall& call) { return call.kind != kind; });
  return result;
}

std::vector<UiCall> ScriptedUiServices::UnexpectedCalls() const {
  std::vector<UiCall> result = Calls();
  std::erase_if(result, [](const UiCall& call) { return call.expected; });
  return result;
}

std::vector<std::string> ScriptedUiServices::OpenedUrls() const {
  std::vector<std::string> urls;
  for (const UiCall& call : Calls()) {
    const bool handsOnUrl =
        call.kind == UiCallKind::kOpenUrl || call.kind == UiCallKind::kRunBrowser;
    if (handsOnUrl && call.succeeded) urls.push_back(call.text);
  }
  return urls;
}

std::size_t ScriptedUiServices::PendingAnswers() const {
  std::lock_guard lock(mutex_);
  return answers_.size();
}

std::size_t ScriptedUiServices::PendingPaths() const {
  std::lock_guard lock(mutex_);
  return paths_.size() + fileLists_.size();
}

void ScriptedUiServices::ClearCalls() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

int ScriptedUiServices::MessageBox(OwnerWindow owner, std::string_view text,
                                   std::string_view caption, unsigned flags) {
  UiCall call = NewCall(UiCallKind::kMessageBox, owner);
  call.text = text;
  call.caption = caption;
  call.flags = flags;
  std::lock_guard lock(mutex_);
  if (answers_.empty()) {
    call.answer = IDCANCEL;
    call.expected = false;
  } else {
    call.answer = answers_.front();
    answers_.pop_front();
    call.expected = BoxCanAnswer(flags, call.answer);
    if (!call.expected) call.answer = IDCANCEL;
  }
  calls_.push_back(call);
  return call.answer;
}

std::optional<std::filesystem::path> ScriptedUiServices::OpenFileDialog(
    OwnerWindow owner, const FileDialogRequest& request) {
  UiCall call = NewCall(UiCallKind::kOpenFileDialog, owner);
  call.request = request;
  AnswerDialog(call);
  return call.chosen;
}

std::vector<std::filesystem::path> ScriptedUiServices::OpenFilesDialog(
    OwnerWindow owner, const FileDialogRequest& request) {
  UiCall call = NewCall(UiCallKind::kOpenFilesDialog, owner);
  call.request = request;
  std::lock_guard lock(mutex_);
  call.expected = TakeNext(fileLists_, call.chosenFiles);
  calls_.push_back(call);
  return call.chosenFiles;
}

std::optional<std::filesystem::path> ScriptedUiServices::SaveFileDialog(
    OwnerWindow owner, const FileDialogRequest& request) {
  UiCall call = NewCall(UiCallKind::kSaveFileDialog, owner);
  call.request = request;
  AnswerDialog(call, request.defaultExtension);
  return call.chosen;
}

std::optional<std::filesystem::path> ScriptedUiServices::FolderDialog(
    OwnerWindow owner, std::string_view title, const std::filesystem::path& start) {
  UiCall call = NewCall(UiCallKind::kFolderDialog, owner);
  call.caption = title;
  call.path = start;
  AnswerDialog(call);
  return call.chosen;
}

bool ScriptedUiServices::HasClipboardText() {
  std::lock_guard lock(mutex_);
  UiCall call = NewCall(UiCallKind::kHasClipboardText);
  call.succeeded = !clipboard_.empty();
  calls_.push_back(call);
  return call.succeeded;
}

std::string ScriptedUiServices::ClipboardText() {
  std::lock_guard lock(mutex_);
  UiCall call = NewCall(UiCallKind::kClipboardText);
  call.text = clipboard_;
  call.succeeded = true;
  calls_.push_back(call);
  return clipboard_;
}

bool ScriptedUiServices::SetClipboardText(std::string_view cp932) {
  std::lock_guard lock(mutex_);
  clipboard_ = cp932;
  UiCall call = NewCall(UiCallKind::kSetClipboardText);
  call.text = clipboard_;
  call.succeeded = true;
  calls_.push_back(call);
  return true;
}

bool ScriptedUiServices::OpenUrl(std::string_view url) {
  std::lock_guard lock(mutex_);
  UiCall call = NewCall(UiCallKind::kOpenUrl);
  call.text = url;
  call.succeeded = browserStarts_ && IsOpenableUrl(url);
  calls_.push_back(call);
  return call.succeeded;
}

bool ScriptedUiServices::RunBrowser(const std::filesystem::path& program, std::string_view url) {
  std::lock_guard lock(mutex_);
  UiCall call = NewCall(UiCallKind::kRunBrowser);
  call.text = url;
  call.path = program;
  call.succeeded = browserStarts_ && !program.empty() && IsOpenableUrl(url);
  calls_.push_back(call);
  return call.succeeded;
}

void ScriptedUiServices::Beep() {
  std::lock_guard lock(mutex_);
  calls_.push_back(NewCall(UiCallKind::kBeep));
}

void ScriptedUiServices::AnswerDialog(UiCall& call, std::string_view defaultExtension) {
  std::lock_guard lock(mutex_);
  call.expected = TakeNext(paths_, call.chosen);
  if (call.chosen) call.chosen = WithDefaultExtension(*call.chosen, defaultExtension);
  calls_.push_back(call);
}

}  // namespace vx
