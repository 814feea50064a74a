#include "app/AppSettings.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "app/BookmarkList.h"
#include "app/BookmarkMerge.h"
#include "app/ListColumns.h"
#include "app/PaperSize.h"
#include "app/SettingsPath.h"
#include "app/SettingsTable.h"
#include "platform/DataProtection.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "platform/Sjis.h"

namespace vx {
namespace {

using namespace settings;

constexpr std::string_view kSettingsIniName = "settings.ini";
constexpr std::string_view kUserSettingsName = "vindaxel.ini";
constexpr int kMaxBookmarkKeys = 0x10000;
// Bounds a damaged count in the search group; no event has this many days or genres.
constexpr int kMaxSearchListEntries = 4096;

std::string KeyWithNumber(std::string_view prefix, const char* digits) {
  return std::string(prefix) + digits;
}

std::string Key02d(std::string_view prefix, int n) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", n);
  return KeyWithNumber(prefix, digits);
}

std::string Key04x(std::string_view prefix, int n) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04x", static_cast<unsigned>(n));
  return KeyWithNumber(prefix, digits);
}

std::string Key08X(std::string_view prefix, int n) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(n));
  return KeyWithNumber(prefix, digits);
}

std::string EventPrefix(int eventNumber) { return "VQ" + std::to_string(eventNumber); }

void CopyText(char* dst, std::size_t size, const std::string& text) {
  SjisCopyBounded(dst, text.c_str(), size);
}

// A text field of the block, never read past its end.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
  return std::string_view(field, strnlen(field, N));
}

std::uint32_t ParseColor(std::string_view text, std::uint32_t defaultValue) {
  if (text.size() != 7 || text[0] != '#') return defaultValue;
  std::uint32_t color = 0;
  for (char c : text.substr(1)) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return defaultValue;
    const int digit = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
    color = color * 16 + static_cast<std::uint32_t>(digit);
  }
  return color;
}

std::string FormatColor(std::uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(color));
  return text;
}

template <class Block>
void LoadTexts(const ProfileFile& file, std::string_view section,
               std::span<const TextKey<Block>> keys, Block& block) {
  for (const auto& k : keys) {
    CopyText(block.*k.field, kTextSize, file.GetString(section, k.key, k.defaultValue));
  }
}

// A stored value longer than its field was cut on load: writing the cut text back would lose the
// rest, so the file keeps its whole value while the field still holds that value's start.
void WriteText(ProfileFile& file, std::string_view section, std::string_view key,
               std::string_view text, std::size_t fieldBytes) {
  if (file.HasKey(section, key)) {
    const std::string stored = file.GetString(section, key, "");
    if (stored.size() > fieldBytes && SjisTruncate(stored, fieldBytes) == text) return;
  }
  file.WriteString(section, key, text);
}

template <std::size_t N>
void WriteField(ProfileFile& file, std::string_view section, std::string_view key,
                const char (&field)[N]) {
  WriteText(file, section, key, FieldText(field), N - 1);
}

template <class Block>
void SaveTexts(ProfileFile& file, std::string_view section, std::span<const TextKey<Block>> keys,
               const Block& block) {
  for (const auto& k : keys) WriteField(file, section, k.key, block.*k.field);
}

void WriteNumber(ProfileFile& file, std::string_view section, std::string_view key, int value) {
  file.WriteString(section, key, std::to_string(value));
}

// ---- system group ----

// Older versions stored these paths as UTF-8. A value longer than its field is taken as any
// text is: cut in the field and kept whole in the file.
void LoadOlderPath(const ProfileFile& file, std::string_view key, char (&field)[kTextSize]) {
  const std::string stored = file.GetString(kSystemSection, key, "");
  if (!StoreSettingsPath(field, SettingsPathTextOfOlderValue(stored))) {
    CopyText(field, kTextSize, stored);
  }
}

void LoadRecentFiles(const ProfileFile& file, SettingsValues& v) {
  for (int i = 0; i < kRecentFileCount; ++i) {
    LoadOlderPath(file, Key02d("RecentFiles.", i), v.recentFiles[i]);
  }
}

void SaveRecentFiles(ProfileFile& file, const SettingsValues& v) {
  for (int i = 0; i < kRecentFileCount; ++i) {
    WriteField(file, kSystemSection, Key02d("RecentFiles.", i), v.recentFiles[i]);
  }
}

