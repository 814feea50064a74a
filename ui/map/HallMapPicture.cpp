#include "ui/map/HallMapPicture.h"

#include <QPainter>

#include "data/images/PngBitmap.h"

namespace vx {

bool HallMapPicture::LoadMap(const std::filesystem::path& path,
                             const std::filesystem::path& sharpPath) {
  Clear();
  if (!path.empty()) map_ = LoadImageFile(path);
  sharpMap_ = LoadSharp(sharpPath);
  return HasMap();
}

void HallMapPicture::Clear() {
  map_ = QImage();
  genre_ = QImage();
  check_ = QImage();
  sharpMap_ = QImage();
  sharpGenre_ = QImage();
}

QImage HallMapPicture::LoadSharp(const std::filesystem::path& path) const {
  if (path.empty() || !HasMap()) return {};
  QImage picture = LoadImageFile(path);
  return picture.size() == 2 * map_.size() ? picture : QImage();
}

bool HallMapPicture::LoadGenre(const std::filesystem::path& path, int opacity,
                               const std::filesystem::path& sharpPath) {
  ClearGenre();
  if (opacity <= 0 || path.empty()) return false;
  genre_ = Faded(LoadImageFile(path), opacity);
  if (HasGenre()) sharpGenre_ = Faded(LoadSharp(sharpPath), opacity);
  return HasGenre();
}

// The picture over white at the opacity: transparent parts stay white, the colours are faded
// toward white as far as the opacity leaves them.
QImage HallMapPicture::Faded(const QImage& picture, int opacity) {
  if (picture.isNull()) return {};
  QImage faded(picture.size(), QImage::Format_RGB32);
  if (faded.isNull()) return {};
  faded.fill(Qt::white);
  QPainter painter(&faded);
  painter.setOpacity(std::min(opacity, 100) / 100.0);
  painter.drawImage(0, 0, picture);
  painter.end();
  return faded;
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

void HallMapPicture::FillChecks(std::span<const std::pair<QRect, QColor>> fills) {
  if (!HasCheckLayer() || fills.empty()) return;
  QPainter painter(&check_);
  for (const auto& [rect, color] : fills) painter.fillRect(rect, color);
}

void HallMapPicture::Draw(QPainter& painter, const QRectF& target) const {
  if (!HasMap()) return;
  painter.save();
  painter.drawImage(target, HasSharpMap() ? sharpMap_ : map_);
  painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  if (HasGenre()) painter.drawImage(target, sharpGenre_.isNull() ? genre_ : sharpGenre_);
  if (HasCheckLayer()) painter.drawImage(target, check_);
  painter.restore();
}

}  // namespace vx
