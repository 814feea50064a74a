#include "platform/DataProtection.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
using KeyState = vx::DataProtection::KeyFileState;

class DataProtectionTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir_;
  fs::path keyFile_ = dir_ / "nested" / "folder" / "protect.key";
  DataProtection protection_{keyFile_};
};

TEST_F(DataProtectionTest, RoundTripsBytesWithAPrivateKeyFile) {
  const std::string token = "eyJhbGciOi.\x95\x5c\x00\xff tail"s;
  const std::string stored = protection_.Protect(token);
  EXPECT_EQ(stored.find(token), std::string::npos);
  EXPECT_NE(protection_.Protect(token), stored);  // a fresh nonce each time
  EXPECT_EQ(DataProtection(keyFile_).Unprotect(stored), token);
  struct stat st {};
  ASSERT_EQ(stat(keyFile_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(DataProtectionTest, TamperedMalformedOrForeignValuesReadAsEmpty) {
  EXPECT_EQ(protection_.Unprotect(DataProtection(dir_ / "other.key").Protect("x")), "");
  EXPECT_FALSE(fs::exists(keyFile_));  // reading never creates a key
  EXPECT_EQ(protection_.CheckKeyFile(), KeyState::kMissing);
  const std::string stored = protection_.Protect("access-token");
  const std::string sealed = vx::Base64Decode(stored).value();
  // One changed byte in the nonce, the tag or the ciphertext.
  for (std::size_t index : {std::size_t{0}, std::size_t{30}, sealed.size() - 1}) {
    std::string tampered = sealed;
    tampered[index] ^= 0x01;
    EXPECT_EQ(protection_.Unprotect(vx::Base64Encode(tampered)), "") << index;
  }
  for (const std::string& bad : {""s, "not base64 at all!"s, vx::Base64Encode(std::string(39, 'x')),
                                 stored.substr(0, stored.size() - 8)})
    EXPECT_EQ(protection_.Unprotect(bad), "") << bad;
}

TEST_F(DataProtectionTest, UnusableKeyFileIsLeftAlone) {
  fs::create_directories(keyFile_.parent_path());
  for (const std::string& content : {std::string(10, 'k'), std::string(33, 'k'), std::string()}) {
    vxtest::WriteFileBytes(keyFile_, content);
    ASSERT_EQ(chmod(keyFile_.c_str(), 0600), 0);  // private: only its size is wrong
    EXPECT_EQ(protection_.Protect("x"), "");
    EXPECT_EQ(vxtest::ReadFileBytes(keyFile_), content);
    EXPECT_EQ(protection_.CheckKeyFile(), KeyState::kWrongSize);
  }
  fs::remove(keyFile_);
  fs::create_directory(keyFile_);
  EXPECT_EQ(protection_.Protect("x"), "");
  EXPECT_EQ(protection_.CheckKeyFile(), KeyState::kNotAFile);
}

// A key that others could have planted, read or swapped is not the user's secret.
TEST_F(DataProtectionTest, OnlyTheUsersOwnPrivateRegularFileHoldsTheKey) {
  const std::string stored = protection_.Protect("token");
  ASSERT_EQ(protection_.Unprotect(stored), "token");
  const std::string key = vxtest::ReadFileBytes(keyFile_);
  const fs::path elsewhere = dir_ / "elsewhere.key";
  vxtest::WriteFileBytes(elsewhere, key);
  ASSERT_EQ(chmod(elsewhere.c_str(), 0600), 0);
  fs::remove(keyFile_);
  fs::create_symlink(elsewhere, keyFile_);
  EXPECT_EQ(protection_.Unprotect(stored), "") << "a symbolic link";
  EXPECT_EQ(protection_.Protect("x"), "");
  EXPECT_EQ(protection_.CheckKeyFile(), KeyState::kLink);
  EXPECT_TRUE(fs::is_symlink(keyFile_));  // left alone, not replaced

  fs::remove(keyFile_);
  fs::copy_file(elsewhere, keyFile_);
  for (const mode_t mode : {0644, 0620, 0604}) {
    ASSERT_EQ(chmod(keyFile_.c_str(), mode), 0);
    EXPECT_EQ(protection_.Unprotect(stored), "") << std::oct << mode;
    EXPECT_EQ(protection_.CheckKeyFile(), KeyState::kOpenToOthers);
  }
  ASSERT_EQ(chmod(keyFile_.c_str(), 0400), 0);  // the user's own and private: still the key
  EXPECT_EQ(protection_.Unprotect(stored), "token");
  EXPECT_EQ(protection_.CheckKeyFile(), KeyState::kUsable);
  if (geteuid() == 0) {  // only root can hand the file to someone else
    ASSERT_EQ(chown(keyFile_.c_str(), 12345, 12345), 0);
    EXPECT_EQ(protection_.Unprotect(stored), "") << "another user's file";
    EXPECT_EQ(protection_.CheckKeyFile(), KeyState::kNotOwned);
  }
  EXPECT_EQ(vxtest::ReadFileBytes(keyFile_), key);
}

// Writers that start at once must agree on one key, or values sealed first become unreadable.
TEST_F(DataProtectionTest, ConcurrentFirstUsesShareOneKey) {
  constexpr int kThreads = 8;
  std::vector<std::string> stored(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back(
        [&, i] { stored[i] = DataProtection(keyFile_).Protect(std::to_string(i)); });
  }
  for (std::thread& t : threads) t.join();
  for (int i = 0; i < kThreads; ++i) EXPECT_EQ(protection_.Unprotect(stored[i]), std::to_string(i));
}

}  // namespace
