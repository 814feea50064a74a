// vindaxel-install: installs a disc folder's catalogue into a database file (developer tool).
#include "tools/install/InstallCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vx::install::RunInstall(args, std::cout, std::cerr);
}
