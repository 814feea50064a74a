// The application's print commands: print (the print dialog, then the printer or a PDF file) and
// image-file output (the image output dialog, then one file per page), each run in the print
// progress dialog and ended with a word on what came of it. Their dialogs open the print preview
// and the print settings sheet. The page outputs are registered with the print engine when the
// commands are made. The image folder is kept relative to the profile when it lies inside it.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "print/PrinterChoice.h"
#include "program/PrintContext.h"
#include "ui/menus/CommandMap.h"
#include "ui/print/PrintDialogServices.h"

class QWidget;

namespace vx {

class ApplicationCore;
class ImageFileOutput;
class UiServices;

class PrintCommands : public CommandMap {
 public:
  // The dialogs belong to the window `owner` gives when one opens (the beacon window).
  PrintCommands(ApplicationCore& core, UiServices& ui, std::function<QWidget*()> owner);
  ~PrintCommands() override;

  void Print();
  void OutputImages();

 private:
  PrintSettings& Settings() const;
  // The settings' image folder as an absolute path, and back into the settings as they keep it.
  std::filesystem::path ShownImageFolder();
  void KeepImageFolder(const std::filesystem::path& folder);
  void TellImageOutputEnd(QWidget* owner, unsigned endMessage);
  void TellPrintEnd(QWidget* owner, unsigned endMessage);

  ApplicationCore& core_;
  UiServices& ui_;
  std::function<QWidget*()> owner_;
  PrintContext context_;
  PrintDialogServices dialogServices_;
  PrinterChoice printer_;
  std::shared_ptr<ImageFileOutput> imageFiles_;
};

}  // namespace vx
