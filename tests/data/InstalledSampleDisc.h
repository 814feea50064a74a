// The small sample disc ($VX_SAMPLE_DISC) installed into a catalogue of its own, for the suites
// that read a real catalogue: made once per suite (SetUpTestSuite) and dropped with it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "data/DiscImportJob.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"
#include "tests/support/TempDir.h"

namespace vxtest {

class InstalledSampleDisc {
 public:
  static constexpr int kEvent = 96;

  // Null when $VX_SAMPLE_DISC is not set; a failed install fails the calling test.
  static std::unique_ptr<InstalledSampleDisc> Install() {
    const char* disc = std::getenv("VX_SAMPLE_DISC");
    if (disc == nullptr) return nullptr;
    auto sample = std::unique_ptr<InstalledSampleDisc>(new InstalledSampleDisc(disc));
    NoPrompts prompts;
    vx::DiscImportJob job(*sample->db_, kEvent, sample->disc_, prompts);
    EXPECT_EQ(job.Run(), vx::DiscImportJob::kResultDone);
    sample->db_->SelectEvent(kEvent);
    return sample;
  }

  vx::PavorunDatabase& Database() { return *db_; }
  const std::filesystem::path& Disc() const { return disc_; }

 private:
  class NoPrompts : public vx::ImportPrompts {
   public:
    std::optional<std::filesystem::path> LocateFile(const std::string&,
                                                    const std::filesystem::path&) override {
      return {};
    }
    void ShowError(const std::string&) override {}
  };

  explicit InstalledSampleDisc(std::filesystem::path disc)
      : disc_(std::move(disc)), db_(std::make_unique<vx::PavorunDatabase>(folder_.Path())) {}

  TempDir folder_;
  std::filesystem::path disc_;
  std::unique_ptr<vx::PavorunDatabase> db_;
};

}  // namespace vxtest
