// Which records a document prints and where: the day, hall entry or hall group and check colour
// of a record, tested against the job's masks and the job's catalogue tables.
#pragma once

namespace vx {

struct PrintCatalogTables;
struct PrintDay;
struct PrintRecord;

// The first day entry (1-based, the slot of the circles not placed included) whose bit is set in
// the day mask and whose weekday name is the record's; 0 for none.
int PrintSelect_Day(const PrintRecord& record, const PrintCatalogTables& tables, int dayMask);

// The first hall entry of the day (1-based) whose bit (its hall number - 1 + `bitOffset`) is set
// in the hall mask and that holds the record's block: among its further blocks, or as its first
// block with the space number inside its range; 0 for none.
int PrintSelect_HallEntry(const PrintRecord& record, const PrintDay& day, int hallMask,
                          int bitOffset);

// The first hall group (1..7) of the day whose bit is set in the hall mask and whose block names
// hold the record's block; 0 for none.
int PrintSelect_HallGroup(const PrintRecord& record, const PrintDay& day, int hallMask);

enum class ColorChoice { kSkip, kTake, kKeepPrevious };

// A colour of 1 or more is taken when its bit is set in the colour mask; a memo-only entry
// (colour 0) never is; a negative colour (a circle added unchecked) keeps the previous colour.
ColorChoice PrintSelect_Color(int color, int colorMask, int colorCount);

}  // namespace vx
