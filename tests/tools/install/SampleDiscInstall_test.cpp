// The generated sample discs installed with the tool and compared with the generator's own model.
#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/support/TempDir.h"
#include "tools/install/InstallCommand.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/SampleDiscWriter.h"
#include "tools/sample-disc/UpdateFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace vx::sampledisc {
namespace {

namespace fs = std::filesystem;
using vxtest::CountRows;
using vxtest::QueryTexts;

constexpr int kEvent = 96;

// The options the sample_disc fixture generates $VX_SAMPLE_DISC with.
SampleOptions FixtureOptions() {
  SampleOptions options;
  options.size = CatalogSize::kSmall;
  options.seed = 1;
  return options;
}

fs::path FixtureDisc() {
  const char* disc = std::getenv("VX_SAMPLE_DISC");
  return disc != nullptr ? fs::path(disc) : fs::path();
}

void Install(const fs::path& disc, const fs::path& file) {
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(vx::install::RunInstall({disc.string(), file.string()}, out, err), 0) << err.str();
}

std::string CircleText(const Circle& c) {
  return std::to_string(c.id) + "|" + std::to_string(c.updateId) + "|" +
         std::to_string(c.pageNo) + "|" + std::to_string(c.cutIndex) + "|" +
         std::to_string(c.day) + "|" + std::to_string(c.blockId) + "|" +
         std::to_string(c.spaceNo) + "|" + std::to_string(c.spaceNoSub) + "|" +
         std::to_string(c.genreId) + "|" + c.name + "|" + c.kana + "|" + c.penName + "|" +
         c.description + "|" + c.updateData + "|" + c.rss + "|" + c.pixiv;
}

constexpr const char* kCircleColumns =
    "select id,updateId,pageNo,cutIndex,day,blockId,spaceNo,spaceNoSub,genreId,circleName,"
    "circleKana,penName,description,updateData,rss,pixiv from PavorunCircle where pavorunNo=96 "
    "order by id;";

// Rows of every table against the model; `withEmptyName` false for a disc whose single circle
// file leaves the nameless circle out.
void ExpectCatalog(vx::PavorunDatabase& db, const Catalog& catalog, bool withEmptyName) {
  std::vector<std::string> circles;
  for (const Circle& c : catalog.circles) {
    if (withEmptyName || !c.name.empty()) circles.push_back(CircleText(c));
  }
  const std::vector<int> expectedCounts = {
      1,
      static_cast<int>(catalog.days.size()),
      static_cast<int>(catalog.maps.size()),
      static_cast<int>(catalog.areas.size()),
      static_cast<int>(catalog.blocks.size()),
      static_cast<int>(catalog.genres.size()),
      static_cast<int>(catalog.errata.size()),
      static_cast<int>(catalog.desks.size()),
      static_cast<int>(circles.size())};
  std::vector<int> counts;
  for (const char* table : {"PavorunInfo", "PavorunDate", "PavorunMap", "PavorunArea",
                            "PavorunBlock", "PavorunGenre", "PavorunJiko", "PavorunLayout",
                            "PavorunCircle"}) {
    counts.push_back(CountRows(db, table, kEvent));
  }
  EXPECT_EQ(counts, expectedCounts);
  EXPECT_EQ(QueryTexts(db, kCircleColumns), circles);

  std::vector<std::string> desks;
  for (const Desk& d : catalog.desks) {
    desks.push_back(std::to_string(d.blockId) + "|" + std::to_string(d.spaceNo) + "|" +
                    std::to_string(d.x) + "|" + std::to_string(d.y) + "|" +
                    std::to_string(d.layout) + "|" + std::to_string(d.mapId));
  }
  std::sort(desks.begin(), desks.end());
  std::vector<std::string> layout = QueryTexts(
      db, "select blockId,spaceNo,xpos,ypos,layout,mapId from PavorunLayout where pavorunNo=96;");
  std::sort(layout.begin(), layout.end());
  EXPECT_EQ(layout, desks);

  std::vector<std::string> errata;
  for (const Errata& e : catalog.errata) {
    errata.push_back(std::to_string(e.day) + "|" + std::to_string(e.blockId) + "|" +
                     std::to_string(e.spaceNo) + "|" + std::to_string(e.spaceNoSub) + "|" +
                     std::to_string(e.jikoNo));
  }
  std::sort(errata.begin(), errata.end());
  std::vector<std::string> jiko = QueryTexts(
      db, "select day,blockId,spaceNo,spaceNoSub,jikoNo from PavorunJiko where pavorunNo=96;");
  std::sort(jiko.begin(), jiko.end());
  EXPECT_EQ(jiko, errata);
}

TEST(SampleDiscInstall, FixtureDiscHoldsExactlyTheGeneratorsCatalogue) {
  ASSERT_FALSE(FixtureDisc().empty()) << "VX_SAMPLE_DISC is not set";
  vxtest::TempDir dir;
  Install(FixtureDisc(), dir / "vindaxel96.db");
  vx::PavorunDatabase db(dir.path());
  ExpectCatalog(db, BuildCatalog(FixtureOptions()), true);
  db.SelectEvent(kEvent);
  const Catalog catalog = BuildCatalog(FixtureOptions());
  EXPECT_EQ(db.GetEventInfo().pavorunName, catalog.eventName);
  EXPECT_EQ(db.GetDateCount(), static_cast<int>(catalog.days.size()));
}

TEST(SampleDiscInstall, OtherDiscFormsGiveTheSameCatalogue) {
  vxtest::TempDir dir;
  struct Form {
    RomForm rom;
    DiscLayout layout;
  };
  for (const Form form : {Form{RomForm::kSingle, DiscLayout::kLower},
                          Form{RomForm::kDays, DiscLayout::kSubdir}}) {
    SampleOptions options = FixtureOptions();
    options.seed = 5;
    options.rom = form.rom;
    options.layout = form.layout;
    options.outDir = dir / ("disc" + std::to_string(static_cast<int>(form.layout)));
    DiscSummary summary;
    std::string error;
    ASSERT_TRUE(WriteSampleDisc(options, summary, error)) << error;
    const fs::path file = options.outDir.string() + ".db";
    Install(options.outDir, file);
    vx::PavorunDatabase db(file.parent_path(), file.filename().string(),
                           vx::SqliteDatabase::kReadWrite);
    SCOPED_TRACE(options.outDir.string());
    ExpectCatalog(db, BuildCatalog(options), form.rom == RomForm::kDays);
  }
}

TEST(SampleDiscInstall, SampleUpdateChangesAndAddsTheGeneratorsCircles) {
  ASSERT_FALSE(FixtureDisc().empty()) << "VX_SAMPLE_DISC is not set";
  vxtest::TempDir dir;
  Install(FixtureDisc(), dir / "vindaxel96.db");
  const Catalog catalog = BuildCatalog(FixtureOptions());
  const UpdatePlan plan = PlanUpdate(catalog, FixtureOptions().seed);
  vxtest::WriteFileBytes(dir / "UPDATE.TXT", UpdateFileText(catalog, plan));

  vx::PavorunDatabase db(dir.path());
  db.SelectEvent(kEvent);
  ASSERT_EQ(db.BeginTransaction(), 0);
  const vx::FileHandle file = vx::OpenFileForReading(dir / "UPDATE.TXT");
  const vx::ImportStatus status = db.ApplyUpdateFile(file.get(), nullptr);
  ASSERT_FALSE(status.Failed()) << status.message;
  ASSERT_EQ(db.Commit(), 0);

  for (const Circle& c : plan.changed) {
    EXPECT_EQ(QueryTexts(db, "select penName,bookName,url,mailAddr,updateData,orbalink,rss,"
                             "twitter,pixiv,updateFlag,circleName from PavorunCircle where "
                             "pavorunNo=96 and id=" + std::to_string(c.id) + ";"),
              std::vector<std::string>{c.penName + "|" + c.bookName + "|" + c.url + "|" +
                                       c.mail + "|" + c.updateData + "|" + c.orbalink + "|" +
                                       c.rss + "|" + c.twitter + "|" + c.pixiv + "|1|" + c.name});
  }
  const int lastId = static_cast<int>(catalog.circles.size());
  std::vector<std::string> added;
  for (std::size_t i = 0; i < plan.added.size(); ++i) {
    added.push_back(std::to_string(lastId + 1 + static_cast<int>(i)) + "|" +
                    std::to_string(plan.added[i].updateId) + "|0|0|" + plan.added[i].name);
  }
  EXPECT_EQ(QueryTexts(db, "select id,updateId,day,updateFlag,circleName from PavorunCircle "
                           "where pavorunNo=96 and id>" + std::to_string(lastId) +
                           " order by id;"),
            added);
}

TEST(SampleDiscInstall, ReadmeInstallCommandSucceedsOnTheSampleDisc) {
  ASSERT_FALSE(FixtureDisc().empty()) << "VX_SAMPLE_DISC is not set";
  const char* tool = std::getenv("VX_INSTALL_TOOL");
  ASSERT_NE(tool, nullptr);
  vxtest::TempDir dir;
  const std::string command = std::string("'") + tool + "' '" + FixtureDisc().string() + "' '" +
                              (dir / "vindaxel96.db").string() + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  EXPECT_EQ(status, 0) << output;
  EXPECT_EQ(output.rfind("event 96 ", 0), 0u) << output;
  EXPECT_NE(output.find("PavorunCircle"), std::string::npos) << output;
}

}  // namespace
}  // namespace vx::sampledisc
