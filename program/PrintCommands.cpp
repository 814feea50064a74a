#include "program/PrintCommands.h"

#include <QDesktopServices>
#include <QPrinterInfo>
#include <QUrl>

#include "app/AppSettings.h"
#include "app/ApplicationCore.h"
#include "app/CatalogController.h"
#include "app/HelpUnavailable.h"
#include "app/SettingsPath.h"
#include "app/ModalScope.h"
#include "app/SettingsValues.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"
#include "platform/UiServices.h"
#include "platform/qt/QtStrings.h"
#include "print/CupsPrinterList.h"
#include "print/ImageFileOutput.h"
#include "print/OutputPath.h"
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

std::string PathText(const std::filesystem::path& path) { return Utf8ToCp932(path.string()); }

}  // namespace

PrintCommands::PrintCommands(ApplicationCore& core, UiServices& ui, std::function<QWidget*()> owner)
    : core_(core), ui_(ui), owner_(std::move(owner)) {
  dialogServices_.ui = &ui_;
  dialogServices_.profileFolder = core_.Settings().UserFolder();
  dialogServices_.listPrinters = CupsPrinterList_Query;
  // The sheet edits the same working settings the dialogs show.
  dialogServices_.runSettingsSheet = [this](QWidget* parent, PrintSettings&) {
    if (RunPrintSettingsCommand(parent, core_, ui_, context_) == IDOK) core_.CommitSettings();
  };
  dialogServices_.showHelp = [this](QWidget* parent, const std::string&) {
    ShowHelpUnavailable(ui_, parent);
  };
  imageFiles_ = std::make_shared<ImageFileOutput>(OpenFolder);
  PrintEngine_SetPageOutput(kTargetImageFiles, imageFiles_);
  PrintEngine_SetPageOutput(kTargetPrinter, std::make_shared<PrinterOutput>());
  PrintEngine_SetPageOutput(kTargetPrinterImages, std::make_shared<PrinterOutput>());
  On(ID_PRINT, [this] { Print(); });
  On(ID_IMAGE_OUTPUT, [this] { OutputImages(); });
}

PrintCommands::~PrintCommands() { PrintEngine_Reset(); }

PrintSettings& PrintCommands::Settings() const { return core_.Values().print; }

void PrintCommands::Print() {
  if (!context_.Set(core_, ui_)) return;
  QWidget* owner = owner_();
  PrintSettings& settings = Settings();
  {
    ModalScope modal(core_.Controller());
    PrintDialog dialog(owner, settings, dialogServices_, printer_);
    const bool accepted = dialog.DoModal() == 1;
    // The dialog changes the settings in place, whether it prints or not.
    core_.CommitSettings();
    if (accepted) {
      PrintJob_BuildFromSettings(settings, settings.mode);
      PrintEngine_SetPrinterTarget(owner, settings.bmpPrint, printer_);
      PrintEngine_SetPageRange(dialog.AllPages() ? "1-" : dialog.PageRange(), dialog.Copies(),
                               dialog.Collate() ? 1 : 0);
      PrintProgressDialog progress(owner, PrinterName(printer_));
      progress.DoModal();
      TellPrintEnd(owner, progress.EndMessage());
    }
  }
  PrintEngine_ReleaseRecords();
}

void PrintCommands::OutputImages() {
  if (!context_.Set(core_, ui_)) return;
  QWidget* owner = owner_();
  PrintSettings& settings = Settings();
  {
    ModalScope modal(core_.Controller());
    StoreSettingsPath(settings.bmpOutPath, SettingsPathText(ShownImageFolder()));
    ImageOutputDialog dialog(owner, settings, dialogServices_);
    const bool accepted = dialog.DoModal() == 1;
    const std::filesystem::path folder = ShownImageFolder();
    KeepImageFolder(folder);
    core_.CommitSettings();  // kept also when the dialog is cancelled
    if (accepted) {
      PrintJob_BuildFromSettings(settings, settings.mode);
      PrintEngine_SetImageFileTarget(
          owner, settings.bmpOutSize, settings.hiReso, folder.string(),
          PathOfSettingsText(SettingsFieldText(settings.bmpOutFile)).string(),
          settings.bmpOutFormat);
      PrintEngine_SetPageRange(dialog.AllPages() ? "1-" : dialog.PageRange(), 1, 0);
      PrintProgressDialog progress(owner, Sjis("[BMP出力]"));
      progress.DoModal();
      TellImageOutputEnd(owner, progress.EndMessage());
    }
  }
  PrintEngine_ReleaseRecords();
}

std::filesystem::path PrintCommands::ShownImageFolder() {
  const PrintSettings& settings = Settings();
  const std::filesystem::path kept = PathOfSettingsText(SettingsFieldText(settings.bmpOutPath));
  const std::filesystem::path folder =
      OutputFolder_FromSettings(kept.string(), dialogServices_.profileFolder);
  return folder.has_filename() ? folder / "" : folder;
}

void PrintCommands::KeepImageFolder(const std::filesystem::path& folder) {
  if (folder.empty()) return;
  StoreSettingsPath(Settings().bmpOutPath, SettingsPathText(OutputFolder_ToSettings(
                                               folder, dialogServices_.profileFolder)));
}

// A finished or stopped output says how many files it wrote and where; a failed one has said
// what failed already.
void PrintCommands::TellImageOutputEnd(QWidget* owner, unsigned endMessage) {
  const std::string counted = std::to_string(imageFiles_->PagesWritten());
  const std::string where = Sjis("\n出力先: ") + PathText(imageFiles_->Folder());
  if (endMessage == UM_PRINT_DONE) {
    ui_.MessageBox(owner, counted + Sjis(" 枚の画像ファイルを出力しました。") + where,
                   Sjis("画像の出力"), MB_OK | MB_ICONINFORMATION);
  } else if (endMessage == UM_PRINT_STOPPED) {
    ui_.MessageBox(owner,
                   Sjis("画像ファイルの出力を中止しました。中止までに ") + counted +
                       Sjis(" 枚を出力しました。") + where,
                   Sjis("画像の出力"), MB_OK | MB_ICONINFORMATION);
  }
}

void PrintCommands::TellPrintEnd(QWidget* owner, unsigned endMessage) {
  if (endMessage != UM_PRINT_STOPPED) return;
  std::string text = Sjis("印刷を中止しました。");
  if (!printer_.pdfFile.empty()) {
    text += Sjis("\nPDFファイル ") + PathText(printer_.pdfFile) + Sjis(" は作成していません。");
  }
  ui_.MessageBox(owner, text, Sjis("印刷"), MB_OK | MB_ICONINFORMATION);
}

}  // namespace vx
