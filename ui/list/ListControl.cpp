#include "ui/list/ListControl.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

#include "platform/Sjis.h"
#include "platform/qt/QtStrings.h"
#include "ui/list/LabelEdit.h"
#include "ui/list/ListItemDelegate.h"

namespace vx {

namespace {

constexpr int kMaxScrollColumns = 32;

bool IsDigitKey(int key) { return key >= Qt::Key_0 && key <= Qt::Key_9; }

}  // namespace

ListControl::ListControl(QWidget* parent)
    : QTableView(parent),
      model_(new ListModel(this)),
      delegate_(new ListItemDelegate(*model_, this)),
      editor_(new LabelEdit(viewport(), this)) {
  setModel(model_);
  setItemDelegate(delegate_);
  SetUpView();
  ConnectSignals();
}

ListControl::~ListControl() = default;

void ListControl::SetUpView() {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setDragEnabled(false);
  setShowGrid(true);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setCornerButtonEnabled(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  QHeaderView* header = horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionsClickable(true);
  header->setHighlightSections(false);
  header->setSortIndicatorShown(false);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->viewport()->installEventFilter(this);
  SetRowHeight(16);
}

void ListControl::ConnectSignals() {
  connect(editor_, &LabelEdit::focusLost, this, [this] { EndEdit(); });
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int column) { Q_EMIT columnClicked(column); });
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
    EndEdit();
    if (headerPressed_) columnResized_ = true;
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!quietCurrent_) Q_EMIT rowFocused(current.row());
          });
}

void ListControl::SetEditColumn(int column) {
  EndEdit();
  editColumn_ = column;
}

void ListControl::SetCutImageColumn(int column) {
  cutImageColumn_ = column;
  delegate_->SetCutColumn(column);
  viewport()->update();
}

void ListControl::SetCutImageSource(const CatalogController* controller) {
  delegate_->SetCutSource(controller);
  viewport()->update();
}

void ListControl::SetRowHeight(int height) {
  verticalHeader()->setDefaultSectionSize(std::max(height, 1));
}

int ListControl::RowHeight() const { return verticalHeader()->defaultSectionSize(); }

// --- Rows and columns ------------------------------------------------------------------------

void ListControl::SetColumns(std::vector<std::string> captions, const std::vector<int>& widths) {
  EndEdit();
  model_->SetColumns(std::move(captions));
  for (int column = 0; column < model_->ColumnCount(); ++column) {
    if (column < static_cast<int>(widths.size())) setColumnWidth(column, widths[column]);
  }
}

void ListControl::AppendRows(std::vector<ListRow> rows) {
  EndEdit();
  model_->AppendRows(std::move(rows));
}

void ListControl::InsertItem(int index, ListRow row) {
  EndEdit();
  model_->InsertRow(index, std::move(row));
}

void ListControl::DeleteItem(int row) {
  EndEdit();
  model_->RemoveRow(row);
}

void ListControl::DeleteAllItems() {
  EndEdit();
  model_->Clear();
  lastClickedRow_ = -1;
}

void ListControl::SortItems(const ListModel::RowComparison& compare) {
  EndEdit();
  model_->SortRows(compare);
}

