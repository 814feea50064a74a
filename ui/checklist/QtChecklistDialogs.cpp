#include "ui/checklist/QtChecklistDialogs.h"

#include <QWidget>

#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/checklist/ImportConfirmDialog.h"
#include "ui/widgets/ProgressDialog.h"

namespace vx {

namespace {

QWidget* OwnerWidget(OwnerWindow owner) { return static_cast<QWidget*>(owner); }

}  // namespace

int QtChecklistDialogs::RunReadProgress(ProgressJob& job, std::string_view caption,
                                        OwnerWindow owner) {
  ProgressDialog dialog(job, OwnerWidget(owner), starter_);
  dialog.setWindowTitle(QtText(caption));
  return dialog.exec();
}

int QtChecklistDialogs::RunImportConfirmation(FavoriteStore& store, int catalogueEvent,
                                              OwnerWindow owner) {
  ImportConfirmDialog dialog(OwnerWidget(owner), store, catalogueEvent);
  return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

// Windows that heard only part of the checklist would show another one: the walk cannot be
// cancelled.
int QtChecklistDialogs::RunApplyProgress(ProgressJob& job, OwnerWindow owner) {
  ProgressDialog dialog(job, OwnerWidget(owner), starter_);
  dialog.setWindowTitle(QtText(Sjis("チェックリストのロード中")));
  dialog.SetCancelEnabled(false);
  return dialog.exec();
}

}  // namespace vx
