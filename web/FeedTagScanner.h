// Where a tag (or any ASCII text, in any case) next occurs in a feed, for positions asked in
// ascending order: each answer that still holds is given again without a search, so that a walk
// over every element of a feed reads the text about once, however the elements nest or break off.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

class FeedTagScanner {
 public:
  static constexpr std::size_t npos = std::wstring_view::npos;

  // `text` outlives the scanner; `needle` is ASCII.
  FeedTagScanner(std::wstring_view text, std::string_view needle);

  // The first occurrence at or after `from`, or npos.
  std::size_t Next(std::size_t from);
  std::size_t Size() const { return needle_.size(); }

 private:
  std::size_t Find(std::size_t from) const;

  std::wstring_view text_;
  std::wstring needle_;  // lower case
  bool searched_ = false;
  std::size_t asked_ = 0;
  std::size_t at_ = npos;
};

}  // namespace vx
