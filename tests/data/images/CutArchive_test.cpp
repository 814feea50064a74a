#include "data/images/CutArchive.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>

#include "data/images/ZipCentralDirectory.h"

#include "tests/data/images/MinizipWalk.h"
#include "tests/data/images/TestArchive.h"
#include "tests/data/images/TestPictures.h"
#include "tests/support/ReplacedGlobalNew.h"
#include "tests/support/TempDir.h"

namespace {

// While a watch is set, an allocation larger than it is counted and refused: a size read from a
// damaged archive must never become an allocation larger than the archive.
std::atomic<std::size_t> g_allocationCap{0};
std::atomic<int> g_refusedAllocations{0};

}  // namespace

bool vxtest::AllocationRefused(std::size_t size) {
  const std::size_t cap = g_allocationCap.load(std::memory_order_relaxed);
  if (cap == 0 || size <= cap) return false;
  ++g_refusedAllocations;
  return true;
}

namespace vx {
namespace {

using vxtest::ZipWriter;

// How many allocations larger than `cap` bytes `step` tried.
int AllocationsPast(std::size_t cap, const std::function<void()>& step) {
  g_refusedAllocations = 0;
  g_allocationCap = cap;
  try {
    step();
  } catch (const std::bad_alloc&) {  // counted when it was refused
  }
  g_allocationCap = 0;
  return g_refusedAllocations;
}

int AllocationsPastTheFile(const std::filesystem::path& path, const std::function<void()>& step) {
  return AllocationsPast(std::filesystem::file_size(path) + 1, step);  // and a string's NUL
}

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
  EXPECT_EQ(std::tuple(archive->EventNumber(), archive->CutWidth(), archive->CutHeight()),
            std::tuple(96, 178, 255));
  EXPECT_EQ(archive->ReadEntry("000001.PNG").value_or(""), png);
  for (const char* name : {"000002.PNG", "000003.PNG", "000004.PNG", "000005.PNG", "EMPTY.PNG",
                           "DATA.BIN", "BIG.BIN", "NO"}) {
    EXPECT_FALSE(archive->ReadEntry(name)) << name;
  }
  EXPECT_EQ(archive->ReadEntry("X.TXT").value_or(""), "second");
  testing::internal::CaptureStderr();
  EXPECT_TRUE(archive->LoadCut(3).isNull());
  EXPECT_EQ(archive->LoadCut(1).size(), QSize(8, 8));  // still usable after the refusals