struct WindowKey {
  std::string_view prefix;
  int WindowRect::*rectField;  // null: the visibility flag
};

constexpr WindowKey kWindowKeys[] = {
    {"WndPosL.", &WindowRect::left},
    {"WndPosT.", &WindowRect::top},
    {"WndPosR.", &WindowRect::right},
    {"WndPosB.", &WindowRect::bottom},
    {"WndDisp.", nullptr},
};

int& WindowValue(SettingsValues& v, int slot, const WindowKey& k) {
  return k.rectField ? v.windowRects[slot].*k.rectField : v.windowShown[slot];
}

int WindowValue(const SettingsValues& v, int slot, const WindowKey& k) {
  return k.rectField ? v.windowRects[slot].*k.rectField : v.windowShown[slot];
}

// A missing key keeps what the application put in the slot before loading. Slots without a
// window id are neither read nor written.
void LoadWindowSlots(const ProfileFile& file, SettingsValues& v) {
  for (int slot = 0; slot < kWindowSlotCount; ++slot) {
    if (v.windowIds[slot] == 0) continue;
    for (const WindowKey& k : kWindowKeys) {
      int& value = WindowValue(v, slot, k);
      value = file.GetInt(kWindowSection, Key08X(k.prefix, v.windowIds[slot]), value);
    }
  }
}

void SaveWindowSlots(ProfileFile& file, const SettingsValues& v) {
  for (int slot = 0; slot < kWindowSlotCount; ++slot) {
    if (v.windowIds[slot] == 0) continue;
    for (const WindowKey& k : kWindowKeys) {
      WriteNumber(file, kWindowSection, Key08X(k.prefix, v.windowIds[slot]),
                  WindowValue(v, slot, k));
    }
  }
}

int StoredColorCount(const SettingsValues& v) {
  return std::clamp(v.fvrColorNum, 0, kMaxCheckColors);
}

void LoadColors(const ProfileFile& file, SettingsValues& v) {
  // The count bounds every loop over the palette.
  v.fvrColorNum = std::clamp(file.GetInt(kColorSection, "FvrColorNum", 9), 1, kMaxCheckColors);
  v.fvrColorDef = file.GetInt(kColorSection, "FvrColorDef", 0);
  if (v.fvrColorDef < 0 || v.fvrColorDef >= v.fvrColorNum) v.fvrColorDef = 0;
  for (int i = 0; i < v.fvrColorNum; ++i) {
    v.fvrColors[i] =
        ParseColor(file.GetString(kColorSection, Key02d("FvrColorPal.", i), ""), v.fvrColors[i]);
    v.fvrPrintColors[i] = ParseColor(file.GetString(kColorSection, Key02d("FvrPrintPal.", i), ""),
                                     v.fvrPrintColors[i]);
    CopyText(v.fvrColorNames[i], kColorNameSize,
             file.GetString(kColorSection, Key02d("FvrColorStr.", i), ""));
  }
}

void SaveColor(ProfileFile& file, const std::string& key, std::uint32_t color) {
  if (color <= 0xFFFFFF) file.WriteString(kColorSection, key, FormatColor(color));
}

void SaveColors(ProfileFile& file, const SettingsValues& v) {
  WriteNumber(file, kColorSection, "FvrColorNum", v.fvrColorNum);
  WriteNumber(file, kColorSection, "FvrColorDef", v.fvrColorDef);
  for (int i = 0; i < StoredColorCount(v); ++i) {
    SaveColor(file, Key02d("FvrColorPal.", i), v.fvrColors[i]);
    SaveColor(file, Key02d("FvrPrintPal.", i), v.fvrPrintColors[i]);
    WriteField(file, kColorSection, Key02d("FvrColorStr.", i), v.fvrColorNames[i]);
  }
}

struct ColumnTableKey {
  std::string_view prefix;
  int (SettingsValues::*table)[kColumnSlotCount];
};

constexpr ColumnTableKey kColumnTables[] = {
    {"ColumnWidth.List", &SettingsValues::listColumnWidths},
    {"ColumnWidth.Check", &SettingsValues::checkColumnWidths},
    {"Column.List", &SettingsValues::listColumns},
    {"Column.Check", &SettingsValues::checkColumns},
};

