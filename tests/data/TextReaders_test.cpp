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

Records ReadAll(std::string_view text, char separator = ',', int codePage = 932) {
  MyFile2 source(text);
  vx::CsvReader reader(&source, separator);
  reader.SetCodePage(codePage);
  Records records;
  while (reader.ReadRecord()) {
    records.emplace_back();
    for (int i = 0; i < reader.FieldCount(); ++i) records.back().push_back(reader.GetField(i));
  }
  return records;
}

TEST(MyFile, EveryByteValueIsDataUntilTheEndInMemoryAndOnDisk) {
  const std::string bytes("a\xff\x00z", 4);
  vxtest::TempDir dir;
  vxtest::WriteFileBytes(dir / "f.txt", bytes);
  const vx::FileHandle stream = vx::OpenFileForReading(dir / "f.txt");
  MyFile2 memory(bytes);
  vx::MyFile disk(stream.get());
  for (IFile* source : {static_cast<IFile*>(&memory), static_cast<IFile*>(&disk)}) {
    std::vector<int> read;
    for (int c = source->getc(); c != IFile::kEnd; c = source->getc()) read.push_back(c);
    source->ungetc('z');
    read.push_back(source->getc());
    source->rewind();
    read.push_back(source->getc());
    EXPECT_EQ(read, (std::vector<int>{'a', 0xFF, 0, 'z', 'z', 'a'}));
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

// The code pages and the header line that picks them are read in the checklist tests.
TEST(CsvReader, ConvertsTheCodePageToCp932) {
  EXPECT_EQ(ReadAll("\xEF\xBB\xBF日本,語\n", ',', 65001), (Records{{"?" + Sjis("日本"), Sjis("語")}}));
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
  const std::pair<std::string, int> counts[] = {{"", 0}, {"\n", 1}, {"a\nb", 2}};
  for (const auto& [other, count] : counts) {
    vxtest::WriteFileBytes(dir / "g.txt", other);
    EXPECT_EQ(vx::CountFileLines(vx::OpenFileForReading(dir / "g.txt").get()), count) << other;
  }
}

}  // namespace
