// Twenty pages of the LIST document (A4 portrait at 300 DPI, 50 circles a page with nine columns)
// over the full-size sample catalogue, rendered to page images on the document thread as a print
// or image-file output does. Baseline: the same pages drawn the plain Qt way, every text with
// QPainter::drawText into a page-sized picture. Goal: under 3 s for the twenty pages, with peak
// memory bounded by a few page images whatever the page count.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "bench/OffscreenBenchmarks.h"
#include "bench/BenchTiming.h"
#include "bench/SampleCatalogDatabase.h"
#include "checklist/FavoriteStore.h"
#include "data/images/CatalogImages.h"
#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "print/CatalogPrintDataSource.h"
#include "print/PageImageOutput.h"
#include "print/PrintDocuments.h"
#include "print/PrintEngine.h"
#include "print/PrintSelection.h"
#include "print/QtPrintTextDrawer.h"

namespace {

constexpr int kPages = 20;
constexpr int kLinesPerPage = 50;
constexpr double kGoalMs = 3000;

double g_documentMs = 0;
double g_baselineMs = 0;
double g_peakMegabytes = 0;
double g_fifthPageMegabytes = 0;  // the growth at page 5: the same as at page 20
double g_pageMegabytes = 0;

double ResidentMegabytes() {
  long pages = 0;
  long resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// The catalogue, a checklist of 1,000 circles and the print engine over them, made once.
class PrintBench {
 public:
  static PrintBench& Get() {
    static PrintBench bench;
    return bench;
  }

  // Runs the job on its document thread to page images; the pages output.
  int Run() {
    pages_ = 0;
    vx::PrintEngine_SetImageFileTarget(nullptr, 0, 0, "", "page", vx::kImagePng);
    vx::PrintEngine_RunJob();
    vx::PrintEngine_WaitForJob();
    return pages_;
  }
  int PageCount() const { return pageCount_; }

 private:
  PrintBench() : settings_(catalogue_.Folder()) {
    settings_.LoadSystemGroup();
    values_ = settings_.values();
    controller_.Init(&catalogue_.Database(), &images_, &values_);
    vx::FavoriteStore& store = *controller_.GetFavoriteStore();
    const int stride = catalogue_.Database().GetMaxCircleId() / (kPages * kLinesPerPage);
    for (int i = 0; i < kPages * kLinesPerPage; ++i) store.SetColor(1 + i * stride, 1 + i % 9);
    vx::PrintEngineServices services;
    services.source = &source_;
    services.text = &text_;
    vx::PrintEngine_SetContext(services, catalogue_.Folder(), VX_LAYOUT_FOLDER);
    vx::PrintDocuments_Register();
    vx::PrintEngine_SetPageOutput(
        vx::kTargetImageFiles,
        std::make_shared<vx::PageImageOutput>([this](const vx::PrintJob&, const vx::DibImage&) {
          ++pages_;
          const double grown = ResidentMegabytes() - startMegabytes_;
          g_peakMegabytes = std::max(g_peakMegabytes, grown);
          if (pages_ == 5) g_fifthPageMegabytes = std::max(g_fifthPageMegabytes, grown);
          return 0;
        }));
    vx::PrintSelection request;
    request.Reset();
    request.family = vx::PrintSelection::kFamilyList;
    request.layout = 1;  // LIST_0V
    request.colorList = true;
    pageCount_ = vx::PrintEngine_SetupJob(request);
    startMegabytes_ = ResidentMegabytes();
  }

  vxbench::SampleCatalogDatabase catalogue_;
  vx::AppSettings settings_;
  vx::SettingsValues values_{};
  vx::CatalogImages images_;
  vx::CatalogController controller_{nullptr, {}};
  vx::CatalogPrintDataSource source_{controller_};
  vx::QtPrintTextDrawer text_;
  int pageCount_ = 0;
  int pages_ = 0;
  double startMegabytes_ = 0;
};

using vxbench::TimeIterations;

// The same grid of texts drawn with QPainter: 50 rows of nine cells on a white A4 page at 300
// DPI, each text clipped to its cell, in the same face and size.
void BM_QPainterPagesBaseline(benchmark::State& state) {
  PrintBench& bench = PrintBench::Get();
  const int widths[] = {90, 60, 260, 465, 349, 349, 349, 465, 465};
  const std::string sample = vx::Sjis("サークル名のサンプル文字列");
  g_baselineMs = TimeIterations(state, [&] {
    for (int p = 0; p < bench.PageCount(); ++p) {
      QImage page(2480, 3507, QImage::Format_RGB32);
      page.fill(Qt::white);
      QPainter painter(&page);
      painter.setFont(vx::CatalogPGothicFont(46, false));
      for (int row = 0; row < kLinesPerPage; ++row) {
        int x = 59;
        const int y = 211 + row * 62;
        for (const int w : widths) {
          painter.drawRect(x, y, w, 62);
          painter.drawText(QRect(x + 6, y + 4, w - 12, 54), Qt::AlignLeft | Qt::AlignVCenter,
                           QString::fromStdString(vx::Cp932ToUtf8(sample)));
          x += w;
        }
      }
      benchmark::DoNotOptimize(page.constBits());
    }
  });
}

void BM_ListDocumentPages(benchmark::State& state) {
  PrintBench& bench = PrintBench::Get();
  int pages = 0;
  g_documentMs = TimeIterations(state, [&] { pages = bench.Run(); });
  if (pages != kPages) state.SkipWithError("the document did not output twenty pages");
  g_pageMegabytes = 2480.0 * 3507 * 3 / 1048576.0;
  state.counters["pages"] = pages;
}

BENCHMARK(BM_QPainterPagesBaseline)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_ListDocumentPages)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QGuiApplication>(argc, argv, [] {
    vx::PrintEngine_Reset();
    char what[200];
    std::snprintf(what, sizeof what,
                  "%d list pages to page images (%.1f pages/s; memory +%.0f MB at page 5, "
                  "+%.0f MB at most, one page image %.0f MB)",
                  kPages, g_documentMs > 0 ? 1000.0 * kPages / g_documentMs : 0,
                  g_fifthPageMegabytes, g_peakMegabytes, g_pageMegabytes);
    vxbench::PrintGoalLine(what, g_documentMs, "QPainter baseline", g_baselineMs, "under 3000 ms",
                           g_documentMs > 0 && g_documentMs < kGoalMs);
  });
}
