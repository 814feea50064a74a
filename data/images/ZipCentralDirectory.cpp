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
constexpr std::size_t kSearchWindow = 0xFFFF;  // how far from the end minizip looks for records
constexpr std::size_t kMaxNameLength = 1023;   // what the entry-by-entry walk could name
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

// The last whole `signature` in the file's last bytes `tail` (from `tailStart`), as minizip
// searches for its end records; one at the very start of the file counts as none for minizip.
std::optional<std::uint64_t> FindLast(const std::string& tail, std::uint64_t tailStart,
                                      std::uint32_t signature) {
  const Fields f(tail);
  for (std::size_t i = tail.size() < 4 ? 0 : tail.size() - 3; i-- > 0;) {
    if (f.Get(i, 4) != signature) continue;
    if (tailStart + i == 0) return {};
    return tailStart + i;
  }
  return {};
}

// The ZIP64 end record that the locator names, when it names one on the only disk.
std::optional<std::uint64_t> FindZip64End(std::FILE* file, std::optional<std::uint64_t> locator) {
  std::string bytes;
  if (!locator || !ReadAt(file, *locator, kZip64LocatorSize, bytes)) return {};
  Fields f(bytes);
  const std::uint64_t record = f.Get(8, 8);
  if (f.Get(4, 4) != 0 || f.Get(16, 4) != 1 || record == 0 || !ReadAt(file, record, 4, bytes)) {
    return {};
  }
  f = Fields(bytes);
  if (f.Get(0, 4) != kZip64EndSignature) return {};
  return record;
}

// Only one disk. The records are found as minizip finds them: a ZIP64 end record named by a
// locator within the last kSearchWindow bytes stands for the plain one, which is not looked at
// then; else the plain end record last in those bytes.
std::optional<Directory> ReadDirectoryPlace(std::FILE* file, std::uint64_t fileSize) {
  const std::uint64_t tailStart = fileSize - std::min<std::uint64_t>(fileSize, kSearchWindow);
  std::string tail, bytes;
  if (!ReadAt(file, tailStart, fileSize - tailStart, tail)) return {};
  const std::optional<std::uint64_t> locator = FindLast(tail, tailStart, kZip64LocatorSignature);
  // minizip takes the bytes past the end of a locator the file cuts short as read, and may
  // follow it: its own walk decides then.
  if (locator && fileSize - *locator < kZip64LocatorSize) return {};
  if (const std::optional<std::uint64_t> record = FindZip64End(file, locator)) {
    if (!ReadAt(file, *record, kZip64EndSize, bytes)) return {};
    const Fields f(bytes);
    if (f.Get(16, 4) != 0 || f.Get(20, 4) != 0 || f.Get(24, 8) != f.Get(32, 8)) return {};
    return Directory{f.Get(32, 8), f.Get(40, 8), f.Get(48, 8), *record};
  }
  const std::optional<std::uint64_t> end = FindLast(tail, tailStart, kEndSignature);
  if (!end || !ReadAt(file, *end, kEndSize, bytes)) return {};
  const Fields f(bytes);
  if (f.Get(4, 2) != 0 || f.Get(6, 2) != 0 || f.Get(8, 2) != f.Get(10, 2)) return {};
  return Directory{f.Get(10, 2), f.Get(12, 4), f.Get(16, 4), *end};
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

// A count of 0xFFFF may stand for more entries, and minizip takes 0 alike: it then walks on to
// the last record that reads.
bool CountUnknown(const Directory& place) {
  return place.entries == kCountOverflow || place.entries == 0;
}

// The entries of the directory `bytes`, to its end where the count is unknown; nothing when one
// of them does not lie within it whole.
std::optional<std::vector<ZipCentralDirectory::Entry>> ParseEntries(std::string_view bytes,
                                                                    const Directory& place) {
  const Fields f(bytes);
  std::vector<ZipCentralDirectory::Entry> entries;
  std::size_t at = 0;
  const bool countUnknown = CountUnknown(place);
  for (std::uint64_t number = 0; countUnknown ? at < bytes.size() : number < place.entries;
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
      entries.push_back(
          {std::string(f.Slice(at + kEntrySize, nameLength)), place.offset + at, number, size});
    }
    at += length;
  }
  return entries;
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
  const std::uint64_t start = place->recordPosition - place->size;
  std::string bytes;
  if (!ReadAt(file.get(), start, place->size, bytes)) return {};
  // Where the count is unknown, a record right after the directory is one more entry to minizip:
  // its walk serves then.
  std::string next;
  if (CountUnknown(*place) && ReadAt(file.get(), start + place->size, 4, next) &&
      Fields(next).Get(0, 4) == kEntrySignature) {
    return {};
  }
  return ParseEntries(bytes, *place);
}

}  // namespace vx
