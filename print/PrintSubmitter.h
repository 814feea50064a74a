// Where a finished printer document goes: a PDF file holding every page, handed to the print
// server in one piece only once the run has drawn all of it, so that a stopped or failed print
// never reaches the printer.
#pragma once

#include <filesystem>
#include <string>

namespace vx {

struct PrintSubmission {
  std::string printer;  // UTF-8; empty: the server's default printer
  std::filesystem::path pdf;
  std::string title = "VPR Print";
  int copies = 1;
  bool collate = false;
  std::string media;  // the paper's name, e.g. "A4"; empty: the printer's own
  bool landscape = false;
};

class PrintSubmitter {
 public:
  virtual ~PrintSubmitter() = default;
  // Submits the document; empty when the server took it, else what went wrong (UTF-8).
  virtual std::string Submit(const PrintSubmission& submission) = 0;
};

}  // namespace vx
