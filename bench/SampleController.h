// A catalogue controller over the full-size sample disc installed into a bench-data folder of its
// own, with the disc's cut images, the event's default list columns, nine check colours, a
// scripted UI and the real progress dialog: what the window benchmarks run on. The including
// benchmark links vx_ui and defines what FullSampleDisc.h needs.
#pragma once

#include "bench/FullSampleDisc.h"

#include <memory>
#include <string>

#include "app/CatalogController.h"
#include "app/ListColumns.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "tests/support/ScriptedUiServices.h"
#include "ui/widgets/ProgressDialogRunner.h"

namespace vxbench {

class SampleController {
 public:
  // False when the disc could not be made or installed, or the controller not started.
  bool Open(const std::string& folder) {
    const auto file = BenchDataFolder() / folder / vx::PavorunDatabase::kFileName;
    fs::create_directories(file.parent_path());
    if (FullSampleDisc().empty() || InstallFullSampleDisc(file) != 1) return false;
    db_ = std::make_unique<vx::PavorunDatabase>(file.parent_path());
    db_->SelectEvent(kSampleEvent);
    images_.Open(FullSampleDisc(), kSampleEvent);
    values_.eventNumber = kSampleEvent;
    values_.listShowCut = 1;
    values_.listSortEnable = 1;
    values_.sortEnable = 1;
    values_.fvrColorNum = 9;
    vx::ResetListColumns(values_, kSampleEvent);
    return controller_.Init(db_.get(), &images_, &values_);
  }

  vx::CatalogController& Controller() { return controller_; }
  vx::PavorunDatabase& Database() { return *db_; }
  vx::SettingsValues& Values() { return values_; }

 private:
  std::unique_ptr<vx::PavorunDatabase> db_;
  vx::CatalogImages images_;
  vx::SettingsValues values_{};
  vx::ScriptedUiServices ui_;
  vx::ProgressDialogRunner progress_;
  vx::CatalogController controller_{nullptr, {&ui_, &progress_, nullptr, nullptr, nullptr}};
};

}  // namespace vxbench
