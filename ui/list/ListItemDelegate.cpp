#include "ui/list/ListItemDelegate.h"

#include <QPainter>

#include "app/CatalogController.h"
#include "ui/list/ListModel.h"

namespace vx {

namespace {
constexpr std::uint32_t kNoMark = 0xFFFFFF;
}  // namespace

ListItemDelegate::ListItemDelegate(const ListModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

CutRect ListItemDelegate::FitCut(const QRect& cell, int cutWidth, int cutHeight) {
  if (cutWidth <= 0 || cutHeight <= 0) return {};
  const int fittedWidth = cutWidth * cell.height() / cutHeight;
  if (fittedWidth < cell.width()) {
    return {cell.x() + (cell.width() - fittedWidth) / 2, cell.y(), fittedWidth, cell.height()};
  }
  const int fittedHeight = cutHeight * cell.width() / cutWidth;
  return {cell.x(), cell.y() + (cell.height() - fittedHeight) / 2, cell.width(), fittedHeight};
}

void ListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  if (index.column() != cutColumn_ || source_ == nullptr || index.row() >= model_.RowCount()) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  painter->fillRect(option.rect, Qt::white);
  const CutRect cut = FitCut(option.rect, source_->GetCutWidth(), source_->GetCutHeight());
  if (cut.w <= 0 || cut.h <= 0) return;
  const ListRowRecord& record = model_.Row(index.row()).record;
  painter->save();
  painter->setClipRect(option.rect);
  source_->DrawCircleCut(*painter, cut, record.pageNo, record.cutIndex, record.cutNumber, kNoMark,
                         0);
  painter->restore();
}

}  // namespace vx
