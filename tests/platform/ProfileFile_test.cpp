#include "platform/ProfileFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <string>

#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using vx::ProfileFile;
using vxtest::ReadFileBytes;
using vxtest::WriteFileBytes;

class ProfileFileTest : public ::testing::Test {
 protected:
  ProfileFile Open(const std::string& content) {
    WriteFileBytes(file_, content);
    return ProfileFile(file_);
  }

  vxtest::TempDir dir_;
  fs::path file_ = dir_ / "test.ini";
};

TEST_F(ProfileFileTest, SectionsAndKeysIgnoreAsciiCase) {
  ProfileFile profile = Open("[General]\r\nUserName=abc\r\n");
  EXPECT_EQ(profile.GetString("GENERAL", "username", "-"), "abc");
  EXPECT_EQ(profile.GetString("general", "USERNAME", "-"), "abc");
  EXPECT_TRUE(profile.HasKey("gEnErAl", "uSeRnAmE"));
}

TEST_F(ProfileFileTest, DoubleByteNamesAreNotCaseFolded) {
  // 0x83 0x41 and 0x83 0x61 are two different katakana; folding the trail byte would merge them.
  ProfileFile profile = Open("[S]\r\n\x83\x41=first\r\n\x83\x61=second\r\n");
  EXPECT_EQ(profile.GetString("S", "\x83\x41", "-"), "first");
  EXPECT_EQ(profile.GetString("S", "\x83\x61", "-"), "second");
}

TEST_F(ProfileFileTest, ValuesAreTrimmedOfAsciiBlanksOnly) {
  ProfileFile profile = Open(
      "[S]\r\n"
      "  spaced  =  \t value with inner  blanks \t \r\n"
      "wide=\x81\x40wide\x81\x40\r\n");
  EXPECT_EQ(profile.GetString("S", "spaced", "-"), "value with inner  blanks");
  EXPECT_EQ(profile.GetString("S", "wide", "-"), "\x81\x40wide\x81\x40");
}

TEST_F(ProfileFileTest, MatchingQuotesAreRemoved) {
  ProfileFile profile = Open(
      "[S]\r\n"
      "double=\"  keep blanks  \"\r\n"
      "single='x'\r\n"
      "mixed=\"x'\r\n"
      "lone=\"\r\n"
      "inner=a\"b\"\r\n");
  EXPECT_EQ(profile.GetString("S", "double", "-"), "  keep blanks  ");
  EXPECT_EQ(profile.GetString("S", "single", "-"), "x");
  EXPECT_EQ(profile.GetString("S", "mixed", "-"), "\"x'");
  EXPECT_EQ(profile.GetString("S", "lone", "-"), "\"");
  EXPECT_EQ(profile.GetString("S", "inner", "-"), "a\"b\"");
}

TEST_F(ProfileFileTest, MissingEntriesGiveTheDefaultButAnEmptyValueIsEmpty) {
  ProfileFile profile = Open("[S]\r\nempty=\r\n");
  EXPECT_EQ(profile.GetString("S", "empty", "-"), "");
  EXPECT_EQ(profile.GetString("S", "absent", "-"), "-");
  EXPECT_EQ(profile.GetString("Other", "empty", "-"), "-");
  EXPECT_EQ(ProfileFile(dir_ / "missing.ini").GetString("S", "empty", "def"), "def");
}

TEST_F(ProfileFileTest, IntegersReadLeadingDecimalDigits) {
  ProfileFile profile = Open(
      "[N]\r\n"
      "trailing=12x\r\n"
      "negative=-7\r\n"
      "plus=+5\r\n"
      "word=x\r\n"
      "sign=-\r\n"
      "hex=0x10\r\n"
      "quoted=\"42\"\r\n"
      "empty=\r\n"
      "huge=99999999999\r\n"
      "tiny=-99999999999\r\n");
  EXPECT_EQ(profile.GetInt("N", "trailing", 99), 12);
  EXPECT_EQ(profile.GetInt("N", "negative", 99), -7);
  EXPECT_EQ(profile.GetInt("N", "plus", 99), 5);
  EXPECT_EQ(profile.GetInt("N", "word", 99), 0);
  EXPECT_EQ(profile.GetInt("N", "sign", 99), 0);
  EXPECT_EQ(profile.GetInt("N", "hex", 99), 0);
  EXPECT_EQ(profile.GetInt("N", "quoted", 99), 42);
  EXPECT_EQ(profile.GetInt("N", "empty", 99), 99);
  EXPECT_EQ(profile.GetInt("N", "absent", 99), 99);
  EXPECT_EQ(profile.GetInt("N", "huge", 99), INT_MAX);
  EXPECT_EQ(profile.GetInt("N", "tiny", 99), INT_MIN);
}

