// Search keywords over a small catalogue: the first byte chooses AND or OR, folding and the
// fields; the rest is the keyword text. Every text makes SQL that runs.
#include "data/SearchCondition.h"
#include "tests/fuzz/FuzzCatalog.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

void CountRow(void* context, vx::CircleRecord&&) { ++*static_cast<int*>(context); }

}  // namespace

VX_FUZZ_TARGET(SearchKeywords) {
  if (size == 0) return 0;
  // Held for every input, as the open search dialog holds them: each search reuses one copy.
  static const vx::SearchCondition::TextsHold texts =
      vx::SearchCondition(vxfuzz::FuzzCatalog()).HoldTexts();
  vx::SearchCondition search(vxfuzz::FuzzCatalog());
  search.Reset();
  search.AddAllDays();
  search.SetMatchAll(data[0] & 1);
  search.SetNormalizedMatch(data[0] & 2);
  search.SetMemoOnly(data[0] & 4);
  search.SetKeywordFields((data[0] & 8) ? vx::SearchCondition::DefaultKeywordFields()
                                        : (data[0] >> 4) * 0x55);
  search.SetKeywords(vxfuzz::Bytes(data + 1, size - 1));
  const int counted = search.CountMatches();
  int rows = 0;
  vxfuzz::Check(search.Run(CountRow, &rows) == 0, "the search's SQL runs");
  vxfuzz::Check(rows == counted && rows <= 8, "the count matches the rows found");
  return 0;
}
