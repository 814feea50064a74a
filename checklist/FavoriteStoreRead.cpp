// Reading checklist files and clipboard text in either format into colour definitions and import
// rows, matching each circle against the catalogue.
#include "checklist/ChecklistText.h"
#include "checklist/FavoriteStore.h"
#include "checklist/Utf8UnderSjisCheck.h"
#include "platform/BoundedFileReader.h"
#include "data/CsvReader.h"
#include "data/MyFile2.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "platform/LeadingInt.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <initializer_list>
#include <optional>
#include <utility>

namespace vx {
namespace {

constexpr int kFirstEventWithSerials = 74;
constexpr int kFirstUnsupportedVersion = 200;
// A Circle record of 28 fields and its closing comma split into 29; a longer record carries one
// more field before its six last texts.
constexpr int kCircleFieldsWithoutExtra = 29;
constexpr std::string_view kEventPrefix = "Vellastrade";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

int EventNumberAfterPrefix(std::string_view field) {
  return LeadingInt(field.substr(kEventPrefix.size()));
}

// A field that is a whole decimal number (optional sign); anything else is no number.
bool ParseWholeInt(std::string_view text, int& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

bool IsNumberOrEmpty(std::string_view field) {
  int value = 0;
  return field.empty() || ParseWholeInt(field, value);
}

bool IsHexOrEmpty(std::string_view field) {
  return field.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

bool FieldsAreNumbers(const CsvReader& r, std::initializer_list<int> fields) {
  for (const int i : fields) {
    if (!IsNumberOrEmpty(r.GetField(i))) return false;
  }
  return true;
}

// A record of a kind this reader does not know is named like the kinds it knows.
bool IsKindName(std::string_view kind) {
  const auto alphanumeric = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  };
  return !kind.empty() && Lower(kind.front()) >= 'a' && Lower(kind.front()) <= 'z' &&
         std::all_of(kind.begin(), kind.end(), alphanumeric);
}

// Blanks, or the end-of-file mark old editors leave on the last line.
bool IsEmptyLine(const CsvReader& r) {
  return r.FieldCount() <= 1 && r.GetField(0).find_first_not_of(" \t\x1A") == std::string::npos;
}

// What a line after the header or magic line is: a record (its number fields numbers), a record
// of a kind this reader does not know, nothing, or none of these: text that is no checklist.
enum class LineKind { kRecord, kOtherRecord, kEmpty, kNotARecord };

LineKind KindOfCurrentLine(const CsvReader& r) {
  const std::string kind = r.GetField(0);
  if (kind == "Circle") {
    return FieldsAreNumbers(r, {1, 2, 3, 4}) ? LineKind::kRecord : LineKind::kNotARecord;
  }
  if (kind == "UnKnown") {
    return FieldsAreNumbers(r, {5}) ? LineKind::kRecord : LineKind::kNotARecord;
  }
  if (kind == "Color") {
    const bool numbers =
        FieldsAreNumbers(r, {1}) && IsHexOrEmpty(r.GetField(2)) && IsHexOrEmpty(r.GetField(3));
    return numbers ? LineKind::kRecord : LineKind::kNotARecord;
  }
  if (IsEmptyLine(r)) return LineKind::kEmpty;
  return IsKindName(kind) ? LineKind::kOtherRecord : LineKind::kNotARecord;
}

LineKind KindOfOlderLine(const CsvReader& r) {
  if (IsEmptyLine(r)) return LineKind::kEmpty;
  return FieldsAreNumbers(r, {0, 1, 2, 3}) ? LineKind::kRecord : LineKind::kNotARecord;
}

// What a whole record of a kind has: at least this many fields, and for the kinds written with a
// comma after every field, an empty last one.
struct RecordShape {
  int fields;
  bool closingSeparator;
};

constexpr RecordShape kBlankShape{0, false};
constexpr RecordShape kHeaderShape{5, false};
constexpr RecordShape kMagicLineShape{4, false};
constexpr RecordShape kColorShape{5, false};
constexpr RecordShape kCircleShape{29, true};
constexpr RecordShape kUnknownShape{15, true};
constexpr RecordShape kOlderLineShape{30, true};

// None for a kind this reader does not know: nothing tells whether it is whole.
std::optional<RecordShape> ShapeOf(const CsvReader& r, bool olderFormat, bool header) {
  if (IsEmptyLine(r)) return kBlankShape;
  if (header) return kHeaderShape;
  if (olderFormat) return kOlderLineShape;
  const std::string kind = r.GetField(0);
  if (kind == "Circle") return kCircleShape;
  if (kind == "UnKnown") return kUnknownShape;
  if (kind == "Color") return kColorShape;
  return std::nullopt;
}

bool IsWhole(const CsvReader& r, const std::optional<RecordShape>& shape) {
  if (!shape || r.FieldCount() < shape->fields) return false;
  return !shape->closingSeparator || r.GetField(r.FieldCount() - 1).empty();
}

// Whether a quoted field is still open at the end of a record's text (CP932).
bool EndsInsideQuotes(std::string_view record, char separator) {
  bool quoted = false;
  bool fieldStart = true;
  for (std::size_t i = 0; i < record.size(); ++i) {
    const char c = record[i];
    if (quoted) {
      if (c != '"') continue;
      if (i + 1 < record.size() && record[i + 1] == '"') {
        ++i;
      } else {
        quoted = false;
      }
    } else if (fieldStart && c == '"') {
      quoted = true;
      fieldStart = false;
    } else {
      fieldStart = c == separator;
    }
  }
  return quoted;
}

bool EndsWithLineEnd(std::string_view text) {
  return !text.empty() && (text.back() == '\r' || text.back() == '\n');
}

// The text's last record, just read, was cut short: a quoted field never closed, or, without a
// line end after it, fields a whole record has are missing. `raw` is its text as it stands in the
// source, in `codePage`.
bool IsCutRecord(const CsvReader& r, std::string_view raw, int codePage,
                 const std::optional<RecordShape>& shape) {
  if (EndsInsideQuotes(ToCp932(raw, codePage), r.Separator())) return true;
  return !EndsWithLineEnd(raw) && !IsWhole(r, shape);
}

// The circle id an older serial names (id - 1); none for one that names no id.
int IdAfterSerial(int serial) { return serial < INT_MAX ? serial + 1 : 0; }

ColorRef ParseHexColor(std::string_view text) {
  std::uint32_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return value;
}

int CodePageOfEncoding(std::string_view name) {
  if (EqualsIgnoreCase(name, "UTF-8")) return kCodePageUtf8;
  if (EqualsIgnoreCase(name, "EUC-JP")) return kCodePageEucJp;
  if (EqualsIgnoreCase(name, "ISO-2022-JP")) return kCodePageIso2022Jp;
  return kCodePageCp932;
}

// Every CR and every LF ends a line, CR LF once; a last line without an end is not counted.
int CountLineEnds(std::string_view text) {
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++count;
    } else if (text[i] == '\r') {
      ++count;
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
  }
  return count;
}

ChecklistReadStatus StatusOfUnreadFile(BoundedFileReader::Outcome outcome) {
  switch (outcome) {
    case BoundedFileReader::Outcome::kRead:
      return kReadDone;
    case BoundedFileReader::Outcome::kTooLarge:
      return kReadTooLarge;
    case BoundedFileReader::Outcome::kNotRegularFile:
      return kReadNotAFile;
    default:
      return kReadNothing;
  }
}

ImportFileTexts OlderLineTexts(const CsvReader& r) {
  ImportFileTexts t;
  t[kImportCircleName] = r.GetField(9);
  t[kImportCircleKana] = r.GetField(18);
  t[kImportPenName] = r.GetField(10);
  t[kImportBookName] = r.GetField(11);
  t[kImportUrl] = r.GetField(12);
  t[kImportMailAddr] = r.GetField(13);
  t[kImportDescription] = UnescapeLongText(r.GetField(14));
  t[kImportMemo] = UnescapeLongText(r.GetField(17));
  t[kImportUpdateData] = UnescapeLongText(r.GetField(23));
  t[kImportOrbalink] = r.GetField(24);
  t[kImportRss] = r.GetField(25);
  t[kImportRssInfo] = UnescapeLongText(r.GetField(26));
  t[kImportTwitter] = r.GetField(27);
  t[kImportPixiv] = r.GetField(28);
  return t;
}

ImportFileTexts CircleRecordTexts(const CsvReader& r) {
  const int tail = r.FieldCount() > kCircleFieldsWithoutExtra ? 23 : 22;
  ImportFileTexts t;
  for (int i = kImportCircleName; i <= kImportDescription; ++i) t[i] = r.GetField(10 + i);
  t[kImportMemo] = r.GetField(17);
  t[kImportUpdateData] = r.GetField(tail);
  t[kImportOrbalink] = r.GetField(tail + 1);
  t[kImportRss] = r.GetField(tail + 2);
  t[kImportRssInfo] = r.GetField(tail + 3);
  t[kImportTwitter] = r.GetField(tail + 4);
  t[kImportPixiv] = r.GetField(tail + 5);
  return t;
}

ImportFileTexts UnknownRecordTexts(const CsvReader& r) {
  ImportFileTexts t;
  t[kImportCircleName] = r.GetField(1);
  t[kImportCircleKana] = r.GetField(2);
  t[kImportPenName] = r.GetField(3);
  t[kImportMemo] = r.GetField(4);
  t[kImportBookName] = r.GetField(6);
  t[kImportUrl] = r.GetField(7);
  t[kImportMailAddr] = r.GetField(8);
  t[kImportDescription] = r.GetField(9);
  t[kImportUpdateData] = r.GetField(10);
  t[kImportOrbalink] = r.GetField(11);
  t[kImportRss] = r.GetField(12);
  t[kImportRssInfo] = r.GetField(13);
  t[kImportTwitter] = r.GetField(14);
  t[kImportPixiv] = r.GetField(15);
  return t;
}

}  // namespace

// What a read collects besides import rows: colour definitions wait for the read to succeed.
struct FavoriteStore::ReadState {
  bool append = false;
  bool takeColors = false;
  std::vector<std::pair<int, FavoriteColor>> colors;
  bool lines = false;    // after the header or magic line, blanks apart
  bool records = false;  // of them, records this reader knows
};

int FavoriteStore::CheckFile(const std::filesystem::path& path) {
  return StatusOfUnreadFile(BoundedFileReader(kMaxChecklistFileBytes).Check(path));
}

bool FavoriteStore::LoadFile(const std::filesystem::path& path, bool append, bool takeColors,
                             const ReadProgress& progress) {
  std::string bytes;
  const auto outcome = BoundedFileReader(kMaxChecklistFileBytes).Read(path, bytes);
  if (outcome != BoundedFileReader::Outcome::kRead) {
    readStatus_ = StatusOfUnreadFile(outcome);
    fileEventNo_ = 0;
    DiscardImport();  // nothing of an earlier read may pass for this one's
    stopRequested_ = false;
    if (progress) progress(-1, 0);
    return IsSameEvent();
  }
  lastFileStamp_ = ChecklistFileStamp::Of(bytes);
  return LoadText(bytes, append, takeColors, progress);
}

bool FavoriteStore::LoadText(std::string_view text, bool append, bool takeColors,
                             const ReadProgress& progress) {
  // Editors often put a byte order mark in front of UTF-8 files; no checklist starts with it.
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  const int total = CountLineEnds(text);
  Parse(text, append, takeColors, progress, total);
  stopRequested_ = false;  // the stop was this read's
  if (progress) progress(-1, total);
  return IsSameEvent();
}

bool FavoriteStore::IsSameEvent() const { return fileEventNo_ == database_.GetEventNo(); }

void FavoriteStore::Parse(std::string_view text, bool append, bool takeColors,
                          const ReadProgress& progress, int total) {
  fileEventNo_ = 0;
  readStatus_ = kReadNothing;
  DiscardImport();
  textIndex_.Clear();  // the catalogue may have changed since the last read
  serialIndex_.Clear();

  MyFile2 source(text);
  CsvReader reader(&source, ',');
  const ReadMode mode = StartRead(source, reader);
  if (readStatus_ == kReadUnsupportedVersion) return;
  if (mode == ReadMode::kOlder && source.eof() &&
      IsCutRecord(reader, text, kCodePageCp932, kMagicLineShape)) {
    readStatus_ = kReadBadData;
    return;
  }
  ReadState state{append, takeColors, {}};
  pendingRecords_.reserve(static_cast<std::size_t>(std::max(total, 0)));  // a record a line
  bool waitingForHeader = mode == ReadMode::kCurrent;
  for (int index = 0; !stopRequested_; ++index) {
    const std::size_t start = source.Position();
    const int codePage = reader.CodePage();
    if (!reader.ReadRecord()) break;
    if (source.eof() && IsCutRecord(reader, text.substr(start), codePage,
                                    ShapeOf(reader, mode == ReadMode::kOlder, waitingForHeader))) {
      readStatus_ = kReadBadData;
      break;
    }
    if (waitingForHeader) {
      waitingForHeader = !AcceptHeader(reader);
      readStatus_ = waitingForHeader ? kReadBadData : kReadDone;
    } else if (!ReadRecord(reader, mode, state)) {
      readStatus_ = kReadBadData;
      break;
    }
    if (progress) progress(index, total);
  }
  // Lines none of which is a checklist record are no checklist, even behind a good header:
  // read as an empty one, they would replace the user's checklist with nothing.
  if (state.lines && !state.records) readStatus_ = kReadBadData;
  if (readStatus_ == kReadDone && IsDamagedText(text.substr(0, source.Position()), reader)) {
    readStatus_ = kReadBadData;
  }
  if (readStatus_ == kReadBadData) {
    DiscardImport();
    return;
  }
  BuildImportRecords();
  FinishRead(state);
}

// What the read took of the text holds bytes no checklist does: a NUL (the record reader would
// end the line's text there and read on), or UTF-8 where the text is CP932 (older format, or a
// Header naming Shift_JIS or an encoding the reader does not know).
bool FavoriteStore::IsDamagedText(std::string_view read, const CsvReader& reader) {
  if (read.find('\0') != std::string_view::npos) return true;
  return reader.CodePage() == kCodePageCp932 && IsUtf8RatherThanCp932(read);
}

// The first record tells the format: the older one by its magic line, else the current one, read
// again from the start.
FavoriteStore::ReadMode FavoriteStore::StartRead(IFile& source, CsvReader& reader) {
  if (reader.ReadRecord()) {
    if (EqualsIgnoreCase(reader.GetField(0), "QUILLOR") &&
        StartsWithIgnoreCase(reader.GetField(2), kEventPrefix)) {
      if (reader.GetFieldInt(1) >= kFirstUnsupportedVersion) {
        readStatus_ = kReadUnsupportedVersion;
      } else {
        fileEventNo_ = EventNumberAfterPrefix(reader.GetField(2));
        readStatus_ = kReadDone;
      }
      return ReadMode::kOlder;
    }
    readStatus_ = kReadBadData;
  }
  source.rewind();
  reader.SetSeparator(',');
  return ReadMode::kCurrent;
}

bool FavoriteStore::AcceptHeader(CsvReader& reader) {
  const std::string event = reader.GetField(2);
  if (reader.GetField(0) != "Header" || reader.GetField(1) != "VellastradeCD-ROMCatalog" ||
      !event.starts_with(kEventPrefix)) {
    return false;
  }
  fileEventNo_ = EventNumberAfterPrefix(event);
  reader.SetCodePage(CodePageOfEncoding(reader.GetField(3)));
  return true;
}

bool FavoriteStore::ReadRecord(const CsvReader& reader, ReadMode mode, ReadState& state) {
  const LineKind line =
      mode == ReadMode::kOlder ? KindOfOlderLine(reader) : KindOfCurrentLine(reader);
  if (line == LineKind::kNotARecord) return false;
  state.lines = state.lines || line != LineKind::kEmpty;
  if (line != LineKind::kRecord) return true;
  state.records = true;
  candidateIds_.clear();
  if (mode == ReadMode::kOlder) {
    ReadOlderLine(reader);
    return true;
  }
  const std::string kind = reader.GetField(0);
  if (kind == "Circle") {
    ReadCircleRecord(reader);
  } else if (kind == "UnKnown") {
    ReadUnknownRecord(reader);
  } else if (kind == "Color") {
    ReadColorRecord(reader, state);
  }
  return true;
}

// Field 1 is the serial (update id, or circle id - 1 before event 74); when empty, page and cut
// identify the circle. Another event's serials mean nothing here: its circles match by their
// texts alone, whatever their serial field holds.
void FavoriteStore::ReadCircleRecord(const CsvReader& reader) {
  const ImportFileTexts texts = CircleRecordTexts(reader);
  if (!IsSameEvent()) {
    MatchCircleByText(texts[kImportCircleName], texts[kImportCircleKana], texts[kImportPenName],
                      texts[kImportTwitter], texts[kImportPixiv]);
  } else {
    const std::string serial = reader.GetField(1);
    int number = 0;
    ParseWholeInt(serial, number);  // empty or a number: the record's shape was checked
    int id = 0;
    if (serial.empty()) {
      id = FindCircleByCut(reader.GetFieldInt(3), reader.GetFieldInt(4));
    } else if (database_.GetEventNo() >= kFirstEventWithSerials) {
      id = serialIndex_.Find(database_, number);
    } else {
      id = IdAfterSerial(number);
    }
    if (id > 0) candidateIds_.push_back(id);
  }
  AddImportRecords(reader.GetFieldInt(2), texts);
}

void FavoriteStore::ReadUnknownRecord(const CsvReader& reader) {
  const ImportFileTexts texts = UnknownRecordTexts(reader);
  if (!IsSameEvent()) {
    MatchCircleByText(texts[kImportCircleName], texts[kImportCircleKana], texts[kImportPenName],
                      texts[kImportTwitter], texts[kImportPixiv]);
  }
  AddImportRecords(reader.GetFieldInt(5), texts);
}

// Field 0 is the circle id - 1 (-1 for an unknown circle); when empty, page and cut identify it.
// As with Circle records, only the current event's lines are identified by these fields.
void FavoriteStore::ReadOlderLine(const CsvReader& reader) {
  const ImportFileTexts texts = OlderLineTexts(reader);
  if (!IsSameEvent()) {
    MatchCircleByText(texts[kImportCircleName], texts[kImportCircleKana], texts[kImportPenName],
                      texts[kImportTwitter], texts[kImportPixiv]);
  } else {
    const std::string idField = reader.GetField(0);
    int number = 0;
    ParseWholeInt(idField, number);  // empty or a number: the line's shape was checked
    const int id = idField.empty() ? FindCircleByCut(reader.GetFieldInt(2), reader.GetFieldInt(3))
                                   : IdAfterSerial(number);
    if (id > 0) candidateIds_.push_back(id);
  }
  AddImportRecords(reader.GetFieldInt(1), texts);
}

// Circles without a space have page and cut 0: those fields never identify one of them.
int FavoriteStore::FindCircleByCut(int page, int cut) const {
  return page > 0 && cut > 0 ? database_.FindCircleIdByCut(page, cut) : 0;
}

void FavoriteStore::ReadColorRecord(const CsvReader& reader, ReadState& state) const {
  if (state.append && !state.takeColors) return;
  const int number = reader.GetFieldInt(1);
  if (number < 1 || number > kMaxColorCount) return;
  FavoriteColor color;
  color.checkColor = ParseHexColor(reader.GetField(2));
  color.printColor = ParseHexColor(reader.GetField(3));
  color.name = reader.GetField(4);
  state.colors.emplace_back(number - 1, std::move(color));
}

// Only a text that proved readable may replace the checklist and its colours, and only when its
// rows are committed.
void FavoriteStore::FinishRead(const ReadState& state) {
  if (readStatus_ != kReadDone) return;
  pendingReplace_ = !state.append;
  pendingColors_ = state.colors;
}

}  // namespace vx