TEST_F(ProfileFileTest, FirstOfDuplicateKeysAndSectionsWins) {
  ProfileFile profile = Open("[S]\r\nk=1\r\nK=2\r\n[s]\r\nk=3\r\nonly=4\r\n");
  EXPECT_EQ(profile.GetString("S", "k", "-"), "1");
  EXPECT_EQ(profile.GetString("S", "only", "-"), "-");
  EXPECT_EQ(profile.Keys("S"), (std::vector<std::string>{"k"}));
  EXPECT_EQ(profile.Sections(), (std::vector<std::string>{"S"}));
}

TEST_F(ProfileFileTest, ReadsLfAndCrlfAndALastLineWithoutEnd) {
  ProfileFile profile = Open("[A]\nlf=1\r\n[B]\r\ncrlf=2\r\nlast=3");
  EXPECT_EQ(profile.GetString("A", "lf", "-"), "1");
  EXPECT_EQ(profile.GetString("B", "crlf", "-"), "2");
  EXPECT_EQ(profile.GetString("B", "last", "-"), "3");
}

TEST_F(ProfileFileTest, CommentsStrayLinesAndKeysBeforeAnySectionAreNotKeys) {
  ProfileFile profile = Open(
      "early=0\r\n"
      "[S]\r\n"
      ";commented=1\r\n"
      "  ; indented=2\r\n"
      "no equals sign\r\n"
      "=nameless\r\n"
      "real=3\r\n");
  EXPECT_EQ(profile.Keys("S"), (std::vector<std::string>{"real"}));
  EXPECT_FALSE(profile.HasKey("S", ";commented"));
  EXPECT_FALSE(profile.HasKey("", "early"));
}

TEST_F(ProfileFileTest, ListsSectionsAndKeysInFileOrderWithTheirSpelling) {
  ProfileFile profile = Open("[Print]\r\nMode=1\r\nHiReso=0\r\n[ Color ]\r\nFvrColorNum=9\r\n");
  EXPECT_EQ(profile.Sections(), (std::vector<std::string>{"Print", "Color"}));
  EXPECT_EQ(profile.Keys("PRINT"), (std::vector<std::string>{"Mode", "HiReso"}));
  EXPECT_EQ(profile.GetString("color", "fvrcolornum", "-"), "9");
  EXPECT_TRUE(profile.Keys("absent").empty());
}

TEST_F(ProfileFileTest, Cp932TrailBytesThatLookLikeAsciiAreKeptWhole) {
  // "表" is 95 5C and "ポ" is 83 7C; 83 5D ends in the byte of ']'.
  const std::string value = "\x95\x5c\x83\x7c \x95\x5c";
  const std::string section = "\x83\x5d\x95\x5c";
  ProfileFile profile = Open("[" + section + "]\r\nkey=" + value + "\r\n");
  EXPECT_EQ(profile.Sections(), (std::vector<std::string>{section}));
  EXPECT_EQ(profile.GetString(section, "key", "-"), value);

  profile.WriteString(section, "\x95\x5c", value);
  ASSERT_TRUE(profile.Save());
  EXPECT_EQ(ReadFileBytes(file_), "[" + section + "]\r\nkey=" + value + "\r\n\x95\x5c=" + value + "\r\n");
  EXPECT_EQ(ProfileFile(file_).GetString(section, "\x95\x5c", "-"), value);
}

