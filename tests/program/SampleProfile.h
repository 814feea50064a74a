// A profile folder holding the small sample catalogue's database and image data, the user data
// kept in the same folder, as run-sample.sh makes one.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/PrintSettings.h"
#include "print/PrintJob.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vxtest {

inline void MakeSampleProfile(const std::filesystem::path& profile) {
  namespace fs = std::filesystem;
  const fs::path disc = std::getenv("VX_SAMPLE_DISC");
  const fs::path images = profile / "VQ96";
  fs::create_directories(images);
  WriteFileBytes(profile / "settings.ini", "[Settings]\r\nUserData=exepath\r\n");
  ChildProcess install;
  ASSERT_TRUE(
      install.Start(VX_INSTALL_TOOL, {disc.string(), (profile / "vindaxel96.db").string()}));
  ASSERT_TRUE(install.WaitForExit(std::chrono::minutes(1)));
  ASSERT_EQ(install.ExitCode(), 0) << install.Output();
  for (const char* folder : {"PDATA", "MDATA"}) {
    fs::copy(disc / folder, images / folder, fs::copy_options::recursive);
  }
  for (const auto& entry : fs::directory_iterator(disc)) {
    if (entry.path().extension() == ".CCZ") fs::copy(entry.path(), images);
  }
}

// The program on a sample profile, in this process.
class SampleProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeSampleProfile(root.Path());
    ::setenv("VINDAXEL_PROGRAM_DIR", root.Path().c_str(), 1);
  }
  void TearDown() override { ::unsetenv("VINDAXEL_PROGRAM_DIR"); }

  // Image output of the blank maps: 300-pixel PNG files "map001.png"... in `out`.
  void ChooseBlankMapImages(vx::PrintSettings& settings) const {
    settings.mode = 3;
    std::strcpy(settings.bmpOutPath, out.Path().c_str());
    std::strcpy(settings.bmpOutFile, "map");
    settings.bmpOutFormat = vx::kImagePng;
    settings.bmpOutSize = 300;
  }

  TempDir root;
  TempDir out;
};

}  // namespace vxtest
