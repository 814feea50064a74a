#include "data/images/CatalogImages.h"

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/stat.h>

#include <QPainter>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>

#include "data/DiscImportJob.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"
#include "data/images/PageComposer.h"
#include "platform/CodePage.h"
#include "tests/data/images/TestArchive.h"
#include "tests/support/PipeGuard.h"
#include "tests/support/TempDir.h"

namespace vx {
namespace {

constexpr int kSampleEvent = 96;
constexpr int kW = 120, kH = 170, kBand = 40;  // the sample disc's low-resolution cuts
const QSize kHighPage(12 * kW, 12 * kH + 2 * kBand);
const CutRect kLowCell{0, 0, kW, kH};

std::filesystem::path SampleDisc() {
  const char* disc = std::getenv("VX_SAMPLE_DISC");
  return disc ? disc : "";
}

// The first cut number from `from` on that `archive` holds and `except`, when given, does not.
int FindCut(CutArchive& archive, CutArchive* except = nullptr, int from = 1) {
  for (int n = from; n < 100000; ++n) {
    if (!archive.LoadCut(n).isNull() && (!except || except->LoadCut(n).isNull())) return n;
  }
  return 0;
}

// Block 3 "ア" and block 7 "イ" in hall "東"; day 2 is Saturday the 13th.
class FakePageQueries : public PageQueries {
 public:
  int GetDateOfDay(int day) const override { return day == 2 ? 13 : day; }
  int GetWeekdayOfDay(int day) const override { return day == 2 ? 7 : 0; }
  std::string GetAreaNameOfBlock(int) const override { return Sjis("東"); }
  std::string GetBlockName(int id) const override { return Sjis(id == 3 ? "ア" : "イ"); }
  int GetMaxSpaceNo(int day, int id) const override { return day == 2 && id == 3 ? maxSpace : 0; }
  int GetJikoNo(int, int, int spaceNo, int spaceNoSub) const override {
    return jiko.count({spaceNo, spaceNoSub}) ? 3 : -1;
  }

