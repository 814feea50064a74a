// Where the print engine shows its error boxes: an interface so that the engine runs headless;
// the program shows them through its UI services.
#pragma once

#include <string_view>

#include "platform/UiServices.h"

namespace vx {

class PrintReportSink {
 public:
  virtual ~PrintReportSink() = default;
  // Shows an error box (OK button, error icon) owned by `owner` and returns when it is closed.
  // Called from whichever thread runs the print code, the document thread included.
  virtual void ShowError(OwnerWindow owner, std::string_view text, std::string_view title) = 0;
};

}  // namespace vx
