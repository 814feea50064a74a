// A data update archive: a ZIP file whose entry "UPDATE.TXT" (any case) holds the update text.
// Its copy is checked as it is unpacked: a read error, a CRC that does not match, or more bytes
// than the cap (a ZIP bomb) make the archive unusable, so that nothing of it is applied.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace vx {

// Far above any catalogue's update text.
inline constexpr std::uint64_t kMaxUpdateTextBytes = std::uint64_t{64} << 20;

enum class UpdateArchiveStatus {
  kOk,
  kNotAnArchive,  // missing, unreadable, or not a ZIP file
  kNoUpdateText,  // no entry "UPDATE.TXT"
  kDamaged,       // the entry does not unpack, or its CRC does not match
  kTooLarge,      // the entry unpacks to more than the cap
  kWriteFailed,   // the copy could not be written
};

// Unpacks "UPDATE.TXT" of `archive` into `destination` (replaced). After anything but kOk the
// destination's content is of no use.
UpdateArchiveStatus ExtractUpdateText(const std::filesystem::path& archive,
                                      const std::filesystem::path& destination,
                                      std::uint64_t maxBytes = kMaxUpdateTextBytes);

// What the user is told, CP932.
std::string UpdateArchiveStatusText(UpdateArchiveStatus status);

}  // namespace vx