  int maxSpace = 40;                   // of block 3
  std::set<std::pair<int, int>> jiko;  // desk halves with errata picture 3
};

// A circle of day 2, named unless `name` is empty.
CircleRecord Circle(int id, int blockId, int spaceNo, int spaceNoSub, int updateId,
                    const char* name = "circle") {
  CircleRecord r;
  std::tie(r.id, r.day, r.blockId, r.spaceNo, r.spaceNoSub, r.updateId, r.circleName) =
      std::tuple(id, 2, blockId, spaceNo, spaceNoSub, updateId, name);
  return r;
}

QImage Rgb(const QImage& picture) { return picture.convertToFormat(QImage::Format_RGB888); }

QImage White(int w, int h) {
  QImage white(w, h, QImage::Format_RGB888);
  white.fill(Qt::white);
  return white;
}

QImage Drawn(CatalogImages& images, CutRect rect, int cutNumber, std::uint32_t colour = 0,
             int number = 0, int page = 1, int cutIndex = 1) {
  QImage canvas = White(rect.x + rect.w, rect.y + rect.h);
  QPainter painter(&canvas);
  images.DrawCut(painter, rect, page, cutIndex, cutNumber, colour, number);
  painter.end();
  return canvas;
}

// Whether cell `index` of a composed page shows `picture` below the mark square (4 to 32).
bool Shows(const QImage& page, int index, const QImage& picture) {
  const QRect below(0, 32, picture.width(), kH - 32);
  return page.copy(below.translated(index % 6 * kW, kBand + index / 6 * kH)) ==
         Rgb(picture).copy(below);
}

TEST(PageCaptionTest, FirstAndLastSpacesOfThePage) {
  FakePageQueries queries;
  std::vector<CircleRecord> page(36);
  EXPECT_EQ(PageCaption(page, queries), "");
  page[0] = Circle(1, 3, 5, 0, 101);
  EXPECT_EQ(PageCaption(page, queries), Sjis("13日（土）東 ア5～"));
  page[3] = Circle(3, 3, 6, 1, 103);
  EXPECT_EQ(PageCaption(page, queries), Sjis("13日（土）東 ア5～ア6"));
}

TEST(HasImageDataTest, NeedsPicturesAndMaps) {
  EXPECT_TRUE(HasImageData(SampleDisc(), kSampleEvent));
  // Folders end in '/'; "mdata" is a disc mounted in lower case.
  const std::pair<std::vector<std::string>, bool> cases[] = {
      {{}, false},
      {{"MDATA/"}, false},
      {{"PDATA/"}, false},
      {{"MDATA/", "PDATA/"}, true},
      {{"mdata/", "v096cuth.ccz"}, true},
      {{"MDATA/", "V095CUTL.CCZ"}, false},
      {{"MDATA/", "V096CUTLP.CCZ", "V096CUTL.CCZ/"}, false},
      {{"MDATA/", "V096CUTL.CCZ"}, true}};
  for (const auto& [names, expected] : cases) {
    vxtest::TempDir dir;
    for (const std::string& name : names) {
      name.back() == '/' ? void(std::filesystem::create_directories(dir / name))
                         : vxtest::WriteFileBytes(dir / name, "x");
    }
    EXPECT_EQ(HasImageData(dir.Path(), kSampleEvent), expected) << testing::PrintToString(names);
  }
}

// Page files alone, then a high-resolution archive alone, then a broken low-resolution one.
TEST(CatalogImagesFolderTest, SourcesInTurn) {
  vxtest::TempDir dir;
  std::filesystem::create_directories(dir / "PDATA");
  QImage file = White(5 + 6 * 30, 8 + 6 * 40);                     // cells of 30 x 40 from (5, 8)
  QPainter(&file).fillRect(5 + 2 * 30, 8 + 40, 30, 40, Qt::blue);  // cell 8
  ASSERT_TRUE(file.save(QString::fromStdString((dir / "PDATA" / "0004.PNG").string())));
  CatalogImages images;
  images.Open(dir.Path(), kSampleEvent);
  EXPECT_EQ(images.HitTestCut(0, 0, false), -1);  // no cut size at all
  images.SetCutGeometry(5, 8, 30, 40, 0, 0);
  EXPECT_EQ(images.GetCutRect(8, false), (CutRect{65, 48, 30, 40}));
  EXPECT_EQ(images.HitTestCut(65, 48, false), 8);
  const QImage cell = Drawn(images, {10, 10, 30, 40}, 77, 0, 0, 4, 9);
  EXPECT_EQ(cell.copy(9, 9, 31, 41), file.copy(64, 47, 31, 41));
  EXPECT_EQ(Drawn(images, {0, 0, 60, 80}, 77, 0, 0, 4, 9).pixelColor(30, 40), QColor(Qt::blue));
  EXPECT_EQ(Drawn(images, {0, 0, 30, 40}, 77, 0, 0, 5, 9), White(30, 40));
  FakePageQueries queries;
  EXPECT_EQ(Rgb(images.GetPageImage(4, queries, {}, false)), file);
  EXPECT_TRUE(images.GetPageImage(5, queries, {}, false).isNull());
  EXPECT_FALSE(images.HasPageImage());

  std::filesystem::copy_file(SampleDisc() / "V096CUTH.CCZ", dir / "v096cuth.ccz");
  images.Close();
  images.Open(dir.Path(), kSampleEvent);
  EXPECT_EQ(images.GetCutRect(1, false), (CutRect{240, 80, 240, 340}));  // serves both choices
  EXPECT_EQ(images.GetPageImage(4, queries, {}, false).size(), kHighPage);

  // A damaged archive, or a pipe, is named and left out; the page files serve in its place. A pipe
  // in place of a page picture is named once.
  std::filesystem::remove(dir / "v096cuth.ccz");
  const std::filesystem::path archive = dir / "V096CUTL.CCZ", cover = dir / "PDATA" / "0001.PNG";
  ASSERT_EQ(::mkfifo(cover.c_str(), 0600), 0);
  for (const bool pipe : {false, true}) {
    images.Close();
    std::filesystem::remove(archive);
    if (pipe) {
      ASSERT_EQ(::mkfifo(archive.c_str(), 0600), 0);
    } else {
      vxtest::WriteFileBytes(archive, "PK\x03\x04 and no more");
    }
    testing::internal::CaptureStderr();
    const bool returned = vxtest::ReturnsWithoutAWriter({archive, cover}, [&] {
      images.Open(dir.Path(), kSampleEvent);
      EXPECT_TRUE(images.LoadCoverImage().isNull() && images.LoadCoverImage().isNull());
    });
    EXPECT_TRUE(returned) << "waited for a writer";
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              archive.string() + ": damaged cut archive, skipped\n" +
                  (pipe ? "" : cover.string() + ": damaged picture, skipped\n"));
    EXPECT_FALSE(images.HasLowResArchive());
    EXPECT_EQ(Rgb(images.GetPageImage(4, queries, {}, false)), file);
  }

