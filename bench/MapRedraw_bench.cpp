// The hall map view over the largest map of the full-size sample disc, its genre colouring at
// 50 %, every third circle of the map checked and the current circle's cross-hair, in a 1024 x 768
// view on the offscreen platform:
//   - a zoom change to 100 % and to 300 % with the repaint of the whole view;
//   - choosing the map: its pictures read, its checks laid on and the view painted.
// Yardstick, step by step in the same run: a minimal QPainter widget of the view's size that draws
// the same picture on every paint: the map, the genre picture faded once at load, one filled
// rectangle per checked half-space ANDed onto them and the cross-hair's two lines, at the same zoom
// and scroll. Choosing the map, it decodes both PNG files with QImage and fades the genre picture.
// Its picture is compared with the view's before the timing; a different one stops the benchmark.
// Every figure is the median of its iterations.
//
//   build/bench/MapRedraw_bench      (the disc is generated once into build/bench-data/)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "bench/BenchTiming.h"
#include "bench/FullSampleDisc.h"
#include "bench/OffscreenBenchmarks.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "data/images/CutDrawing.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/ui/views/ForwardingFrame.h"
#include "ui/map/HalfSpaceTable.h"
#include "ui/map/HallMapPicture.h"
#include "ui/map/HallMapSlot.h"
#include "ui/map/HallMapView.h"

namespace {

using vxbench::kSampleEvent;
using vxbench::Median;

constexpr QSize kViewSize(1024, 768);
constexpr int kOpacity = 50;
// A held zoom key repeats about 30 times a second: each redraw keeps up with it.
constexpr double kZoomGoalMs = 33;
// A chosen hall appears within 0.1 s, the limit of an answer that feels immediate.
constexpr double kChooseGoalMs = 100;
// A third of the 300 MB the whole program may take with a full checklist loaded.
constexpr double kGoalMb = 100;
// Share of pixels the two pictures may differ in: the view scales its check layer smoothly at
// 300 %, the yardstick fills its rectangles with hard edges.
constexpr double kMaxDifferingShare = 0.05;

// Light check colours (0x00BBGGRR) as users pick them, so that the map shows through.
constexpr std::uint32_t kCheckColors[9] = {0x8080FF, 0x80C0FF, 0x80FFFF, 0x80FF80, 0xFFFF80,
                                           0xFF8080, 0xFF80FF, 0xC0C0C0, 0x4080FF};

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

using Fill = std::pair<QRect, QColor>;

// What a plain Qt program would do to show the same map: decode the pictures with QImage, fade
// the genre picture once, and draw everything at the zoom on each paint.
class MinimalMapWidget : public QWidget {
 public:
  void Load(const QString& mapPath, const QString& genrePath, int opacity) {
    map_ = QImage(mapPath).convertToFormat(QImage::Format_RGB32);
    const QImage genre(genrePath);
    genre_ = QImage(genre.size(), QImage::Format_RGB32);
    genre_.fill(Qt::white);
    QPainter fade(&genre_);
    fade.setOpacity(opacity / 100.0);
    fade.drawImage(0, 0, genre);
  }
  void SetMarks(std::vector<Fill> fills, QPoint crossHair, QColor background) {
    fills_ = std::move(fills);
    crossHair_ = crossHair;
    background_ = background;
  }
  void SetZoom(int zoom, QPoint scroll) {
    zoom_ = zoom;
    scroll_ = scroll;
  }
  bool HasMap() const { return !map_.isNull() && !genre_.isNull(); }
  std::size_t FillCount() const { return fills_.size(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.save();
    painter.translate(-scroll_);
    painter.scale(zoom_ / 100.0, zoom_ / 100.0);
    painter.fillRect(map_.rect(), Qt::white);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ != 100);
    painter.drawImage(0, 0, map_);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(0, 0, genre_);
    for (const auto& [rect, color] : fills_) painter.fillRect(rect, color);
    painter.restore();
    const int x = crossHair_.x() * zoom_ / 100 - scroll_.x();
    const int y = crossHair_.y() * zoom_ / 100 - scroll_.y();
    painter.fillRect(x, 0, 1, height(), QColor::fromRgb(vx::HallMapView::kCrossHairColor));
    painter.fillRect(0, y, width(), 1, QColor::fromRgb(vx::HallMapView::kCrossHairColor));
  }

