// The image-file and printer targets over a two-page list job: the files written and their pixel
// sizes, the JPEG encoding, the PDF printer, a page that cannot be written, and runs stopped
// half-way.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <QImageReader>
#include <QPdfDocument>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>

#include "print/ImageFileOutput.h"
#include "print/PrintSubmitter.h"
#include "print/PrinterChoice.h"
#include "print/PrinterOutput.h"
#include "tests/print/DocumentTestSupport.h"
#include "tests/support/FileSizeLimit.h"

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

// Takes the printer's documents instead of a print server: what was submitted, with the pages
// the PDF held at that moment; answers `failure` (empty: taken).
class RecordingSubmitter : public vx::PrintSubmitter {
 public:
  std::string Submit(const vx::PrintSubmission& submission) override {
    QPdfDocument document;
    document.load(QString::fromStdString(submission.pdf.string()));
    submitted.push_back(submission);
    pages.push_back(document.pageCount());
    return failure;
  }
  std::vector<vx::PrintSubmission> submitted;
  std::vector<int> pages;
  std::string failure;
};

// A printer that fails where Qt's can: the document cannot be started (no paint engine), or no page
// after the first.
class FaultyPrinter : public QPrinter {
 public:
  enum Fault { kDocument, kSecondPage };
  explicit FaultyPrinter(Fault fault) : QPrinter(QPrinter::HighResolution), fault_(fault) {}
  bool newPage() override { return fault_ != kSecondPage && QPrinter::newPage(); }
  QPaintEngine* paintEngine() const override {
    return fault_ == kDocument ? nullptr : QPrinter::paintEngine();
  }

 private:
  Fault fault_;
};

vx::PrinterOutput::PrinterFactory Faulty(FaultyPrinter::Fault fault) {
  return [fault] { return std::make_unique<FaultyPrinter>(fault); };
}

// The printer's documents waiting in the temporary folder.
std::vector<std::string> SpoolFiles() {
  std::vector<std::string> names;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::temp_directory_path())) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("vindaxel-print-", 0) == 0) names.push_back(name);
  }
  return names;
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

  // Raises the job's stop flag once the first page is out.
  void StopAfterFirstPage() {
    vx::PrintEngine_SetOwnerWindow(&owner);
    events.onPost = [](unsigned message, std::intptr_t) {
      if (message == UM_PRINT_PAGE) vx::PrintEngine_StopJob();
    };
  }
  int RunToPdf(const std::filesystem::path& file, vx::PrinterOutput::PrinterFactory printer = {}) {
    vx::PrinterChoice choice;
    choice.pdfFile = file;
    choice.paperWidth = 2100;
    choice.paperHeight = 2970;
    vx::PrintEngine_SetPageOutput(vx::kTargetPrinter,
                                  std::make_shared<vx::PrinterOutput>(nullptr, std::move(printer)));
    vx::PrintEngine_SetPrinterTarget(nullptr, 0, choice);
    vx::PrintEngine_SetPageRange("1-", 1, 0);
    return RunKind(vx::PrintEngine_Job(), vx::kTargetPrinter);
  }
  // To the printer `name`, drawn directly or through page images.
  int RunToPrinter(const std::string& name, bool pageImages, int copies = 1, int collate = 0,
                   vx::PrinterOutput::PrinterFactory printer = {}) {
    vx::PrinterChoice choice;
    choice.printerName = name;
    choice.paperWidth = 2100;
    choice.paperHeight = 2970;
    const int target = pageImages ? vx::kTargetPrinterImages : vx::kTargetPrinter;
    auto output = std::make_shared<vx::PrinterOutput>(submitter, std::move(printer));
    vx::PrintEngine_SetPageOutput(target, output);
    vx::PrintEngine_SetPrinterTarget(nullptr, pageImages ? 1 : 0, choice);
    vx::PrintEngine_SetPageRange("1-", copies, collate);
    return RunKind(vx::PrintEngine_Job(), target);
  }
  std::vector<std::string> Files(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // The run failed with the one report `text` and left no document anywhere.
  void ExpectFailedWithNothingSent(const std::string& text) {
    EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_FAILED});
    EXPECT_EQ(ReportTexts(), std::vector<std::string>{text});
    EXPECT_TRUE(submitter->submitted.empty());
    EXPECT_TRUE(SpoolFiles().empty());
    EXPECT_FALSE(vx::PrintEngine_Job().pageImage);
  }
  void ClearMessages() {
    vx::PrintEngine_SetOwnerWindow(&owner);
    events.Clear();
    reports.shown.clear();
  }

  TempDir out;
  std::filesystem::path opened;
  std::shared_ptr<RecordingSubmitter> submitter = std::make_shared<RecordingSubmitter>();
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
    std::filesystem::remove_all(out.Path() / "x");
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
  ASSERT_EQ(RunToFiles(out.Path().string(), "p", vx::kImageJpeg, 0), 0);
  const JpegFacts facts = ReadJpegFacts(out / "p001.jpg");
  EXPECT_EQ(std::tuple(facts.width, facts.height), std::tuple(787, 1181));
  EXPECT_EQ(facts.maxSampling, 1);
  EXPECT_EQ(facts.firstLumaStep, 2);  // (16 * 10 + 50) / 100: the IJG table at quality 95
}

