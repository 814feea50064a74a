#include "ui/bookmarks/BookmarkCommands.h"

#include "app/BookmarkList.h"
#include "app/CatalogController.h"
#include "app/ModalScope.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "res/ResourceIds.h"
#include "ui/bookmarks/BookmarkAddDialog.h"
#include "ui/bookmarks/BookmarkOrganizerDialog.h"

namespace vx {

bool BookmarkCommands::AddCurrentPage(QWidget* owner) {
  if (list_.Count() >= BookmarkList::kCapacity) {
    ReportFullList(controller_);
    return false;
  }
  Bookmark bookmark = Bookmark::Make(Bookmark::kPage, 0, controller_.GetCurrentPage(), "");
  {
    ModalScope modal(&controller_);
    BookmarkAddDialog dialog(controller_, owner, bookmark);
    if (dialog.DoModal() != IDOK) return false;
  }
  return list_.Add(bookmark);
}

void BookmarkCommands::Organize(QWidget* owner) {
  ModalScope modal(&controller_);
  BookmarkOrganizerDialog dialog(controller_, list_, owner);
  dialog.DoModal();
}

void BookmarkCommands::ReportFullList(CatalogController& controller) {
  controller.ShowMessageBox(MB_OK | MB_ICONHAND,
                            Sjis("これ以上ブックマークを登録することはできません."),
                            Sjis("ブックマークが多すぎます"));
}

}  // namespace vx
