#include "app/BookmarkList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/CodePage.h"

namespace {

vx::Bookmark PageMark(int page, const std::string& title) {
  vx::Bookmark b;
  b.type = vx::Bookmark::kPage;
  b.page = page;
  b.SetTitle(title);
  return b;
}

TEST(BookmarkList, GetAtAnswersOnlyInsideTheCount) {
  vx::BookmarkList list;
  EXPECT_EQ(list.GetAt(0), nullptr);
  ASSERT_TRUE(list.Add(PageMark(12, "a")));
  ASSERT_TRUE(list.Add(PageMark(34, "b")));
  ASSERT_NE(list.GetAt(1), nullptr);
  EXPECT_EQ(list.GetAt(1)->page, 34);
  EXPECT_EQ(list.GetAt(2), nullptr);
  EXPECT_EQ(list.GetAt(-1), nullptr);
}

TEST(BookmarkList, RefusesTheEntryAfterTheCapacityAndStaysUnchanged) {
  vx::BookmarkList list;
  for (int i = 0; i < vx::BookmarkList::kCapacity; ++i) ASSERT_TRUE(list.Add(PageMark(i, "p")));
  EXPECT_FALSE(list.Add(PageMark(99999, "late")));
  EXPECT_EQ(list.count(), 4096);
  EXPECT_EQ(list.GetAt(4095)->page, 4095);
}

TEST(BookmarkList, RemoveAllEmptiesAndTheListCanBeFilledAgain) {
  vx::BookmarkList list;
  list.Add(PageMark(1, "x"));
  list.RemoveAll();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.GetAt(0), nullptr);
  EXPECT_TRUE(list.Add(PageMark(2, "y")));
  EXPECT_EQ(list.GetAt(0)->page, 2);
}

TEST(Bookmark, TitleKeepsAtMost127BytesWithoutSplittingACharacter) {
  // 126 ASCII bytes, then a two-byte character that no longer fits whole.
  const std::string title = std::string(126, 'a') + vx::Sjis("日本");
  vx::Bookmark b = PageMark(1, title);
  EXPECT_EQ(std::strlen(b.title), 126u);
  b.SetTitle(std::string(125, 'a') + vx::Sjis("日"));
  EXPECT_EQ(std::string(b.title), std::string(125, 'a') + vx::Sjis("日"));
}

TEST(Bookmark, EveryTypeButEndAndPageIsAFolder) {
  vx::Bookmark b;
  b.type = vx::Bookmark::kPage;
  EXPECT_FALSE(b.IsFolder());
  b.type = 7;
  EXPECT_TRUE(b.IsFolder());
  b.type = vx::Bookmark::kEnd;
  EXPECT_FALSE(b.IsFolder());
}

}  // namespace
