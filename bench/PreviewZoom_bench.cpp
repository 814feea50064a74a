// Drawing the visible part of a preview page: a 1200 x 800 view of a 960-pixel page at 400 %
// (the largest level, 300 x 200 page pixels) and at 25 % (the whole page), as every repaint
// while scrolling does. Baseline: cutting the same part out and letting Qt scale it without
// smoothing. Goal: no slower than the baseline at either level (ratio <= 1.0 of their sum).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>

#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "print/PreviewZoom.h"

namespace {

constexpr double kGoalRatio = 1.0;
double g_baselineMs = 0;
double g_zoomMs = 0;

// A 679 x 960 page of text-like stripes.
QImage MakePage() {
  QImage page(679, 960, QImage::Format_RGB32);
  page.fill(Qt::white);
  for (int y = 30; y < 940; y += 18) {
    for (int x = 20; x < 660; ++x) page.setPixel(x, y, qRgb(30, 30, 30));
  }
  return page;
}

struct View {
  int percent;
  QRect part;  // page pixels
};
constexpr View kViews[] = {{400, {200, 300, 300, 200}}, {25, {0, 0, 679, 960}}};

void BM_QtFastScaleBaseline(benchmark::State& state) {
  const QImage page = MakePage();
  g_baselineMs = vxbench::TimeIterations(state, [&] {
    for (const View& view : kViews) {
      const QImage part = page.copy(view.part).scaled(
          view.part.size() * view.percent / 100, Qt::IgnoreAspectRatio, Qt::FastTransformation);
      benchmark::DoNotOptimize(part.constBits());
    }
  });
}

void BM_PreviewZoomedPart(benchmark::State& state) {
  const QImage page = MakePage();
  g_zoomMs = vxbench::TimeIterations(state, [&] {
    for (const View& view : kViews) {
      const QImage part = vx::Preview_ZoomedPart(page, view.percent, view.part.x(), view.part.y(),
                                                 view.part.width(), view.part.height());
      benchmark::DoNotOptimize(part.constBits());
    }
  });
}

BENCHMARK(BM_QtFastScaleBaseline)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);
BENCHMARK(BM_PreviewZoomedPart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QGuiApplication>(argc, argv, [] {
    vxbench::PrintGoalLine("preview zoomed drawing (400 % and 25 %)", g_zoomMs, "Qt fast scaling",
                           g_baselineMs, "ratio <= 1.0", g_zoomMs <= g_baselineMs * kGoalRatio);
  });
}
