// The bookmarks of the current event: catalogue pages, optionally grouped one level deep under
// folders. Entries stand in display order; a folder is followed directly by its entries.
#pragma once

#include <string_view>
#include <vector>

namespace vx {

constexpr std::size_t kBookmarkTitleSize = 128;

struct Bookmark {
  // Stored types; 0 ends a stored list and is never an entry. Any other type is a folder.
  static constexpr int kEnd = 0;
  static constexpr int kPage = 1;
  static constexpr int kFolder = 2;

  int page = 0;
  int depth = 0;  // 0 top level, 1 inside a folder
  int type = kEnd;
  char title[kBookmarkTitleSize] = {};  // CP932, zero-terminated

  static Bookmark Make(int type, int depth, int page, std::string_view title);

  bool IsFolder() const { return type != kEnd && type != kPage; }
  // Copies at most 127 bytes, never splitting a double-byte character.
  void SetTitle(std::string_view text);
};

class BookmarkList {
 public:
  static constexpr int kCapacity = 4096;

  int Count() const { return static_cast<int>(entries_.size()); }
  // The entry at `index`, or null outside 0..count-1.
  const Bookmark* GetAt(int index) const;
  Bookmark* GetAt(int index);
  // Appends a copy; false when the list is full.
  bool Add(const Bookmark& bookmark);
  void RemoveAll() { entries_.clear(); }

 private:
  std::vector<Bookmark> entries_;
};

}  // namespace vx
