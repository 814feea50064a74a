// The UI services on Qt widgets. The owner window is a QWidget* or null. Every call may come from
// any thread: the dialogs and the clipboard are used on the UI thread (see UiThread.h for what the
// UI thread must be doing meanwhile).
#pragma once

#include <QStringList>
#include <string_view>

#include "platform/UiServices.h"

namespace vx {

// The classic filter "Name|*.a;*.b|Name|*.*|" (CP932) as Qt name filters "Name (*.a *.b)".
// "*.*" becomes "*" so that files without an extension are listed too; a name without a pattern
// is dropped.
QStringList ToQtNameFilters(std::string_view cp932Filter);

class QtUiServices final : public UiServices {
 public:
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
};

}  // namespace vx
