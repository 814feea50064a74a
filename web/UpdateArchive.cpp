#include "web/UpdateArchive.h"

#include <minizip/unzip.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "platform/BoundedFileReader.h"
#include "platform/CodePage.h"

namespace vx {
namespace {

struct ArchiveClose {
  void operator()(void* archive) const { unzClose(archive); }
};
using Archive = std::unique_ptr<void, ArchiveClose>;

struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileClose>;

constexpr int kCaseInsensitive = 2;
constexpr unsigned kChunkBytes = 8192;

// Copies the open entry to its end.
UpdateArchiveStatus CopyEntry(unzFile archive, std::FILE* out, std::uint64_t maxBytes) {
  char buffer[kChunkBytes];
  std::uint64_t total = 0;
  for (;;) {
    const int read = unzReadCurrentFile(archive, buffer, kChunkBytes);
    if (read < 0) return UpdateArchiveStatus::kDamaged;
    if (read == 0) break;
    total += static_cast<unsigned>(read);
    if (total > maxBytes) return UpdateArchiveStatus::kTooLarge;
    if (std::fwrite(buffer, 1, static_cast<std::size_t>(read), out) !=
        static_cast<std::size_t>(read)) {
      return UpdateArchiveStatus::kWriteFailed;
    }
  }
  return UpdateArchiveStatus::kOk;
}

}  // namespace

UpdateArchiveStatus ExtractUpdateText(const std::filesystem::path& archivePath,
                                      const std::filesystem::path& destination,
                                      std::uint64_t maxBytes) {
  // The user may name a pipe or a device, which the archive's open would wait on or never end.
  if (BoundedFileReader(UINTMAX_MAX).Check(archivePath) != BoundedFileReader::Outcome::kRead) {
    return UpdateArchiveStatus::kNotAnArchive;
  }
  const Archive archive(unzOpen64(archivePath.c_str()));
  if (!archive) return UpdateArchiveStatus::kNotAnArchive;
  if (unzLocateFile(archive.get(), "UPDATE.TXT", kCaseInsensitive) != UNZ_OK) {
    return UpdateArchiveStatus::kNoUpdateText;
  }
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(archive.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return UpdateArchiveStatus::kDamaged;
  }
  if (info.uncompressed_size > maxBytes) return UpdateArchiveStatus::kTooLarge;
  if (unzOpenCurrentFile(archive.get()) != UNZ_OK) return UpdateArchiveStatus::kDamaged;
  const File out(std::fopen(destination.c_str(), "wb"));
  UpdateArchiveStatus status =
      out ? CopyEntry(archive.get(), out.get(), maxBytes) : UpdateArchiveStatus::kWriteFailed;
  // Closing the entry after its last byte is what compares the CRC.
  const bool crcMatches = unzCloseCurrentFile(archive.get()) == UNZ_OK;
  if (status == UpdateArchiveStatus::kOk && !crcMatches) status = UpdateArchiveStatus::kDamaged;
  if (status == UpdateArchiveStatus::kOk && std::fflush(out.get()) != 0) {
    status = UpdateArchiveStatus::kWriteFailed;
  }
  return status;
}

std::string UpdateArchiveStatusText(UpdateArchiveStatus status) {
  switch (status) {
    case UpdateArchiveStatus::kOk:
      return {};
    case UpdateArchiveStatus::kNotAnArchive:
      return Sjis("更新ファイルを開けません(ZIP形式ではないか、壊れています)。");
    case UpdateArchiveStatus::kNoUpdateText:
      return Sjis("更新ファイルに UPDATE.TXT がありません。");
    case UpdateArchiveStatus::kDamaged:
      return Sjis("更新ファイルが壊れています。");
    case UpdateArchiveStatus::kTooLarge:
      return Sjis("更新ファイルの展開後の大きさが上限を超えています。");
    case UpdateArchiveStatus::kWriteFailed:
      return Sjis("更新ファイルを展開する一時ファイルに書き込めません。");
  }
  return {};
}

}  // namespace vx
