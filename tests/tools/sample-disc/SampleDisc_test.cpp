// Whole sample discs written to temporary folders and read back.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <set>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "tests/tools/sample-disc/DiscReading.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/CatalogTextWriter.h"
#include "tools/sample-disc/DiscPaths.h"
#include "tools/sample-disc/PngEncoder.h"
#include "tools/sample-disc/SampleDiscWriter.h"
#include "tools/sample-disc/UpdateFileWriter.h"

namespace fs = std::filesystem;

namespace vx::sampledisc {
namespace {

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

auto Size(const vxtest::PngHeader& png) { return std::make_pair(png.width, png.height); }

struct WrittenDisc {
  explicit WrittenDisc(SampleOptions o = {}) : options(std::move(o)) {
    options.outDir = dir / "disc";
    DiscSummary summary;
    std::string error;
    EXPECT_TRUE(WriteSampleDisc(options, summary, error)) << error;
    catalog = BuildCatalog(options);
  }
  fs::path operator/(const std::string& name) const { return options.outDir / name; }
  std::string Bytes(const std::string& name) const {
    return vxtest::ReadFileBytes(options.outDir / name);
  }
  std::string CutName(int circleIndex) const {
    return Numbered("%06d.PNG", catalog.circles[circleIndex].updateId);
  }

