// The three error reports every part of the print code uses. Each shows a box owned by the
// engine's message window and returns 0; the caller then fails with -1 on its own. Texts and
// names are CP932 (file names are native paths, shown as CP932).
#pragma once

#include <filesystem>
#include <string_view>

namespace vx {

// "%s: %s" (caller, text), titled "LOG_Error".
int ReportPrintError(std::string_view text, std::string_view caller);
// `text` as it stands, under `title` (a box of its own, such as a failed image file).
int ReportPrintBox(std::string_view text, std::string_view title);
// "%s: ファイル %s の読み込みに失敗しました" (caller, file), titled "LOG_Error_File".
int ReportFileReadError(const std::filesystem::path& file, std::string_view caller);
// "%s: [%s] にエントリ %s は存在していません" (reader, section, key), titled "LOG_Error_RegName".
int LayoutKeyMissing(std::string_view section, std::string_view key, std::string_view reader);
// "%s: [%s] のエントリ %s は %d ～ %d の範囲で指定してください" (reader, section, key, range),
// titled "LOG_Error_RegName": a value no page can be made with.
int LayoutValueOutOfRange(std::string_view section, std::string_view key, std::string_view reader,
                          int low, int high);

}  // namespace vx
