#include "ui/print/PrintProgressDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "print/PrintEngine.h"
#include "print/PrintMessageEvent.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/widgets/WindowPlacement.h"

namespace vx {

PrintProgressDialog::PrintProgressDialog(QWidget* parent, std::string printerName)
    : QDialog(parent),
      printerName_(std::move(printerName)),
      worker_({PrintEngine_StopJob, [this] { return !running_; }, PrintEngine_WaitForJob}) {
  setWindowTitle(QtText(Sjis("印刷中...")));
  CreateControls();
  PlaceDialogOnScreen(*this);
}

void PrintProgressDialog::CreateControls() {
  text_ = new QLabel(this);
  SetControlId(text_, IDC_PROGRESS_TEXT);
  text_->setMinimumWidth(260);
  bar_ = new QProgressBar(this);
  SetControlId(bar_, IDC_PROGRESS_BAR);
  bar_->setRange(0, 1);
  bar_->setValue(0);
  cancel_ = new QPushButton(QtText(Sjis("キャンセル")), this);
  SetControlId(cancel_, IDCANCEL);
  cancel_->setDefault(true);
  connect(cancel_, &QPushButton::clicked, this, &PrintProgressDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(bar_);
  layout->addWidget(cancel_, 0, Qt::AlignHCenter);
  ShowProgress();
}

int PrintProgressDialog::DoModal() {
  running_ = false;
  endMessage_ = 0;
  PrintEngine_SetOwnerWindow(static_cast<QObject*>(this));
  QTimer::singleShot(0, this, [this] { Count(); });
  exec();
  // The document reads the owner window until it has ended.
  worker_.Finish();
  PrintEngine_SetOwnerWindow(nullptr);
  return 0;
}

// The counting pass posts its end like any run; the worker starts when that arrives. The bar
// counts progress units from here on: the same unit the worker reports.
void PrintProgressDialog::Count() {
  total_ = PrintEngine_PrepareJob();
  if (total_ <= 0) {
    done(0);
    return;
  }
  bar_->setRange(0, total_);
  ShowProgress();
}

void PrintProgressDialog::StartWorker() {
  page_ = 1;
  steps_ = 0;
  running_ = true;
  PrintEngine_RunJob();
}

bool PrintProgressDialog::event(QEvent* e) {
  if (e->type() != PrintMessageEvent::EventType()) return QDialog::event(e);
  const auto* message = static_cast<PrintMessageEvent*>(e);
  OnMessage(message->Message(), message->LParam());
  return true;
}

void PrintProgressDialog::OnMessage(unsigned message, std::intptr_t lParam) {
  if (message == UM_PRINT_DONE && !running_) {
    if (total_ > 0 && isVisible()) StartWorker();
    return;
  }
  if (!running_) return;
  switch (message) {
    case UM_PRINT_PROGRESS:
      steps_ = static_cast<int>(lParam);
      ShowProgress();
      break;
    case UM_PRINT_PAGE:
      page_ = static_cast<int>(lParam);
      break;
    case UM_PRINT_DONE:
      End(message, static_cast<int>(lParam));
      break;
    case UM_PRINT_STOPPED:
    case UM_PRINT_FAILED:
      End(message, steps_);
      break;
    default:
      break;
  }
}

// The document thread has posted its last message; it is joined before the dialog goes.
void PrintProgressDialog::End(unsigned message, int steps) {
  steps_ = steps;
  running_ = false;
  endMessage_ = message;
  PrintEngine_WaitForJob();
  done(0);
}

void PrintProgressDialog::ShowProgress() {
  const std::string text = running_ && page_ > 0
                               ? Sjis("プリンタ ") + printerName_ + Sjis(" に\n") +
                                     std::to_string(page_) + Sjis(" ページ目を出力中です.")
                               : Sjis("印刷の準備をしています...");
  text_->setText(QtText(text));
  bar_->setValue(std::clamp(steps_, bar_->minimum(), bar_->maximum()));
}

void PrintProgressDialog::reject() {
  if (running_) PrintEngine_StopJob();
}

}  // namespace vx
