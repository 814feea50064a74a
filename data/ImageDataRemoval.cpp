#include "data/ImageDataRemoval.h"

#include "platform/CodePage.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace vx {
namespace {

namespace fs = std::filesystem;

std::string PathText(const fs::path& path) { return Utf8ToCp932(path.string()); }

bool HasExtension(const fs::path& path, std::string_view upperExtension) {
  const std::string extension = path.extension().string();
  return std::equal(
      extension.begin(), extension.end(), upperExtension.begin(), upperExtension.end(),
      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

// False, after telling the user, at the first file that cannot be deleted.
bool DeleteFiles(const fs::path& folder, std::string_view upperExtension,
                 const ErrorBoxFunction& showError) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error) || !HasExtension(entry.path(), upperExtension)) continue;
    if (fs::remove(entry.path(), error)) continue;
    showError(PathText(entry.path()) +
                  Sjis("を\n削除できませんでした.\nファイルが読み込み専用になっているか、"
                       "若しくはアクセス権限がありません."),
              Sjis("ファイル削除エラー"));
    return false;
  }
  return true;
}

bool RemoveFolder(const fs::path& folder, const ErrorBoxFunction& showError) {
  std::error_code error;
  if (fs::remove(folder, error)) return true;
  showError(Sjis("フォルダ") + PathText(folder) + Sjis("を\n削除できませんでした."),
            Sjis("フォルダ削除エラー"));
  return false;
}

}  // namespace

bool RemoveInstalledImageData(const fs::path& eventFolder, const ErrorBoxFunction& showError) {
  bool removed = true;
  for (const char* name : {"PDATA", "MDATA"}) {
    const std::optional<fs::path> folder = ResolveCaseInsensitive(eventFolder, name);
    if (!folder) continue;
    if (!DeleteFiles(*folder, ".PNG", showError)) return false;
    removed = RemoveFolder(*folder, showError) && removed;
  }
  if (!DeleteFiles(eventFolder, ".CCZ", showError)) return false;
  std::error_code error;
  if (!fs::exists(eventFolder, error)) return removed;
  return RemoveFolder(eventFolder, showError) && removed;
}

}  // namespace vx
