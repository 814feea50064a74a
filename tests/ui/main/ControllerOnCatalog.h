// A controller over the small controller catalogue (pages 10, 11 and 13 of event 96), for the
// windows and dialogs that talk to it; with images, the page pictures of the cut page view's tests
// (tests/ui/views/CutPageFixture.h).
#pragma once

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/views/CutPageFixture.h"

namespace vxtest {

struct ControllerOnCatalog {
  explicit ControllerOnCatalog(bool withImages = false) {
    BuildControllerCatalog(db);
    if (withImages) {
      WriteCutArchive(dir.Path());
      images.Open(dir.Path(), kControllerEvent);
    }
    values.eventNumber = kControllerEvent;
    controller.Init(&db, &images, &values);
  }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vx::AppSettings settings{dir.Path()};  // the profile is the catalogue's folder
  vx::CatalogController controller{&settings, {&ui, nullptr, nullptr, nullptr, nullptr}};
};

}  // namespace vxtest
