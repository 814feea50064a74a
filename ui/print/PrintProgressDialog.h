// Runs the prepared print or image-file job: the counting pass, then the document on its own
// thread, showing which page goes to which printer, until the document says it has ended.
// Cancel raises the job's stop flag; the dialog still waits for the end.
#pragma once

#include <QDialog>
#include <string>

#include "platform/qt/ModalWorker.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vx {

class PrintProgressDialog : public QDialog {
  Q_OBJECT

 public:
  // `printerName` (CP932) is shown in the progress text; "[BMP出力]" for image files.
  PrintProgressDialog(QWidget* parent, std::string printerName);

  // Runs the job; 0 when it has ended (printed, stopped, failed or empty). Also when the modal
  // loop ends early, the document is stopped and joined before this returns.
  int DoModal();
  // The end message of the job (UM_PRINT_DONE, _STOPPED or _FAILED); 0 for an empty job.
  unsigned EndMessage() const { return endMessage_; }

  void reject() override;

 protected:
  bool event(QEvent* e) override;

 private:
  void CreateControls();
  void Count();
  void StartWorker();
  void OnMessage(unsigned message, std::intptr_t lParam);
  void End(unsigned message, int steps);
  void ShowProgress();

  std::string printerName_;
  int total_ = 0;
  int steps_ = 0;
  int page_ = 0;
  bool running_ = false;
  unsigned endMessage_ = 0;
  ModalWorker worker_;
  QLabel* text_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vx
