#include "data/ScrambleVfs.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <mutex>
#include <vector>

namespace vx {
namespace {

// 16 letters and a zero byte: every 17th byte of a page is stored as it is.
constexpr char kKey[kScrambleCycle] = {'q', 'z', 'm', 'v', 't', 'r', 'k', 'b', 'w',
                                       'p', 'l', 'h', 's', 'd', 'n', 'c', '\0'};

sqlite3_vfs* g_baseVfs = nullptr;
sqlite3_vfs g_scrambleVfs;

// Our file object; the base VFS's own file object follows it in the same allocation.
struct ScrambleFile {
  sqlite3_file base;
  sqlite3_file* real;
  bool scrambled;
};

sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<ScrambleFile*>(file)->real; }

int FileClose(sqlite3_file* file) {
  sqlite3_file* real = Real(file);
  return real->pMethods ? real->pMethods->xClose(real) : SQLITE_OK;
}

int FileRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
  sqlite3_file* real = Real(file);
  const int rc = real->pMethods->xRead(real, buffer, amount, offset);
  if (!reinterpret_cast<ScrambleFile*>(file)->scrambled) return rc;
  sqlite3_int64 got = amount;
  if (rc == SQLITE_IOERR_SHORT_READ) {
    // The base VFS zero-fills what lay beyond the end; SQLite relies on those zeros.
    sqlite3_int64 size = 0;
    if (real->pMethods->xFileSize(real, &size) != SQLITE_OK) size = offset;
    got = size > offset ? std::min<sqlite3_int64>(size - offset, amount) : 0;
  } else if (rc != SQLITE_OK) {
    return rc;
  }
  ScrambleBytes(static_cast<std::uint8_t*>(buffer), static_cast<std::size_t>(got), offset);
  return rc;
}

int FileWrite(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
  sqlite3_file* real = Real(file);
  if (!reinterpret_cast<ScrambleFile*>(file)->scrambled) {
    return real->pMethods->xWrite(real, data, amount, offset);
  }
  // Scramble a copy: the caller's buffer is SQLite's cached page and must stay plain.
  std::vector<std::uint8_t> copy(static_cast<const std::uint8_t*>(data),
                                 static_cast<const std::uint8_t*>(data) + amount);
  ScrambleBytes(copy.data(), copy.size(), offset);
  return real->pMethods->xWrite(real, copy.data(), amount, offset);
}

int FileTruncate(sqlite3_file* f, sqlite3_int64 size) {
  return Real(f)->pMethods->xTruncate(Real(f), size);
}
int FileSync(sqlite3_file* f, int flags) { return Real(f)->pMethods->xSync(Real(f), flags); }
int FileSize(sqlite3_file* f, sqlite3_int64* size) {
  return Real(f)->pMethods->xFileSize(Real(f), size);
}
int FileLock(sqlite3_file* f, int level) { return Real(f)->pMethods->xLock(Real(f), level); }
int FileUnlock(sqlite3_file* f, int level) { return Real(f)->pMethods->xUnlock(Real(f), level); }
int FileCheckReservedLock(sqlite3_file* f, int* out) {
  return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
}
int FileControl(sqlite3_file* f, int op, void* arg) {
  return Real(f)->pMethods->xFileControl(Real(f), op, arg);
}
int FileSectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int FileDeviceCharacteristics(sqlite3_file* f) {
  return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
}

// Version 1 only: no shared memory (so no WAL) and no memory mapping, which would hand SQLite
// the stored bytes without passing through the XOR.
const sqlite3_io_methods kFileMethods = {
    .iVersion = 1,
    .xClose = FileClose,
    .xRead = FileRead,
    .xWrite = FileWrite,
    .xTruncate = FileTruncate,
    .xSync = FileSync,
    .xFileSize = FileSize,
    .xLock = FileLock,
    .xUnlock = FileUnlock,
    .xCheckReservedLock = FileCheckReservedLock,
    .xFileControl = FileControl,
    .xSectorSize = FileSectorSize,
    .xDeviceCharacteristics = FileDeviceCharacteristics,
    .xShmMap = nullptr,
    .xShmLock = nullptr,
    .xShmBarrier = nullptr,
    .xShmUnmap = nullptr,
    .xFetch = nullptr,
    .xUnfetch = nullptr,
};

int VfsOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
  auto* ours = reinterpret_cast<ScrambleFile*>(file);
  ours->base.pMethods = nullptr;
  ours->real = reinterpret_cast<sqlite3_file*>(ours + 1);
  // Journals keep plain page images; only database files carry the scrambled form.
  ours->scrambled = (flags & (SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_TEMP_DB)) != 0;
  const int rc = g_baseVfs->xOpen(g_baseVfs, name, ours->real, flags, outFlags);
  if (ours->real->pMethods != nullptr) ours->base.pMethods = &kFileMethods;
  return rc;
}

