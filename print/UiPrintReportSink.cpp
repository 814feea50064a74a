#include "print/UiPrintReportSink.h"

namespace vx {

void UiPrintReportSink::ShowError(OwnerWindow owner, std::string_view text,
                                  std::string_view title) {
  const auto show = [&] { ui_.MessageBox(owner, text, title, MB_OK | MB_ICONERROR); };
  if (runOnUiThread_) {
    runOnUiThread_(show);
  } else {
    show();
  }
}

}  // namespace vx
