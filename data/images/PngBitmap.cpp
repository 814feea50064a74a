#include "data/images/PngBitmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <bit>
#include <vector>

#include "data/images/FileReader.h"
#include "data/images/OctetReader.h"

// Format_ARGB32 is B, G, R, A in memory only on little-endian machines.
static_assert(std::endian::native == std::endian::little);

namespace vx {
namespace {

// Decoded PNGs land in a QImage of the 32-bit layout.
class QImageTarget final : public PngPixelTarget {
 public:
  PngLayout Layout() const override { return PngLayout::kBgra32; }
  bool Allocate(const PngShape& shape, std::vector<std::uint8_t*>& rows) override {
    image = QImage(static_cast<int>(shape.width), static_cast<int>(shape.height),
                   shape.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) return false;
    rows.resize(shape.height);
    for (std::uint32_t y = 0; y < shape.height; ++y) rows[y] = image.scanLine(static_cast<int>(y));
    return true;
  }
  QImage image;
};

PngDecodeResult Decode(Reader& reader, const PictureLimits& limits, QImage& picture) {
  QImageTarget target;
  const PngDecodeResult result = DecodePng(reader, limits, target);
  if (result == PngDecodeResult::kDecoded) picture = std::move(target.image);
  return result;
}

bool Fits(const QSize& size, const PictureLimits& limits) {
  return size.width() > 0 && size.height() > 0 &&
         static_cast<std::uint32_t>(size.width()) <= limits.maxSide &&
         static_cast<std::uint32_t>(size.height()) <= limits.maxSide &&
         std::uint64_t(size.width()) * std::uint64_t(size.height()) <= limits.maxPixels;
}

// Other formats through Qt's readers, in the same 32-bit layout as decoded PNGs. The size is
// checked from the header first; formats that cannot tell it are held by Qt's own allocation
// limit.
QImage ReadWithQt(QIODevice& device, const PictureLimits& limits) {
  QImageReader reader(&device);
  const QSize declared = reader.size();
  if (declared.isValid() && !Fits(declared, limits)) return {};
  const QImage image = reader.read();
  if (image.isNull() || !Fits(image.size(), limits)) return {};
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                       : QImage::Format_RGB32);
}

}  // namespace

QImage DecodePng(Reader& reader, const PictureLimits& limits) {
  QImage picture;
  Decode(reader, limits, picture);
  return picture;
}

QImage LoadImageFile(const std::filesystem::path& path, const PictureLimits& limits) {
  FileReader reader(path);
  if (!reader.IsOpen()) return {};
  QImage picture;
  switch (Decode(reader, limits, picture)) {
    case PngDecodeResult::kDecoded:
      return picture;
    case PngDecodeResult::kNotPng: {
      QFile file(QFile::decodeName(path.c_str()));
      if (!file.open(QIODevice::ReadOnly)) return {};
      return ReadWithQt(file, limits);
    }
    case PngDecodeResult::kFailed:
      break;
  }
  return {};
}

QImage LoadImageFromMemory(std::string_view bytes, const PictureLimits& limits) {
  OctetReader reader(bytes);
  QImage picture;
  switch (Decode(reader, limits, picture)) {
    case PngDecodeResult::kDecoded:
      return picture;
    case PngDecodeResult::kNotPng: {
      QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
      QBuffer buffer(&data);
      if (!buffer.open(QIODevice::ReadOnly)) return {};
      return ReadWithQt(buffer, limits);
    }
    case PngDecodeResult::kFailed:
      break;
  }
  return {};
}

}  // namespace vx
