// The application core started on a program folder holding the test catalogue, with scripted UI
// services; "settings.ini" decides where the user data lives (the documents folder for
// "personalpath", whose catalogue is built unless a test says otherwise).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/ApplicationCore.h"
#include "platform/CodePage.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"

namespace vxtest {

class CoreTest : public ::testing::Test {
 protected:
  CoreTest() {
    ::setenv("XDG_DOCUMENTS_DIR", (root / "Documents").c_str(), 1);
    services.ui = &ui;
    services.controller.ui = &ui;
    services.askImageFolder = [this](std::span<char>, int) {
      ++imageFolderAsked;
      return false;
    };
  }

  std::filesystem::path Program() const { return root / "program"; }
  std::filesystem::path Documents() const { return root / "Documents" / "vindaxel"; }
  static void BuildCatalog(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    vx::PavorunDatabase db(folder);
    BuildControllerCatalog(db);
  }
  // `userIni` is the text of the user settings file in the documents folder.
  void Start(const std::string& settingsIni, bool userCatalog = true,
             const std::string& userIni = "") {
    BuildCatalog(Program());
    if (userCatalog) BuildCatalog(Documents());
    std::filesystem::create_directories(Documents());
    WriteFileBytes(Program() / "settings.ini", "[Settings]\r\n" + settingsIni);
    WriteFileBytes(Documents() / "vindaxel.ini", userIni);
    core = std::make_unique<vx::ApplicationCore>(Program(), services);
    core->LoadSettings({0, 0, 1024, 768});
    core->OpenImages();
    core->OpenDatabase();
    ASSERT_TRUE(core->CreateController());
    ui.ClearCalls();
  }
  std::vector<vx::UiCall> Boxes() const { return ui.CallsOf(vx::UiCallKind::kMessageBox); }
  // Box n has this text, title (both UTF-8) and flags.
  void ExpectBox(std::size_t n, const std::string& text, const std::string& title,
                 unsigned flags) const {
    ASSERT_GT(Boxes().size(), n);
    EXPECT_EQ(std::tie(Boxes()[n].text, Boxes()[n].caption, Boxes()[n].flags),
              std::make_tuple(vx::Sjis(text), vx::Sjis(title), flags));
  }

  TempDir root;
  vx::ScriptedUiServices ui;
  vx::ApplicationServices services;
  int imageFolderAsked = 0;
  std::unique_ptr<vx::ApplicationCore> core;
};

}  // namespace vxtest
