// The user-facing services the core calls (message boxes, file dialogs, clipboard, browser),
// behind one interface so that the controller and the jobs run headless in tests. Texts are CP932
// bytes; paths are native.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "res/ResourceIds.h"

namespace vx {

// Message-box type flags (values of the classic MB_ constants).
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
constexpr unsigned MB_DEFMASK = 0xF00;

// The answers of a box's buttons in the order they stand on it (OK Cancel, Abort Retry Ignore,
// Yes No Cancel, Yes No, Retry Cancel). An unknown type shows the OK box.
std::vector<int> MessageBoxAnswers(unsigned flags);
// The button that has the focus first: MB_DEFBUTTON2/3 pick the second or third button, the first
// when the box has fewer.
int MessageBoxDefaultAnswer(unsigned flags);
// What Escape or closing the window answers: IDCANCEL where there is a Cancel button, IDNO on a
// Yes/No box, IDOK on the OK box; 0 for Abort/Retry/Ignore, which the user must answer with a
// button.
int MessageBoxEscapeAnswer(unsigned flags);

// A file-dialog filter in the classic "Name|*.ext|Name|*.*" form, CP932.
struct FileDialogRequest {
  std::string title;
  std::string filter;
  std::filesystem::path initialPath;  // folder or file
  std::string defaultExtension;       // without the dot
  // Save dialogs: whether the dialog itself asks before an existing file is replaced. Callers
  // that ask their own question turn it off, so that the user is not asked twice.
  bool confirmOverwrite = true;
};

// `path` with ".extension" added when its file name has no extension (as a save dialog does with
// its default extension); unchanged when `extension` is empty.
std::filesystem::path WithDefaultExtension(std::filesystem::path path, std::string_view extension);

// Owner windows are opaque here; the Qt implementation takes a QWidget*.
using OwnerWindow = void*;

class UiServices {
 public:
  virtual ~UiServices() = default;

  // Answers IDOK, IDCANCEL, IDYES, IDNO, ... as the classic message box does.
  virtual int MessageBox(OwnerWindow owner, std::string_view text, std::string_view caption,
                         unsigned flags) = 0;
  virtual std::optional<std::filesystem::path> OpenFileDialog(OwnerWindow owner,
                                                              const FileDialogRequest& request) = 0;
  // Several existing files may be chosen; empty when cancelled. Without an implementation of its
  // own, the single-file dialog.
  virtual std::vector<std::filesystem::path> OpenFilesDialog(OwnerWindow owner,
                                                             const FileDialogRequest& request);
  // The chosen name gets the request's default extension when it has none.
  virtual std::optional<std::filesystem::path> SaveFileDialog(OwnerWindow owner,
                                                              const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> FolderDialog(OwnerWindow owner,
                                                            std::string_view title,
                                                            const std::filesystem::path& start) = 0;

  // Whether the clipboard holds text that is not empty (enables pasting).
  virtual bool HasClipboardText() = 0;
  virtual std::string ClipboardText() = 0;  // CP932; "" when the clipboard holds no text
  // False when the clipboard did not take the text.
  virtual bool SetClipboardText(std::string_view cp932) = 0;

  // Only http, https and mailto addresses are opened; anything else answers false.
  virtual bool OpenUrl(std::string_view url) = 0;
  // Runs the browser program the user chose with the address as its only argument; refuses the
  // same addresses as OpenUrl, so that no address can pass for an option of the browser.
  virtual bool RunBrowser(const std::filesystem::path& program, std::string_view url) = 0;
  virtual void Beep() = 0;
};

// True for the schemes the program hands to the desktop (http, https, mailto; any case). A mailto
// address may carry only the fields of a plain message (to, cc, bcc, subject, body,
// in-reply-to): mail programs would attach files named by others ("attach=...").
bool IsOpenableUrl(std::string_view url);

}  // namespace vx
