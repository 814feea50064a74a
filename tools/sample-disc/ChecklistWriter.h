// Checklist files for the sample event: the current format (Header, Color and Circle / UnKnown
// records, comma-separated) and the older QUILLOR format, with memos that need quoting and
// escaping. Texts are built as CP932 and converted to the file's encoding last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sample-disc/CatalogModel.h"

namespace vx::sampledisc {

struct ChecklistColor {
  int number = 0;           // 1-based
  std::uint32_t color = 0;  // COLORREF 0x00BBGGRR
  std::uint32_t printColor = 0;
  std::string name;  // CP932
};

struct ChecklistEntry {
  bool unknown = false;  // a circle the catalogue does not hold ("UnKnown" record)
  Circle circle;         // as written to the file
  int colour = 0;        // 0 memo only, 1.. check colour
  std::string memo;      // CP932
  std::string feedText;  // CP932
};

std::vector<ChecklistColor> ChecklistColors();
// The checklist of the sample's own event: the special circles with tricky memos, an unknown
// circle and a few circles chosen by the seed.
std::vector<ChecklistEntry> CurrentEventEntries(const Catalog& catalog, std::uint64_t seed);
// A checklist of another event: records that only a text match can find (by Twitter id, by
// Pixiv id, by names, by name alone matching three circles, and one that matches nothing).
std::vector<ChecklistEntry> OtherEventEntries(const Catalog& catalog);

// The current format in CP932; `encodingName` goes into the Header ("Shift_JIS", "UTF-8", ...).
std::string CurrentChecklistText(const Catalog& catalog, const std::vector<ChecklistEntry>& entries,
                                 int event, const std::string& encodingName);
std::string OlderChecklistText(const Catalog& catalog, const std::vector<ChecklistEntry>& entries,
                               int event);
// CP932 text in another code page, line by line so that every line stands on its own (an
// ISO-2022-JP line ends in ASCII).
std::string EncodeLines(const std::string& cp932Text, int codePage);

// Field quoting and escaping of the two formats.
std::string QuoteCsvField(const std::string& cp932);
std::string EscapeLongText(const std::string& cp932);

}  // namespace vx::sampledisc
