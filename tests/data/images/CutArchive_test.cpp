#include "data/images/CutArchive.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "tests/data/images/TestArchive.h"
#include "tests/data/images/TestPictures.h"
#include "tests/support/TempDir.h"

namespace vx {
namespace {

using vxtest::ZipWriter;

TEST(CutArchiveTest, HostileEntriesAreRefusedOneByOneAndUnusableArchivesWhole) {
  vxtest::TempDir dir;
  const std::string png = vxtest::Png(8, 8, 8, 0, std::vector<std::string>(8, "abcdefgh"));
  const long size = long(png.size());
  const unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(png.data()), uInt(size));
  ZipWriter(dir / "h.ccz")
      .Add("init.txt", "vqnum\t96\nWidth\t1\nwidth\t178px\tx\nheight\t 255\n")  // any case
      .Add("000001.png", png, size, crc)  // honest: the forging itself works
      .Add("000002.PNG", png, 0x7FFFFFF0, crc)
      .Add("000003.PNG", png, size, crc ^ 1)
      .Add("000004.PNG", png, size + 100, crc)
      .Add("000005.PNG", png, size - 10, crc)
      .Add("EMPTY.PNG", "")
      .Add("X.TXT", "first")
      .Add("x.txt", "second")
      .Add("DATA.BIN", std::string(5000, 'a'))
      .Add("BIG.BIN", std::string(CutArchive::kMaxEntrySize + 1, '\0'));  // honest, too large
  std::string bytes = vxtest::ReadFileBytes(dir / "h.ccz");
  bytes.replace(bytes.find("DATA.BIN") + 8, 6, 6, char(0xFF));  // into its deflated data
  vxtest::WriteFileBytes(dir / "h.ccz", bytes);

  auto archive = CutArchive::Open(dir / "h.ccz");
  ASSERT_TRUE(archive);
  EXPECT_EQ(std::tuple(archive->eventNumber(), archive->cutWidth(), archive->cutHeight()),
            std::tuple(96, 178, 255));
  EXPECT_EQ(archive->ReadEntry("000001.PNG").value_or(""), png);
  for (const char* name :
       {"000002.PNG", "000003.PNG", "000004.PNG", "000005.PNG", "EMPTY.PNG", "DATA.BIN",
        "BIG.BIN", "NO"}) {
    EXPECT_FALSE(archive->ReadEntry(name)) << name;
  }
  EXPECT_EQ(archive->ReadEntry("X.TXT").value_or(""), "second");
  EXPECT_TRUE(archive->LoadCut(3).isNull());
  EXPECT_EQ(archive->LoadCut(1).size(), QSize(8, 8));  // still usable after the refusals

  for (int other : {0, -5, 3}) {
    ASSERT_FALSE(archive->LoadCut(1).isNull());
    EXPECT_TRUE(archive->LoadCut(other).isNull()) << other;
    EXPECT_TRUE(archive->lastCut().isNull()) << other << " left the previous cut kept";
  }
  const QImage held = archive->LoadCut(1), copy = held.copy();
  archive->Close();
  EXPECT_TRUE(archive->lastCut().isNull());
  EXPECT_EQ(held, copy);
  EXPECT_FALSE(archive->ReadEntry("INIT.TXT"));

  // Archives that cannot serve are refused whole.
  ZipWriter(dir / "noinit.ccz").Add("000001.PNG", png);
  ZipWriter(dir / "emptyinit.ccz").Add("INIT.TXT", "");
  for (const char* name : {"noinit.ccz", "emptyinit.ccz", "missing.ccz"}) {
    EXPECT_FALSE(CutArchive::Open(dir / name)) << name;
  }
  vxtest::WriteFileBytes(dir / "h.ccz", "PK but not really a zip archive");
  EXPECT_FALSE(CutArchive::Open(dir / "h.ccz"));
}

// Sizes beyond what a catalogue holds are no sizes: nothing later multiplies them.
TEST(CutArchiveTest, CutSizesAndCutPicturesAreBoundedByWhatACatalogueHolds) {
  const std::pair<const char*, std::pair<int, int>> sizes[] = {
      {"width\t1024\nheight\t1\n", {1024, 1}},
      {"width\t1025\nheight\t-3\n", {0, 0}},
      {"width\t2147483647\nheight\t99999999999\n", {0, 0}}};
  for (const auto& [init, size] : sizes) {
    EXPECT_EQ(std::pair(ParseCutArchiveInit(init).cutWidth, ParseCutArchiveInit(init).cutHeight),
              size)
        << init;
  }
  vxtest::TempDir dir;
  const std::string wide = vxtest::Png(1025, 1, 8, 0, {std::string(1025, '\x40')});
  ZipWriter(dir / "w.ccz").Add("INIT.TXT", "width\t178\nheight\t255\n").Add("000009.PNG", wide);
  auto archive = CutArchive::Open(dir / "w.ccz");
  ASSERT_TRUE(archive);
  EXPECT_TRUE(archive->LoadCut(9).isNull());
  EXPECT_EQ(archive->LoadImage("000009.PNG").size(), QSize(1025, 1));  // a title or a cover may
}

}  // namespace
}  // namespace vx
