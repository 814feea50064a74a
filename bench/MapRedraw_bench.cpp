// Redrawing the hall map view after a change of zoom: the largest map of the full-size sample disc
// with its genre colouring at 50 % and every third circle of that map checked, in a 1024 x 768
// view, at 100 % and 300 %. A step is the zoom change and the repaint of the whole view.
//
// The baseline is the same picture in the image view's usual way, rendered whole at the zoom into
// a cache that painting then copies from. Goals: a median below 30 ms at 100 % and below 60 ms at
// 300 %; the view's peak memory growth at 300 % (map, layers and all it keeps) below 100 MB.
//
//   build/bench/MapRedraw_bench      (the disc is generated once into build/bench-data/)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImageReader>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "bench/FullSampleDisc.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "platform/ScriptedUiServices.h"
#include "tests/ui/views/ForwardingFrame.h"
#include "ui/map/HallMapPicture.h"
#include "ui/map/HallMapSlot.h"
#include "ui/map/HallMapView.h"

namespace {

using vxbench::kSampleEvent;

constexpr QSize kViewSize(1024, 768);
constexpr int kOpacity = 50;
constexpr double kGoalMs[] = {30, 60};  // 100 %, 300 %
constexpr double kGoalMb = 100;

vx::PavorunDatabase* Catalogue() { return vxbench::InstalledFullSample("map-redraw.db"); }

// The largest map picture's slot.
vx::HallMapSlot LargestMap(const vx::CatalogController& controller) {
  vx::HallMapSlot largest;
  qint64 largestArea = 0;
  for (const vx::HallMapSlot& slot : vx::ListHallMapSlots(controller)) {
    const QSize size = QImageReader(QString::fromStdString(slot.mapPath.string())).size();
    if (qint64{size.width()} * size.height() > largestArea) {
      largestArea = qint64{size.width()} * size.height();
      largest = slot;
    }
  }
  return largest;
}

// The usual image view over the same picture: the whole map at the zoom in its cache.
class WholeMapView : public vx::ZoomableImageView {
 public:
  explicit WholeMapView(const vx::HallMapPicture& picture) : picture_(picture) {}

 protected:
  bool HasImage() const override { return picture_.HasMap(); }
  QSize ImageSize() const override { return picture_.Size(); }
  void DrawImage(QPainter& painter, const QRectF& target) const override {
    picture_.Draw(painter, target);
  }

 private:
  const vx::HallMapPicture& picture_;
};

// A controller over the catalogue with the disc's maps; every third circle of the largest map
// checked, in colours 1 to 9.
struct Bench {
  Bench() {
    values.eventNumber = kSampleEvent;
    values.fvrColorNum = 9;
    std::snprintf(values.mdataFile, sizeof values.mdataFile, "MDATA/MAP%%1d%%s.PNG");
    std::snprintf(values.gdataFile, sizeof values.gdataFile, "MDATA/GNR%%1d%%s.PNG");
    controller.Init(Catalogue(), &images, &values);
    controller.SetImageFolder(vxbench::FullSampleDisc());
    largest = LargestMap(controller);
    CheckCircles();
  }
  ~Bench() { frame.view = nullptr; }

  void CheckCircles() {
    vx::PavorunDatabase& db = *Catalogue();
    int n = 0;
    for (const vx::LayoutDesk& desk : db.GetLayoutTable().Desks()) {
      if (desk.mapId != largest.mapId) continue;
      for (int half : {0, 1}) {
        const int id =
            db.GetCircleTable().FindIdBySpace(largest.day, desk.blockId, desk.spaceNo, half);
        if (id > 0 && n++ % 3 == 0) controller.SetCircleColor(n % 9 + 1, id);
      }
    }
  }

  // The hall map view on the largest map.
  void ShowMapView() {
    view = std::make_unique<vx::HallMapView>(controller);
    frame.view = view.get();
    controller.RegisterWindow(vx::kMapWindowId, &frame, "map");
    const int mapsPerDay = controller.GetMapCount();
    const int slot = (largest.day - 1) * mapsPerDay + largest.mapId - 1;
    view->SetMapSlotCount(controller.GetDayCount() * mapsPerDay);
    view->SetMapFiles(slot, largest.mapPath, largest.genrePath);
    view->SetGenreOpacity(kOpacity);
    view->SelectMap(slot);
    Show(*view);
  }

  // The usual way, over a picture with the same layers.
  void ShowWholeMapView() {
    picture.LoadMap(largest.mapPath);
    picture.LoadGenre(largest.genrePath, kOpacity);
    picture.ResetCheckLayer();
    wholeView = std::make_unique<WholeMapView>(picture);
    Show(*wholeView);
  }

