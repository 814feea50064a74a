// The program's own pictures, compiled in and looked up by their ids (ResourceIds.h): the tool
// bar images (16 x 15), the print layout pictures (96 x 72), the remove, bookmark and group
// images (16 x 16), the window icons and the cursors. Each icon holds its picture at 1x and 2x.
// Needs a QGuiApplication.
#pragma once

#include <QCursor>
#include <QIcon>

namespace vx {

// One image of a strip (IDB_TOOLBAR: 23 images; IDB_MAP_TOOLBAR: 7), or the image of
// IDB_REMOVE, IDB_BOOKMARK, IDB_BOOKMARK_GROUP, a preview bar image (IDB_PREVIEW_*) or a print
// layout picture (IDB_LAYOUT_*, 96 x 72) (index 0); a null icon for anything else.
QIcon BitmapImage(int bitmapId, int index = 0);
// The image a command's menu item shows (tool bar IDR_TOOLBAR_MENU_IMAGES); null when none.
QIcon CommandImage(int commandId);
// IDI_MAIN, IDI_MAP, IDI_DETAIL, IDI_CHECKLIST, IDI_LIST; null for another id.
QIcon WindowIcon(int iconId);
// IDCUR_*: the link and grab hands are Qt's own, the auto-scroll cursors ours (hot spot in the
// middle). The arrow for an unknown id.
QCursor ProgramCursor(int cursorId);

}  // namespace vx
