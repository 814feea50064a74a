#include "ui/checklist/QtChecklistDialogs.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>

#include "app/ChecklistApplyJob.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/checklist/ImportConfirmDialog.h"
#include "ui/widgets/ProgressDialog.h"

namespace vx {

namespace {

QWidget* OwnerWidget(OwnerWindow owner) { return static_cast<QWidget*>(owner); }

// The counter grows as the job goes: the text is as wide as it will be at its end from the start.
void FitLongestLine(ProgressDialog& dialog, const ProgressJob& job) {
  QLabel* text = dialog.TextControl();
  const QString longest = QtText(job.ProgressText(job.Total(), job.Total()));
  const int width = text->fontMetrics().horizontalAdvance(longest);
  text->setMinimumWidth(std::max(text->minimumWidth(), width));
}

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
// cancelled. A dialog whose modal loop has ended early (every loop ends when the program quits)
// waits for nothing more: the walk then stops at its next run.
int QtChecklistDialogs::RunApplyProgress(ChecklistApplyJob& job, OwnerWindow owner) {
  ProgressDialog dialog(job, OwnerWidget(owner), starter_);
  dialog.setWindowTitle(QtText(Sjis("チェックリストのロード中")));
  dialog.SetCancelEnabled(false);
  FitLongestLine(dialog, job);
  job.SetStillWanted([&dialog] { return dialog.isModal(); });
  const int result = dialog.exec();
  job.SetStillWanted({});
  return result;
}

}  // namespace vx
