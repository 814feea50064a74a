#include "app/BookmarkMenuItems.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/BookmarkList.h"
#include "res/ResourceIds.h"

namespace {

using Item = vx::BookmarkMenuItem;
using Items = std::vector<Item>;

vx::Bookmark Mark(int type, int depth, int page, const std::string& title) {
  vx::Bookmark mark;
  mark.type = type;
  mark.depth = depth;
  mark.page = page;
  mark.SetTitle(title);
  return mark;
}

TEST(BookmarkMenuItemsTest, AmpersandsDoubledAndHalfCharactersDropped) {
  const std::pair<std::string, std::string> cases[] = {
      {"A&B", "A&&B"},
      {"&&", "&&&&"},
      {"\x82\xa0&", "\x82\xa0&&"},       // a double-byte character, then an ampersand
      {"\x81&x", "\x81&x"},              // '&' as the second byte is part of the character
      {"ab\x88", "ab"},                  // a lead byte at the end ends the text
      {"\xe0\x40\xa1", "\xe0\x40\xa1"},  // half-width kana are single bytes
      {"", ""},
  };
  for (const auto& [title, text] : cases) EXPECT_EQ(vx::EscapeMenuText(title), text) << title;
}

// Pages are items, folders sub-menus of the entries one level deeper that follow them; every
// entry's command is its index from ID_BOOKMARK_FIRST.
TEST(BookmarkMenuItemsTest, FoldersHoldTheDeeperEntriesThatFollowThem) {
  vx::BookmarkList list;
  for (const vx::Bookmark& mark :
       {Mark(1, 0, 10, "A&B"), Mark(2, 0, 0, "folder"), Mark(1, 1, 11, "in"),
        Mark(2, 1, 0, "inner folder"), Mark(1, 0, 12, "after"), Mark(2, 0, 0, "empty"),
        Mark(0, 0, 13, "end"), Mark(1, 0, 14, "beyond the end")}) {
    ASSERT_TRUE(list.Add(mark));
  }
  const int first = ID_BOOKMARK_FIRST;
  const Items expected = {
      {"A&&B", first, {}},
      {"folder", 0, {{"in", first + 2, {}}, {"inner folder", first + 3, {}}}},
      {"after", first + 4, {}},
      {"empty", 0, {}},
  };
  EXPECT_EQ(vx::BookmarkMenuItems(list), expected);
  const std::pair<int, int> commands[] = {{first, 0},      {first + 1, -1}, {first + 2, 2},
                                          {first + 3, -1}, {first + 7, 7},  {first + 8, -1},
                                          {first - 1, -1}};
  for (auto [id, index] : commands) EXPECT_EQ(vx::BookmarkIndexOfCommand(list, id), index) << id;
}

// A full list gives 4096 items; the last command reachable is 39095, and 39096 finds nothing.
TEST(BookmarkMenuItemsTest, AFullListEndsAtTheLastCommand) {
  vx::BookmarkList list;
  while (list.Add(Mark(1, 0, list.Count(), "p"))) {
  }
  const Items items = vx::BookmarkMenuItems(list);
  ASSERT_EQ(items.size(), 4096u);
  EXPECT_EQ(items.back().commandId, 39095);
  EXPECT_EQ(vx::BookmarkIndexOfCommand(list, 39095), 4095);
  EXPECT_EQ(vx::BookmarkIndexOfCommand(list, ID_BOOKMARK_LAST), -1);
}

}  // namespace
