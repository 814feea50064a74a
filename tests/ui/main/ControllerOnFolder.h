// A controller over whatever database lies in a folder (none, empty or damaged), opened as
// start-up opens it: for the windows' tests of what they offer without a catalogue.
#pragma once

#include <memory>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"

namespace vxtest {

struct ControllerOnFolder {
  // The database in `dir` for event 96, the controller on it.
  void OpenDatabase() {
    db = std::make_unique<vx::PavorunDatabase>(dir.Path());
    db->HasCircles(96);  // the start-up's first query, which finds damage past the first page
    db->SelectEvent(96);
    values.eventNumber = 96;
    controller.Init(db.get(), &images, &values);
  }
  // In shut-down's order: the controller lets go of the database before it goes.
  void CloseDatabase() {
    controller.Exit();
    db.reset();
  }

  TempDir dir;
  std::unique_ptr<vx::PavorunDatabase> db;  // at first a new one: no catalogue installed
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vx::AppSettings settings{dir.Path()};
  vx::CatalogController controller{&settings, {&ui, nullptr, nullptr, nullptr, nullptr}};
};

}  // namespace vxtest
