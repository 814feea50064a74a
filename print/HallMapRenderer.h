// The hall map of a map page: the map of a (hall group, day) pair loaded once and kept while the
// pages show it, optionally tinted by its genre layer, a working copy per page on which the
// page's circles are marked in their print colours, and that copy drawn into the map frame.
#pragma once

namespace vx {

struct DibImage;
struct MapPlacement;
struct PrintJob;
struct PrintRecord;

// Forgets the loaded map (and frees it).
void MapHall_ClearCache();
// Loads the map of hall group `hallGroup` (1..7) on day `day` (1-based day entry), or keeps it
// when it is the one loaded; a group without a map file clears the cache. Only when the page is
// output. 0, or -1 after reporting.
int MapHall_ReadBMPMap(int hallGroup, int day, const PrintJob& job, bool output);
// Multiplies the pair's genre layer, lightened to the job's strength, into the 24-bit map; a
// missing layer file leaves the map as it is. 0, or -1 after reporting.
int MapHall_MixGenreMap(DibImage& map, int hallGroup, int day, const PrintJob& job);
// A fresh working copy of the loaded map for the page; 0, or -1 after reporting.
int MapHall_StartPage(bool output);
// Marks the circle's half of its desk in its print colour; 0.
int MapHall_PaintCircle(const PrintRecord& record, const PrintJob& job, bool output);
// The working copy scaled into its place on the page, framed `frameWidth` thick outside; 0.
int MapHall_DrawMap(PrintJob& job, const MapPlacement& placement, int frameWidth, bool output);

}  // namespace vx
