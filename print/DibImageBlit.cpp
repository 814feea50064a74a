// Copies between images: plain and transparent copies and rotation.
#include <cstring>

#include "print/DibImage.h"
#include "print/DibImageInternal.h"

namespace vx {
namespace {

using dib::Bgr;

// The destination and source rectangles cut down to what lies on both images; false when
// nothing does.
bool ClipBoth(const DibImage& destination, int& x, int& y, int& width, int& height,
              const DibImage& source, int& sourceX, int& sourceY) {
  if (width <= 0 || height <= 0) return false;
  const auto cutFront = [](int& a, int& b, int& extent) {
    const int shift = std::max({0, -a, -b});
    a += shift;
    b += shift;
    extent -= shift;
  };
  cutFront(x, sourceX, width);
  cutFront(y, sourceY, height);
  width = std::min({width, DibImage_Width(destination) - x, DibImage_Width(source) - sourceX});
  height = std::min({height, DibImage_Height(destination) - y, DibImage_Height(source) - sourceY});
  return width > 0 && height > 0;
}

void ApplyPixel(const dib::CombineTables& t, std::uint8_t* d, const Bgr& s, int mode) {
  d[0] = dib::FillChannel(t, d[0], s.b, mode);
  d[1] = dib::FillChannel(t, d[1], s.g, mode);
  d[2] = dib::FillChannel(t, d[2], s.r, mode);
}

// The source value of a pixel in modes 103 and 104: an 8-bit source's byte for all channels.
Bgr MaskValue(int bitCount, const std::uint8_t* row, int x) {
  if (bitCount == 8) return {row[x], row[x], row[x]};
  return {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
}

// One channel of a transparent copy.
std::uint8_t TransparentChannel(const dib::CombineTables& t, std::uint8_t d, int s, int mode) {
  switch (mode) {
    case kDibAdd:
      return dib::Clamp(t, d - s);
    case kDibSubtract:
      return dib::Clamp(t, d + s);
    default:
      return dib::FillChannel(t, d, s, mode);
  }
}

void BlitTransparentTo8(DibImage& destination, int width, int height, const DibImage& source) {
  if (DibImage_BitCount(source) != 8) return;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* s = DibImage_GetRow(source, y);
    std::uint8_t* d = DibImage_GetRow(destination, y);
    for (int x = 0; x < width; ++x) {
      if (s[x] != 0) d[x] = s[x];
    }
  }
}

// A pixel of any depth up to 32 bits, as raw bits.
std::uint32_t ReadRaw(int bitCount, const std::uint8_t* row, int x) {
  if (bitCount < 8) return static_cast<std::uint32_t>(dib::PixelIndex(bitCount, row, x));
  const int bytes = bitCount / 8;
  std::uint32_t value = 0;
  std::memcpy(&value, row + static_cast<std::size_t>(x) * bytes, static_cast<std::size_t>(bytes));
  return value;
}

void WriteRaw(int bitCount, std::uint8_t* row, int x, std::uint32_t value) {
  if (bitCount == 1) {
    const int mask = 0x80 >> (x & 7);
    row[x >> 3] = static_cast<std::uint8_t>(value ? row[x >> 3] | mask : row[x >> 3] & ~mask);
  } else if (bitCount == 4) {
    const int shift = (x & 1) ? 0 : 4;
    row[x >> 1] =
        static_cast<std::uint8_t>((row[x >> 1] & ~(0x0F << shift)) | ((value & 0x0F) << shift));
  } else {
    std::memcpy(row + static_cast<std::size_t>(x) * (bitCount / 8), &value,
                static_cast<std::size_t>(bitCount / 8));
  }
}

// An empty image with the source's header and palette and the given size.
DibImagePtr BlankLike(const DibImage& image, int width, int height) {
  DibHeader header = DibImage_Header(image);
  const int palette = DibImage_PaletteBytes(image);
  header.width = width;
  header.height = height;
  const std::size_t stride = (static_cast<std::size_t>(width) * header.bitCount + 31) / 32 * 4;
  if (header.sizeImage != 0) {
    header.sizeImage = static_cast<std::uint32_t>(width) * (header.bitCount / 8) *
                       static_cast<std::uint32_t>(height);
  }
  try {
    auto copy = std::make_unique<DibImage>();
    copy->block.assign(sizeof header + static_cast<std::size_t>(palette) +
                           stride * static_cast<std::size_t>(height),
                       0);
    std::memcpy(copy->block.data(), &header, sizeof header);
    std::memcpy(DibImage_GetPalette(*copy), DibImage_GetPalette(image),
                static_cast<std::size_t>(palette));
    return copy;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

void DibImage_Blit(DibImage& destination, int x, int y, int width, int height,
                   const DibImage& source, int sourceX, int sourceY, int mode) {
  const int bitCount = DibImage_BitCount(source);
  if (DibImage_BitCount(destination) != 24 || !dib::IsReadableDepth(bitCount)) return;
  const bool takesMode = mode == kDibSet || ((mode == kDibPercent || mode == kDibMultiply) &&
                                             (bitCount == 8 || bitCount == 24));
  if (!takesMode || !ClipBoth(destination, x, y, width, height, source, sourceX, sourceY)) return;
  const dib::CombineTables& tables = dib::Tables();
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* s = DibImage_GetRow(source, sourceY + row);
    std::uint8_t* d = DibImage_GetRow(destination, y + row) + 3 * x;
    for (int i = 0; i < width; ++i, d += 3) {
      if (mode == kDibSet) {
        const Bgr c = dib::PixelColor(source, s, sourceX + i);
        d[0] = c.b;
        d[1] = c.g;
        d[2] = c.r;
      } else {
        ApplyPixel(tables, d, MaskValue(bitCount, s, sourceX + i), mode);
      }
    }
  }
}

void DibImage_BlitTransparent(int mode, DibImage& destination, int width, int height,
                              const DibImage& source) {
  int x = 0;
  int y = 0;
  int sx = 0;
  int sy = 0;
  if (!ClipBoth(destination, x, y, width, height, source, sx, sy)) return;
  const int destinationBits = DibImage_BitCount(destination);
  if (destinationBits == 8) {
    BlitTransparentTo8(destination, width, height, source);
    return;
  }
  const int sourceBits = DibImage_BitCount(source);
  if (destinationBits != 24 || (sourceBits != 8 && sourceBits != 24) || mode < 0 ||
      mode > kDibPercent) {
    return;
  }
  const dib::CombineTables& tables = dib::Tables();
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* s = DibImage_GetRow(source, row);
    std::uint8_t* d = DibImage_GetRow(destination, row);
    for (int i = 0; i < width; ++i, d += 3) {
      if (sourceBits == 8 ? s[i] == 0 : (s[3 * i] | s[3 * i + 1] | s[3 * i + 2]) == 0) continue;
      const Bgr c = dib::PixelColor(source, s, i);
      d[0] = TransparentChannel(tables, d[0], c.b, mode);
      d[1] = TransparentChannel(tables, d[1], c.g, mode);
      d[2] = TransparentChannel(tables, d[2], c.r, mode);
    }
  }
}

DibImagePtr DibImage_Rotate(const DibImage& image, int angle) {
  const int width = DibImage_Width(image);
  const int height = DibImage_Height(image);
  const int bitCount = DibImage_BitCount(image);
  if ((angle != 90 && angle != 180) || width < 1 || height < 1 ||
      (bitCount != 1 && bitCount != 4 && bitCount % 8 != 0)) {
    return nullptr;
  }
  DibImagePtr turned =
      angle == 90 ? BlankLike(image, height, width) : BlankLike(image, width, height);
  if (!turned) return nullptr;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = DibImage_GetRow(image, y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t value = ReadRaw(bitCount, row, x);
      if (angle == 90) {
        WriteRaw(bitCount, DibImage_GetRow(*turned, x), height - 1 - y, value);
      } else {
        WriteRaw(bitCount, DibImage_GetRow(*turned, height - 1 - y), width - 1 - x, value);
      }
    }
  }
  return turned;
}

}  // namespace vx
