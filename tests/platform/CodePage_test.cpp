#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using vx::FromCp932;
using vx::ToCp932;

struct Encoded {
  const char* name;
  int codePage;
  std::string bytes;
};

void PrintTo(const Encoded& value, std::ostream* os) { *os << value.name; }

// "サークル" in each encoding.
const Encoded kCircle[] = {
    {"Cp932", vx::kCodePageCp932, "\x83\x54\x81\x5B\x83\x4E\x83\x8B"},
    {"Utf8", vx::kCodePageUtf8, "\xE3\x82\xB5\xE3\x83\xBC\xE3\x82\xAF\xE3\x83\xAB"},
    {"EucJp", vx::kCodePageEucJp, "\xA5\xB5\xA1\xBC\xA5\xAF\xA5\xEB"},
    {"Iso2022Jp", vx::kCodePageIso2022Jp,
     "\x1B\x24\x42\x25\x35\x21\x3C\x25\x2F\x25\x6B\x1B\x28\x42"},
};
const std::string kCircleCp932 = kCircle[0].bytes;

class EncodingPair : public testing::TestWithParam<std::tuple<Encoded, Encoded>> {};

TEST_P(EncodingPair, ConvertsBytesExactlyThroughCp932) {
  const auto& [from, to] = GetParam();
  const std::string cp932 = ToCp932(from.bytes, from.codePage);
  EXPECT_EQ(cp932, kCircleCp932);
  EXPECT_EQ(FromCp932(cp932, to.codePage), to.bytes);
}

INSTANTIATE_TEST_SUITE_P(AllEncodings, EncodingPair,
                         testing::Combine(testing::ValuesIn(kCircle), testing::ValuesIn(kCircle)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "To" +
                                  std::get<1>(info.param).name;
                         });

TEST(CodePage, Utf8HelpersAndSjisLiteralAgreeWithCodePageForm) {
  EXPECT_EQ(vx::Sjis("サークル"), kCircleCp932);
  EXPECT_EQ(vx::Utf8ToCp932("サークル"), kCircleCp932);
  EXPECT_EQ(vx::Cp932ToUtf8(kCircleCp932), "サークル");
}

TEST(CodePage, Cp932VendorMappingsAreTheWindowsOnes) {
  EXPECT_EQ(vx::Cp932ToUtf8("\x81\x60"), "\uFF5E");  // not U+301C as in plain Shift_JIS
  EXPECT_EQ(vx::Cp932ToUtf8("\x81\x7C"), "\uFF0D");  // not U+2212
  // Text from tools that use the JIS mapping still finds the CP932 character.
  EXPECT_EQ(vx::Utf8ToCp932("\u301C"), "\x81\x60");
  EXPECT_EQ(vx::Utf8ToCp932("\u2212"), "\x81\x7C");
}

TEST(CodePage, EmptyTextStaysEmptyInEveryCodePage) {
  for (const Encoded& e : kCircle) {
    EXPECT_EQ(ToCp932("", e.codePage), "") << e.name;
    EXPECT_EQ(FromCp932("", e.codePage), "") << e.name;
  }
  EXPECT_EQ(vx::Cp932ToUtf8(""), "");
  EXPECT_EQ(vx::Utf8ToCp932(""), "");
}

TEST(CodePage, UnknownCodePageLeavesBytesAlone) {
  const std::string bytes = "a\x83\x54\xFF";
  EXPECT_EQ(ToCp932(bytes, 1252), bytes);
  EXPECT_EQ(FromCp932(bytes, 1252), bytes);
}

TEST(CodePage, EmbeddedNulIsConverted) {
  EXPECT_EQ(ToCp932(std::string("a\0b", 3), vx::kCodePageUtf8), std::string("a\0b", 3));
}

TEST(CodePage, TextLongerThanOneConversionBufferIsComplete) {
  std::string cp932;
  std::string utf8;
  for (int i = 0; i < 3000; ++i) {
    cp932 += "\x83\x54" "a";
    utf8 += "サa";
  }
  EXPECT_EQ(vx::Cp932ToUtf8(cp932), utf8);
  EXPECT_EQ(vx::Utf8ToCp932(utf8), cp932);
}

TEST(CodePage, UnrepresentableCharacterBecomesOneQuestionMark) {
  EXPECT_EQ(vx::Utf8ToCp932("a\U0001F600b"), "a?b");
  EXPECT_EQ(vx::Utf8ToCp932("\U0001F600\U0001F600"), "??");
  EXPECT_EQ(vx::Utf8ToCp932("\u00E9t\u00E9"), "?t?");
}

