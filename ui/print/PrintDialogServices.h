// What the print dialogs call beyond themselves: the message boxes, the print settings sheet and
// the help. The program fills it; an empty function leaves its button doing nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "print/PrinterList.h"

class QWidget;

namespace vx {

class UiServices;
struct PrintSettings;

struct PrintDialogServices {
  UiServices* ui = nullptr;
  // Where a relative output folder lies: the folder of the user's settings.
  std::filesystem::path profileFolder;
  // The print settings sheet over the settings, modal, with the dialog as parent.
  std::function<void(QWidget* parent, PrintSettings& settings)> runSettingsSheet;
  // The help topic ("/PRNSPOOL/PRINTER.HTM" and such) of the program's help.
  std::function<void(QWidget* parent, const std::string& topic)> showHelp;
  // The printers to offer; empty: the ones Qt knows.
  std::function<PrinterList()> listPrinters;
};

}  // namespace vx
