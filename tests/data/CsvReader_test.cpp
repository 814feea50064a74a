#include "data/CsvReader.h"
#include "data/LeadingInt.h"
#include "data/MyFile.h"
#include "data/MyFile2.h"
#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using vx::CsvReader;
using vx::IFile;
using vx::MyFile2;

std::vector<std::vector<std::string>> ReadAll(CsvReader& reader) {
  std::vector<std::vector<std::string>> records;
  while (reader.ReadRecord()) {
    std::vector<std::string> fields;
    for (int i = 0; i < reader.FieldCount(); ++i) fields.push_back(reader.GetField(i));
    records.push_back(fields);
  }
  return records;
}

std::vector<std::vector<std::string>> ReadAll(std::string_view text, char separator = ',') {
  MyFile2 source(text);
  CsvReader reader(&source, separator);
  return ReadAll(reader);
}

using Records = std::vector<std::vector<std::string>>;

TEST(MyFile2, EveryByteValueIsDataUntilTheEnd) {
  const std::string bytes("a\xff\x00z", 4);
  MyFile2 source(bytes);
  EXPECT_EQ(source.getc(), 'a');
  EXPECT_EQ(source.getc(), 0xFF);
  EXPECT_FALSE(source.eof());
  EXPECT_EQ(source.getc(), 0);
  EXPECT_EQ(source.getc(), 'z');
  EXPECT_TRUE(source.eof());
  EXPECT_EQ(source.getc(), IFile::kEnd);
  source.ungetc('z');
  EXPECT_EQ(source.getc(), 'z');
  source.rewind();
  source.ungetc('a');  // nothing before the start
  EXPECT_EQ(source.getc(), 'a');
}

TEST(MyFile, ReadsUngetsAndRewindsAStream) {
  vxtest::TempDir dir;
  vxtest::WriteFileBytes(dir / "f.txt", std::string("p\xffq", 3));
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(
      std::fopen((dir / "f.txt").c_str(), "rb"), std::fclose);
  ASSERT_NE(stream, nullptr);
  vx::MyFile source(stream.get());
  EXPECT_EQ(source.getc(), 'p');
  EXPECT_EQ(source.getc(), 0xFF);
  source.ungetc(0xFF);
  EXPECT_EQ(source.getc(), 0xFF);
  EXPECT_EQ(source.getc(), 'q');
  EXPECT_EQ(source.getc(), IFile::kEnd);
  EXPECT_TRUE(source.eof());
  source.rewind();
  EXPECT_FALSE(source.eof());
  EXPECT_EQ(source.getc(), 'p');
}

TEST(CsvReader, EmptySourceHasNoRecord) {
  MyFile2 source("");
  CsvReader reader(&source, ',');
  EXPECT_FALSE(reader.ReadRecord());
  EXPECT_EQ(reader.FieldCount(), 0);
  EXPECT_EQ(reader.GetField(0), "");
}

TEST(CsvReader, EveryLineEndEndsOneRecordAndTheLastNeedsNone) {
  EXPECT_EQ(ReadAll("a\r\nb\rc\nd"), (Records{{"a"}, {"b"}, {"c"}, {"d"}}));
}

TEST(CsvReader, BlankLineEndsTheReading) {
  EXPECT_EQ(ReadAll("a,1\r\n\r\nb,2\r\n"), (Records{{"a", "1"}}));
}

TEST(CsvReader, SplitsAtSeparatorsKeepingEmptyFields) {
  EXPECT_EQ(ReadAll("a,b,\n,a\n,,\n"),
            (Records{{"a", "b", ""}, {"", "a"}, {"", "", ""}}));
}

TEST(CsvReader, QuotedFieldsHoldSeparatorsDoubledQuotesAndTrailingText) {
  EXPECT_EQ(ReadAll("\"x,\"\"y\"\"\"z,w\n"), (Records{{"x,\"y\"z", "w"}}));
  EXPECT_EQ(ReadAll("\"\",\"a\"\n"), (Records{{"", "a"}}));
  // A quote inside an unquoted field is an ordinary character.
  EXPECT_EQ(ReadAll("a\"b,c\n"), (Records{{"a\"b", "c"}}));
}

TEST(CsvReader, QuotedLineBreakBecomesCrLfWhateverTheSourceUsed) {
  EXPECT_EQ(ReadAll("\"one\ntwo\",3\r\nnext\n"),
            (Records{{"one\r\ntwo", "3"}, {"next"}}));
  EXPECT_EQ(ReadAll("\"one\rtwo\",3\n"), (Records{{"one\r\ntwo", "3"}}));
  EXPECT_EQ(ReadAll("\"one\r\n\r\nthree\"\n"), (Records{{"one\r\n\r\nthree"}}));
}

