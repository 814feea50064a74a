// Error boxes of the print engine shown through the UI services, always on the UI thread: a
// document thread waits until the user has closed the box.
#pragma once

#include <functional>

#include "print/PrintReportSink.h"

namespace vx {

class UiPrintReportSink final : public PrintReportSink {
 public:
  // Runs a function on the UI thread and returns when it has run (empty: called directly).
  using UiThreadRunner = std::function<void(std::function<void()>)>;

  UiPrintReportSink(UiServices& ui, UiThreadRunner runOnUiThread)
      : ui_(ui), runOnUiThread_(std::move(runOnUiThread)) {}

  void ShowError(OwnerWindow owner, std::string_view text, std::string_view title) override;

 private:
  UiServices& ui_;
  UiThreadRunner runOnUiThread_;
};

}  // namespace vx
