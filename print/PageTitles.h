// Page titles: the text drawn at the top of every page, built from the event name, the day, the
// hall or block and the page's number within its group, and kept per page number for the
// preview's page list.
#pragma once

#include <string>
#include <string_view>

namespace vx {

constexpr int kMaxTitledPage = 1000;
constexpr std::size_t kPageTitleMax = 127;

// Keeps at most 127 bytes (whole characters) as the title of pages 1..1000; -1 outside.
int PageTitle_Set(int page, std::string_view text);
// "" for a page without a title or outside 1..1000.
const std::string& PageTitle_Get(int page);

// The parts a title is made of (CP932).
struct PageTitleParts {
  std::string_view event;     // T: the document title
  std::string_view dayLabel;  // L
  std::string_view weekday;   // W
  std::string_view hall;      // H
  std::string_view block;     // B
  std::string_view weekHead, weekTail, hallHead, hallTail;
  std::string_view notPlacedWeekday;  // POSFAIL2: W of the circles not placed
};

// Grouping modes of the list documents.
enum TitleMode : int { kTitleNone = 0, kTitleDay = 1, kTitleHall = 2, kTitleBlock = 3 };

// The title of page n of N in its group (N < 2: no page numbers). The titles of the circles not
// placed leave out the weekday and hall unless `allowNotPlaced` is false (the map documents).
std::string PageTitle_Format(const PageTitleParts& parts, int mode, int n, int total,
                             bool allowNotPlaced = true);

}  // namespace vx
