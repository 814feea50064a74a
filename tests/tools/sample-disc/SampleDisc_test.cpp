// Whole sample discs written to temporary folders and read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "tests/support/TempDir.h"
#include "tests/tools/sample-disc/DiscReading.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/CatalogTextWriter.h"
#include "tools/sample-disc/DiscPaths.h"
#include "tools/sample-disc/SampleDiscWriter.h"
#include "tools/sample-disc/UpdateFileWriter.h"

namespace fs = std::filesystem;

namespace vx::sampledisc {
namespace {

using vxtest::ReadFileBytes;
using vxtest::ReadPngHeader;
using vxtest::ReadZipEntries;

SampleOptions Options(const fs::path& out, std::uint64_t seed = 1) {
  SampleOptions options;
  options.outDir = out;
  options.seed = seed;
  return options;
}

void Write(const SampleOptions& options) {
  DiscSummary summary;
  std::string error;
  ASSERT_TRUE(WriteSampleDisc(options, summary, error)) << error;
}

std::string Numbered(const char* pattern, int value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

// One small disc with the default options, shared by the tests that only read it.
class SampleDiscTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new vxtest::TempDir;
    options_ = new SampleOptions(Options(dir_->path() / "disc"));
    Write(*options_);
    catalog_ = new Catalog(BuildCatalog(*options_));
  }
  static void TearDownTestSuite() {
    delete catalog_;
    delete options_;
    delete dir_;
  }
  static fs::path Disc(const std::string& name) { return options_->outDir / name; }

  static vxtest::TempDir* dir_;
  static SampleOptions* options_;
  static Catalog* catalog_;
};

vxtest::TempDir* SampleDiscTest::dir_ = nullptr;
SampleOptions* SampleDiscTest::options_ = nullptr;
Catalog* SampleDiscTest::catalog_ = nullptr;

TEST_F(SampleDiscTest, WritesEveryFileOfTheDisc) {
  for (const char* name : {"V96DEF.TXT", "V96MAP.TXT", "V96ROM1.TXT", "V96ROM2.TXT", "V96ROM0.TXT",
                           "V096CUTL.CCZ", "V096CUTH.CCZ", "V096CUTLP.CCZ", "V096CUTHP.CCZ",
                           "PDATA/0001.PNG", "MDATA/MAP1E123.PNG", "MDATA/GNR2W12.PNG",
                           "MDATA/HMP1W12.PNG", "MDATA/HGR2E123.PNG", "MDATA/ALLMAPBS.PNG",
                           "MDATA/ALLMAPA1.PNG", "MDATA/ALLMAPE1.PNG", "MDATA/HALMAPW2.PNG",
                           "EXTRA/VQ096SJIS.ZIP", "EXTRA/CHECK96_SJIS.CSV", "EXTRA/CHECK96_UTF8.CSV",
                           "EXTRA/CHECK96_EUCJP.CSV", "EXTRA/CHECK96_JIS.CSV", "EXTRA/CHECK96_OLD.CSV",
                           "EXTRA/CHECK95_SJIS.CSV"}) {
    EXPECT_TRUE(fs::is_regular_file(Disc(name))) << name;
  }
  EXPECT_FALSE(fs::exists(Disc("V96ROM.TXT")));
  EXPECT_FALSE(fs::exists(Disc("V96ROM3.TXT")));
  EXPECT_EQ(ReadFileBytes(Disc("V96ROM1.TXT")), DayCircleFileText(*catalog_, 1));
}

// What the definition and layout files declare, read from the files alone.
struct DeclaredIds {
  std::set<std::string> weekdays, maps, blocks;
  std::set<int> genreCodes;
  std::set<std::pair<std::string, int>> spaces;
};

DeclaredIds ReadDeclarations(const fs::path& disc) {
  DeclaredIds ids;
  std::string section;
  for (const std::string& line : vxtest::SplitCrLfLines(ReadFileBytes(disc / "V96DEF.TXT"))) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '*') {
      section = line.substr(1);
      continue;
    }
    const auto f = vxtest::SplitTabs(line);
    if (section == "PavorunDate") ids.weekdays.insert(f[3]);
    if (section == "PavorunMap") ids.maps.insert(f[0]);
    if (section == "PavorunGenre") ids.genreCodes.insert(std::stoi(f[0]));
    if (section == "PavorunArea") {
      EXPECT_TRUE(ids.maps.count(f[1])) << "an area on an unknown map";
      for (std::size_t i = 0; i + 1 < f[2].size(); i += 2) ids.blocks.insert(f[2].substr(i, 2));
    }
  }
  for (const std::string& line : vxtest::SplitCrLfLines(ReadFileBytes(disc / "V96MAP.TXT"))) {
    if (line.empty() || line[0] == '#') continue;
    const auto f = vxtest::SplitTabs(line);
    EXPECT_TRUE(ids.blocks.count(f[0])) << "a desk of an unknown block";
    ids.spaces.insert({f[0], std::stoi(f[1])});
  }
  return ids;
}

