// Lays out the halls of the sample event: hall maps, their areas, the blocks of each area and
// every desk with its position on the map.
#pragma once

#include "tools/sample-disc/CatalogModel.h"
#include "tools/sample-disc/SampleOptions.h"

namespace vx::sampledisc {

// Fills catalog.maps, areas, blocks and desks (desks ordered by block id, then space number).
void PlanHalls(CatalogSize size, Catalog& catalog);

}  // namespace vx::sampledisc
