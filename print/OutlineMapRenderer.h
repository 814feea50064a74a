// The outline map: a small picture of the day's whole venue with the part the page shows (a
// hall group's map, or one hall entry) tinted, drawn in its corner of a map page.
#pragma once

namespace vx {

struct PrintJob;

// Parts 1..7 are the day's hall groups, 8 and up its hall entries (8 the first). Draws nothing
// unless the job asks for the outline map, or when the day has no outline picture. 0, or -1
// after reporting.
int RenderOutlineMap(PrintJob& job, int day, int part, bool output);

}  // namespace vx
