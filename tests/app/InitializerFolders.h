// A program folder and a user folder under a temporary root, where the database initialisation
// looks for the catalogue and the user's database.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "data/PavorunDatabase.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"

namespace vxtest {

class InitializerFolders : public ::testing::Test {
 protected:
  InitializerFolders() {
    std::filesystem::create_directories(Program());
    std::filesystem::create_directories(User());
  }
  std::filesystem::path Program() const { return root / "program"; }
  std::filesystem::path User() const { return root / "user"; }
  // The catalogue of event 96 in the program folder.
  void BuildProgramCatalog() const {
    vx::PavorunDatabase db(Program());
    BuildControllerCatalog(db);
  }
  // A user database holding only event `event` (its information row).
  void BuildUserEvent(int event) const {
    vx::PavorunDatabase db(User());
    db.SetEventNo(event);
    ASSERT_EQ(db.ClearEventTables(), 0);
    vx::EventInfo info;
    info.pavorunName = "user";
    ASSERT_EQ(db.GetInfoTable().InsertRow(info), 0);
  }

  TempDir root;
  vx::ScriptedUiServices ui;
};

}  // namespace vxtest
