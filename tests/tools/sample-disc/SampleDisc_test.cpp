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

std::string Numbered(const char* pattern, int value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

std::set<std::string> Names(const std::map<std::string, std::string>& entries) {
  std::set<std::string> names;
  for (const auto& entry : entries) names.insert(entry.first);
  return names;
}

struct WrittenDisc {
  explicit WrittenDisc(SampleOptions o = {}) : options(std::move(o)) {
    options.outDir = dir / "disc";
    DiscSummary summary;
    std::string error;
    EXPECT_TRUE(WriteSampleDisc(options, summary, error)) << error;
    catalog = BuildCatalog(options);
  }
  fs::path operator/(const std::string& name) const { return options.outDir / name; }
  std::string Bytes(const std::string& name) const { return ReadFileBytes(options.outDir / name); }
  int UpdateId(int circleIndex) const { return catalog.circles[circleIndex].updateId; }

  vxtest::TempDir dir;
  SampleOptions options;
  Catalog catalog;
};

// One disc with the default options, shared by the tests that only read it.
const WrittenDisc& Disc() {
  static const WrittenDisc disc;
  return disc;
}

TEST(SampleDiscTest, WritesEveryFileOfTheDisc) {
  for (const char* name : {"V96DEF.TXT", "V96MAP.TXT", "V96ROM1.TXT", "V96ROM2.TXT", "V96ROM0.TXT",
                           "V096CUTL.CCZ", "V096CUTH.CCZ", "V096CUTLP.CCZ", "V096CUTHP.CCZ", "PDATA/0001.PNG",
                           "MDATA/MAP1E123.PNG", "MDATA/GNR2W12.PNG", "MDATA/HMP1W12.PNG", "MDATA/HGR2E123.PNG",
                           "MDATA/ALLMAPBS.PNG", "MDATA/ALLMAPA1.PNG", "MDATA/HALMAPW2.PNG",
                           "EXTRA/VQ096SJIS.ZIP", "EXTRA/CHECK96_SJIS.CSV", "EXTRA/CHECK96_UTF8.CSV",
                           "EXTRA/CHECK96_EUCJP.CSV", "EXTRA/CHECK96_JIS.CSV", "EXTRA/CHECK96_OLD.CSV",
                           "EXTRA/CHECK95_SJIS.CSV"}) {
    EXPECT_TRUE(fs::is_regular_file(Disc() / name)) << name;
  }
  EXPECT_FALSE(fs::exists(Disc() / "V96ROM.TXT"));
  EXPECT_FALSE(fs::exists(Disc() / "V96ROM3.TXT"));
  EXPECT_EQ(Disc().Bytes("V96ROM1.TXT"), DayCircleFileText(Disc().catalog, 1));
}

// Every id a circle line uses is declared by the definition and layout files of the same disc.
void ExpectCirclesUseDeclaredIds(const WrittenDisc& disc, const std::vector<std::string>& circleFiles) {
  auto def = vxtest::Sections(disc.Bytes(DefinitionFileName(disc.options.event)));
  std::set<std::string> weekdays, maps, blocks;
  std::set<int> genres;
  std::set<std::pair<std::string, int>> spaces, cuts;
  for (const auto& f : def["PavorunDate"]) weekdays.insert(f[3]);
  for (const auto& f : def["PavorunMap"]) maps.insert(f[0]);
  for (const auto& f : def["PavorunGenre"]) genres.insert(std::stoi(f[0]));
  for (const auto& f : def["PavorunArea"]) {
    EXPECT_TRUE(maps.count(f[1])) << "an area on an unknown map";
    for (std::size_t i = 0; i + 1 < f[2].size(); i += 2) blocks.insert(f[2].substr(i, 2));
  }
  auto layout = vxtest::Sections(disc.Bytes(LayoutFileName(disc.options.event)));
  for (const auto& f : layout[""]) {
    EXPECT_TRUE(blocks.count(f[0])) << "a desk of an unknown block";
    spaces.insert({f[0], std::stoi(f[1])});
  }
  EXPECT_EQ(spaces.size(), disc.catalog.desks.size());
  for (const auto& f : def["PavorunJiko"]) EXPECT_TRUE(spaces.count({f[1], std::stoi(f[2])})) << "errata off the desks";
  std::size_t lines = 0;
  for (const std::string& file : circleFiles) {
    for (const std::string& line : vxtest::SplitCrLfLines(disc.Bytes(file))) {
      const auto c = vxtest::CircleColumns(line);
      ++lines;
      EXPECT_TRUE(genres.count(std::stoi(c[7]))) << line;
      if (c[3] == vxtest::Sj("漏")) {
        EXPECT_EQ(c[5] + c[6], "0") << "an unplaced circle has no space";
        continue;
      }
      EXPECT_TRUE(weekdays.count(c[3])) << line;
      EXPECT_TRUE(spaces.count({c[5], std::stoi(c[6])})) << "no desk for a placed circle";
      EXPECT_TRUE(cuts.insert({c[1], std::stoi(c[2])}).second) << "two circles in one cut";
    }
  }
  EXPECT_EQ(lines, disc.catalog.circles.size());
}

TEST(SampleDiscTest, CircleFilesUseOnlyIdsTheDefinitionAndLayoutDeclare) {
  ExpectCirclesUseDeclaredIds(Disc(), {"V96ROM1.TXT", "V96ROM2.TXT", "V96ROM0.TXT"});
}

TEST(SampleDiscTest, CutArchivesHoldTheEntriesTheirReaderLooksFor) {
  const Catalog& c = Disc().catalog;
  const auto low = ReadZipEntries(Disc() / "V096CUTL.CCZ");
  const auto high = ReadZipEntries(Disc() / "V096CUTH.CCZ");
  EXPECT_EQ(low.at("INIT.TXT"), "vqnum\t96\r\nwidth\t120\r\nheight\t170\r\n");
  EXPECT_EQ(high.at("INIT.TXT"), "vqnum\t96\r\nwidth\t240\r\nheight\t340\r\n");
  std::set<std::string> expected = {"INIT.TXT", "0001.PNG", "JIKO.PNG"};
  for (int n = 1; n <= c.errataPictureCount; ++n) expected.insert(Numbered("JIKO%02d.PNG", n));
  for (const Block& block : c.blocks) expected.insert(Numbered("B%03d.PNG", block.id));
  // The circle without a name is drawn from JIKO.PNG and has no cut of its own.
  for (const Circle& circle : c.circles) {
    if (!circle.name.empty()) expected.insert(Numbered("%06d.PNG", circle.updateId));
  }
  EXPECT_EQ(Names(low), expected);
  EXPECT_EQ(Names(high), expected);
  EXPECT_FALSE(low.count(Numbered("%06d.PNG", Disc().UpdateId(c.special.emptyName))));

  for (const auto& [name, bytes] : low) {
    if (name == "INIT.TXT") continue;
    const auto png = ReadPngHeader(bytes), hiPng = ReadPngHeader(high.at(name));
    ASSERT_TRUE(png.valid && hiPng.valid) << name;
    EXPECT_EQ(std::make_pair(hiPng.width, hiPng.height), std::make_pair(2 * png.width, 2 * png.height)) << name;
    if (name[0] == 'B') {
      EXPECT_EQ(png.width, 240) << "a block title spans two cuts";
    } else if (name != "0001.PNG") {
      EXPECT_EQ(std::make_tuple(png.width, png.height, png.colorType), std::make_tuple(120, 170, 0)) << name;
    }
  }
  const auto cover = ReadPngHeader(low.at("0001.PNG"));
  EXPECT_EQ(std::make_pair(cover.width, cover.height), std::make_pair(6 * 120, 6 * 170 + 40));

  const auto lowOverride = ReadZipEntries(Disc() / "V096CUTLP.CCZ");
  expected = {"INIT.TXT"};
  for (int index : c.correctedCuts) expected.insert(Numbered("%06d.PNG", Disc().UpdateId(index)));
  EXPECT_EQ(Names(lowOverride), expected);
  EXPECT_EQ(Names(ReadZipEntries(Disc() / "V096CUTHP.CCZ")), expected);
  const std::string gakkou = Numbered("%06d.PNG", Disc().UpdateId(c.special.hiraganaGakkou));
  ASSERT_TRUE(lowOverride.count(gakkou));
  EXPECT_NE(lowOverride.at(gakkou), low.at(gakkou)) << "the corrected cut differs";
}

TEST(SampleDiscTest, PageFilesAndHallMapsHaveTheirSizes) {
  const Catalog& c = Disc().catalog;
  std::set<std::string> expected = {"PDATA/0001.PNG"}, found;
  for (const CatalogPage& page : c.pages) expected.insert(Numbered("PDATA/%04d.PNG", page.pageNo));
  for (const std::string& file : vxtest::ListFiles(Disc().options.outDir)) {
    if (file.rfind("PDATA/", 0) == 0) found.insert(file);
  }
  EXPECT_EQ(found, expected);
  for (const std::string& file : found) {
    const auto png = ReadPngHeader(Disc().Bytes(file));
    EXPECT_EQ(std::make_pair(png.width, png.height), std::make_pair(8 * 2 + 6 * 120, 48 + 6 * 170 + 24)) << file;
  }
  for (const EventDay& day : c.days) {
    for (const HallMap& map : c.maps) {
      for (const auto& [prefix, scale, colorType] : {std::make_tuple("MAP", 1, 2), std::make_tuple("HMP", 2, 2),
                                                     std::make_tuple("GNR", 1, 6), std::make_tuple("HGR", 2, 6)}) {
        const auto png = ReadPngHeader(Disc().Bytes(MapFileName(prefix, day.id, map.stem)));
        EXPECT_EQ(std::make_tuple(png.width, png.height, png.colorType),
                  std::make_tuple(scale * map.width, scale * map.height, colorType))
            << prefix << day.id << map.stem;
      }
      EXPECT_LE(map.print.x + map.print.w, map.width);
      EXPECT_LE(map.print.y + map.print.h, map.height);
    }
  }
  EXPECT_NE(Disc().Bytes("MDATA/MAP1E123.PNG"), Disc().Bytes("MDATA/MAP2E123.PNG"));
  const auto outline = ReadPngHeader(Disc().Bytes("MDATA/ALLMAPBS.PNG"));
  for (const std::string stem : {"A1", "A2", "E1", "E2", "W1", "W2"}) {
    const auto part = ReadPngHeader(Disc().Bytes("MDATA/ALLMAP" + stem + ".PNG"));
    const auto highPart = ReadPngHeader(Disc().Bytes("MDATA/HALMAP" + stem + ".PNG"));
    EXPECT_EQ(std::make_pair(part.width, part.height), std::make_pair(outline.width, outline.height)) << stem;
    EXPECT_EQ(highPart.width, 2 * outline.width) << stem;
  }
}

TEST(SampleDiscTest, UpdateArchiveChangesKnownCirclesAndAddsNewOnes) {
  const Catalog& c = Disc().catalog;
  const auto entries = ReadZipEntries(Disc() / "EXTRA/VQ096SJIS.ZIP");
  ASSERT_EQ(Names(entries), std::set<std::string>{"UPDATE.TXT"});
  EXPECT_TRUE(vxtest::IsCp932(entries.at("UPDATE.TXT")));
  std::set<int> known;
  for (const Circle& circle : c.circles) known.insert(circle.updateId);
  const auto plan = PlanUpdate(c, 1);
  const auto lines = vxtest::SplitCrLfLines(entries.at("UPDATE.TXT"));
  ASSERT_EQ(lines.size(), plan.changed.size() + plan.added.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto fields = vxtest::SplitTabs(lines[i]);
    ASSERT_EQ(fields.size(), 20u);
    EXPECT_EQ(known.count(std::stoi(fields[0])), i < plan.changed.size() ? 1u : 0u) << lines[i];
  }
  const Circle& apostrophe = c.circles[c.special.apostrophe];
  const auto first = vxtest::SplitTabs(lines[0]);
  EXPECT_EQ(first[0] + first[8], std::to_string(apostrophe.updateId) + apostrophe.name);
  EXPECT_NE(first[10], apostrophe.penName);
}

TEST(SampleDiscTest, ChecklistFilesDecodeInTheirEncodings) {
  EXPECT_TRUE(vxtest::IsCp932(Disc().Bytes("EXTRA/CHECK96_SJIS.CSV")));
  const std::string utf8 = Disc().Bytes("EXTRA/CHECK96_UTF8.CSV");
  EXPECT_EQ(utf8.rfind("Header,VellastradeCD-ROMCatalog,Vellastrade96,UTF-8,", 0), 0u);
  EXPECT_NE(utf8.find("がっこう"), std::string::npos);
  EXPECT_EQ(Disc().Bytes("EXTRA/CHECK96_OLD.CSV").rfind("QUILLOR,104,Vellastrade96,Windows\r\n", 0), 0u);
  EXPECT_NE(Disc().Bytes("EXTRA/CHECK95_SJIS.CSV").find(",Vellastrade95,Shift_JIS,"), std::string::npos);
}

TEST(SampleDiscVariantsTest, SameSeedGivesTheSameBytesAndAnotherSeedDiffers) {
  SampleOptions options;
  options.seed = 3;
  const WrittenDisc a(options), b(options);
  options.seed = 4;
  const WrittenDisc other(options);
  const auto files = vxtest::ListFiles(a.options.outDir);
  ASSERT_EQ(files, vxtest::ListFiles(b.options.outDir));
  int differing = 0;
  for (const std::string& file : files) {
    EXPECT_TRUE(a.Bytes(file) == b.Bytes(file)) << file;
    differing += a.Bytes(file) != other.Bytes(file);
  }
  EXPECT_GT(differing, static_cast<int>(files.size()) / 2);
  EXPECT_NE(a.Bytes("V96ROM1.TXT"), other.Bytes("V96ROM1.TXT"));
}

TEST(SampleDiscVariantsTest, SubdirAndLowerCaseLayouts) {
  SampleOptions options;
  options.layout = DiscLayout::kSubdir;
  options.event = 7;
  const WrittenDisc subdir(options);
  for (const char* name : {"DATA07N/V7DEF.TXT", "DATA07N/V007CUTL.CCZ", "DATA07N/PDATA/0001.PNG",
                           "DATA07N/MDATA/MAP1E123.PNG", "EXTRA/VQ007SJIS.ZIP", "EXTRA/CHECK6_SJIS.CSV"}) {
    EXPECT_TRUE(fs::is_regular_file(subdir / name)) << name;
  }
  EXPECT_FALSE(fs::exists(subdir / "V7DEF.TXT"));
  // An odd event is held in August.
  EXPECT_NE(subdir.Bytes("DATA07N/V7DEF.TXT").find("1978\t8\t11\t"), std::string::npos);

  options = {};
  options.layout = DiscLayout::kLower;
  const WrittenDisc lower(options);
  const auto files = vxtest::ListFiles(lower.options.outDir);
  ASSERT_GT(files.size(), 40u);
  for (const std::string& file : files) {
    EXPECT_EQ(file.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos) << file;
  }
  for (const char* name : {"v96def.txt", "mdata/map1e123.png", "extra/vq096sjis.zip"}) {
    EXPECT_TRUE(fs::is_regular_file(lower / name)) << name;
  }
  // Names inside the archives stay as their reader expects them.
  EXPECT_TRUE(ReadZipEntries(lower / "v096cutl.ccz").count("INIT.TXT"));
}

TEST(SampleDiscVariantsTest, SingleCircleFileNamesCutsByItsOwnUpdateIds) {
  SampleOptions options;
  options.rom = RomForm::kSingle;
  const WrittenDisc single(options);
  EXPECT_FALSE(fs::exists(single / "V96ROM1.TXT"));
  EXPECT_FALSE(fs::exists(single / "V96ROM0.TXT"));
  ExpectCirclesUseDeclaredIds(single, {"V96ROM.TXT"});
  const auto entries = ReadZipEntries(single / "V096CUTL.CCZ");
  for (const std::string& line : vxtest::SplitCrLfLines(single.Bytes("V96ROM.TXT"))) {
    const auto fields = vxtest::SplitTabs(line);
    EXPECT_EQ(entries.count(Numbered("%06d.PNG", std::stoi(fields[0]))), fields[8].empty() ? 0u : 1u) << line;
  }
}

TEST(SampleDiscFolderTest, ReplacesOnlyAnEarlierSampleAndReportsFoldersItCannotUse) {
  vxtest::TempDir dir;
  SampleOptions options;
  DiscSummary summary;
  std::string error;
  options.outDir = dir / "disc";
  ASSERT_TRUE(WriteSampleDisc(options, summary, error)) << error;
  vxtest::WriteFileBytes(dir / "disc" / "stale.txt", "left from before");
  ASSERT_TRUE(WriteSampleDisc(options, summary, error)) << error;
  EXPECT_FALSE(fs::exists(dir / "disc" / "stale.txt"));
  EXPECT_TRUE(fs::exists(dir / "disc" / "V96DEF.TXT"));

  vxtest::WriteFileBytes(dir / "file", "x");
  fs::create_directories(dir / "mine");
  vxtest::WriteFileBytes(dir / "mine" / "notes.txt", "keep me");
  for (const auto& [out, message] : {std::make_pair(dir / "mine", "not empty"), std::make_pair(dir / "file", "not a folder"),
                                     std::make_pair(dir / "file" / "below", "cannot create")}) {
    options.outDir = out;
    EXPECT_FALSE(WriteSampleDisc(options, summary, error)) << out;
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
  EXPECT_EQ(vxtest::ListFiles(dir / "mine"), std::vector<std::string>{"notes.txt"});
  EXPECT_EQ(ReadFileBytes(dir / "mine" / "notes.txt"), "keep me");
}

TEST(SampleDiscToolTest, ExitsNonZeroWithAMessageOnBadArguments) {
  const char* tool = std::getenv("VX_SAMPLE_DISC_TOOL");
  ASSERT_NE(tool, nullptr);
  FILE* pipe = popen((std::string(tool) + " --out x --size huge 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  EXPECT_NE(pclose(pipe), 0);
  EXPECT_NE(output.find("huge"), std::string::npos) << output;
  EXPECT_NE(output.find("usage:"), std::string::npos) << output;
}

}  // namespace
}  // namespace vx::sampledisc
