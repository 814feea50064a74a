// The bookmark organiser's tree: groups at the top level, bookmarks at the top level or inside a
// group, one level deep. Titles are renamed in place. A bookmark is dragged with the left button
// into a group, or out of one to the top level, and lands in sorted position; groups are never
// dragged, and a drop that would change nothing is refused with a beep. The Delete key and the
// item menu (rename, delete) send their commands to the dialog.
#pragma once

#include <QTreeWidget>

#include "ui/menus/CommandMenu.h"

namespace vx {

class CommandTarget;

class BookmarkTree : public QTreeWidget {
  Q_OBJECT

 public:
  static constexpr int kTypeRole = Qt::UserRole;      // the stored type (1 bookmark)
  static constexpr int kPageRole = Qt::UserRole + 1;  // the catalogue page (0 for a group)
  static constexpr int kImageRole = Qt::UserRole + 2;
  enum Image { kBookmarkImage = 0, kGroupImage = 1 };

  explicit BookmarkTree(QWidget* parent = nullptr);

  static QTreeWidgetItem* NewItem(const QString& title, int type, int page, Image image);
  static bool IsGroup(const QTreeWidgetItem* item);
  static int Page(const QTreeWidgetItem* item);

  // Where the Delete key and the item menu send ID_BOOKMARK_DELETE and ID_BOOKMARK_RENAME.
  void SetCommandTarget(CommandTarget* target) { target_ = target; }
  // The selected item (null when none is).
  QTreeWidgetItem* SelectedItem() const;
  bool IsEditing() const { return state() == EditingState; }
  void StartLabelEdit();
  // Keeps the text typed so far.
  void EndLabelEdit();
  bool IsDragging() const { return dragged_ != nullptr; }
  QTreeWidgetItem* DropTarget() const { return dropTarget_; }

 Q_SIGNALS:
  void dropRefused();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ShowItemMenu(QPoint pos, QPoint globalPos);
  void BeginDrag(QTreeWidgetItem* item);
  void DragOver(QPoint pos);
  void EndDrag();
  void Drop(QPoint pos);
  static bool MayDrop(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target);
  void SetDropTarget(QTreeWidgetItem* target);
  void InsertSorted(QTreeWidgetItem* group, QTreeWidgetItem* item);

  CommandMenu itemMenu_;
  CommandTarget* target_ = nullptr;
  QTreeWidgetItem* pressed_ = nullptr;
  QPoint pressPos_;
  QTreeWidgetItem* dragged_ = nullptr;
  QTreeWidgetItem* dropTarget_ = nullptr;
};

}  // namespace vx
