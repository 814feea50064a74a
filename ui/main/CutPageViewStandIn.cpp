#include "ui/main/CutPageViewStandIn.h"

#include <QImage>
#include <QLabel>
#include <QPainter>

#include "app/CatalogController.h"
#include "res/ResourceIds.h"

namespace vx {

CutPageViewStandIn::CutPageViewStandIn(CatalogController& controller, QWidget* parent)
    : QScrollArea(parent), controller_(controller), picture_(new QLabel) {
  setWidget(picture_);
  setAlignment(Qt::AlignCenter);
  setBackgroundRole(QPalette::Dark);
}

void CutPageViewStandIn::SetZoom(int percent) {
  if (percent <= 0) return;
  zoom_ = percent;
  Render();
}

void CutPageViewStandIn::SetSmoothing(bool on) {
  smooth_ = on;
  Render();
}

QSize CutPageViewStandIn::ImageSize() const {
  return QSize(controller_.GetPageImageWidth(), controller_.GetPageImageHeight());
}

void CutPageViewStandIn::OnAppMessage(unsigned message, WParam, LParam) {
  if (message == UM_PAGE_CHANGED || message == UM_IMAGES_CHANGED || message == UM_CIRCLE_CHANGED) {
    Render();
  }
}

void CutPageViewStandIn::Render() {
  const QSize size = ImageSize() * zoom_ / 100;
  if (!controller_.HasPageImage() || size.isEmpty()) {
    picture_->clear();
    picture_->resize(0, 0);
    return;
  }
  QImage zoomed(size, QImage::Format_RGB32);
  zoomed.fill(Qt::white);
  QPainter painter(&zoomed);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth_);
  controller_.DrawPageImage(painter, QRectF(QPointF(0, 0), QSizeF(size)));
  painter.end();
  picture_->setPixmap(QPixmap::fromImage(zoomed));
  picture_->resize(size);
}

}  // namespace vx