 private:
  QImage map_;
  QImage genre_;
  std::vector<Fill> fills_;
  QPoint crossHair_;
  QColor background_;
  QPoint scroll_;
  int zoom_ = 100;
};

// A controller over the catalogue with the disc's maps, every third circle of the largest map
// checked in colours 1 to 9, the hall map view on that map and the minimal widget beside it.
struct Bench {
  Bench() {
    values.eventNumber = kSampleEvent;
    values.fvrColorNum = 9;
    std::snprintf(values.mdataFile, sizeof values.mdataFile, "MDATA/MAP%%1d%%s.PNG");
    std::snprintf(values.gdataFile, sizeof values.gdataFile, "MDATA/GNR%%1d%%s.PNG");
    controller.Init(Catalogue(), &images, &values);
    controller.SetImageFolder(vxbench::FullSampleDisc());
    for (int i = 0; i < 9; ++i) {
      controller.SetColorDef(vx::CatalogController::kChecklistColor, i, kCheckColors[i],
                             kCheckColors[i], "");
    }
    largest = LargestMap(controller);
    CheckCircles();
  }
  ~Bench() { frame.view = nullptr; }

  QString MapPath() const { return QString::fromStdString(largest.mapPath.string()); }
  QString GenrePath() const { return QString::fromStdString(largest.genrePath.string()); }

  void CheckCircles() {
    vx::PavorunDatabase& db = *Catalogue();
    int n = 0;
    for (const vx::LayoutDesk& desk : db.GetLayoutTable().Desks()) {
      if (desk.mapId != largest.mapId) continue;
      for (int half : {0, 1}) {
        const int id =
            db.GetCircleTable().FindIdBySpace(largest.day, desk.blockId, desk.spaceNo, half);
        if (id > 0 && n++ % 3 == 0) {
          controller.SetCircleColor(n % 9 + 1, id);
          checked.push_back(id);
        }
      }
    }
  }

  // The checked half-spaces on the map in their check colours, for the yardstick.
  std::vector<Fill> Fills() const {
    const vx::HalfSpaceTable halves(controller.GetMapDeskWidth(), controller.GetMapDeskHeight());
    std::vector<Fill> fills;
    for (const int id : checked) {
      vx::CircleRecord r;
      if (!controller.GetCircle(id, &r)) continue;
      const QRect half = halves.HalfAt(
          {controller.GetSpaceX(r.blockId, r.spaceNo), controller.GetSpaceY(r.blockId, r.spaceNo)},
          controller.GetSpaceLayout(r.blockId, r.spaceNo), r.spaceNoSub);
      const std::uint32_t color = controller.GetColorValue(controller.GetCircleColor(id) - 1,
                                                           vx::CatalogController::kChecklistColor);
      if (!half.isNull()) fills.emplace_back(half, vx::ColorFromColorRef(color));
    }
    return fills;
  }

  int Slot() const { return (largest.day - 1) * controller.GetMapCount() + largest.mapId - 1; }

  // The view on the largest map, a circle in the middle of the checked ones current.
  void ShowMapView() {
    view = std::make_unique<vx::HallMapView>(controller);
    frame.view = view.get();
    controller.RegisterWindow(vx::kMapWindowId, &frame, "map");
    view->SetMapSlotCount(controller.GetDayCount() * controller.GetMapCount());
    view->SetMapFiles(Slot(), largest.mapPath, largest.genrePath);
    view->SetGenreOpacity(kOpacity);
    view->SelectMap(Slot());
    view->resize(kViewSize);
    view->show();
    if (!checked.empty()) controller.SelectCircle(checked[checked.size() / 2], false);
    QApplication::processEvents();
  }

