// The disc's catalogue text files: definitions, space layout and circles, as CP932 bytes.
#pragma once

#include <string>

#include "tools/sample-disc/CatalogModel.h"

namespace vx::sampledisc {

// First line of every definition file this tool writes; a folder whose definition file starts
// with it holds an earlier sample disc that may be replaced.
inline constexpr const char* kSampleSignature = "# vindaxel sample catalogue";

std::string DefinitionFileText(const Catalog& catalog);    // V%dDEF.TXT
std::string LayoutFileText(const Catalog& catalog);        // V%dMAP.TXT
std::string SingleCircleFileText(const Catalog& catalog);  // V%dROM.TXT, 20 columns
// V%dROM%d.TXT for day 1.., V%dROM0.TXT for day 0 (the unplaced circles); 21 columns.
std::string DayCircleFileText(const Catalog& catalog, int day);

// The one-character weekday mark of a day (CP932); "漏" for day 0.
std::string WeekdayMark(const Catalog& catalog, int day);
std::string WeekdayMarkOf(int weekday);

}  // namespace vx::sampledisc
