// Finding the events whose catalogue a disc folder holds: a "V%dDEF.TXT" in the folder itself or
// in a "DATA%02dN" or "DATA%02d" sub-folder, names matched without regard to case.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace vx::install {

struct DiscEvent {
  int eventNo = 0;
  std::filesystem::path folder;  // the folder holding the event's text files
};

// One entry per event, ascending; where an event lies in several places, the folder itself
// comes first, then "DATA%02dN", then "DATA%02d".
std::vector<DiscEvent> FindDiscEvents(const std::filesystem::path& disc);

// The event number of a definition file name ("V96DEF.TXT", any case); 0 for any other name.
int DefinitionFileEvent(std::string_view fileName);

}  // namespace vx::install
