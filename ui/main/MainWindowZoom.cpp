// Zoom, fits and the display options of the cut pages; the zoom and page boxes of the bars; the
// mouse wheel that the view leaves to its frame.
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

#include "app/CatalogController.h"
#include "platform/LeadingInt.h"
#include "platform/qt/QtStrings.h"
#include "ui/main/MainStatusBar.h"
#include "ui/main/MainWindow.h"
#include "ui/views/CutPageView.h"
#include "ui/views/ZoomSteps.h"

namespace vx {

void MainWindow::ReadDisplayValues() {
  values_.cutZoomSize = std::clamp(values_.cutZoomSize, kMinZoom, kMaxZoom);
  zoom_ = values_.cutZoomSize;
  if (values_.cutStretchMode < kFreeZoom || values_.cutStretchMode > kFitHeight) {
    values_.cutStretchMode = kFreeZoom;
  }
  stretchMode_ = values_.cutStretchMode;
  antiAlias_ = values_.cutAntiAlias != 0;
  resolution_ = values_.cutResolution;
}

// The values may have been replaced under the window (a settings import): the view, the boxes
// and the check marks follow them.
void MainWindow::ApplyDisplayValues() {
  const int zoom = zoom_;
  const bool antiAlias = antiAlias_;
  const int resolution = resolution_;
  ReadDisplayValues();
  if (antiAlias_ != antiAlias) view_->SetSmoothing(antiAlias_);
  if (zoom_ != zoom) view_->SetZoom(zoom_);
  if (resolution_ != resolution) controller_.ReloadCurrentPage();
  if (stretchMode_ != kFreeZoom) {
    Fit(static_cast<int>(stretchMode_ == kFitWidth ? ZoomableImageView::FitMode::kWidth
                                                   : ZoomableImageView::FitMode::kHeight));
  }
  Refresh();
}

void MainWindow::ApplyZoom(int zoom) {
  zoom_ = zoom;
  values_.cutZoomSize = zoom;
  view_->SetZoom(zoom);
  ShowZoom();
}

void MainWindow::ShowZoom() { zoomBox_->setText(QStringLiteral("%1%").arg(zoom_)); }

void MainWindow::SetStretchMode(int mode) {
  stretchMode_ = mode;
  values_.cutStretchMode = mode;
}

// One step on the grid of 25: 110 goes to 125 or 75; the ends stay where they are. Either way the
// zoom is free from then on.
void MainWindow::StepZoom(bool in) {
  const int zoom = in ? ZoomStepIn(zoom_, kMaxZoom) : ZoomStepOut(zoom_, kMinZoom);
  if (zoom != zoom_) ApplyZoom(zoom);
  SetStretchMode(kFreeZoom);
  Refresh();
  FocusView();
}

void MainWindow::ZoomTo100() {
  if (zoom_ != 100) ApplyZoom(100);
  SetStretchMode(kFreeZoom);
  Refresh();
  FocusView();
}

// The view fits the page (twice, for the scroll bars that come or go) and the frame takes over
// the zoom it settled on.
void MainWindow::Fit(int mode) {
  view_->FitOnce(static_cast<ZoomableImageView::FitMode>(mode));
  zoom_ = view_->Zoom();
  values_.cutZoomSize = zoom_;
  ShowZoom();
}

void MainWindow::FitOneSide(bool width, bool keep) {
  Fit(static_cast<int>(width ? ZoomableImageView::FitMode::kWidth
                             : ZoomableImageView::FitMode::kHeight));
  SetStretchMode(keep ? (width ? kFitWidth : kFitHeight) : kFreeZoom);
  Refresh();
  FocusView();
}

void MainWindow::FitWholePage() {
  Fit(static_cast<int>(ZoomableImageView::FitMode::kWhole));
  SetStretchMode(kFreeZoom);
  Refresh();
  FocusView();
}

void MainWindow::ToggleAntiAlias() {
  antiAlias_ = !antiAlias_;
  values_.cutAntiAlias = antiAlias_ ? 1 : 0;
  view_->SetSmoothing(antiAlias_);
  Refresh();
}

void MainWindow::ToggleHighResolution() {
  values_.cutResolution = values_.cutResolution ? 0 : 1;
  resolution_ = values_.cutResolution;
  controller_.ReloadCurrentPage();
  Refresh();
}

void MainWindow::ToggleListShowCut() {
  values_.listShowCut = values_.listShowCut ? 0 : 1;
  controller_.NotifyOptionsChanged();
  Refresh();
}

void MainWindow::FocusZoomBox() {
  zoomBox_->selectAll();
  zoomBox_->setFocus();
}

// Enter in the zoom box or the page box: both are read, each applied when it makes sense.
void MainWindow::ApplyBarEdits() {
  const std::string zoomText = Cp932Text(zoomBox_->text());
  if (!zoomText.empty()) {
    const int zoom = LeadingInt(zoomText);
    if (zoom >= kMinZoom && zoom <= kMaxZoom && zoom != zoom_) {
      ApplyZoom(zoom);
      SetStretchMode(kFreeZoom);
    }
  }
  ShowZoom();
  const int page = LeadingInt(Cp932Text(status_->PageBox()->text()));
  if (page >= controller_.GetFirstPage() && page <= controller_.GetLastPage() && page != page_) {
    controller_.GoToPage(page);
  }
  Refresh();
  FocusView();
}

void MainWindow::wheelEvent(QWheelEvent* event) {
  OnWheel(event);
  QMainWindow::wheelEvent(event);
}

// Ctrl turns the wheel into zoom (a kept fit stays until the next resize); Shift, or a page that
// fits, into page turning.
bool MainWindow::OnWheel(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return false;
  if (event->modifiers() & Qt::ControlModifier) {
    const int zoom = ZoomStepByWheel(zoom_, delta, kMinZoom, kMaxZoom);
    if (zoom != zoom_) ApplyZoom(zoom);
    return true;
  }
  if (!(event->modifiers() & Qt::ShiftModifier) && !view_->FitsInClient()) return false;
  if (delta >= 1) {
    controller_.PrevPage();
  } else {
    controller_.NextPage();
  }
  return true;
}

}  // namespace vx
