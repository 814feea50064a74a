// Paints a list control's cells: the platform's way, except the cut column, where each row shows
// its circle's cut, as large as the cell allows without distortion, centred on white.
#pragma once

#include <QStyledItemDelegate>

#include "data/images/CutDrawing.h"

namespace vx {

class CatalogController;
class ListModel;

class ListItemDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  ListItemDelegate(const ListModel& model, QObject* parent);

  void SetCutColumn(int column) { cutColumn_ = column; }
  void SetCutSource(const CatalogController* source) { source_ = source; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

  // Where a cut of `cutWidth` x `cutHeight` is drawn in `cell`: full height and centred across
  // when the cell is wider than the cut's shape, else full width and centred down. Empty when
  // the cut has no size.
  static CutRect FitCut(const QRect& cell, int cutWidth, int cutHeight);

 private:
  const ListModel& model_;
  const CatalogController* source_ = nullptr;
  int cutColumn_ = -1;
};

}  // namespace vx