  // The widget with the view's pictures, marks and size.
  void ShowMinimal() {
    minimal.Load(MapPath(), GenrePath(), kOpacity);
    minimal.SetMarks(Fills(), view->CrossHair(), view->WorkspaceColor());
    minimal.resize(view->viewport()->size());
    minimal.show();
    QApplication::processEvents();
  }

  // The view at the zoom and repainted; then the widget at the same zoom and scroll.
  void ZoomView(int zoom) {
    view->SetZoom(zoom);
    view->viewport()->repaint();
  }
  void ZoomMinimal(int zoom) {
    // As large as the view's viewport, which loses room to a scroll bar at some zooms.
    if (minimal.size() != view->viewport()->size()) minimal.resize(view->viewport()->size());
    minimal.SetZoom(zoom, view->ScrollPosition());
    minimal.repaint();
  }

  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vxtest::ForwardingFrame frame;
  vx::CatalogController controller{nullptr, {&ui, nullptr, nullptr, nullptr, nullptr}};
  vx::HallMapSlot largest;
  std::vector<int> checked;
  std::unique_ptr<vx::HallMapView> view;
  MinimalMapWidget minimal;
};

// --- Memory ----------------------------------------------------------------------------------

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

// Peak growth in MB while `work` runs.
template <class Work>
double PeakGrowthMb(Work work) {
  ResetPeak();
  const long before = StatusKb("VmRSS");
  work();
  return (StatusKb("VmHWM") - before) / 1024.0;
}

// --- Measuring ---------------------------------------------------------------------------------

struct Figures {
  std::vector<double> view, minimal;
  double viewGrowthMb = 0, minimalGrowthMb = 0;
};
std::map<std::string, Figures> g_figures;

template <class Step>
void Time(std::vector<double>& samples, Step step) {
  const auto start = vxbench::Clock::now();
  step();
  samples.push_back(vxbench::MillisecondsSince(start));
}

// The share of pixels in which the view's picture and the widget's differ (1 when the sizes do).
double DifferingShare(Bench& bench) {
  const QImage view =
      bench.view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage minimal = bench.minimal.grab().toImage().convertToFormat(QImage::Format_RGB32);
  if (view.size() != minimal.size() || view.isNull()) return 1;
  qint64 differing = 0;
  for (int y = 0; y < view.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(view.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(minimal.constScanLine(y));
    for (int x = 0; x < view.width(); ++x) differing += a[x] != b[x];
  }
  return static_cast<double>(differing) / (qint64{view.width()} * view.height());
}

// A skipped benchmark unless the disc is there and both sides draw the same picture at the zoom.
bool Ready(benchmark::State& state, std::unique_ptr<Bench>& bench, int zoom) {
  if (!Catalogue()) {
    state.SkipWithError("the sample disc could not be generated or installed");
    return false;
  }
  bench = std::make_unique<Bench>();
  bench->ShowMapView();
  bench->ShowMinimal();
  if (!bench->view->Picture().HasMap() || !bench->minimal.HasMap()) {
    state.SkipWithError("the largest map or its genre picture could not be read");
    return false;
  }
  bench->ZoomView(zoom);
  bench->ZoomMinimal(zoom);
  const double share = DifferingShare(*bench);
  state.counters["differing_share"] = share;
  if (share > kMaxDifferingShare) {
    state.SkipWithError(
        ("the pictures differ in " + std::to_string(share * 100) + " % of pixels").c_str());
    return false;
  }
  return true;
}

// The peak memory growth of showing the map at 300 % on each side, from nothing shown; first,
// before any picture has been held and freed.
void BM_PeakMemoryAt300(benchmark::State& state) {
  constexpr int kZoom = 300;
  if (!Catalogue())
    return state.SkipWithError("the sample disc could not be generated or installed");
  Figures& f = g_figures["memory"];
  for (auto _ : state) {
    Bench bench;
    f.viewGrowthMb = PeakGrowthMb([&] {
      bench.ShowMapView();
      bench.ZoomView(kZoom);
    });
    f.minimalGrowthMb = PeakGrowthMb([&] {
      bench.ShowMinimal();
      bench.ZoomMinimal(kZoom);
    });
  }
  state.counters["view_peak_growth_mb"] = f.viewGrowthMb;
  state.counters["minimal_peak_growth_mb"] = f.minimalGrowthMb;
}
BENCHMARK(BM_PeakMemoryAt300)->Iterations(1);

// Each iteration changes the zoom away and back on both sides and times the change back with the
// repaint.
void BM_ZoomRedraw(benchmark::State& state) {
  const int zoom = static_cast<int>(state.range(0));
  std::unique_ptr<Bench> bench;
  if (!Ready(state, bench, zoom)) return;
  Figures& f = g_figures["zoom" + std::to_string(zoom)];
  for (auto _ : state) {
    bench->ZoomView(zoom - 25);
    Time(f.view, [&] { bench->ZoomView(zoom); });
    bench->ZoomMinimal(zoom - 25);
    Time(f.minimal, [&] { bench->ZoomMinimal(zoom); });
    state.SetIterationTime(f.view.back() / 1000);
  }
  state.counters["view_ms"] = Median(f.view);
  state.counters["minimal_ms"] = Median(f.minimal);
  state.counters["marks"] = static_cast<double>(bench->minimal.FillCount());
  state.counters["zoomed_w"] = bench->view->ZoomedSize().width();
}
BENCHMARK(BM_ZoomRedraw)
    ->ArgName("zoom")
    ->Arg(100)
    ->Arg(300)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

// Choosing the map again at 300 %: the view reads both pictures, lays on the checks and paints;
// the widget decodes both pictures, fades the genre picture and paints.
void BM_ChooseMap(benchmark::State& state) {
  constexpr int kZoom = 300;
  std::unique_ptr<Bench> bench;
  if (!Ready(state, bench, kZoom)) return;
  Figures& f = g_figures["choose"];
  const auto chooseInView = [&] {
    bench->view->SelectMap(bench->Slot());
    bench->view->viewport()->repaint();
  };
  const auto chooseInMinimal = [&] {
    bench->minimal.Load(bench->MapPath(), bench->GenrePath(), kOpacity);
    bench->minimal.repaint();
  };
  for (auto _ : state) {
    Time(f.view, chooseInView);
    Time(f.minimal, chooseInMinimal);
    state.SetIterationTime(f.view.back() / 1000);
  }
  state.counters["view_ms"] = Median(f.view);
  state.counters["minimal_ms"] = Median(f.minimal);
}
BENCHMARK(BM_ChooseMap)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void PrintSummary() {
  const char* const yardstick = "a minimal QPainter widget drawing the same picture";
  for (const int zoom : {100, 300}) {
    const Figures& f = g_figures["zoom" + std::to_string(zoom)];
    const double ms = Median(f.view);
    vxbench::PrintGoalLine("map redraw after a zoom change to " + std::to_string(zoom) + " %", ms,
                           yardstick, Median(f.minimal),
                           "median < " + std::to_string(static_cast<int>(kZoomGoalMs)) + " ms",
                           ms > 0 && ms < kZoomGoalMs);
  }
  const Figures& memory = g_figures["memory"];
  std::printf(
      "peak memory growth showing the map at 300 %%: %.1f MB, the minimal widget %.1f MB, "
      "ratio %.2f; goal < %.0f MB: %s\n",
      memory.viewGrowthMb, memory.minimalGrowthMb,
      memory.minimalGrowthMb > 0 ? memory.viewGrowthMb / memory.minimalGrowthMb : 0.0, kGoalMb,
      memory.viewGrowthMb > 0 && memory.viewGrowthMb < kGoalMb ? "met" : "NOT met");
  const Figures& choose = g_figures["choose"];
  const double ms = Median(choose.view);
  vxbench::PrintGoalLine("choosing the map, read, checked and painted at 300 %", ms,
                         "the minimal widget decoding and drawing the same pictures",
                         Median(choose.minimal),
                         "median < " + std::to_string(static_cast<int>(kChooseGoalMs)) + " ms",
                         ms > 0 && ms < kChooseGoalMs);
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QApplication>(argc, argv, [] { PrintSummary(); });
}