void LoadColumns(const ProfileFile& file, SettingsValues& v) {
  SettingsValues defaults{};
  ResetListColumns(defaults, v.eventNumber);
  for (const ColumnTableKey& t : kColumnTables) {
    for (int i = 0; i < kColumnSlotCount; ++i) {
      (v.*t.table)[i] = file.GetInt(kConfigSection, Key02d(t.prefix, i), (defaults.*t.table)[i]);
    }
  }
  RepairListColumns(v.listColumns, v.listColumnWidths);
  RepairListColumns(v.checkColumns, v.checkColumnWidths);
}

void SaveColumns(ProfileFile& file, const SettingsValues& v) {
  for (const ColumnTableKey& t : kColumnTables) {
    for (int i = 0; i < kColumnSlotCount; ++i) {
      WriteNumber(file, kConfigSection, Key02d(t.prefix, i), (v.*t.table)[i]);
    }
  }
}

void LoadToolBars(const ProfileFile& file, SettingsValues& v) {
  for (int b = 0; b < kToolBarCount; ++b) {
    const std::string name(ToolBarNames()[b]);
    v.toolBars[b].shown = file.GetInt(kToolBarSection, name, 1);
    v.toolBars[b].x = file.GetInt(kToolBarSection, name + "PosX", 0);
    v.toolBars[b].y = file.GetInt(kToolBarSection, name + "PosY", 0);
  }
}

void SaveToolBars(ProfileFile& file, const SettingsValues& v) {
  for (int b = 0; b < kToolBarCount; ++b) {
    const std::string name(ToolBarNames()[b]);
    WriteNumber(file, kToolBarSection, name, v.toolBars[b].shown);
    WriteNumber(file, kToolBarSection, name + "PosX", v.toolBars[b].x);
    WriteNumber(file, kToolBarSection, name + "PosY", v.toolBars[b].y);
  }
}

// ---- print group ----

std::string PrintKindKeyName(const PrintKindKey& k, int eventNumber, int kind) {
  return Key02d((k.perEvent ? EventPrefix(eventNumber) : std::string()) + std::string(k.name),
                kind);
}

PrintMargins DefaultMargins() {
  PrintMargins m{};
  for (const auto& k : MarginKeys()) m.*k.field = k.defaultValue;
  return m;
}

// A value outside what the paper and margin dialog allows, from a hand-edited or damaged file,
// would print beyond the paper or into a strip: the paper is brought to the nearest size the
// dialog allows, and a set of margins the dialog would refuse goes back to the defaults (none
// where even those leave nothing of a small free paper). Answers the paper kinds reset.
std::vector<int> BoundPaperAndMargins(PrintSettings& p) {
  if (p.paperType < 0 || p.paperType >= kPaperKindCount) p.paperType = kPaperA4;
  p.paperSizeW = std::clamp(p.paperSizeW, 1, kMaxPaperSide);
  p.paperSizeH = std::clamp(p.paperSizeH, 1, kMaxPaperSide);
  std::vector<int> reset;
  for (int kind = 0; kind < kPaperKindCount; ++kind) {
    const PaperSize paper =
        kind == kPaperFree ? PaperSize{p.paperSizeW, p.paperSizeH} : kStandardPaperSizes[kind];
    PrintMargins& m = p.margins[kind];
    if (MarginsFitPaper(m, paper)) continue;
    m = DefaultMargins();
    if (!MarginsFitPaper(m, paper)) m = PrintMargins{};
    reset.push_back(kind);
  }
  return reset;
}

std::vector<int> LoadPrint(const ProfileFile& file, int eventNumber, PrintSettings& p) {
  LoadInts(file, kPrintSection, PrintInts(), p);
  LoadTexts(file, kPrintSection, PrintTexts(), p);
  for (int kind = 0; kind < kPrintKindCount; ++kind) {
    for (const PrintKindKey& k : PrintKindKeys()) {
      p.kinds[kind].*k.field =
          file.GetInt(kPrintSection, PrintKindKeyName(k, eventNumber, kind), k.defaults[kind]);
    }
  }
  for (int paper = 0; paper < kPaperKindCount; ++paper) {
    for (const auto& k : MarginKeys()) {
      p.margins[paper].*k.field = file.GetInt(kPrintSection, Key02d(k.key, paper), k.defaultValue);
    }
  }
  return BoundPaperAndMargins(p);
}