// A folder that cannot be written fails every page alike: the first failure ends the run with
// one box that names the file and the reason, and no later page is tried.
TEST_F(OutputTargetTest, TheFirstPageThatCannotBeWrittenEndsTheRunWithOneBox) {
  struct Case {
    const char* what;
    std::filesystem::path folder;
    int format;
    const char* reason;
  };
  WriteFileBytes(out / "plain", "a file, not a folder");
  std::filesystem::create_directories(out / "taken" / "b001.png");  // a folder where the page goes
  const Case cases[] = {
      {"not a folder", out / "plain", vx::kImagePng, "(Not a directory)"},
      {"not a folder, BMP", out / "plain", vx::kImageBmp, "(Not a directory)"},
      {"name taken", out / "taken", vx::kImagePng, "(Is a directory)"},
  };
  for (const Case& c : cases) {
    reports.shown.clear();
    vx::PrintEngine_SetOwnerWindow(&owner);
    events.Clear();
    opened.clear();
    EXPECT_EQ(RunToFiles(c.folder.string(), "b", c.format, 0), -1) << c.what;
    const std::vector<std::pair<std::string, std::string>> boxes = reports.Shown();
    ASSERT_EQ(boxes.size(), 1u) << c.what;
    const std::string page =
        (c.folder / (c.format == vx::kImageBmp ? "b001.bmp" : "b001.png")).string();
    EXPECT_EQ(boxes[0].first.rfind("画像ファイルの保存に失敗しました。\n" + page + "\n", 0), 0u)
        << boxes[0].first;
    EXPECT_NE(boxes[0].first.find(c.reason), std::string::npos) << boxes[0].first;
    EXPECT_EQ(boxes[0].second, vx::Sjis("画像の出力"));
    EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_FAILED}) << c.what;
    EXPECT_TRUE(opened.empty()) << "nothing was written: no folder is shown";
    EXPECT_FALSE(vx::PrintEngine_Job().pageImage);
  }
  EXPECT_EQ(Files(out / "taken"), std::vector<std::string>{"b001.png"});
}

// A stopped image output keeps the complete pages it wrote and counts them; a stopped PDF
// leaves no file (an older file of that name as it was), a finished one no partial file.
TEST_F(OutputTargetTest, AStoppedRunLeavesNoPartialOutput) {
  auto images = std::make_shared<vx::ImageFileOutput>();
  StopAfterFirstPage();
  vx::PrintEngine_SetPageOutput(vx::kTargetImageFiles, images);
  vx::PrintEngine_SetImageFileTarget(nullptr, 0, 0, out.Path().string(), "s", vx::kImagePng);
  vx::PrintEngine_SetOwnerWindow(&owner);
  EXPECT_EQ(RunKind(vx::PrintEngine_Job(), vx::kTargetImageFiles), -1);
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_STOPPED});
  EXPECT_EQ(images->PagesWritten(), 1);
  EXPECT_EQ(Files(out.Path()), std::vector<std::string>{"s001.png"});
  std::filesystem::remove(out / "s001.png");

  WriteFileBytes(out / "job.pdf", "the older file");
  events.Clear();
  StopAfterFirstPage();
  EXPECT_EQ(RunToPdf(out / "job.pdf"), -1);
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_STOPPED});
  EXPECT_EQ(Files(out.Path()), std::vector<std::string>{"job.pdf"});
  EXPECT_EQ(ReadFileBytes(out / "job.pdf"), "the older file");

  events.onPost = nullptr;
  ASSERT_EQ(RunToPdf(out / "job.pdf"), 0);
  EXPECT_EQ(Files(out.Path()), std::vector<std::string>{"job.pdf"});
  EXPECT_EQ(ReadFileBytes(out / "job.pdf").rfind("%PDF", 0), 0u);
  EXPECT_TRUE(reports.Shown().empty());
}

TEST_F(OutputTargetTest, APdfPrinterGetsOnePagePerPage) {
  ASSERT_EQ(RunToPdf(out / "job.pdf"), 0);
  const std::string pdf = ReadFileBytes(out / "job.pdf");
  const std::regex page(R"(/Type\s*/Page\b(?!s))");
  EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), {}), 2);
}