  vxtest::TempDir dir;
  SampleOptions options;
  Catalog catalog;
};

// One disc with the default options, shared by the tests that only read it.
const WrittenDisc& Disc() {
  static const WrittenDisc disc;
  return disc;
}

// The catalogue text files of a disc: CP932 with CR LF, the columns of each section, and every
// id a circle line uses declared by the definition and layout files.
void ExpectTextFiles(const WrittenDisc& disc, const std::vector<std::string>& circleFiles) {
  const Catalog& c = disc.catalog;
  auto read = [&](const std::string& name) {
    const std::string text = disc.Bytes(name);
    const auto lines = static_cast<long>(vxtest::SplitCrLfLines(text).size());
    EXPECT_TRUE(text.ends_with("\r\n") && std::count(text.begin(), text.end(), '\r') == lines &&
                std::count(text.begin(), text.end(), '\n') == lines && vxtest::IsCp932(text))
        << name << " is CP932 with every line ending in CR LF";
    return vxtest::Sections(text);
  };
  auto def = read(DefinitionFileName(c.event));
  auto layout = read(LayoutFileName(c.event));
  const std::map<std::string, std::pair<std::size_t, std::size_t>> shapes = {
      // rows, columns
      {"Pavorun", {1, 2}},
      {"CutInfo", {1, 6}},
      {"MapTableInfo", {1, 4}},
      {"PavorunDate", {c.days.size(), 4}},
      {"PavorunMap", {c.maps.size(), 12}},
      {"PavorunArea", {c.areas.size(), 12}},
      {"PavorunGenre", {c.genres.size(), 3}},
      {"PavorunJiko", {c.errata.size(), 5}}};
  ASSERT_EQ(def.size(), shapes.size());
  for (const auto& [name, shape] : shapes) {
    ASSERT_EQ(def[name].size(), shape.first) << name;
    for (const auto& f : def[name]) ASSERT_EQ(f.size(), shape.second) << name;
  }
  EXPECT_EQ(def["Pavorun"][0], (std::vector<std::string>{std::to_string(c.event), c.eventName}));
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
  for (const auto& f : layout[""]) {
    ASSERT_EQ(f.size(), 5u);
    EXPECT_TRUE(blocks.count(f[0])) << "a desk of an unknown block";
    spaces.insert({f[0], std::stoi(f[1])});
  }
  EXPECT_EQ(spaces.size(), c.desks.size());
  for (const auto& f : def["PavorunJiko"])
    EXPECT_TRUE(spaces.count({f[1], std::stoi(f[2])})) << "errata off the desks";
  std::size_t lines = 0, shortLines = 0;
  for (const std::string& file : circleFiles) {
    const bool unplaced = file.ends_with("ROM0.TXT");
    auto rows = read(file);
    for (const auto& fields : rows[""]) {
      shortLines += fields.size() == 19;
      // The day files' short form, without id and page, is only for circles the lottery left out.
      ASSERT_EQ(fields.size(), circleFiles.size() == 1         ? 20u
                               : unplaced && fields[0].empty() ? 19u
                                                               : 21u)
          << file;
      const auto f = vxtest::CircleColumns(fields);
      ++lines;
      EXPECT_TRUE(genres.count(std::stoi(f[7]))) << f[8];
      if (f[3] == vxtest::Sj("漏")) {
        EXPECT_EQ(f[5] + f[6], "0") << "an unplaced circle has no space";
        continue;
      }
      EXPECT_TRUE(weekdays.count(f[3])) << f[8];
      EXPECT_TRUE(spaces.count({f[5], std::stoi(f[6])})) << "no desk for a placed circle";
      EXPECT_TRUE(cuts.insert({f[1], std::stoi(f[2])}).second) << "two circles in one cut";
    }
  }
  EXPECT_EQ(lines, c.circles.size());
  EXPECT_EQ(shortLines > 0, circleFiles.size() > 1);
}

TEST(SampleDiscTest, TextFilesHaveTheirColumnsAndUseOnlyDeclaredIds) {
  ExpectTextFiles(Disc(), {"V96ROM1.TXT", "V96ROM2.TXT", "V96ROM0.TXT"});
  EXPECT_EQ(vxtest::Sections(Disc().Bytes("V96DEF.TXT"))["PavorunDate"],
            (vxtest::Rows{{"2022", "12", "30", vxtest::Sj("金")},
                          {"2022", "12", "31", vxtest::Sj("土")}}));
  EXPECT_FALSE(fs::exists(Disc() / "V96ROM.TXT"));
  EXPECT_FALSE(fs::exists(Disc() / "V96ROM3.TXT"));
  EXPECT_EQ(Disc().Bytes("V96ROM1.TXT"), DayCircleFileText(Disc().catalog, 1));
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
  EXPECT_FALSE(low.count(Disc().CutName(c.special.emptyName)));

  for (const auto& [name, bytes] : low) {
    if (name == "INIT.TXT") continue;
    const auto png = ReadPngHeader(bytes), hiPng = ReadPngHeader(high.at(name));
    EXPECT_EQ(Size(hiPng), std::make_pair(2 * png.width, 2 * png.height)) << name;
    if (name[0] == 'B') {
      EXPECT_EQ(png.width, 240) << "a block title spans two cuts";
    } else if (name != "0001.PNG") {
      EXPECT_EQ(std::make_tuple(png.width, png.height, png.colorType), std::make_tuple(120, 170, 0))
          << name;
    }
  }
  EXPECT_EQ(Size(ReadPngHeader(low.at("0001.PNG"))), std::make_pair(6 * 120, 6 * 170 + 40));
  const std::string first = low.at(Disc().CutName(0));
  EXPECT_EQ(QImage::fromData(QByteArray(first.data(), static_cast<int>(first.size()))).size(),
            QSize(120, 170));

  const auto lowOverride = ReadZipEntries(Disc() / "V096CUTLP.CCZ");
  expected = {"INIT.TXT"};
  for (int index : c.correctedCuts) expected.insert(Disc().CutName(index));
  EXPECT_EQ(Names(lowOverride), expected);
  EXPECT_EQ(Names(ReadZipEntries(Disc() / "V096CUTHP.CCZ")), expected);
  const std::string gakkou = Disc().CutName(c.special.hiraganaGakkou);
  ASSERT_TRUE(lowOverride.count(gakkou));
  EXPECT_NE(lowOverride.at(gakkou), low.at(gakkou)) << "the corrected cut differs";
}

TEST(SampleDiscTest, PageFilesAndHallMapsHaveTheirSizes) {
  const Catalog& c = Disc().catalog;
  std::vector<std::string> expected = {"0001.PNG"};
  for (const CatalogPage& page : c.pages) expected.push_back(Numbered("%04d.PNG", page.pageNo));
  EXPECT_EQ(vxtest::ListFiles(Disc() / "PDATA"), expected);
  for (const std::string& file : expected) {
    EXPECT_EQ(Size(ReadPngHeader(Disc().Bytes("PDATA/" + file))),
              std::make_pair(8 * 2 + 6 * 120, 48 + 6 * 170 + 24));
  }
  for (const EventDay& day : c.days) {
    for (const HallMap& map : c.maps) {
      for (const auto& [prefix, scale, colorType] :
           {std::make_tuple("MAP", 1, 2), std::make_tuple("HMP", 2, 2),
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
    EXPECT_EQ(Size(ReadPngHeader(Disc().Bytes("MDATA/ALLMAP" + stem + ".PNG"))), Size(outline))
        << stem;
    EXPECT_EQ(ReadPngHeader(Disc().Bytes("MDATA/HALMAP" + stem + ".PNG")).width, 2 * outline.width)
        << stem;
  }
}

TEST(SampleDiscTest, ExtrasHoldTheUpdateAndTheChecklistsInTheirEncodings) {
  const auto update = ReadZipEntries(Disc() / "EXTRA/VQ096SJIS.ZIP");
  ASSERT_EQ(Names(update), std::set<std::string>{"UPDATE.TXT"});
  EXPECT_EQ(update.at("UPDATE.TXT"), UpdateFileText(Disc().catalog, PlanUpdate(Disc().catalog, 1)));
  EXPECT_TRUE(vxtest::IsCp932(Disc().Bytes("EXTRA/CHECK96_SJIS.CSV")));
  const std::string utf8 = Disc().Bytes("EXTRA/CHECK96_UTF8.CSV");
  EXPECT_TRUE(utf8.starts_with("Header,VellastradeCD-ROMCatalog,Vellastrade96,UTF-8,"));
  EXPECT_NE(utf8.find("がっこう"), std::string::npos);
  EXPECT_TRUE(
      Disc().Bytes("EXTRA/CHECK96_OLD.CSV").starts_with("QUILLOR,104,Vellastrade96,Windows\r\n"));
  EXPECT_NE(Disc().Bytes("EXTRA/CHECK95_SJIS.CSV").find(",Vellastrade95,Shift_JIS,"),
            std::string::npos);
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
}

TEST(SampleDiscVariantsTest, SubdirAndLowerCaseLayouts) {
  SampleOptions options;
  options.layout = DiscLayout::kSubdir;
  options.event = 7;
  const WrittenDisc subdir(options);
  for (const char* name :
       {"DATA07N/V007CUTL.CCZ", "DATA07N/MDATA/MAP1E123.PNG", "EXTRA/CHECK6_SJIS.CSV"}) {
    EXPECT_TRUE(fs::is_regular_file(subdir / name)) << name;
  }
  // An odd event is held in August.
  EXPECT_NE(subdir.Bytes("DATA07N/V7DEF.TXT").find("1978\t8\t11\t"), std::string::npos);

  options = {};
  options.layout = DiscLayout::kLower;
  const WrittenDisc lower(options);
  const auto files = vxtest::ListFiles(lower.options.outDir);
  EXPECT_TRUE(std::binary_search(files.begin(), files.end(), "extra/vq096sjis.zip"));
  EXPECT_TRUE(std::binary_search(files.begin(), files.end(), "mdata/map1e123.png"));
  for (const std::string& file : files) {
    EXPECT_EQ(file.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos) << file;
  }
  // Names inside the archives stay as their reader expects them.
  EXPECT_TRUE(ReadZipEntries(lower / "v096cutl.ccz").count("INIT.TXT"));
}

TEST(SampleDiscVariantsTest, SingleCircleFileNamesCutsByItsOwnShuffledUpdateIds) {
  SampleOptions options;
  options.rom = RomForm::kSingle;
  const WrittenDisc single(options);
  EXPECT_FALSE(fs::exists(single / "V96ROM1.TXT"));
  ExpectTextFiles(single, {"V96ROM.TXT"});
  const auto entries = ReadZipEntries(single / "V096CUTL.CCZ");
  std::set<int> ids;
  int inOrder = 0;
  for (const std::string& line : vxtest::SplitCrLfLines(single.Bytes("V96ROM.TXT"))) {
    const auto f = vxtest::SplitTabs(line);
    const int id = std::stoi(f[0]);
    EXPECT_EQ(entries.count(Numbered("%06d.PNG", id)), f[8].empty() ? 0u : 1u) << line;
    EXPECT_TRUE(id > 100000 && id <= 100000 + static_cast<int>(single.catalog.circles.size()))
        << id;
    inOrder += id == 100001 + static_cast<int>(ids.size());
    ids.insert(id);
  }
  EXPECT_EQ(ids.size(), single.catalog.circles.size());
  EXPECT_LT(inOrder, 20) << "update ids are expected shuffled";
}

// A rerun takes away what the earlier run wrote, wherever its layout put it, and nothing else.
TEST(SampleDiscFolderTest, ReplacesOnlyWhatTheEarlierSampleWroteAndReportsFoldersItCannotUse) {
  const WrittenDisc disc;
  const std::vector<std::string> mine = {"stale.txt",        "EXTRA/notes.txt", "PDATA/readme.txt",
                                         "MDATA/legend.png", "mine/V96DEF.TXT", "V95ROM.TXT"};
  for (const std::string& name : mine) {
    fs::create_directories((disc / name).parent_path());
    vxtest::WriteFileBytes(disc / name, "the user's own");
  }
  SampleOptions options = disc.options;
  options.layout = DiscLayout::kSubdir;
  DiscSummary summary;
  std::string error;
  ASSERT_TRUE(WriteSampleDisc(options, summary, error)) << error;
  for (const std::string& name : mine) {
    EXPECT_EQ(vxtest::ReadFileBytes(disc / name), "the user's own") << name;
  }
  for (const char* gone : {"V96DEF.TXT", "V96MAP.TXT", "V96ROM1.TXT", "V096CUTL.CCZ",
                           "V096CUTHP.CCZ", "PDATA/0002.PNG", "PDATA/0001.PNG"}) {
    EXPECT_FALSE(fs::exists(disc / gone)) << gone;
  }
  EXPECT_EQ(vxtest::ListFiles(disc / "MDATA"), std::vector<std::string>{"legend.png"});
  EXPECT_EQ(vxtest::ListFiles(disc / "PDATA"), std::vector<std::string>{"readme.txt"});
  EXPECT_TRUE(fs::exists(disc / "DATA96N" / "V96DEF.TXT"));
  EXPECT_TRUE(fs::exists(disc / "EXTRA" / "VQ096SJIS.ZIP"));

  options.layout = DiscLayout::kLower;  // and back from the sub-folder, which goes when empty
  ASSERT_TRUE(WriteSampleDisc(options, summary, error)) << error;
  EXPECT_FALSE(fs::exists(disc / "DATA96N"));
  EXPECT_TRUE(fs::exists(disc / "v96def.txt"));
  EXPECT_EQ(vxtest::ReadFileBytes(disc / "stale.txt"), "the user's own");

  const fs::path dir = disc.dir.Path();
  vxtest::WriteFileBytes(dir / "file", "x");
  fs::create_directories(dir / "mine");
  vxtest::WriteFileBytes(dir / "mine" / "notes.txt", "keep me");
  const std::pair<fs::path, const char*> refused[] = {{dir / "mine", "not empty"},
                                                      {dir / "file", "not a folder"},
                                                      {dir / "file" / "below", "cannot create"}};
  for (const auto& [out, message] : refused) {
    options.outDir = out;
    EXPECT_FALSE(WriteSampleDisc(options, summary, error)) << out;
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
  EXPECT_EQ(vxtest::ListFiles(dir / "mine"), std::vector<std::string>{"notes.txt"});
  EXPECT_EQ(vxtest::ReadFileBytes(dir / "mine" / "notes.txt"), "keep me");
}

// A picture that cannot be encoded fails the run, whichever stage it belongs to.
TEST(SampleDiscFolderTest, APictureThatCannotBeEncodedFailsTheRun) {
  for (int failing : {1, 40, 400}) {
    vxtest::TempDir dir;
    SampleOptions options;
    options.outDir = dir / "disc";
    std::atomic<int> calls{0};
    const PngEncodeFunction encode = [&](const QImage& picture) {
      return ++calls == failing ? std::string() : EncodePng(picture);
    };
    DiscSummary summary;
    std::string error;
    EXPECT_FALSE(WriteSampleDisc(options, summary, error, encode)) << failing;
    EXPECT_NE(error.find("could not be encoded"), std::string::npos) << error;
  }
  EXPECT_TRUE(EncodePng(QImage()).empty());
}

TEST(SampleDiscToolTest, ExitsNonZeroWithAMessageOnBadArguments) {
  const char* tool = std::getenv("VX_SAMPLE_DISC_TOOL");
  ASSERT_NE(tool, nullptr);
  vxtest::ChildProcess sampleDisc;
  ASSERT_TRUE(sampleDisc.Start(tool, {"--out", "x", "--size", "huge"}));
  ASSERT_TRUE(sampleDisc.WaitForExit());
  EXPECT_NE(sampleDisc.ExitCode(), 0);
  const std::string output = sampleDisc.Output();
  EXPECT_NE(output.find("huge"), std::string::npos) << output;
  EXPECT_NE(output.find("usage:"), std::string::npos) << output;
}

}  // namespace
}  // namespace vx::sampledisc
