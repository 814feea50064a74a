// An earlier sample disc in the generator's output folder, and taking away what the generator
// wrote there (and nothing else) before a new disc is written.
#pragma once

#include <filesystem>
#include <string>

namespace vx::sampledisc {

// A definition file (V*DEF.TXT, any case) carrying the generator's signature, in `folder` itself
// or in a DATA* sub-folder.
bool HoldsSampleDisc(const std::filesystem::path& folder);

// Removes from `out` the files the generator writes, where it writes them: for each signed
// definition file V<n>DEF.TXT, that event's text files and cut archives beside it, the page
// files "PDATA/nnnn.PNG" and hall maps in "MDATA/" under it, and the update archive and
// checklists in "EXTRA/"; then those folders when nothing else is left in them. Every other
// file stays. False, with `error` set, when a file cannot be removed.
bool RemoveEarlierSample(const std::filesystem::path& out, std::string& error);

}  // namespace vx::sampledisc
