#include "res/Pictures.h"

#include <QGuiApplication>
#include <QString>

#include <array>
#include <utility>

#include "res/ResourceIds.h"

// The resources of a static library are registered by hand before first use.
static void RegisterPictures() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(pictures);
    return true;
  }();
  (void)registered;
}

namespace vx {

namespace {

// IDB_TOOLBAR, in image order.
constexpr std::array<const char*, 23> kToolbarImages = {
    "zoom-out",      "zoom-in",   "fit-width", "fit-height",     "actual-size", "anti-alias",
    "page-previous", "page-next", "open",      "save",           "whole-page",  "page-jump",
    "print",         "search",    "new",       "block-previous", "block-next",  "memo",
    "print-order",   "lock",      "back",      "forward",        "rss"};

// IDB_MAP_TOOLBAR, in image order.
constexpr std::array<const char*, 7> kMapToolbarImages = {
    "zoom-out", "zoom-in", "fit-width", "fit-height", "actual-size", "anti-alias", "whole-page"};

// IDR_TOOLBAR_MENU_IMAGES: command -> image of IDB_TOOLBAR.
constexpr std::pair<int, int> kMenuImages[] = {
    {ID_ZOOM_OUT, 0},
    {ID_ZOOM_IN, 1},
    {ID_FIT_WIDTH, 2},
    {ID_FIT_HEIGHT, 3},
    {ID_ACTUAL_SIZE, 4},
    {ID_ANTI_ALIAS, 5},
    {ID_PREV_PAGE, 6},
    {ID_NEXT_PAGE, 7},
    {ID_CHECKLIST_OPEN, 8},
    {ID_CHECKLIST_SAVE, 9},
    {ID_FIT_PAGE, 10},
    {ID_PAGE_JUMP, 11},
    {ID_PRINT, 12},
    {ID_SEARCH, 13},
    {ID_CHECKLIST_NEW, 14},
    {ID_PREV_BLOCK, 15},
    {ID_NEXT_BLOCK, 16},
    {ID_EDIT_MEMO, 17},
    {ID_PRINT_ORDER_FROM_LIST, 18},
    {ID_CHECKLIST_ORDER_LOCK, 19},
    {ID_LIST_SORT_LOCK, 19},
    {ID_HISTORY_BACK, 20},
    {ID_HISTORY_FORWARD, 21},
    {ID_FETCH_RSS, 22},
};

constexpr std::pair<int, const char*> kCells[] = {
    {IDB_REMOVE, "remove"}, {IDB_BOOKMARK, "bookmark"}, {IDB_BOOKMARK_GROUP, "bookmark-group"}};

// The preview bar, 16 x 15 like the tool bars.
constexpr std::pair<int, const char*> kPreviewImages[] = {
    {IDB_PREVIEW_ZOOM_25, "preview-25"},      {IDB_PREVIEW_ZOOM_25 + 1, "preview-50"},
    {IDB_PREVIEW_ZOOM_25 + 2, "preview-100"}, {IDB_PREVIEW_ZOOM_25 + 3, "preview-200"},
    {IDB_PREVIEW_ZOOM_25 + 4, "preview-400"}, {IDB_PREVIEW_PREVIOUS, "preview-previous"},
    {IDB_PREVIEW_NEXT, "preview-next"},       {IDB_PREVIEW_CLOSE, "preview-close"}};

constexpr std::pair<int, const char*> kLayoutPictures[] = {
    {IDB_LAYOUT_BLANK_MAP_LANDSCAPE, "blank-map-landscape"},
    {IDB_LAYOUT_MAP_COLORS_LANDSCAPE, "map-colors-landscape"},
    {IDB_LAYOUT_MAP_LIST_LANDSCAPE, "map-list-landscape"},
    {IDB_LAYOUT_MAP_CUTS_LARGE_LANDSCAPE, "map-cuts-large-landscape"},
    {IDB_LAYOUT_CUTS_4X4, "cuts-4x4"},
    {IDB_LAYOUT_CUTS_5X5, "cuts-5x5"},
    {IDB_LAYOUT_CUTS_6X6, "cuts-6x6"},
    {IDB_LAYOUT_CUTS_2X5, "cuts-2x5"},
    {IDB_LAYOUT_CUTS_3X7, "cuts-3x7"},
    {IDB_LAYOUT_CUTS_4X9, "cuts-4x9"},
    {IDB_LAYOUT_LIST_PORTRAIT, "list-portrait"},
    {IDB_LAYOUT_LIST_LANDSCAPE, "list-landscape"},
    {IDB_LAYOUT_LIST_TWO_COLUMNS, "list-two-columns"},
    {IDB_LAYOUT_CUTS_5X10, "cuts-5x10"},
    {IDB_LAYOUT_CUTS_7X7, "cuts-7x7"},
    {IDB_LAYOUT_MAP_CUTS_MEDIUM_LANDSCAPE, "map-cuts-medium-landscape"},
    {IDB_LAYOUT_MAP_CUTS_SMALL_LANDSCAPE, "map-cuts-small-landscape"},
    {IDB_LAYOUT_MAP_CUTS_LARGE_PORTRAIT, "map-cuts-large-portrait"},
    {IDB_LAYOUT_MAP_CUTS_MEDIUM_PORTRAIT, "map-cuts-medium-portrait"},
    {IDB_LAYOUT_MAP_CUTS_SMALL_PORTRAIT, "map-cuts-small-portrait"},
    {IDB_LAYOUT_MAP_LIST_PORTRAIT, "map-list-portrait"},
    {IDB_LAYOUT_MAP_COLORS_PORTRAIT, "map-colors-portrait"},
    {IDB_LAYOUT_BLANK_MAP_PORTRAIT, "blank-map-portrait"}};

constexpr std::pair<int, const char*> kIcons[] = {{IDI_MAIN, "main"},
                                                  {IDI_MAP, "map"},
                                                  {IDI_DETAIL, "detail"},
                                                  {IDI_CHECKLIST, "checklist"},
                                                  {IDI_LIST, "list"}};

constexpr std::pair<int, const char*> kScrollCursors[] = {
    {IDCUR_SCROLL_CENTER, "scroll-center"},
    {IDCUR_SCROLL_UP, "scroll-up"},
    {IDCUR_SCROLL_DOWN, "scroll-down"},
    {IDCUR_SCROLL_LEFT, "scroll-left"},
    {IDCUR_SCROLL_RIGHT, "scroll-right"},
    {IDCUR_SCROLL_UP_LEFT, "scroll-up-left"},
    {IDCUR_SCROLL_UP_RIGHT, "scroll-up-right"},
    {IDCUR_SCROLL_DOWN_LEFT, "scroll-down-left"},
    {IDCUR_SCROLL_DOWN_RIGHT, "scroll-down-right"}};

template <std::size_t N>
const char* NameOf(const std::pair<int, const char*> (&table)[N], int id) {
  for (const auto& [key, name] : table) {
    if (key == id) return name;
  }
  return nullptr;
}

// A picture with its 2x version.
QIcon Picture(const char* folder, const char* name) {
  RegisterPictures();
  const QString base =
      QStringLiteral(":/pictures/%1/%2").arg(QLatin1String(folder), QLatin1String(name));
  QIcon icon;
  icon.addFile(base + QStringLiteral(".png"));
  icon.addFile(base + QStringLiteral("@2x.png"));
  return icon;
}

}  // namespace

QIcon BitmapImage(int bitmapId, int index) {
  if (const char* cell = NameOf(kCells, bitmapId))
    return index == 0 ? Picture("cell", cell) : QIcon();
  if (const char* preview = NameOf(kPreviewImages, bitmapId))
    return index == 0 ? Picture("tool", preview) : QIcon();
  if (const char* layout = NameOf(kLayoutPictures, bitmapId))
    return index == 0 ? Picture("layout", layout) : QIcon();
  if (bitmapId == IDB_TOOLBAR && index >= 0 && index < static_cast<int>(kToolbarImages.size())) {
    return Picture("tool", kToolbarImages[index]);
  }
  if (bitmapId == IDB_MAP_TOOLBAR && index >= 0 &&
      index < static_cast<int>(kMapToolbarImages.size())) {
    return Picture("tool", kMapToolbarImages[index]);
  }
  return QIcon();
}

QIcon CommandImage(int commandId) {
  for (const auto& [command, index] : kMenuImages) {
    if (command == commandId) return BitmapImage(IDB_TOOLBAR, index);
  }
  return QIcon();
}

QIcon WindowIcon(int iconId) {
  const char* name = NameOf(kIcons, iconId);
  if (!name) return QIcon();
  RegisterPictures();
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/pictures/icon/%1-%2.png").arg(QLatin1String(name)).arg(size));
  }
  return icon;
}

QCursor ProgramCursor(int cursorId) {
  switch (cursorId) {
    case IDCUR_LINK:
      return QCursor(Qt::PointingHandCursor);
    case IDCUR_HAND:
      return QCursor(Qt::OpenHandCursor);
    case IDCUR_GRABBING:
      return QCursor(Qt::ClosedHandCursor);
    default:
      break;
  }
  const char* name = NameOf(kScrollCursors, cursorId);
  if (!name) return QCursor(Qt::ArrowCursor);
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  return QCursor(Picture("cursor", name).pixmap(QSize(32, 32), ratio), -1, -1);
}

}  // namespace vx
