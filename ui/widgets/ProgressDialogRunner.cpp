#include "ui/widgets/ProgressDialogRunner.h"

#include <QString>
#include <QWidget>

#include "ui/widgets/ProgressDialog.h"
#include "platform/CodePage.h"

namespace vx {

int ProgressDialogRunner::Run(ProgressJob& job, std::string_view caption, OwnerWindow owner) {
  ProgressDialog dialog(job, static_cast<QWidget*>(owner), starter_);
  dialog.setWindowTitle(QString::fromStdString(Cp932ToUtf8(caption)));
  return dialog.exec();
}

}  // namespace vx
