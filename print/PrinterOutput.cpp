#include "print/PrinterOutput.h"

#include <unistd.h>

#include <QPageSize>
#include <algorithm>
#include <cstdlib>

#include "platform/CodePage.h"
#include "print/CupsPrintSubmitter.h"
#include "print/DibImageQt.h"
#include "print/PageDrawing.h"
#include "print/PdfFileCheck.h"
#include "print/PreviewPageBuffer.h"
#include "print/PrintEngine.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintJob.h"
#include "print/PrintPageGeometry.h"
#include "print/PrinterPageCanvas.h"

namespace vx {
namespace {

PrinterChoice ChoiceOfEngine() {
  const std::any& settings = PrintEngine_PrinterSettings();
  if (const auto* choice = std::any_cast<PrinterChoice>(&settings)) return *choice;
  return {};
}

// Hidden beside the finished file, so that a half-written PDF never carries its name.
std::filesystem::path PartFileOf(const std::filesystem::path& pdf) {
  return pdf.parent_path() / ("." + pdf.filename().string() + ".part");
}

std::string PathText(const std::filesystem::path& path) { return Utf8ToCp932(path.string()); }

// Named also when it is missing or not a folder, so that the message can say which.
std::filesystem::path TempFolder(std::error_code& error) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  const char* named = std::getenv("TMPDIR");
  return error && named ? std::filesystem::path(named) : folder;
}

std::string TempFolderText() {
  std::error_code ignored;
  return Sjis("一時フォルダ ") + PathText(TempFolder(ignored)) +
         Sjis(" に書き込めるか、空きがあるかを確かめてください。");
}

// A private file for the document until it is submitted (0600, in the temporary folder).
bool MakeSpoolFile(std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path folder = TempFolder(error);
  if (error) return false;
  std::string name = (folder / "vindaxel-print-XXXXXX.pdf").string();
  const int fd = mkstemps(name.data(), 4);
  if (fd < 0) return false;
  close(fd);
  path = name;
  return true;
}

QPageSize PaperOf(const PrinterChoice& choice) {
  const QSizeF size(choice.paperWidth / 10.0, choice.paperHeight / 10.0);
  return QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
}

}  // namespace

PrinterOutput::PrinterOutput(std::shared_ptr<PrintSubmitter> submitter, PrinterFactory makePrinter)
    : submitter_(submitter ? std::move(submitter) : std::make_shared<CupsPrintSubmitter>()),
      makePrinter_(std::move(makePrinter)) {}

int PrinterOutput::OpenPrinter(const PrintJob& job, const PrinterChoice& choice) {
  printer_ = makePrinter_ ? makePrinter_() : std::make_unique<QPrinter>(QPrinter::HighResolution);
  choice_ = choice;
  pdfFile_ = choice.pdfFile;
  partFile_.clear();
  spoolFile_.clear();
  if (!pdfFile_.empty()) {
    partFile_ = PartFileOf(pdfFile_);
  } else if (!MakeSpoolFile(spoolFile_)) {
    ReportPrintError(Sjis("印刷用の一時ファイルを作成できません。") + TempFolderText(),
                     "PrintBMP_Open");
    return -1;
  }
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(
      QString::fromStdString((pdfFile_.empty() ? spoolFile_ : partFile_).string()));
  printer_->setFullPage(true);
  printer_->setDocName(QStringLiteral("VPR Print"));
  printer_->setCopyCount(1);  // copies are the documents' (collated) or the server's
  if (choice.paperWidth > 0 && choice.paperHeight > 0) printer_->setPageSize(PaperOf(choice));
  printer_->setPageOrientation(job.orientation == kLandscape ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait);
  if (!printer_->isValid()) {
    ReportPrintError(Sjis("プリンタデバイスのオープンに失敗しました(0)"), "PrintBMP_Open");
    return -1;
  }
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(printer_.get())) {
    const std::string text =
        pdfFile_.empty() ? Sjis("StartDoc に失敗しました(0)") + TempFolderText()
                         : Sjis("PDFファイル ") + PathText(pdfFile_) +
                               Sjis(" を作成できません。保存先に書き込めるか確かめてください。");
    ReportPrintError(text, "PrintBMP");
    return -1;
  }
  painter_->setRenderHint(QPainter::SmoothPixmapTransform);
  return 0;
}

int PrinterOutput::Open(PrintJob& job) {
  pageStarted_ = false;
  const bool direct = job.pageKind == 1;
  PrintEngineState& state = PrintEngine_State();
  if (direct) {
    OpenPageGeometry(job);
  } else if (OpenPageImage(job, Sjis("印刷用メモリが確保できません"), "PrintBMP_Open") != 0) {
    return -1;
  }
  if (OpenPrinter(job, ChoiceOfEngine()) != 0) {
    Abort(job);
    return -1;
  }
  if (direct) {
    const QTransform toDevice =
        LayoutTransform(job, *printer_, state.geometry.width, state.geometry.height);
    job.canvas = std::make_shared<PrinterPageCanvas>(*painter_, *printer_, toDevice);
  }
  return 0;
}

