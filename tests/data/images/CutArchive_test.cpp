#include "data/images/CutArchive.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <climits>

#include "tests/data/images/TestArchive.h"
#include "tests/data/images/TestPictures.h"
#include "tests/support/TempDir.h"

namespace vx {
namespace {

using vxtest::ZipWriter;

const char kInit[] = "vqnum\t96\r\nwidth\t178\r\nheight\t255\r\n";

class CutArchiveTest : public testing::Test {
 protected:
  std::filesystem::path Path(const std::string& name) const { return dir_ / name; }
  vxtest::TempDir dir_;
};

TEST_F(CutArchiveTest, OpenReadsTheCutSizeAndIndexesEveryEntry) {
  {
    ZipWriter zip(Path("V096CUTL.CCZ"));
    zip.Add("INIT.TXT", kInit)
        .Add("000123.PNG", vxtest::SolidRgbPng(178, 255, 255, 0, 0))
        .Add("JIKO.PNG", vxtest::SolidRgbPng(178, 255, 0, 0, 255), 0);
  }
  auto archive = CutArchive::Open(Path("V096CUTL.CCZ"));
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->eventNumber(), 96);
  EXPECT_EQ(archive->cutWidth(), 178);
  EXPECT_EQ(archive->cutHeight(), 255);
  EXPECT_EQ(archive->entryCount(), 3u);
  const QImage cut = archive->LoadCut(123);
  ASSERT_EQ(cut.size(), QSize(178, 255));
  EXPECT_EQ(cut.pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(archive->LoadImage("jiko.png").pixel(0, 0), qRgb(0, 0, 255));
}

TEST_F(CutArchiveTest, LowerCaseEntryNamesAreFoundByAnyCase) {
  {
    ZipWriter zip(Path("a.ccz"));
    zip.Add("init.txt", "width\t10\nheight\t20\n")
        .Add("000123.png", vxtest::SolidRgbPng(10, 20, 1, 2, 3));
  }
  auto archive = CutArchive::Open(Path("a.ccz"));
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->cutWidth(), 10);
  EXPECT_FALSE(archive->LoadCut(123).isNull());
  EXPECT_TRUE(archive->ReadEntry("000123.Png").has_value());
}

TEST_F(CutArchiveTest, ArchivesThatCannotServeAreRefusedWhole) {
  {
    ZipWriter zip(Path("noinit.ccz"));
    zip.Add("000001.PNG", vxtest::SolidRgbPng(4, 4, 0, 0, 0));
  }
  EXPECT_FALSE(CutArchive::Open(Path("noinit.ccz")));
  EXPECT_FALSE(CutArchive::Open(Path("missing.ccz")));
  vxtest::WriteFileBytes(Path("text.ccz"), "PK but not really a zip archive");
  EXPECT_FALSE(CutArchive::Open(Path("text.ccz")));
  {
    ZipWriter zip(Path("emptyinit.ccz"));
    zip.Add("INIT.TXT", "");
  }
  EXPECT_FALSE(CutArchive::Open(Path("emptyinit.ccz")));
}

TEST_F(CutArchiveTest, LoadCutKeepsOnlyTheLastCut) {
  {
    ZipWriter zip(Path("k.ccz"));
    zip.Add("INIT.TXT", kInit).Add("000007.PNG", vxtest::SolidRgbPng(3, 3, 9, 9, 9));
  }
  auto archive = CutArchive::Open(Path("k.ccz"));
  ASSERT_TRUE(archive);
  EXPECT_FALSE(archive->LoadCut(7).isNull());
  EXPECT_FALSE(archive->lastCut().isNull());
  for (int n : {0, -5, 8}) {
    ASSERT_FALSE(archive->LoadCut(7).isNull());
    EXPECT_TRUE(archive->LoadCut(n).isNull()) << n;
    EXPECT_TRUE(archive->lastCut().isNull()) << "cut " << n << " left the previous cut kept";
  }
  // A cut handed out earlier stays valid after the archive moves on or closes.
  const QImage held = archive->LoadCut(7);
  archive->Close();
  EXPECT_TRUE(archive->lastCut().isNull());
  EXPECT_EQ(held.size(), QSize(3, 3));
  EXPECT_FALSE(archive->ReadEntry("INIT.TXT").has_value());
}

TEST_F(CutArchiveTest, EmptyAndLaterDuplicateEntries) {
  {
    ZipWriter zip(Path("d.ccz"));
    zip.Add("INIT.TXT", kInit).Add("EMPTY.PNG", "").Add("X.TXT", "first").Add("x.txt", "second");
  }
  auto archive = CutArchive::Open(Path("d.ccz"));
  ASSERT_TRUE(archive);
  EXPECT_FALSE(archive->ReadEntry("EMPTY.PNG").has_value());
  EXPECT_EQ(archive->ReadEntry("X.TXT").value_or(""), "second");
  EXPECT_FALSE(archive->ReadEntry("NONE.PNG").has_value());
}

TEST_F(CutArchiveTest, HostileEntriesAreRefused) {
  const std::string data = vxtest::SolidRgbPng(8, 8, 50, 60, 70);
  const unsigned long crc = vxtest::Crc32Of(data);
  {
    ZipWriter zip(Path("h.ccz"));
    zip.Add("INIT.TXT", kInit)
        .AddForged("000001.PNG", data, data.size(), crc)  // honest: the forging itself works
        .AddForged("000002.PNG", data, 0x7FFFFFF0ul, crc)  // absurd declared size
        .AddForged("000003.PNG", data, data.size(), crc ^ 1)  // wrong checksum
        .AddForged("000004.PNG", data, data.size() + 100, crc)  // data shorter than declared
        .AddForged("000005.PNG", data, data.size() - 10, crc);  // data longer than declared
  }
  auto archive = CutArchive::Open(Path("h.ccz"));
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->ReadEntry("000001.PNG").value_or(""), data);
  for (const char* name : {"000002.PNG", "000003.PNG", "000004.PNG", "000005.PNG"}) {
    EXPECT_FALSE(archive->ReadEntry(name).has_value()) << name;
  }
  EXPECT_TRUE(archive->LoadCut(3).isNull());
  // The handle is still usable after the refusals.
  EXPECT_FALSE(archive->LoadCut(1).isNull());
}

