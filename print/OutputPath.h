// The path of a written page image: folder, file name and extension taken from three texts.
// Native paths: UTF-8, where no byte of a multi-byte character can be mistaken for a separator.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vx {

// The folder is `folder` up to and including its last "/" (every run of separators inside it
// made one, a leading "//" kept); the file name is the part of `name` after its last "/", whole:
// a "." in it starts no extension, so page files never collapse into one; the extension is
// `extension` from the last "." of its file part ("" without one). Double quotes are left out.
std::string MakeOutputPath(std::string_view folder, std::string_view name,
                           std::string_view extension);

// "%s%03d": the file name of page `page` of the base name.
std::string PageFileName(std::string_view baseName, int page);

// The output folder as the settings keep it: relative to `profile` when it lies inside it ("./"
// for the profile itself), so that a copied or moved profile writes into its own folder; else
// absolute. Ends in "/".
std::string OutputFolder_ToSettings(const std::filesystem::path& folder,
                                    const std::filesystem::path& profile);
// The folder a kept (or typed) text names: a relative one lies in `profile`.
std::filesystem::path OutputFolder_FromSettings(std::string_view kept,
                                                const std::filesystem::path& profile);

}  // namespace vx