  for (int other : {0, -5, 3}) {
    ASSERT_FALSE(archive->LoadCut(1).isNull());
    EXPECT_TRUE(archive->LoadCut(other).isNull()) << other;
    EXPECT_TRUE(archive->LastCut().isNull()) << other << " left the previous cut kept";
  }
  // Named once, and not as an archive whose cuts all fail.
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            (dir / "h.ccz").string() + ": damaged cut archive, a cut of it could not be read\n");
  const QImage held = archive->LoadCut(1), copy = held.copy();
  archive->Close();
  EXPECT_TRUE(archive->LastCut().isNull());
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

// The directory read in one piece must place every entry where minizip's own walk does, or the
// archive's entries would be read from the wrong places.
TEST(CutArchiveTest, DirectoryReadInOnePieceFindsWhatMinizipFinds) {
  vxtest::TempDir dir;
  const auto plain = [](ZipWriter& z) {
    z.Add("INIT.TXT", "width\t4\n").Add("000001.png", "one").Add("000001.PNG", "two");
  };
  const std::pair<const char*, std::function<void(ZipWriter&)>> written[] = {
      {"plain", plain},
      {"comment", [&](ZipWriter& z) { plain(z.Comment(std::string(300, 'c'))); }},
      {"zip64 fields", [&](ZipWriter& z) { plain(z.Zip64()); }},
      {"long name", [&](ZipWriter& z) { plain(z.Add(std::string(1024, 'n'), "x")); }},
  };
  for (const auto& [name, fill] : written) {
    ZipWriter writer(dir / name);
    fill(writer);
  }
  const std::string zip = vxtest::ReadFileBytes(dir / "plain");
  // Past 65,534 entries the count reads 0xFFFF, and minizip walks on; it does so for 0 as well.
  const auto counting = [&](const char* count) {
    return std::string(zip).replace(zip.rfind("PK\x05\x06") + 8, 4, count, 4);
  };
  const std::pair<const char*, std::string> transformed[] = {
      {"self-extractor", std::string(777, 'S') + zip},
      {"zip64 end", vxtest::WithZip64End(zip)},
      {"0xFFFF entries", counting("\xFF\xFF\xFF\xFF")},
      {"0 entries", counting("\0\0\0\0")},
  };
  for (const auto& [name, bytes] : transformed) vxtest::WriteFileBytes(dir / name, bytes);
  for (const char* name : {"plain", "comment", "zip64 fields", "long name", "self-extractor",
                           "zip64 end", "0xFFFF entries", "0 entries"}) {
    const std::optional<vxtest::ZipEntries> read = ZipCentralDirectory::Read(dir / name);
    ASSERT_TRUE(read) << name;
    EXPECT_EQ(read->size(), 3u) << name;
    EXPECT_EQ(vxtest::FirstDifference(*read, vxtest::WalkWithMinizip(dir / name)), "") << name;
    const auto archive = CutArchive::Open(dir / name);
    EXPECT_EQ(archive ? archive->ReadEntry("000001.png").value_or("") : "(none)", "two") << name;
  }
  // A directory that is not what its end record says is left to minizip's walk.
  std::string broken = zip;
  broken.replace(broken.rfind("PK\x01\x02"), 4, "XXXX");
  vxtest::WriteFileBytes(dir / "broken", broken);
  EXPECT_FALSE(ZipCentralDirectory::Read(dir / "broken"));
  EXPECT_FALSE(ZipCentralDirectory::Read(dir / "missing"));
  // minizip takes the last end record, even one the file cuts short, and then opens nothing.
  vxtest::WriteFileBytes(dir / "cut short", zip + "PK\x05\x06" + std::string(17, '\0'));
  EXPECT_FALSE(ZipCentralDirectory::Read(dir / "cut short"));
  EXPECT_FALSE(CutArchive::Open(dir / "cut short"));
}

// A cut archive whose end record places its directory outside the file is damaged: it is
// refused whole, and no size it declares is allocated before the file has been seen to hold it.
TEST(CutArchiveTest, DirectoryPlacedOutsideTheFileIsRefusedWithoutAllocatingIt) {
  vxtest::TempDir dir;
  ZipWriter(dir / "plain").Add("INIT.TXT", "width\t4\n").Add("000001.PNG", "one");
  const std::string zip = vxtest::ReadFileBytes(dir / "plain");
  constexpr std::uint64_t kTiB = std::uint64_t{1} << 40, kTwoGiB = std::uint64_t{1} << 31;
  const std::pair<const char*, vxtest::DirectoryPlace> places[] = {
      {"1 TiB ending past 2^64", {kTiB, 0 - kTiB + 10}},
      {"2 GiB ending past 2^64", {kTwoGiB, 0 - kTwoGiB + 10}},
      {"2 GiB from the start", {kTwoGiB, 0}},
      {"one byte longer", {zip.rfind("PK\x05\x06") - zip.rfind("PK\x01\x02") + 1, {}}},
  };
  for (const auto& [name, place] : places) {
    const std::filesystem::path path = dir / name;
    vxtest::WriteFileBytes(path, vxtest::WithZip64End(zip, place));
    bool read = false, opened = false;
    EXPECT_EQ(AllocationsPastTheFile(path, [&] { read = bool(ZipCentralDirectory::Read(path)); }),
              0)
        << name;
    EXPECT_EQ(AllocationsPastTheFile(path, [&] { opened = bool(CutArchive::Open(path)); }), 0)
        << name;
    EXPECT_FALSE(read || opened) << name;
  }
}

// An entry's declared size is only the archive's word: reading it allocates no more than the
// bytes behind it, whatever it declares and however large the file is.
TEST(CutArchiveTest, EntryDeclaringMoreThanTheFileHoldsIsRefusedWithoutAllocatingIt) {
  vxtest::TempDir dir;
  const std::string small = "a stored entry of a few bytes", large(1 << 20, 'f');
  const unsigned long crc =
      crc32(0, reinterpret_cast<const Bytef*>(small.data()), uInt(small.size()));
  ZipWriter(dir / "liar.ccz")
      .Add("INIT.TXT", "width\t4\n")
      .Add("000001.PNG", small, long{CutArchive::kMaxEntrySize}, crc)
      .Add("HONEST.BIN", small, long(small.size()), crc)
      .Add("LARGE.BIN", large, long(large.size()));  // stored: the file is large
  auto archive = CutArchive::Open(dir / "liar.ccz");
  ASSERT_TRUE(archive);
  bool read = false;
  testing::internal::CaptureStderr();
  EXPECT_EQ(AllocationsPast(large.size() / 8, [&] { read = !archive->LoadCut(1).isNull(); }), 0);
  EXPECT_FALSE(read || !archive->LoadCut(1).isNull());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            (dir / "liar.ccz").string() + ": damaged cut archive, a cut of it could not be read\n");
  EXPECT_EQ(archive->ReadEntry("HONEST.BIN").value_or(""), small);
  // Text deflates to far less than it holds: such an entry is read whole all the same.
  const std::string text(CutArchive::kMaxEntrySize, 'x');
  ZipWriter(dir / "deflated.ccz").Add("INIT.TXT", "width\t4\n").Add("TEXT.TXT", text);
  ASSERT_LT(std::filesystem::file_size(dir / "deflated.ccz"), text.size() / 100);
  EXPECT_EQ(CutArchive::Open(dir / "deflated.ccz")->ReadEntry("TEXT.TXT"), text);
}

}  // namespace
}  // namespace vx
