#include "platform/AtomicFile.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace vxtest {
namespace {

namespace fs = std::filesystem;

TEST(AtomicFileTest, AFailedWriteLeavesTheOldFileAndNoLeftovers) {
  TempDir dir;
  const fs::path target = dir / "list.csv";
  EXPECT_FALSE(vx::WriteFileAtomically(target, "the old checklist"));
  int calls = 0;  // a disk that fills up after the first 4 KiB
  const auto full = [&](int fd, const void* data, std::size_t size) -> ssize_t {
    if (calls++ == 0) return ::write(fd, data, std::min<std::size_t>(size, 4096));
    errno = ENOSPC;
    return -1;
  };
  const auto stuck = [](int, const void*, std::size_t) -> ssize_t { return 0; };
  EXPECT_EQ(vx::WriteFileAtomically(target, std::string(100000, 'x'), full),
            std::errc::no_space_on_device);
  EXPECT_EQ(vx::WriteFileAtomically(target, "data", stuck), std::errc::io_error);
  EXPECT_EQ(vx::WriteFileAtomically(dir / "no/such/list.csv", "x"),
            std::errc::no_such_file_or_directory);
  EXPECT_EQ(ReadFileBytes(target), "the old checklist");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 1);
}

TEST(AtomicFileTest, AReplacedFileKeepsItsPermissionsAndLinks) {
  TempDir dir;
  const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  WriteFileBytes(dir / "real.csv", "old");
  fs::permissions(dir / "real.csv", perms);
  fs::create_symlink(dir / "real.csv", dir / "link.csv");
  EXPECT_FALSE(vx::WriteFileAtomically(dir / "link.csv", "new, longer"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
  EXPECT_EQ(ReadFileBytes(dir / "real.csv"), "new, longer");
  EXPECT_EQ(fs::status(dir / "real.csv").permissions() & fs::perms::all, perms);
}

}  // namespace
}  // namespace vxtest
