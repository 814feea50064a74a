// Turning to a catalogue page as the cut-page view does, on the full-size sample disc: the page's
// circles read from the catalogue database, then the page composed from the low-resolution cut
// archive (caption, cuts with their space numbers, block titles, errata pictures). Every page of
// the event, three times over, in wall-clock time; for each page the median of its three turns.
//
// Yardstick, page by page in the same run: Qt decoding the same cuts (their bytes read beforehand)
// with QImage::loadFromData and drawing them with QPainter into a page of the same size.
// Reported: the worst page, the median and the mean of both, and the ratio. Goal: worst page
// under 20 ms.
//
//   build/bench/ComposePage_bench    (the disc and its database are made once in build/bench-data)
#include "bench/BenchTiming.h"
#include "bench/OffscreenBenchmarks.h"
#include "bench/PageCuts.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/DiscImportJob.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"

namespace {

namespace fs = std::filesystem;
using vxbench::Clock;
using vxbench::Median;
using vxbench::MillisecondsSince;

constexpr int kEvent = 96;
constexpr int kPasses = 3;
constexpr double kGoalWorstMs = 20.0;

class NoPrompts : public vx::ImportPrompts {
 public:
  std::optional<fs::path> LocateFile(const std::string&, const fs::path&) override {
    return std::nullopt;
  }
  void ShowError(const std::string&) override {}
};

// The full-size sample disc and its installed catalogue, made on first use and kept; the cut
// bytes of every page for the yardstick.
struct Catalogue {
  fs::path disc = fs::path(VX_BENCH_DATA) / "full-disc";
  std::unique_ptr<vx::PavorunDatabase> db;
  int firstPage = 0;
  int lastPage = 0;
  vxbench::PageCuts cuts;

  bool Load() {
    if (!fs::exists(disc / "V96DEF.TXT")) {
      fs::create_directories(disc.parent_path());
      const std::string command = std::string("'") + VX_SAMPLE_DISC_TOOL + "' --out '" +
                                  disc.string() + "' --size full --seed 1 > /dev/null";
      if (std::system(command.c_str()) != 0) return false;
    }
    db = std::make_unique<vx::PavorunDatabase>(disc.parent_path(), "compose.db",
                                               vx::SqliteDatabase::kReadWrite);
    if (!db->HasCircles(kEvent)) {
      NoPrompts prompts;
      if (vx::DiscImportJob(*db, kEvent, disc, prompts).Run() != vx::DiscImportJob::kResultDone) {
        return false;
      }
    }
    db->SelectEvent(kEvent);
    firstPage = db->GetFirstPage();
    lastPage = db->GetLastPage();
    return cuts.Read(*db, disc, firstPage, lastPage, false);
  }
};

Catalogue& TheCatalogue() {
  static Catalogue catalogue;
  static const bool loaded = catalogue.Load();
  if (!loaded) catalogue.cuts = {};
  return catalogue;
}

// The view's page change: the page's circles, then its picture.
QImage TurnTo(vx::CatalogImages& images, vx::PavorunDatabase& db, int page) {
  std::vector<vx::CircleRecord> records(36);
  db.SelectPageCircles(page, records);
  return images.GetPageImage(page, db, records, false);
}

struct PageTimes {
  double worst = 0, median = 0, mean = 0;
  int worstPage = 0;
};
PageTimes g_program, g_qt;

PageTimes Summarise(const std::vector<std::vector<double>>& perPage, int firstPage) {
  PageTimes t;
  std::vector<double> medians;
  for (std::size_t i = 0; i < perPage.size(); ++i) {
    medians.push_back(Median(perPage[i]));
    if (medians.back() > t.worst) {
      t.worst = medians.back();
      t.worstPage = firstPage + static_cast<int>(i);
    }
    t.mean += medians.back() / static_cast<double>(perPage.size());
  }
  t.median = Median(medians);
  return t;
}

void BM_TurnEveryPage(benchmark::State& state) {
  Catalogue& c = TheCatalogue();
  if (c.cuts.PageCount() == 0) return state.SkipWithError("the sample disc could not be made");
  vx::CatalogImages images;
  images.Open(c.disc, kEvent);
  TurnTo(images, *c.db, c.lastPage);  // the event's facts are read once, before the first page
  const std::size_t pages = c.cuts.PageCount();
  std::vector<std::vector<double>> program(pages), qt(pages);
  for (auto _ : state) {
    for (int pass = 0; pass < kPasses; ++pass) {
      for (std::size_t i = 0; i < pages; ++i) {
        Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(TurnTo(images, *c.db, c.firstPage + static_cast<int>(i)));
        program[i].push_back(MillisecondsSince(start));
        start = Clock::now();
        benchmark::DoNotOptimize(c.cuts.Draw(c.firstPage + static_cast<int>(i)));
        qt[i].push_back(MillisecondsSince(start));
      }
    }
  }
  g_program = Summarise(program, c.firstPage);
  g_qt = Summarise(qt, c.firstPage);
  state.counters["pages"] = static_cast<double>(pages);
  state.counters["worst_ms"] = g_program.worst;
  state.counters["worst_page"] = g_program.worstPage;
  state.counters["median_ms"] = g_program.median;
  state.counters["qt_worst_ms"] = g_qt.worst;
  state.counters["qt_median_ms"] = g_qt.median;
}
BENCHMARK(BM_TurnEveryPage)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QGuiApplication>(argc, argv, [] {
    std::printf(
        "pages turned, median %.1f ms, mean %.1f ms; Qt decoding and drawing the same "
        "cuts: worst %.1f ms, median %.1f ms, mean %.1f ms\n",
        g_program.median, g_program.mean, g_qt.worst, g_qt.median, g_qt.mean);
    vxbench::PrintGoalLine("worst page turned (page " + std::to_string(g_program.worstPage) +
                               ", median of " + std::to_string(kPasses) + " turns)",
                           g_program.worst, "Qt decoding and drawing its cuts", g_qt.worst,
                           "worst < 20 ms", g_program.worst > 0 && g_program.worst < kGoalWorstMs);
  });
}
