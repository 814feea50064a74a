// The rows and columns of a list control: texts in CP932, converted only for the cells that are
// shown, so that tens of thousands of rows cost no widget and no conversion each. Column 0 shows
// the row's state image beside its text. Rows can be moved as a block and sorted by the owner's
// comparison; a circle's rows are found through an index rebuilt after the order changed.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <functional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/list/ListRow.h"

namespace vx {

class ListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // < 0, 0 or > 0 as the first row sorts before, with or after the second.
  using RowComparison = std::function<int(const ListRow&, const ListRow&)>;

  explicit ListModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The columns' captions (CP932); every row then has that many cells. Only on an empty list.
  void SetColumns(std::vector<std::string> captions);
  void SetCaption(int column, std::string caption);
  const std::string& Caption(int column) const { return captions_.at(column); }
  int ColumnCount() const { return static_cast<int>(captions_.size()); }

  // The state images: image k - 1 for a row's state image k; `size` for rows without one.
  void SetStateImages(std::vector<QIcon> images, QSize size);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  const ListRow& Row(int row) const { return rows_.at(row); }
  // Rows get as many cells as there are columns (missing ones empty, extra ones dropped).
  void AppendRows(std::vector<ListRow> rows);
  void InsertRow(int index, ListRow row);
  void RemoveRow(int row);
  void Clear();

  void SetCellText(int row, int column, std::string text);
  void SetRowColor(int row, int color, int stateImage, std::string colorName);
  // Changes every row in place (not their cells' count); one notice for all of them.
  void UpdateRows(const std::function<void(ListRow&)>& change);
  // Changes the rows of the circles in place; one notice for the rows from the first to the last
  // changed.
  void UpdateRowsOf(std::span<const int> circleIds, const std::function<void(ListRow&)>& change);

  // Moves the rows (ascending) onto the row `target`: rows from below land after it, rows from
  // above before it, and they keep their order. Answers where the moved rows stand afterwards.
  std::vector<int> MoveRows(std::vector<int> rows, int target);
  // A stable sort: equal rows keep their order.
  void SortRows(const RowComparison& compare);

  // The rows that show the circle, in row order.
  std::vector<int> FindRows(int circleId) const;

 private:
  void FitCells(ListRow& row) const;
  void MoveRow(int from, int to);
  void OrderChanged() { indexValid_ = false; }

  std::vector<std::string> captions_;
  std::vector<ListRow> rows_;
  std::vector<QIcon> stateImages_;
  QIcon blankImage_;
  mutable std::unordered_multimap<int, int> index_;
  mutable bool indexValid_ = false;
};

}  // namespace vx
