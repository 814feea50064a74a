// The search choices kept in the "Search" group. The controller moves them into its search
// condition after loading and out of it before saving.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vx {

// The search condition's default field mask: names, reading, pen name, book, description, memo
// and update information.
constexpr int kDefaultSearchFields = 719;
constexpr std::size_t kMaxKeywordBytes = 8191;

struct SearchSettings {
  bool matchAll = true;    // keywords joined with AND
  bool normalized = true;  // fold characters before comparing
  bool memoOnly = false;
  bool updatedOnly = false;
  int keywordFields = kDefaultSearchFields;
  std::optional<std::vector<int>> days;    // nothing: every day of the event
  std::optional<std::vector<int>> genres;  // nothing: every genre
  std::string keywords;                    // CP932; goes into the condition last

  bool operator==(const SearchSettings&) const = default;
};

}  // namespace vx
