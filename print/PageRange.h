// Which pages of a run are output: the page-range text parsed into flags for pages 1 to 999, and
// the limit every document stops at.
#pragma once

#include <string_view>

namespace vx {

constexpr int kLastOutputPage = 999;

// Items separated by ",": "n", "n-m", "-m" (from 1), "n-" (to 999), each clamped to 1..999; other
// characters are skipped. A text with no number and no "-" selects every page.
int PageRange_Parse(std::string_view text);
// 1 when the page is selected; 0 outside 1..999.
int PageRange_IsSelected(int page);

// A document calls this before it lays out page `page`: 0 for a page that can be output; for a
// later page, the first call of a job tells the user that the pages from there on are left out,
// and every call answers -1 so that the document stops laying out.
int PageRange_CheckPageLimit(int page, std::string_view caller);

}  // namespace vx
