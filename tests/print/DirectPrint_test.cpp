// Pages drawn straight onto the printer (here a PDF file) against the same pages composed as
// page images and printed: rasterised, they show the same boxes and the same marks on the same
// desks; their text is text; a text wider than its box is squeezed into it.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <QRegularExpression>
#include <fstream>
#include <regex>
#include <set>

#include "print/PrinterChoice.h"
#include "print/PrinterOutput.h"
#include "print/PrinterPageCanvas.h"
#include "print/QtPrintTextDrawer.h"
#include "tests/print/SampleDocumentsFixture.h"
#include "tests/support/TempDir.h"

namespace vxtest {
namespace {

namespace fs = std::filesystem;

constexpr int kRasterDpi = 100;

// Page 1 of the PDF on white at kRasterDpi; a null picture when it cannot be read.
QImage RasterisePage(const fs::path& pdf) {
  QPdfDocument document;
  if (document.load(QString::fromStdString(pdf.string())) != QPdfDocument::Error::None ||
      document.pageCount() < 1) {
    return {};
  }
  const QSize size = (document.pagePointSize(0) * kRasterDpi / 72).toSize();
  QImage page(size, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter(&page).drawImage(0, 0, document.render(0, size));
  return page;
}

QString PdfText(const fs::path& pdf) {
  QPdfDocument document;
  document.load(QString::fromStdString(pdf.string()));
  QString text = document.pageCount() > 0 ? document.getAllText(0).text() : QString();
  return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

// Strongly coloured pixels (marks, swatches, leader lines; never text) in each 20 x 20 cell.
std::vector<int> ColouredCells(const QImage& page) {
  constexpr int kCell = 20;
  const int across = (page.width() + kCell - 1) / kCell;
  std::vector<int> cells(static_cast<std::size_t>(across * ((page.height() + kCell - 1) / kCell)));
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QRgb p = page.pixel(x, y);
      const int spread =
          std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
      if (spread > 80) ++cells[static_cast<std::size_t>(y / kCell * across + x / kCell)];
    }
  }
  return cells;
}

// The share of cells whose coloured pixels differ by more than a quarter of the cell.
double ColourCellsApart(const QImage& a, const QImage& b) {
  const std::vector<int> ca = ColouredCells(a);
  const std::vector<int> cb = ColouredCells(b);
  int apart = 0;
  for (std::size_t i = 0; i < ca.size(); ++i) apart += std::abs(ca[i] - cb[i]) > 100;
  return static_cast<double>(apart) / static_cast<double>(ca.size());
}

// Draws as the program does and keeps every text drawn.
class TextCollector : public vx::PrintTextDrawer {
 public:
  bool DrawText(vx::DibImage& image, std::string_view text, const vx::TextLook& look) override {
    texts.emplace(text);
    return drawer.DrawText(image, text, look);
  }
  int TextWidth(std::string_view text, int height, int weight) override {
    return drawer.TextWidth(text, height, weight);
  }
  std::set<std::string> texts;
  vx::QtPrintTextDrawer drawer;
};

// Rows (or, turned, columns) crossed by a dark line at least 40 pixels (10 mm) long: frames,
// separators and the map's own lines, never letters.
std::vector<bool> LineRows(const QImage& page) {
  constexpr int kLongRun = 40;
  std::vector<bool> rows(static_cast<std::size_t>(page.height()));
  for (int y = 0; y < page.height(); ++y) {
    int run = 0;
    for (int x = 0; x < page.width() && run < kLongRun; ++x) {
      run = qGray(page.pixel(x, y)) < 210 ? run + 1 : 0;
    }
    rows[static_cast<std::size_t>(y)] = run >= kLongRun;
  }
  return rows;
}

// Line rows of one page with no line row of the other within two pixels (half a millimetre),
// both ways.
int LinesApart(const std::vector<bool>& a, const std::vector<bool>& b) {
  const auto near = [](const std::vector<bool>& rows, std::size_t i) {
    const std::size_t from = i < 2 ? 0 : i - 2;
    const std::size_t to = std::min(rows.size(), i + 3);
    return std::find(rows.begin() + static_cast<std::ptrdiff_t>(from),
                     rows.begin() + static_cast<std::ptrdiff_t>(to),
                     true) != rows.begin() + static_cast<std::ptrdiff_t>(to);
  };
  int apart = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    apart += (a[i] && !near(b, i)) + (b[i] && !near(a, i));
  }
  return apart;
}

int LinesApart(const QImage& a, const QImage& b) {
  QTransform turn;
  turn.rotate(90);
  return LinesApart(LineRows(a), LineRows(b)) +
         LinesApart(LineRows(a.transformed(turn)), LineRows(b.transformed(turn)));
}

// The widths of the pictures a PDF holds.
std::vector<int> PictureWidths(const fs::path& pdf) {
  std::ifstream in(pdf, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const std::regex width(R"(/Subtype\s*/Image[^>]*/Width\s+(\d+))");
  std::vector<int> widths;
  for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), width);
       it != std::sregex_iterator(); ++it) {
    widths.push_back(std::stoi((*it)[1]));
  }
  return widths;
}

