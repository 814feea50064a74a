#include "data/images/CutArchive.h"

#include <cstdio>
#include <new>

#include "data/CsvReader.h"
#include "data/MyFile2.h"
#include "data/images/PngBitmap.h"

namespace vx {
namespace {

constexpr std::size_t kNameBufferSize = 1024;  // longer names cannot be any entry we look up

std::string UpperAscii(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
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
  std::unique_ptr<CutArchive> archive(new CutArchive);
  if (!archive->Index(path) || !archive->ReadInitText()) return nullptr;
  return archive;
}

CutArchive::~CutArchive() { Close(); }

void CutArchive::Close() {
  lastCut_ = QImage();
  if (zip_) unzClose(zip_);
  zip_ = nullptr;
  index_.clear();
}

bool CutArchive::Index(const std::filesystem::path& path) {
  zip_ = unzOpen64(path.c_str());
  if (!zip_) return false;
  for (int r = unzGoToFirstFile(zip_); r == UNZ_OK; r = unzGoToNextFile(zip_)) AddCurrentEntry();
  return true;
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
  index_[UpperAscii(std::string_view(name, info.size_filename))] = {
      position.pos_in_zip_directory, position.num_of_file, info.uncompressed_size};
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
  if (!zip_) return std::nullopt;
  const auto found = index_.find(UpperAscii(name));
  if (found == index_.end()) return std::nullopt;
  const EntryPlace& place = found->second;
  if (place.size == 0 || place.size > kMaxEntrySize) return std::nullopt;
  unz64_file_pos position{place.directoryOffset, place.entryNumber};
  if (unzGoToFilePos64(zip_, &position) != UNZ_OK) return std::nullopt;
  if (unzOpenCurrentFile(zip_) != UNZ_OK) return std::nullopt;
  std::optional<std::string> bytes = ReadCurrentEntry(place.size);
  // Closing checks the CRC once every declared byte has been read.
  if (unzCloseCurrentFile(zip_) != UNZ_OK) bytes.reset();
  return bytes;
}

std::optional<std::string> CutArchive::ReadCurrentEntry(std::uint64_t size) {
  std::string bytes;
  try {
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  const int read = unzReadCurrentFile(zip_, bytes.data(), static_cast<unsigned>(size));
  if (read < 0 || static_cast<std::uint64_t>(read) != size) return std::nullopt;
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
  lastCut_ = LoadImage(name, kCutPictureLimits);
  return lastCut_;
}

}  // namespace vx
