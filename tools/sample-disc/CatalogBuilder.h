// Builds the whole sample catalogue of one event from the options: days, halls, genres, circles
// placed on pages, errata and the special cases the program must cope with.
#pragma once

#include "tools/sample-disc/CatalogModel.h"
#include "tools/sample-disc/SampleOptions.h"

namespace vx::sampledisc {

Catalog BuildCatalog(const SampleOptions& options);

// Weekday of a date, 1 Sunday .. 7 Saturday.
int WeekdayOf(int year, int month, int day);

}  // namespace vx::sampledisc