// Circle lines given as (page, cut, weekday, block, space, genre code) from either file form.
void ExpectCirclesUseDeclaredIds(const DeclaredIds& ids,
                                 const std::vector<std::vector<std::string>>& circles) {
  const std::string unplaced = vxtest::Sj("漏");
  std::set<std::pair<int, int>> cuts;
  for (const auto& c : circles) {
    EXPECT_TRUE(ids.genreCodes.count(std::stoi(c[5]))) << c[5];
    if (c[2] == unplaced) {
      EXPECT_EQ(c[3], "");
      EXPECT_EQ(c[4], "0");
      continue;
    }
    EXPECT_TRUE(ids.weekdays.count(c[2]));
    EXPECT_TRUE(ids.spaces.count({c[3], std::stoi(c[4])})) << "no desk for a placed circle";
    EXPECT_TRUE(cuts.insert({std::stoi(c[0]), std::stoi(c[1])}).second) << "two circles in one cut";
  }
}

TEST_F(SampleDiscTest, CircleFilesUseOnlyIdsTheDefinitionAndLayoutDeclare) {
  const DeclaredIds ids = ReadDeclarations(options_->outDir);
  EXPECT_EQ(ids.spaces.size(), catalog_->desks.size());
  std::vector<std::vector<std::string>> circles;
  for (const std::string file : {"V96ROM1.TXT", "V96ROM2.TXT", "V96ROM0.TXT"}) {
    for (const std::string& line : vxtest::SplitCrLfLines(ReadFileBytes(Disc(file)))) {
      auto f = vxtest::SplitTabs(line);
      if (f[0].empty()) f.insert(f.begin() + 1, 2, "0");  // the short form has no page columns
      circles.push_back({f[2], f[3], f[4], f[6], f[7], f[8]});
    }
  }
  EXPECT_EQ(circles.size(), catalog_->circles.size());
  ExpectCirclesUseDeclaredIds(ids, circles);
  std::string section;
  for (const std::string& line : vxtest::SplitCrLfLines(ReadFileBytes(Disc("V96DEF.TXT")))) {
    if (line.rfind("*", 0) == 0) section = line.substr(1);
    if (section != "PavorunJiko" || line.empty() || line[0] == '*' || line[0] == '#') continue;
    const auto f = vxtest::SplitTabs(line);
    EXPECT_TRUE(ids.spaces.count({f[1], std::stoi(f[2])})) << "errata for a space without a desk";
  }
}