// A PDF that cannot be made says which file; nothing is left behind.
TEST_F(OutputTargetTest, APdfThatCannotBeWrittenIsNamed) {
  const std::filesystem::path file = out / "missing" / "job.pdf";
  EXPECT_EQ(RunToPdf(file), -1);
  EXPECT_EQ(ReportTexts(),
            std::vector<std::string>{"PrintBMP: PDFファイル " + file.string() +
                                     " を作成できません。保存先に書き込めるか確かめてください。"});
  EXPECT_EQ(Files(out.Path()), std::vector<std::string>{});
}

// A printer gets one document holding every page, on both paths, with the copies the printer
// makes (collated copies are pages of the document), the paper and the orientation.
TEST_F(OutputTargetTest, APrinterGetsTheWholeDocumentOnceWhenEveryPageIsDrawn) {
  ASSERT_EQ(RunToPrinter("office", false, 3, 0), 0);
  ASSERT_EQ(RunToPrinter("", true, 2, 1), 0);
  ASSERT_EQ(submitter->submitted.size(), 2u);
  EXPECT_EQ(submitter->pages, (std::vector<int>{2, 4}));
  const vx::PrintSubmission& direct = submitter->submitted[0];
  EXPECT_EQ(direct.printer, "office");
  EXPECT_EQ(direct.copies, 3);
  EXPECT_EQ(direct.media, "A4");
  EXPECT_FALSE(direct.landscape);
  EXPECT_EQ(direct.title, "VPR Print");
  EXPECT_EQ(submitter->submitted[1].printer, "");  // the server's default printer
  EXPECT_EQ(submitter->submitted[1].copies, 1);
  EXPECT_TRUE(SpoolFiles().empty());
  EXPECT_TRUE(reports.Shown().empty());
}

// A print stopped on its way sends the printer nothing and leaves no document behind.
TEST_F(OutputTargetTest, AStoppedPrintSendsThePrinterNothing) {
  for (const bool pageImages : {false, true}) {
    events.Clear();
    StopAfterFirstPage();
    EXPECT_EQ(RunToPrinter("office", pageImages), -1);
    EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_STOPPED}) << pageImages;
  }
  EXPECT_TRUE(submitter->submitted.empty());
  EXPECT_TRUE(SpoolFiles().empty());
  EXPECT_TRUE(reports.Shown().empty());
}

// A document the print server does not take fails the print, says so and why, once.
TEST_F(OutputTargetTest, ASubmissionTheServerRefusesFailsThePrint) {
  submitter->failure = "Service Unavailable";
  vx::PrintEngine_SetOwnerWindow(&owner);
  events.Clear();
  EXPECT_EQ(RunToPrinter("office", false), -1);
  EXPECT_EQ(EndMessages(), std::vector<unsigned>{UM_PRINT_FAILED});
  EXPECT_EQ(ReportTexts(), std::vector<std::string>{"PrintBMP: プリンタ office に印刷を送れません"
                                                    "でした。印刷は行われていません。\n"
                                                    "Service Unavailable"});
  EXPECT_TRUE(SpoolFiles().empty());
}