void SavePrint(ProfileFile& file, int eventNumber, const PrintSettings& p) {
  SaveInts(file, kPrintSection, PrintInts(), p);
  SaveTexts(file, kPrintSection, PrintTexts(), p);
  for (int kind = 0; kind < kPrintKindCount; ++kind) {
    for (const PrintKindKey& k : PrintKindKeys()) {
      WriteNumber(file, kPrintSection, PrintKindKeyName(k, eventNumber, kind),
                  p.kinds[kind].*k.field);
    }
  }
  for (int paper = 0; paper < kPaperKindCount; ++paper) {
    for (const auto& k : MarginKeys()) {
      WriteNumber(file, kPrintSection, Key02d(k.key, paper), p.margins[paper].*k.field);
    }
  }
}

// ---- event group ----

void LoadBookmarks(const ProfileFile& file, const std::string& section, BookmarkList& list) {
  list.RemoveAll();
  for (const StoredBookmark& b : BookmarkMerge::Read(file, section)) {
    list.Add(Bookmark::Make(b.type, b.depth, b.page, b.title));
  }
}

void SaveBookmarks(ProfileFile& file, const std::string& section, const BookmarkList& list) {
  int i = 0;
  for (; i < list.Count() && i < kMaxBookmarkKeys - 1; ++i) {
    const Bookmark& b = *list.GetAt(i);
    if (b.type == Bookmark::kEnd) break;
    WriteNumber(file, section, Key04x("BookmarkType.", i), b.type);
    WriteNumber(file, section, Key04x("BookmarkDepth.", i), b.depth);
    WriteNumber(file, section, Key04x("BookmarkPage.", i), b.page);
    WriteField(file, section, Key04x("BookmarkTitle.", i), b.title);
  }
  WriteNumber(file, section, Key04x("BookmarkType.", i), Bookmark::kEnd);
}

// ---- search group ----

std::optional<std::vector<int>> LoadSearchList(const ProfileFile& file, const std::string& countKey,
                                               const std::string& itemPrefix) {
  const int count = file.GetInt(kSearchSection, countKey, -1);
  if (count < 0) return std::nullopt;
  std::vector<int> items;
  for (int i = 0; i < std::min(count, kMaxSearchListEntries); ++i) {
    const int item = file.GetInt(kSearchSection, itemPrefix + std::to_string(i), -1);
    if (item >= 0) items.push_back(item);
  }
  return items;
}

void SaveSearchList(ProfileFile& file, const std::optional<std::vector<int>>& items,
                    const std::string& countKey, const std::string& itemPrefix) {
  if (!items) {
    WriteNumber(file, kSearchSection, countKey, -1);
    return;
  }
  WriteNumber(file, kSearchSection, countKey, static_cast<int>(items->size()));
  for (std::size_t i = 0; i < items->size(); ++i) {
    WriteNumber(file, kSearchSection, itemPrefix + std::to_string(i), (*items)[i]);
  }
}

