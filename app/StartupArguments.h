// What the command line asks of a start: an ordinary start, possibly with a checklist file to
// open at the end, or a restart that a data command requested from the instance before.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace vx {

// The restart markers the ending instance passes to the new one.
inline constexpr std::string_view kRebootArgument = "_reboot_";
inline constexpr std::string_view kRebootNoLoadArgument = "_rebootnoload_";

struct StartupArguments {
  bool restart = false;          // a restart skips the single-instance test
  bool checklistAllowed = true;  // false after an event switch: the old checklist does not fit
  std::filesystem::path checklistFile;  // opened at the end of start-up; empty for none

  // `arguments` are those after the program name; only the first one counts. The file name is
  // kept whole, whatever its length.
  static StartupArguments Parse(std::span<const std::string> arguments);
};

}  // namespace vx
