#include "data/DefinitionFileParser.h"

#include "data/DiscTextCheck.h"
#include "data/ImportProgress.h"
#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "data/Weekday.h"
#include "platform/CodePage.h"
#include "platform/LeadingInt.h"
#include "platform/Sjis.h"

#include <algorithm>
#include <atomic>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

namespace vx {
namespace {

// Blanks before a line's text carry no meaning; an empty line or one starting with '#' is a
// comment. Answers the text, or nothing for a comment.
bool TextOfLine(std::string_view& line) {
  const auto start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  line.remove_prefix(start);
  return line.front() != '#';
}

int OptionalInt(std::string_view field, int fallback) {
  return field.empty() ? fallback : LeadingInt(field);
}

// The high-resolution print range: an empty field is twice the normal range's value.
PrintRect OptionalDoubledRect(std::string_view x, std::string_view y, std::string_view w,
                              std::string_view h, const PrintRect& base) {
  const PrintRect doubled = DoubledRect(base);
  return {OptionalInt(x, doubled.x), OptionalInt(y, doubled.y), OptionalInt(w, doubled.w),
          OptionalInt(h, doubled.h)};
}

std::string EventText(int eventNo) { return Sjis("ヴェラストレード") + std::to_string(eventNo); }

constexpr std::string_view kEventSection = "Pavorun";

using Section = DefinitionFileParser::Section;

constexpr std::pair<std::string_view, Section> kSections[] = {
    {kEventSection, Section::kPavorun},
    {"CutInfo", Section::kCutInfo},
    {"MapTableInfo", Section::kMapTableInfo},
    {"PavorunDate", Section::kDate},
    {"PavorunMap", Section::kMap},
    {"PavorunArea", Section::kArea},
    {"PavorunGenre", Section::kGenre},
    {"PavorunJiko", Section::kJiko}};

// The fields a row of each section needs (the ones after them may be left out), by Section.
constexpr std::size_t kRowFields[] = {0, 2, 6, 4, 4, 6, 7, 2, 5};

// Without a row in each of these the event has no days, maps, areas, blocks or genres.
constexpr std::pair<std::string_view, Section> kRequiredSections[] = {
    {"CutInfo", Section::kCutInfo},  {"MapTableInfo", Section::kMapTableInfo},
    {"PavorunDate", Section::kDate}, {"PavorunMap", Section::kMap},
    {"PavorunArea", Section::kArea}, {"PavorunGenre", Section::kGenre}};
// An event may have no errata, but its file still has the section: a file cut at a line end
// before it would install without them.
constexpr std::pair<std::string_view, Section> kSectionsMaybeEmpty[] = {
    {"PavorunJiko", Section::kJiko}};

std::string OtherEventText(int expected, int named) {
  return EventText(expected) + Sjis(" の設定情報ファイルではありません (") + EventText(named) +
         Sjis(" と書かれています).");
}

std::string NoEventLineText() { return Sjis("開催回の行 (*Pavorun) がありません."); }

Section FindSection(std::string_view name) {
  Section found = Section::kNone;
  for (const auto& [sectionName, section] : kSections) {
    if (sectionName == name) found = section;
  }
  return found;
}

// The section name of a section line ("*Name"), or nothing for a data line.
std::optional<std::string_view> SectionName(std::string_view text) {
  if (text.front() != '*') return std::nullopt;
  text.remove_prefix(1);
  return NextTabField(text);
}

}  // namespace

ImportStatus DefinitionFileParser::Parse(std::FILE* file, ImportProgress* progress) {
  std::atomic<bool>& stop = db_.GetDefinitionStop();
  stop = false;
  db_.GetEventInfo() = EventInfo{};
  TextLineReader reader(file);
  std::string_view line;
  for (int index = 0; !stop && !status_.Failed() && reader.Next(line); ++index) {
    if (const std::string problem = LineProblem(reader, line); !problem.empty()) {
      // A converted, damaged or truncated file would install names no one can read, or an
      // event without the rest of a section.
      status_.Refuse(LineRefusalText(index + 1, problem));
      break;
    }
    ParseLine(line);
    if (progress != nullptr) progress->ReportProgress(index);
  }
  if (!stop) CheckEventStored();
  if (progress != nullptr) progress->ReportProgress(-1);
  return status_;
}

// A file cut short would leave the event without maps, areas, blocks or genres; rows without
// their event's information row would be invisible to the event list, so nothing could ever
// delete them.
void DefinitionFileParser::CheckEventStored() {
  if (status_.Failed()) return;
  if (!eventLineRead_) {
    status_.Refuse(NoEventLineText());
    return;
  }
  std::string missing;
  const auto name = [&missing](std::string_view section) {
    missing += (missing.empty() ? "*" : ", *") + std::string(section);
  };
  for (const auto& [section, id] : kRequiredSections) {
    if (rows_[static_cast<std::size_t>(id)] == 0) name(section);
  }
  for (const auto& [section, id] : kSectionsMaybeEmpty) {
    if (!started_[static_cast<std::size_t>(id)]) name(section);
  }
  if (!missing.empty()) {
    status_.Refuse(Sjis("必要な節 (") + missing + Sjis(") がないか、その行がありません. ") +
                   Sjis("ファイルが途中で切れている可能性があります."));
    return;
  }
  int infoRows = 0;
  db_.ExecPrintf(RowFirstColumnInt, &infoRows,
                 "select count(*) from PavorunInfo where pavorunNo=%d;", db_.GetEventNo());
  if (infoRows == 0) status_.Refuse(Sjis("日程 (*PavorunDate) がありません."));
}

std::string DefinitionFileParser::LineProblem(const TextLineReader& reader,
                                              std::string_view line) const {
  if (reader.HeldNul()) return NulByteProblem(reader.WholeLine());
  if (!reader.Ended()) {
    if (std::string cut = CutShortProblem(line); !cut.empty()) return cut;
  }
  return DiscTextProblem(line);
}

// A whole row has the fields its section needs, and no fewer than the section's rows before.
std::string DefinitionFileParser::CutShortProblem(std::string_view line) const {
  if (!TextOfLine(line)) return {};
  if (const std::optional<std::string_view> name = SectionName(line)) {
    if (FindSection(*name) != Section::kNone) return {};
    return Sjis("行の途中でファイルが終わっています (節の名前 *") + std::string(*name) +
           Sjis("). ファイルが途中で切れている可能性があります");
  }
  if (section_ == Section::kNone) return {};
  const auto s = static_cast<std::size_t>(section_);
  return CutShortRowProblem(line, std::max(kRowFields[s], shortestRow_[s]));
}

void DefinitionFileParser::ParseLine(std::string_view line) {
  if (!TextOfLine(line)) return;
  if (const std::optional<std::string_view> name = SectionName(line)) {
    StartSection(*name);
    return;
  }
  ParseDataLine(line);
  const auto s = static_cast<std::size_t>(section_);
  ++rows_[s];
  const std::size_t fields = TabFieldCount(line);
  if (shortestRow_[s] == 0 || fields < shortestRow_[s]) shortestRow_[s] = fields;
  ++row_;
}

void DefinitionFileParser::StartSection(std::string_view name) {
  row_ = 1;
  const Section found = FindSection(name);
  if (found == Section::kNone) {
    // A section this program does not know (a comment section too) leaves the rows to the
    // section before it: only the row number restarts.
    std::cerr << "unknown state " << name << "\n";
    return;
  }
  section_ = found;
  started_[static_cast<std::size_t>(found)] = true;
  switch (section_) {
    case Section::kDate:
      Record(db_.GetInfoTable().InsertRow(db_.GetEventInfo()));
      break;
    case Section::kArea:
      db_.GetMapMaster().Load();
      blockNo_ = 1;
      break;
    case Section::kJiko:
      db_.GetBlockMaster().Load();
      break;
    default:
      break;
  }
}

void DefinitionFileParser::ParseDataLine(std::string_view line) {
  switch (section_) {
    case Section::kNone:
      std::cerr << "unknown state\n";
      return;
    case Section::kPavorun:
      return ParsePavorun(line);
    case Section::kCutInfo:
      return ParseCutInfo(line);
    case Section::kMapTableInfo:
      return ParseMapTableInfo(line);
    case Section::kDate:
      return ParseDate(line);
    case Section::kMap:
      return ParseMap(line);
    case Section::kArea:
      return ParseArea(line);
    case Section::kGenre:
      return ParseGenre(line);
    case Section::kJiko:
      return ParseJiko(line);
  }
}

void DefinitionFileParser::ParsePavorun(std::string_view line) {
  const auto f = SplitTabFields<2>(line);
  const int eventNo = LeadingInt(f[0]);
  if (eventNo != db_.GetEventNo()) {
    // Filling that other event would replace its catalogue under the name of this one.
    status_.Refuse(OtherEventText(db_.GetEventNo(), eventNo));
    return;
  }
  eventLineRead_ = true;
  Record(db_.DeleteEventInfo());
  db_.GetEventInfo().pavorunName = SjisTruncate(f[1], kEventNameMaxBytes);
}

void DefinitionFileParser::ParseCutInfo(std::string_view line) {
  const auto f = SplitTabFields<6>(line);
  EventInfo& info = db_.GetEventInfo();
  int* targets[] = {&info.cutSizeW,   &info.cutSizeH,   &info.cutOriginX,
                    &info.cutOriginY, &info.cutOffsetX, &info.cutOffsetY};
  for (std::size_t i = 0; i < f.size(); ++i) *targets[i] = LeadingInt(f[i]);
}

void DefinitionFileParser::ParseMapTableInfo(std::string_view line) {
  const auto f = SplitTabFields<4>(line);
  EventInfo& info = db_.GetEventInfo();
  int* targets[] = {&info.mapSizeW, &info.mapSizeH, &info.mapOriginX, &info.mapOriginY};
  for (std::size_t i = 0; i < f.size(); ++i) *targets[i] = LeadingInt(f[i]);
}

void DefinitionFileParser::ParseDate(std::string_view line) {
  const auto f = SplitTabFields<4>(line);
  Record(db_.GetDateMaster().InsertRow(row_, LeadingInt(f[0]), LeadingInt(f[1]), LeadingInt(f[2]),
                                       FindWeekdayIndex(f[3])));
}

void DefinitionFileParser::ParseMap(std::string_view line) {
  const auto f = SplitTabFields<12>(line);
  MapRow map;
  map.name = std::string(f[0]);
  map.filename = std::string(f[1]);
  map.print = {LeadingInt(f[2]), LeadingInt(f[3]), LeadingInt(f[4]), LeadingInt(f[5])};
  map.allfilename = std::string(f[6]);
  map.hiResPrint = OptionalDoubledRect(f[7], f[8], f[9], f[10], map.print);
  map.rotate = OptionalInt(f[11], row_ == 1 ? 1 : 0);
  Record(db_.GetMapMaster().InsertRow(row_, map));
}

void DefinitionFileParser::ParseArea(std::string_view line) {
  const auto f = SplitTabFields<12>(line);
  AreaRow area;
  area.name = std::string(f[0]);
  // The first double-byte character, or what fits of single-byte ones: never half a character.
  area.simpleName = SjisTruncate(f[0], 2);
  area.mapId = db_.GetMapMaster().FindIdByName(f[1]);
  area.print = {LeadingInt(f[3]), LeadingInt(f[4]), LeadingInt(f[5]), LeadingInt(f[6])};
  area.allFilename = std::string(f[7]);
  area.hiResPrint = OptionalDoubledRect(f[8], f[9], f[10], f[11], area.print);
  Record(db_.GetAreaMaster().InsertRow(row_, area));
  // Block names are one double-byte character each; an odd last byte is no name.
  for (std::string_view names = f[2]; names.size() >= 2; names.remove_prefix(2)) {
    Record(db_.GetBlockMaster().InsertRow(blockNo_++, names.substr(0, 2), row_));
  }
}

void DefinitionFileParser::ParseGenre(std::string_view line) {
  const auto f = SplitTabFields<2>(line);
  Record(db_.GetGenreMaster().InsertRow(row_, f[1], LeadingInt(f[0])));
}

void DefinitionFileParser::ParseJiko(std::string_view line) {
  const auto f = SplitTabFields<5>(line);
  Record(db_.GetJikoTable().InsertRow(LeadingInt(f[0]), db_.GetBlockMaster().FindIdByName(f[1]),
                                      LeadingInt(f[2]), LeadingInt(f[3]), LeadingInt(f[4])));
}

void DefinitionFileParser::Record(int rc) { status_.Record(rc, db_); }

std::string DefinitionFileOpenError(const std::filesystem::path& path) {
  return Sjis("設定情報ファイル ") + Utf8ToCp932(path.string()) + Sjis("\nを開けません.");
}

std::string DefinitionFileEventProblem(const std::filesystem::path& path, int eventNo) {
  BoundedFileReader::Outcome outcome{};
  const FileHandle file = OpenDiscTextFile(path, outcome);
  if (outcome == BoundedFileReader::Outcome::kNotRegularFile ||
      outcome == BoundedFileReader::Outcome::kTooLarge) {
    return Utf8ToCp932(path.filename().string()) + ": " + DiscTextFileRefusal(outcome);
  }
  if (!file) return DefinitionFileOpenError(path);
  TextLineReader reader(file.get());
  bool inEventSection = false;
  for (std::string_view line; reader.Next(line);) {
    if (!TextOfLine(line)) continue;
    if (const std::optional<std::string_view> name = SectionName(line)) {
      inEventSection = *name == kEventSection;
    } else if (inEventSection) {
      const int named = LeadingInt(NextTabField(line));
      return named == eventNo ? std::string() : OtherEventText(eventNo, named);
    }
  }
  return NoEventLineText();
}

}  // namespace vx