  images.Close();
  std::filesystem::remove(archive);
  vxtest::ZipWriter(dir / "V096CUTL.CCZ").Add("INIT.TXT", "width\t0\nheight\t0\n");
  images.Open(dir.Path(), kSampleEvent);
  ASSERT_TRUE(images.HasLowResArchive());
  const std::vector<CircleRecord> records = {Circle(1, 3, 5, 0, 1)};
  EXPECT_TRUE(images.GetPageImage(4, queries, records, false).isNull());
  EXPECT_FALSE(images.HasPageImage());
}

// A definition file's geometry is not trusted: sizes no page file can have count as none, and
// nothing overflows on the way to a rectangle or a hit test.
TEST(CatalogImagesFolderTest, OutlandishGeometryGivesEmptyCellsNotOverflows) {
  CatalogImages images;
  for (const auto& [size, origin] :
       {std::pair(INT_MAX, INT_MAX), std::pair(-178, -5), std::pair(1025, 8193)}) {
    images.SetCutGeometry(origin, origin, size, size, 0, 0);
    EXPECT_EQ(images.GetCutRect(35, false), (CutRect{0, 0, 0, 0})) << size;
    EXPECT_EQ(images.HitTestCut(100, 100, false), -1) << size;
  }
  images.SetCutGeometry(8192, 8192, 1024, 1024, 0, 0);
  EXPECT_EQ(images.GetCutRect(35, false), (CutRect{8192 + 5 * 1024, 8192 + 5 * 1024, 1024, 1024}));
  EXPECT_EQ(images.GetCutRect(INT_MAX, false).y, INT_MAX);
  CutRect huge{0, 0, INT_MAX, INT_MAX};
  CutMarkRect(huge);
  EXPECT_EQ(huge, (CutRect{72387089, 72387089, 506709624, 506709624}));
}

class SampleImagesTest : public testing::Test {
 protected:
  // page_: 36 cuts that the override archive does not hold, on spaces 1a to 18b.
  void SetUp() override {
    ASSERT_TRUE(low_ && high_ && fix_) << "no sample disc at $VX_SAMPLE_DISC";
    images_.Open(SampleDisc(), kSampleEvent);
    for (int i = 0, n = 0; i < 36; ++i) {
      n = FindCut(*low_, fix_.get(), n + 1);
      page_[i] = Circle(i + 1, 3, 1 + i / 2, i % 2, n);
    }
  }
  QImage Compose(const std::vector<CircleRecord>& records, int page = 2) {
    return PageComposer(*low_, fix_.get(), queries_).Compose(page, records, kBand);
  }

