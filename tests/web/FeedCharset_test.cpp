// Reading feed bytes in the character set they declare, and the web code's text conversions.
#include "web/FeedCharset.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"
#include "web/TextConversions.h"

namespace {

TEST(CharsetToCodePage, KnownNamesInAnyCaseAndUTF8ForTheRest) {
  struct Case {
    const char* name;
    int codePage;
  };
  const Case cases[] = {
      {"UTF-8", vx::kCodePageUtf8},
      {"utf8", vx::kCodePageUtf8},
      {"Shift_JIS", vx::kCodePageCp932},
      {"SHIFT-JIS", vx::kCodePageCp932},
      {"windows-31j", vx::kCodePageCp932},
      {"x-sjis", vx::kCodePageCp932},
      {"EUC-JP", vx::kCodePageEucJp},
      {"x-euc-jp", vx::kCodePageEucJp},
      {"ISO-2022-JP", vx::kCodePageIso2022Jp},
      {"", vx::kCodePageUtf8},
      {"ISO-8859-1", vx::kCodePageUtf8},
      {"shift_jis2", vx::kCodePageUtf8},
  };
  for (const Case& c : cases) EXPECT_EQ(vx::CharsetToCodePage(c.name), c.codePage) << c.name;
}

TEST(MultiByteToUnicode, JapaneseFeedsInEveryDeclaredSet) {
  const std::string cp932 = vx::Sjis("新刊①のお知らせ ～ ｶﾅ");
  const std::wstring expected = L"新刊①のお知らせ ～ ｶﾅ";
  for (const char* charset : {"UTF-8", "Shift_JIS", "EUC-JP", "ISO-2022-JP"}) {
    SCOPED_TRACE(charset);
    const int codePage = vx::CharsetToCodePage(charset);
    EXPECT_EQ(vx::MultiByteToUnicode(codePage, vx::FromCp932(cp932, codePage)), expected);
  }
  EXPECT_EQ(vx::MultiByteToUnicode(vx::kCodePageUtf8, "\xEF\xBB\xBF<rss>"), L"<rss>");
}

TEST(TextConversions, Utf8AndWideRoundTripAndBadBytesAreReplaced) {
  const std::string utf8 = "a\xC3\xA9\xE6\x96\xB0\xF0\x9F\x98\x80";  // a é 新 😀
  EXPECT_EQ(vx::Utf8ToWide(utf8), L"a\u00E9\u65B0\U0001F600");
  EXPECT_EQ(vx::WideToUtf8(vx::Utf8ToWide(utf8)), utf8);
  EXPECT_EQ(vx::Utf8ToWide("\xC3("), L"\uFFFD(");
  EXPECT_EQ(vx::Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");            // overlong
  EXPECT_EQ(vx::Utf8ToWide("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");  // a surrogate
  EXPECT_EQ(vx::WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextConversions, AnsiIsCp932AndTextsEndAtTheirFirstNul) {
  EXPECT_EQ(vx::WideToAnsi(L"新\U0001F600"), vx::Sjis("新") + "?");
  EXPECT_EQ(vx::AnsiToWide(vx::Sjis("表示")), L"表示");
  EXPECT_EQ(vx::Utf8ToAnsi(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(vx::AnsiToUtf8(vx::Sjis("①")), "①");
  EXPECT_EQ(vx::Utf8ToWide(std::string("x\0y", 3)), L"x");
  EXPECT_EQ(vx::WideToAnsi(L""), "");
}

}  // namespace
