// The application's print commands: print (the print dialog, then the printer or a PDF file) and
// image-file output (the image output dialog, then one file per page), each run in the print
// progress dialog. Their dialogs open the print preview and the print settings sheet. The page
// outputs are registered with the print engine when the commands are made.
#pragma once

#include <functional>

#include "print/PrinterChoice.h"
#include "program/PrintContext.h"
#include "ui/menus/CommandMap.h"
#include "ui/print/PrintDialogServices.h"

class QWidget;

namespace vx {

class ApplicationCore;
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

  ApplicationCore& core_;
  UiServices& ui_;
  std::function<QWidget*()> owner_;
  PrintContext context_;
  PrintDialogServices dialogServices_;
  PrinterChoice printer_;
};

}  // namespace vx
