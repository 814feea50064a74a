#include "data/images/CutArchive.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <new>
#include <system_error>

#include "data/CsvReader.h"
#include "data/MyFile2.h"
#include "data/images/PngBitmap.h"
#include "data/images/ZipCentralDirectory.h"

namespace vx {
namespace {

constexpr std::size_t kNameBufferSize = 1024;      // longer names cannot be any entry we look up
constexpr std::size_t kFirstReadSize = 64u << 10;  // most cuts in one read

void UpperAsciiInPlace(std::string& name) {
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

std::string UpperAscii(std::string_view name) {
  std::string upper(name);
  UpperAsciiInPlace(upper);
  return upper;
}

// A cut size beyond what a catalogue holds is no usable size at all.
int CutSide(int value) { return value > 0 && value <= int{kMaxCutSide} ? value : 0; }

}  // namespace

CutArchiveInit ParseCutArchiveInit(std::string_view text) {
  CutArchiveInit init;
  MyFile2 source(text);
  CsvReader reader(&source, '\t');
  while (reader.ReadRecord()) {  // the records end at the first blank line
    const std::string key = reader.GetField(0);
    if (key == "vqnum") init.eventNumber = reader.GetFieldInt(1);
    if (key == "width") init.cutWidth = CutSide(reader.GetFieldInt(1));
    if (key == "height") init.cutHeight = CutSide(reader.GetFieldInt(1));
  }
  return init;
}

std::unique_ptr<CutArchive> CutArchive::Open(const std::filesystem::path& path) {
  try {
    std::unique_ptr<CutArchive> archive(new CutArchive);
    if (!archive->Index(path) || !archive->ReadInitText()) return nullptr;
    archive->path_ = path;
    return archive;
  } catch (const std::bad_alloc&) {  // an index too large to hold serves no better than none
    return nullptr;
  }
}

CutArchive::~CutArchive() { Close(); }

void CutArchive::Close() {
  lastCut_ = QImage();
  if (zip_) unzClose(zip_);
  zip_ = nullptr;
  index_.clear();
}

bool CutArchive::Index(const std::filesystem::path& path) {
  // A pipe would block the open until someone writes to it; a device never ends.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  zip_ = unzOpen64(path.c_str());
  if (!zip_) return false;
  if (auto directory = ZipCentralDirectory::Read(path)) {
    index_.reserve(directory->size());
    for (ZipCentralDirectory::Entry& e : *directory) {
      UpperAsciiInPlace(e.name);
      index_.emplace_back(std::move(e.name),
                          EntryPlace{e.directoryOffset, e.number, e.uncompressedSize});
    }
  } else {
    for (int r = unzGoToFirstFile(zip_); r == UNZ_OK; r = unzGoToNextFile(zip_)) {
      AddCurrentEntry();
    }
  }
  SortIndex();
  return true;
}

void CutArchive::SortIndex() {
  const auto byName = [](const auto& a, const auto& b) { return a.first < b.first; };
  // Archives are usually written in name order already.
  if (!std::is_sorted(index_.begin(), index_.end(), byName)) {
    std::stable_sort(index_.begin(), index_.end(), byName);
  }
  // Of equal names the later entry stands: keep the last of each run.
  auto kept = index_.begin();
  for (auto it = index_.begin(); it != index_.end(); ++it) {
    if (std::next(it) != index_.end() && std::next(it)->first == it->first) continue;
    if (kept != it) *kept = std::move(*it);
    ++kept;
  }
  index_.erase(kept, index_.end());
}

const CutArchive::EntryPlace* CutArchive::Find(std::string_view name) const {
  const std::string upper = UpperAscii(name);
  const auto it =
      std::lower_bound(index_.begin(), index_.end(), upper,
                       [](const auto& entry, const std::string& key) { return entry.first < key; });
  return it != index_.end() && it->first == upper ? &it->second : nullptr;
}

void CutArchive::AddCurrentEntry() {
  unz_file_info64 info{};
  char name[kNameBufferSize];
  if (unzGetCurrentFileInfo64(zip_, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return;
  }
  if (info.size_filename >= sizeof name) return;
  unz64_file_pos position{};
  if (unzGetFilePos64(zip_, &position) != UNZ_OK) return;
  index_.emplace_back(
      UpperAscii(std::string_view(name, info.size_filename)),
      EntryPlace{position.pos_in_zip_directory, position.num_of_file, info.uncompressed_size});
}

bool CutArchive::ReadInitText() {
  const std::optional<std::string> text = ReadEntry("INIT.TXT");
  if (!text) return false;
  const CutArchiveInit init = ParseCutArchiveInit(*text);
  eventNumber_ = init.eventNumber;
  cutWidth_ = init.cutWidth;
  cutHeight_ = init.cutHeight;
  return true;
}

std::optional<std::string> CutArchive::ReadEntry(std::string_view name) {
  const EntryPlace* found = Find(name);
  return found ? ReadEntryAt(*found) : std::nullopt;
}

std::optional<std::string> CutArchive::ReadEntryAt(const EntryPlace& place) {
  if (!zip_ || place.size == 0 || place.size > kMaxEntrySize) return std::nullopt;
  unz64_file_pos position{place.directoryOffset, place.entryNumber};
  if (unzGoToFilePos64(zip_, &position) != UNZ_OK) return std::nullopt;
  if (unzOpenCurrentFile(zip_) != UNZ_OK) return std::nullopt;
  std::optional<std::string> bytes = ReadCurrentEntry(place.size);
  // Closing checks the CRC once every declared byte has been read.
  if (unzCloseCurrentFile(zip_) != UNZ_OK) bytes.reset();
  return bytes;
}

// The declared size is the archive's word only: after a first step, each read takes at most
// what the entry has really given so far, so that a damaged header costs no more memory, nor
// zero-filling, than that step or twice the bytes behind it.
std::optional<std::string> CutArchive::ReadCurrentEntry(std::uint64_t size) {
  std::string bytes;
  try {
    while (bytes.size() < size) {
      const std::size_t have = bytes.size();
      const std::uint64_t step = have == 0 ? kFirstReadSize : have;
      const auto want = static_cast<unsigned>(std::min(size - have, step));
      bytes.resize(have + want);
      const int read = unzReadCurrentFile(zip_, bytes.data() + have, want);
      if (read <= 0) return std::nullopt;  // damaged, or shorter than declared
      bytes.resize(have + static_cast<unsigned>(read));
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  return bytes;
}

QImage CutArchive::LoadImage(std::string_view name, const PictureLimits& limits) {
  const std::optional<std::string> bytes = ReadEntry(name);
  if (!bytes) return {};
  return LoadImageFromMemory(*bytes, limits);
}

QImage CutArchive::LoadCut(int n) {
  lastCut_ = QImage();
  if (n < 1) return {};
  char name[32];
  std::snprintf(name, sizeof name, "%06d.PNG", n);
  const EntryPlace* place = Find(name);
  if (place == nullptr) return {};  // an override archive holds only some cuts
  const std::optional<std::string> bytes = ReadEntryAt(*place);
  if (bytes) lastCut_ = LoadImageFromMemory(*bytes, kCutPictureLimits);
  if (lastCut_.isNull()) NameDamaged();
  return lastCut_;
}

// Blank cells alone would not tell the user which file to replace; one line per archive is
// enough.
void CutArchive::NameDamaged() {
  if (named_) return;
  named_ = true;
  std::fprintf(stderr, "%s: damaged cut archive, a cut of it could not be read\n", path_.c_str());
}

}  // namespace vx
