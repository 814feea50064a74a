// What the portal commands of one program session have told the user already: a warning that
// holds for every command comes with the first only.
#pragma once

#include <atomic>

namespace vx {

class PortalSessionNotices {
 public:
  // True the first time only: the login cannot be kept (the key file cannot be used).
  bool FirstUnkeptLogin() { return !unkeptLoginTold_.exchange(true); }

 private:
  std::atomic<bool> unkeptLoginTold_{false};
};

}  // namespace vx