TEST_F(ProfileFileTest, WriteEditsInPlaceAndKeepsEveryOtherLine) {
  ProfileFile profile = Open(
      "; top comment\n"
      "[A]\n"
      "x=1\n"
      "; note\n"
      "Y = 2\n"
      "stray line\n"
      "\n"
      "[B]\n"
      "z=3\n");
  EXPECT_TRUE(profile.WriteString("a", "y", "20"));
  EXPECT_TRUE(profile.WriteString("A", "new", "n"));
  EXPECT_TRUE(profile.WriteString("C", "k", "v"));
  ASSERT_TRUE(profile.Save());
  EXPECT_EQ(ReadFileBytes(file_),
            "; top comment\r\n"
            "[A]\r\n"
            "x=1\r\n"
            "; note\r\n"
            "Y=20\r\n"
            "stray line\r\n"
            "new=n\r\n"
            "\r\n"
            "[B]\r\n"
            "z=3\r\n"
            "\r\n"
            "[C]\r\n"
            "k=v\r\n");
}

TEST_F(ProfileFileTest, FirstWriteCreatesTheFileWithCrlfLines) {
  EXPECT_TRUE(vx::WritePrivateProfileString("System", "VQNumber96", "96", file_));
  EXPECT_TRUE(vx::WritePrivateProfileString("System", "noDatabase96", "0", file_));
  EXPECT_TRUE(vx::WritePrivateProfileString("Window", "CutZoomSize", "100", file_));
  EXPECT_EQ(ReadFileBytes(file_),
            "[System]\r\nVQNumber96=96\r\nnoDatabase96=0\r\n\r\n[Window]\r\nCutZoomSize=100\r\n");
  EXPECT_EQ(vx::GetPrivateProfileInt("window", "cutzoomsize", 0, file_), 100);
  EXPECT_EQ(vx::GetPrivateProfileString("SYSTEM", "vqnumber96", "", file_), "96");
}

TEST_F(ProfileFileTest, ValuesThatReadingWouldAlterSurviveARoundTrip) {
  ProfileFile profile(file_);
  for (const char* value : {" padded ", "\"quoted\"", "'single'", "\t", "\"", ""}) {
    ASSERT_TRUE(profile.WriteString("S", "k", value));
    ASSERT_TRUE(profile.Save());
    EXPECT_EQ(ProfileFile(file_).GetString("S", "k", "-"), value) << "value [" << value << "]";
  }
}

TEST_F(ProfileFileTest, EntriesThatWouldBreakTheFileAreRefused) {
  ProfileFile profile = Open("[S]\r\nk=1\r\n");
  EXPECT_FALSE(profile.WriteString("S", "k", "two\r\n[Injected]"));
  EXPECT_FALSE(profile.WriteString("S", "a=b", "1"));
  EXPECT_FALSE(profile.WriteString("S", ";k", "1"));
  EXPECT_FALSE(profile.WriteString("S", "[k", "1"));
  EXPECT_FALSE(profile.WriteString("S", " ", "1"));
  EXPECT_FALSE(profile.WriteString("a]b", "k", "1"));
  EXPECT_FALSE(profile.WriteString("", "k", "1"));
  EXPECT_FALSE(profile.modified());
  EXPECT_EQ(profile.GetString("S", "k", "-"), "1");
  EXPECT_FALSE(vx::WritePrivateProfileString("S", "k", "a\nb", file_));
  EXPECT_EQ(ReadFileBytes(file_), "[S]\r\nk=1\r\n");
}

TEST_F(ProfileFileTest, NullKeyDeletesTheSectionAndNullValueTheKey) {
  WriteFileBytes(file_, "[Keep]\r\na=1\r\nb=2\r\n[Drop]\r\nc=3\r\n[drop]\r\nd=4\r\n");
  EXPECT_TRUE(vx::WritePrivateProfileString("keep", "A", nullptr, file_));
  EXPECT_TRUE(vx::WritePrivateProfileString("DROP", nullptr, nullptr, file_));
  EXPECT_EQ(ReadFileBytes(file_), "[Keep]\r\nb=2\r\n");
}

TEST_F(ProfileFileTest, DeletingAKeyRemovesItsDuplicatesAndKeepsTheIndexRight) {
  ProfileFile profile = Open("[S]\r\nk=1\r\nother=2\r\nK=3\r\nlast=4\r\n");
  EXPECT_TRUE(profile.DeleteKey("s", "k"));
  EXPECT_FALSE(profile.HasKey("S", "k"));
  EXPECT_EQ(profile.GetString("S", "other", "-"), "2");
  EXPECT_EQ(profile.GetString("S", "last", "-"), "4");
  EXPECT_FALSE(profile.DeleteKey("S", "k"));
  EXPECT_FALSE(profile.DeleteSection("absent"));
}

