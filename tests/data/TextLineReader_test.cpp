#include "data/TextLineReader.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TextLineReaderTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;

  vx::FileHandle Write(const std::string& bytes) {
    vxtest::WriteFileBytes(dir / "f.txt", bytes);
    return vx::OpenFileForReading(dir / "f.txt");
  }

  std::vector<std::string> Lines(const std::string& bytes) {
    const vx::FileHandle file = Write(bytes);
    vx::TextLineReader reader(file.get());
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    return lines;
  }
};

TEST_F(TextLineReaderTest, LinesEndAtLfAndTheirTextAtCrLfOrNul) {
  const char bytes[] = "a\r\nb\n\r\nc\rlost\nd\0gone\ne";
  EXPECT_EQ(Lines(std::string(bytes, sizeof bytes - 1)),
            (std::vector<std::string>{"a", "b", "", "c", "d", "e"}));
  EXPECT_EQ(Lines(std::string("x\0y\nz", 5)), (std::vector<std::string>{"x", "z"}));
  EXPECT_TRUE(Lines("").empty());
}

TEST_F(TextLineReaderTest, LongLineIsOneLine) {
  const std::string longLine(100000, 'q');
  EXPECT_EQ(Lines(longLine + "\r\nnext\r\n"), (std::vector<std::string>{longLine, "next"}));
}

TEST_F(TextLineReaderTest, CountMatchesTheLinesReadAfterItAndRewinds) {
  for (const std::string& bytes : {std::string(""), std::string("\n"), std::string("a"),
                                   std::string("a\r\nb\r\n"), std::string("a\nb"),
                                   std::string(70000, 'x') + "\n\n" + std::string(70000, '\n')}) {
    const vx::FileHandle file = Write(bytes);
    const int counted = vx::CountFileLines(file.get());
    int read = 0;
    vx::TextLineReader reader(file.get());
    std::string_view line;
    while (reader.Next(line)) ++read;
    EXPECT_EQ(counted, read) << bytes.size() << " bytes";
  }
}

TEST(SplitTabFields, MissingFieldsAreEmptyAndExtraFieldsIgnored) {
  const auto f = vx::SplitTabFields<4>("a\t\tc");
  EXPECT_EQ(f[0], "a");
  EXPECT_EQ(f[1], "");
  EXPECT_EQ(f[2], "c");
  EXPECT_EQ(f[3], "");
  const auto g = vx::SplitTabFields<2>("x\ty\tz");
  EXPECT_EQ(g[1], "y");
}

}  // namespace
