// Writing one A4 page at 300 DPI as a PNG and as a JPEG file (quality 95, 4:4:4 sampling) straight
// from the page image's rows, against turning the page into a QImage and saving that with Qt's
// writers (the same quality; Qt's JPEG writer subsamples the colour, so it encodes less).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "print/DibImage.h"
#include "print/DibImageQt.h"
#include "print/PageImageWriter.h"

namespace {

constexpr double kGoalRatio = 1.25;

struct Figures {
  double baselineMs = 0;
  double figureMs = 0;
};
Figures g_png;
Figures g_jpeg;

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path f = std::filesystem::temp_directory_path() / "vx_page_files_bench";
    std::filesystem::create_directories(f);
    return f;
  }();
  return folder;
}

// Text-like stripes, a block of colour and a gradient: something for both encoders to work on.
const vx::DibImage& Page() {
  static const std::shared_ptr<vx::DibImage> page = [] {
    std::shared_ptr<vx::DibImage> p = vx::DibImage_Create(24, 2480, 3507);
    vx::DibImage_FillRect(*p, 0, 0, 2480, 3507, 255, 255, 255, vx::kDibSet);
    for (int y = 100; y < 3400; y += 64)
      vx::DibImage_FillRect(*p, 60, y, 2360, 20, 30, 30, 30, vx::kDibSet);
    for (int x = 0; x < 1000; x += 4)
      vx::DibImage_FillRect(*p, 400 + x, 400, 4, 800, x / 4, 64, 255 - x / 4, vx::kDibSet);
    return p;
  }();
  return *page;
}

using vxbench::TimeIterations;

void SaveWithQt(const char* format, int quality) {
  QImageWriter writer(QString::fromStdString((Folder() / (std::string("qt.") + format)).string()),
                      format);
  writer.setQuality(quality);
  if (!writer.write(vx::DibImage_ToQImage(Page()))) std::abort();
}

void BM_QtPngBaseline(benchmark::State& state) {
  g_png.baselineMs = TimeIterations(state, [] { SaveWithQt("png", -1); });
}
void BM_PagePng(benchmark::State& state) {
  g_png.figureMs = TimeIterations(state, [&] {
    if (vx::PageImage_WritePng(Folder() / "page.png", Page()) != 0)
      state.SkipWithError("not written");
  });
}
void BM_QtJpegBaseline(benchmark::State& state) {
  g_jpeg.baselineMs = TimeIterations(state, [] { SaveWithQt("jpg", 95); });
}
void BM_PageJpeg(benchmark::State& state) {
  g_jpeg.figureMs = TimeIterations(state, [&] {
    if (vx::PageImage_WriteJpeg(Folder() / "page.jpg", Page(), 95) != 0)
      state.SkipWithError("not written");
  });
}

BENCHMARK(BM_QtPngBaseline)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_PagePng)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_QtJpegBaseline)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_PageJpeg)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QGuiApplication>(argc, argv, [] {
    std::filesystem::remove_all(Folder());
    const double ratio =
        g_png.baselineMs > 0 && g_jpeg.baselineMs > 0
            ? (g_png.figureMs + g_jpeg.figureMs) / (g_png.baselineMs + g_jpeg.baselineMs)
            : 0;
    std::printf(
        "page image files: PNG %.1f ms (Qt %.1f ms), JPEG 4:4:4 %.1f ms (Qt 4:2:0 %.1f ms), "
        "ratio %.2f, goal <= %.2f: %s\n",
        g_png.figureMs, g_png.baselineMs, g_jpeg.figureMs, g_jpeg.baselineMs, ratio, kGoalRatio,
        ratio > 0 && ratio <= kGoalRatio ? "met" : "NOT met");
  });
}
