// Command-line options of the sample disc generator.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vx::sampledisc {

enum class CatalogSize { kSmall, kFull };
// One V%dROM.TXT with every circle, or one file per day plus V%dROM0.TXT.
enum class RomForm { kSingle, kDays };
// Data at the output root, under DATA%02dN/, or everything with lower-case names.
enum class DiscLayout { kRoot, kSubdir, kLower };

struct SampleOptions {
  std::filesystem::path outDir;
  int event = 96;
  CatalogSize size = CatalogSize::kSmall;
  std::uint64_t seed = 1;
  RomForm rom = RomForm::kDays;
  DiscLayout layout = DiscLayout::kRoot;
};

// Parses the arguments after the program name. On failure answers false and sets `error`.
bool ParseSampleOptions(const std::vector<std::string>& args, SampleOptions& options,
                        std::string& error);

std::string UsageText();

}  // namespace vx::sampledisc
