// A small catalogue for the targets that need one: event 96 in a database of the scratch folder,
// built once per process and shared.
#pragma once

#include "data/PavorunDatabase.h"

namespace vxfuzz {

// Two days, two halls with three blocks, two genres, a few desks and errata rows, and eight
// circles (update ids 1001 to 1008) with CP932 names, one without a place.
vx::PavorunDatabase& FuzzCatalog();

}  // namespace vxfuzz
