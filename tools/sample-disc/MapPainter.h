// Draws the hall maps of MDATA: per day and hall the map with every desk at its layout
// position, the genre layer coloured by the genre of each half-space's circle, and the outline
// pictures of the venue that printing lays under its maps. `scale` 2 gives the high-resolution
// pictures (HMP, HGR, HALMAP), whose coordinates are exactly twice the low-resolution ones.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "tools/sample-disc/CatalogModel.h"

namespace vx::sampledisc {

// Genre id of the circle on each half-space of one day, indexed by desk index * 2 + half;
// 0 where the half is vacant.
std::vector<int> DayOccupancy(const Catalog& catalog, int day);

QImage DrawHallMap(const Catalog& catalog, const HallMap& map, int day, int scale);
// Transparent white where no circle sits; the genre colour, opaque, on each occupied half.
QImage DrawGenreMap(const Catalog& catalog, const HallMap& map, const std::vector<int>& occupancy,
                    int scale);

// The outline pictures, all of one size: "BS" shows the whole venue; a map's or an area's short
// stem shows that part in black on white.
std::vector<std::string> OutlineStems(const Catalog& catalog);
QImage DrawOutline(const Catalog& catalog, const std::string& stem, int scale);

// The rectangle of half `half` (0 a, 1 b) of a desk, relative to the desk's top left corner.
QRect HalfRect(int layout, int half, int deskW, int deskH);

}  // namespace vx::sampledisc
