#include "app/StartupArguments.h"

namespace vx {

StartupArguments StartupArguments::Parse(std::span<const std::string> arguments) {
  StartupArguments parsed;
  if (arguments.empty()) return parsed;
  const std::string& first = arguments.front();
  if (first == kRebootArgument) {
    parsed.restart = true;
  } else if (first == kRebootNoLoadArgument) {
    parsed.restart = true;
    parsed.checklistAllowed = false;
  } else {
    parsed.checklistFile = first;
  }
  return parsed;
}

}  // namespace vx
