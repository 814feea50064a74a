// Whether the login window's embedded browser can start in this process. A browser that cannot
// start ends the whole program the moment any part of it is made (as the root user without its
// sandbox, or without its helper program), with no way back: the reasons it would end for are
// looked for before any of it is made.
#pragma once

#include <QString>

namespace vx {

class EmbeddedBrowserCheck {
 public:
  // Why the browser cannot start here, for the user; empty when nothing stands in its way.
  static QString Problem();

 private:
  // The browser refuses to run without its sandbox for the root user (or a program whose user
  // ids differ), unless the sandbox was turned off.
  static bool SandboxRefused();
  // The helper program's path when it cannot be found where the browser looks for it, else empty.
  static QString MissingHelper();
};

}  // namespace vx