std::vector<int> ListControl::MoveSelectedRows(int target) {
  EndEdit();
  const std::vector<int> moved = model_->MoveRows(SelectedRows(), target);
  QItemSelection selection;
  for (int row : moved) {
    selection.select(model_->index(row, 0), model_->index(row, model_->ColumnCount() - 1));
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  return moved;
}

QRect ListControl::GetCellRect(int row, int column) const {
  return visualRect(model_->index(row, column));
}

QRect ListControl::RowRect(int row) const {
  if (model_->ColumnCount() == 0) return {};
  return GetCellRect(row, 0).united(GetCellRect(row, model_->ColumnCount() - 1));
}

std::vector<int> ListControl::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int ListControl::FocusedRow() const {
  const QModelIndex current = selectionModel()->currentIndex();
  return current.isValid() ? current.row() : -1;
}

// --- In-place editing ------------------------------------------------------------------------

void ListControl::OnClick(const QPoint& point) {
  EndEdit();
  if (editColumn_ < 0) return;
  const QModelIndex clicked = indexAt(point);
  if (clicked.isValid() && clicked.row() == lastClickedRow_ && clicked.column() == editColumn_) {
    OpenEdit(clicked.row());
  } else {
    lastClickedRow_ = clicked.isValid() ? clicked.row() : -1;
  }
}

void ListControl::OpenEdit(int row) {
  QRect cell = GetCellRect(row, editColumn_);
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + cell.left());
  cell = GetCellRect(row, editColumn_);
  cell.setRight(std::min(cell.right(), viewport()->width() - 1));
  if (cell.width() <= 0) return;
  editor_->setGeometry(cell);
  editor_->StartEdit(QtText(model_->Row(row).cells[editColumn_]));
  editor_->show();
  editor_->setFocus(Qt::MouseFocusReason);
  editing_ = true;
}

void ListControl::EndEdit() {
  if (!editing_) return;
  editing_ = false;
  const int row = lastClickedRow_;
  if (editor_->Changed() && row >= 0 && row < model_->RowCount()) {
    model_->SetCellText(row, editColumn_, SjisTruncate(Cp932Text(editor_->text()), kMaxCellBytes));
  }
  if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
  editor_->hide();
  Q_EMIT labelEdited(editColumn_, row);
}

// --- Focus and keys ------------------------------------------------------------------------

// The item view makes the first row current when the focus arrives without one; that would make
// its circle the application's current one on a mere window activation.
void ListControl::focusInEvent(QFocusEvent* event) {
  const bool hadCurrent = selectionModel()->currentIndex().isValid();
  quietCurrent_ = true;
  QTableView::focusInEvent(event);
  if (!hadCurrent) selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  quietCurrent_ = false;
}

void ListControl::keyPressEvent(QKeyEvent* event) {
  lastInputWasClick_ = false;
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  bool forward = true;
  if (event->matches(QKeySequence::SelectAll)) {
    QTableView::keyPressEvent(event);
  } else if (modifiers & Qt::ControlModifier) {
    // Copy, paste and cut are the owner's: the list would copy one cell's text.
  } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
    ScrollByColumn(key == Qt::Key_Left);
  } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
    // A range being extended is no step to the owner's neighbouring rows.
    const int focused = FocusedRow();
    forward =
        !(modifiers & Qt::ShiftModifier) &&
        (key == Qt::Key_Up ? focused == 0 : focused >= 0 && focused == model_->RowCount() - 1);
    QTableView::keyPressEvent(event);
  } else if (!IsDigitKey(key)) {
    QTableView::keyPressEvent(event);
  }
  event->accept();
  if (forward) Q_EMIT keyForwarded(key, modifiers);
}

// Home and End go to the first and the last row, not to the row's first and last cell.
QModelIndex ListControl::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  if ((action == MoveHome || action == MoveEnd) && model_->RowCount() > 0) {
    const int column = std::max(currentIndex().column(), 0);
    return model_->index(action == MoveHome ? 0 : model_->RowCount() - 1, column);
  }
  return QTableView::moveCursor(action, modifiers);
}

void ListControl::keyReleaseEvent(QKeyEvent* event) {
  if (IsDigitKey(event->key())) {
    event->accept();
    return;
  }
  QTableView::keyReleaseEvent(event);
}

// Scrolls to the left edge of the column left of the view's left edge, or to the left edge of the
// column after the one at the view's left edge.
void ListControl::ScrollByColumn(bool left) {
  QScrollBar* bar = horizontalScrollBar();
  const int position = bar->value();
  if (left && position == 0) return;
  const int probe = left ? position - 1 : position;
  const QHeaderView* header = horizontalHeader();
  int edge = 0;
  for (int visual = 0; visual < std::min(header->count(), kMaxScrollColumns); ++visual) {
    const int width = header->sectionSize(header->logicalIndex(visual));
    if (width == 0) return;
    if (probe < edge + width) {
      bar->setValue(left ? edge : edge + width);
      return;
    }
    edge += width;
  }
}

