// The modal progress dialog that every long job runs in: a text, a bar and Cancel.
#pragma once

#include <QDialog>

#include <atomic>
#include <thread>

#include "app/CSThread.h"
#include "app/ProgressJob.h"
#include "platform/qt/ModalWorker.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vx {

// exec() opens the job (running, transaction begun), starts its worker and answers the job's
// result once the worker's completion has come back to the UI thread. Enter, Escape, the close
// button, Cancel and any other request to end the dialog only cancel the job: the dialog ends
// after the worker's last step, never before, and exec() returns only once the worker is joined,
// so the caller may destroy the job when exec() returns. When no worker can be started the job
// ends in error and the dialog ends at once.
// The worker never touches a widget: progress and completion are queued to the dialog.
// The caller raises the modal guard around exec(). Not for use with Qt::WA_DeleteOnClose: the
// dialog is still needed after its modal loop has ended.
class ProgressDialog : public QDialog, private ProgressListener {
  Q_OBJECT

 public:
  explicit ProgressDialog(ProgressJob& job, QWidget* parent = nullptr,
                          ThreadStarter starter = StartThread);
  ~ProgressDialog() override;

  // With false the job cannot be stopped: Cancel is disabled, and Enter, Escape, the close button
  // and a hide do not cancel it either. Set before exec().
  void SetCancelEnabled(bool enabled);

  // Runs the job once; a second call answers the first result.
  int exec() override;
  void done(int result) override;

  QLabel* TextControl() const { return text_; }
  QProgressBar* BarControl() const { return bar_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();

  void StartWorker();
  void Redraw();
  void ProgressRedrawDue() override;  // worker thread
  void ProgressDialogComplete();      // worker thread, its last act
  void FinishJob();

  ProgressJob& job_;
  ThreadStarter starter_;
  std::thread thread_;
  ModalWorker worker_;
  QLabel* text_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::atomic<bool> redrawQueued_{false};
  bool finished_ = false;
  bool cancelEnabled_ = true;
};

}  // namespace vx
