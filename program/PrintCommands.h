// The application's print commands: print (the print dialog, then the printer or a PDF file) and
// image-file output (the image output dialog, then one file per page), each run in the print
// progress dialog. The print documents and the page outputs are registered with the print engine
// when the commands are made.
#pragma once

#include <functional>
#include <memory>

#include "print/PrintEngine.h"
#include "print/PrinterChoice.h"
#include "ui/menus/CommandMap.h"
#include "ui/print/PrintDialogServices.h"

class QWidget;

namespace vx {

class ApplicationCore;
class CatalogPrintDataSource;
class PrintTextDrawer;
class QtPrintEventSink;
class UiPrintReportSink;
class UiServices;

class PrintCommands : public CommandMap {
 public:
  using PreviewRunner = std::function<void(OwnerWindow owner)>;

  // The dialogs belong to the window `owner` gives when one opens (the beacon window).
  PrintCommands(ApplicationCore& core, UiServices& ui, std::function<QWidget*()> owner);
  ~PrintCommands() override;

  // The print preview and the print settings sheet, once the program has them; until then their
  // buttons do nothing.
  void SetPreviewRunner(PreviewRunner runPreview) { runPreview_ = std::move(runPreview); }
  void SetSettingsSheetRunner(
      std::function<void(QWidget* parent, PrintSettings& settings)> runSheet) {
    dialogServices_.runSettingsSheet = std::move(runSheet);
  }

  void Print();
  void OutputImages();

 private:
  void SetContext();
  PrintSettings& Settings() const;

  ApplicationCore& core_;
  UiServices& ui_;
  std::function<QWidget*()> owner_;
  PreviewRunner runPreview_;
  PrintDialogServices dialogServices_;
  PrinterChoice printer_;
  std::unique_ptr<CatalogPrintDataSource> source_;
  std::unique_ptr<UiPrintReportSink> reports_;
  std::unique_ptr<QtPrintEventSink> events_;
  std::unique_ptr<PrintTextDrawer> text_;
};

}  // namespace vx
