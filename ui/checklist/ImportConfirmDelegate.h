// Draws the cells of the import confirmation page: the file's circle (names over its check colour
// and memo), the catalogue circle (names over genre and description), and one radio button per
// choice. A click on a radio button, or Space on its cell, chooses it.
#pragma once

#include <QStyledItemDelegate>

namespace vx {

class ImportConfirmDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The radio button's place inside a choice cell.
  static QRect RadioRect(const QRect& cell);

 protected:
  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

 private:
  void PaintCircleCell(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const;
  void PaintChoiceCell(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const;
};

}  // namespace vx