bool HasSection(const ProfileFile& file, std::string_view name) {
  const std::vector<std::string> sections = file.Sections();
  return std::any_of(sections.begin(), sections.end(), [&](const std::string& section) {
    return std::equal(
        section.begin(), section.end(), name.begin(), name.end(),
        [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
  });
}

// Readable and holding at least one of the groups an export writes.
bool IsSettingsFile(const ProfileFile& file) {
  if (!file.Ok()) return false;
  for (std::string_view group : {kSystemSection, kWindowSection, kColorSection, kConfigSection,
                                 kToolBarSection, kPrintSection, kSearchSection}) {
    if (HasSection(file, group)) return true;
  }
  return false;
}

// Points the settings at another file for the life of the object.
class ActiveFileScope {
 public:
  ActiveFileScope(AppSettings& settings, const std::filesystem::path& file)
      : settings_(settings), previous_(settings.ActiveFile()) {
    settings_.SetIniPath(file);
  }
  ~ActiveFileScope() { settings_.SetIniPath(previous_); }
  ActiveFileScope(const ActiveFileScope&) = delete;
  ActiveFileScope& operator=(const ActiveFileScope&) = delete;

 private:
  AppSettings& settings_;
  std::filesystem::path previous_;
};

}  // namespace

AppSettings::AppSettings(std::filesystem::path programFolder)
    : settingsIni_(JoinPath(programFolder, kSettingsIniName)) {
  const std::string userData =
      GetPrivateProfileString("Settings", "UserData", "exepath", settingsIni_);
  readOnly_ = GetPrivateProfileInt("Settings", "ReadOnly", 0, settingsIni_) != 0;
  SettleUserFolder(userData, programFolder);
  userFile_ = JoinPath(userFolder_, kUserSettingsName);
  activeFile_ = userFile_;
  for (std::size_t i = 0; i < std::size(kDefaultCheckColors); ++i) {
    values_.fvrColors[i] = kDefaultCheckColors[i];
    values_.fvrPrintColors[i] = kDefaultCheckColors[i];
  }
}

void AppSettings::SettleUserFolder(std::string_view userData,
                                   const std::filesystem::path& programFolder) {
  mode_ = userData == "personalpath"  ? UserDataMode::kDocuments
          : userData == "appdatapath" ? UserDataMode::kDataHome
                                      : UserDataMode::kProgramFolder;
  if (mode_ != UserDataMode::kProgramFolder) {
    const std::filesystem::path base =
        mode_ == UserDataMode::kDocuments ? DocumentsFolder() : DataHomeFolder();
    std::error_code error;
    const std::filesystem::path folder = JoinPath(base, kUserDataSubfolder);
    if (!base.empty() && (std::filesystem::create_directories(folder, error) || !error) &&
        std::filesystem::is_directory(folder, error)) {
      userFolder_ = folder;
      return;
    }
    mode_ = UserDataMode::kProgramFolder;
  }
  userFolder_ = programFolder;
}

int AppSettings::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
  return GetPrivateProfileInt(section, key, defaultValue, activeFile_);
}

std::string AppSettings::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  return GetPrivateProfileString(section, key, defaultValue, activeFile_);
}

bool AppSettings::WriteInt(std::string_view section, std::string_view key, int value) const {
  return WriteString(section, key, std::to_string(value));
}

bool AppSettings::WriteString(std::string_view section, std::string_view key,
                              std::string_view text) const {
  const std::string keyText(key);
  const std::string valueText(text);
  return WritePrivateProfileString(section, keyText.c_str(), valueText.c_str(), activeFile_);
}

std::uint32_t AppSettings::ReadColor(std::string_view key, std::uint32_t defaultValue) const {
  return ParseColor(ReadString(kColorSection, key, ""), defaultValue);
}

bool AppSettings::WriteColor(std::string_view key, std::uint32_t color) const {
  if (color > 0xFFFFFF) return false;
  return WriteString(kColorSection, key, FormatColor(color));
}

// What went wrong is kept for the caller's message: a file that could not be written, or a value
// that could not be stored in it.
bool AppSettings::SaveWhole(const ProfileFile& file, bool refusedWrites) const {
  refusedWrites = refusedWrites || file.RefusedWrites();
  std::error_code error;
  const bool saved = file.Save(error);
  if (!saved) {
    saveFailure_ = error;
  } else if (refusedWrites) {
    saveFailure_ = std::make_error_code(std::errc::illegal_byte_sequence);
  }
  return saved && !refusedWrites;
}

// The file is read again at every save: what another instance wrote since stays.
bool AppSettings::SaveGroup(const GroupWriter& write) const {
  ProfileFile file(activeFile_);
  if (activeFile_ != userFile_) {
    write(file);
    return SaveWhole(file);
  }
  ProfileFile ours;
  write(ours);
  ProfileFile mine = file;
  write(mine);
  const std::vector<SettingsBaseline::Entry> written = baseline_.MergeInto(file, ours, mine);
  const bool saved = SaveWhole(file, mine.RefusedWrites());
  // Written, though a value that cannot be stored is missing: that one is not in `ours` either.
  if (saved || saveFailure_ == std::errc::illegal_byte_sequence) {
    baseline_.RememberSaved(written, ours, file);
  }
  return saved;
}

void AppSettings::RememberLoaded(const ProfileFile& file, const GroupWriter& write) const {
  if (activeFile_ != userFile_ || !file.Ok()) return;
  ProfileFile ours;
  write(ours);
  baseline_.RememberLoaded(ours, file);
}

bool AppSettings::LoadSystemGroup() {
  const ProfileFile file(activeFile_);
  LoadSystemGroup(file);
  RememberLoaded(file, [this](ProfileFile& f) { WriteSystemGroup(f); });
  return file.Ok();
}

