// The full-size sample disc (about 33,000 circles, generator seed 1) for the benchmarks that read
// it: generated once into build/bench-data/ and kept for later runs, and installed with the
// program's import job. The including benchmark defines VX_SAMPLE_DISC_TOOL and VX_BENCH_DATA.
#pragma once

#include "data/DiscImportJob.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vxbench {

namespace fs = std::filesystem;

inline constexpr int kSampleEvent = 96;

inline const fs::path& BenchDataFolder() {
  static const fs::path folder = VX_BENCH_DATA;
  return folder;
}

// The disc folder; empty when it could not be generated.
inline const fs::path& FullSampleDisc() {
  static const fs::path disc = [] {
    const fs::path out = BenchDataFolder() / "full-disc";
    if (!fs::exists(out / "V96DEF.TXT")) {
      fs::create_directories(BenchDataFolder());
      const std::string command = std::string("'") + VX_SAMPLE_DISC_TOOL + "' --out '" +
                                  out.string() + "' --size full --seed 1 > /dev/null";
      if (std::system(command.c_str()) != 0) return fs::path();
    }
    return out;
  }();
  return disc;
}

// Nobody to ask: a missing file fails the install.
class NoPrompts : public vx::ImportPrompts {
 public:
  std::optional<fs::path> LocateFile(const std::string&, const fs::path&) override {
    return std::nullopt;
  }
  void ShowError(const std::string&) override {}
};

// Installs the disc into a fresh file with the import job; the job's result.
inline int InstallFullSampleDisc(const fs::path& file) {
  fs::remove(file);
  vx::PavorunDatabase db(file.parent_path(), file.filename().string(),
                         vx::SqliteDatabase::kReadWrite);
  NoPrompts prompts;
  vx::DiscImportJob job(db, kSampleEvent, FullSampleDisc(), prompts);
  return job.Run();
}

// The disc installed once per run (into the file the first call names, in the bench data folder),
// opened with the sample event selected; null when the disc could not be generated or installed.
inline vx::PavorunDatabase* InstalledFullSample(const std::string& fileName) {
  static std::unique_ptr<vx::PavorunDatabase> db = [&fileName] {
    const fs::path file = BenchDataFolder() / fileName;
    std::unique_ptr<vx::PavorunDatabase> opened;
    if (FullSampleDisc().empty() || InstallFullSampleDisc(file) != vx::DiscImportJob::kResultDone) {
      return opened;
    }
    opened = std::make_unique<vx::PavorunDatabase>(file.parent_path(), file.filename().string(),
                                                   vx::SqliteDatabase::kReadWrite);
    opened->SelectEvent(kSampleEvent);
    return opened;
  }();
  return db.get();
}

// Rows of the sample event in each of the nine tables of the file (plain or scrambled).
inline std::vector<int> EventRowCounts(const fs::path& file) {
  vx::SqliteDatabase db(file.parent_path(), file.filename().string(),
                        vx::SqliteDatabase::kReadOnly);
  std::vector<int> counts;
  for (const char* table :
       {"PavorunInfo", "PavorunDate", "PavorunMap", "PavorunArea", "PavorunBlock", "PavorunGenre",
        "PavorunJiko", "PavorunLayout", "PavorunCircle"}) {
    int count = -1;
    db.ExecPrintf(vx::RowFirstColumnInt, &count, "select count(*) from %s where pavorunNo=%d;",
                  table, kSampleEvent);
    counts.push_back(count);
  }
  return counts;
}

}  // namespace vxbench
