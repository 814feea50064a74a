#include "checklist/AtomicFile.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace vxtest {
namespace {

namespace fs = std::filesystem;

// A disk that fills up after `capacity` bytes.
vx::FileWriteCall FailAfter(std::size_t capacity) {
  return [capacity, written = std::size_t{0}](int fd, const void* data,
                                              std::size_t size) mutable -> ssize_t {
    if (written >= capacity) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t n = std::min(size, capacity - written);
    const ssize_t done = ::write(fd, data, n);
    if (done > 0) written += static_cast<std::size_t>(done);
    return done;
  };
}

std::size_t FileCount(const fs::path& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& item : fs::directory_iterator(folder)) ++n;
  return n;
}

TEST(AtomicFileTest, WritesAndReplacesAFile) {
  TempDir dir;
  const fs::path target = dir / "list.csv";
  EXPECT_FALSE(vx::WriteFileAtomically(target, "first"));
  EXPECT_EQ(ReadFileBytes(target), "first");
  EXPECT_FALSE(vx::WriteFileAtomically(target, "second, longer"));
  EXPECT_EQ(ReadFileBytes(target), "second, longer");
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(AtomicFileTest, AFailedWriteLeavesTheOldFileAndNoLeftovers) {
  TempDir dir;
  const fs::path target = dir / "list.csv";
  WriteFileBytes(target, "the old checklist");
  const std::string bytes(100000, 'x');

  const std::error_code error = vx::WriteFileAtomically(target, bytes, FailAfter(4096));
  EXPECT_EQ(error, std::errc::no_space_on_device);
  EXPECT_EQ(ReadFileBytes(target), "the old checklist");
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(AtomicFileTest, AWriterThatStopsIsAnError) {
  TempDir dir;
  const fs::path target = dir / "list.csv";
  const auto stuck = [](int, const void*, std::size_t) -> ssize_t { return 0; };
  EXPECT_TRUE(vx::WriteFileAtomically(target, "data", stuck));
  EXPECT_FALSE(fs::exists(target));
  EXPECT_EQ(FileCount(dir.path()), 0u);
}

TEST(AtomicFileTest, AMissingFolderIsReported) {
  TempDir dir;
  EXPECT_EQ(vx::WriteFileAtomically(dir / "no/such/list.csv", "x"),
            std::errc::no_such_file_or_directory);
}

TEST(AtomicFileTest, KeepsPermissionsAndFollowsLinks) {
  TempDir dir;
  const fs::path real = dir / "real.csv";
  WriteFileBytes(real, "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = dir / "link.csv";
  fs::create_symlink(real, link);

  EXPECT_FALSE(vx::WriteFileAtomically(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(real), "new");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace vxtest
