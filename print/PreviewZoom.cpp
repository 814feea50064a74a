#include "print/PreviewZoom.h"

#include <algorithm>

namespace vx {

namespace {

QImage Enlarged(const QImage& page, int factor, int x, int y, int width, int height) {
  QImage out(width * factor, height * factor, QImage::Format_RGB32);
  for (int row = 0; row < height; ++row) {
    const auto* source = reinterpret_cast<const QRgb*>(page.constScanLine(y + row)) + x;
    auto* first = reinterpret_cast<QRgb*>(out.scanLine(row * factor));
    for (int i = 0; i < width; ++i) std::fill_n(first + i * factor, factor, source[i]);
    // The repeated lines are copies of the first: each source row is built once.
    for (int r = 1; r < factor; ++r) {
      std::copy_n(first, out.width(), reinterpret_cast<QRgb*>(out.scanLine(row * factor + r)));
    }
  }
  return out;
}

QImage Reduced(const QImage& page, int factor, int x, int y, int width, int height) {
  const int left = x - x % factor;
  const int top = y - y % factor;
  const int outWidth = (x + width - left) / factor;
  const int outHeight = (y + height - top) / factor;
  if (outWidth <= 0 || outHeight <= 0) return {};
  QImage out(outWidth, outHeight, QImage::Format_RGB32);
  for (int row = 0; row < outHeight; ++row) {
    const int sourceRow = std::min(top + row * factor, page.height() - 1);
    const auto* source = reinterpret_cast<const QRgb*>(page.constScanLine(sourceRow)) + left;
    auto* target = reinterpret_cast<QRgb*>(out.scanLine(row));
    for (int i = 0; i < outWidth; ++i) target[i] = source[i * factor];
  }
  return out;
}

}  // namespace

QImage Preview_ZoomedPart(const QImage& page, int percent, int x, int y, int width, int height) {
  if (page.isNull()) return {};
  x = std::clamp(x, 0, page.width());
  y = std::clamp(y, 0, page.height());
  width = std::min(width, page.width() - x);
  height = std::min(height, page.height() - y);
  if (width <= 0 || height <= 0) return {};
  const QImage rgb =
      page.format() == QImage::Format_RGB32 ? page : page.convertToFormat(QImage::Format_RGB32);
  switch (percent) {
    case 25:
      return Reduced(rgb, 4, x, y, width, height);
    case 50:
      return Reduced(rgb, 2, x, y, width, height);
    case 100:
      return rgb.copy(x, y, width, height);
    case 200:
    case 300:
    case 400:
      return Enlarged(rgb, percent / 100, x, y, width, height);
    default:
      return {};
  }
}

}  // namespace vx
