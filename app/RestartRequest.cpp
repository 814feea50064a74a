#include "app/RestartRequest.h"

#include "app/StartupArguments.h"

namespace vx {

std::vector<std::string> RestartRequest::Arguments() const {
  if (!requested) return {};
  return {std::string(SwitchesEvent() ? kRebootNoLoadArgument : kRebootArgument)};
}

}  // namespace vx
