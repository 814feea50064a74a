#include "ui/main/MainStatusBar.h"

#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

#include "platform/CodePage.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {

namespace {

// Pane ids, as the status bar's indicators are numbered.
constexpr int kPageBoxPane = 61214;
constexpr int kPageLabelPane = 61215;
constexpr int kPrevPane = 61225;
constexpr int kSliderPane = 61213;
constexpr int kNextPane = 61224;
constexpr int kSpacerPane = 61216;
constexpr int kCirclePane = 126;
constexpr int kPageStep = 10;

constexpr int kPageBoxWidth = 48;
constexpr int kButtonWidth = 28;
constexpr int kSliderWidth = 200;

}  // namespace

int MainStatusBar::SliderTarget(SliderMove move, int page, int position, int first, int last) {
  int target = page;
  switch (move) {
    case SliderMove::kLineLeft:
      target = page - 1;
      break;
    case SliderMove::kLineRight:
      target = page + 1;
      break;
    case SliderMove::kPageLeft:
      target = page - kPageStep;
      break;
    case SliderMove::kPageRight:
      target = page + kPageStep;
      break;
    case SliderMove::kThumbPosition:
      target = position;
      break;
  }
  return std::clamp(target, first, std::max(first, last));
}

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(true);
  CreatePanes();
}

void MainStatusBar::CreatePanes() {
  pageBox_ = new QLineEdit(this);
  SetControlId(pageBox_, kPageBoxPane);
  pageBox_->setAlignment(Qt::AlignRight);
  pageBox_->setValidator(new QIntValidator(0, 99999, pageBox_));
  pageBox_->setFixedWidth(kPageBoxWidth);
  pageLabel_ = new QLabel(QtText(Sjis("ページ")), this);
  SetControlId(pageLabel_, kPageLabelPane);
  prev_ = new QPushButton(QStringLiteral("<<"), this);
  SetControlId(prev_, kPrevPane);
  prev_->setFixedWidth(kButtonWidth);
  slider_ = new QSlider(Qt::Horizontal, this);
  SetControlId(slider_, kSliderPane);
  slider_->setFixedWidth(kSliderWidth);
  slider_->setTickPosition(QSlider::NoTicks);
  slider_->setPageStep(kPageStep);
  slider_->setTracking(false);
  slider_->installEventFilter(this);
  next_ = new QPushButton(QStringLiteral(">>"), this);
  SetControlId(next_, kNextPane);
  next_->setFixedWidth(kButtonWidth);
  spacer_ = new QWidget(this);
  SetControlId(spacer_, kSpacerPane);
  spacer_->setFixedWidth(0);
  circle_ = new QLabel(this);
  SetControlId(circle_, kCirclePane);
  // A long name is cut at the pane's edge; it never widens the window.
  circle_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  for (QWidget* pane : {static_cast<QWidget*>(pageBox_), static_cast<QWidget*>(pageLabel_),
                        static_cast<QWidget*>(prev_), static_cast<QWidget*>(slider_),
                        static_cast<QWidget*>(next_), spacer_}) {
    addWidget(pane);
  }
  addWidget(circle_, 1);
  connect(slider_, &QSlider::actionTriggered, this, [this](int action) { OnSliderAction(action); });
  connect(slider_, &QSlider::sliderMoved, this,
          [this](int position) { pageBox_->setText(QString::number(position)); });
}

// Page Up goes back ten pages and Page Down forward, as a catalogue's pages are turned.
bool MainStatusBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == slider_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
      slider_->triggerAction(key == Qt::Key_PageUp ? QAbstractSlider::SliderPageStepSub
                                                   : QAbstractSlider::SliderPageStepAdd);
      return true;
    }
  }
  return QStatusBar::eventFilter(watched, event);
}

void MainStatusBar::SetPageRange(int first, int last) {
  const QSignalBlocker blocker(slider_);
  slider_->setRange(first, std::max(first, last));
}

void MainStatusBar::ShowPage(int page) {
  page_ = page;
  pageBox_->setText(page > 0 ? QString::number(page) : QString());
  const QSignalBlocker blocker(slider_);
  slider_->setValue(page);
}

void MainStatusBar::EnablePaging(bool enabled) {
  for (QWidget* pane : {static_cast<QWidget*>(pageBox_), static_cast<QWidget*>(prev_),
                        static_cast<QWidget*>(slider_), static_cast<QWidget*>(next_)}) {
    pane->setEnabled(enabled);
  }
}

void MainStatusBar::ShowCircleText(const QString& text) { circle_->setText(text); }

// Only what the user does to the slider counts; the slider's own value follows the page.
void MainStatusBar::OnSliderAction(int action) {
  SliderMove move;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      move = SliderMove::kLineLeft;
      break;
    case QAbstractSlider::SliderSingleStepAdd:
      move = SliderMove::kLineRight;
      break;
    case QAbstractSlider::SliderPageStepSub:
      move = SliderMove::kPageLeft;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      move = SliderMove::kPageRight;
      break;
    case QAbstractSlider::SliderMove:
      // A drag only writes the page box until the thumb is let go.
      if (slider_->isSliderDown()) return;
      move = SliderMove::kThumbPosition;
      break;
    default:
      return;
  }
  const int target =
      SliderTarget(move, page_, slider_->sliderPosition(), slider_->minimum(), slider_->maximum());
  // The slider must not run ahead of the page the controller settles on.
  const QSignalBlocker blocker(slider_);
  slider_->setSliderPosition(page_);
  if (target == page_) return;
  pageBox_->setText(QString::number(target));
  Q_EMIT pageChosen(target, target < page_);
}

}  // namespace vx
