#include "print/PrintErrors.h"

#include <string>

#include "platform/CodePage.h"
#include "print/PrintEngineState.h"
#include "print/PrintReportSink.h"

namespace vx {
namespace {

// Texts are built whole: a long name or path is never cut off.
int Show(const std::string& text, std::string_view title) {
  const PrintEngineState& state = PrintEngine_State();
  if (state.services.reports) state.services.reports->ShowError(state.messageOwner, text, title);
  return 0;
}

}  // namespace

int ReportPrintError(std::string_view text, std::string_view caller) {
  return Show(std::string(caller) + ": " + std::string(text), "LOG_Error");
}

int ReportPrintBox(std::string_view text, std::string_view title) {
  return Show(std::string(text), title);
}

int ReportFileReadError(const std::filesystem::path& file, std::string_view caller) {
  static const std::string file_ = Sjis("ファイル ");
  static const std::string failed = Sjis(" の読み込みに失敗しました");
  return Show(std::string(caller) + ": " + file_ + Utf8ToCp932(file.string()) + failed,
              "LOG_Error_File");
}

int LayoutKeyMissing(std::string_view section, std::string_view key, std::string_view reader) {
  static const std::string entry = Sjis("] にエントリ ");
  static const std::string missing = Sjis(" は存在していません");
  return Show(
      std::string(reader) + ": [" + std::string(section) + entry + std::string(key) + missing,
      "LOG_Error_RegName");
}

int LayoutValueOutOfRange(std::string_view section, std::string_view key, std::string_view reader,
                          int low, int high) {
  return Show(std::string(reader) + ": [" + std::string(section) + "] " + Sjis("のエントリ ") +
                  std::string(key) + Sjis(" は ") + std::to_string(low) + Sjis(" ～ ") +
                  std::to_string(high) + Sjis(" の範囲で指定してください"),
              "LOG_Error_RegName");
}

}  // namespace vx
