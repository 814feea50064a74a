// The two bookmark commands of the application, for the bookmark menu to call: add the current
// page under a title the user gives, and organise the bookmarks. Both run their dialog owned by
// `owner` under the controller's modal guard; the menu is to be rebuilt afterwards.
#pragma once

class QWidget;

namespace vx {

class BookmarkList;
class CatalogController;

class BookmarkCommands {
 public:
  BookmarkCommands(CatalogController& controller, BookmarkList& list)
      : controller_(controller), list_(list) {}

  // True when a bookmark was added. A full list says so before anything is asked.
  bool AddCurrentPage(QWidget* owner);
  void Organize(QWidget* owner);

  // "これ以上ブックマークを登録することはできません." under "ブックマークが多すぎます".
  static void ReportFullList(CatalogController& controller);

 private:
  CatalogController& controller_;
  BookmarkList& list_;
};

}  // namespace vx
