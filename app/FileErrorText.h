// Why a file could not be written, in words for a message box (CP932): the usual reasons in
// Japanese, followed by the system's own text.
#pragma once

#include <string>
#include <system_error>

namespace vx {

// "書き込む権限がありません (Permission denied)" and the like; the system's text alone for a
// reason without words of its own.
std::string FileErrorText(std::error_code error);

}  // namespace vx