void AppSettings::LoadSystemGroup(const ProfileFile& file) {
  for (const IntSection& s : SystemIntSections()) LoadInts(file, s.section, s.keys, values_);
  for (const SystemText& t : SystemTexts()) {
    CopyText(values_.*t.key.field, kTextSize,
             file.GetString(t.section, t.key.key, t.key.defaultValue));
  }
  LoadOlderPath(file, "DefaultFileDir96", values_.defaultFileDir);
  LoadRecentFiles(file, values_);
  LoadWindowSlots(file, values_);
  LoadColors(file, values_);
  LoadColumns(file, values_);
  LoadToolBars(file, values_);
  marginsReset_ = LoadPrint(file, values_.eventNumber, values_.print);
}

// A file that could not be read is never saved over (every default would replace it); a value
// that could not be stored makes the save answer false, though the rest is written.
bool AppSettings::SaveSystemGroup() const {
  return SaveGroup([this](ProfileFile& file) { WriteSystemGroup(file); });
}

void AppSettings::WriteSystemGroup(ProfileFile& file) const {
  for (const IntSection& s : SystemIntSections()) SaveInts(file, s.section, s.keys, values_);
  for (const SystemText& t : SystemTexts()) {
    WriteField(file, t.section, t.key.key, values_.*t.key.field);
  }
  SaveRecentFiles(file, values_);
  SaveWindowSlots(file, values_);
  SaveColors(file, values_);
  SaveColumns(file, values_);
  SaveToolBars(file, values_);
  SavePrint(file, values_.eventNumber, values_.print);
}

bool AppSettings::LoadPrintGroup(int eventNumber) {
  const ProfileFile file(activeFile_);
  marginsReset_ = LoadPrint(file, eventNumber, values_.print);
  RememberLoaded(file, [&](ProfileFile& f) { WritePrintGroup(f, eventNumber); });
  return file.Ok();
}

bool AppSettings::SavePrintGroup(int eventNumber) const {
  return SaveGroup([&](ProfileFile& file) { WritePrintGroup(file, eventNumber); });
}

void AppSettings::WritePrintGroup(ProfileFile& file, int eventNumber) const {
  SavePrint(file, eventNumber, values_.print);
}

bool AppSettings::LoadEventGroup(int eventNumber, BookmarkList& bookmarks) {
  const ProfileFile file(activeFile_);
  LoadEventGroup(file, eventNumber, bookmarks);
  RememberLoaded(file, [&](ProfileFile& f) { WriteEventGroup(f, eventNumber, bookmarks); });
  return file.Ok();
}

void AppSettings::LoadEventGroup(const ProfileFile& file, int eventNumber,
                                 BookmarkList& bookmarks) {
  const std::string section = EventPrefix(eventNumber);
  LoadInts(file, section, EventInts(), values_);
  LoadTexts(file, section, EventTexts(), values_);
  LoadBookmarks(file, section, bookmarks);
}

bool AppSettings::SaveEventGroup(int eventNumber, const BookmarkList& bookmarks) const {
  return SaveGroup([&](ProfileFile& file) { WriteEventGroup(file, eventNumber, bookmarks); });
}

void AppSettings::WriteEventGroup(ProfileFile& file, int eventNumber,
                                  const BookmarkList& bookmarks) const {
  const std::string section = EventPrefix(eventNumber);
  SaveInts(file, section, EventInts(), values_);
  SaveTexts(file, section, EventTexts(), values_);
  SaveBookmarks(file, section, bookmarks);
}

SearchSettings AppSettings::LoadSearchGroup(int eventNumber) const {
  const ProfileFile file(activeFile_);
  const SearchSettings search = LoadSearchGroup(file, eventNumber);
  RememberLoaded(file, [&](ProfileFile& f) { WriteSearchGroup(f, search, eventNumber); });
  return search;
}

SearchSettings AppSettings::LoadSearchGroup(const ProfileFile& file, int eventNumber) {
  const std::string dayPrefix = EventPrefix(eventNumber) + ".day";
  SearchSettings search;
  search.matchAll = file.GetInt(kSearchSection, "andMode", 1) != 0;
  search.normalized = file.GetInt(kSearchSection, "normalize", 1) != 0;
  search.memoOnly = file.GetInt(kSearchSection, "condMemoSearch", 0) != 0;
  search.updatedOnly = file.GetInt(kSearchSection, "condUpdateSearch", 0) != 0;
  search.keywordFields = file.GetInt(kSearchSection, "column", kDefaultSearchFields);
  search.days = LoadSearchList(file, dayPrefix + "Count", dayPrefix);
  search.genres = LoadSearchList(file, "genreCount", "genre");
  search.keywords = SjisTruncate(file.GetString(kSearchSection, "keyword", ""), kMaxKeywordBytes);
  return search;
}