TEST_F(ProfileFileTest, ManyKeysStayFindableThroughWritesAndDeletes) {
  ProfileFile profile(file_);
  constexpr int kKeys = 3000;
  for (int i = 0; i < kKeys; ++i) {
    profile.WriteString("Section" + std::to_string(i % 7), "Key." + std::to_string(i), std::to_string(i));
  }
  for (int i = 0; i < kKeys; i += 2) profile.DeleteKey("section" + std::to_string(i % 7), "key." + std::to_string(i));
  ASSERT_TRUE(profile.Save());
  ProfileFile reread(file_);
  for (int i = 0; i < kKeys; ++i) {
    const int expected = i % 2 == 0 ? -1 : i;
    ASSERT_EQ(reread.GetInt("SECTION" + std::to_string(i % 7), "KEY." + std::to_string(i), -1), expected);
  }
}

TEST_F(ProfileFileTest, WriteThatChangesNothingLeavesTheFileAlone) {
  WriteFileBytes(file_, "[S]\nk=1\n");
  EXPECT_TRUE(vx::WritePrivateProfileString("S", "k", "1", file_));
  EXPECT_TRUE(vx::WritePrivateProfileString("S", "absent", nullptr, file_));
  EXPECT_TRUE(vx::WritePrivateProfileString("Absent", nullptr, nullptr, file_));
  EXPECT_EQ(ReadFileBytes(file_), "[S]\nk=1\n");
  EXPECT_TRUE(vx::WritePrivateProfileString("Absent", nullptr, nullptr, dir_ / "none.ini"));
  EXPECT_FALSE(fs::exists(dir_ / "none.ini"));
}

TEST_F(ProfileFileTest, SaveOntoADirectoryFailsAndKeepsIt) {
  fs::create_directory(file_);
  WriteFileBytes(file_ / "inside", "x");
  ProfileFile profile(file_);
  EXPECT_FALSE(profile.ok());
  profile.WriteString("S", "k", "v");
  EXPECT_FALSE(profile.Save());
  EXPECT_FALSE(vx::WritePrivateProfileString("S", "k", "v", file_));
  EXPECT_TRUE(fs::is_directory(file_));
  EXPECT_EQ(ReadFileBytes(file_ / "inside"), "x");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(ProfileFileTest, SaveIntoAMissingFolderFails) {
  EXPECT_FALSE(vx::WritePrivateProfileString("S", "k", "v", dir_ / "no" / "such.ini"));
  EXPECT_FALSE(fs::exists(dir_ / "no"));
}

// A file-size limit makes the write of the temporary file fail part way, even for root.
TEST_F(ProfileFileTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string old = "[S]\r\nk=old\r\n";
  WriteFileBytes(file_, old);
  ProfileFile profile(file_);
  profile.WriteString("S", "k", std::string(64 * 1024, 'v'));

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved_ok = profile.Save();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(ReadFileBytes(file_), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(ProfileFileTest, SaveKeepsTheFileModeAndFollowsASymbolicLink) {
  const fs::path real = dir_ / "real.ini";
  WriteFileBytes(real, "[S]\r\nk=1\r\n");
  ASSERT_EQ(chmod(real.c_str(), 0640), 0);
  fs::create_symlink(real, file_);
  EXPECT_TRUE(vx::WritePrivateProfileString("S", "k", "2", file_));
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(ReadFileBytes(real), "[S]\r\nk=2\r\n");
  struct stat st {};
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(ProfileFileTest, LoadRereadsTheFile) {
  ProfileFile profile = Open("[S]\r\nk=1\r\n");
  profile.WriteString("S", "k", "unsaved");
  WriteFileBytes(file_, "[S]\r\nk=2\r\n");
  EXPECT_TRUE(profile.Load());
  EXPECT_FALSE(profile.modified());
  EXPECT_EQ(profile.GetString("S", "k", "-"), "2");
}

}  // namespace
