// PNG files written in the test with libpng, so that every colour type the decoder meets is
// covered without binary test data.
#pragma once

#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vxtest {

struct PngRecipe {
  int width = 1;
  int height = 1;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<std::string> rows;           // packed rows as libpng expects them
  std::vector<png_color> palette;          // PNG_COLOR_TYPE_PALETTE only
  std::vector<png_byte> transparency;      // tRNS entries of the palette
};

inline std::string WritePng(const PngRecipe& recipe) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("png write failed");
  }
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, std::size_t n) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), n);
      },
      nullptr);
  png_set_IHDR(png, info, recipe.width, recipe.height, recipe.bitDepth, recipe.colorType,
               recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!recipe.palette.empty()) {
    png_set_PLTE(png, info, recipe.palette.data(), static_cast<int>(recipe.palette.size()));
  }
  if (!recipe.transparency.empty()) {
    png_set_tRNS(png, info, recipe.transparency.data(), static_cast<int>(recipe.transparency.size()),
                 nullptr);
  }
  png_write_info(png, info);
  std::vector<std::string> rows = recipe.rows;
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(reinterpret_cast<png_bytep>(row.data()));
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A width x height RGB picture filled with one colour.
inline std::string SolidRgbPng(int width, int height, std::uint8_t r, std::uint8_t g,
                               std::uint8_t b) {
  PngRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  std::string row;
  for (int x = 0; x < width; ++x) row += {char(r), char(g), char(b)};
  recipe.rows.assign(height, row);
  return WritePng(recipe);
}

// `png` with its IHDR width and height replaced (and the chunk's CRC made valid again).
inline std::string WithHeaderSize(std::string png, std::uint32_t width, std::uint32_t height) {
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) png[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
  };
  // Signature (8), length (4), "IHDR" (4), then width and height; the CRC covers type + data.
  put32(16, width);
  put32(20, height);
  const auto* chunk = reinterpret_cast<const Bytef*>(png.data() + 12);
  put32(33, static_cast<std::uint32_t>(crc32(0, chunk, 17)));
  return png;
}

}  // namespace vxtest
