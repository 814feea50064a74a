// A damaged catalogue database is never written over: before a new one takes its place it is
// moved aside, with its journal, under a name of its own in the same folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vx {

// Renames `file` to "<name>.damaged" (or "<name>.damaged-2", ... when that is taken) and its
// journal with it. The new path, or nothing with the reason in `error` (UTF-8).
std::optional<std::filesystem::path> SetAsideDamagedDatabase(const std::filesystem::path& file,
                                                             std::string& error);

// Puts a file set aside back at `file` when what was to replace it came to nothing: whatever that
// attempt left at `file` (an empty new database and its journal) is removed first. False with
// the reason in `error` (UTF-8).
bool RestoreDamagedDatabase(const std::filesystem::path& aside, const std::filesystem::path& file,
                            std::string& error);

}  // namespace vx
