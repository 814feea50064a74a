// Pictures from any bytes, as a page file or map and as a cut: decoded within their limits or
// refused, never more. libpng refuses a chunk whose checksum is wrong, as nearly every mutation
// leaves it, so a PNG is also decoded with its chunks' checksums made right: mutations then reach
// the decoder instead of stopping at the checksum.
#include <zlib.h>

#include <string>

#include "data/images/OctetReader.h"
#include "data/images/PngBitmap.h"
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

void CheckPictures(std::string_view bytes) {
  for (const vx::PictureLimits& limits : {vx::kPictureLimits, vx::kCutPictureLimits}) {
    vxfuzz::Check(Within(vx::LoadImageFromMemory(bytes, limits), limits),
                  "a picture from memory keeps its limits");
    vx::OctetReader reader(bytes);
    vxfuzz::Check(Within(vx::DecodePng(reader, limits), limits), "a PNG keeps its limits");
  }
  const auto file = vxfuzz::ScratchFile("picture.PNG");
  vxfuzz::WriteBytes(file, bytes);
  vxfuzz::Check(Within(vx::LoadImageFile(file), vx::kPictureLimits),
                "a picture file keeps its limits");
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
