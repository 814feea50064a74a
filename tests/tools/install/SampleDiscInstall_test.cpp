// The generated sample discs installed with the tool and compared with the generator's own model.
#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "tools/install/InstallCommand.h"
#include "tools/sample-disc/CatalogBuilder.h"
#include "tools/sample-disc/SampleDiscWriter.h"
#include "tools/sample-disc/UpdateFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace vx::sampledisc {
namespace {

namespace fs = std::filesystem;

std::string N(int value) { return std::to_string(value); }

template <typename... Parts>
std::string Row(const Parts&... parts) {
  std::string row;
  ((row += (row.empty() ? "" : "|") + std::string(parts)), ...);
  return row;
}

std::vector<std::string> Query(vx::PavorunDatabase& db, const std::string& sql,
                               bool sorted = false) {
  std::vector<std::string> rows = vxtest::QueryTexts(db, sql);
  if (sorted) std::sort(rows.begin(), rows.end());
  return rows;
}

// Rows of every table against the model; `withEmptyName` false for a disc whose single circle
// file leaves the nameless circle out.
void ExpectCatalog(vx::PavorunDatabase& db, const Catalog& catalog, bool withEmptyName) {
  std::vector<std::string> circles, desks, errata;
  for (const Circle& c : catalog.circles) {
    if (!withEmptyName && c.name.empty()) continue;
    circles.push_back(Row(N(c.id), N(c.updateId), N(c.pageNo), N(c.cutIndex), N(c.day),
                          N(c.blockId), N(c.spaceNo), N(c.spaceNoSub), N(c.genreId), c.name, c.kana,
                          c.penName, c.description, c.updateData, c.rss, c.pixiv));
  }
  for (const Desk& d : catalog.desks) {
    desks.push_back(Row(N(d.blockId), N(d.spaceNo), N(d.x), N(d.y), N(d.layout), N(d.mapId)));
  }
  for (const Errata& e : catalog.errata) {
    errata.push_back(Row(N(e.day), N(e.blockId), N(e.spaceNo), N(e.spaceNoSub), N(e.jikoNo)));
  }
  std::sort(desks.begin(), desks.end());
  std::sort(errata.begin(), errata.end());
  std::vector<std::size_t> counts;
  for (const char* table : {"PavorunInfo", "PavorunDate", "PavorunMap", "PavorunArea",
                            "PavorunBlock", "PavorunGenre"}) {
    counts.push_back(static_cast<std::size_t>(vxtest::CountRows(db, table, 96)));
  }
  EXPECT_EQ(counts, (std::vector<std::size_t>{1, catalog.days.size(), catalog.maps.size(),
                                              catalog.areas.size(), catalog.blocks.size(),
                                              catalog.genres.size()}));
  EXPECT_EQ(
      Query(db,
            "select id,updateId,pageNo,cutIndex,day,blockId,spaceNo,spaceNoSub,genreId,circleName,"
            "circleKana,penName,description,updateData,rss,pixiv from PavorunCircle where "
            "pavorunNo=96 "
            "order by id;"),
      circles);
  EXPECT_EQ(
      Query(db,
            "select blockId,spaceNo,xpos,ypos,layout,mapId from PavorunLayout where pavorunNo=96;",
            true),
      desks);
  EXPECT_EQ(
      Query(db, "select day,blockId,spaceNo,spaceNoSub,jikoNo from PavorunJiko where pavorunNo=96;",
            true),
      errata);
}

TEST(SampleDiscInstall, ReadmeCommandInstallsTheGeneratorsCatalogueAndItsUpdateApplies) {
  const char* disc = std::getenv("VX_SAMPLE_DISC");
  const char* tool = std::getenv("VX_INSTALL_TOOL");
  ASSERT_TRUE(disc != nullptr && tool != nullptr) << "VX_SAMPLE_DISC or VX_INSTALL_TOOL is not set";
  vxtest::TempDir dir;
  vxtest::ChildProcess install;
  ASSERT_TRUE(install.Start(tool, {disc, (dir / "vindaxel96.db").string()}));
  ASSERT_TRUE(install.WaitForExit());
  const std::string output = install.Output();
  ASSERT_EQ(install.ExitCode(), 0) << output;
  EXPECT_TRUE(output.starts_with("event 96 ")) << output;
  EXPECT_NE(output.find("PavorunCircle"), std::string::npos) << output;

  vx::PavorunDatabase db(dir.Path());
  const Catalog catalog = BuildCatalog(SampleOptions{});
  ExpectCatalog(db, catalog, true);
  db.SelectEvent(96);
  EXPECT_EQ(db.GetEventInfo().pavorunName, catalog.eventName);

  const UpdatePlan plan = PlanUpdate(catalog, 1);
  vxtest::WriteFileBytes(dir / "UPDATE.TXT", UpdateFileText(catalog, plan));
  ASSERT_EQ(db.BeginTransaction(), 0);
  const vx::ImportStatus status =
      db.ApplyUpdateFile(vx::OpenFileForReading(dir / "UPDATE.TXT").get(), nullptr);
  ASSERT_FALSE(status.Failed()) << status.message;
  ASSERT_EQ(db.Commit(), 0);
  for (const Circle& c : plan.changed) {
    EXPECT_EQ(
        Query(
            db,
            "select penName,bookName,url,mailAddr,updateData,orbalink,rss,twitter,pixiv,updateFlag,"
            "circleName from PavorunCircle where pavorunNo=96 and id=" +
                N(c.id) + ";"),
        std::vector<std::string>{Row(c.penName, c.bookName, c.url, c.mail, c.updateData, c.orbalink,
                                     c.rss, c.twitter, c.pixiv, "1", c.name)});
  }
  const int lastId = static_cast<int>(catalog.circles.size());
  std::vector<std::string> added;
  for (std::size_t i = 0; i < plan.added.size(); ++i) {
    added.push_back(Row(N(lastId + 1 + static_cast<int>(i)), N(plan.added[i].updateId), "0", "0",
                        plan.added[i].name));
  }
  EXPECT_EQ(Query(db,
                  "select id,updateId,day,updateFlag,circleName from PavorunCircle where "
                  "pavorunNo=96 and id>" +
                      N(lastId) + " order by id;"),
            added);
}

TEST(SampleDiscInstall, LowerCaseDiscWithOneCircleFileGivesTheSameCatalogue) {
  vxtest::TempDir dir;
  SampleOptions options;
  options.seed = 5;
  options.rom = RomForm::kSingle;
  options.layout = DiscLayout::kLower;
  options.outDir = dir / "disc";
  DiscSummary summary;
  std::string error;
  ASSERT_TRUE(WriteSampleDisc(options, summary, error)) << error;
  std::ostringstream out, err;
  ASSERT_EQ(vx::install::RunInstall({options.outDir.string(), (dir / "c.db").string()}, out, err),
            0)
      << err.str();
  vx::PavorunDatabase db(dir.Path(), "c.db", vx::SqliteDatabase::kReadWrite);
  ExpectCatalog(db, BuildCatalog(options), false);
}

}  // namespace
}  // namespace vx::sampledisc
