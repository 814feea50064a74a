#include "print/DibImageQt.h"

#include "print/DibImageInternal.h"

namespace vx {

QImage DibImage_ToQImage(const DibImage& image) {
  const int width = DibImage_Width(image);
  const int height = DibImage_Height(image);
  if (width < 1 || height < 1 || !dib::IsReadableDepth(DibImage_BitCount(image))) return {};
  QImage picture(width, height, QImage::Format_RGB32);
  if (picture.isNull()) return {};
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = DibImage_GetRow(image, y);
    auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const dib::Bgr c = dib::PixelColor(image, row, x);
      out[x] = qRgb(c.r, c.g, c.b);
    }
  }
  return picture;
}

DibImagePtr DibImage_FromQImage(const QImage& picture) {
  if (picture.isNull()) return nullptr;
  DibImagePtr image = DibImage_Create(24, picture.width(), picture.height());
  if (image) DibImage_CopyFromQImage(*image, picture);
  return image;
}

void DibImage_CopyFromQImage(DibImage& image24, const QImage& picture) {
  if (DibImage_BitCount(image24) != 24 || picture.width() != DibImage_Width(image24) ||
      picture.height() != DibImage_Height(image24)) {
    return;
  }
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  const int width = rgb.width();
  const int height = rgb.height();
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    std::uint8_t* out = DibImage_GetRow(image24, y);
    for (int x = 0; x < width; ++x) {
      out[3 * x] = static_cast<std::uint8_t>(qBlue(in[x]));
      out[3 * x + 1] = static_cast<std::uint8_t>(qGreen(in[x]));
      out[3 * x + 2] = static_cast<std::uint8_t>(qRed(in[x]));
    }
  }
}

}  // namespace vx
