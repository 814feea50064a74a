// Feed items to text: the declared encoding, the four item forms, CDATA and HTML to text, and the
// feeds the patterns cannot take.
#include "web/FeedParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using vx::FeedItemsResult;

std::wstring Items(const std::wstring& feed, FeedItemsResult expected = FeedItemsResult::kFound) {
  std::wstring out;
  EXPECT_EQ(vx::ExtractFeedItems(feed, out), expected);
  return out;
}

TEST(ExtractFeedItems, Rss2ItemsAreJoinedAsTitleInBracketsAndDescription) {
  const std::wstring feed =
      L"<rss><channel><title>blog</title>"
      L"<item><title>First</title><link>l</link><description>One</description></item>\n"
      L"<ITEM><Title>Second</Title><description>Two\nlines</description></ITEM>"
      L"</channel></rss>";
  EXPECT_EQ(Items(feed), L"【First】\r\nOne\r\n\r\n【Second】\r\nTwo\nlines");
}

TEST(ExtractFeedItems, QuotesStayInElementTextAndLeaveOnlyAttributes) {
  EXPECT_EQ(Items(L"<item><title>\"Quoted\"</title><description>\"said\"</description></item>"),
            L"【\"Quoted\"】\r\n\"said\"");
  EXPECT_EQ(Items(L"<rdf:RDF><rdf:Description rdf:about=\"x\" dc:title=\"A\" dc:description='B' />"
                  L"<rdf:Description dc:title=C dc:description=\"\" /></rdf:RDF>"),
            L"【\"A\"】\r\nB\r\n\r\n【C】\r\n");
}

TEST(ExtractFeedItems, AtomTakesContentBeforeSummary) {
  EXPECT_EQ(Items(L"<feed><entry><title>T</title><summary>S</summary><content>C</content></entry>"
                  L"</feed>"),
            L"【T】\r\nC");
  EXPECT_EQ(Items(L"<feed><entry><title>T1</title><summary>S1</summary></entry>"
                  L"<entry><title type=\"text\">T2</title><summary>S2</summary></entry></feed>"),
            L"【T1】\r\nS1\r\n\r\n【T2】\r\nS2");
}

TEST(ExtractFeedItems, ATitleAndItsDescriptionComeFromTheSameItem) {
  std::wstring rss = L"<rss><channel>";
  for (int i = 1; i <= 100; ++i) {
    rss += L"<item><title>お知らせ" + std::to_wstring(i) + L"</title><link>l</link></item>\r\n";
  }
  rss += L"<item><title>最後</title><description>最後だけ説明あり</description></item></channel>";
  EXPECT_EQ(Items(rss + L"</rss>"), L"【最後】\r\n最後だけ説明あり");
  EXPECT_EQ(Items(L"<feed><entry><title>A</title><id>1</id></entry>"
                  L"<entry><title>B</title><content>C</content></entry></feed>"),
            L"【B】\r\nC");
}

TEST(ExtractFeedItems, CdataHtmlBecomesTextButEscapedTagsOutsideStayEscaped) {
  EXPECT_EQ(Items(L"<item><title>T</title><description><![CDATA[  <p>Hello<br/>World</p>]]>"
                  L"</description></item>"),
            L"【T】\r\nHello\r\nWorld");
  EXPECT_EQ(Items(L"<item><title>T</title><description>&lt;b&gt;x&lt;/b&gt;</description></item>"),
            L"【T】\r\n&lt;b&gt;x&lt;/b&gt;");
  EXPECT_EQ(Items(L"<item><title>T</title><description><![CDATA[&lt;b&gt;x &amp; y]]></description>"
                  L"</item>"),
            L"【T】\r\n<b>x &amp; y");
}

TEST(ExtractFeedItems, FeedsWithoutItemsOrTooLongGiveNoText) {
  Items(L"<html><body>not a feed</body></html>", FeedItemsResult::kNone);
  std::wstring feed = L"<rss><channel>";
  for (int i = 0; i < 100; ++i) {
    feed += L"<item><title>Title " + std::to_wstring(i) + L"</title><link>http://x/" +
            std::to_wstring(i) + L"</link></item>\n";
  }
  EXPECT_EQ(Items(feed + L"</channel></rss>", FeedItemsResult::kNone), L"");
  const std::wstring huge(vx::kMaxFeedTextLength + 1, L'x');
  Items(L"<item><title>T</title><description>D</description></item>" + huge,
        FeedItemsResult::kUnreadable);
}

