#include "app/FileErrorText.h"

#include <cerrno>

#include "platform/CodePage.h"

namespace vx {
namespace {

const char* ReasonOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "書き込む権限がありません";
    case EROFS:
      return "読み込み専用の場所です";
    case ENOSPC:
    case EDQUOT:
      return "ディスクに空きがありません";
    case ENOENT:
    case ENOTDIR:
      return "フォルダが見つかりません";
    case EISDIR:
      return "同じ名前のフォルダがあります";
    case ENAMETOOLONG:
      return "ファイル名が長すぎます";
    case EBUSY:
    case ETXTBSY:
      return "他のアプリケーションで使用されています";
    case EIO:
      return "ディスクの読み書きに失敗しました";
    default:
      return nullptr;
  }
}

}  // namespace

std::string FileErrorText(std::error_code error) {
  if (!error) return {};
  const std::string system = Utf8ToCp932(error.message());
  const bool posix =
      error.category() == std::generic_category() || error.category() == std::system_category();
  const char* reason = posix ? ReasonOf(error.value()) : nullptr;
  return reason ? Sjis(reason) + " (" + system + ")" : system;
}

}  // namespace vx