// A document or a page that cannot be started fails the print on both paths: the printer gets
// nothing, and an older PDF of the name stays as it was.
TEST_F(OutputTargetTest, APrintWhoseDocumentOrPageCannotBeStartedSendsNothing) {
  const std::string noDocument = "PrintBMP: StartDoc に失敗しました(0)一時フォルダ " +
                                 std::filesystem::temp_directory_path().string() +
                                 " に書き込めるか、空きがあるかを確かめてください。";
  const struct {
    FaultyPrinter::Fault fault;
    bool pageImages;
    std::string text;
  } cases[] = {
      {FaultyPrinter::kDocument, false, noDocument},
      {FaultyPrinter::kDocument, true, noDocument},
      {FaultyPrinter::kSecondPage, false, "PrintBMP_StartPage: StartPage に失敗しました(0)"},
      {FaultyPrinter::kSecondPage, true, "PrintBMP_Print_BMP: StartPage に失敗しました(0)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + (c.pageImages ? " through page images" : " drawn directly"));
    ClearMessages();
    EXPECT_EQ(RunToPrinter("office", c.pageImages, 1, 0, Faulty(c.fault)), -1);
    ExpectFailedWithNothingSent(c.text);
  }

  WriteFileBytes(out / "job.pdf", "the older file");
  ClearMessages();
  EXPECT_EQ(RunToPdf(out / "job.pdf", Faulty(FaultyPrinter::kSecondPage)), -1);
  ExpectFailedWithNothingSent("PrintBMP_StartPage: StartPage に失敗しました(0)");
  EXPECT_EQ(Files(out.Path()), std::vector<std::string>{"job.pdf"});
  EXPECT_EQ(ReadFileBytes(out / "job.pdf"), "the older file");
}

// Without a temporary folder there is nowhere to hold the document: nothing is printed, and the
// message names the folder.
TEST_F(OutputTargetTest, APrintWithoutItsTemporaryFolderSaysWhichFolder) {
  const char* named = std::getenv("TMPDIR");
  const std::optional<std::string> saved = named ? std::optional<std::string>(named) : std::nullopt;
  const std::filesystem::path gone = out / "gone";
  ::setenv("TMPDIR", gone.c_str(), 1);
  ClearMessages();
  const int result = RunToPrinter("office", false);
  saved ? ::setenv("TMPDIR", saved->c_str(), 1) : ::unsetenv("TMPDIR");
  EXPECT_EQ(result, -1);
  ExpectFailedWithNothingSent("PrintBMP_Open: 印刷用の一時ファイルを作成できません。一時フォルダ " +
                              gone.string() + " に書き込めるか、空きがあるかを確かめてください。");
}

// Qt's PDF writer ends a document cut short by a full disk without a complaint: such a document
// is neither saved under its name (the older file stays) nor sent to the printer; the user is
// told.
TEST_F(OutputTargetTest, ADocumentCutShortByAFullDiskIsNeitherSavedNorPrinted) {
  ASSERT_EQ(RunToPdf(out / "whole.pdf"), 0);
  const std::uintmax_t room = std::filesystem::file_size(out / "whole.pdf") / 2;
  std::filesystem::remove(out / "whole.pdf");
  WriteFileBytes(out / "job.pdf", "the older file");
  ClearMessages();
  {
    FileSizeLimit full(room);
    EXPECT_EQ(RunToPdf(out / "job.pdf"), -1);
  }
  ExpectFailedWithNothingSent(
      "PrintBMP: PDFファイル " + (out / "job.pdf").string() +
      " を保存できません。保存先に書き込めるか、空きがあるかを確かめてください。");
  EXPECT_EQ(Files(out.Path()), std::vector<std::string>{"job.pdf"});
  EXPECT_EQ(ReadFileBytes(out / "job.pdf"), "the older file");

  for (const bool pageImages : {false, true}) {
    SCOPED_TRACE(pageImages ? "through page images" : "drawn directly");
    ClearMessages();
    {
      FileSizeLimit full(room);
      EXPECT_EQ(RunToPrinter("office", pageImages), -1);
    }
    ExpectFailedWithNothingSent(
        "PrintBMP: プリンタ office に印刷を送れませんでした。印刷は行われて"
        "いません。\n印刷用の一時ファイルを書き終えられませんでした。");
  }
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

// Pages drawn straight onto the printer land on the printed area as a page image would, in
// both orientations; a layout whose shape differs from the area's by less than 0.1 % keeps one
// scale for both axes.
TEST(PrinterOutputTest, PagePixelsMapOntoThePrintedArea) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setFullPage(true);
  vx::PrintJob job;
  job.leftMargin = 5;
  job.topMargin = 5;
  job.printableWidth = 200;
  job.printableHeight = 287;
  for (const int orientation : {vx::kPortrait, vx::kLandscape}) {
    job.orientation = orientation;
    const bool portrait = orientation == vx::kPortrait;
    const int width = portrait ? 2362 : 3390;
    const int height = portrait ? 3390 : 2362;
    const QTransform t = vx::PrinterOutput::LayoutTransform(job, printer, width, height);
    const QRectF target = vx::PrinterOutput::TargetRect(job, printer);
    EXPECT_NEAR(t.map(QPointF(0, 0)).x(), target.left(), 0.01) << orientation;
    EXPECT_NEAR(t.map(QPointF(0, 0)).y(), target.top(), 0.01) << orientation;
    // Within the 0.1 % that one scale for both axes may take.
    EXPECT_NEAR(t.map(QPointF(width, height)).x(), target.right(), target.width() / 1000)
        << orientation;
    EXPECT_NEAR(t.map(QPointF(width, height)).y(), target.bottom(), target.height() / 1000)
        << orientation;
  }
  job.orientation = vx::kPortrait;
  const QTransform nearlySquare = vx::PrinterOutput::LayoutTransform(job, printer, 2362, 3392);
  EXPECT_EQ(nearlySquare.m11(), nearlySquare.m22());
  const QTransform stretched = vx::PrinterOutput::LayoutTransform(job, printer, 2362, 3000);
  EXPECT_NE(stretched.m11(), stretched.m22());
}

}  // namespace
}  // namespace vxtest