int CountLines(const QImage& page) {
  const std::vector<bool> rows = LineRows(page);
  return static_cast<int>(std::count(rows.begin(), rows.end(), true));
}

class DirectPrintTest : public SampleDocumentsFixture {
 protected:
  void SetUp() override {
    SampleDocumentsFixture::SetUp();
    if (IsSkipped()) return;
    vx::PrintEngine_SetPageOutput(vx::kTargetPrinter, std::make_shared<vx::PrinterOutput>());
    vx::PrintEngine_SetPageOutput(vx::kTargetPrinterImages, std::make_shared<vx::PrinterOutput>());
  }

  // Page 1 of the set-up job into `pdf`, through page images or drawn directly, on a printer
  // paper of `paper` (portrait, tenths of a millimetre).
  int PrintFirstPage(bool pageImages, const fs::path& pdf, QSize paper = {2100, 2970}) {
    vx::PrinterChoice choice;
    choice.pdfFile = pdf;
    choice.paperWidth = paper.width();
    choice.paperHeight = paper.height();
    vx::PrintEngine_SetPrinterTarget(nullptr, pageImages ? 1 : 0, choice);
    vx::PrintEngine_SetPageRange("1", 1, 0);
    vx::PrintJob& job = vx::PrintEngine_Job();
    return vx::PrintDocuments_Run(vx::PrintEngine_DocumentKind(), job, job.target);
  }

  // Prints page 1 of `c` both ways and compares the two pages rasterised: boxes, lines, check
  // colours and pictures where the page image has them. `lineSlack` is added to the share of
  // lines that may lie apart.
  void ExpectTheSamePage(const DocumentCase& c, QSize paper = {2100, 2970}, double lineSlack = 0) {
    SetUpJob(c);
    const fs::path images = out / (std::string(c.name) + "-images.pdf");
    const fs::path direct = out / (std::string(c.name) + "-direct.pdf");
    // The page images first: the direct path sets the job to high resolution.
    ASSERT_EQ(PrintFirstPage(true, images, paper), 0) << c.name;
    ASSERT_EQ(PrintFirstPage(false, direct, paper), 0) << c.name;
    const QImage expected = RasterisePage(images);
    const QImage drawn = RasterisePage(direct);
    ASSERT_FALSE(expected.isNull()) << c.name;
    ASSERT_EQ(drawn.size(), expected.size()) << c.name;
    // Seen from afar, where text and hairlines blur: the boxes, lines and pictures.
    const QSize afar = drawn.size() / 4;
    const Difference d =
        Compare(drawn.scaled(afar, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                expected.scaled(afar, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    const double colourApart = ColourCellsApart(drawn, expected);
    const double linesApart =
        static_cast<double>(LinesApart(drawn, expected)) / std::max(1, CountLines(expected));
    EXPECT_LE(d.meanChannel, 12.0) << c.name;
    EXPECT_LE(colourApart, 0.002) << c.name;
    // The lettering inside a map picture blurs into lines here and there at this size.
    EXPECT_LE(
        linesApart,
        lineSlack + (c.family == vx::PrintSelection::kFamilyMaps && c.layout == 2 ? 0.2 : 0.03))
        << c.name;
    // Pictures go in at their own size (the sample's are at most 680 wide), never a page picture.
    const std::vector<int> widths = PictureWidths(direct);
    EXPECT_TRUE(std::all_of(widths.begin(), widths.end(), [](int w) { return w <= 680; }))
        << c.name;
    EXPECT_EQ(widths.empty(), c.family == vx::PrintSelection::kFamilyList) << c.name;
    if (HasFailure()) {
      const fs::path kept = fs::temp_directory_path();
      drawn.save(QString::fromStdString((kept / (std::string(c.name) + "-direct.png")).string()));
      expected.save(
          QString::fromStdString((kept / (std::string(c.name) + "-images.png")).string()));
      ADD_FAILURE() << c.name << ": mean " << d.meanChannel << ", coloured cells apart "
                    << colourApart << ", lines apart " << linesApart << "; pictures in " << kept;
    }
  }

  TempDir out;
};

TEST_F(DirectPrintTest, EveryDocumentLandsWhereItsPageImageWould) {
  for (const DocumentCase& c : kSampleDocuments) {
    ExpectTheSamePage(c);
    if (HasFailure()) return;
  }
  EXPECT_TRUE(reports.Shown().empty());
}

// The layouts are drawn for A4; on another paper both paths scale the page alike, upright
// (the list) and turned (the map). A page picture scaled down thins its hairlines to a grey that
// the line rows miss, so lines are given more slack; boxes and check colours still must match.
TEST_F(DirectPrintTest, OnAnotherPaperBothPathsScaleThePageAlike) {
  for (const DocumentCase& c : {kSampleDocuments[0], kSampleDocuments[2]}) {
    ExpectTheSamePage(c, QSize(1820, 2570), 0.3);  // B5
    if (HasFailure()) return;
  }
  EXPECT_TRUE(reports.Shown().empty());
}

TEST_F(DirectPrintTest, EveryCircleNameOfAListPageIsTextInThePdf) {
  SetUpJob(kSampleDocuments[0]);
  TextCollector collector;
  vx::PrintEngineServices services = vx::PrintEngine_Services();
  services.text = &collector;
  vx::PrintEngine_SetContext(services, SampleInstallation()->Disc(), LayoutFolder());
  ASSERT_EQ(PrintFirstPage(true, out / "images.pdf"), 0);
  ASSERT_EQ(PrintFirstPage(false, out / "direct.pdf"), 0);
  std::vector<std::string> names;
  for (const int id : checked) {
    vx::CircleRecord c;
    if (Db().SelectCircle(c, id) && collector.texts.count(c.circleName))
      names.push_back(c.circleName);
  }
  EXPECT_EQ(names.size(), vx::PrintEngine_Job().linesPerPageTable[1]);
  EXPECT_GT(names.size(), 40u);
  const QString text = PdfText(out / "direct.pdf");
  for (const std::string& name : names) {
    QString wanted = QString::fromStdString(vx::Cp932ToUtf8(name));
    wanted.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(text.contains(wanted)) << vx::Cp932ToUtf8(name);
  }
  // The page-image path has no text at all.
  EXPECT_TRUE(PdfText(out / "images.pdf").isEmpty());
}

}  // namespace
}  // namespace vxtest

namespace vxtest {
namespace {

// The ink of page 1 of a PDF: its bounding box at kRasterDpi, in page pixels of 300 DPI.
QRect InkBox(const fs::path& pdf) {
  const QImage page = RasterisePage(pdf);
  QRect ink;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (qGray(page.pixel(x, y)) < 230) ink |= QRect(x * 3, y * 3, 3, 3);
    }
  }
  return ink;
}

// One text in a box on an A4 page of 300 DPI layout pixels, drawn straight into a PDF.
QRect DrawnTextInk(const fs::path& pdf, const vx::DibRect& box, const std::string& text,
                   vx::TextFlow flow) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf.string()));
  printer.setFullPage(true);
  printer.setPageSize(QPageSize(QPageSize::A4));
  QPainter painter(&printer);
  const double scale = printer.resolution() / 300.0;
  vx::PrinterPageCanvas canvas(painter, printer, QTransform::fromScale(scale, scale));
  canvas.BeginPage();
  canvas.DrawText(box, text, 40, vx::kTextLeft | vx::kTextVCenter, flow);
  painter.end();
  return InkBox(pdf);
}