  std::unique_ptr<CutArchive> low_ = CutArchive::Open(SampleDisc() / "V096CUTL.CCZ");
  std::unique_ptr<CutArchive> high_ = CutArchive::Open(SampleDisc() / "V096CUTH.CCZ");
  std::unique_ptr<CutArchive> fix_ = CutArchive::Open(SampleDisc() / "V096CUTLP.CCZ");
  int plain_ = low_ && fix_ ? FindCut(*low_, fix_.get()) : 0;  // not overridden
  int fixed_ = fix_ ? FindCut(*fix_) : 0;
  std::vector<CircleRecord> page_ = std::vector<CircleRecord>(36);
  CatalogImages images_;
  FakePageQueries queries_;
};

TEST_F(SampleImagesTest, CutPlacesMarksAndHitTest) {
  const std::pair<CutRect, CutRect> marks[] = {{{0, 0, 178, 255}, {6, 6, 42, 42}},
                                               {{100, 300, 356, 510}, {112, 312, 84, 84}},
                                               {{0, 0, 100, 143}, {3, 3, 23, 23}}};
  for (auto [rect, mark] : marks) {
    CutMarkRect(rect);
    EXPECT_EQ(rect, mark);
  }
  EXPECT_EQ(images_.GetCutRect(7, false), (CutRect{120, 40 + 170, 120, 170}));
  EXPECT_EQ(images_.GetCutRect(7, true), (CutRect{240, 80 + 340, 240, 340}));
  const std::tuple<int, int, bool, int> hits[] = {
      {0, 40, false, 0},    {100, 39, false, -1}, {-1, 50, false, -1},    {720, 100, false, -1},
      {719, 100, false, 5}, {120, 210, false, 7}, {719, 1059, false, 35}, {10, 1060, false, -1},
      {240, 420, true, 7},  {240, 419, true, 1}};
  for (auto [x, y, hiRes, cell] : hits) {
    EXPECT_EQ(images_.HitTestCut(x, y, hiRes), cell) << x << ", " << y << ", " << hiRes;
  }
}

TEST_F(SampleImagesTest, PagesAreComposedOncePerPageAndResolution) {
  const QImage low = images_.GetPageImage(1, queries_, page_, false);
  EXPECT_EQ(low.size(), QSize(6 * kW, 6 * kH + kBand));
  EXPECT_EQ(images_.GetPageImage(1, queries_, page_, false).cacheKey(), low.cacheKey());
  const QImage high = images_.GetPageImage(1, queries_, page_, true);
  const QImage kept = high.copy();
  EXPECT_EQ(QSize(images_.GetPageImageWidth(), images_.GetPageImageHeight()), kHighPage);
  EXPECT_EQ(images_.LoadCoverImage().size(), high_->LoadImage("0001.PNG").size());
  images_.Close();
  EXPECT_FALSE(images_.HasPageImage());
  EXPECT_EQ(high, kept);  // pictures handed out outlive the store's
}

// Start-up shows low-resolution pages: the high-resolution archive, the largest, is opened only
// when something asks for it. Its file is taken away after Open to see whether it was.
TEST_F(SampleImagesTest, HighResolutionArchiveIsOpenedOnlyWhenAskedFor) {
  vxtest::TempDir dir;
  for (const char* kind : {"CUTL", "CUTLP", "CUTH"}) {
    const std::string name = std::string("V096") + kind + ".CCZ";
    std::filesystem::create_symlink(SampleDisc() / name, dir / name);
  }
  CatalogImages low, high;
  low.Open(dir.Path(), kSampleEvent);
  high.Open(dir.Path(), kSampleEvent);
  EXPECT_EQ(high.GetCutWidth(true), 2 * kW);  // asked for: opened now
  EXPECT_EQ(low.GetPageImage(1, queries_, page_, false).size(), QSize(6 * kW, 6 * kH + kBand));
  EXPECT_EQ(low.GetCutRect(7, false), (CutRect{kW, kBand + kH, kW, kH}));
  EXPECT_EQ(low.HitTestCut(kW, kBand + kH, false), 7);
  EXPECT_EQ(Drawn(low, kLowCell, plain_), Rgb(low_->LoadCut(plain_)));
  std::filesystem::remove(dir / "V096CUTH.CCZ");
  EXPECT_FALSE(low.HasHighResArchive());
  EXPECT_TRUE(high.HasHighResArchive());
  EXPECT_EQ(high.GetPageImage(1, queries_, page_, true).size(), kHighPage);
}

TEST_F(SampleImagesTest, CutComesFromTheArchiveForItsSizeOverrideFirstUnderItsMark) {
  const QImage cut = Rgb(low_->LoadCut(plain_));
  ASSERT_NE(Rgb(fix_->LoadCut(fixed_)), Rgb(low_->LoadCut(fixed_)));
  EXPECT_EQ(Drawn(images_, kLowCell, plain_, 0xFFFFFF), cut);  // not wider: low; white: no mark
  for (std::uint32_t none : {0u, 0xFFFFFFFFu, 0x01000000u}) {  // memo only, unchecked, no colour
    EXPECT_EQ(Drawn(images_, kLowCell, plain_, none), cut) << none;
  }
  EXPECT_EQ(Drawn(images_, {0, 0, 240, 340}, plain_), Rgb(high_->LoadCut(plain_)));
  EXPECT_EQ(Drawn(images_, kLowCell, fixed_), Rgb(fix_->LoadCut(fixed_)));
  EXPECT_EQ(Drawn(images_, kLowCell, -1), Rgb(low_->LoadImage("JIKO.PNG")));  // no name

  const QRect mark(4, 4, 28, 28), below(0, 32, kW, kH - 32);
  QImage red = White(28, 28);
  red.fill(QColor(255, 0, 0));
  const QImage marked = Drawn(images_, kLowCell, plain_, 0x0000FF);  // 0x00BBGGRR
  const QImage numbered = Drawn(images_, kLowCell, plain_, 0x0000FF, 7);
  EXPECT_EQ(std::tuple(marked.copy(mark), marked.copy(below)), std::tuple(red, cut.copy(below)));
  EXPECT_NE(numbered.copy(mark), red);
  EXPECT_EQ(numbered.copy(below), cut.copy(below));
}

TEST_F(SampleImagesTest, ComposedPageNumbersFirstHalvesAndCaptionsTheOuterSide) {
  const QImage odd = Compose(page_, 3), even = Compose(page_, 4);
  ASSERT_EQ(odd.size(), QSize(6 * kW, 6 * kH + kBand));
  for (int i = 0; i < 36; ++i) {
    const QImage cut = Rgb(low_->LoadCut(page_[i].updateId));
    EXPECT_TRUE(Shows(odd, i, cut)) << i;
    EXPECT_EQ(odd.copy(i % 6 * kW, kBand + i / 6 * kH, kW, kH) == cut, i % 2 == 1) << i;
  }
  EXPECT_EQ(odd.copy(0, 0, 2 * kW, kBand), White(2 * kW, kBand));  // right-aligned
  EXPECT_EQ(even.copy(4 * kW, 0, 2 * kW, kBand), White(2 * kW, kBand));
  EXPECT_NE(odd.copy(0, 0, 6 * kW, kBand), even.copy(0, 0, 6 * kW, kBand));
}

TEST_F(SampleImagesTest, ComposedCellsShowOverridesErrataTitlesOrWhite) {
  struct Placed {
    int cell, blockId, spaceNo, spaceNoSub, cut;
  };
  const struct {
    const char* what;
    std::vector<Placed> circles;
    int maxSpace;
    std::vector<std::pair<int, std::string>> shown;  // "" white, "cut", "fixed" or an entry
  } cases[] = {
      {"override, no name, no cut",
       {{0, 3, 5, 0, fixed_}, {1, 3, 5, 1, -1}, {2, 3, 6, 0, 999999}},
       40,
       {{0, "fixed"}, {1, "JIKO.PNG"}, {2, ""}}},
      {"desks 4a and 4b before the first circle",
       {{2, 3, 5, 0, plain_}, {3, 3, 5, 1, plain_}},
       40,
       {{0, "JIKO.PNG"}, {1, "JIKO03.PNG"}, {2, "cut"}}},
      {"past the block's last space",
       {{0, 3, 5, 0, plain_}},
       6,
       {{1, "JIKO.PNG"}, {2, ""}, {3, ""}, {20, ""}, {35, ""}}},
      {"title two cells before space 1",
       {{0, 3, 39, 0, plain_}, {1, 3, 39, 1, plain_}, {4, 7, 1, 0, plain_}},
       40,
       {{2, "B007.PNG"}, {4, "cut"}}},
      {"no title from the last column or beyond the page",
       {{7, 7, 1, 0, plain_}, {36, 7, 1, 0, plain_}},
       40,
       {{5, ""}, {34, ""}, {7, "cut"}}},
      {"a short record list", {{7, 7, 1, 0, plain_}}, 40, {{7, "cut"}, {20, ""}}},
  };
  queries_.jiko = {{4, 1}};
  for (const auto& c : cases) {
    queries_.maxSpace = c.maxSpace;
    std::vector<CircleRecord> records(c.circles.back().cell + 1);
    for (const Placed& p : c.circles) {
      records[p.cell] =
          Circle(p.cell + 1, p.blockId, p.spaceNo, p.spaceNoSub, p.cut, p.cut < 0 ? "" : "circle");
    }
    const QImage picture = Compose(records);
    for (const auto& [cell, entry] : c.shown) {
      const QImage expected = entry.empty()      ? White(kW, kH)
                              : entry == "cut"   ? low_->LoadCut(plain_)
                              : entry == "fixed" ? fix_->LoadCut(fixed_)
                                                 : low_->LoadImage(entry);
      EXPECT_TRUE(Shows(picture, cell, expected)) << c.what << ", cell " << cell;
    }
  }
}

TEST_F(SampleImagesTest, ArchiveWithoutAUsableCutSizeComposesNothing) {
  vxtest::TempDir dir;
  for (const char* init :
       {"width\t0\nheight\t255\n", "width\t178\n", "width\t100000\nheight\t100000\n"}) {
    vxtest::ZipWriter(dir / "bad.ccz").Add("INIT.TXT", init).Add("000100.PNG", "x");
    low_ = CutArchive::Open(dir / "bad.ccz");
    ASSERT_TRUE(low_);
    EXPECT_TRUE(Compose(page_).isNull()) << init;
  }
}

// Print workers draw cuts while the views turn pages. Captions are left out of the comparison:
// Qt may rasterise large text a little differently from one thread to another.
TEST_F(SampleImagesTest, PagesAndCutsFromTwoThreadsAtOnce) {
  const auto grid = [](const QImage& p) { return p.copy(0, 80, p.width(), p.height() - 80); };
  const QImage grids[2] = {grid(images_.GetPageImage(1, queries_, page_, false)),
                           grid(images_.GetPageImage(1, queries_, page_, true))};
  const QImage cuts[2] = {Rgb(low_->LoadCut(plain_)), Rgb(fix_->LoadCut(fixed_))};
  std::atomic<int> wrong{0};
  std::thread turner([&] {
    FakePageQueries queries;
    for (int i = 0; i < 12; ++i) {  // pages 1 and 3 look alike; every call composes anew
      wrong += grid(images_.GetPageImage(1 + i / 2 % 2 * 2, queries, page_, i % 2)) != grids[i % 2];
    }
  });
  for (int i = 0; i < 400; ++i) {
    wrong += Drawn(images_, kLowCell, i % 2 ? fixed_ : plain_) != cuts[i % 2];
  }
  turner.join();
  EXPECT_EQ(wrong.load(), 0);
}

class NoPrompts : public ImportPrompts {
 public:
  std::optional<std::filesystem::path> LocateFile(const std::string&,
                                                  const std::filesystem::path&) override {
    return std::nullopt;
  }
  void ShowError(const std::string&) override {}
};

// Two print workers compose the sample catalogue's pages from the real database while the UI
// thread goes on querying it: the composition reads a copy of what it needs, never the shared
// connection. Run under the thread sanitizer this shows no race.
TEST(CatalogImagesDatabaseTest, TwoWorkersComposeFromTheDatabaseWhileTheUiThreadQueriesIt) {
  vxtest::TempDir dir;
  PavorunDatabase db(dir.Path());
  NoPrompts prompts;
  ASSERT_EQ(DiscImportJob(db, kSampleEvent, SampleDisc(), prompts).Run(),
            DiscImportJob::kResultDone);
  db.SelectEvent(kSampleEvent);
  CatalogImages images;
  images.Open(SampleDisc(), kSampleEvent);
  const auto grid = [](const QImage& p) { return p.copy(0, 80, p.width(), p.height() - 80); };
  std::vector<std::vector<CircleRecord>> records;
  std::vector<QImage> expected;  // low and high resolution of each page
  int emptyCells = 0;
  for (int page = db.GetFirstPage(); page >= 1 && page <= db.GetLastPage(); ++page) {
    records.emplace_back(36);
    db.SelectPageCircles(page, records.back());
    for (const CircleRecord& r : records.back()) emptyCells += r.id == 0;
    for (bool hiRes : {false, true}) {
      expected.push_back(grid(images.GetPageImage(page, db, records.back(), hiRes)));
    }
  }
  ASSERT_GE(records.size(), 3u);
  ASSERT_GT(emptyCells, 0);

  // Every statement the connection runs from now on, by thread.
  struct Threads {
    std::mutex mutex;
    std::set<std::thread::id> ids;
  } ran;
  sqlite3_trace_v2(
      db.Connection(), SQLITE_TRACE_STMT,
      [](unsigned, void* context, void*, void*) {
        auto* threads = static_cast<Threads*>(context);
        std::lock_guard lock(threads->mutex);
        threads->ids.insert(std::this_thread::get_id());
        return 0;
      },
      &ran);

  std::atomic<int> wrong{0}, running{2};
  const auto work = [&](int step) {
    const int pages = static_cast<int>(records.size());
    for (int i = 0; i < 4 * pages; ++i) {
      const int p = (step > 0 ? i : 4 * pages - 1 - i) % pages;
      const bool hiRes = (i / pages) % 2 == 1;
      wrong += grid(images.GetPageImage(db.GetFirstPage() + p, db, records[p], hiRes)) !=
               expected[2 * p + hiRes];
    }
    --running;
  };
  std::thread forward(work, 1), backward(work, -1);
  std::vector<CircleRecord> rows(36);
  int queries = 0;
  while (running > 0) {  // the UI thread's own use of the connection
    db.SelectPageCircles(db.GetFirstPage() + queries % 3, rows);
    queries += db.GetMaxSpaceNo(1, 1) > 0;
  }
  forward.join();
  backward.join();
  sqlite3_trace_v2(db.Connection(), 0, nullptr, nullptr);
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_GT(queries, 0);
  EXPECT_EQ(ran.ids, std::set<std::thread::id>{std::this_thread::get_id()});
}

}  // namespace
}  // namespace vx
