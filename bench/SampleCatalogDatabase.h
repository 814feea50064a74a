// The full-size sample event (about 33,000 circles, from the sample disc generator's model) written
// straight into a scrambled database, in a temporary folder of its own that goes with the object.
#pragma once

#include "data/CircleRecord.h"
#include "data/PavorunDatabase.h"
#include "tools/sample-disc/CatalogBuilder.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace vxbench {

class SampleCatalogDatabase {
 public:
  SampleCatalogDatabase()
      : folder_(MakeFolder()), db_(std::make_unique<vx::PavorunDatabase>(folder_)) {
    if (!db_->IsOpen()) throw std::runtime_error("cannot open " + folder_.string());
    vx::sampledisc::SampleOptions options;
    options.size = vx::sampledisc::CatalogSize::kFull;
    sample_ = vx::sampledisc::BuildCatalog(options);
    Install();
  }
  ~SampleCatalogDatabase() {
    db_.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  SampleCatalogDatabase(const SampleCatalogDatabase&) = delete;
  SampleCatalogDatabase& operator=(const SampleCatalogDatabase&) = delete;

  vx::PavorunDatabase& Database() { return *db_; }
  const vx::sampledisc::Catalog& Sample() const { return sample_; }
  // Where the database lies; other files of a benchmark may go there too.
  const std::filesystem::path& Folder() const { return folder_; }

 private:
  static std::filesystem::path MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vx-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
  }

  static vx::CircleRecord ToRecord(const vx::sampledisc::Circle& c) {
    vx::CircleRecord r;
    r.id = c.id;
    r.pageNo = c.pageNo;
    r.cutIndex = c.cutIndex;
    r.day = c.day;
    r.blockId = c.blockId;
    r.spaceNo = c.spaceNo;
    r.spaceNoSub = c.spaceNoSub;
    r.genreId = c.genreId;
    r.circleName = c.name;
    r.circleKana = c.kana;
    r.penName = c.penName;
    r.bookName = c.bookName;
    r.url = c.url;
    r.mailAddr = c.mail;
    r.description = c.description;
    r.updateId = c.updateId;
    r.updateData = c.updateData;
    r.orbalink = c.orbalink;
    r.rss = c.rss;
    r.twitter = c.twitter;
    r.pixiv = c.pixiv;
    return r;
  }

  void Check(int rc) {
    if (rc != 0) throw std::runtime_error("building the catalogue failed: " + db_->LastError());
  }

  void Install() {
    db_->SetEventNo(sample_.event);
    Check(db_->ClearEventTables());
    Check(db_->BeginTransaction());
    for (const vx::sampledisc::EventDay& d : sample_.days) {
      Check(db_->GetDateMaster().InsertRow(d.id, d.year, d.month, d.day, d.weekday));
    }
    for (const vx::sampledisc::Genre& g : sample_.genres) {
      Check(db_->GetGenreMaster().InsertRow(g.id, g.name, g.code));
    }
    for (const vx::sampledisc::Block& b : sample_.blocks) {
      Check(db_->GetBlockMaster().InsertRow(b.id, b.name, b.areaId));
    }
    for (const vx::sampledisc::Circle& c : sample_.circles) {
      Check(db_->GetCircleTable().InsertRow(ToRecord(c)));
    }
    Check(db_->Commit());
    db_->SelectEvent(sample_.event);
  }

  std::filesystem::path folder_;
  std::unique_ptr<vx::PavorunDatabase> db_;
  vx::sampledisc::Catalog sample_;
};

}  // namespace vxbench
