// Unpacking UPDATE.TXT: found in any case, checked as it is unpacked, and capped.
#include "web/UpdateArchive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <string>

#include "tests/data/images/TestArchive.h"
#include "tests/support/PipeGuard.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using vx::UpdateArchiveStatus;

std::string UpdateText(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += std::to_string(1000 + i) + "\tline " + std::to_string(i) + "\r\n";
  return text;
}

unsigned long Crc(const std::string& bytes) {
  return crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
}

class UpdateArchiveTest : public testing::Test {
 protected:
  fs::path Archive(const std::function<void(vxtest::ZipWriter&)>& fill) {
    const fs::path path = dir / ("archive" + std::to_string(count_++) + ".zip");
    {
      vxtest::ZipWriter zip(path);
      fill(zip);
    }
    return path;
  }
  UpdateArchiveStatus Extract(const fs::path& archive,
                              std::uint64_t cap = vx::kMaxUpdateTextBytes) {
    return vx::ExtractUpdateText(archive, dir / "UPDATE.out", cap);
  }

  vxtest::TempDir dir;
  int count_ = 0;
};

TEST_F(UpdateArchiveTest, TheEntryIsFoundInAnyCaseAmongOthers) {
  const std::string text = UpdateText(300);
  for (const char* name : {"UPDATE.TXT", "update.txt", "Update.Txt"}) {
    SCOPED_TRACE(name);
    const fs::path archive =
        Archive([&](vxtest::ZipWriter& zip) { zip.Add("README.TXT", "other").Add(name, text); });
    ASSERT_EQ(Extract(archive), UpdateArchiveStatus::kOk);
    EXPECT_EQ(vxtest::ReadFileBytes(dir / "UPDATE.out"), text);
  }
}

TEST_F(UpdateArchiveTest, AnythingThatIsNotAWholeSoundEntryIsRefused) {
  const std::string text = UpdateText(2000);
  const fs::path good = Archive([&](vxtest::ZipWriter& zip) { zip.Add("UPDATE.TXT", text); });
  const std::string bytes = vxtest::ReadFileBytes(good);

  std::string flipped = bytes;  // inside the deflated data, after the 40-byte local header
  for (std::size_t i = 200; i < 260; ++i) flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
  vxtest::WriteFileBytes(dir / "flipped.zip", flipped);
  vxtest::WriteFileBytes(dir / "cut.zip", bytes.substr(0, bytes.size() / 2));
  vxtest::WriteFileBytes(dir / "text.zip", text);
  ASSERT_EQ(::mkfifo((dir / "pipe.zip").c_str(), 0600), 0);

  struct Case {
    const char* name;
    fs::path archive;
    UpdateArchiveStatus status;
  };
  const Case cases[] = {
      {"bytes changed in transit", dir / "flipped.zip", UpdateArchiveStatus::kDamaged},
      {"cut short", dir / "cut.zip", UpdateArchiveStatus::kNotAnArchive},
      {"not a ZIP", dir / "text.zip", UpdateArchiveStatus::kNotAnArchive},
      {"missing", dir / "none.zip", UpdateArchiveStatus::kNotAnArchive},
      {"a pipe, never waited on", dir / "pipe.zip", UpdateArchiveStatus::kNotAnArchive},
      {"no UPDATE.TXT", Archive([](vxtest::ZipWriter& zip) { zip.Add("UPDATE.CSV", "x"); }),
       UpdateArchiveStatus::kNoUpdateText},
      {"wrong CRC", Archive([&](vxtest::ZipWriter& zip) {
         zip.Add("UPDATE.TXT", text, static_cast<long>(text.size()), Crc(text) ^ 1);
       }),
       UpdateArchiveStatus::kDamaged},
      {"header claims less than it holds",
       Archive([&](vxtest::ZipWriter& zip) { zip.Add("UPDATE.TXT", text, 100, Crc(text)); }),
       UpdateArchiveStatus::kDamaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(vxtest::ReturnsWithoutAWriter({dir / "pipe.zip"},
                                              [&] { EXPECT_EQ(Extract(c.archive), c.status); }));
    EXPECT_FALSE(vx::UpdateArchiveStatusText(c.status).empty());
  }
}

TEST_F(UpdateArchiveTest, AnEntryThatUnpacksBeyondTheCapIsRefused) {
  const std::string zeros(200000, '\0');  // deflates to a few hundred bytes
  const fs::path bomb = Archive([&](vxtest::ZipWriter& zip) { zip.Add("UPDATE.TXT", zeros); });
  EXPECT_LT(fs::file_size(bomb), 2000u);
  EXPECT_EQ(Extract(bomb, 100000), UpdateArchiveStatus::kTooLarge);
  EXPECT_EQ(Extract(bomb, 200000), UpdateArchiveStatus::kOk);
  // A header that understates the size unpacks no more than it states.
  const fs::path liar = Archive(
      [&](vxtest::ZipWriter& zip) { zip.Add("UPDATE.TXT", zeros, 10, Crc(zeros.substr(0, 10))); });
  EXPECT_EQ(Extract(liar, 100000), UpdateArchiveStatus::kOk);
  EXPECT_EQ(fs::file_size(dir / "UPDATE.out"), 10u);
}

}  // namespace