bool AppSettings::SaveSearchGroup(const SearchSettings& search, int eventNumber) const {
  return SaveGroup([&](ProfileFile& file) { WriteSearchGroup(file, search, eventNumber); });
}

void AppSettings::WriteSearchGroup(ProfileFile& file, const SearchSettings& search,
                                   int eventNumber) {
  const std::string dayPrefix = EventPrefix(eventNumber) + ".day";
  WriteNumber(file, kSearchSection, "andMode", search.matchAll ? 1 : 0);
  WriteNumber(file, kSearchSection, "normalize", search.normalized ? 1 : 0);
  WriteNumber(file, kSearchSection, "condMemoSearch", search.memoOnly ? 1 : 0);
  WriteNumber(file, kSearchSection, "condUpdateSearch", search.updatedOnly ? 1 : 0);
  WriteNumber(file, kSearchSection, "column", search.keywordFields);
  SaveSearchList(file, search.days, dayPrefix + "Count", dayPrefix);
  SaveSearchList(file, search.genres, "genreCount", "genre");
  WriteText(file, kSearchSection, "keyword", search.keywords, kMaxKeywordBytes);
}

bool AppSettings::ExportSettings(const std::filesystem::path& file, const BookmarkList& bookmarks,
                                 const SearchSettings& search) {
  ActiveFileScope scope(*this, file);
  const int eventNumber = values_.eventNumber;
  // Each group is tried, so that one value that cannot be stored costs only itself.
  const bool searchSaved = SaveSearchGroup(search, eventNumber);
  const bool eventSaved = SaveEventGroup(eventNumber, bookmarks);
  return SaveSystemGroup() && eventSaved && searchSaved;
}

// The whole file is read once and checked before anything changes, so a file that cannot be
// read, or is no settings file at all, leaves the values, the bookmarks and the search alone.
std::optional<SearchSettings> AppSettings::ImportSettings(const std::filesystem::path& path,
                                                          BookmarkList& bookmarks) {
  const ProfileFile file(path);
  if (!IsSettingsFile(file)) return std::nullopt;
  // The file may come from a run on another event: the program stays on its own event, whose
  // print, event and search keys are the ones taken.
  const int event = values_.eventNumber;
  LoadSystemGroup(file);
  values_.eventNumber = event;
  marginsReset_ = LoadPrint(file, event, values_.print);
  LoadEventGroup(file, event, bookmarks);
  return LoadSearchGroup(file, event);
}

bool AppSettings::ExportPrintSettings(const std::filesystem::path& file) {
  ActiveFileScope scope(*this, file);
  return SavePrintGroup(values_.eventNumber);
}

bool AppSettings::ImportPrintSettings(const std::filesystem::path& path) {
  const ProfileFile file(path);
  if (!file.Ok() || !HasSection(file, kPrintSection)) return false;
  marginsReset_ = LoadPrint(file, values_.eventNumber, values_.print);
  return true;
}

bool AppSettings::ReadProtectedString(std::string_view key, std::string& text) const {
  text.clear();
  const std::string stored = ReadString(kAuthSection, key, "");
  if (stored.empty()) return true;
  // Empty texts are stored empty, so an empty answer means the value could not be opened.
  text = DataProtection(DataProtection::DefaultKeyFile()).Unprotect(stored);
  return !text.empty();
}

bool AppSettings::WriteProtectedString(std::string_view key, std::string_view text) const {
  if (text.empty()) return WriteString(kAuthSection, key, "");
  const std::string sealed = DataProtection(DataProtection::DefaultKeyFile()).Protect(text);
  if (sealed.empty()) return false;
  return WriteString(kAuthSection, key, sealed);
}

int AppSettings::ReadAuthInt(std::string_view key) const { return ReadInt(kAuthSection, key, 0); }

bool AppSettings::WriteAuthInt(std::string_view key, int value) const {
  return WriteInt(kAuthSection, key, value);
}

}  // namespace vx
