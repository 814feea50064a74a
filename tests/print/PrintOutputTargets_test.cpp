// The image-file and printer targets over a two-page list job: the files written and their pixel
// sizes, the JPEG encoding, the PDF printer, and a page that cannot be written.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <QImageReader>
#include <csetjmp>
#include <cstdio>
#include <regex>

#include "print/ImageFileOutput.h"
#include "print/PrinterChoice.h"
#include "print/PrinterOutput.h"
#include "tests/print/DocumentTestSupport.h"

namespace vxtest {
namespace {

constexpr int kList = 1;  // LIST_0V: 20 lines a page on 787 x 1181 pixels

struct JpegFacts {
  int width = 0;
  int height = 0;
  int maxSampling = 0;  // 1 for every component: 4:4:4
  int firstLumaStep = 0;
};

JpegFacts ReadJpegFacts(const std::filesystem::path& path) {
  JpegFacts facts;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return facts;
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  facts.width = static_cast<int>(info.image_width);
  facts.height = static_cast<int>(info.image_height);
  for (int c = 0; c < info.num_components; ++c) {
    facts.maxSampling = std::max(
        {facts.maxSampling, info.comp_info[c].h_samp_factor, info.comp_info[c].v_samp_factor});
  }
  facts.firstLumaStep = info.quant_tbl_ptrs[0] ? info.quant_tbl_ptrs[0]->quantval[0] : 0;
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return facts;
}

class OutputTargetTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    for (int id = 1; id <= 25; ++id) Check({.id = id, .space = 1 + (id - 1) % 20});
    vx::PrintSelection request = Request(vx::PrintSelection::kFamilyList, kList);
    ASSERT_EQ(DocumentTest::SetUp(request), 2);
  }

  int RunToFiles(const std::string& folder, const std::string& base, int format, int longSide) {
    vx::PrintEngine_SetPageOutput(vx::kTargetImageFiles,
                                  std::make_shared<vx::ImageFileOutput>(
                                      [this](const std::filesystem::path& f) { opened = f; }));
    vx::PrintEngine_SetImageFileTarget(nullptr, longSide, 0, folder, base, format);
    vx::PrintEngine_SetPageRange("1-", 1, 0);
    return RunKind(vx::PrintEngine_Job(), vx::kTargetImageFiles);
  }

  TempDir out;
  std::filesystem::path opened;
};

TEST_F(OutputTargetTest, EveryPageBecomesAFileOfItsFormatAndSize) {
  struct Case {
    int format;
    int longSide;
    const char* first;
    const char* second;
    QSize size;
  };
  const Case cases[] = {
      {vx::kImagePng, 0, "page001.png", "page002.png", {787, 1181}},
      {vx::kImageBmp, 0, "page001.bmp", "page002.bmp", {787, 1181}},
      {vx::kImageJpeg, 1000, "page001.jpg", "page002.jpg", {666, 1000}},
      // A point in the base name is part of the name: no page overwrites another.
      {vx::kImagePng, 500, "v1.2_001.png", "v1.2_002.png", {333, 500}},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(out.path() / "x");
    const std::string base = std::string(c.first).substr(0, std::string(c.first).size() - 7);
    std::filesystem::create_directory(out / "x");
    ASSERT_EQ(RunToFiles((out / "x").string(), base, c.format, c.longSide), 0) << c.first;
    for (const char* name : {c.first, c.second}) {
      QImageReader reader(QString::fromStdString((out / "x" / name).string()));
      EXPECT_EQ(reader.size(), c.size) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out / "x"), {}), 2) << c.first;
    EXPECT_TRUE(reports.Shown().empty());
    EXPECT_EQ(opened, (out / "x").string()) << "the folder is shown when the run ends";
  }
}

TEST_F(OutputTargetTest, JpegPagesAreWrittenAtQuality95WithoutSubsampling) {
  ASSERT_EQ(RunToFiles(out.path().string(), "p", vx::kImageJpeg, 0), 0);
  const JpegFacts facts = ReadJpegFacts(out / "p001.jpg");
  EXPECT_EQ(std::tuple(facts.width, facts.height), std::tuple(787, 1181));
  EXPECT_EQ(facts.maxSampling, 1);
  EXPECT_EQ(facts.firstLumaStep, 2);  // (16 * 10 + 50) / 100: the IJG table at quality 95
}

TEST_F(OutputTargetTest, APageThatCannotBeWrittenIsReportedAndTheNextStillTried) {
  std::filesystem::create_directory(out / "ro");
  std::filesystem::create_directory(out / "ro" / "b001.png");  // a folder where the file goes
  ASSERT_EQ(RunToFiles((out / "ro").string(), "b", vx::kImagePng, 0), 0);
  EXPECT_TRUE(std::filesystem::is_regular_file(out / "ro" / "b002.png"));
  std::vector<std::pair<std::string, std::string>> boxes = reports.Shown();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].second, "LOG_Error");
  EXPECT_EQ(boxes[0].first.rfind("E_WicWrite: ", 0), 0u);
  EXPECT_EQ(boxes[1].first,
            "画像ファイルの保存に失敗しました。\n" + (out / "ro" / "b001.png").string());
  EXPECT_EQ(boxes[1].second, vx::Sjis("画像の出力"));
  EXPECT_FALSE(vx::PrintEngine_Job().pageImage);
}

TEST_F(OutputTargetTest, APdfPrinterGetsOnePagePerPage) {
  vx::PrinterChoice choice;
  choice.pdfFile = out / "job.pdf";
  choice.paperWidth = 2100;
  choice.paperHeight = 2970;
  vx::PrintEngine_SetPageOutput(vx::kTargetPrinter, std::make_shared<vx::PrinterOutput>());
  vx::PrintEngine_SetPrinterTarget(nullptr, 0, choice);
  vx::PrintEngine_SetPageRange("1-", 1, 0);
  ASSERT_EQ(RunKind(vx::PrintEngine_Job(), vx::kTargetPrinter), 0);
  const std::string pdf = ReadFileBytes(out / "job.pdf");
  const std::regex page(R"(/Type\s*/Page\b(?!s))");
  EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), {}), 2);
}

TEST(PrinterOutputTest, ThePageLandsOnThePrintedAreaTurnedWithThePaper) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setFullPage(true);
  const double perMm = printer.resolution() / 25.4;
  vx::PrintJob job;
  job.leftMargin = 20;
  job.topMargin = 30;
  job.printableWidth = 170;
  job.printableHeight = 240;
  job.orientation = vx::kPortrait;
  const QRectF portrait = vx::PrinterOutput::TargetRect(job, printer);
  EXPECT_NEAR(portrait.x() / perMm, 20, 0.01);
  EXPECT_NEAR(portrait.height() / perMm, 240, 0.01);
  job.orientation = vx::kLandscape;
  const QRectF landscape = vx::PrinterOutput::TargetRect(job, printer);
  EXPECT_NEAR(landscape.x() / perMm, 30, 0.01);
  EXPECT_NEAR(landscape.width() / perMm, 240, 0.01);
  job.printableWidth = 0;  // no area asked for: the whole paper
  EXPECT_EQ(vx::PrinterOutput::TargetRect(job, printer), printer.paperRect(QPrinter::DevicePixel));
}

}  // namespace
}  // namespace vxtest
