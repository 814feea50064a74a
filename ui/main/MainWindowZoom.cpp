// Zoom, fits and the display options of the cut pages; the zoom and page boxes of the bars; the
// mouse wheel.
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

#include "app/CatalogController.h"
#include "platform/LeadingInt.h"
#include "platform/qt/QtStrings.h"
#include "ui/main/CutPageViewStandIn.h"
#include "ui/main/MainStatusBar.h"
#include "ui/main/MainWindow.h"

namespace vx {

namespace {

constexpr int kZoomStep = 25;

}  // namespace

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
  const int zoom = in ? std::min(kMaxZoom, (zoom_ + kZoomStep) / kZoomStep * kZoomStep)
                      : std::max(kMinZoom, (zoom_ - kZoomStep) / kZoomStep * kZoomStep);
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

// Computed twice: scroll bars that come or go with the first result change the room.
void MainWindow::FitOneSide(bool width, bool keep) {
  const QSize image = view_->ImageSize();
  const int length = width ? image.width() : image.height();
  if (length > 0) {
    for (int pass = 0; pass < 2; ++pass) {
      const QSize room = view_->viewport()->size();
      const int zoom = (width ? room.width() : room.height()) * 100 / length;
      if (zoom < 1 || zoom == zoom_) break;
      ApplyZoom(zoom);
    }
  }
  ShowZoom();
  SetStretchMode(keep ? (width ? kFitWidth : kFitHeight) : kFreeZoom);
  Refresh();
  FocusView();
}

void MainWindow::FitWholePage() {
  const QSize image = view_->ImageSize();
  if (image.width() > 0 && image.height() > 0) {
    for (int pass = 0; pass < 2; ++pass) {
      const QSize room = view_->viewport()->size();
      const int zoom =
          std::min(room.width() * 100 / image.width(), room.height() * 100 / image.height());
      if (zoom <= 0 || zoom == zoom_) break;
      ApplyZoom(zoom);
    }
  }
  ShowZoom();
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

// Ctrl turns the wheel into zoom; Shift, or a page that fits, into page turning.
bool MainWindow::OnWheel(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return false;
  if (event->modifiers() & Qt::ControlModifier) {
    const int sign = delta > 0 ? 1 : -1;
    const int zoom =
        std::clamp((zoom_ + sign * kZoomStep) / kZoomStep * kZoomStep, kMinZoom, kMaxZoom);
    if (zoom != zoom_) ApplyZoom(zoom);
    return true;
  }
  const QSize shown = view_->ImageSize() * zoom_ / 100;
  const QSize room = view_->viewport()->size();
  const bool fits = shown.width() <= room.width() && shown.height() <= room.height();
  if (!(event->modifiers() & Qt::ShiftModifier) && !fits) return false;
  if (delta >= 1) {
    controller_.PrevPage();
  } else {
    controller_.NextPage();
  }
  return true;
}

}  // namespace vx
