#include "web/FeedTagScanner.h"

#include <algorithm>
#include <cctype>

namespace vx {

FeedTagScanner::FeedTagScanner(std::wstring_view text, std::string_view needle) : text_(text) {
  for (const char c : needle) {
    needle_ += static_cast<wchar_t>(std::tolower(static_cast<unsigned char>(c)));
  }
}

// An answer found for an earlier position holds for a later one up to the answer itself; none
// after an earlier position means none after a later one.
std::size_t FeedTagScanner::Next(std::size_t from) {
  if (!searched_ || from < asked_ || (at_ != npos && at_ < from)) {
    at_ = Find(from);
    searched_ = true;
  }
  asked_ = from;
  return at_;
}

std::size_t FeedTagScanner::Find(std::size_t from) const {
  if (from >= text_.size()) return npos;
  const auto same = [](wchar_t c, wchar_t lower) {
    return c == lower || (c < 0x80 && std::tolower(static_cast<int>(c)) == lower);
  };
  const auto found = std::search(text_.begin() + static_cast<std::ptrdiff_t>(from), text_.end(),
                                 needle_.begin(), needle_.end(), same);
  return found == text_.end() ? npos : static_cast<std::size_t>(found - text_.begin());
}

}  // namespace vx