QTransform PrinterOutput::LayoutTransform(const PrintJob& job, const QPrinter& printer,
                                          int pageWidth, int pageHeight) {
  const QRectF target = TargetRect(job, printer);
  const double sx = target.width() / std::max(1, pageWidth);
  double sy = target.height() / std::max(1, pageHeight);
  // Paper and layout of the same shape: one scale, so that letters keep their proportions.
  const double quotient = sx / sy;
  if (quotient >= 0.999 && quotient < 1.001) sy = sx;
  return QTransform(sx, 0, 0, sy, target.x(), target.y());
}

QRectF PrinterOutput::TargetRect(const PrintJob& job, const QPrinter& printer) {
  const QRectF page = printer.paperRect(QPrinter::DevicePixel);
  if (job.printableWidth <= 0 || job.printableHeight <= 0) return page;
  const double perMm = printer.resolution() / 25.4;
  const bool landscape = job.orientation == kLandscape;
  const double x = landscape ? job.topMargin : job.leftMargin;
  const double y = landscape ? job.leftMargin : job.topMargin;
  const double w = landscape ? job.printableHeight : job.printableWidth;
  const double h = landscape ? job.printableWidth : job.printableHeight;
  return QRectF(x * perMm, y * perMm, w * perMm, h * perMm);
}

int PrinterOutput::Put(PrintJob& job) {
  // A page drawn straight onto the printer is on its sheet already.
  if (!painter_ || !job.pageImage) return 0;
  // A document missing a page is not printed: the run fails, as on the direct path.
  if (pageStarted_ && !printer_->newPage()) {
    ReportPrintError(Sjis("StartPage に失敗しました(0)"), "PrintBMP_Print_BMP");
    return -1;
  }
  pageStarted_ = true;
  painter_->drawImage(TargetRect(job, *printer_), DibImage_ToQImage(*job.pageImage));
  return 0;
}

int PrinterOutput::Close(PrintJob& job) {
  const bool ended = !painter_ || !painter_->isActive() || painter_->end();
  const PrintSubmission submission = SubmissionOf(job);
  Release(job);  // the document is on the disk once the printer has gone
  const std::filesystem::path& written = spoolFile_.empty() ? partFile_ : spoolFile_;
  const bool whole = ended && (written.empty() || PdfFileIsComplete(written));
  if (!spoolFile_.empty()) return SubmitSpoolFile(submission, whole);
  if (partFile_.empty()) return 0;
  std::error_code error;
  if (whole) std::filesystem::rename(partFile_, pdfFile_, error);
  if (whole && !error) return 0;
  std::filesystem::remove(partFile_, error);
  ReportPrintError(Sjis("PDFファイル ") + PathText(pdfFile_) +
                       Sjis(" を保存できません。保存先に書き込めるか、空きがあるかを"
                            "確かめてください。"),
                   "PrintBMP");
  return -1;
}

PrintSubmission PrinterOutput::SubmissionOf(const PrintJob& job) const {
  PrintSubmission submission;
  submission.printer = choice_.printerName;
  submission.pdf = spoolFile_;
  // Collated copies are laid out by the documents; the printer makes the others.
  submission.copies = job.rangeFlagB == 0 && job.rangeFlagA > 0 ? job.rangeFlagA : 1;
  submission.collate = job.rangeFlagB != 0;
  if (choice_.paperWidth > 0 && choice_.paperHeight > 0) {
    submission.media = PaperOf(choice_).key().toStdString();
  }
  submission.landscape = job.orientation == kLandscape;
  return submission;
}

// Only a document holding every page goes to the printer, once.
int PrinterOutput::SubmitSpoolFile(const PrintSubmission& submission, bool ended) {
  const std::string failure =
      ended ? submitter_->Submit(submission) : "印刷用の一時ファイルを書き終えられませんでした。";
  std::error_code ignored;
  std::filesystem::remove(spoolFile_, ignored);
  spoolFile_.clear();
  if (failure.empty()) return 0;
  const std::string printer =
      submission.printer.empty() ? std::string("(既定のプリンタ)") : submission.printer;
  ReportPrintError(Sjis("プリンタ ") + Utf8ToCp932(printer) +
                       Sjis(" に印刷を送れませんでした。印刷は行われていません。\n") +
                       Utf8ToCp932(failure),
                   "PrintBMP");
  return -1;
}

// Qt's PDF writer cannot drop a document once begun: it is ended and removed, and nothing goes
// to the printer.
void PrinterOutput::Abort(PrintJob& job) {
  if (painter_ && painter_->isActive()) painter_->end();
  Release(job);
  std::error_code ignored;
  if (!partFile_.empty()) std::filesystem::remove(partFile_, ignored);
  if (!spoolFile_.empty()) std::filesystem::remove(spoolFile_, ignored);
  spoolFile_.clear();
}

void PrinterOutput::Release(PrintJob& job) {
  PrintPage_Release(job);  // the canvas draws with the painter
  painter_.reset();
  printer_.reset();
}

}  // namespace vx
