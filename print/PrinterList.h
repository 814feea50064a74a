// The printers the print server offers, and whether it answered at all: a server that is down
// and a server without printers both offer none, and the user is told which.
#pragma once

#include <string>
#include <vector>

namespace vx {

struct PrinterList {
  bool serverReached = true;
  std::vector<std::string> names;  // UTF-8
  std::string defaultName;         // empty: none
};

}  // namespace vx
