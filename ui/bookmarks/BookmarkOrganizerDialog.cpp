#include "ui/bookmarks/BookmarkOrganizerDialog.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

#include "app/BookmarkList.h"
#include "app/CatalogController.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/bookmarks/BookmarkCommands.h"
#include "ui/bookmarks/BookmarkPageText.h"
#include "ui/bookmarks/BookmarkTree.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 400;

QString TitleOf(const Bookmark& bookmark) {
  return QtText(std::string_view(bookmark.title, strnlen(bookmark.title, sizeof bookmark.title)));
}

Bookmark RecordOf(const QTreeWidgetItem* item, int depth, int type) {
  return Bookmark::Make(type, depth, BookmarkTree::Page(item), Cp932Text(item->text(0)));
}

}  // namespace

BookmarkOrganizerDialog::BookmarkOrganizerDialog(CatalogController& controller, BookmarkList& list,
                                                 QWidget* parent)
    : QDialog(parent), controller_(controller), list_(list) {
  setProperty("dialogId", IDD_BOOKMARK_ORGANIZE);
  setWindowTitle(QStringLiteral("ブックマークの整理"));
  CreateControls();
  CreateCommands();
  LoadTree();
  resize(kWidth, kHeight);
}

void BookmarkOrganizerDialog::CreateControls() {
  tree_ = new BookmarkTree(this);
  SetControlId(tree_, IDC_BOOKMARK_TREE);
  tree_->SetCommandTarget(this);
  pageText_ = new QLabel(this);
  SetControlId(pageText_, IDC_BOOKMARK_PAGE_TEXT);
  auto* buttons = new QHBoxLayout;
  const struct {
    const char* text;
    int id;
  } commands[] = {{"新規グループ(&N)", ID_BOOKMARK_NEW_GROUP},
                  {"名前の変更(&R)", ID_BOOKMARK_RENAME},
                  {"この項目を削除(&D)", ID_BOOKMARK_DELETE}};
  for (const auto& command : commands) {
    auto* button = new QPushButton(QString::fromUtf8(command.text), this);
    SetControlId(button, command.id);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, id = command.id] { OnCommand(id); });
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(ok, &QDialogButtonBox::accepted, this, &BookmarkOrganizerDialog::accept);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_);
  layout->addWidget(pageText_);
  layout->addLayout(buttons);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { ShowSelection(); });
}

void BookmarkOrganizerDialog::CreateCommands() {
  commands_.On(ID_BOOKMARK_NEW_GROUP, [this] { NewGroup(); })
      .On(ID_BOOKMARK_RENAME, [this] { tree_->StartLabelEdit(); })
      .On(ID_BOOKMARK_DELETE, [this] { DeleteSelected(); });
}

int BookmarkOrganizerDialog::DoModal() {
  tree_->setFocus();
  return exec();
}

// --- The list and the tree -----------------------------------------------------------------------

// A group takes the bookmarks that follow it one level deeper; the first bookmark at another
// depth ends it.
void BookmarkOrganizerDialog::LoadTree() {
  QTreeWidgetItem* group = nullptr;
  int groupDepth = 0;
  for (int i = 0; const Bookmark* bookmark = list_.GetAt(i); ++i) {
    if (bookmark->type == Bookmark::kEnd) break;
    const QString title = TitleOf(*bookmark);
    if (bookmark->IsFolder()) {
      group =
          BookmarkTree::NewItem(title, bookmark->type, bookmark->page, BookmarkTree::kGroupImage);
      tree_->addTopLevelItem(group);
      groupDepth = bookmark->depth + 1;
      continue;
    }
    if (bookmark->depth != groupDepth) {
      group = nullptr;
      groupDepth = 0;
    }
    QTreeWidgetItem* item =
        BookmarkTree::NewItem(title, bookmark->type, bookmark->page, BookmarkTree::kBookmarkImage);
    if (group) {
      group->addChild(item);
    } else {
      tree_->addTopLevelItem(item);
    }
  }
}

void BookmarkOrganizerDialog::SaveTree() {
  list_.RemoveAll();
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = tree_->topLevelItem(i);
    const int type = BookmarkTree::IsGroup(item) ? Bookmark::kFolder : Bookmark::kPage;
    if (!list_.Add(RecordOf(item, 0, type))) return;
    for (int j = 0; j < item->childCount(); ++j) {
      if (!list_.Add(RecordOf(item->child(j), 1, Bookmark::kPage))) return;
    }
  }
}

int BookmarkOrganizerDialog::ItemCount() const {
  int count = tree_->topLevelItemCount();
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    count += tree_->topLevelItem(i)->childCount();
  }
  return count;
}

// --- Commands ------------------------------------------------------------------------------------

// A group the list could not keep is not made at all.
void BookmarkOrganizerDialog::NewGroup() {
  tree_->EndLabelEdit();
  if (ItemCount() >= BookmarkList::kCapacity) {
    BookmarkCommands::ReportFullList(controller_);
    return;
  }
  tree_->addTopLevelItem(BookmarkTree::NewItem(QStringLiteral("新しいグループ"), Bookmark::kFolder,
                                               0, BookmarkTree::kGroupImage));
  tree_->setCurrentItem(nullptr);
  tree_->clearSelection();
}

void BookmarkOrganizerDialog::DeleteSelected() {
  tree_->EndLabelEdit();
  QTreeWidgetItem* item = tree_->SelectedItem();
  if (!item) return;
  if (BookmarkTree::IsGroup(item) && item->childCount() > 0) {
    const std::string question = Sjis("グループ ") + Cp932Text(item->text(0)) +
                                 Sjis(
                                     " と\nそれに含まれる全てのブックマークを削除します.\n"
                                     "よろしいですか？");
    if (controller_.ShowMessageBox(MB_YESNO | MB_ICONQUESTION, question, Sjis("グループの削除")) !=
        IDYES) {
      return;
    }
  }
  delete item;
}

// A group, or no item, has no page to describe.
void BookmarkOrganizerDialog::ShowSelection() {
  const QTreeWidgetItem* item = tree_->SelectedItem();
  if (!item || BookmarkTree::IsGroup(item)) {
    pageText_->clear();
  } else {
    pageText_->setText(QtText(BookmarkPageText(controller_, BookmarkTree::Page(item))));
  }
}

// --- Closing -------------------------------------------------------------------------------------

void BookmarkOrganizerDialog::accept() {
  if (tree_->IsEditing()) {
    tree_->EndLabelEdit();
    return;
  }
  Finish();
}

void BookmarkOrganizerDialog::reject() { done(IDCANCEL); }

// The close box saves as OK does; only Escape goes through reject().
void BookmarkOrganizerDialog::closeEvent(QCloseEvent* event) {
  if (isVisible()) Finish();
  event->accept();
}

void BookmarkOrganizerDialog::Finish() {
  tree_->EndLabelEdit();
  SaveTree();
  done(IDOK);
}

}  // namespace vx
