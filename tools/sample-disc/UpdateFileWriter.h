// The data update text UPDATE.TXT (circle file form, 20 columns): corrections of existing
// circles, found by their update id, and a few circles new to the catalogue.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sample-disc/CatalogModel.h"

namespace vx::sampledisc {

struct UpdatePlan {
  std::vector<Circle> changed;  // catalogue circles with their corrected fields
  std::vector<Circle> added;    // update ids from kFirstNewUpdateId on, not placed
};

inline constexpr int kFirstNewUpdateId = 900001;

UpdatePlan PlanUpdate(const Catalog& catalog, std::uint64_t seed);
std::string UpdateFileText(const Catalog& catalog, const UpdatePlan& plan);

}  // namespace vx::sampledisc
