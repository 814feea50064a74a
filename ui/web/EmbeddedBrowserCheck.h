// Whether the login window's embedded browser can start in this process. A browser that cannot
// start ends the whole program the moment any part of it is made (as the root user without its
// sandbox, or without a helper program it can run), with no way back: the reasons it would end
// for are looked for before any of it is made. A helper program that runs but ends at once is only
// found out when the browser starts it for a page (with the sandbox that still ends the program).
#pragma once

#include <QString>

namespace vx {

class EmbeddedBrowserCheck {
 public:
  // That the browser cannot start here and why, for the user; empty when nothing stands in its
  // way.
  static QString Problem();
  // The same, when the helper program would not start for a page.
  static QString HelperFailed();

 private:
  // The browser refuses to run without its sandbox for the root user (or a program whose user
  // ids differ), unless the sandbox was turned off.
  static bool SandboxRefused();
  // Where the browser looks for its helper program: only the environment's path when it names
  // one, else beside the program, then among Qt's helper programs.
  static QString HelperProgram();
};

}  // namespace vx