TEST(CsvReader, QuoteLeftOpenEndsWithTheData) {
  EXPECT_EQ(ReadAll("a,\"open\nmore"), (Records{{"a", "open\r\nmore\r\n"}}));
}

TEST(CsvReader, ShorterRecordHidesTheFieldsOfTheLongerOneBefore) {
  MyFile2 source("1,2,3\n4\n");
  CsvReader reader(&source, ',');
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.GetField(2), "3");
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.FieldCount(), 1);
  EXPECT_EQ(reader.GetField(1), "");
  EXPECT_EQ(reader.GetFieldInt(2), 0);
  EXPECT_EQ(reader.GetField(-1), "");
}

TEST(CsvReader, FieldNumbersReadTheLeadingDigits) {
  MyFile2 source(" 42,-7x,abc,,+5,99999999999\n");
  CsvReader reader(&source, ',');
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.GetFieldInt(0), 42);
  EXPECT_EQ(reader.GetFieldInt(1), -7);
  EXPECT_EQ(reader.GetFieldInt(2), 0);
  EXPECT_EQ(reader.GetFieldInt(3), 0);
  EXPECT_EQ(reader.GetFieldInt(4), 5);
  EXPECT_EQ(reader.GetFieldInt(5), INT_MAX);
}

TEST(CsvReader, TabSeparatedCp932KeepsDoubleByteCharacters) {
  // "ソ" and "表" end in 0x5C, "ー" in 0x5B: trail bytes that must not disturb the split.
  const std::string text = vx::Sjis("ソ表\tー\r\nkey\t値\r\n");
  EXPECT_EQ(ReadAll(text, '\t'),
            (Records{{vx::Sjis("ソ表"), vx::Sjis("ー")}, {"key", vx::Sjis("値")}}));
}

TEST(CsvReader, ByteFfIsDataNotTheEnd) {
  const std::string text("a\xff" "b,c\nd\n");
  EXPECT_EQ(ReadAll(text), (Records{{"a\xff" "b", "c"}, {"d"}}));
}

TEST(CsvReader, NulCutsThePhysicalLine) {
  const std::string text("ab\0cd,e\nf\n", 10);
  EXPECT_EQ(ReadAll(text), (Records{{"ab"}, {"f"}}));
}

TEST(CsvReader, ConvertsEachCodePageToCp932) {
  const std::string expected = vx::Sjis("日本,語");
  struct Case {
    int codePage;
    std::string bytes;
  };
  const Case cases[] = {
      {65001, "日本,語\n"},
      {20932, vx::FromCp932(vx::Sjis("日本,語\n"), 20932)},
      {50220, vx::FromCp932(vx::Sjis("日本,語"), 50220) + "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codePage);
    MyFile2 source(c.bytes);
    CsvReader reader(&source, ',');
    reader.SetCodePage(c.codePage);
    ASSERT_TRUE(reader.ReadRecord());
    EXPECT_EQ(reader.GetField(0), vx::Sjis("日本"));
    EXPECT_EQ(reader.GetField(1), vx::Sjis("語"));
  }
}

TEST(CsvReader, CodePageAndSeparatorChangeBetweenRecords) {
  const std::string text = "Header,UTF-8\n名前\t\"メモ\"\n";
  MyFile2 source(text);
  CsvReader reader(&source, ',');
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.GetField(1), "UTF-8");
  reader.SetCodePage(65001);
  reader.SetSeparator('\t');
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.GetField(0), vx::Sjis("名前"));
  EXPECT_EQ(reader.GetField(1), vx::Sjis("メモ"));
}

TEST(CsvReader, ByteOrderMarkIsLeftInTheFirstField) {
  const std::string text = "\xEF\xBB\xBFHeader,x\n";
  EXPECT_EQ(ReadAll(text), (Records{{"\xEF\xBB\xBFHeader", "x"}}));
  MyFile2 source(text);
  CsvReader reader(&source, ',');
  reader.SetCodePage(65001);
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.GetField(0), "?Header");
}

TEST(LeadingInt, ReadsLikeTheRuntimeConversion) {
  EXPECT_EQ(vx::LeadingInt(""), 0);
  EXPECT_EQ(vx::LeadingInt("  \t12ab"), 12);
  EXPECT_EQ(vx::LeadingInt("-0"), 0);
  EXPECT_EQ(vx::LeadingInt("- 3"), 0);
  EXPECT_EQ(vx::LeadingInt("-2147483648"), INT_MIN);
  EXPECT_EQ(vx::LeadingInt("-99999999999999999999"), INT_MIN);
  EXPECT_EQ(vx::LeadingInt("2147483647"), INT_MAX);
}

}  // namespace
