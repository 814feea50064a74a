// Pictures from any bytes, as a page file or map and as a cut: decoded within their limits or
// refused, never more.
#include "data/images/OctetReader.h"
#include "data/images/PngBitmap.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

bool Within(const QImage& image, const vx::PictureLimits& limits) {
  return image.isNull() ||
         (static_cast<std::uint32_t>(image.width()) <= limits.maxSide &&
          static_cast<std::uint32_t>(image.height()) <= limits.maxSide &&
          std::uint64_t(image.width()) * std::uint64_t(image.height()) <= limits.maxPixels &&
          image.depth() == 32);
}

}  // namespace

VX_FUZZ_TARGET(ImageDecode) {
  vxfuzz::EnsureGuiApplication();
  const std::string_view bytes = vxfuzz::Bytes(data, size);
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
  return 0;
}
