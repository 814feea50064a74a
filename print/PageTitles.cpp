#include "print/PageTitles.h"

#include "platform/Sjis.h"
#include "print/PrintEngineState.h"

namespace vx {

int PageTitle_Set(int page, std::string_view text) {
  if (page < 1 || page > kMaxTitledPage) return -1;
  PrintEngine_State().pageTitles[static_cast<std::size_t>(page)] =
      SjisTruncate(text, kPageTitleMax);
  return 0;
}

const std::string& PageTitle_Get(int page) {
  static const std::string none;
  if (page < 1 || page > kMaxTitledPage) return none;
  return PrintEngine_State().pageTitles[static_cast<std::size_t>(page)];
}

std::string PageTitle_Format(const PageTitleParts& p, int mode, int n, int total,
                             bool allowNotPlaced) {
  const std::string gap = "  ";
  const std::string event(p.event);
  const std::string numbers = "  (" + std::to_string(n) + "/" + std::to_string(total) + ")";
  const bool counted = total >= 2;
  if (mode == kTitleNone) return counted ? event + numbers : event;
  if (allowNotPlaced && !p.notPlacedWeekday.empty() && p.weekday == p.notPlacedWeekday) {
    const std::string title = event + gap + std::string(p.dayLabel);
    return counted && (mode == kTitleDay || mode == kTitleHall) ? title + numbers : title;
  }
  std::string title = event + gap + std::string(p.dayLabel) + gap + std::string(p.weekHead) +
                      std::string(p.weekday) + std::string(p.weekTail);
  if (mode >= kTitleHall) {
    title += gap + std::string(p.hallHead) + std::string(p.hall) + std::string(p.hallTail);
  }
  if (mode == kTitleBlock) return title + gap + "[" + std::string(p.block) + "]";
  return counted ? title + numbers : title;
}

}  // namespace vx
