// The printer the user chose in the print dialog, kept between prints (the engine holds it as
// its printer settings). An output file makes the "printer" a PDF file.
#pragma once

#include <filesystem>
#include <string>

namespace vx {

struct PrinterChoice {
  std::string printerName;        // UTF-8; empty: the system's default printer
  std::filesystem::path pdfFile;  // not empty: pages go to this PDF file instead
  // The paper of the print settings, portrait, in tenths of a millimetre; 0: the printer's own.
  int paperWidth = 0;
  int paperHeight = 0;
};

}  // namespace vx
