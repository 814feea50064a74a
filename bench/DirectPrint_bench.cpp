// Twenty LIST pages of the full-size sample printed to a PDF file the two ways a print goes:
// drawn straight onto the printer, and composed as page images (300 DPI) that are then printed;
// the yardstick is Qt itself drawing the same grid of framed texts into a PDF with QPainter.
// The three alternate in one run. Reported: time (goal: the direct path under 2 s for the 20
// pages and at least 3x faster than the page-image path), PDF size per page (goal: at most
// 300 KB) and the process's peak memory while printing directly (goal: under 300 MB).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <cstdio>
#include <filesystem>

#include "bench/BenchTiming.h"
#include "bench/ListPrintCatalog.h"
#include "bench/OffscreenBenchmarks.h"
#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "print/PrinterChoice.h"
#include "print/PrinterOutput.h"

namespace {

namespace fs = std::filesystem;
using vxbench::kListLinesPerPage;
using vxbench::kListPages;

constexpr int kRounds = 5;
constexpr double kGoalMs = 2000;
constexpr double kGoalSpeedUp = 3;
constexpr double kGoalKilobytesPerPage = 300;
constexpr double kGoalMegabytes = 300;

struct PathFigures {
  std::vector<double> ms;
  double kilobytesPerPage = 0;
  double peakMegabytes = 0;
  int pages = 0;
};

PathFigures g_direct;
PathFigures g_images;
PathFigures g_qt;

double KilobytesPerPage(const fs::path& pdf, int pages) {
  std::error_code error;
  const auto bytes = fs::file_size(pdf, error);
  return error || pages == 0 ? 0 : static_cast<double>(bytes) / 1024.0 / pages;
}

// The job to `pdf` on the document thread, as the print command runs it.
void PrintList(bool pageImages, const fs::path& pdf, PathFigures& figures) {
  vx::PrinterChoice choice;
  choice.pdfFile = pdf;
  choice.paperWidth = 2100;
  choice.paperHeight = 2970;
  vx::PrintEngine_SetPrinterTarget(nullptr, pageImages ? 1 : 0, choice);
  if (pageImages) vx::PrintEngine_Job().highResolution = 0;  // the print settings' default
  vx::PrintEngine_SetPageRange("1-", 1, 0);
  vxbench::ResetPeakMemory();
  const vxbench::Clock::time_point start = vxbench::Clock::now();
  vxbench::ListPrintCatalog::RunJob();
  figures.ms.push_back(vxbench::MillisecondsSince(start));
  figures.peakMegabytes = std::max(figures.peakMegabytes, vxbench::PeakMegabytes());
  figures.pages = vx::PrintEngine_Job().pagesOutput;
  figures.kilobytesPerPage = KilobytesPerPage(pdf, figures.pages);
}

// The yardstick: the same grid of 50 rows of nine framed cells a page, each with its text, drawn
// by QPainter into a PDF in the same face and size.
void PrintQtGrid(const fs::path& pdf, int pages, PathFigures& figures) {
  const int widths[] = {90, 60, 260, 465, 349, 349, 349, 465, 465};
  const QString sample = QString::fromStdString(vx::Cp932ToUtf8(vx::Sjis("サークル名の文字列")));
  const vxbench::Clock::time_point start = vxbench::Clock::now();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf.string()));
  printer.setFullPage(true);
  printer.setPageSize(QPageSize(QPageSize::A4));
  QPainter painter(&printer);
  const double scale = printer.resolution() / 300.0;
  for (int p = 0; p < pages; ++p) {
    if (p > 0) printer.newPage();
    painter.setTransform(QTransform::fromScale(scale, scale));
    painter.setFont(vx::CatalogPGothicFont(46, false));
    for (int row = 0; row < kListLinesPerPage; ++row) {
      int x = 59;
      const int y = 211 + row * 62;
      for (const int w : widths) {
        painter.drawRect(x, y, w, 62);
        painter.drawText(QRect(x + 6, y + 4, w - 12, 54), Qt::AlignLeft | Qt::AlignVCenter,
                         sample + QString::number(p * kListLinesPerPage + row));
        x += w;
      }
    }
  }
  painter.end();
  figures.ms.push_back(vxbench::MillisecondsSince(start));
  figures.pages = pages;
  figures.kilobytesPerPage = KilobytesPerPage(pdf, pages);
}

void BM_ListToPdfBothWays(benchmark::State& state) {
  static vxbench::ListPrintCatalog catalog;
  vx::PrintEngine_SetPageOutput(vx::kTargetPrinter, std::make_shared<vx::PrinterOutput>());
  vx::PrintEngine_SetPageOutput(vx::kTargetPrinterImages, std::make_shared<vx::PrinterOutput>());
  const fs::path folder = catalog.Folder();
  for (auto _ : state) {
    const vxbench::Clock::time_point start = vxbench::Clock::now();
    PrintList(false, folder / "direct.pdf", g_direct);
    PrintList(true, folder / "images.pdf", g_images);
    PrintQtGrid(folder / "qt.pdf", catalog.PageCount(), g_qt);
    state.SetIterationTime(vxbench::MillisecondsSince(start) / 1000);
  }
  if (g_direct.pages != kListPages || g_images.pages != kListPages) {
    state.SkipWithError("the document did not print twenty pages");
  }
  state.counters["direct_ms"] = vxbench::Median(g_direct.ms);
  state.counters["images_ms"] = vxbench::Median(g_images.ms);
  state.counters["qt_ms"] = vxbench::Median(g_qt.ms);
}

BENCHMARK(BM_ListToPdfBothWays)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kRounds);

void PrintSummary() {
  vx::PrintEngine_Reset();
  const double direct = vxbench::Median(g_direct.ms);
  const double images = vxbench::Median(g_images.ms);
  const double qt = vxbench::Median(g_qt.ms);
  const double speedUp = direct > 0 ? images / direct : 0;
  std::printf("page-image path: %.1f ms, %.0f KB a page, peak %.0f MB\n", images,
              g_images.kilobytesPerPage, g_images.peakMegabytes);
  std::printf(
      "PDF size a page: %.0f KB, Qt yardstick %.0f KB, ratio %.2f; goal at most %.0f KB: "
      "%s\n",
      g_direct.kilobytesPerPage, g_qt.kilobytesPerPage,
      g_qt.kilobytesPerPage > 0 ? g_direct.kilobytesPerPage / g_qt.kilobytesPerPage : 0,
      kGoalKilobytesPerPage,
      g_direct.kilobytesPerPage > 0 && g_direct.kilobytesPerPage <= kGoalKilobytesPerPage
          ? "met"
          : "NOT met");
  std::printf("peak memory printing directly: %.0f MB; goal under %.0f MB: %s\n",
              g_direct.peakMegabytes, kGoalMegabytes,
              g_direct.peakMegabytes < kGoalMegabytes ? "met" : "NOT met");
  char goal[160];
  std::snprintf(goal, sizeof goal,
                "under %.0f ms and at least %.0fx faster than the page-image path (%.1fx)", kGoalMs,
                kGoalSpeedUp, speedUp);
  vxbench::PrintGoalLine("20 list pages to PDF drawn directly", direct, "Qt yardstick", qt, goal,
                         direct > 0 && direct < kGoalMs && speedUp >= kGoalSpeedUp);
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QGuiApplication>(argc, argv, PrintSummary);
}
