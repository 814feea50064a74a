// Scaling a finished page for the preview: an A4 page at 300 DPI (2480 x 3507) averaged down to
// the preview's 960 pixels on the long side, as every preview page is. Baseline: Qt's smooth
// scaling of the same picture on one thread. Goal: at most twice the baseline's time.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QThreadPool>
#include <cstdio>
#include <cstdlib>

#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "print/DibImage.h"
#include "print/DibImageQt.h"
#include "print/PreviewPageBuffer.h"
#include "print/PrintJob.h"

namespace {

constexpr double kGoalRatio = 2.0;
double g_baselineMs = 0;
double g_scaleMs = 0;

// A page of text-like stripes and a block of grey.
std::shared_ptr<vx::DibImage> MakePage() {
  std::shared_ptr<vx::DibImage> page = vx::DibImage_Create(24, 2480, 3507);
  vx::DibImage_FillRect(*page, 0, 0, 2480, 3507, 255, 255, 255, vx::kDibSet);
  for (int y = 100; y < 3400; y += 64) {
    vx::DibImage_FillRect(*page, 60, y, 2360, 20, 30, 30, 30, vx::kDibSet);
  }
  vx::DibImage_FillRect(*page, 400, 400, 800, 800, 128, 64, 32, 50);
  return page;
}

using vxbench::TimeIterations;

void BM_QtSmoothScaleBaseline(benchmark::State& state) {
  const QImage picture = vx::DibImage_ToQImage(*MakePage());
  g_baselineMs = TimeIterations(state, [&] {
    const QImage scaled = picture.scaled(678, 960, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    benchmark::DoNotOptimize(scaled.constBits());
  });
}

void BM_PreviewPut(benchmark::State& state) {
  vx::PrintJob job;
  job.pageImage = MakePage();
  job.longSide = 960;
  g_scaleMs = TimeIterations(state, [&] {
    if (vx::Preview_Put(job) != 0) state.SkipWithError("the page could not be scaled");
    benchmark::DoNotOptimize(job.scaledPageImage->block.data());
  });
  if (g_baselineMs > 0) state.counters["ratio_to_qt_smooth"] = g_scaleMs / g_baselineMs;
}

// The baseline first, so that the preview scaling can report its ratio.
BENCHMARK(BM_QtSmoothScaleBaseline)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_PreviewPut)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  vxbench::UseOffscreenPlatform();
  QGuiApplication app(argc, argv);
  // Qt scales large pictures on its thread pool; the engine scales on the one document thread.
  // Both get one thread, so that the ratio compares the work done.
  QThreadPool::globalInstance()->setMaxThreadCount(1);
  vxbench::RunRegisteredBenchmarks(argc, argv);
  const double ratio = g_baselineMs > 0 ? g_scaleMs / g_baselineMs : 0;
  std::printf(
      "preview page scaling: %.1f ms, Qt smooth scaling %.1f ms, ratio %.2f, goal <= %.1f\n",
      g_scaleMs, g_baselineMs, ratio, kGoalRatio);
  return 0;
}
