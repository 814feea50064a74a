#include "data/images/CutArchive.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <new>
#include <vector>

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

// Leading blanks, an optional sign and digits, as atoi reads them; values beyond int clamp.
int LeadingInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  long long value = 0;
  const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) return text[i] == '-' ? INT_MIN : INT_MAX;
  if (result.ec != std::errc()) return 0;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::string_view Unquoted(std::string_view field) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    return field.substr(1, field.size() - 2);
  }
  return field;
}

// The next line of `text` from `pos` (CR LF, CR or LF ends it); advances `pos` past its end.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
  pos = end;
  if (pos < text.size() && text[pos] == '\r') ++pos;
  if (pos < text.size() && text[pos] == '\n') ++pos;
  return text.substr(start, end - start);
}

void ApplyInitRecord(std::string_view line, CutArchiveInit& init) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return;
  const std::string_view key = Unquoted(line.substr(0, tab));
  std::string_view value = line.substr(tab + 1);
  value = Unquoted(value.substr(0, value.find('\t')));
  if (key == "vqnum") init.eventNumber = LeadingInt(value);
  if (key == "width") init.cutWidth = LeadingInt(value);
  if (key == "height") init.cutHeight = LeadingInt(value);
}

}  // namespace

CutArchiveInit ParseCutArchiveInit(std::string_view text) {
  CutArchiveInit init;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::string_view line = NextLine(text, pos);
    if (line.empty()) break;  // the records end at the first blank line
    ApplyInitRecord(line, init);
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

QImage CutArchive::LoadImage(std::string_view name) {
  const std::optional<std::string> bytes = ReadEntry(name);
  if (!bytes) return {};
  return LoadImageFromMemory(*bytes);
}

QImage CutArchive::LoadCut(int n) {
  lastCut_ = QImage();
  if (n < 1) return {};
  char name[32];
  std::snprintf(name, sizeof name, "%06d.PNG", n);
  lastCut_ = LoadImage(name);
  return lastCut_;
}

}  // namespace vx
