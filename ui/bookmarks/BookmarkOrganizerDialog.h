// "ブックマークの整理": every bookmark of the event as a tree of groups and bookmarks, in which the
// user makes groups, renames, deletes and drags. The bookmark list changes only when the dialog
// closes by OK or its close box, which keep what the tree shows; Escape, the one way out without a
// Cancel button, leaves the list as it was.
#pragma once

#include <QDialog>

#include "ui/menus/CommandMap.h"

class QLabel;

namespace vx {

class BookmarkList;
class BookmarkTree;
class CatalogController;

class BookmarkOrganizerDialog : public QDialog, public CommandTarget {
  Q_OBJECT

 public:
  BookmarkOrganizerDialog(CatalogController& controller, BookmarkList& list,
                          QWidget* parent = nullptr);

  // IDOK when the list now holds the tree; IDCANCEL after Escape.
  int DoModal();
  BookmarkTree* Tree() const { return tree_; }
  QLabel* PageText() const { return pageText_; }

  bool OnCommand(int id) override { return commands_.OnCommand(id); }
  bool OnUpdateCommand(int id, CommandState& state) const override {
    return commands_.OnUpdateCommand(id, state);
  }
  bool HandlesCommand(int id) const override { return commands_.HandlesCommand(id); }

  // While a title is being renamed, OK ends the renaming and the dialog stays.
  void accept() override;
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateCommands();
  void LoadTree();
  void SaveTree();
  int ItemCount() const;
  void NewGroup();
  void DeleteSelected();
  void ShowSelection();
  void Finish();

  CatalogController& controller_;
  BookmarkList& list_;
  CommandMap commands_;
  BookmarkTree* tree_ = nullptr;
  QLabel* pageText_ = nullptr;
};

}  // namespace vx
