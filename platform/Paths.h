// Folders the program uses, and path look-ups on case-preserving discs.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vx {

// The executable's folder, or $VINDAXEL_PROGRAM_DIR when set (tests).
std::filesystem::path ProgramFolder();
// The user's documents folder (XDG_DOCUMENTS_DIR, user-dirs.dirs, else ~/Documents).
std::filesystem::path DocumentsFolder();
// $XDG_DATA_HOME or ~/.local/share.
std::filesystem::path DataHomeFolder();

// Finds `relative` ('/' or '\\' separated) under `base`, matching each component without regard
// to ASCII case; the exact name wins when present. Nothing when a component is missing.
std::optional<std::filesystem::path> ResolveCaseInsensitive(const std::filesystem::path& base,
                                                            std::string_view relative);

// `a` + '/' + `b` with exactly one separator between them; either may be empty.
std::filesystem::path JoinPath(const std::filesystem::path& a, std::string_view b);

}  // namespace vx
