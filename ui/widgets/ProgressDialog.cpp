#include "ui/widgets/ProgressDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "platform/CodePage.h"
#include "platform/qt/UiThread.h"
#include "res/ResourceIds.h"
#include "ui/widgets/WindowPlacement.h"

namespace vx {

namespace {
constexpr int kTextWidth = 320;
}  // namespace

ProgressDialog::ProgressDialog(ProgressJob& job, QWidget* parent, ThreadStarter starter)
    : QDialog(parent),
      job_(job),
      starter_(std::move(starter)),
      worker_({[this] {
                 if (cancelEnabled_) job_.RequestCancel();
               },
               [this] { return finished_; },
               [this] {
                 if (thread_.joinable()) thread_.join();
               }}) {
  CreateControls();
  ArrangeControls();
  ConnectControls();
  PlaceDialogOnScreen(*this);
}

ProgressDialog::~ProgressDialog() { job_.SetListener(nullptr); }

void ProgressDialog::CreateControls() {
  text_ = new QLabel(this);
  text_->setProperty("controlId", IDC_PROGRESS_TEXT);
  text_->setMinimumWidth(kTextWidth);
  bar_ = new QProgressBar(this);
  bar_->setProperty("controlId", IDC_PROGRESS_BAR);
  bar_->setTextVisible(false);
  cancel_ = new QPushButton(QString::fromUtf8("キャンセル"), this);
  cancel_->setProperty("controlId", IDCANCEL);
  cancel_->setDefault(true);  // Enter means Cancel
}

void ProgressDialog::ArrangeControls() {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(bar_);
  layout->addLayout(buttons);
}

void ProgressDialog::ConnectControls() {
  connect(cancel_, &QPushButton::clicked, this, [this] { job_.RequestCancel(); });
}

void ProgressDialog::SetCancelEnabled(bool enabled) {
  cancelEnabled_ = enabled;
  cancel_->setEnabled(enabled);
}

int ProgressDialog::exec() {
  if (finished_) return result();
  job_.SetListener(this);
  const bool begun = job_.Begin();
  Redraw();
  PlaceDialogOnScreen(*this);  // at the size of its first text
  // Started from inside the modal loop, so the completion always finds the loop running.
  QMetaObject::invokeMethod(
      this, [this, begun] { begun ? StartWorker() : FinishJob(); }, Qt::QueuedConnection);
  // The loop can also end without us (the dialog hidden, the application quitting).
  QDialog::exec();
  worker_.Finish();
  return result();
}

// Escape, the close button and accept()/reject() all end up here.
void ProgressDialog::done(int result) {
  if (finished_) {
    QDialog::done(result);
    return;
  }
  if (cancelEnabled_) job_.RequestCancel();
}

void ProgressDialog::StartWorker() {
  ProgressJob* job = &job_;
  thread_ = StartWorkerThread([job] { return job->RunStep(); },
                              [this] { ProgressDialogComplete(); }, starter_);
  if (thread_.joinable()) return;
  job_.Finish(JobState::kError);
  FinishJob();
}

// Queued to the UI thread behind every redraw before it, and behind the start of the worker.
void ProgressDialog::ProgressDialogComplete() {
  PostToUiThread(this, [this] { FinishJob(); });
}

void ProgressDialog::FinishJob() {
  if (finished_) return;
  finished_ = true;
  job_.SetListener(nullptr);
  done(job_.End());
}

void ProgressDialog::ProgressRedrawDue() {
  // One queued redraw at a time: it shows the latest position, so the worker cannot flood the
  // UI thread's queue.
  if (redrawQueued_.exchange(true)) return;
  PostToUiThread(this, [this] { Redraw(); });
}

void ProgressDialog::Redraw() {
  redrawQueued_.store(false);
  const int total = std::max(job_.Total(), 0);
  const int position = job_.Position();
  text_->setText(QString::fromStdString(Cp932ToUtf8(job_.ProgressText(position, total))));
  bar_->setRange(0, total);
  bar_->setValue(std::clamp(ShownProgressPosition(position, total), 0, total));
}

}  // namespace vx
