#include "platform/ProfileFile.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "platform/AtomicFile.h"
#include "platform/BoundedFileReader.h"
#include "platform/LeadingInt.h"
#include "platform/Sjis.h"

namespace vx {
namespace {

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsQuote(char c) { return c == '"' || c == '\''; }

// Blanks are single-byte and below any CP932 trail byte, so cutting them from either end can
// never split a double-byte character.
std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Unquote(std::string_view s) {
  if (s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front()) {
    return s.substr(1, s.size() - 2);
  }
  return s;
}

// ASCII letters folded to lower case; double-byte characters copied whole so that a trail byte
// in the letter range is never folded.
std::string Fold(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t length = SjisCharLength(s, i);
    if (length == 1) {
      const char c = s[i];
      out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    } else {
      out.append(s.substr(i, length));
    }
    i += length;
  }
  return out;
}

// Position of the first single-byte `c` in CP932 text, skipping double-byte characters.
std::size_t FindSingleByte(std::string_view s, char c) {
  for (std::size_t i = 0; i < s.size(); i += SjisCharLength(s, i)) {
    if (s[i] == c) return i;
  }
  return std::string_view::npos;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::optional<std::string_view> SectionNameOf(std::string_view line) {
  const std::string_view t = TrimBlanks(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const std::string_view inner = t.substr(1);
  return TrimBlanks(inner.substr(0, FindSingleByte(inner, ']')));
}

std::optional<std::string_view> KeyOf(std::string_view line) {
  const std::string_view t = TrimBlanks(line);
  if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
  const std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const std::string_view key = TrimBlanks(t.substr(0, eq));
  if (key.empty()) return std::nullopt;
  return key;
}

// The value given out ends at its first NUL, as the C string of the classic calls does: bytes
// after it could never be written back.
std::string_view ValueOf(std::string_view line) {
  const std::string_view value = Unquote(TrimBlanks(line.substr(line.find('=') + 1)));
  return value.substr(0, value.find('\0'));
}

// Quotes keep what trimming and unquoting would otherwise take away on the next read.
std::string EncodeValue(std::string_view value) {
  const bool padded = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
  if (padded || Unquote(value).size() != value.size()) {
    return "\"" + std::string(value) + "\"";
  }
  return std::string(value);
}

// Only a name that its own header gives back: a ']' inside it, or a lead byte at its end that
// would take the closing ']' as its second byte, would read back as another name.
bool IsStorableSection(std::string_view name) {
  if (name.empty() || HasLineBreak(name)) return false;
  const std::string header = "[" + std::string(name) + "]";
  const std::optional<std::string_view> read = SectionNameOf(header);
  return read && *read == name;
}

bool IsStorableKey(std::string_view key) {
  return !key.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos &&
         key.front() != ';' && key.front() != '[';
}

enum class ReadResult { kRead, kMissing, kFailed };

// Why a pipe or a device in a settings file's place cannot be read: the system has no number for
// it. It compares equal to EINVAL.
class NotRegularFileCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "profile file"; }
  std::string message(int) const override { return "not a regular file"; }
  std::error_condition default_error_condition(int) const noexcept override {
    return std::errc::invalid_argument;
  }
};

std::error_code NotRegularFile() {
  static const NotRegularFileCategory category;
  return {1, category};
}

// Far beyond any settings file the program writes: a larger one is refused, not read whole.
constexpr std::uintmax_t kMaxProfileFileBytes = 64u << 20;

// Only a regular file is read: a pipe would block the start and a device never end. `error` is set
// when the file exists and cannot be read.
ReadResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                         std::error_code& error) {
  error.clear();
  switch (BoundedFileReader(kMaxProfileFileBytes).Read(path, bytes)) {
    case BoundedFileReader::Outcome::kRead:
      return ReadResult::kRead;
    case BoundedFileReader::Outcome::kTooLarge:
      error = std::make_error_code(std::errc::file_too_large);
      return ReadResult::kFailed;
    case BoundedFileReader::Outcome::kNotRegularFile: {
      std::error_code ignored;
      error = std::filesystem::is_directory(path, ignored)
                  ? std::make_error_code(std::errc::is_a_directory)
                  : NotRegularFile();
      return ReadResult::kFailed;
    }
    case BoundedFileReader::Outcome::kCannotOpen:
      break;  // errno says why the open or a read failed
  }
  if (errno == ENOENT || errno == ENOTDIR) return ReadResult::kMissing;
  error.assign(errno, std::generic_category());
  return ReadResult::kFailed;
}

}  // namespace

