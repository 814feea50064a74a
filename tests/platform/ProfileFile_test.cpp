#include "platform/ProfileFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/PipeGuard.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Names = std::vector<std::string>;
using vx::ProfileFile;
using vxtest::ReadFileBytes;
using vxtest::WriteFileBytes;

class ProfileFileTest : public ::testing::Test {
 protected:
  ProfileFile Open(const std::string& content) {
    WriteFileBytes(file_, content);
    return ProfileFile(file_);
  }
  std::size_t FilesInDir() const {
    return std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator());
  }

  vxtest::TempDir dir_;
  fs::path file_ = dir_ / "test.ini";
};

TEST_F(ProfileFileTest, ReadsAsTheClassicCallsDo) {
  ProfileFile profile = Open(
      "early=0\r\n[General]\n  UserName  =  \t value with inner  blanks \t \r\n"
      "wide=\x81\x40wide\x81\x40\r\ndouble=\"  keep blanks  \"\r\nsingle='x'\r\nmixed=\"x'\r\n"
      "empty=\r\n;comment=1\r\nno equals sign\r\ndup=1\r\nDUP=2\r\n\x83\x41=first\r\n"
      "\x83\x61=second\r\n[general]\r\nother=3\r\n"
      "[\x83\x5d\x95\x5c]\r\nnul=dir\0q\r\nquoted=\"x\0y\"\r\nnumber=12\0 34\r\n"
      "last=\x95\x5c\x83\x7c"s);  // trail bytes like ']' and '\'
  EXPECT_EQ(profile.GetString("GENERAL", "username", "-"), "value with inner  blanks");
  EXPECT_EQ(profile.GetString("general", "WIDE", "-"), "\x81\x40wide\x81\x40");
  EXPECT_EQ(profile.GetString("General", "double", "-"), "  keep blanks  ");
  EXPECT_EQ(profile.GetString("General", "single", "-"), "x");
  EXPECT_EQ(profile.GetString("General", "mixed", "-"), "\"x'");
  EXPECT_EQ(profile.GetString("General", "empty", "-"), "");
  EXPECT_EQ(profile.GetString("General", "absent", "-"), "-");
  EXPECT_EQ(profile.GetString("General", "dup", "-"), "1");
  EXPECT_EQ(profile.GetString("General", "\x83\x61", "-"), "second");
  EXPECT_EQ(profile.GetString("General", "other", "-"), "-");
  EXPECT_EQ(profile.GetString("\x83\x5d\x95\x5c", "last", "-"), "\x95\x5c\x83\x7c");
  // A value ends at its first NUL, as the C string of the classic calls does.
  EXPECT_EQ(profile.GetString("\x83\x5d\x95\x5c", "nul", "-"), "dir");
  EXPECT_EQ(profile.GetString("\x83\x5d\x95\x5c", "quoted", "-"), "x");
  EXPECT_EQ(profile.GetInt("\x83\x5d\x95\x5c", "number", 7), 12);
  EXPECT_FALSE(profile.HasKey("", "early"));
  EXPECT_EQ(profile.Sections(), (Names{"General", "\x83\x5d\x95\x5c"}));
  EXPECT_EQ(profile.Keys("general"), (Names{"UserName", "wide", "double", "single", "mixed",
                                            "empty", "dup", "\x83\x41", "\x83\x61"}));
}

TEST_F(ProfileFileTest, IntegersReadLeadingDecimalDigits) {
  ProfileFile profile = Open(
      "[N]\r\na=12x\r\nb=-7\r\nc=+5\r\nd=x\r\ne=-\r\nf=0x10\r\ng=\"42\"\r\nh=\r\n"
      "i=99999999999\r\nj=-99999999999\r\n");
  std::vector<int> read;
  for (const char* key : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "absent"})
    read.push_back(profile.GetInt("n", key, 99));
  EXPECT_EQ(read, (std::vector<int>{12, -7, 5, 0, 0, 0, 42, 99, INT_MAX, INT_MIN, 99}));
}

TEST_F(ProfileFileTest, WritesEditInPlaceWithCrlfAndKeepEveryOtherLine) {
  ProfileFile profile = Open("; top\n[A]\nx=1\n; note\nY = 2\nstray line\n\n[B]\nz=3\n");
  EXPECT_TRUE(profile.WriteString("a", "y", "20"));
  EXPECT_TRUE(profile.WriteString("A", "new", "n"));
  EXPECT_TRUE(profile.WriteString("\x83\x5d", "\x95\x5c", "v"));
  ASSERT_TRUE(profile.Save());
  EXPECT_EQ(ReadFileBytes(file_),
            "; top\r\n[A]\r\nx=1\r\n; note\r\nY=20\r\nstray line\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n"
            "\r\n[\x83\x5d]\r\n\x95\x5c=v\r\n");
}