TEST_F(SampleDiscTest, CutArchivesHoldTheEntriesTheirReaderLooksFor) {
  const auto low = ReadZipEntries(Disc("V096CUTL.CCZ"));
  const auto high = ReadZipEntries(Disc("V096CUTH.CCZ"));
  EXPECT_EQ(low.at("INIT.TXT"), "vqnum\t96\r\nwidth\t120\r\nheight\t170\r\n");
  EXPECT_EQ(high.at("INIT.TXT"), "vqnum\t96\r\nwidth\t240\r\nheight\t340\r\n");
  std::set<std::string> expected = {"INIT.TXT", "0001.PNG", "JIKO.PNG"};
  for (int n = 1; n <= catalog_->errataPictureCount; ++n) expected.insert(Numbered("JIKO%02d.PNG", n));
  for (const Block& block : catalog_->blocks) expected.insert(Numbered("B%03d.PNG", block.id));
  for (const Circle& circle : catalog_->circles) {
    // The circle without a name is drawn from JIKO.PNG and has no cut of its own.
    if (!circle.name.empty()) expected.insert(Numbered("%06d.PNG", circle.updateId));
  }
  std::set<std::string> lowNames, highNames;
  for (const auto& [name, bytes] : low) lowNames.insert(name);
  for (const auto& [name, bytes] : high) highNames.insert(name);
  EXPECT_EQ(lowNames, expected);
  EXPECT_EQ(highNames, expected);
  EXPECT_FALSE(lowNames.count(Numbered("%06d.PNG", catalog_->circles[catalog_->special.emptyName].updateId)));
}

TEST_F(SampleDiscTest, PicturesHaveTheSizesOfTheirResolution) {
  const auto low = ReadZipEntries(Disc("V096CUTL.CCZ"));
  const auto high = ReadZipEntries(Disc("V096CUTH.CCZ"));
  for (const auto& [name, bytes] : low) {
    if (name == "INIT.TXT") continue;
    const auto png = ReadPngHeader(bytes);
    const auto hiPng = ReadPngHeader(high.at(name));
    ASSERT_TRUE(png.valid && hiPng.valid) << name;
    EXPECT_EQ(hiPng.width, 2 * png.width) << name;
    EXPECT_EQ(hiPng.height, 2 * png.height) << name;
    if (name[0] == 'B') {
      EXPECT_EQ(png.width, 240) << "a block title spans two cuts";
    } else if (name != "0001.PNG") {
      EXPECT_EQ(png.width, 120) << name;
      EXPECT_EQ(png.height, 170) << name;
      EXPECT_EQ(png.colorType, 0) << "cuts are grey";
    }
  }
  const auto cover = ReadPngHeader(low.at("0001.PNG"));
  EXPECT_EQ(cover.width, 6 * 120);
  EXPECT_EQ(cover.height, 6 * 170 + 40);
}

TEST_F(SampleDiscTest, OverrideArchivesHoldOnlyCorrectedCuts) {
  const auto lowOverride = ReadZipEntries(Disc("V096CUTLP.CCZ"));
  const auto low = ReadZipEntries(Disc("V096CUTL.CCZ"));
  std::set<std::string> expected = {"INIT.TXT"};
  for (int index : catalog_->correctedCuts) expected.insert(Numbered("%06d.PNG", catalog_->circles[index].updateId));
  std::set<std::string> names;
  for (const auto& [name, bytes] : lowOverride) names.insert(name);
  EXPECT_EQ(names, expected);
  const std::string gakkou = Numbered("%06d.PNG", catalog_->circles[catalog_->special.hiraganaGakkou].updateId);
  ASSERT_TRUE(lowOverride.count(gakkou));
  EXPECT_NE(lowOverride.at(gakkou), low.at(gakkou)) << "the corrected cut differs";
  EXPECT_EQ(ReadZipEntries(Disc("V096CUTHP.CCZ")).size(), expected.size());
}

