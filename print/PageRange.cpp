#include "print/PageRange.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"

namespace vx {
namespace {

// One item of the list while it is read: "n", "n-m", "-m" or "n-".
class RangeItem {
 public:
  void Take(char c) {
    if (c >= '0' && c <= '9') {
      TakeDigit(c - '0');
    } else {
      if (c == '-') dash_ = true;  // a second "-" changes nothing
      reading_ = false;
    }
  }

  bool Empty() const { return first_ < 0 && last_ < 0 && !dash_; }

  void Select(std::array<bool, 1000>& pages) const {
    if (Empty()) return;
    const int from = std::clamp(first_ < 0 ? 1 : first_, 1, kLastOutputPage);
    const int to =
        std::clamp(dash_ ? (last_ < 0 ? kLastOutputPage : last_) : from, 1, kLastOutputPage);
    for (int p = from; p <= to; ++p) pages[static_cast<std::size_t>(p)] = true;
  }

 private:
  // A number goes on while its digits follow each other; a second number where the item's form
  // has room for none is skipped.
  void TakeDigit(int digit) {
    int& n = dash_ ? last_ : first_;
    if (n >= 0 && !reading_) return;
    n = std::min(n < 0 ? digit : n * 10 + digit, 1000000);
    reading_ = true;
  }

  int first_ = -1;
  int last_ = -1;
  bool dash_ = false;
  bool reading_ = false;
};

}  // namespace

int PageRange_Parse(std::string_view text) {
  std::array<bool, 1000>& pages = PrintEngine_State().selectedPages;
  pages.fill(false);
  bool any = false;
  RangeItem item;
  for (const char c : text) {
    any = any || c == '-' || (c >= '0' && c <= '9');
    if (c == ',') {
      item.Select(pages);
      item = RangeItem{};
    } else {
      item.Take(c);
    }
  }
  item.Select(pages);
  if (!any) std::fill(pages.begin() + 1, pages.end(), true);
  return 0;
}

int PageRange_IsSelected(int page) {
  if (page < 1 || page > kLastOutputPage) return 0;
  return PrintEngine_State().selectedPages[static_cast<std::size_t>(page)] ? 1 : 0;
}

int PageRange_CheckPageLimit(int page, std::string_view caller) {
  if (page <= kLastOutputPage) return 0;
  PrintEngineState& state = PrintEngine_State();
  if (!state.pageLimitReported) {
    state.pageLimitReported = true;
    ReportPrintError(Sjis("出力できるのは999ページまでです。1000ページ目以降は出力されません"),
                     caller);
  }
  return -1;
}

}  // namespace vx
