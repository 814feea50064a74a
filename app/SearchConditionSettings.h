// Moves the stored search choices ("Search" group) into the search condition after loading and
// takes them out of it before saving.
#pragma once

#include "app/SearchSettings.h"

namespace vx {

class SearchCondition;

// Resets the condition, sets the flags and fields, the days and genres (every one when the
// settings name none) and last the keywords, which are built from the flags.
void ApplySearchSettings(const SearchSettings& settings, SearchCondition& condition);
SearchSettings CaptureSearchSettings(const SearchCondition& condition);

}  // namespace vx
