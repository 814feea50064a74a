#include "ui/list/ListModel.h"

#include <QPixmap>

#include <algorithm>
#include <numeric>
#include <utility>

#include "platform/qt/QtStrings.h"

namespace vx {

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RowCount();
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount();
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= RowCount() || index.column() >= ColumnCount()) {
    return {};
  }
  const ListRow& row = rows_[index.row()];
  switch (role) {
    case Qt::DisplayRole:
      return QtText(row.cells[index.column()]);
    case Qt::DecorationRole: {
      if (index.column() != 0) return {};
      const int image = row.stateImage - 1;
      if (image >= 0 && image < static_cast<int>(stateImages_.size())) return stateImages_[image];
      return blankImage_;  // keeps the texts of all rows in line
    }
    default:
      return {};
  }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount()) return {};
  if (role == Qt::DisplayRole) return QtText(captions_[section]);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

void ListModel::SetColumns(std::vector<std::string> captions) {
  beginResetModel();
  captions_ = std::move(captions);
  for (ListRow& row : rows_) FitCells(row);
  endResetModel();
}

void ListModel::SetCaption(int column, std::string caption) {
  if (column < 0 || column >= ColumnCount()) return;
  captions_[column] = std::move(caption);
  Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void ListModel::SetStateImages(std::vector<QIcon> images, QSize size) {
  stateImages_ = std::move(images);
  QPixmap blank(size);
  blank.fill(Qt::transparent);
  blankImage_ = QIcon(blank);
  if (RowCount() > 0) Q_EMIT dataChanged(index(0, 0), index(RowCount() - 1, 0));
}

void ListModel::FitCells(ListRow& row) const { row.cells.resize(captions_.size()); }

void ListModel::AppendRows(std::vector<ListRow> rows) {
  if (rows.empty()) return;
  for (ListRow& row : rows) FitCells(row);
  beginInsertRows(QModelIndex(), RowCount(), RowCount() + static_cast<int>(rows.size()) - 1);
  if (rows_.empty()) {
    rows_ = std::move(rows);
  } else {
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
  }
  OrderChanged();
  endInsertRows();
}

void ListModel::InsertRow(int index, ListRow row) {
  index = std::clamp(index, 0, RowCount());
  FitCells(row);
  beginInsertRows(QModelIndex(), index, index);
  // A row appended keeps the index: a list filled a row at a time stays linear.
  if (index == RowCount() && indexValid_) {
    index_.emplace(row.record.circleId, index);
  } else {
    OrderChanged();
  }
  rows_.insert(rows_.begin() + index, std::move(row));
  endInsertRows();
}

void ListModel::RemoveRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  beginRemoveRows(QModelIndex(), row, row);
  rows_.erase(rows_.begin() + row);
  OrderChanged();
  endRemoveRows();
}

void ListModel::Clear() {
  if (rows_.empty()) return;
  beginResetModel();
  rows_.clear();
  OrderChanged();
  endResetModel();
}

void ListModel::SetCellText(int row, int column, std::string text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return;
  rows_[row].cells[column] = std::move(text);
  const QModelIndex cell = index(row, column);
  Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole});
}

void ListModel::SetRowColor(int row, int color, int stateImage, std::string colorName) {
  if (row < 0 || row >= RowCount() || ColumnCount() == 0) return;
  ListRow& target = rows_[row];
  target.record.color = color;
  target.stateImage = stateImage;
  target.cells[0] = std::move(colorName);
  const QModelIndex cell = index(row, 0);
  Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole, Qt::DecorationRole});
}

void ListModel::UpdateRows(const std::function<void(ListRow&)>& change) {
  if (rows_.empty()) return;
  for (ListRow& row : rows_) {
    change(row);
    FitCells(row);
  }
  Q_EMIT dataChanged(index(0, 0), index(RowCount() - 1, ColumnCount() - 1));
}

void ListModel::UpdateRowsOf(std::span<const int> circleIds,
                             const std::function<void(ListRow&)>& change) {
  int first = RowCount();
  int last = -1;
  for (const int id : circleIds) {
    for (const int row : FindRows(id)) {
      change(rows_[row]);
      FitCells(rows_[row]);
      first = std::min(first, row);
      last = std::max(last, row);
    }
  }
  if (last >= first) Q_EMIT dataChanged(index(first, 0), index(last, ColumnCount() - 1));
}

// One row from `from` to stand before the row that is now at `to` (`to` may be the row count).
void ListModel::MoveRow(int from, int to) {
  if (to == from || to == from + 1) return;
  beginMoveRows(QModelIndex(), from, from, QModelIndex(), to);
  ListRow row = std::move(rows_[from]);
  rows_.erase(rows_.begin() + from);
  rows_.insert(rows_.begin() + (from < to ? to - 1 : to), std::move(row));
  endMoveRows();
}

std::vector<int> ListModel::MoveRows(std::vector<int> rows, int target) {
  std::vector<int> moved;
  if (target < 0 || target >= RowCount()) return moved;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const int from = rows[k];
    if (from < 0 || from >= RowCount()) continue;
    // A row from above lands after the target, a row from below before it.
    const int to = from < target ? target + 1 : target;
    MoveRow(from, to);
    const int landed = from < to ? to - 1 : to;
    // Everything between the old and the new place shifts by one towards the old place.
    const auto shift = [from, landed](int& position) {
      if (from < landed && position > from && position <= landed) --position;
      if (from > landed && position >= landed && position < from) ++position;
    };
    for (std::size_t j = k + 1; j < rows.size(); ++j) shift(rows[j]);
    for (int& position : moved) shift(position);
    moved.push_back(landed);
    // The next row from below goes after the one just moved.
    if (k + 1 < rows.size() && rows[k + 1] > target) ++target;
  }
  OrderChanged();
  return moved;
}

void ListModel::SortRows(const RowComparison& compare) {
  Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> order(rows_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return compare(rows_[a], rows_[b]) < 0; });
  std::vector<ListRow> sorted;
  sorted.reserve(rows_.size());
  std::vector<int> newPlace(rows_.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    newPlace[order[i]] = static_cast<int>(i);
    sorted.push_back(std::move(rows_[order[i]]));
  }
  rows_ = std::move(sorted);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before) after.push_back(index(newPlace[old.row()], old.column()));
  changePersistentIndexList(before, after);
  OrderChanged();
  Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<int> ListModel::FindRows(int circleId) const {
  if (!indexValid_) {
    index_.clear();
    index_.reserve(rows_.size());
    for (int i = 0; i < RowCount(); ++i) index_.emplace(rows_[i].record.circleId, i);
    indexValid_ = true;
  }
  std::vector<int> found;
  const auto [first, last] = index_.equal_range(circleId);
  for (auto it = first; it != last; ++it) found.push_back(it->second);
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace vx
