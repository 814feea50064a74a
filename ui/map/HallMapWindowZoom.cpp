// Zoom, fit modes, anti-aliasing and genre opacity of the hall map window: each change goes into
// the settings at once.
#include <QLineEdit>

#include "platform/LeadingInt.h"
#include "platform/qt/QtStrings.h"
#include "ui/map/HallMapBar.h"
#include "ui/map/HallMapView.h"
#include "ui/map/HallMapWindow.h"
#include "ui/menus/CommandActions.h"

namespace vx {

// Steps, fits, the typed zoom and Ctrl with the wheel all end here.
void HallMapWindow::OnViewZoomChanged(int zoom) {
  zoom_ = zoom;
  values_.mapZoomSize = zoom;
  bar_->ShowZoom(zoom);
}

void HallMapWindow::SetFitMode(FitMode mode) {
  fitMode_ = mode;
  values_.mapStretchMode = mode;
  view_->SetFitMode(static_cast<ZoomableImageView::FitMode>(mode));
  Actions()->UpdateActions();
}

// The buttons and the typed zoom leave the zoom free.
void HallMapWindow::EndFit() {
  SetFitMode(kNoFit);
  FocusView();
}

// 137 goes to 150 or 100; 300 and 25 stay where they are.
void HallMapWindow::StepZoom(bool in) {
  if (in) {
    view_->ZoomIn();
  } else {
    view_->ZoomOut();
  }
  EndFit();
}

void HallMapWindow::ZoomToActualSize() {
  if (zoom_ != 100) view_->SetZoom(100);
  EndFit();
}

// A kept mode is applied again after every resize and change of map; a one-off fit leaves the
// zoom free.
void HallMapWindow::Fit(FitMode mode, bool keep) {
  if (keep) {
    SetFitMode(mode);
  } else {
    SetFitMode(kNoFit);
    view_->FitOnce(static_cast<ZoomableImageView::FitMode>(mode));
  }
  FocusView();
}

// Only a number within 25..300 is taken; the box shows the zoom in force afterwards.
void HallMapWindow::ApplyTypedZoom() {
  const QString text = bar_->ZoomBox()->text();
  if (!text.isEmpty()) {
    const int zoom = LeadingInt(Cp932Text(text));
    if (zoom >= kMinZoom && zoom <= kMaxZoom && zoom != zoom_) view_->SetZoom(zoom);
  }
  bar_->ShowZoom(zoom_);
  EndFit();
}

void HallMapWindow::ToggleAntiAlias() {
  antiAlias_ = !antiAlias_;
  values_.mapAntiAlias = antiAlias_ ? 1 : 0;
  view_->SetSmoothing(antiAlias_);
  FocusView();
}

void HallMapWindow::FocusZoomBox() {
  bar_->ZoomBox()->selectAll();
  bar_->ZoomBox()->setFocus();
}

void HallMapWindow::ChooseOpacity(int percent) {
  if (percent != opacity_) {
    opacity_ = percent;
    values_.mapGenreDisp = percent;
    view_->SetGenreOpacity(percent);
  }
  FocusView();
}

}  // namespace vx
