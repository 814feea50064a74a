#include "ui/main/CatalogCommandGate.h"

#include <algorithm>
#include <utility>

#include "app/CatalogController.h"
#include "app/CatalogPresence.h"
#include "data/PavorunDatabase.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

// Inclusive ranges of command ids.
constexpr std::pair<int, int> kCatalogCommands[] = {
    // Pages, jumps, history and bookmarks.
    {ID_PREV_PAGE, ID_NEXT_PAGE},
    {ID_NEXT_BLOCK, ID_PREV_BLOCK},
    {ID_HISTORY_BACK, ID_HISTORY_FORWARD},
    {ID_PAGE_JUMP, ID_PAGE_JUMP},
    {ID_STATUS_NEXT_PAGE, ID_STATUS_PREV_PAGE},
    {ID_JUMP_DAY_PLACEHOLDER, ID_JUMP_GENRE_PLACEHOLDER},
    {ID_JUMP_DAY_FIRST, ID_JUMP_GENRE_FIRST + 99},
    {ID_BOOKMARK_ADD, ID_BOOKMARK_ORGANIZE},
    {ID_BOOKMARK_FIRST, ID_BOOKMARK_LAST},
    // The page on the screen.
    {ID_ZOOM_OUT, ID_ACTUAL_SIZE},
    {ID_FIT_HEIGHT, ID_FIT_WIDTH},
    {ID_FIT_PAGE, ID_FIT_PAGE},
    {ID_FIT_WIDTH_ONCE, ID_FIT_HEIGHT_ONCE},
    {ID_FOCUS_ZOOM_BOX, ID_FOCUS_ZOOM_BOX},
    // The hall map, which has no map without a catalogue.
    {ID_MAP_FIT_WHOLE, ID_MAP_FOCUS_ZOOM_BOX},
    {ID_MAP_ZOOM_OUT, ID_MAP_ACTUAL_SIZE},
    // Circles, marks and memos.
    {ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST},
    {ID_UNCHECK, ID_UNCHECK},
    {ID_CHECK_OR_RECOLOR, ID_CHECK_OR_RECOLOR},
    {ID_CHECK_CURRENT_COLOR, ID_CHECK_CURRENT_COLOR},
    {ID_COPY_CIRCLE, ID_CUT_CIRCLE},
    {ID_EDIT_MEMO, ID_EDIT_MEMO},
    {ID_ERASE_UNCHECKED_MEMOS, ID_ERASE_UNCHECKED_MEMOS},
    {ID_ERASE_ALL_MEMOS, ID_ERASE_ALL_MEMOS},
    // Checklist files: matched against the catalogue, and saving an empty list could replace one.
    {ID_CHECKLIST_OPEN, ID_CHECKLIST_APPEND},
    {ID_CHECKLIST_NEW, ID_CHECKLIST_SAVE_AS},
    {ID_CHECKLIST_SAVE_VER1, ID_CHECKLIST_SAVE_VER1},
    {ID_PORTAL_IMPORT, ID_PORTAL_EXPORT},
    {ID_RECENT_FIRST, ID_RECENT_LAST},
    {ID_PRINT_ORDER_FROM_LIST, ID_PRINT_ORDER_FROM_LIST},
    // Searches, the circle's links and feeds, printing, updates of the catalogue.
    {ID_SEARCH, ID_SEARCH},
    {ID_QUICK_KEYWORD, ID_QUICK_KEYWORD},
    {ID_SEARCH_NARROW, ID_SEARCH_NARROW},
    {ID_SEARCH_REDO_NARROW, ID_SEARCH_REDO_NARROW},
    {ID_WEB_SEARCH, ID_WEB_SEARCH},
    {ID_OPEN_CIRCLE_URL, ID_OPEN_CIRCLE_URL},
    {ID_OPEN_CIRCLE_TWITTER, ID_OPEN_CIRCLE_PIXIV},
    {ID_FETCH_RSS, ID_FETCH_RSS},
    {ID_PRINT, ID_PRINT},
    {ID_IMAGE_OUTPUT, ID_IMAGE_OUTPUT},
    {ID_UPDATE_FROM_NET, ID_UPDATE_FROM_FILE},
};

// Installing into, or choosing events of, a damaged file fails; a new start offers installing
// it again.
constexpr int kWritingCommands[] = {ID_CIRCLE_DATA, ID_EVENT_SWITCH};

}  // namespace

bool CatalogCommandGate::HoldsCatalog(const PavorunDatabase* database) {
  return HasCatalogToShow(database);
}

bool CatalogCommandGate::NeedsCatalog(int id) {
  return std::any_of(std::begin(kCatalogCommands), std::end(kCatalogCommands),
                     [id](const auto& range) { return id >= range.first && id <= range.second; });
}

bool CatalogCommandGate::NeedsSoundDatabase(int id) {
  return std::find(std::begin(kWritingCommands), std::end(kWritingCommands), id) !=
         std::end(kWritingCommands);
}

bool CatalogCommandGate::HasCatalog() const { return HoldsCatalog(controller_.GetDatabase()); }

bool CatalogCommandGate::IsClosed(int id) const {
  if (NeedsCatalog(id)) return !HasCatalog();
  if (!NeedsSoundDatabase(id)) return false;
  // The controller keeps no database that did not open.
  const PavorunDatabase* database = controller_.GetDatabase();
  return !database || database->IsDamaged();
}

bool CatalogCommandGate::OnUpdateCommand(int id, CommandState& state) const {
  if (!IsClosed(id)) return false;
  state.enabled = false;
  return true;
}

}  // namespace vx
