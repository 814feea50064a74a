// PNG files as 24-bit (colour) or 8-bit (grey, palette) images, through libpng.
#include <png.h>

#include <csetjmp>
#include <vector>

#include "data/images/FileReader.h"
#include "print/DibImage.h"

namespace vx {
namespace {

// The libpng structures of one load, freed however the load ends.
struct PngLoad {
  png_structp png = nullptr;
  png_infop info = nullptr;
  DibImagePtr image;
  std::vector<png_bytep> rows;

  ~PngLoad() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

void ReadFromFile(png_structp png, png_bytep data, std::size_t length) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (reader->Read(data, length) != length) png_error(png, "unexpected end of file");
}

// Colour pictures become blue, green, red bytes; the others one byte per pixel.
bool SetUpTransforms(PngLoad& d, bool& colour) {
  const int type = png_get_color_type(d.png, d.info);
  const int depth = png_get_bit_depth(d.png, d.info);
  if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) return false;
  colour = (type & PNG_COLOR_MASK_COLOR) && type != PNG_COLOR_TYPE_PALETTE;
  if (type & PNG_COLOR_MASK_ALPHA) png_set_strip_alpha(d.png);
  if (depth == 16) png_set_strip_16(d.png);
  if (depth < 8) png_set_packing(d.png);
  if (colour) png_set_bgr(d.png);
  png_set_interlace_handling(d.png);
  png_read_update_info(d.png, d.info);
  return true;
}

void FillPalette(PngLoad& d) {
  std::uint8_t* palette = DibImage_GetPalette(*d.image);
  const int type = png_get_color_type(d.png, d.info);
  if (type == PNG_COLOR_TYPE_PALETTE) {
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(d.png, d.info, &entries, &count);
    for (int i = 0; i < std::min(count, 256); ++i) {
      palette[4 * i] = entries[i].blue;
      palette[4 * i + 1] = entries[i].green;
      palette[4 * i + 2] = entries[i].red;
    }
    return;
  }
  // Grey levels of the stored depth (16-bit samples were reduced to 8).
  const int levels = 1 << std::min<int>(png_get_bit_depth(d.png, d.info), 8);
  for (int i = 0; i < levels; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 255 / (levels - 1));
    palette[4 * i] = palette[4 * i + 1] = palette[4 * i + 2] = grey;
  }
}

// libpng errors jump back here; nothing with a destructor lives in the frames they skip.
bool RunLoad(PngLoad& d) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_read_info(d.png, d.info);
  bool colour = false;
  if (!SetUpTransforms(d, colour)) return false;
  const auto width = static_cast<int>(png_get_image_width(d.png, d.info));
  const auto height = static_cast<int>(png_get_image_height(d.png, d.info));
  d.image = DibImage_Create(colour ? 24 : 8, width, height);
  if (!d.image) return false;
  if (!colour) FillPalette(d);
  d.rows.resize(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    d.rows[static_cast<std::size_t>(y)] = DibImage_GetRow(*d.image, y);
  png_read_image(d.png, d.rows.data());
  png_read_end(d.png, nullptr);
  return true;
}

}  // namespace

DibImagePtr DibImage_LoadPng(const std::filesystem::path& path) {
  FileReader reader(path);
  if (!reader.IsOpen()) return nullptr;
  PngLoad d;
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!d.png) return nullptr;
  d.info = png_create_info_struct(d.png);
  if (!d.info) return nullptr;
  png_set_read_fn(d.png, &reader, ReadFromFile);
  png_set_user_limits(d.png, kDibMaxSide, kDibMaxSide);
  if (!RunLoad(d)) return nullptr;
  return std::move(d.image);
}

}  // namespace vx
