// Stands in for the cut page view until the image view lands: the page picture at the zoom the
// frame sets, in a scrolling area.
#pragma once

#include <QScrollArea>

#include "app/AppMessageSink.h"

class QLabel;

namespace vx {

class CatalogController;

class CutPageViewStandIn : public QScrollArea, public AppMessageSink {
  Q_OBJECT

 public:
  explicit CutPageViewStandIn(CatalogController& controller, QWidget* parent = nullptr);

  void SetZoom(int percent);
  int Zoom() const { return zoom_; }
  void SetSmoothing(bool on);
  QSize ImageSize() const;
  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;

 private:
  void Render();

  CatalogController& controller_;
  QLabel* picture_ = nullptr;
  int zoom_ = 100;
  bool smooth_ = true;
};

}  // namespace vx
