// A restart that a data command asked for: the ending instance saves its settings, tears down
// and then starts the program again with a restart marker.
#pragma once

#include <string>
#include <vector>

namespace vx {

struct RestartRequest {
  bool requested = false;
  int eventNumber = 0;                // above 0: the event the new instance shows
  bool reinitializeDatabase = false;  // the database is initialised before the new start

  bool SwitchesEvent() const { return requested && eventNumber > 0; }
  // The arguments of the new instance, after the program path: "_rebootnoload_" after an event
  // switch (the checklist belongs to the old event), else "_reboot_"; none without a request.
  // Handed over as a vector so that no path or marker is ever split or quoted by a shell.
  std::vector<std::string> Arguments() const;
};

}  // namespace vx