ProfileFile::ProfileFile() { sections_.emplace_back(); }

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) { Load(); }

ProfileFile ProfileFile::FromText(std::string_view text) {
  ProfileFile profile;
  profile.Parse(text);
  return profile;
}

bool ProfileFile::Load() {
  std::string bytes;
  const ReadResult result = ReadWholeFile(path_, bytes, loadError_);
  loadFailed_ = result == ReadResult::kFailed;
  modified_ = false;
  refusedWrites_ = false;
  Parse(bytes);
  return !loadFailed_;
}

// CR LF, LF and a bare CR all end a line, so that no value read ever holds a line break that
// writing it back would refuse. A UTF-8 byte order mark is kept aside and written back.
void ProfileFile::Parse(std::string_view text) {
  sections_.clear();
  sections_.emplace_back();
  byteOrderMark_ = text.starts_with(kUtf8ByteOrderMark);
  if (byteOrderMark_) text.remove_prefix(kUtf8ByteOrderMark.size());
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
        text[next] == '\n') {
      ++next;
    }
    text.remove_prefix(next);
    if (const auto name = SectionNameOf(line)) {
      Section& section = sections_.emplace_back();
      section.header = line;
      section.folded = Fold(*name);
    } else {
      sections_.back().lines.emplace_back(line);
    }
  }
  for (Section& section : sections_) IndexKeys(section);
  IndexSections();
}

void ProfileFile::IndexSections() {
  sectionIndex_.clear();
  for (std::size_t i = 1; i < sections_.size(); ++i)
    sectionIndex_.try_emplace(sections_[i].folded, i);
}

void ProfileFile::IndexKeys(Section& section) {
  section.keys.clear();
  if (section.header.empty()) return;  // lines before the first header belong to no section
  for (std::size_t i = 0; i < section.lines.size(); ++i) {
    if (const auto key = KeyOf(section.lines[i])) section.keys.try_emplace(Fold(*key), i);
  }
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
  const auto it = sectionIndex_.find(Fold(TrimBlanks(name)));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const std::string* ProfileFile::FindLine(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return nullptr;
  const auto it = found->keys.find(Fold(TrimBlanks(key)));
  return it == found->keys.end() ? nullptr : &found->lines[it->second];
}

bool ProfileFile::Save() const {
  std::error_code ignored;
  return Save(ignored);
}

bool ProfileFile::Save(std::error_code& error) const {
  if (loadFailed_) {
    error = loadError_;  // why the file could not be read
    return false;
  }
  std::string text(byteOrderMark_ ? kUtf8ByteOrderMark : std::string_view());
  for (const Section& section : sections_) {
    if (!section.header.empty()) text.append(section.header).append("\r\n");
    for (const std::string& line : section.lines) text.append(line).append("\r\n");
  }
  error = WriteFileAtomically(path_, text);
  return !error;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
  const std::string* line = FindLine(section, key);
  return std::string(line ? ValueOf(*line) : defaultValue);
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
  const std::string* line = FindLine(section, key);
  if (!line) return defaultValue;
  const std::string_view value = ValueOf(*line);
  if (value.empty()) return defaultValue;
  // The number must open the value: LeadingInt would skip the blanks inside a quoted " 12".
  return kWhiteSpace.find(value.front()) == std::string_view::npos ? LeadingInt(value) : 0;
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
  return FindLine(section, key) != nullptr;
}

std::vector<std::string> ProfileFile::Sections() const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    if (sectionIndex_.at(sections_[i].folded) == i) {
      names.emplace_back(*SectionNameOf(sections_[i].header));
    }
  }
  return names;
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
  std::vector<std::string> names;
  const Section* found = FindSection(section);
  if (!found) return names;
  for (std::size_t i = 0; i < found->lines.size(); ++i) {
    const auto key = KeyOf(found->lines[i]);
    if (key && found->keys.at(Fold(*key)) == i) names.emplace_back(*key);
  }
  return names;
}

