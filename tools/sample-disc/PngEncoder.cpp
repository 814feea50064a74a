#include "tools/sample-disc/PngEncoder.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace vx::sampledisc {

std::string EncodePng(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  writer.setQuality(80);  // Qt maps quality 80 to zlib level 1
  if (!writer.write(image)) return {};
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace vx::sampledisc
