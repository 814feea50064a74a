#include "data/CsvReader.h"
#include "data/MyFile.h"
#include "data/MyFile2.h"
#include "data/TextLineReader.h"
#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using vx::IFile;
using vx::MyFile2;
using vx::Sjis;
using Records = std::vector<std::vector<std::string>>;

Records ReadAll(std::string_view text, char separator = ',', int codePage = 0) {
  MyFile2 source(text);
  vx::CsvReader reader(&source, separator);
  if (codePage != 0) reader.SetCodePage(codePage);
  Records records;
  while (reader.ReadRecord()) {
    records.emplace_back();
    for (int i = 0; i < reader.FieldCount(); ++i) records.back().push_back(reader.GetField(i));
  }
  return records;
}

TEST(MyFile, EveryByteValueIsDataUntilTheEndInMemoryAndOnDisk) {
  const std::string bytes("a\xff\x00z", 4);
  MyFile2 memory(bytes);
  vxtest::TempDir dir;
  vxtest::WriteFileBytes(dir / "f.txt", bytes);
  const vx::FileHandle stream = vx::OpenFileForReading(dir / "f.txt");
  vx::MyFile disk(stream.get());
  for (IFile* source : {static_cast<IFile*>(&memory), static_cast<IFile*>(&disk)}) {
    std::vector<int> read;
    for (int c = source->getc(); c != IFile::kEnd; c = source->getc()) read.push_back(c);
    EXPECT_EQ(read, (std::vector<int>{'a', 0xFF, 0, 'z'}));
    EXPECT_TRUE(source->eof());
    source->ungetc('z');
    EXPECT_EQ(source->getc(), 'z');
    source->rewind();
    EXPECT_FALSE(source->eof());
    EXPECT_EQ(source->getc(), 'a');
  }
}

TEST(CsvReader, SplitsRecordsAndFields) {
  const struct {
    std::string text;
    Records expected;
  } cases[] = {
      {"", {}},
      {"a\r\nb\rc\nd", {{"a"}, {"b"}, {"c"}, {"d"}}},
      {"a,1\r\n\r\nb,2\r\n", {{"a", "1"}}},  // a blank line ends the reading
      {"a,b,\n,a\n,,\n", {{"a", "b", ""}, {"", "a"}, {"", "", ""}}},
      {"\"x,\"\"y\"\"\"z,w\n\"\",\"a\"\na\"b,c\n", {{"x,\"y\"z", "w"}, {"", "a"}, {"a\"b", "c"}}},
      {"\"one\ntwo\",3\r\nnext\n", {{"one\r\ntwo", "3"}, {"next"}}},
      {"\"one\rtwo\",3\n", {{"one\r\ntwo", "3"}}},
      {"\"one\r\n\r\nthree\"\n", {{"one\r\n\r\nthree"}}},
      {"a,\"open\nmore", {{"a", "open\r\nmore\r\n"}}},
      {"a\xff" "b,c\nd\n", {{"a\xff" "b", "c"}, {"d"}}},
      {std::string("ab\0cd,e\nf\n", 10), {{"ab"}, {"f"}}},
      {"\xEF\xBB\xBFHeader,x\n", {{"\xEF\xBB\xBFHeader", "x"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadAll(c.text), c.expected) << c.text;
  // "ソ" and "表" end in 0x5C, "ー" in 0x5B: trail bytes that must not disturb the split.
  EXPECT_EQ(ReadAll(Sjis("ソ表\tー\r\nkey\t値\r\n"), '\t'),
            (Records{{Sjis("ソ表"), Sjis("ー")}, {"key", Sjis("値")}}));
}

TEST(CsvReader, FieldsOfAShorterRecordAndTheirNumbers) {
  MyFile2 source("1,2,3\n 42,-7x,abc,,+5,99999999999\n4\n");
  vx::CsvReader reader(&source, ',');
  ASSERT_TRUE(reader.ReadRecord());
  ASSERT_TRUE(reader.ReadRecord());
  std::vector<int> numbers;
  for (int i = 0; i < 6; ++i) numbers.push_back(reader.GetFieldInt(i));
  EXPECT_EQ(numbers, (std::vector<int>{42, -7, 0, 0, 5, INT_MAX}));
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.FieldCount(), 1);
  EXPECT_EQ(reader.GetField(1), "");
  EXPECT_EQ(reader.GetFieldInt(2), 0);
  EXPECT_EQ(reader.GetField(-1), "");
  EXPECT_FALSE(reader.ReadRecord());
}

TEST(CsvReader, ConvertsEachCodePageToCp932) {
  const Records expected = {{Sjis("日本"), Sjis("語")}};
  EXPECT_EQ(ReadAll("日本,語\n", ',', 65001), expected);
  EXPECT_EQ(ReadAll(vx::FromCp932(Sjis("日本,語\n"), 20932), ',', 20932), expected);
  EXPECT_EQ(ReadAll(vx::FromCp932(Sjis("日本,語"), 50220) + "\n", ',', 50220), expected);
  EXPECT_EQ(ReadAll("\xEF\xBB\xBFHeader,x\n", ',', 65001), (Records{{"?Header", "x"}}));
  // The header line decides the code page and separator of the lines after it.
  MyFile2 source("Header,UTF-8\n名前\t\"メモ\"\n");
  vx::CsvReader reader(&source, ',');
  ASSERT_TRUE(reader.ReadRecord());
  reader.SetCodePage(65001);
  reader.SetSeparator('\t');
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.GetField(0), Sjis("名前"));
  EXPECT_EQ(reader.GetField(1), Sjis("メモ"));
}

TEST(TextLineReader, WholeLinesEndAtLfTheirTextAtCrOrNulAndTheCountAgrees) {
  vxtest::TempDir dir;
  const std::string longLine(100000, 'q');
  const char head[] = "a\r\nb\n\r\nc\rlost\nd\0gone\n";
  const std::string bytes = std::string(head, sizeof head - 1) + longLine + "\ne";
  vxtest::WriteFileBytes(dir / "f.txt", bytes);
  const vx::FileHandle file = vx::OpenFileForReading(dir / "f.txt");
  EXPECT_EQ(vx::CountFileLines(file.get()), 7);
  vx::TextLineReader reader(file.get());
  std::vector<std::string> lines;
  for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "c", "d", longLine, "e"}));
  for (const std::string& other : {std::string(""), std::string("\n"), std::string("a\nb")}) {
    vxtest::WriteFileBytes(dir / "g.txt", other);
    const vx::FileHandle g = vx::OpenFileForReading(dir / "g.txt");
    int read = 0;
    const int counted = vx::CountFileLines(g.get());
    vx::TextLineReader counter(g.get());
    for (std::string_view line; counter.Next(line);) ++read;
    EXPECT_EQ(counted, read) << other;
  }
}

}  // namespace