TEST_F(ProfileFileTest, OneCallFormsCreateEditAndDelete) {
  const fs::path other = dir_ / "other.ini";
  EXPECT_TRUE(vx::WritePrivateProfileString("System", "VQNumber96", "96", other));
  EXPECT_TRUE(vx::WritePrivateProfileString("Window", "Zoom", "100", other));
  EXPECT_EQ(ReadFileBytes(other), "[System]\r\nVQNumber96=96\r\n\r\n[Window]\r\nZoom=100\r\n");
  EXPECT_EQ(vx::GetPrivateProfileInt("window", "zoom", 0, other), 100);
  EXPECT_EQ(vx::GetPrivateProfileString("SYSTEM", "vqnumber96", "", other), "96");

  WriteFileBytes(file_, "[Keep]\na=1\nb=2\n[Drop]\nc=3\n[drop]\nd=4\n");
  EXPECT_TRUE(vx::WritePrivateProfileString("keep", "A", nullptr, file_));
  EXPECT_TRUE(vx::WritePrivateProfileString("DROP", nullptr, nullptr, file_));
  EXPECT_EQ(ReadFileBytes(file_), "[Keep]\r\nb=2\r\n");

  WriteFileBytes(file_, "[S]\nk=1\n");  // nothing to change: the file stays as it is
  EXPECT_TRUE(vx::WritePrivateProfileString("S", "k", "1", file_));
  EXPECT_TRUE(vx::WritePrivateProfileString("Absent", nullptr, nullptr, file_));
  EXPECT_EQ(ReadFileBytes(file_), "[S]\nk=1\n");
  EXPECT_TRUE(vx::WritePrivateProfileString("Absent", nullptr, nullptr, dir_ / "none.ini"));
  EXPECT_FALSE(fs::exists(dir_ / "none.ini"));
}

TEST_F(ProfileFileTest, ValuesReadBackUnchangedAndUnstorableEntriesAreRefused) {
  ProfileFile profile = Open("[S]\r\nk=1\r\n");
  for (const char* value : {" padded ", "\"quoted\"", "'single'", "\t", "\"", ""}) {
    ASSERT_TRUE(profile.WriteString("S", "v", value));
    ASSERT_TRUE(profile.Save());
    EXPECT_EQ(ProfileFile(file_).GetString("S", "v", "-"), value) << "[" << value << "]";
  }
  ProfileFile fresh(file_);
  EXPECT_FALSE(fresh.WriteString("S", "k", "two\r\n[Injected]"));
  for (const char* key : {"a=b", ";k", "[k", " "}) EXPECT_FALSE(fresh.WriteString("S", key, "1"));
  EXPECT_FALSE(fresh.WriteString("a]b", "k", "1"));
  EXPECT_FALSE(fresh.WriteString("", "k", "1"));
  EXPECT_FALSE(fresh.IsModified());
  EXPECT_FALSE(vx::WritePrivateProfileString("S", "k", "a\nb", file_));
  EXPECT_EQ(ProfileFile(file_).GetString("S", "k", "-"), "1");
}

// Whatever is read can be written back: a byte order mark hides no section, a lone CR ends its
// line, and a section name that would swallow its own ']' is refused.
TEST_F(ProfileFileTest, WhatIsReadCanBeWrittenBackUnchanged) {
  ProfileFile bom = Open("\xEF\xBB\xBF[System]\r\nVQNumber96=95\r\n");
  EXPECT_EQ(bom.GetInt("System", "VQNumber96", 0), 95);
  EXPECT_EQ(bom.Sections(), Names{"System"});
  ASSERT_TRUE(bom.WriteString("System", "Zoom", "80"));
  ASSERT_TRUE(bom.Save());
  EXPECT_EQ(ReadFileBytes(file_), "\xEF\xBB\xBF[System]\r\nVQNumber96=95\r\nZoom=80\r\n");

  ProfileFile cr = Open("[S]\rk=a\rb\r\n[T]\rm=1\n\rn=2");
  EXPECT_EQ(cr.GetString("S", "k", "-"), "a");
  EXPECT_EQ(cr.GetString("T", "n", "-"), "2");
  ASSERT_TRUE(cr.WriteString("S", "k", cr.GetString("S", "k", "")));
  ASSERT_TRUE(cr.Save());
  EXPECT_EQ(ReadFileBytes(file_), "[S]\r\nk=a\r\nb\r\n[T]\r\nm=1\r\n\r\nn=2\r\n");

  ProfileFile lead = Open("");
  EXPECT_FALSE(lead.RefusedWrites());
  EXPECT_FALSE(lead.WriteString("name\x83", "k", "1"));
  EXPECT_TRUE(lead.RefusedWrites());
  EXPECT_TRUE(lead.WriteString("name\x83\x5d", "k", "1"));  // a whole character ending in ']'
  ASSERT_TRUE(lead.Save());
  EXPECT_EQ(ProfileFile(file_).Sections(), Names{"name\x83\x5d"});
  EXPECT_FALSE(ProfileFile(file_).RefusedWrites());
}

