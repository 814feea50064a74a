#include "program/PrintContext.h"

#include <optional>

#include "app/ApplicationCore.h"
#include "platform/qt/UiThread.h"
#include "print/CatalogPrintDataSource.h"
#include "print/PrintEngine.h"
#include "print/QtPrintEventSink.h"
#include "print/QtPrintTextDrawer.h"
#include "print/UiPrintReportSink.h"
#include "ui/print/PrintPreviewDialog.h"

namespace vx {

struct PrintContext::Services {
  std::optional<CatalogPrintDataSource> source;
  std::optional<UiPrintReportSink> reports;
  QtPrintEventSink events;
  QtPrintTextDrawer text;
};

PrintContext::PrintContext() : services_(std::make_unique<Services>()) {}

PrintContext::~PrintContext() = default;

bool PrintContext::Set(ApplicationCore& core, UiServices& ui) {
  CatalogController* controller = core.Controller();
  if (!controller) return false;
  services_->source.emplace(*controller);
  services_->reports.emplace(ui,
                             [](std::function<void()> work) { RunOnUiThread(std::move(work)); });
  PrintEngineServices services;
  services.source = &*services_->source;
  services.reports = &*services_->reports;
  services.events = &services_->events;
  services.text = &services_->text;
  services.runPreview = RunPrintPreview;
  PrintEngine_SetContext(services, core.ImageFolder().value_or(std::filesystem::path()),
                         core.ProgramFolder());
  return true;
}

}  // namespace vx
