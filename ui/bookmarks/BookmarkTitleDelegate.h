// Renaming in the bookmark tree: the edit takes no more than a stored title holds (127 CP932
// bytes), so a title is never cut behind the user's back when it is saved.
#pragma once

#include <QStyledItemDelegate>

namespace vx {

class BookmarkTitleDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
};

}  // namespace vx