TEST(CodePage, IbmExtensionHasNoIso2022JpForm) {
  // ⅰ (CP932 FA 40) lives in JIS X 0212 in EUC-JP, which ISO-2022-JP does not carry.
  EXPECT_EQ(FromCp932("\xFA\x40", vx::kCodePageEucJp), "\x8F\xF3\xF3");
  EXPECT_EQ(ToCp932("\x8F\xF3\xF3", vx::kCodePageEucJp), "\xFA\x40");
  EXPECT_EQ(FromCp932("a\xFA\x40" "b", vx::kCodePageIso2022Jp), "a?b");
  EXPECT_EQ(FromCp932("\x83\x54\xFA\x40", vx::kCodePageIso2022Jp),
            "\x1B$B\x25\x35\x1B(B?");
}

struct NecCharacter {
  const char* name;
  std::string cp932;
  std::string eucJp;
  std::string iso2022Jp;
};

void PrintTo(const NecCharacter& value, std::ostream* os) { *os << value.name; }

class NecRow13 : public testing::TestWithParam<NecCharacter> {};

TEST_P(NecRow13, RoundTripsThroughEucJpAndIso2022Jp) {
  const NecCharacter& c = GetParam();
  EXPECT_EQ(FromCp932(c.cp932, vx::kCodePageEucJp), c.eucJp);
  EXPECT_EQ(ToCp932(c.eucJp, vx::kCodePageEucJp), c.cp932);
  EXPECT_EQ(FromCp932(c.cp932, vx::kCodePageIso2022Jp), c.iso2022Jp);
  EXPECT_EQ(ToCp932(c.iso2022Jp, vx::kCodePageIso2022Jp), c.cp932);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, NecRow13,
    testing::Values(NecCharacter{"CircledOne", "\x87\x40", "\xAD\xA1", "\x1B$B\x2D\x21\x1B(B"},
                    NecCharacter{"RomanOne", "\x87\x54", "\xAD\xB5", "\x1B$B\x2D\x35\x1B(B"},
                    NecCharacter{"SquareMilli", "\x87\x5F", "\xAD\xC0", "\x1B$B\x2D\x40\x1B(B"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Iso2022JpDecoding, HalfWidthKatakanaAfterEscParenI) {
  EXPECT_EQ(ToCp932("\x1B(I\x31\x32\x1B(B" "A", vx::kCodePageIso2022Jp), "\xB1\xB2" "A");
  EXPECT_EQ(ToCp932("\x1B(I\x5F\x21", vx::kCodePageIso2022Jp), "\xDF\xA1");
  // Only 0x21..0x5F are katakana.
  EXPECT_EQ(ToCp932("\x1B(I\x60\x31", vx::kCodePageIso2022Jp), "?\xB1");
}

TEST(Iso2022JpDecoding, HalfWidthKatakanaBetweenShiftOutAndShiftIn) {
  EXPECT_EQ(ToCp932("a\x0E\x31\x32\x0F" "b", vx::kCodePageIso2022Jp), "a\xB1\xB2" "b");
  // Shift-out takes precedence over a JIS X 0208 designation until shift-in.
  EXPECT_EQ(ToCp932("\x1B$B\x0E\x31\x0F\x25\x35\x1B(B", vx::kCodePageIso2022Jp), "\xB1\x83\x54");
}

TEST(Iso2022JpDecoding, OlderDesignationsAreAccepted) {
  EXPECT_EQ(ToCp932("\x1B$@\x25\x35\x1B(J" "a\\~", vx::kCodePageIso2022Jp), "\x83\x54" "a\\~");
}

TEST(Iso2022JpDecoding, ControlsPassInsideDoubleByteText) {
  EXPECT_EQ(ToCp932("\x1B$B\x25\x35\r\n\x25\x2F\x1B(B", vx::kCodePageIso2022Jp),
            "\x83\x54\r\n\x83\x4E");
}

TEST(Iso2022JpEncoding, HalfWidthKatakanaUseEscParenI) {
  EXPECT_EQ(FromCp932("\xB1\xB2" "A", vx::kCodePageIso2022Jp), "\x1B(I\x31\x32\x1B(B" "A");
  EXPECT_EQ(FromCp932("\xB1\x83\x54\xB1", vx::kCodePageIso2022Jp),
            "\x1B(I\x31\x1B$B\x25\x35\x1B(I\x31\x1B(B");
  EXPECT_EQ(ToCp932("\x1B(I\x31\x1B$B\x25\x35\x1B(I\x31\x1B(B", vx::kCodePageIso2022Jp),
            "\xB1\x83\x54\xB1");
}

TEST(Iso2022JpEncoding, ReturnsToAsciiBeforeLineEnds) {
  EXPECT_EQ(FromCp932("\x83\x54\r\n\x83\x4E", vx::kCodePageIso2022Jp),
            "\x1B$B\x25\x35\x1B(B\r\n\x1B$B\x25\x2F\x1B(B");
  EXPECT_EQ(FromCp932("\xB1\n", vx::kCodePageIso2022Jp), "\x1B(I\x31\x1B(B\n");
}

TEST(Iso2022JpEncoding, AsciiOnlyTextHasNoEscapes) {
  EXPECT_EQ(FromCp932("Header,1\r\n", vx::kCodePageIso2022Jp), "Header,1\r\n");
}

struct InvalidInput {
  const char* name;
  int codePage;
  std::string bytes;
  std::string cp932;
};

void PrintTo(const InvalidInput& value, std::ostream* os) { *os << value.name; }

class InvalidBytes : public testing::TestWithParam<InvalidInput> {};

TEST_P(InvalidBytes, BecomeQuestionMarksAndTheRestConverts) {
  const InvalidInput& c = GetParam();
  const std::string converted = c.codePage == vx::kCodePageCp932
                                    ? vx::Utf8ToCp932(vx::Cp932ToUtf8(c.bytes))
                                    : ToCp932(c.bytes, c.codePage);
  EXPECT_EQ(converted, c.cp932);
}

const std::string kSa = "\x83\x54";  // サ

INSTANTIATE_TEST_SUITE_P(
    EveryInputEncoding, InvalidBytes,
    testing::Values(
        InvalidInput{"Cp932Unassigned", vx::kCodePageCp932, "a\x85\x40" "b", "a?b"},
        InvalidInput{"Cp932SingleByte", vx::kCodePageCp932, "\x80\x83\x54\xFD", "?" + kSa + "?"},
        InvalidInput{"Cp932LeadBeforeLineEnd", vx::kCodePageCp932, "\x83\n\x83\x54", "?\n" + kSa},
        InvalidInput{"Cp932LeadAtEnd", vx::kCodePageCp932, "\x83\x54\x83", kSa + "?"},
        InvalidInput{"Utf8StrayByte", vx::kCodePageUtf8, "a\xFF\xE3\x82\xB5", "a?" + kSa},
        InvalidInput{"Utf8CutSequence", vx::kCodePageUtf8, "\xE3\x82" "a", "?a"},
        InvalidInput{"Utf8CutAtEnd", vx::kCodePageUtf8, "a\xE3\x82", "a?"},
        InvalidInput{"Utf8Surrogate", vx::kCodePageUtf8, "\xED\xA0\x80" "a", "?a"},
        InvalidInput{"EucJpUnassigned", vx::kCodePageEucJp, "a\xA9\xA1\xA5\xB5", "a?" + kSa},
        InvalidInput{"EucJpBadKana", vx::kCodePageEucJp, "\x8E\x41\xA5\xB5", "?A" + kSa},
        InvalidInput{"EucJpLeadAtEnd", vx::kCodePageEucJp, "\xA5\xB5\xA5", kSa + "?"},
        InvalidInput{"Iso2022JpEightBit", vx::kCodePageIso2022Jp, "a\x83\x54", "a?T"},
        InvalidInput{"Iso2022JpHalfPair", vx::kCodePageIso2022Jp, "\x1B$B\x25\x1B(Ba", "?a"},
        InvalidInput{"Iso2022JpUnassigned", vx::kCodePageIso2022Jp,
                     "\x1B$B\x29\x21\x25\x35\x1B(B", "?" + kSa},
        InvalidInput{"Iso2022JpUnknownEscape", vx::kCodePageIso2022Jp, "\x1B$(Da", "?a"},
        InvalidInput{"Iso2022JpEscapeAtEnd", vx::kCodePageIso2022Jp, "a\x1B", "a?"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CodePage, ConcurrentConversionsDoNotInterfere) {
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (std::size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([t, &failures] {
      const Encoded& e = kCircle[t % std::size(kCircle)];
      std::string text;
      std::string cp932;
      for (int i = 0; i < 500; ++i) {  // lines, so that ISO-2022-JP repeats its escapes
        text += e.bytes + "\n";
        cp932 += kCircleCp932 + "\n";
      }
      for (int i = 0; i < 300; ++i) {
        if (ToCp932(text, e.codePage) != cp932) ++failures[t];
        if (FromCp932(cp932, e.codePage) != text) ++failures[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < failures.size(); ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
