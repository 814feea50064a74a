// Helpers shared by the image library's source files: the combine tables and pixel access.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "print/DibImage.h"

namespace vx::dib {

// Tables that turn every combine mode into one table read per channel.
struct CombineTables {
  std::array<std::array<std::uint8_t, 256>, 101> percent;   // [p][v] = v * p / 100
  std::array<std::array<std::uint8_t, 256>, 101> lighten;   // [k][v] = v + (255 - v) * k / 100
  std::array<std::array<std::int16_t, 511>, 100> blend;     // [k][d + 255] = d * k / 100
  std::array<std::uint8_t, 768> clamp;                      // [i + 256] = i clamped to 0..255
  std::array<std::array<std::uint8_t, 256>, 256> multiply;  // [s][d] = d * s / 255
};

const CombineTables& Tables();

inline std::uint8_t Clamp(const CombineTables& t, int value) {
  return t.clamp[static_cast<std::size_t>(value + 256)];
}
inline int ClampChannel(int value) { return std::clamp(value, 0, 255); }

// One channel of a fill with colour value s (0..255).
inline std::uint8_t FillChannel(const CombineTables& t, std::uint8_t d, int s, int mode) {
  if (mode >= 0 && mode <= kDibBlendMax) {
    return static_cast<std::uint8_t>(
        d - t.blend[static_cast<std::size_t>(mode)][static_cast<std::size_t>(d - s + 255)]);
  }
  switch (mode) {
    case kDibSet:
      return static_cast<std::uint8_t>(s);
    case kDibAdd:
      return Clamp(t, d + s);
    case kDibSubtract:
      return Clamp(t, d - s);
    case kDibPercent:
      return t.percent[static_cast<std::size_t>(std::min(s, 100))][d];
    case kDibMultiply:
      return t.multiply[static_cast<std::size_t>(s)][d];
    default:
      return d;
  }
}

// A fill of one fixed colour value as a map from every channel value to its result.
using ChannelMap = std::array<std::uint8_t, 256>;
inline ChannelMap MapChannel(int s, int mode) {
  const CombineTables& t = Tables();
  ChannelMap map;
  for (int d = 0; d < 256; ++d)
    map[static_cast<std::size_t>(d)] = FillChannel(t, static_cast<std::uint8_t>(d), s, mode);
  return map;
}

inline bool IsFillMode(int mode) { return mode >= 0 && mode <= kDibMultiply; }

// The rectangle with negative extents turned round and clipped to the image; false when nothing
// of it is left.
bool ClipRect(const DibImage& image, int& x, int& y, int& width, int& height);

// The colour (blue, green, red) of pixel (x, row) of any depth up to 24 bits; 16-bit pixels are
// 5-5-5. `row` is the row's address.
struct Bgr {
  std::uint8_t b = 0;
  std::uint8_t g = 0;
  std::uint8_t r = 0;
};
Bgr PixelColor(const DibImage& image, const std::uint8_t* row, int x);
// The raw index of a pixel of 8 bits or fewer.
int PixelIndex(int bitCount, const std::uint8_t* row, int x);

bool IsReadableDepth(int bitCount);

}  // namespace vx::dib
