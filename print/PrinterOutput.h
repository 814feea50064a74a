// The printer targets (a CUPS printer, or a PDF file): pages drawn straight onto the printer
// through a PrinterPageCanvas (page kind 1), or composed in the job's page image and then drawn
// onto the printer; either way scaled to the printed area the print settings ask for. One
// document per run, named "VPR Print", written as PDF: a PDF file beside its place under a
// hidden name, taking its name only when every page is in it; a printer's document in a private
// temporary file that is submitted (PrintSubmitter, CUPS by default) only then. A failed or
// stopped run (a page that cannot be started fails it) removes what it wrote and sends the
// printer nothing; so does a document that did not reach the disk whole. A failed submission is
// reported and fails the run.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <filesystem>
#include <functional>
#include <memory>

#include "print/PrintPageOutput.h"
#include "print/PrintSubmitter.h"
#include "print/PrinterChoice.h"

namespace vx {

class PrinterOutput final : public PrintPageOutput {
 public:
  // Makes the printer of each run: a high-resolution QPrinter by default; tests pass a failing one.
  using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;

  explicit PrinterOutput(std::shared_ptr<PrintSubmitter> submitter = nullptr,
                         PrinterFactory makePrinter = {});

  int Open(PrintJob& job) override;
  int Put(PrintJob& job) override;
  int Close(PrintJob& job) override;
  void Abort(PrintJob& job) override;

  // Where the page lands on the paper in device pixels: the job's printed area (the whole page
  // when the job gives none), its axes exchanged for landscape pages.
  static QRectF TargetRect(const PrintJob& job, const QPrinter& printer);
  // Page pixels of a page image of `pageWidth` x `pageHeight` onto TargetRect, for pages drawn
  // straight onto the printer: they land where the page image would.
  static QTransform LayoutTransform(const PrintJob& job, const QPrinter& printer, int pageWidth,
                                    int pageHeight);

 private:
  int OpenPrinter(const PrintJob& job, const PrinterChoice& choice);
  PrintSubmission SubmissionOf(const PrintJob& job) const;
  int SubmitSpoolFile(const PrintSubmission& submission, bool ended);
  void Release(PrintJob& job);

  std::shared_ptr<PrintSubmitter> submitter_;
  PrinterFactory makePrinter_;
  PrinterChoice choice_;
  std::filesystem::path spoolFile_;  // a printer's document until it is submitted
  std::unique_ptr<QPrinter> printer_;
  std::filesystem::path pdfFile_;   // where the finished PDF goes
  std::filesystem::path partFile_;  // what the printer writes until then
  std::unique_ptr<QPainter> painter_;
  bool pageStarted_ = false;
};

}  // namespace vx
