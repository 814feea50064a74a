#include "ui/bookmarks/BookmarkTree.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/BookmarkList.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/bookmarks/BookmarkTitleDelegate.h"
#include "ui/menus/CommandTarget.h"
#include "ui/menus/MenuTables.h"

namespace vx {

BookmarkTree::BookmarkTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setIconSize(QSize(16, 16));
  setSelectionMode(SingleSelection);
  setRootIsDecorated(true);
  setEditTriggers(SelectedClicked | EditKeyPressed);
  setItemDelegate(new BookmarkTitleDelegate(this));
  itemMenu_.Load(BookmarkTreeMenuTable());
}

QTreeWidgetItem* BookmarkTree::NewItem(const QString& title, int type, int page, Image image) {
  auto* item = new QTreeWidgetItem(QStringList{title});
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  item->setData(0, kTypeRole, type);
  item->setData(0, kPageRole, page);
  item->setData(0, kImageRole, image);
  item->setIcon(0, BitmapImage(image == kGroupImage ? IDB_BOOKMARK_GROUP : IDB_BOOKMARK));
  return item;
}

bool BookmarkTree::IsGroup(const QTreeWidgetItem* item) {
  return item && item->data(0, kImageRole).toInt() == kGroupImage;
}

int BookmarkTree::Page(const QTreeWidgetItem* item) {
  return item ? item->data(0, kPageRole).toInt() : 0;
}

QTreeWidgetItem* BookmarkTree::SelectedItem() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

void BookmarkTree::StartLabelEdit() {
  if (QTreeWidgetItem* item = SelectedItem()) editItem(item);
}

void BookmarkTree::EndLabelEdit() {
  if (!IsEditing()) return;
  QWidget* editor = indexWidget(currentIndex());
  if (!editor) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// --- Keys and the item menu ----------------------------------------------------------------------

void BookmarkTree::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && IsDragging()) {
    EndDrag();
    return;
  }
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && target_) {
    target_->OnCommand(ID_BOOKMARK_DELETE);
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void BookmarkTree::ShowItemMenu(QPoint pos, QPoint globalPos) {
  QTreeWidgetItem* item = itemAt(pos);
  CommandMenu* menu = itemMenu_.SubMenuAt(0);
  if (!item || !menu || !target_) return;
  setCurrentItem(item);
  menu->TrackPopup(globalPos, *target_);
}

// --- Mouse and dragging --------------------------------------------------------------------------

void BookmarkTree::mousePressEvent(QMouseEvent* event) {
  QTreeWidget::mousePressEvent(event);
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    ShowItemMenu(pos, event->globalPosition().toPoint());
  } else if (event->button() == Qt::LeftButton) {
    pressed_ = itemAt(pos);
    pressPos_ = pos;
  }
}

void BookmarkTree::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (IsDragging()) {
    DragOver(pos);
    return;
  }
  if (pressed_ && (event->buttons() & Qt::LeftButton) &&
      (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
    BeginDrag(pressed_);
    pressed_ = nullptr;
    if (IsDragging()) {
      DragOver(pos);
      return;
    }
  }
  QTreeWidget::mouseMoveEvent(event);
}

void BookmarkTree::mouseReleaseEvent(QMouseEvent* event) {
  pressed_ = nullptr;
  if (IsDragging() && event->button() == Qt::LeftButton) {
    Drop(event->position().toPoint());
    setState(NoState);
    return;
  }
  QTreeWidget::mouseReleaseEvent(event);
}

// Groups stay where they are.
void BookmarkTree::BeginDrag(QTreeWidgetItem* item) {
  if (!item || IsGroup(item)) return;
  dragged_ = item;
  SetDropTarget(nullptr);
  viewport()->setCursor(Qt::DragMoveCursor);
}

void BookmarkTree::DragOver(QPoint pos) {
  QTreeWidgetItem* under = itemAt(pos);
  SetDropTarget(IsGroup(under) ? under : nullptr);
}

void BookmarkTree::EndDrag() {
  SetDropTarget(nullptr);
  dragged_ = nullptr;
  viewport()->unsetCursor();
}

// No drop target stands for the top level.
bool BookmarkTree::MayDrop(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target) {
  if (target == dragged->parent()) return false;
  for (const QTreeWidgetItem* up = target; up; up = up->parent()) {
    if (up == dragged) return false;
  }
  return true;
}

void BookmarkTree::Drop(QPoint pos) {
  DragOver(pos);
  QTreeWidgetItem* target = dropTarget_;
  QTreeWidgetItem* dragged = dragged_;
  EndDrag();
  if (!MayDrop(dragged, target)) {
    QApplication::beep();
    Q_EMIT dropRefused();
    return;
  }
  QTreeWidgetItem* moved = dragged->clone();
  delete dragged;
  InsertSorted(target, moved);
  setCurrentItem(moved);
}

void BookmarkTree::SetDropTarget(QTreeWidgetItem* target) {
  if (target == dropTarget_) return;
  if (dropTarget_) {
    dropTarget_->setData(0, Qt::BackgroundRole, QVariant());
    dropTarget_->setData(0, Qt::ForegroundRole, QVariant());
  }
  dropTarget_ = target;
  if (dropTarget_) {
    dropTarget_->setBackground(0, palette().brush(QPalette::Highlight));
    dropTarget_->setForeground(0, palette().brush(QPalette::HighlightedText));
  }
}

// Before the first item whose title sorts after the new one.
void BookmarkTree::InsertSorted(QTreeWidgetItem* group, QTreeWidgetItem* item) {
  const int count = group ? group->childCount() : topLevelItemCount();
  int at = 0;
  while (at < count) {
    const QTreeWidgetItem* sibling = group ? group->child(at) : topLevelItem(at);
    if (QString::localeAwareCompare(sibling->text(0), item->text(0)) > 0) break;
    ++at;
  }
  if (group) {
    group->insertChild(at, item);
    group->setExpanded(true);
  } else {
    insertTopLevelItem(at, item);
  }
}

}  // namespace vx
