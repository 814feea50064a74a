#include "app/FileErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <future>
#include <string>
#include <utility>

#include "platform/CodePage.h"

namespace {

// The reasons a folder refuses a file are named in words; any other keeps the system's text.
TEST(FileErrorText, NamesTheReasonTheSystemGave) {
  const std::pair<std::error_code, std::string> cases[] = {
      {{EACCES, std::generic_category()}, "書き込む権限がありません (Permission denied)"},
      {{EROFS, std::system_category()}, "読み込み専用の場所です (Read-only file system)"},
      {{ENOSPC, std::generic_category()}, "ディスクに空きがありません (No space left on device)"},
      {{EXDEV, std::generic_category()}, "Invalid cross-device link"},
      // Not an errno, though its value is EPERM's: its text is its own.
      {std::make_error_code(std::future_errc::future_already_retrieved),
       "Future already retrieved"},
      {{}, ""},
  };
  for (const auto& [error, text] : cases) {
    EXPECT_EQ(vx::Cp932ToUtf8(vx::FileErrorText(error)), text) << error.message();
  }
}

}  // namespace