TEST_F(SampleDiscTest, PageFilesCoverEveryPageWithCircles) {
  std::set<std::string> expected = {"PDATA/0001.PNG"};
  for (const CatalogPage& page : catalog_->pages) expected.insert(Numbered("PDATA/%04d.PNG", page.pageNo));
  std::set<std::string> found;
  for (const std::string& file : vxtest::ListFiles(options_->outDir)) {
    if (file.rfind("PDATA/", 0) == 0) found.insert(file);
  }
  EXPECT_EQ(found, expected);
  for (const std::string& file : found) {
    const auto png = ReadPngHeader(ReadFileBytes(Disc(file)));
    EXPECT_EQ(png.width, 8 * 2 + 6 * 120) << file;
    EXPECT_EQ(png.height, 48 + 6 * 170 + 24) << file;
  }
}

TEST_F(SampleDiscTest, HallMapsMatchTheLayoutCoordinates) {
  for (const EventDay& day : catalog_->days) {
    for (const HallMap& map : catalog_->maps) {
      const auto normal = ReadPngHeader(ReadFileBytes(Disc(MapFileName("MAP", day.id, map.stem))));
      const auto high = ReadPngHeader(ReadFileBytes(Disc(MapFileName("HMP", day.id, map.stem))));
      const auto genre = ReadPngHeader(ReadFileBytes(Disc(MapFileName("GNR", day.id, map.stem))));
      const auto highGenre = ReadPngHeader(ReadFileBytes(Disc(MapFileName("HGR", day.id, map.stem))));
      EXPECT_EQ(normal.width, map.width);
      EXPECT_EQ(normal.height, map.height);
      EXPECT_EQ(high.width, 2 * map.width);
      EXPECT_EQ(genre.width, map.width);
      EXPECT_EQ(genre.colorType, 6) << "the genre layer is transparent where nothing is";
      EXPECT_EQ(highGenre.height, 2 * map.height);
      EXPECT_LE(map.print.x + map.print.w, map.width);
      EXPECT_LE(map.print.y + map.print.h, map.height);
    }
  }
  EXPECT_NE(ReadFileBytes(Disc("MDATA/MAP1E123.PNG")), ReadFileBytes(Disc("MDATA/MAP2E123.PNG")));
  const auto outline = ReadPngHeader(ReadFileBytes(Disc("MDATA/ALLMAPBS.PNG")));
  for (const std::string stem : {"A1", "A2", "E1", "E2", "W1", "W2"}) {
    const auto part = ReadPngHeader(ReadFileBytes(Disc("MDATA/ALLMAP" + stem + ".PNG")));
    EXPECT_EQ(part.width, outline.width) << stem;
    EXPECT_EQ(part.height, outline.height) << stem;
    const auto highPart = ReadPngHeader(ReadFileBytes(Disc("MDATA/HALMAP" + stem + ".PNG")));
    EXPECT_EQ(highPart.width, 2 * outline.width) << stem;
  }
}

TEST_F(SampleDiscTest, UpdateArchiveChangesKnownCirclesAndAddsNewOnes) {
  const auto entries = ReadZipEntries(Disc("EXTRA/VQ096SJIS.ZIP"));
  ASSERT_EQ(entries.size(), 1u);
  const std::string& text = entries.at("UPDATE.TXT");
  EXPECT_TRUE(vxtest::IsCp932(text));
  std::set<int> known;
  for (const Circle& circle : catalog_->circles) known.insert(circle.updateId);
  const auto plan = PlanUpdate(*catalog_, 1);
  const auto lines = vxtest::SplitCrLfLines(text);
  ASSERT_EQ(lines.size(), plan.changed.size() + plan.added.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto fields = vxtest::SplitTabs(lines[i]);
    ASSERT_EQ(fields.size(), 20u);
    EXPECT_EQ(known.count(std::stoi(fields[0])), i < plan.changed.size() ? 1u : 0u) << lines[i];
  }
  const Circle& apostrophe = catalog_->circles[catalog_->special.apostrophe];
  EXPECT_EQ(vxtest::SplitTabs(lines[0])[0], std::to_string(apostrophe.updateId));
  EXPECT_EQ(vxtest::SplitTabs(lines[0])[8], apostrophe.name);
  EXPECT_NE(vxtest::SplitTabs(lines[0])[10], apostrophe.penName);
}

