#include "tools/sample-disc/SampleOptions.h"

#include <charconv>

namespace vx::sampledisc {
namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseChoice(const std::string& option, const std::string& value, std::string& error,
                 const std::vector<std::string>& choices, std::size_t& index) {
  for (index = 0; index < choices.size(); ++index) {
    if (choices[index] == value) return true;
  }
  error = option + ": unknown value '" + value + "'";
  return false;
}

bool ApplyOption(const std::string& option, const std::string& value, SampleOptions& options,
                 std::string& error) {
  std::size_t choice = 0;
  if (option == "--out") {
    if (value.empty()) {
      error = "--out: the folder name is empty";
      return false;
    }
    options.outDir = value;
  } else if (option == "--event") {
    // Event numbers appear as %03d in file names and as a single digit nowhere, so 1..999.
    if (!ParseNumber(value, options.event) || options.event < 1 || options.event > 999) {
      error = "--event: expected a number from 1 to 999, got '" + value + "'";
      return false;
    }
  } else if (option == "--seed") {
    if (!ParseNumber(value, options.seed)) {
      error = "--seed: expected a non-negative number, got '" + value + "'";
      return false;
    }
  } else if (option == "--size") {
    if (!ParseChoice(option, value, error, {"small", "full"}, choice)) return false;
    options.size = choice == 0 ? CatalogSize::kSmall : CatalogSize::kFull;
  } else if (option == "--rom") {
    if (!ParseChoice(option, value, error, {"single", "days"}, choice)) return false;
    options.rom = choice == 0 ? RomForm::kSingle : RomForm::kDays;
  } else if (option == "--layout") {
    if (!ParseChoice(option, value, error, {"root", "subdir", "lower"}, choice)) return false;
    options.layout = static_cast<DiscLayout>(choice);
  } else {
    error = "unknown option '" + option + "'";
    return false;
  }
  return true;
}

}  // namespace

bool ParseSampleOptions(const std::vector<std::string>& args, SampleOptions& options,
                        std::string& error) {
  bool haveOut = false;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) {
      error = option.rfind("--", 0) == 0 ? option + ": missing value"
                                         : "unexpected argument '" + option + "'";
      return false;
    }
    if (!ApplyOption(option, args[i + 1], options, error)) return false;
    haveOut = haveOut || option == "--out";
  }
  if (!haveOut) {
    error = "--out DIR is required";
    return false;
  }
  return true;
}

std::string UsageText() {
  return "usage: vindaxel-sample-disc --out DIR [--event N] [--size small|full] [--seed N]\n"
         "                            [--rom single|days] [--layout root|subdir|lower]\n";
}

}  // namespace vx::sampledisc
