// PNG files as 24-bit (colour) or 8-bit (grey, palette) images, through the catalogue's PNG
// decoder and its picture limits.
#include <algorithm>

#include "data/images/FileReader.h"
#include "data/images/PngBitmap.h"
#include "print/DibImage.h"

namespace vx {
namespace {

class DibImageTarget final : public PngPixelTarget {
 public:
  PngLayout Layout() const override { return PngLayout::kStored; }
  bool Allocate(const PngShape& shape, std::vector<std::uint8_t*>& rows) override {
    const int width = static_cast<int>(shape.width);
    const int height = static_cast<int>(shape.height);
    image = DibImage_Create(shape.colour ? 24 : 8, width, height);
    if (!image) return false;
    if (!shape.colour) FillPalette(shape);
    rows.resize(shape.height);
    for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = DibImage_GetRow(*image, y);
    return true;
  }
  DibImagePtr image;

 private:
  void FillPalette(const PngShape& shape) {
    std::uint8_t* palette = DibImage_GetPalette(*image);
    const std::size_t count = std::min<std::size_t>(shape.palette.size(), 256);
    for (std::size_t i = 0; i < count; ++i)
      std::copy_n(shape.palette[i].begin(), 3, palette + 4 * i);
  }
};

}  // namespace

DibImagePtr DibImage_LoadPng(const std::filesystem::path& path) {
  FileReader reader(path);
  if (!reader.IsOpen()) return nullptr;
  DibImageTarget target;
  if (DecodePng(reader, kPictureLimits, target) != PngDecodeResult::kDecoded) return nullptr;
  return std::move(target.image);
}

}  // namespace vx
