#include "data/DiscImportUiPrompts.h"

#include "platform/CodePage.h"

namespace vx {

std::optional<std::filesystem::path> DiscImportUiPrompts::LocateFile(
    const std::string& fileName, const std::filesystem::path& folder) {
  FileDialogRequest request;
  request.title = fileName + Sjis("の場所の指定");
  request.filter = fileName + "|" + fileName;
  request.initialPath = folder;
  return ui_.OpenFileDialog(owner_, request);
}

void DiscImportUiPrompts::ShowError(const std::string& text) {
  ui_.MessageBox(owner_, text, Sjis("エラー"), MB_OK | MB_ICONERROR);
}

void DiscImportUiPrompts::ShowWarning(const std::string& text) {
  ui_.MessageBox(owner_, text, Sjis("警告"), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vx
