// Twenty pages of the LIST document (A4 portrait at 300 DPI, LIST_0V: 50 circles a page in nine
// columns) over the full-size sample catalogue, composed as page images on the document thread,
// as image files, the preview and printing through page images make them. The yardstick: a
// minimal program drawing the same texts into the same cells of page-sized QImages with
// QPainter (the texts and cells the document drew, taken from a first run). Document and
// yardstick alternate. Goal: at most 1.3x the yardstick. Also reported: the peak memory of the
// same pages printed through page images into a PDF file.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/BenchTiming.h"
#include "bench/ListPrintCatalog.h"
#include "bench/OffscreenBenchmarks.h"
#include "print/PageImageOutput.h"
#include "print/PrinterChoice.h"
#include "print/PrinterOutput.h"
#include "print/QtPrintTextStyle.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 5;
constexpr double kGoalRatio = 1.3;

// A text as the yardstick draws it: its cell, flags, face and text ready made.
struct DrawnText {
  QRect box;
  int flags = 0;
  int face = 0;  // index into the faces
  QString text;
};

// The program's text drawer that also keeps, page by page, every text the document draws.
class TextRecorder : public vx::PrintTextDrawer {
 public:
  bool DrawText(vx::DibImage& image, std::string_view text, const vx::TextLook& look) override {
    return drawer_.DrawText(image, text, look);
  }
  int TextWidth(std::string_view text, int height, int weight) override {
    return drawer_.TextWidth(text, height, weight);
  }
  bool DrawTextMultiplied(vx::DibImage& page, const vx::DibRect& box, std::string_view text,
                          const vx::TextLook& look, bool fit) override {
    if (recording) {
      pages.back().push_back({QRect(box.x, box.y, box.w, box.h), vx::PrintTextQtFlags(look.format),
                              FaceIndex(look), vx::PrintTextString(text)});
    }
    return drawer_.DrawTextMultiplied(page, box, text, look, fit);
  }

  bool recording = false;
  std::vector<std::vector<DrawnText>> pages{1};
  std::vector<QFont> faces;

 private:
  int FaceIndex(const vx::TextLook& look) {
    const QFont font = vx::PrintTextFont(look.fontHeight, look.fontWeight);
    const auto it = std::find(faces.begin(), faces.end(), font);
    if (it != faces.end()) return static_cast<int>(it - faces.begin());
    faces.push_back(font);
    return static_cast<int>(faces.size()) - 1;
  }

  vx::QtPrintTextDrawer drawer_;
};

struct Figures {
  std::vector<double> documentMs;
  std::vector<double> yardstickMs;
  int pages = 0;
  int pageWidth = 0;
  int pageHeight = 0;
  double pdfPeakMegabytes = 0;
};

Figures g_figures;

class ListPagesBench {
 public:
  ListPagesBench() {
    vx::PrintEngineServices services = vx::PrintEngine_Services();
    services.text = &recorder_;
    vx::PrintEngine_SetContext(services, catalog_.Folder(), VX_LAYOUT_FOLDER);
    vx::PrintEngine_SetPageOutput(vx::kTargetImageFiles,
                                  std::make_shared<vx::PageImageOutput>(
                                      [this](const vx::PrintJob&, const vx::DibImage& page) {
                                        ++pages_;
                                        g_figures.pageWidth = vx::DibImage_Width(page);
                                        g_figures.pageHeight = vx::DibImage_Height(page);
                                        if (recorder_.recording) recorder_.pages.emplace_back();
                                        return 0;
                                      }));
    recorder_.recording = true;
    RunDocument();
    recorder_.recording = false;
    recorder_.pages.pop_back();  // opened after the last page
  }

  // The twenty pages as page images; the pages output.
  int RunDocument() {
    pages_ = 0;
    vx::PrintEngine_SetImageFileTarget(nullptr, 0, 0, "", "page", vx::kImagePng);
    vx::PrintEngine_SetPageRange("1-", 1, 0);
    vxbench::ListPrintCatalog::RunJob();
    return pages_;
  }

  // The same texts in the same cells, drawn by QPainter into page-sized pictures.
  void RunYardstick() const {
    for (const std::vector<DrawnText>& texts : recorder_.pages) {
      QImage page(g_figures.pageWidth, g_figures.pageHeight, QImage::Format_RGB32);
      page.fill(Qt::white);
      QPainter painter(&page);
      painter.setPen(Qt::black);
      int face = -1;
      for (const DrawnText& t : texts) {
        if (t.face != face)
          painter.setFont(recorder_.faces[static_cast<std::size_t>(face = t.face)]);
        painter.drawText(t.box, t.flags, t.text);
      }
      benchmark::DoNotOptimize(page.constBits());
    }
  }

  // The same pages printed through page images into a PDF file: the process's peak memory.
  double PdfPeakMegabytes() {
    vx::PrintEngine_SetPageOutput(vx::kTargetPrinterImages, std::make_shared<vx::PrinterOutput>());
    vx::PrinterChoice choice;
    choice.pdfFile = catalog_.Folder() / "images.pdf";
    choice.paperWidth = 2100;
    choice.paperHeight = 2970;
    vx::PrintEngine_SetPrinterTarget(nullptr, 1, choice);
    vx::PrintEngine_SetPageRange("1-", 1, 0);
    vxbench::ResetPeakMemory();
    vxbench::ListPrintCatalog::RunJob();
    return vxbench::PeakMegabytes();
  }

 private:
  vxbench::ListPrintCatalog catalog_;
  TextRecorder recorder_;
  int pages_ = 0;
};

void BM_ListPagesAgainstQPainterText(benchmark::State& state) {
  static ListPagesBench bench;
  for (auto _ : state) {
    const vxbench::Clock::time_point start = vxbench::Clock::now();
    g_figures.pages = bench.RunDocument();
    g_figures.documentMs.push_back(vxbench::MillisecondsSince(start));
    const vxbench::Clock::time_point yardstick = vxbench::Clock::now();
    bench.RunYardstick();
    g_figures.yardstickMs.push_back(vxbench::MillisecondsSince(yardstick));
    state.SetIterationTime(vxbench::MillisecondsSince(start) / 1000);
  }
  if (g_figures.pages != vxbench::kListPages) {
    state.SkipWithError("the document did not output twenty pages");
  }
  g_figures.pdfPeakMegabytes = bench.PdfPeakMegabytes();
  state.counters["document_ms"] = vxbench::Median(g_figures.documentMs);
  state.counters["yardstick_ms"] = vxbench::Median(g_figures.yardstickMs);
}

BENCHMARK(BM_ListPagesAgainstQPainterText)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kRounds);

void PrintSummary() {
  vx::PrintEngine_Reset();
  const double document = vxbench::Median(g_figures.documentMs);
  const double yardstick = vxbench::Median(g_figures.yardstickMs);
  std::printf(
      "peak memory printing the pages through page images into a PDF: %.0f MB (one page "
      "image %.0f MB)\n",
      g_figures.pdfPeakMegabytes, 3.0 * g_figures.pageWidth * g_figures.pageHeight / 1048576.0);
  char goal[64];
  std::snprintf(goal, sizeof goal, "at most %.1fx the yardstick", kGoalRatio);
  vxbench::PrintGoalLine("20 list pages as page images", document, "QPainter text on the same grid",
                         yardstick, goal,
                         document > 0 && yardstick > 0 && document <= kGoalRatio * yardstick);
}

}  // namespace

int main(int argc, char** argv) {
  return vxbench::RunOffscreen<QGuiApplication>(argc, argv, PrintSummary);
}