TEST(PrinterCanvasTextTest, AWideTextIsSqueezedIntoItsBoxByAtMostAQuarter) {
  TempDir out;
  const vx::DibRect box{300, 300, 300, 60};
  const QRect boxRect(box.x, box.y, box.w, box.h);
  const std::string threeTimes(30, 'W');  // about three box widths
  const QRect squeezed = DrawnTextInk(out / "three.pdf", box, threeTimes, vx::TextFlow::kFit);
  EXPECT_TRUE(boxRect.adjusted(-3, -3, 3, 3).contains(squeezed))
      << squeezed.x() << "," << squeezed.width();
  EXPECT_GT(squeezed.width(), box.w * 9 / 10);  // the whole text fills the box
  EXPECT_TRUE(PdfText(out / "three.pdf").contains(QString(30, QLatin1Char('W'))));

  const std::string tenTimes(100, 'W');
  const QRect cut = DrawnTextInk(out / "ten.pdf", box, tenTimes, vx::TextFlow::kFit);
  EXPECT_TRUE(boxRect.adjusted(-3, -3, 3, 3).contains(cut)) << cut.x() << "," << cut.width();

  // A text that fits keeps its own width; a wrapped one takes more lines in the box.
  const QRect fits = DrawnTextInk(out / "fits.pdf", box, "WW", vx::TextFlow::kFit);
  EXPECT_LT(fits.width(), box.w / 3);
  const vx::DibRect tall{300, 300, 300, 200};
  const QRect wrapped =
      DrawnTextInk(out / "wrap.pdf", tall, "WWWW WWWW WWWW WWWW", vx::TextFlow::kWrap);
  EXPECT_GT(wrapped.height(), 80);
  EXPECT_TRUE(QRect(tall.x, tall.y, tall.w, tall.h).adjusted(-3, -3, 3, 3).contains(wrapped));
}

}  // namespace
}  // namespace vxtest
