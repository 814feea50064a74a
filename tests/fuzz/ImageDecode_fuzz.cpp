// Pictures from any bytes, as a page file or map and as a cut: decoded within their limits or
// refused, never more. libpng refuses a chunk whose checksum is wrong, as nearly every mutation
// leaves it, so a PNG is also decoded with its chunks' checksums made right: mutations then reach
// the decoder instead of stopping at the checksum. The print side decodes the same file in the
// form it is stored in (24-bit colour, or indices and their palette): where both decode, the two
// show the same colours.
#include <zlib.h>

#include <algorithm>
#include <string>

#include "data/images/OctetReader.h"
#include "data/images/PngBitmap.h"
#include "print/DibImage.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kChunkFrame = 12;  // length, type, CRC

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

void PutBigEndian(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// `bytes` with the CRC of every whole chunk after the signature computed afresh; what follows the
// last whole chunk stays as it is.
std::string WithChunkCrcsMadeRight(std::string_view bytes) {
  std::string fixed(bytes);
  if (!bytes.starts_with(kPngSignature)) return fixed;
  std::size_t at = kPngSignature.size();
  while (fixed.size() - at >= kChunkFrame) {
    const std::uint32_t length = BigEndian(fixed, at);
    if (length > fixed.size() - at - kChunkFrame) break;
    const auto* typeAndData = reinterpret_cast<const Bytef*>(fixed.data() + at + 4);
    const auto crc = static_cast<std::uint32_t>(crc32(0, typeAndData, 4 + length));
    PutBigEndian(fixed, at + 8 + length, crc);
    at += kChunkFrame + length;
  }
  return fixed;
}

bool Within(const QImage& image, const vx::PictureLimits& limits) {
  return image.isNull() ||
         (static_cast<std::uint32_t>(image.width()) <= limits.maxSide &&
          static_cast<std::uint32_t>(image.height()) <= limits.maxSide &&
          std::uint64_t(image.width()) * std::uint64_t(image.height()) <= limits.maxPixels &&
          image.depth() == 32);
}

// B, G, R of a stored-layout pixel: its own bytes, or its index's palette entry.
QRgb StoredColour(const vx::DibImage& image, int x, int y) {
  const std::uint8_t* bgr = vx::DibImage_GetRow(image, y) + 3 * x;
  if (vx::DibImage_BitCount(image) == 8) {
    bgr = vx::DibImage_GetPalette(image) + 4 * vx::DibImage_GetRow(image, y)[x];
  }
  return qRgb(bgr[2], bgr[1], bgr[0]);
}

// Whether the stored form shows what the 32-bit picture shows, alpha aside (the stored form has
// none); a sample of at most 64 by 64 pixels.
bool SameColours(const vx::DibImage& stored, const QImage& image) {
  if (vx::DibImage_Width(stored) != image.width() ||
      vx::DibImage_Height(stored) != image.height()) {
    return false;
  }
  const int stepX = std::max(1, image.width() / 64), stepY = std::max(1, image.height() / 64);
  for (int y = 0; y < image.height(); y += stepY) {
    for (int x = 0; x < image.width(); x += stepX) {
      if (StoredColour(stored, x, y) != (image.pixel(x, y) | 0xFF000000)) return false;
    }
  }
  return true;
}

void CheckStoredLayout(const std::filesystem::path& file, const QImage& image) {
  const vx::DibImagePtr stored = vx::DibImage_LoadPng(file);
  if (!stored) return;
  const int bits = vx::DibImage_BitCount(*stored);
  vxfuzz::Check(bits == 8 || bits == 24, "a stored picture has indices or B, G, R bytes");
  vxfuzz::Check(image.isNull() || SameColours(*stored, image),
                "the stored form shows the colours of the 32-bit picture");
}

void CheckPictures(std::string_view bytes) {
  for (const vx::PictureLimits& limits : {vx::kPictureLimits, vx::kCutPictureLimits}) {
    vxfuzz::Check(Within(vx::LoadImageFromMemory(bytes, limits), limits),
                  "a picture from memory keeps its limits");
    vx::OctetReader reader(bytes);
    vxfuzz::Check(Within(vx::DecodePng(reader, limits), limits), "a PNG keeps its limits");
  }
  const auto file = vxfuzz::ScratchFile("picture.PNG");
  vxfuzz::WriteBytes(file, bytes);
  const QImage image = vx::LoadImageFile(file);
  vxfuzz::Check(Within(image, vx::kPictureLimits), "a picture file keeps its limits");
  CheckStoredLayout(file, image);
}

}  // namespace

VX_FUZZ_TARGET(ImageDecode) {
  vxfuzz::EnsureGuiApplication();
  const std::string_view bytes = vxfuzz::Bytes(data, size);
  CheckPictures(bytes);
  const std::string checked = WithChunkCrcsMadeRight(bytes);
  if (checked != bytes) CheckPictures(checked);
  return 0;
}