  static void Show(vx::ZoomableImageView& shown) {
    shown.resize(kViewSize);
    shown.show();
    QApplication::processEvents();
  }

  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vxtest::ForwardingFrame frame;
  vx::CatalogController controller{nullptr, {&ui, nullptr, nullptr, nullptr, nullptr}};
  vx::HallMapSlot largest;
  std::unique_ptr<vx::HallMapView> view;
  vx::HallMapPicture picture;
  std::unique_ptr<WholeMapView> wholeView;
};

// --- Memory ----------------------------------------------------------------------------------------

long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return 0;
}

// The peak resident size starts again from the present one.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// --- Measuring ---------------------------------------------------------------------------------

struct Figures {
  double medianMs = 0;
  double peakGrowthMb = 0;
};
std::map<std::pair<std::string, int>, Figures> g_figures;

bool Ready(benchmark::State& state) {
  if (Catalogue()) return true;
  state.SkipWithError("the sample disc could not be generated or installed");
  return false;
}

// Showing the view at the zoom, then the timed steps: each changes the zoom away and back and
// times the change back with the repaint.
template <class MakeView>
void Measure(benchmark::State& state, const char* name, MakeView makeView) {
  if (!Ready(state)) return;
  const int zoom = static_cast<int>(state.range(0));
  Bench bench;
  ResetPeak();
  const long before = StatusKb("VmRSS");
  vx::ZoomableImageView& view = makeView(bench);
  view.SetZoom(zoom);
  view.ScrollTo({view.ZoomedSize().width() / 3, view.ZoomedSize().height() / 3});
  view.viewport()->repaint();
  const double growthMb = (StatusKb("VmHWM") - before) / 1024.0;
  std::vector<double> samples;
  for (auto _ : state) {
    view.SetZoom(zoom - 25);
    view.viewport()->repaint();
    const auto start = vxbench::Clock::now();
    view.SetZoom(zoom);
    view.viewport()->repaint();
    const double ms = vxbench::MillisecondsSince(start);
    state.SetIterationTime(ms / 1000);
    samples.push_back(ms);
  }
  const Figures figures{vxbench::Median(samples), growthMb};
  g_figures[{name, zoom}] = figures;
  state.counters["median_ms"] = figures.medianMs;
  state.counters["peak_growth_mb"] = figures.peakGrowthMb;
  state.counters["zoomed_w"] = view.ZoomedSize().width();
}

void BM_WholeMapCache(benchmark::State& state) {
  Measure(state, "whole", [](Bench& b) -> vx::ZoomableImageView& {
    b.ShowWholeMapView();
    return *b.wholeView;
  });
}

void BM_HallMapView(benchmark::State& state) {
  Measure(state, "view", [](Bench& b) -> vx::ZoomableImageView& {
    b.ShowMapView();
    return *b.view;
  });
}

void BothZooms(benchmark::internal::Benchmark* b) {
  b->ArgName("zoom")->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->UseManualTime();
}

// The baseline first, so that the last lines can give the ratios.
BENCHMARK(BM_WholeMapCache)->Apply(BothZooms)->Iterations(20);
BENCHMARK(BM_HallMapView)->Apply(BothZooms)->Iterations(20);

void PrintSummary() {
  for (int i = 0; i < 2; ++i) {
    const int zoom = i == 0 ? 100 : 300;
    const Figures view = g_figures[{"view", zoom}], whole = g_figures[{"whole", zoom}];
    char what[80], goal[40];
    std::snprintf(what, sizeof what, "map redraw after a zoom change at %d %%", zoom);
    std::snprintf(goal, sizeof goal, "median < %.0f ms", kGoalMs[i]);
    vxbench::PrintGoalLine(what, view.medianMs, "the whole map cached at the zoom",
                           whole.medianMs, goal, view.medianMs < kGoalMs[i]);
  }
  const Figures view = g_figures[{"view", 300}], whole = g_figures[{"whole", 300}];
  std::printf(
      "map view peak memory growth at 300 %%: %.1f MB, the whole map cached at the zoom %.1f MB, "
      "ratio %.2f; goal < %.0f MB: %s\n",
      view.peakGrowthMb, whole.peakGrowthMb,
      whole.peakGrowthMb > 0 ? view.peakGrowthMb / whole.peakGrowthMb : 0.0, kGoalMb,
      view.peakGrowthMb < kGoalMb ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QApplication>(argc, argv, [] {
    PrintSummary();
  });
}
