// The one PNG decoder of the program: libpng, with the picture's size checked against limits
// before any pixel is allocated and ancillary chunks other than tRNS skipped unread, so a picture
// costs what its pixels cost. What the pixels become is the caller's choice: 32-bit B, G, R, A
// rows, or the form they are stored in (one byte per pixel with its palette, or B, G, R bytes).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "data/images/Reader.h"

namespace vx {

// The largest picture a decode may make.
struct PictureLimits {
  std::uint32_t maxSide;
  std::uint64_t maxPixels;
};

enum class PngLayout {
  kBgra32,  // every type as B, G, R and alpha (0xFF where the picture has no transparency)
  kStored,  // colour as B, G, R; grey and palette pictures one index byte per pixel
};

struct PngShape {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool hasAlpha = false;  // kBgra32: the picture has transparency
  bool colour = false;    // kStored: B, G, R bytes rather than indices
  // kStored indices: B, G, R of each (the file's palette, or the grey levels of its depth).
  std::vector<std::array<std::uint8_t, 3>> palette;
};

// Where a decode puts its pixels.
class PngPixelTarget {
 public:
  virtual ~PngPixelTarget() = default;
  virtual PngLayout Layout() const = 0;
  // Makes room for the picture and gives its rows, top row first, each as wide as the layout
  // needs; false refuses the picture (no memory, beyond the target's own limits).
  virtual bool Allocate(const PngShape& shape, std::vector<std::uint8_t*>& rows) = 0;
};

enum class PngDecodeResult { kDecoded, kNotPng, kFailed };

// kNotPng when the bytes do not start with the PNG signature; kFailed when they are damaged or
// truncated, the picture is beyond `limits` or the target refused it.
PngDecodeResult DecodePng(Reader& reader, const PictureLimits& limits, PngPixelTarget& target);

}  // namespace vx
