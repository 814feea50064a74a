// "ブックマークの追加": the title of a new bookmark for a page, proposed as the page's description
// and limited to what a stored title holds (127 CP932 bytes).
#pragma once

#include <QDialog>

class QLineEdit;

namespace vx {

class CatalogController;
struct Bookmark;

class BookmarkAddDialog : public QDialog {
  Q_OBJECT

 public:
  // `record` has its page set; OK fills its title, Cancel leaves it as it was.
  BookmarkAddDialog(CatalogController& controller, QWidget* parent, Bookmark& record);

  // IDOK or IDCANCEL.
  int DoModal();
  QLineEdit* TitleEdit() const { return edit_; }

  void accept() override;
  void reject() override;

 private:
  Bookmark& record_;
  QLineEdit* edit_;
};

}  // namespace vx
