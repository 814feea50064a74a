// The web search for the current circle: which of its fields are searched and how they are joined
// follow the "Google" settings ("Type", "Item1", "Item2", "Condition"). The search service reads
// the query as Shift-JIS, so every byte of a term travels percent-encoded.
#pragma once

#include <string>
#include <string_view>

namespace vx {

struct CircleRecord;

// Where the queries go; "search?..." follows.
inline constexpr std::string_view kWebSearchService = "https://www.google.co.jp/";

struct WebSearchTerms {
  int type = 1;  // 0 circle name OR pen name, 1 both, 2 the two items below
  int item1 = 1;
  int item2 = 3;
  int condition = 0;  // for type 2: 0 OR, 1 AND
};

// Field codes: 1 circle name, 2 reading, 3 pen name, 4 book name, 5 URL, 6 mail address; any other
// code has no text.
std::string_view CircleFieldText(const CircleRecord& circle, int field);

// The query address on `service`, or "" when there is nothing to search (an unknown type, or both
// terms empty). Two items naming the same field search its text once.
std::string WebSearchAddress(std::string_view service, const CircleRecord& circle,
                             const WebSearchTerms& terms);

}  // namespace vx