int VfsDelete(sqlite3_vfs*, const char* name, int syncDir) {
  return g_baseVfs->xDelete(g_baseVfs, name, syncDir);
}
int VfsAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
  return g_baseVfs->xAccess(g_baseVfs, name, flags, out);
}
int VfsFullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
  return g_baseVfs->xFullPathname(g_baseVfs, name, size, out);
}
void* VfsDlOpen(sqlite3_vfs*, const char* name) { return g_baseVfs->xDlOpen(g_baseVfs, name); }
void VfsDlError(sqlite3_vfs*, int size, char* out) { g_baseVfs->xDlError(g_baseVfs, size, out); }
void (*VfsDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void) {
  return g_baseVfs->xDlSym(g_baseVfs, handle, symbol);
}
void VfsDlClose(sqlite3_vfs*, void* handle) { g_baseVfs->xDlClose(g_baseVfs, handle); }
int VfsRandomness(sqlite3_vfs*, int size, char* out) {
  return g_baseVfs->xRandomness(g_baseVfs, size, out);
}
int VfsSleep(sqlite3_vfs*, int micros) { return g_baseVfs->xSleep(g_baseVfs, micros); }
int VfsCurrentTime(sqlite3_vfs*, double* out) { return g_baseVfs->xCurrentTime(g_baseVfs, out); }
int VfsGetLastError(sqlite3_vfs*, int size, char* out) {
  return g_baseVfs->xGetLastError ? g_baseVfs->xGetLastError(g_baseVfs, size, out) : 0;
}
int VfsCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) {
  if (g_baseVfs->iVersion >= 2 && g_baseVfs->xCurrentTimeInt64) {
    return g_baseVfs->xCurrentTimeInt64(g_baseVfs, out);
  }
  double days = 0;
  const int rc = g_baseVfs->xCurrentTime(g_baseVfs, &days);
  *out = static_cast<sqlite3_int64>(days * 86400000.0);
  return rc;
}

bool RegisterOnce() {
  g_baseVfs = sqlite3_vfs_find(nullptr);
  if (g_baseVfs == nullptr) return false;
  std::memset(&g_scrambleVfs, 0, sizeof g_scrambleVfs);
  g_scrambleVfs.iVersion = 2;
  g_scrambleVfs.szOsFile = static_cast<int>(sizeof(ScrambleFile)) + g_baseVfs->szOsFile;
  g_scrambleVfs.mxPathname = g_baseVfs->mxPathname;
  g_scrambleVfs.zName = kScrambleVfsName;
  g_scrambleVfs.xOpen = VfsOpen;
  g_scrambleVfs.xDelete = VfsDelete;
  g_scrambleVfs.xAccess = VfsAccess;
  g_scrambleVfs.xFullPathname = VfsFullPathname;
  g_scrambleVfs.xDlOpen = VfsDlOpen;
  g_scrambleVfs.xDlError = VfsDlError;
  g_scrambleVfs.xDlSym = VfsDlSym;
  g_scrambleVfs.xDlClose = VfsDlClose;
  g_scrambleVfs.xRandomness = VfsRandomness;
  g_scrambleVfs.xSleep = VfsSleep;
  g_scrambleVfs.xCurrentTime = VfsCurrentTime;
  g_scrambleVfs.xGetLastError = VfsGetLastError;
  g_scrambleVfs.xCurrentTimeInt64 = VfsCurrentTimeInt64;
  return sqlite3_vfs_register(&g_scrambleVfs, 0) == SQLITE_OK;
}

}  // namespace

namespace {

// The key byte of every position of a page, so that a page is one plain XOR loop: every read of
// a search passes through here.
const std::array<std::uint8_t, kScramblePageSize>& PageMask() {
  static const std::array<std::uint8_t, kScramblePageSize> mask = [] {
    std::array<std::uint8_t, kScramblePageSize> m{};
    for (std::size_t i = 0; i < m.size(); ++i) {
      m[i] = static_cast<std::uint8_t>(kKey[i % kScrambleCycle]);
    }
    return m;
  }();
  return mask;
}

}  // namespace

void ScrambleBytes(std::uint8_t* bytes, std::size_t size, std::int64_t offset) {
  const std::uint8_t* mask = PageMask().data();
  auto inPage = static_cast<std::size_t>(offset % kScramblePageSize);
  while (size > 0) {
    const std::size_t run = std::min(size, kScramblePageSize - inPage);
    std::size_t i = 0;
    for (; i + 8 <= run; i += 8) {
      std::uint64_t word;
      std::uint64_t key;
      std::memcpy(&word, bytes + i, 8);
      std::memcpy(&key, mask + inPage + i, 8);
      word ^= key;
      std::memcpy(bytes + i, &word, 8);
    }
    for (; i < run; ++i) bytes[i] ^= mask[inPage + i];
    bytes += run;
    size -= run;
    inPage = 0;
  }
}

DatabaseForm DetectDatabaseForm(const std::filesystem::path& file) {
  static constexpr char kHeader[] = "SQLite format 3";  // 16 bytes with the terminator
  std::error_code error;
  if (!std::filesystem::exists(file, error) || std::filesystem::file_size(file, error) == 0) {
    return DatabaseForm::kScrambled;
  }
  std::uint8_t head[sizeof kHeader] = {};
  std::ifstream in(file, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return DatabaseForm::kUnknown;
  if (std::memcmp(head, kHeader, sizeof head) == 0) return DatabaseForm::kPlain;
  ScrambleBytes(head, sizeof head, 0);
  if (std::memcmp(head, kHeader, sizeof head) == 0) return DatabaseForm::kScrambled;
  return DatabaseForm::kUnknown;
}

bool RegisterScrambleVfs() {
  static std::once_flag once;
  static bool registered = false;
  std::call_once(once, [] { registered = RegisterOnce(); });
  return registered;
}

}  // namespace vx
