#include "ui/print/PreviewProgressDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "print/PreviewSession.h"
#include "print/PrintEngine.h"
#include "print/PrintMessageEvent.h"
#include "res/ResourceIds.h"
#include "ui/print/PreviewPlacement.h"

namespace vx {

PreviewProgressDialog::PreviewProgressDialog(PreviewSession& session, QWidget* preview)
    : QDialog(preview),
      session_(session),
      worker_({[this] { RequestStop(); }, [this] { return !running_; }, PrintEngine_WaitForJob}) {
  setWindowTitle(QStringLiteral("ヴェラストレード クイロル お気に入りの印刷中"));
  CreateControls();
}

void PreviewProgressDialog::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  bar_ = new QProgressBar(this);
  bar_->setTextVisible(false);
  text_ = new QLabel(QStringLiteral("印刷中です。 (0%)"), this);
  cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
  layout->addWidget(bar_);
  layout->addWidget(text_);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  connect(cancel_, &QPushButton::clicked, this, &PreviewProgressDialog::reject);
  setMinimumWidth(320);
}

unsigned PreviewProgressDialog::Run() {
  adjustSize();
  CenterOver(nullptr, this);
  total_ = session_.CountPage();
  done_ = 0;
  bar_->setRange(0, total_);
  bar_->setValue(0);
  endMessage_ = 0;
  running_ = true;
  session_.StartPageThread(static_cast<QObject*>(this));
  // The end message may already be queued; exec() delivers it.
  if (running_) exec();
  worker_.Finish();
  return endMessage_;
}

int PreviewProgressDialog::Percent() const { return done_ * 100 / (total_ > 0 ? total_ : 1); }

void PreviewProgressDialog::reject() {
  if (!running_) {
    QDialog::reject();
    return;
  }
  // The worker still holds the page job: the dialog waits for its end message.
  RequestStop();
}

void PreviewProgressDialog::RequestStop() {
  text_->setText(QStringLiteral("プレビュー生成中止待ち中です。 (%1%)").arg(Percent()));
  stopRequested_ = true;
  session_.StopPageThread();
}

bool PreviewProgressDialog::event(QEvent* event) {
  if (event->type() != PrintMessageEvent::EventType()) return QDialog::event(event);
  const auto* message = static_cast<PrintMessageEvent*>(event);
  switch (message->Message()) {
    case UM_PRINT_PROGRESS:
      if (stopRequested_) break;
      done_ = static_cast<int>(message->LParam());
      bar_->setValue(std::min(done_, total_));
      text_->setText(QStringLiteral("プレビュー生成中です。 (%1%)").arg(Percent()));
      break;
    case UM_PRINT_DONE:
    case UM_PRINT_STOPPED:
    case UM_PRINT_FAILED:
      stopRequested_ = false;
      running_ = false;
      endMessage_ = message->Message();
      done(0);
      break;
    default:
      break;
  }
  return true;
}

}  // namespace vx
