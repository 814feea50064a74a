// Settings import: any file imports or is refused without a change; what was imported exports
// and imports again to the same values.
#include <cstdlib>
#include <cstring>

#include "app/AppSettings.h"
#include "app/BookmarkList.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

vx::AppSettings& Fresh(std::unique_ptr<vx::AppSettings>& slot) {
  const auto folder = vxfuzz::ScratchFile("program");
  std::filesystem::create_directories(folder);
  slot = std::make_unique<vx::AppSettings>(folder);
  const int ids[] = {vx::kMainWindowId, vx::kMapWindowId, vx::kChecklistWindowId,
                     vx::kDetailWindowId, vx::kListWindowId};
  for (int i = 0; i < 5; ++i) slot->Values().windowIds[i] = ids[i];
  return *slot;
}

bool SameBookmarks(const vx::BookmarkList& a, const vx::BookmarkList& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i) {
    if (std::memcmp(a.GetAt(i), b.GetAt(i), sizeof(vx::Bookmark)) != 0) return false;
  }
  return true;
}

}  // namespace

VX_FUZZ_TARGET(SettingsImport) {
  const auto file = vxfuzz::ScratchFile("import.ini");
  const auto exported = vxfuzz::ScratchFile("export.ini");
  vxfuzz::WriteBytes(file, vxfuzz::Bytes(data, size));
  std::unique_ptr<vx::AppSettings> first, second;
  vx::AppSettings& settings = Fresh(first);
  vx::BookmarkList bookmarks;
  const vx::SettingsValues before = settings.Values();
  const std::optional<vx::SearchSettings> search = settings.ImportSettings(file, bookmarks);
  if (!search) {
    vxfuzz::Check(std::memcmp(&before, &settings.Values(), sizeof before) == 0,
                  "a refused import changes nothing");
    return 0;
  }
  std::filesystem::remove(exported);
  settings.ExportSettings(exported, bookmarks, *search);  // a value may not be storable
  vx::AppSettings& again = Fresh(second);
  vx::BookmarkList reread;
  const std::optional<vx::SearchSettings> searchAgain = again.ImportSettings(exported, reread);
  vxfuzz::Check(searchAgain.has_value(), "an export imports");
  vxfuzz::Check(std::memcmp(&settings.Values(), &again.Values(), sizeof before) == 0,
                "an export imports to the same values");
  vxfuzz::Check(SameBookmarks(bookmarks, reread), "an export imports to the same bookmarks");
  vxfuzz::Check(*search == *searchAgain, "an export imports to the same search");
  return 0;
}
