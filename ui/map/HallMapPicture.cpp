#include "ui/map/HallMapPicture.h"

#include <QPainter>

#include "data/images/PngBitmap.h"

namespace vx {

bool HallMapPicture::LoadMap(const std::filesystem::path& path) {
  Clear();
  if (!path.empty()) map_ = LoadImageFile(path);
  return HasMap();
}

void HallMapPicture::Clear() {
  map_ = QImage();
  genre_ = QImage();
  check_ = QImage();
}

// The picture over white at the opacity: transparent parts stay white, the colours are faded
// toward white as far as the opacity leaves them.
bool HallMapPicture::LoadGenre(const std::filesystem::path& path, int opacity) {
  genre_ = QImage();
  if (opacity <= 0 || path.empty()) return false;
  const QImage picture = LoadImageFile(path);
  if (picture.isNull()) return false;
  QImage faded(picture.size(), QImage::Format_RGB32);
  if (faded.isNull()) return false;
  faded.fill(Qt::white);
  QPainter painter(&faded);
  painter.setOpacity(std::min(opacity, 100) / 100.0);
  painter.drawImage(0, 0, picture);
  painter.end();
  genre_ = faded;
  return true;
}

void HallMapPicture::ResetCheckLayer() {
  check_ = QImage();
  if (!HasMap()) return;
  check_ = QImage(map_.size(), QImage::Format_RGB32);
  if (!check_.isNull()) check_.fill(Qt::white);
}

void HallMapPicture::FillCheck(const QRect& rect, const QColor& color) {
  if (HasCheckLayer()) QPainter(&check_).fillRect(rect, color);
}

void HallMapPicture::Draw(QPainter& painter, const QRectF& target) const {
  if (!HasMap()) return;
  painter.save();
  painter.drawImage(target, map_);
  painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  if (HasGenre()) painter.drawImage(target, genre_);
  if (HasCheckLayer()) painter.drawImage(target, check_);
  painter.restore();
}

}  // namespace vx
