#include "ui/bookmarks/BookmarkAddDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/BookmarkList.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/bookmarks/BookmarkPageText.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/widgets/Cp932LengthValidator.h"

namespace vx {

namespace {

constexpr int kWidth = 400;
constexpr std::size_t kMaxTitleBytes = kBookmarkTitleSize - 1;

}  // namespace

BookmarkAddDialog::BookmarkAddDialog(CatalogController& controller, QWidget* parent,
                                     Bookmark& record)
    : QDialog(parent), record_(record), edit_(new QLineEdit(this)) {
  setProperty("dialogId", IDD_BOOKMARK_ADD);
  setWindowTitle(QStringLiteral("ブックマークの追加"));
  SetControlId(edit_, IDC_BOOKMARK_TITLE);
  edit_->setValidator(new Cp932LengthValidator(kMaxTitleBytes, edit_));
  edit_->setText(
      Cp932LengthValidator::Cut(QtText(BookmarkPageText(controller, record.page)), kMaxTitleBytes));
  edit_->selectAll();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &BookmarkAddDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &BookmarkAddDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_);
  layout->addWidget(buttons);
  resize(kWidth, sizeHint().height());
}

int BookmarkAddDialog::DoModal() {
  edit_->setFocus();
  return exec();
}

void BookmarkAddDialog::accept() {
  record_.SetTitle(Cp932Text(edit_->text()));
  done(IDOK);
}

void BookmarkAddDialog::reject() { done(IDCANCEL); }

}  // namespace vx