ProfileFile::Section& ProfileFile::AppendSection(std::string_view name) {
  // A blank line keeps sections apart for whoever edits the file by hand.
  std::vector<std::string>& previous = sections_.back().lines;
  const bool fileEmpty = sections_.size() == 1 && previous.empty();
  if (!fileEmpty && (previous.empty() || !TrimBlanks(previous.back()).empty())) {
    previous.emplace_back();
  }
  Section& section = sections_.emplace_back();
  section.header = "[" + std::string(name) + "]";
  section.folded = Fold(name);
  sectionIndex_.try_emplace(section.folded, sections_.size() - 1);
  return section;
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (!IsStorableSection(section) || !IsStorableKey(key) || HasLineBreak(value)) {
    refusedWrites_ = true;
    return false;
  }

  Section* target = FindSection(section);
  if (!target) target = &AppendSection(section);
  const std::string encoded = EncodeValue(value);
  const std::string folded = Fold(key);
  if (const auto it = target->keys.find(folded); it != target->keys.end()) {
    std::string& line = target->lines[it->second];
    std::string replaced = std::string(*KeyOf(line)) + "=" + encoded;
    if (replaced != line) {
      line = std::move(replaced);
      modified_ = true;
    }
    return true;
  }
  // New keys go after the section's last non-blank line, so the blank lines that separate it
  // from the next section stay at its end.
  std::size_t position = target->lines.size();
  while (position > 0 && TrimBlanks(target->lines[position - 1]).empty()) --position;
  target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(position),
                       std::string(key) + "=" + encoded);
  target->keys.emplace(folded, position);  // only blank lines moved, no key index changes
  modified_ = true;
  return true;
}

bool ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  Section* target = FindSection(section);
  if (!target) return false;
  const std::string folded = Fold(TrimBlanks(key));
  if (!target->keys.contains(folded)) return false;
  std::erase_if(target->lines, [&](const std::string& line) {
    const auto lineKey = KeyOf(line);
    return lineKey && Fold(*lineKey) == folded;
  });
  IndexKeys(*target);
  modified_ = true;
  return true;
}

bool ProfileFile::DeleteSection(std::string_view section) {
  const std::string folded = Fold(TrimBlanks(section));
  if (!sectionIndex_.contains(folded)) return false;
  // Every copy goes, so that a later read does not find a duplicate of the deleted section.
  std::erase_if(sections_,
                [&](const Section& s) { return !s.header.empty() && s.folded == folded; });
  IndexSections();
  modified_ = true;
  return true;
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue,
                                    const std::filesystem::path& file) {
  return ProfileFile(file).GetString(section, key, defaultValue);
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         const std::filesystem::path& file) {
  return ProfileFile(file).GetInt(section, key, defaultValue);
}

bool WritePrivateProfileString(std::string_view section, const char* key, const char* value,
                               const std::filesystem::path& file) {
  ProfileFile profile(file);
  if (!profile.Ok()) return false;
  if (!key) {
    profile.DeleteSection(section);
  } else if (!value) {
    profile.DeleteKey(section, key);
  } else if (!profile.WriteString(section, key, value)) {
    return false;
  }
  return !profile.IsModified() || profile.Save();
}

}  // namespace vx
