// The print benchmarks' job: the full-size sample catalogue, a checklist of 1,000 circles spread
// over it (colours 1..9 in turn) and the print engine over them, set up for twenty pages of the
// LIST document (A4 portrait, LIST_0V: 50 rows of nine columns a page). Runs go on the document
// thread as in the program. Also the process's peak memory.
#pragma once

#include <fstream>
#include <memory>
#include <string>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "bench/SampleCatalogDatabase.h"
#include "checklist/FavoriteStore.h"
#include "data/images/CatalogImages.h"
#include "print/CatalogPrintDataSource.h"
#include "print/PrintDocuments.h"
#include "print/PrintEngine.h"
#include "print/PrintSelection.h"
#include "print/QtPrintTextDrawer.h"

namespace vxbench {

inline constexpr int kListPages = 20;
inline constexpr int kListLinesPerPage = 50;

// The peak resident memory since the last ResetPeakMemory (VmHWM).
inline double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmHWM:") {
      double kilobytes = 0;
      status >> kilobytes;
      return kilobytes / 1024.0;
    }
    status.ignore(1 << 16, '\n');
  }
  return 0;
}

inline void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

class ListPrintCatalog {
 public:
  ListPrintCatalog() : settings_(catalogue_.Folder()) {
    settings_.LoadSystemGroup();
    values_ = settings_.Values();
    controller_.Init(&catalogue_.Database(), &images_, &values_);
    vx::FavoriteStore& store = *controller_.GetFavoriteStore();
    const int stride = catalogue_.Database().GetMaxCircleId() / (kListPages * kListLinesPerPage);
    for (int i = 0; i < kListPages * kListLinesPerPage; ++i) {
      store.SetColor(1 + i * stride, 1 + i % 9);
    }
    vx::PrintEngineServices services;
    services.source = &source_;
    services.text = &text_;
    vx::PrintEngine_SetContext(services, catalogue_.Folder(), VX_LAYOUT_FOLDER);
    vx::PrintDocuments_Register();
    vx::PrintSelection request;
    request.Reset();
    request.family = vx::PrintSelection::kFamilyList;
    request.layout = 1;  // LIST_0V
    request.colorList = true;
    pageCount_ = vx::PrintEngine_SetupJob(request);
  }

  int PageCount() const { return pageCount_; }
  const std::filesystem::path& Folder() const { return catalogue_.Folder(); }

  // Runs the set-up job on its document thread and waits for its end.
  static void RunJob() {
    vx::PrintEngine_RunJob();
    vx::PrintEngine_WaitForJob();
  }

 private:
  SampleCatalogDatabase catalogue_;
  vx::AppSettings settings_;
  vx::SettingsValues values_{};
  vx::CatalogImages images_;
  vx::CatalogController controller_{nullptr, {}};
  vx::CatalogPrintDataSource source_{controller_};
  vx::QtPrintTextDrawer text_;
  int pageCount_ = 0;
};

}  // namespace vxbench