// --- Mouse ---------------------------------------------------------------------------------

void ListControl::mousePressEvent(QMouseEvent* event) {
  EndEdit();
  lastInputWasClick_ = true;
  const QModelIndex at = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && !dragDisabled_ &&
      at.isValid() && selectionModel()->isRowSelected(at.row(), {})) {
    // A press on the selection may start a drag; the selection stays until it is clear that
    // this is a click.
    dragPending_ = true;
    pressPoint_ = event->position().toPoint();
    pressRow_ = at.row();
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
  if (event->button() == Qt::RightButton) Q_EMIT rightClicked(event->position().toPoint());
}

void ListControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (dragPending_ && !dragging_ &&
      (point - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
    if (!StartDrag()) dragPending_ = false;
  }
  if (dragging_) {
    DragTo(point);
    return;
  }
  if (!dragPending_) QTableView::mouseMoveEvent(event);
}

void ListControl::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_) {
    Drop();
    dragPending_ = false;
    return;
  }
  if (dragPending_) {
    dragPending_ = false;
    selectionModel()->setCurrentIndex(
        indexAt(pressPoint_), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  } else {
    QTableView::mouseReleaseEvent(event);
  }
  const bool click = event->button() == Qt::LeftButton && !skipNextClick_;
  skipNextClick_ = false;
  if (click) OnClick(event->position().toPoint());
}

void ListControl::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  EndEdit();
  if (event->button() != Qt::LeftButton) return;
  skipNextClick_ = true;
  Q_EMIT keyForwarded(Qt::Key_Return, Qt::NoModifier);
}

// --- Dragging rows -------------------------------------------------------------------------

bool ListControl::StartDrag() {
  EndEdit();
  if (dragDisabled_) return false;
  if (SelectedRows().empty()) return false;
  const QRect row = RowRect(pressRow_).intersected(viewport()->rect());
  const QPixmap picture = viewport()->grab(row);
  if (picture.isNull()) return false;
  dragImage_ = new QLabel(viewport());
  dragImage_->setPixmap(picture);
  dragImage_->setAttribute(Qt::WA_TransparentForMouseEvents);
  dragImage_->resize(picture.size() / picture.devicePixelRatio());
  hotSpot_ = pressPoint_ - row.topLeft();
  dropTarget_ = -1;
  dragging_ = true;
  DragTo(pressPoint_);
  dragImage_->show();
  return true;
}

void ListControl::DragTo(const QPoint& point) {
  dragImage_->move(point - hotSpot_);
  dropTarget_ = rowAt(point.y());
}

void ListControl::Drop() {
  delete dragImage_;
  dragImage_ = nullptr;
  dragging_ = false;
  if (dropTarget_ >= 0) MoveSelectedRows(dropTarget_);
}

// --- What ends an edit ---------------------------------------------------------------------

void ListControl::scrollContentsBy(int dx, int dy) {
  EndEdit();
  QTableView::scrollContentsBy(dx, dy);
  if (dx != 0) viewport()->update();
}

void ListControl::resizeEvent(QResizeEvent* event) {
  EndEdit();
  QTableView::resizeEvent(event);
}

void ListControl::hideEvent(QHideEvent* event) {
  EndEdit();
  QTableView::hideEvent(event);
}

// The header tells of every step of a resize; the owner wants the end of it.
bool ListControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == horizontalHeader()->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      EndEdit();
      headerPressed_ = true;
      columnResized_ = false;
    } else if (event->type() == QEvent::MouseButtonRelease) {
      headerPressed_ = false;
      if (columnResized_) {
        columnResized_ = false;
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT columnsResized(); }, Qt::QueuedConnection);
      }
    }
  }
  return QTableView::eventFilter(watched, event);
}

}  // namespace vx