TEST_F(ProfileFileTest, DeletingAKeyRemovesItsDuplicatesAndKeepsTheIndexRight) {
  ProfileFile profile = Open("[S]\r\nk=1\r\nother=2\r\nK=3\r\nlast=4\r\n");
  EXPECT_TRUE(profile.DeleteKey("s", "k"));
  EXPECT_FALSE(profile.HasKey("S", "k"));
  EXPECT_EQ(profile.GetString("S", "last", "-"), "4");
  EXPECT_TRUE(profile.WriteString("S", "other", "5"));
  EXPECT_EQ(profile.Keys("S"), (Names{"other", "last"}));
  EXPECT_FALSE(profile.DeleteKey("S", "k") || profile.DeleteSection("absent"));
}

// A file-size limit makes the write of the temporary file fail part way, even for root.
TEST_F(ProfileFileTest, FailedSavesKeepTheOldFile) {
  const std::string old = "[S]\r\nk=old\r\n";
  ProfileFile profile = Open(old);
  profile.WriteString("S", "k", std::string(64 * 1024, 'v'));
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const rlimit small{4096, saved.rlim_max};
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::error_code error;
  const bool savedOk = profile.Save(error);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(savedOk);
  EXPECT_EQ(error, std::errc::file_too_large);  // why, for the user's message
  EXPECT_EQ(ReadFileBytes(file_), old);
  EXPECT_EQ(FilesInDir(), 1u);
  EXPECT_FALSE(vx::WritePrivateProfileString("S", "k", "v", dir_ / "no" / "such.ini"));
  EXPECT_EQ(FilesInDir(), 1u);

  // What cannot be read is never replaced; a pipe is not waited on, a device not read to its end
  // and a huge file not read at all.
  const fs::path folder = dir_ / "folder.ini", pipe = dir_ / "pipe.ini", zero = dir_ / "zero.ini",
                 huge = dir_ / "huge.ini";
  fs::create_directory(folder);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", zero);
  WriteFileBytes(huge, "[S]\r\n");
  fs::resize_file(huge, 1ull << 32);  // sparse: costs no disk
  const std::pair<fs::path, std::errc> cases[] = {{folder, std::errc::is_a_directory},
                                                  {pipe, std::errc::invalid_argument},
                                                  {zero, std::errc::invalid_argument},
                                                  {huge, std::errc::file_too_large}};
  for (const auto& [path, why] : cases) {
    const bool returned = vxtest::ReturnsWithoutAWriter({pipe}, [&, path = path] {
      ProfileFile unreadable(path);
      unreadable.WriteString("S", "k", "v");
      EXPECT_FALSE(unreadable.Ok() || unreadable.Save(error));
      EXPECT_FALSE(vx::WritePrivateProfileString("S", "k", "v", path));
    });
    EXPECT_TRUE(returned) << path << " waited for a writer";
    EXPECT_EQ(error, why) << path;
  }
  EXPECT_TRUE(fs::is_directory(folder) && fs::is_fifo(pipe) && fs::is_symlink(zero));
  EXPECT_EQ(fs::file_size(huge), 1ull << 32);
  EXPECT_EQ(FilesInDir(), 5u);
}

TEST_F(ProfileFileTest, SaveKeepsTheFileModeAndFollowsASymbolicLink) {
  const fs::path real = dir_ / "real.ini";
  WriteFileBytes(real, "[S]\r\nk=1\r\n");
  ASSERT_EQ(chmod(real.c_str(), 0640), 0);
  fs::create_symlink(real, file_);
  EXPECT_TRUE(vx::WritePrivateProfileString("S", "k", "2", file_));
  EXPECT_EQ(ReadFileBytes(real), "[S]\r\nk=2\r\n");
  struct stat st {};
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

}  // namespace
