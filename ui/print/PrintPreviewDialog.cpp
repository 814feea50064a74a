#include "ui/print/PrintPreviewDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/QtStrings.h"
#include "print/DibImageQt.h"
#include "print/PrintEngine.h"
#include "res/ResourceIds.h"
#include "ui/print/PreviewPageView.h"
#include "ui/print/PreviewPlacement.h"
#include "ui/print/PreviewProgressDialog.h"
#include "ui/print/PreviewToolBar.h"

namespace vx {

namespace {

constexpr int kAreaMargin = 32;

int Percent(int zoomIndex) { return kPreviewZoomPercents[static_cast<std::size_t>(zoomIndex)]; }

// The work area less the frame, the caption and a margin.
QSize AvailableArea(QWidget* owner) {
  const QScreen* screen =
      owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
  const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QStyle* style = QApplication::style();
  const int frame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) * 2;
  const int caption = style->pixelMetric(QStyle::PM_TitleBarHeight);
  return {work.width() - frame - kAreaMargin, work.height() - frame - caption - kAreaMargin};
}

}  // namespace

PrintPreviewDialog::PrintPreviewDialog(QWidget* owner, QSize available)
    : QDialog(owner), available_(available) {
  setWindowTitle(QStringLiteral("印刷プレビュー"));
  session_.Reset(PrintEngine_Job(), PrintEngine_DocumentKind());
  session_.CountPages();
  fit_ = Preview_ChooseFit(session_.ImageWidth(), session_.ImageHeight(), available.width(),
                           available.height());
  zoomIndex_ = minimumZoomIndex_ = fit_.zoomIndex;
  CreateToolBar();
  CreateView();
  SizeToPage();
  CenterOver(nullptr, this);
  OnCommand(kPreviewZoomCommandFirst + zoomIndex_);
}

void PrintPreviewDialog::CreateToolBar() {
  std::vector<QString> items;
  for (int page = 1; page <= session_.PageCount(); ++page) {
    items.push_back(QtText(session_.PageItemText(page)));
  }
  toolBar_ = new PreviewToolBar(items, this);
  connect(toolBar_, &PreviewToolBar::commandRequested, this, &PrintPreviewDialog::OnCommand);
  QComboBox* list = toolBar_->PageList();
  connect(list, &QComboBox::activated, this, [this](int index) { ChoosePage(index + 1); });
}

void PrintPreviewDialog::CreateView() {
  view_ = new PreviewPageView(this);
  connect(view_, &PreviewPageView::commandRequested, this, &PrintPreviewDialog::OnCommand);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(view_, 1);
}

// As wide as the page or the tool bar, whichever is wider, so that no button is folded away;
// never wider than the screen allows.
void PrintPreviewDialog::SizeToPage() {
  view_->SetPosition({0, 0});
  const int bar = std::min(toolBar_->sizeHint().width(), available_.width());
  const int width = std::max(fit_.width, bar);
  resize(width, toolBar_->sizeHint().height() + fit_.height);
}

void PrintPreviewDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // The first page is made once the window stands, in the progress dialog over it.
  QTimer::singleShot(0, this, [this] {
    MakePage();
    view_->setFocus();
  });
}

void PrintPreviewDialog::OnCommand(int commandId) {
  if (commandId >= kPreviewCommandZoomFirst && commandId < kPreviewCommandZoomFirst + 5) {
    commandId += kPreviewZoomCommandFirst - kPreviewCommandZoomFirst;
  }
  if (commandId >= kPreviewZoomCommandFirst && commandId < kPreviewZoomCommandFirst + 5) {
    const int index = commandId - kPreviewZoomCommandFirst;
    if (index < minimumZoomIndex_) return;
    toolBar_->SetZoomButtons(commandId, minimumZoomIndex_);
    SetZoom(index);
    view_->setFocus();
    return;
  }
  switch (commandId) {
    case kPreviewCommandZoomIn:
      SetZoom(std::min(zoomIndex_ + 1, 4));
      break;
    case kPreviewCommandZoomOut:
      SetZoom(std::max(zoomIndex_ - 1, minimumZoomIndex_));
      break;
    case kPreviewPreviousCommand:
    case kPreviewCommandPrevious:
      StepPage(-1);
      break;
    case kPreviewNextCommand:
    case kPreviewCommandNext:
      StepPage(1);
      break;
    case kPreviewCommandOpenPageList:
      toolBar_->PageList()->setFocus();
      toolBar_->PageList()->showPopup();
      break;
    case kPreviewCommandFocusView:
      view_->setFocus();
      break;
    case kPreviewCloseCommand:
    case kPreviewCommandClose:
      done(0);
      break;
    default:
      break;
  }
}

void PrintPreviewDialog::SetZoom(int index) {
  zoomIndex_ = index;
  view_->SetZoomPercent(Percent(index));
}

void PrintPreviewDialog::StepPage(int step) {
  QComboBox* list = toolBar_->PageList();
  const int shown = list->currentText().section(QLatin1Char(' '), 0, 0).toInt();
  ChoosePage(shown + step);
}

void PrintPreviewDialog::ChoosePage(int page) {
  page = session_.ClampPage(page);
  toolBar_->PageList()->setCurrentIndex(page - 1);
  if (session_.SetCurrentPage(page)) MakePage();
  view_->setFocus();
}

void PrintPreviewDialog::MakePage() {
  if (session_.PageCount() < 1) return;
  PreviewProgressDialog progress(session_, this);
  const unsigned end = progress.Run();
  PrintEngine_WaitForJob();
  if (end == UM_PRINT_DONE) TakePage();
}

void PrintPreviewDialog::TakePage() {
  if (!session_.TakePage()) return;
  ++pagesMade_;
  view_->SetPage(DibImage_ToQImage(*session_.PageImage()));
  view_->setFocus();
}

void RunPrintPreview(OwnerWindow owner) {
  auto* parent = static_cast<QWidget*>(owner);
  PrintPreviewDialog dialog(parent, AvailableArea(parent));
  dialog.exec();
}

}  // namespace vx
