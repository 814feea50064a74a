// The small modal dialog that waits while the preview's worker makes one page: a bar of the
// page's progress units and Cancel, which asks the worker to stop and waits for its end. The
// dialog ends only on the worker's end message (done, stopped or failed, a worker that could
// not start included), so the page job is never left running behind it.
#pragma once

#include <QDialog>

#include "platform/qt/ModalWorker.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vx {

class PreviewSession;

class PreviewProgressDialog : public QDialog {
  Q_OBJECT

 public:
  PreviewProgressDialog(PreviewSession& session, QWidget* preview);

  // Starts the worker on the session's current page and waits for its end; the end message
  // (UM_PRINT_DONE, UM_PRINT_STOPPED or UM_PRINT_FAILED). Also when the modal loop ends early,
  // the worker is stopped and joined before this returns.
  unsigned Run();

  QLabel* TextControl() const { return text_; }
  QProgressBar* BarControl() const { return bar_; }
  QPushButton* CancelButton() const { return cancel_; }

  void reject() override;

 protected:
  bool event(QEvent* event) override;

 private:
  void CreateControls();
  int Percent() const;
  void RequestStop();

  PreviewSession& session_;
  QLabel* text_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
  int total_ = 1;
  int done_ = 0;
  bool stopRequested_ = false;
  bool running_ = false;
  unsigned endMessage_ = 0;
  ModalWorker worker_;
};

}  // namespace vx
