// vindaxel-install DISC_FOLDER DATABASE_FILE [--event N]: installs one event's catalogue from a
// disc folder into a catalogue database file (created, scrambled, when missing) with the
// program's import job, inside one transaction. Nothing is asked: a missing file is an error.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace vx::install {

struct InstallOptions {
  std::filesystem::path disc;
  std::filesystem::path database;
  int eventNo = 0;  // 0: the only event the disc holds
};

// Parses the arguments after the program name; false with `error` set on a mistake.
bool ParseInstallOptions(const std::vector<std::string>& args, InstallOptions& options,
                         std::string& error);
std::string UsageText();

// Installs and reports the event number and the rows of each table on `out`; a failure is one
// message on `err`. Answers the exit code: 0 done, 1 failed, 2 wrong arguments.
int RunInstall(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vx::install
