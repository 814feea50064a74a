// The page scrambling of the catalogue database: a VFS over SQLite's default one that XORs the
// database file's bytes with a fixed 17-byte cycle restarting on every 1,024-byte page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace vx {

inline constexpr int kScramblePageSize = 1024;
inline constexpr int kScrambleCycle = 17;

// Name under which the scrambling VFS is registered with SQLite.
inline constexpr const char* kScrambleVfsName = "vx-scramble";

// Registers the VFS once per process (later calls do nothing). Returns false when SQLite refuses
// it or has no default VFS to wrap.
bool RegisterScrambleVfs();

// XORs `size` bytes that lie at file offset `offset` with the key; applying it twice restores the
// bytes. Exposed for form detection.
void ScrambleBytes(std::uint8_t* bytes, std::size_t size, std::int64_t offset);

enum class DatabaseForm {
  kScrambled,  // scrambled, or missing or empty (a new file is written scrambled)
  kPlain,      // a plain SQLite 3 file
  kUnknown,    // neither header: not a database, or damaged
};

// Tells the form of a database file from its first 16 bytes, without opening it through SQLite,
// so that a pending journal is never replayed in the wrong form.
DatabaseForm DetectDatabaseForm(const std::filesystem::path& file);

}  // namespace vx
