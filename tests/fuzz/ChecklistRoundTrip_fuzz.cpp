// Checklist files: any text reads (or is refused) against a small catalogue; a checklist saved
// after committing what was read reads back and saves to the same text, in both formats.
#include <string>

#include "checklist/FavoriteStore.h"
#include "tests/fuzz/FuzzCatalog.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

// The text after reading `text` into a fresh store and committing every row.
std::string Committed(std::string_view text, bool older) {
  vx::FavoriteStore store(vxfuzz::FuzzCatalog());
  store.LoadText(text, false, true);
  store.DefaultImportColors();
  store.CommitImportRecords(false, false);
  return older ? store.SaveVer1Text() : store.SaveText();
}

}  // namespace

VX_FUZZ_TARGET(ChecklistRoundTrip) {
  const std::string_view text = vxfuzz::Bytes(data, size);
  vx::FavoriteStore store(vxfuzz::FuzzCatalog());
  store.SetColor(1, 3);
  store.SetMemo(1, "kept");
  store.LoadText(text, true, false);  // appending keeps what was there
  vxfuzz::Check(store.GetColor(1) >= 0, "an append keeps the checklist");
  for (bool older : {false, true}) {
    const std::string saved = Committed(text, older);
    vxfuzz::Check(Committed(saved, older) == saved, "a saved checklist reads back to itself");
  }
  return 0;
}