TEST_F(SampleDiscTest, ChecklistFilesDecodeInTheirEncodings) {
  const std::string sjis = ReadFileBytes(Disc("EXTRA/CHECK96_SJIS.CSV"));
  EXPECT_TRUE(vxtest::IsCp932(sjis));
  const std::string utf8 = ReadFileBytes(Disc("EXTRA/CHECK96_UTF8.CSV"));
  EXPECT_EQ(utf8.rfind("Header,VellastradeCD-ROMCatalog,Vellastrade96,UTF-8,", 0), 0u);
  EXPECT_NE(utf8.find("がっこう"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(Disc("EXTRA/CHECK96_OLD.CSV")).rfind("QUILLOR,104,Vellastrade96,Windows\r\n", 0), 0u);
  EXPECT_NE(ReadFileBytes(Disc("EXTRA/CHECK95_SJIS.CSV")).find(",Vellastrade95,Shift_JIS,"), std::string::npos);
}

TEST(SampleDiscVariantsTest, SameSeedGivesTheSameBytesAndAnotherSeedDiffers) {
  vxtest::TempDir dir;
  Write(Options(dir / "a", 3));
  Write(Options(dir / "b", 3));
  Write(Options(dir / "c", 4));
  const auto files = vxtest::ListFiles(dir / "a");
  ASSERT_EQ(files, vxtest::ListFiles(dir / "b"));
  for (const std::string& file : files) {
    EXPECT_TRUE(ReadFileBytes(dir / "a" / file) == ReadFileBytes(dir / "b" / file)) << file;
  }
  int differing = 0;
  for (const std::string& file : files) {
    differing += ReadFileBytes(dir / "a" / file) != ReadFileBytes(dir / "c" / file);
  }
  EXPECT_GT(differing, static_cast<int>(files.size()) / 2);
  EXPECT_NE(ReadFileBytes(dir / "a" / "V96ROM1.TXT"), ReadFileBytes(dir / "c" / "V96ROM1.TXT"));
}

TEST(SampleDiscVariantsTest, SubdirLayoutPutsTheDataUnderDataNn) {
  vxtest::TempDir dir;
  SampleOptions options = Options(dir / "disc");
  options.layout = DiscLayout::kSubdir;
  options.event = 7;
  Write(options);
  EXPECT_TRUE(fs::is_regular_file(dir / "disc" / "DATA07N" / "V7DEF.TXT"));
  EXPECT_TRUE(fs::is_regular_file(dir / "disc" / "DATA07N" / "V007CUTL.CCZ"));
  EXPECT_TRUE(fs::is_regular_file(dir / "disc" / "DATA07N" / "PDATA" / "0001.PNG"));
  EXPECT_TRUE(fs::is_directory(dir / "disc" / "DATA07N" / "MDATA"));
  EXPECT_TRUE(fs::is_regular_file(dir / "disc" / "EXTRA" / "VQ007SJIS.ZIP"));
  EXPECT_TRUE(fs::is_regular_file(dir / "disc" / "EXTRA" / "CHECK6_SJIS.CSV"));
  EXPECT_FALSE(fs::exists(dir / "disc" / "V7DEF.TXT"));
  // An odd event is held in August.
  EXPECT_NE(ReadFileBytes(dir / "disc" / "DATA07N" / "V7DEF.TXT").find("1978\t8\t11\t"), std::string::npos);
}

TEST(SampleDiscVariantsTest, LowerLayoutWritesEveryNameInLowerCase) {
  vxtest::TempDir dir;
  SampleOptions options = Options(dir / "disc");
  options.layout = DiscLayout::kLower;
  Write(options);
  const auto files = vxtest::ListFiles(dir / "disc");
  ASSERT_GT(files.size(), 40u);
  for (const std::string& file : files) {
    EXPECT_EQ(file.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos) << file;
  }
  EXPECT_TRUE(fs::is_regular_file(dir / "disc" / "v96def.txt"));
  EXPECT_TRUE(fs::is_regular_file(dir / "disc" / "mdata" / "map1e123.png"));
  EXPECT_TRUE(fs::is_regular_file(dir / "disc" / "extra" / "vq096sjis.zip"));
  // Names inside the archives stay as their reader expects them.
  EXPECT_TRUE(ReadZipEntries(dir / "disc" / "v096cutl.ccz").count("INIT.TXT"));
}

TEST(SampleDiscVariantsTest, SingleCircleFileNamesCutsByItsOwnUpdateIds) {
  vxtest::TempDir dir;
  SampleOptions options = Options(dir / "disc");
  options.rom = RomForm::kSingle;
  Write(options);
  EXPECT_TRUE(fs::is_regular_file(dir / "disc" / "V96ROM.TXT"));
  EXPECT_FALSE(fs::exists(dir / "disc" / "V96ROM1.TXT"));
  EXPECT_FALSE(fs::exists(dir / "disc" / "V96ROM0.TXT"));
  const auto entries = ReadZipEntries(dir / "disc" / "V096CUTL.CCZ");
  std::vector<std::vector<std::string>> circles;
  for (const std::string& line : vxtest::SplitCrLfLines(ReadFileBytes(dir / "disc" / "V96ROM.TXT"))) {
    const auto fields = vxtest::SplitTabs(line);
    circles.push_back({fields[1], fields[2], fields[3], fields[5], fields[6], fields[7]});
    if (!fields[8].empty()) {
      EXPECT_TRUE(entries.count(Numbered("%06d.PNG", std::stoi(fields[0])))) << line;
    }
  }
  ExpectCirclesUseDeclaredIds(ReadDeclarations(dir / "disc"), circles);
}

TEST(SampleDiscFolderTest, ReplacesAnEarlierSampleButNothingElse) {
  vxtest::TempDir dir;
  Write(Options(dir / "disc"));
  vxtest::WriteFileBytes(dir / "disc" / "stale.txt", "left from before");
  Write(Options(dir / "disc"));
  EXPECT_FALSE(fs::exists(dir / "disc" / "stale.txt"));
  EXPECT_TRUE(fs::exists(dir / "disc" / "V96DEF.TXT"));

  fs::create_directories(dir / "mine");
  vxtest::WriteFileBytes(dir / "mine" / "notes.txt", "keep me");
  DiscSummary summary;
  std::string error;
  EXPECT_FALSE(WriteSampleDisc(Options(dir / "mine"), summary, error));
  EXPECT_NE(error.find("not empty"), std::string::npos) << error;
  EXPECT_EQ(ReadFileBytes(dir / "mine" / "notes.txt"), "keep me");
  EXPECT_EQ(vxtest::ListFiles(dir / "mine").size(), 1u);
}

TEST(SampleDiscFolderTest, ReportsAFolderThatCannotBeMade) {
  vxtest::TempDir dir;
  vxtest::WriteFileBytes(dir / "file", "x");
  DiscSummary summary;
  std::string error;
  EXPECT_FALSE(WriteSampleDisc(Options(dir / "file"), summary, error));
  EXPECT_NE(error.find("not a folder"), std::string::npos) << error;
  EXPECT_FALSE(WriteSampleDisc(Options(dir / "file" / "below"), summary, error));
  EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}

TEST(SampleDiscToolTest, ExitsNonZeroWithAMessageOnBadArguments) {
  const char* tool = std::getenv("VX_SAMPLE_DISC_TOOL");
  ASSERT_NE(tool, nullptr);
  const std::string command = std::string(tool) + " --out x --size huge 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pclose(pipe);
  EXPECT_NE(status, 0);
  EXPECT_NE(output.find("huge"), std::string::npos) << output;
  EXPECT_NE(output.find("usage:"), std::string::npos) << output;
}

}  // namespace
}  // namespace vx::sampledisc
