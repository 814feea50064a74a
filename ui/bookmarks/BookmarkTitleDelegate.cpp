#include "ui/bookmarks/BookmarkTitleDelegate.h"

#include <QLineEdit>

#include "app/BookmarkList.h"
#include "ui/widgets/Cp932LengthValidator.h"

namespace vx {

QWidget* BookmarkTitleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    line->setValidator(new Cp932LengthValidator(kBookmarkTitleSize - 1, line));
  }
  return editor;
}

}  // namespace vx
