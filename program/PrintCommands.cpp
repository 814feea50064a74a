#include "program/PrintCommands.h"

#include <QDesktopServices>
#include <QPrinterInfo>
#include <QUrl>

#include "app/ApplicationCore.h"
#include "app/CatalogController.h"
#include "app/ModalScope.h"
#include "app/SettingsValues.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "print/ImageFileOutput.h"
#include "print/PrintEngine.h"
#include "print/PrinterOutput.h"
#include "program/PrintSettingsCommand.h"
#include "res/ResourceIds.h"
#include "ui/print/ImageOutputDialog.h"
#include "ui/print/PrintDialog.h"
#include "ui/print/PrintProgressDialog.h"

namespace vx {
namespace {

constexpr std::size_t kPrinterNameLength = 32;

void OpenFolder(const std::filesystem::path& folder) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QtPath(folder)));
}

// How the progress dialog names the printer (CP932, at most 32 characters).
std::string PrinterName(const PrinterChoice& choice) {
  QString name = !choice.pdfFile.empty()       ? QtPath(choice.pdfFile.filename())
                 : !choice.printerName.empty() ? QString::fromStdString(choice.printerName)
                                               : QPrinterInfo::defaultPrinterName();
  return Cp932Text(name.left(kPrinterNameLength));
}

std::string FieldText(const char* field, std::size_t size) {
  return std::string(field, strnlen(field, size));
}

}  // namespace

PrintCommands::PrintCommands(ApplicationCore& core, UiServices& ui, std::function<QWidget*()> owner)
    : core_(core), ui_(ui), owner_(std::move(owner)) {
  dialogServices_.ui = &ui_;
  // The sheet edits the same working settings the dialogs show.
  dialogServices_.runSettingsSheet = [this](QWidget* parent, PrintSettings&) {
    RunPrintSettingsCommand(parent, core_, ui_, context_);
  };
  PrintEngine_SetPageOutput(kTargetImageFiles, std::make_shared<ImageFileOutput>(OpenFolder));
  PrintEngine_SetPageOutput(kTargetPrinter, std::make_shared<PrinterOutput>());
  PrintEngine_SetPageOutput(kTargetPrinterImages, std::make_shared<PrinterOutput>());
  On(ID_PRINT, [this] { Print(); });
  On(ID_IMAGE_OUTPUT, [this] { OutputImages(); });
}

PrintCommands::~PrintCommands() { PrintEngine_Reset(); }

PrintSettings& PrintCommands::Settings() const { return core_.values().print; }

void PrintCommands::Print() {
  if (!context_.Set(core_, ui_)) return;
  QWidget* owner = owner_();
  PrintSettings& settings = Settings();
  {
    ModalScope modal(core_.controller());
    PrintDialog dialog(owner, settings, dialogServices_, printer_);
    if (dialog.DoModal() == 1) {
      PrintJob_BuildFromSettings(settings, settings.mode);
      PrintEngine_SetPrinterTarget(owner, settings.bmpPrint, printer_);
      PrintEngine_SetPageRange(dialog.allPages() ? "1-" : dialog.pageRange(), dialog.copies(),
                               dialog.collate() ? 1 : 0);
      PrintProgressDialog(owner, PrinterName(printer_)).DoModal();
    }
  }
  PrintEngine_ReleaseRecords();
}

void PrintCommands::OutputImages() {
  if (!context_.Set(core_, ui_)) return;
  QWidget* owner = owner_();
  PrintSettings& settings = Settings();
  {
    ModalScope modal(core_.controller());
    ImageOutputDialog dialog(owner, settings, dialogServices_);
    if (dialog.DoModal() == 1) {
      PrintJob_BuildFromSettings(settings, settings.mode);
      PrintEngine_SetImageFileTarget(
          owner, settings.bmpOutSize, settings.hiReso,
          Cp932ToUtf8(FieldText(settings.bmpOutPath, sizeof settings.bmpOutPath)),
          Cp932ToUtf8(FieldText(settings.bmpOutFile, sizeof settings.bmpOutFile)),
          settings.bmpOutFormat);
      PrintEngine_SetPageRange(dialog.allPages() ? "1-" : dialog.pageRange(), 1, 0);
      PrintProgressDialog(owner, Sjis("[BMP出力]")).DoModal();
    }
  }
  PrintEngine_ReleaseRecords();
}

}  // namespace vx
