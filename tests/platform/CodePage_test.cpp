#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using vx::FromCp932;
using vx::ToCp932;

struct Encoded {
  int codePage;
  std::string bytes;
};

// "サークル" in each encoding.
const Encoded kCircle[] = {
    {vx::kCodePageCp932, "\x83\x54\x81\x5B\x83\x4E\x83\x8B"},
    {vx::kCodePageUtf8, "\xE3\x82\xB5\xE3\x83\xBC\xE3\x82\xAF\xE3\x83\xAB"},
    {vx::kCodePageEucJp, "\xA5\xB5\xA1\xBC\xA5\xAF\xA5\xEB"},
    {vx::kCodePageIso2022Jp, "\x1B\x24\x42\x25\x35\x21\x3C\x25\x2F\x25\x6B\x1B\x28\x42"},
};
const std::string kCircleCp932 = kCircle[0].bytes;
const std::string kSa = "\x83\x54";  // サ

TEST(CodePage, EveryEncodingConvertsExactlyToEveryOther) {
  for (const Encoded& from : kCircle) {
    for (const Encoded& to : kCircle) {
      EXPECT_EQ(FromCp932(ToCp932(from.bytes, from.codePage), to.codePage), to.bytes)
          << from.codePage << " to " << to.codePage;
    }
  }
  EXPECT_EQ(vx::Sjis("サークル"), kCircleCp932);
  EXPECT_EQ(vx::Cp932ToUtf8(kCircleCp932), "サークル");
}

TEST(CodePage, Cp932VendorMappingsAreTheWindowsOnes) {
  EXPECT_EQ(vx::Cp932ToUtf8("\x81\x60"), "\uFF5E");  // not U+301C as in plain Shift_JIS
  EXPECT_EQ(vx::Cp932ToUtf8("\x81\x7C"), "\uFF0D");
  EXPECT_EQ(vx::Utf8ToCp932("\u301C"), "\x81\x60");  // text from tools using the JIS mapping
  // NEC row 13 travels through EUC-JP and ISO-2022-JP; the IBM extension has no ISO-2022-JP form.
  EXPECT_EQ(FromCp932("\x87\x40", vx::kCodePageIso2022Jp), "\x1B$B\x2D\x21\x1B(B");
  EXPECT_EQ(ToCp932("\xAD\xA1", vx::kCodePageEucJp), "\x87\x40");
  EXPECT_EQ(ToCp932(FromCp932("\xFA\x40", vx::kCodePageEucJp), vx::kCodePageEucJp), "\xFA\x40");
  EXPECT_EQ(FromCp932("\x83\x54\xFA\x40", vx::kCodePageIso2022Jp), "\x1B$B\x25\x35\x1B(B?");
}

TEST(CodePage, EmptyLongAndUnknownCodePageTexts) {
  EXPECT_EQ(FromCp932("", vx::kCodePageIso2022Jp), "");
  EXPECT_EQ(ToCp932("a\x83\x54\xFF", 1252), "a\x83\x54\xFF");
  std::string cp932;
  std::string utf8;
  for (int i = 0; i < 3000; ++i) {
    cp932 += kSa + "a";
    utf8 += "サa";
  }
  EXPECT_EQ(vx::Cp932ToUtf8(cp932), utf8);
  EXPECT_EQ(vx::Utf8ToCp932(utf8), cp932);
}

TEST(CodePage, Iso2022JpShiftsAndDesignations) {
  const std::pair<std::string, std::string> reads[] = {
      {"\x1B(I\x31\x5F\x1B(B"
       "A",
       "\xB1\xDF"
       "A"},                        // half-width katakana
      {"\x1B(I\x60\x31", "?\xB1"},  // only 0x21..0x5F are katakana
      {"a\x0E\x31\x0F"
       "b",
       "a\xB1"
       "b"},
      {"\x1B$@\x25\x35\x1B(J"
       "a\\~",
       kSa + "a\\~"},
      {"\x1B$B\x25\x35\r\n\x25\x2F\x1B(B", kSa + "\r\n\x83\x4E"},
  };
  for (const auto& [iso, cp932] : reads) EXPECT_EQ(ToCp932(iso, vx::kCodePageIso2022Jp), cp932);

  const std::pair<std::string, std::string> writes[] = {
      {"\xB1" + kSa + "\xB1", "\x1B(I\x31\x1B$B\x25\x35\x1B(I\x31\x1B(B"},
      {kSa + "\r\n" + kSa, "\x1B$B\x25\x35\x1B(B\r\n\x1B$B\x25\x35\x1B(B"},
      {"Header,1\r\n", "Header,1\r\n"},
  };
  for (const auto& [cp932, iso] : writes) EXPECT_EQ(FromCp932(cp932, vx::kCodePageIso2022Jp), iso);
}

TEST(CodePage, InvalidOrUnrepresentableCharactersBecomeOneQuestionMarkEach) {
  const std::tuple<int, std::string, std::string> cases[] = {
      {vx::kCodePageCp932,
       "a\x85\x40"
       "b",
       "a?b"},
      {vx::kCodePageCp932, "\x83\n\x83\x54", "?\n" + kSa},
      {vx::kCodePageCp932, "\x83\x54\x83", kSa + "?"},
      {vx::kCodePageUtf8, "a\U0001F600b", "a?b"},
      {vx::kCodePageUtf8, "\U0001F600\u00E9", "??"},
      {vx::kCodePageUtf8, "a\xFF\xE3\x82\xB5", "a?" + kSa},
      {vx::kCodePageUtf8,
       "\xE3\x82"
       "a",
       "?a"},
      {vx::kCodePageEucJp, "a\xA9\xA1\xA5\xB5", "a?" + kSa},
      {vx::kCodePageEucJp, "\x8E\x41\xA5\xB5", "?A" + kSa},
      {vx::kCodePageEucJp, "\xA5\xB5\xA5", kSa + "?"},
      {vx::kCodePageIso2022Jp, "a\x83\x54", "a?T"},
      {vx::kCodePageIso2022Jp, "\x1B$B\x25\x1B(Ba", "?a"},
      {vx::kCodePageIso2022Jp, "\x1B$(Da", "?a"},
  };
  for (const auto& [codePage, bytes, cp932] : cases) {
    const std::string converted = codePage == vx::kCodePageCp932
                                      ? vx::Utf8ToCp932(vx::Cp932ToUtf8(bytes))
                                      : ToCp932(bytes, codePage);
    EXPECT_EQ(converted, cp932) << codePage << " " << testing::PrintToString(bytes);
  }
}

TEST(CodePage, ConcurrentConversionsDoNotInterfere) {
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (std::size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([t, &failures] {
      const Encoded& e = kCircle[t % std::size(kCircle)];
      std::string text;
      for (int i = 0; i < 500; ++i) text += e.bytes + "\n";  // ISO-2022-JP repeats its escapes
      const std::string cp932 = ToCp932(text, e.codePage);
      for (int i = 0; i < 300; ++i)
        failures[t] += ToCp932(text, e.codePage) != cp932 || FromCp932(cp932, e.codePage) != text;
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(8, 0));
}

}  // namespace
