#include "data/images/ZipCentralDirectory.h"

#include <cstdio>
#include <memory>
#include <string_view>

namespace vx {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kEntrySignature = 0x02014b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kZip64EndSize = 56;
constexpr std::size_t kEntrySize = 46;
constexpr std::size_t kMaxComment = 0xFFFF;
constexpr std::size_t kMaxNameLength = 1023;  // what the entry-by-entry walk could name
constexpr std::uint32_t kZip64Marker = 0xFFFFFFFF;
constexpr std::uint16_t kZip64ExtraId = 0x0001;
constexpr std::uint64_t kCountOverflow = 0xFFFF;

// Little-endian fields of a byte range; a read past its end fails the whole parse.
class Fields {
 public:
  explicit Fields(std::string_view bytes) : bytes_(bytes) {}
  bool Has(std::size_t at, std::size_t n) const {
    return at <= bytes_.size() && n <= bytes_.size() - at;
  }
  std::uint64_t Get(std::size_t at, int n) const {
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes_[at + i]);
    return v;
  }
  std::string_view Slice(std::size_t at, std::size_t n) const { return bytes_.substr(at, n); }

 private:
  std::string_view bytes_;
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool ReadAt(std::FILE* file, std::uint64_t offset, std::size_t n, std::string& out) {
  out.resize(n);
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0 &&
         std::fread(out.data(), 1, n, file) == n;
}

struct Directory {
  std::uint64_t entries = 0;
  std::uint64_t size = 0;
  std::uint64_t offset = 0;  // as recorded, before any bytes prepended to the archive
  std::uint64_t recordPosition = 0;
};

// The end record nearest the end of the file, as minizip looks for it.
std::optional<std::uint64_t> FindEndRecord(std::FILE* file, std::uint64_t fileSize,
                                           std::string& tail) {
  const std::uint64_t tailSize = std::min<std::uint64_t>(fileSize, kMaxComment + kEndSize);
  if (tailSize < kEndSize || !ReadAt(file, fileSize - tailSize, tailSize, tail)) return {};
  const Fields f(tail);
  for (std::size_t i = tailSize - kEndSize + 1; i-- > 0;) {
    if (f.Get(i, 4) == kEndSignature) return fileSize - tailSize + i;
  }
  return {};
}

// Only one disk; a ZIP64 end record, when its locator is there, stands for the plain one.
std::optional<Directory> ReadDirectoryPlace(std::FILE* file, std::uint64_t fileSize) {
  std::string bytes;
  const std::optional<std::uint64_t> end = FindEndRecord(file, fileSize, bytes);
  if (!end || !ReadAt(file, *end, kEndSize, bytes)) return {};
  Fields f(bytes);
  if (f.Get(4, 2) != 0 || f.Get(6, 2) != 0 || f.Get(8, 2) != f.Get(10, 2)) return {};
  Directory d{f.Get(10, 2), f.Get(12, 4), f.Get(16, 4), *end};
  if (*end < kZip64LocatorSize ||
      !ReadAt(file, *end - kZip64LocatorSize, kZip64LocatorSize, bytes)) {
    return d;
  }
  f = Fields(bytes);
  if (f.Get(0, 4) != kZip64LocatorSignature || f.Get(4, 4) != 0 || f.Get(16, 4) != 1) return d;
  const std::uint64_t record = f.Get(8, 8);
  if (!ReadAt(file, record, kZip64EndSize, bytes)) return d;
  f = Fields(bytes);
  if (f.Get(0, 4) != kZip64EndSignature) return d;
  if (f.Get(16, 4) != 0 || f.Get(20, 4) != 0 || f.Get(24, 8) != f.Get(32, 8)) return {};
  return Directory{f.Get(32, 8), f.Get(40, 8), f.Get(48, 8), record};
}

// The uncompressed size kept in the ZIP64 extra field when the plain field cannot hold it.
std::optional<std::uint64_t> Zip64Size(const Fields& extra, std::size_t length) {
  for (std::size_t at = 0; extra.Has(at, 4) && at + 4 <= length;) {
    const std::uint64_t id = extra.Get(at, 2);
    const std::size_t size = extra.Get(at + 2, 2);
    if (id == kZip64ExtraId) {
      if (size < 8 || !extra.Has(at + 4, 8)) return {};
      return extra.Get(at + 4, 8);
    }
    at += 4 + size;
  }
  return {};
}

}  // namespace

std::optional<std::vector<ZipCentralDirectory::Entry>> ZipCentralDirectory::Read(
    const std::filesystem::path& path) {
  const File file(std::fopen(path.c_str(), "rb"));
  std::error_code error;
  const std::uint64_t fileSize = std::filesystem::file_size(path, error);
  if (!file || error) return {};
  const std::optional<Directory> place = ReadDirectoryPlace(file.get(), fileSize);
  // The directory lies before its end record, so within the file: a damaged record is refused
  // before anything of its size is allocated. Compared so that no sum can wrap.
  if (!place || place->size > place->recordPosition ||
      place->offset > place->recordPosition - place->size) {
    return {};
  }
  // Bytes before the archive (a self-extractor) shift every recorded offset.
  const std::uint64_t before = place->recordPosition - place->size - place->offset;
  std::string bytes;
  if (!ReadAt(file.get(), before + place->offset, place->size, bytes)) return {};
  const Fields f(bytes);
  std::vector<Entry> entries;
  std::size_t at = 0;
  // A count of 0xFFFF may stand for more entries: minizip then walks to the end of the directory.
  const bool countUnknown = place->entries == kCountOverflow;
  for (std::uint64_t number = 0; countUnknown ? at < bytes.size() : number < place->entries;
       ++number) {
    if (!f.Has(at, kEntrySize) || f.Get(at, 4) != kEntrySignature) return {};
    const std::size_t nameLength = f.Get(at + 28, 2);
    const std::size_t extraLength = f.Get(at + 30, 2);
    const std::size_t length = kEntrySize + nameLength + extraLength + f.Get(at + 32, 2);
    if (!f.Has(at, length)) return {};
    std::uint64_t size = f.Get(at + 24, 4);
    if (size == kZip64Marker) {
      const std::optional<std::uint64_t> wide =
          Zip64Size(Fields(f.Slice(at + kEntrySize + nameLength, extraLength)), extraLength);
      if (!wide) return {};
      size = *wide;
    }
    if (nameLength <= kMaxNameLength) {
      entries.push_back({std::string(f.Slice(at + kEntrySize, nameLength)), place->offset + at,
                         number, size});
    }
    at += length;
  }
  return entries;
}

}  // namespace vx