TEST(FindXmlEncoding, OnlyTheDeclarationCounts) {
  struct Case {
    std::string body;
    bool found;
    std::string name;
  };
  const Case cases[] = {
      {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><rss/>", true, "Shift_JIS"},
      {"<?xml version='1.0' encoding='EUC-JP'?>", true, "EUC-JP"},
      {"\xEF\xBB\xBF\r\n<?XML version=\"1.0\"\tencoding=utf-8?>", true, "utf-8"},
      {"<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\" ?>", true, "UTF-8"},
      {"<rss><item>no declaration</item></rss>", false, ""},
      {"<?xml version=\"1.0\"?><rss><description>encoding=\"EUC-JP\" <b></description></rss>",
       false, ""},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><p> encoding=\"EUC-JP\" </p>", true, "UTF-8"},
      {"<rss/><?xml version=\"1.0\" encoding=\"EUC-JP\"?>", false, ""},
      {"<?xml version=\"1.0\" encoding=\"\"?>", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    std::string name = "prefix:";
    EXPECT_EQ(vx::FindXmlEncoding(c.body, name), c.found);
    EXPECT_EQ(name, "prefix:" + c.name);
  }
}

TEST(HtmlToText, FivePassesInOrder) {
  std::wstring text = L"<div class=x>a</div><P>b<br>c</br>d<BR/>&lt;i&gt;&lt&gt &amp;&#39;</p>";
  vx::HtmlToText(text);
  EXPECT_EQ(text, L"\r\n\r\na\r\n\r\nb\r\nc\r\nd\r\n<i><> &amp;&#39;");
}

TEST(ConvertCdataSections, SectionsAreConvertedAndTheRestKept) {
  std::wstring text = L"<b>a</b><![CDATA[ <b>x</b> ]]>mid<![CDATA[\n<br>tail<br>end";
  EXPECT_TRUE(vx::ConvertCdataSections(text));
  EXPECT_EQ(text, L"<b>a</b>x midtail\r\nend");
  std::wstring plain = L"<p>no sections</p>";
  EXPECT_FALSE(vx::ConvertCdataSections(plain));
  EXPECT_EQ(plain, L"<p>no sections</p>");
}

TEST(RegexReplaceAll, EmptyMatchesStepOverOneCharacter) {
  std::wstring text = L"abc";
  EXPECT_EQ(vx::RegexReplaceAll(vx::MakeWRegex(L"x*"), text, L"-", 0), 3);
  EXPECT_EQ(text, L"-a-b-c");
  std::wstring groups = L"k=v; k2=v2";
  EXPECT_EQ(vx::RegexReplaceAll(vx::MakeWRegex(L"=(\\w+)"), groups, L"$1", 1), 2);
  EXPECT_EQ(groups, L"k=$1; k2=$1");  // the replacement is literal text
  std::wstring none = L"abc";
  EXPECT_EQ(vx::RegexReplaceAll(vx::MakeWRegex(L"z"), none, L"-", 0), 0);
  EXPECT_EQ(none, L"abc");
}

TEST(AppendUnquoted, QuotesAreRemovedOnlyAroundTheValue) {
  struct Case {
    std::string value;
    bool appended;
    std::string out;
  };
  const Case cases[] = {
      {"", false, ""},
      {"plain", true, "plain"},
      {"\"dq\"", true, "dq"},
      {"'sq'", true, "sq"},
      {"\"", true, ""},
      {"\"open", true, "open"},
      {"'mixed\"", true, "mixed\""},
      {"in\"side\"", true, "in\"side\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    std::string out;
    EXPECT_EQ(vx::AppendUnquoted(out, c.value), c.appended);
    EXPECT_EQ(out, c.out);
    std::wstring wide;
    EXPECT_EQ(vx::AppendUnquotedW(wide, std::wstring(c.value.begin(), c.value.end())), c.appended);
    EXPECT_EQ(wide, std::wstring(c.out.begin(), c.out.end()));
  }
}

}  // namespace
