#include "platform/UiServices.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace vx {

bool IsOpenableUrl(std::string_view url) {
  std::string lower(url.substr(0, std::min<std::size_t>(url.size(), 8)));
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.starts_with("http://") || lower.starts_with("https://") ||
         lower.starts_with("mailto:");
}

}  // namespace vx
