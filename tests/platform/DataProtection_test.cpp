#include "platform/DataProtection.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/Base64.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using vx::DataProtection;
using vxtest::ReadFileBytes;
using vxtest::WriteFileBytes;

class DataProtectionTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir_;
  fs::path keyFile_ = dir_ / "nested" / "folder" / "protect.key";
  DataProtection protection_{keyFile_};
};

// The stored text with one byte of the decoded value changed.
std::string Tampered(const std::string& stored, std::size_t index) {
  std::string bytes = vx::Base64Decode(stored).value();
  bytes.at(index) ^= 0x01;
  return vx::Base64Encode(bytes);
}

TEST_F(DataProtectionTest, RoundTripsBytesExactly) {
  const std::string token = "eyJhbGciOi.\x95\x5c\x00\xff tail"s;
  const std::string stored = protection_.Protect(token);
  ASSERT_FALSE(stored.empty());
  EXPECT_EQ(stored.find(token), std::string::npos);
  EXPECT_EQ(protection_.Unprotect(stored), token);
  EXPECT_EQ(DataProtection(keyFile_).Unprotect(stored), token);  // the key outlives the object
}

TEST_F(DataProtectionTest, SealingTwiceGivesDifferentTexts) {
  const std::string first = protection_.Protect("same");
  const std::string second = protection_.Protect("same");
  EXPECT_NE(first, second);
  EXPECT_EQ(protection_.Unprotect(second), "same");
}

TEST_F(DataProtectionTest, TamperedValuesReadAsEmpty) {
  const std::string stored = protection_.Protect("access-token");
  const std::size_t size = vx::Base64Decode(stored)->size();
  EXPECT_EQ(protection_.Unprotect(Tampered(stored, 0)), "");          // nonce
  EXPECT_EQ(protection_.Unprotect(Tampered(stored, 30)), "");         // tag
  EXPECT_EQ(protection_.Unprotect(Tampered(stored, size - 1)), "");  // ciphertext
}

TEST_F(DataProtectionTest, MalformedValuesReadAsEmpty) {
  const std::string stored = protection_.Protect("access-token");
  EXPECT_EQ(protection_.Unprotect(""), "");
  EXPECT_EQ(protection_.Unprotect("not base64 at all!"), "");
  EXPECT_EQ(protection_.Unprotect(vx::Base64Encode(std::string(39, 'x'))), "");  // under nonce + tag
  EXPECT_EQ(protection_.Unprotect(stored.substr(0, stored.size() - 8)), "");
}

TEST_F(DataProtectionTest, ValueSealedWithAnotherKeyReadsAsEmpty) {
  DataProtection other(dir_ / "other.key");
  const std::string stored = other.Protect("access-token");
  ASSERT_EQ(other.Unprotect(stored), "access-token");
  EXPECT_EQ(protection_.Unprotect(stored), "");
}

TEST_F(DataProtectionTest, KeyFileIsPrivateAndCreatedWithItsFolders) {
  ASSERT_FALSE(protection_.Protect("x").empty());
  struct stat st {};
  ASSERT_EQ(stat(keyFile_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(st.st_size, 32);
  EXPECT_EQ(std::distance(fs::directory_iterator(keyFile_.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(DataProtectionTest, ReadingDoesNotCreateAKey) {
  EXPECT_EQ(protection_.Unprotect(DataProtection(dir_ / "other.key").Protect("x")), "");
  EXPECT_FALSE(fs::exists(keyFile_));
}

TEST_F(DataProtectionTest, MalformedKeyFileIsReportedAndLeftAlone) {
  for (const std::string& content : {std::string(10, 'k'), std::string(33, 'k'), std::string()}) {
    fs::create_directories(keyFile_.parent_path());
    WriteFileBytes(keyFile_, content);
    EXPECT_EQ(protection_.Protect("x"), "");
    EXPECT_EQ(ReadFileBytes(keyFile_), content);
  }
}

TEST_F(DataProtectionTest, KeyFileThatIsAFolderIsAnError) {
  fs::create_directories(keyFile_);
  EXPECT_EQ(protection_.Protect("x"), "");
  EXPECT_TRUE(fs::is_directory(keyFile_));
}

TEST_F(DataProtectionTest, ExistingKeyFilePermissionsAreNotChanged) {
  fs::create_directories(keyFile_.parent_path());
  WriteFileBytes(keyFile_, std::string(32, '\x5a'));
  ASSERT_EQ(chmod(keyFile_.c_str(), 0400), 0);
  EXPECT_EQ(protection_.Unprotect(protection_.Protect("x")), "x");
  struct stat st {};
  ASSERT_EQ(stat(keyFile_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0400u);
}

// Writers that start at once must agree on one key, or values sealed first become unreadable.
TEST_F(DataProtectionTest, ConcurrentFirstUsesShareOneKey) {
  constexpr int kThreads = 8;
  std::vector<std::string> stored(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] { stored[i] = DataProtection(keyFile_).Protect(std::to_string(i)); });
  }
  for (std::thread& t : threads) t.join();
  for (int i = 0; i < kThreads; ++i) EXPECT_EQ(protection_.Unprotect(stored[i]), std::to_string(i));
}

TEST(DataProtectionDefaultKeyFile, LivesInTheDataHome) {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  ASSERT_NE(dataHome, nullptr);
  EXPECT_EQ(DataProtection::DefaultKeyFile(), fs::path(dataHome) / "vindaxel" / "protect.key");
}

}  // namespace