TEST_F(CutArchiveTest, DamagedDeflateStreamIsRefused) {
  const std::string data(5000, 'a');
  {
    ZipWriter zip(Path("z.ccz"));
    zip.Add("INIT.TXT", kInit).Add("DATA.BIN", data);
  }
  std::string bytes = vxtest::ReadFileBytes(Path("z.ccz"));
  const std::size_t at = bytes.find("DATA.BIN") + 8;  // the entry's compressed data follows
  for (std::size_t i = at; i < at + 6; ++i) bytes[i] = char(0xFF);
  vxtest::WriteFileBytes(Path("z.ccz"), bytes);
  auto archive = CutArchive::Open(Path("z.ccz"));
  ASSERT_TRUE(archive);
  EXPECT_FALSE(archive->ReadEntry("DATA.BIN").has_value());
}

TEST_F(CutArchiveTest, EntryThatIsNotPngLoadsThroughTheFallback) {
  QImage jpeg(16, 16, QImage::Format_RGB32);
  jpeg.fill(Qt::white);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(jpeg.save(&buffer, "JPG"));
  {
    ZipWriter zip(Path("j.ccz"));
    zip.Add("INIT.TXT", kInit).Add("000009.PNG", bytes.toStdString());
  }
  auto archive = CutArchive::Open(Path("j.ccz"));
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->LoadCut(9).size(), QSize(16, 16));
}

TEST(CutArchiveInitTest, KeysAreExactAndValuesReadLikeAtoi) {
  CutArchiveInit init = ParseCutArchiveInit("Width\t300\nwidth\t178px\theight\t1\nheight\t -42\n");
  EXPECT_EQ(init.cutWidth, 178);
  EXPECT_EQ(init.cutHeight, -42);
  EXPECT_EQ(init.eventNumber, 0);

  init = ParseCutArchiveInit("\"vqnum\"\t\"95\"\rwidth\tabc\rheight\t99999999999");
  EXPECT_EQ(init.eventNumber, 95);
  EXPECT_EQ(init.cutWidth, 0);
  EXPECT_EQ(init.cutHeight, INT_MAX);
}

TEST(CutArchiveInitTest, RecordsEndAtTheFirstBlankLine) {
  const CutArchiveInit init = ParseCutArchiveInit("width\t178\r\n\r\nheight\t255\r\n");
  EXPECT_EQ(init.cutWidth, 178);
  EXPECT_EQ(init.cutHeight, 0);
  EXPECT_EQ(ParseCutArchiveInit("width 178\nheight\n").cutWidth, 0);
}

}  // namespace
}  // namespace vx
