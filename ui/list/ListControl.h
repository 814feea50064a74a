// The report list of the circle list and the checklist: one row per circle in a model, with the
// owner's columns, a cut column painted from the image store, a cell column the user edits in
// place, and selected rows moved by dragging them. The digit keys stay free for the check
// colours: the list leaves them, and every key it does not stop, to its owner (keyForwarded).
//
// In-place editing: a second click on the editable cell of the row clicked last opens the editor
// on the cell. Any change of the list, a scroll, a resize, a mouse press or the editor losing the
// focus ends the edit: the text (up to 65,535 bytes) becomes the cell's, when the user changed
// it, and labelEdited tells the owner.
//
// Left and Right scroll by whole columns. Up and Down move the selection and reach the owner only
// from the first and the last row; with Shift they, Home and End extend it, and Ctrl+A selects
// every row.
//
// Only a row the user picks (click, keys) or the owner sets becomes the focused one: the focus
// arriving at a list without one leaves it without one.
#pragma once

#include <QTableView>

#include <string>
#include <vector>

#include "ui/list/ListModel.h"

class QLabel;

namespace vx {

class CatalogController;
class LabelEdit;
class ListItemDelegate;

class ListControl : public QTableView {
  Q_OBJECT

 public:
  static constexpr std::size_t kMaxCellBytes = 65535;

  explicit ListControl(QWidget* parent = nullptr);
  ~ListControl() override;

  ListModel& Model() { return *model_; }
  const ListModel& Model() const { return *model_; }

  void SetDragDisabled(bool disabled) { dragDisabled_ = disabled; }
  void SetEditColumn(int column);  // -1: none
  int EditColumn() const { return editColumn_; }
  void SetCutImageColumn(int column);  // -1: none
  int CutImageColumn() const { return cutImageColumn_; }
  // The cut pictures and their size come from the controller (null: the cut column stays empty).
  void SetCutImageSource(const CatalogController* controller);
  void SetRowHeight(int height);
  int RowHeight() const;
  // A mouse press set it, a key press cleared it.
  bool LastInputWasClick() const { return lastInputWasClick_; }

  // Changes of the rows and columns; each ends a running edit first.
  void SetColumns(std::vector<std::string> captions, const std::vector<int>& widths);
  void AppendRows(std::vector<ListRow> rows);
  void InsertItem(int index, ListRow row);
  void DeleteItem(int row);
  void DeleteAllItems();
  void SortItems(const ListModel::RowComparison& compare);
  // The selected rows moved onto `target` as a drop does; they stay selected. Their new places.
  std::vector<int> MoveSelectedRows(int target);

  void EndEdit();
  bool IsEditing() const { return editing_; }
  LabelEdit* Editor() const { return editor_; }
  // The cell's rectangle in the viewport.
  QRect GetCellRect(int row, int column) const;
  std::vector<int> SelectedRows() const;  // ascending
  int FocusedRow() const;                 // -1 when none

 Q_SIGNALS:
  // A key the list left to its owner (a double click sends Return).
  void keyForwarded(int key, Qt::KeyboardModifiers modifiers);
  // A right click, at a point of the viewport.
  void rightClicked(const QPoint& point);
  void labelEdited(int column, int row);
  // The user has finished resizing a column (posted).
  void columnsResized();
  void columnClicked(int column);
  // A row became the focused one (-1: none is).
  void rowFocused(int row);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetUpView();
  void ConnectSignals();
  void OnClick(const QPoint& point);
  void OpenEdit(int row);
  void ScrollByColumn(bool left);
  bool StartDrag();
  void DragTo(const QPoint& point);
  void Drop();
  QRect RowRect(int row) const;

  ListModel* model_;
  ListItemDelegate* delegate_;
  LabelEdit* editor_;
  bool dragDisabled_ = false;
  bool lastInputWasClick_ = false;
  int editColumn_ = -1;
  int cutImageColumn_ = -1;
  int lastClickedRow_ = -1;
  bool editing_ = false;
  bool skipNextClick_ = false;  // the release after a double click is no click
  bool quietCurrent_ = false;   // the view itself moves the current row: no rowFocused
  // Dragging rows.
  bool dragPending_ = false;
  bool dragging_ = false;
  QPoint pressPoint_;
  int pressRow_ = -1;
  QPoint hotSpot_;
  int dropTarget_ = -1;
  QLabel* dragImage_ = nullptr;
  // Resizing columns.
  bool headerPressed_ = false;
  bool columnResized_ = false;
};

}  // namespace vx
