// The image record, its rows and palette, the combine tables, and the drawing functions.
#include "print/DibImage.h"

#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "print/DibImageInternal.h"

namespace vx {
namespace dib {
namespace {

CombineTables MakeTables() {
  CombineTables t{};
  for (int p = 0; p <= 100; ++p) {
    for (int v = 0; v < 256; ++v) {
      t.percent[p][v] = static_cast<std::uint8_t>(v * p / 100);
      t.lighten[p][v] = static_cast<std::uint8_t>(v + (255 - v) * p / 100);
    }
  }
  for (int k = 0; k < 100; ++k) {
    for (int d = -255; d <= 255; ++d) t.blend[k][d + 255] = static_cast<std::int16_t>(d * k / 100);
  }
  for (int i = -256; i < 512; ++i)
    t.clamp[i + 256] = static_cast<std::uint8_t>(std::clamp(i, 0, 255));
  for (int s = 0; s < 256; ++s) {
    for (int d = 0; d < 256; ++d) t.multiply[s][d] = static_cast<std::uint8_t>(d * s / 255);
  }
  return t;
}

}  // namespace

const CombineTables& Tables() {
  static const CombineTables tables = MakeTables();  // thread-safe first use
  return tables;
}

bool ClipRect(const DibImage& image, int& x, int& y, int& width, int& height) {
  if (width < 0) {
    x += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    height = -height;
  }
  const long long right =
      std::min<long long>(static_cast<long long>(x) + width, DibImage_Width(image));
  const long long bottom =
      std::min<long long>(static_cast<long long>(y) + height, DibImage_Height(image));
  x = std::max(x, 0);
  y = std::max(y, 0);
  if (right <= x || bottom <= y) return false;
  width = static_cast<int>(right - x);
  height = static_cast<int>(bottom - y);
  return true;
}

bool IsReadableDepth(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24;
}

int PixelIndex(int bitCount, const std::uint8_t* row, int x) {
  switch (bitCount) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    default:
      return row[x];
  }
}

Bgr PixelColor(const DibImage& image, const std::uint8_t* row, int x) {
  const int bitCount = DibImage_BitCount(image);
  if (bitCount == 24) return {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
  if (bitCount == 16) {
    const int v = row[2 * x] | (row[2 * x + 1] << 8);
    const auto five = [](int bits) { return static_cast<std::uint8_t>((bits & 0x1F) << 3); };
    return {five(v), five(v >> 5), five(v >> 10)};
  }
  const int index = PixelIndex(bitCount, row, x);
  if (index * 4 + 4 > DibImage_PaletteBytes(image)) return {};
  const std::uint8_t* entry = DibImage_GetPalette(image) + index * 4;
  return {entry[0], entry[1], entry[2]};
}

}  // namespace dib

using dib::ClipRect;

DibHeader DibImage_Header(const DibImage& image) {
  DibHeader header;
  if (image.block.size() >= sizeof header) std::memcpy(&header, image.block.data(), sizeof header);
  return header;
}

int DibImage_Width(const DibImage& image) { return DibImage_Header(image).width; }
int DibImage_Height(const DibImage& image) { return DibImage_Header(image).height; }
int DibImage_BitCount(const DibImage& image) { return DibImage_Header(image).bitCount; }

int DibImage_Stride(const DibImage& image) {
  const DibHeader h = DibImage_Header(image);
  const long long bits = static_cast<long long>(h.width) * h.bitCount;
  return static_cast<int>((bits + 31) / 32 * 4);
}

int DibImage_PaletteBytes(const DibImage& image) {
  const DibHeader h = DibImage_Header(image);
  if (h.bitCount > 8) return 0;
  return 4 * static_cast<int>(h.clrUsed != 0 ? h.clrUsed : 1u << h.bitCount);
}

DibImagePtr DibImage_Create(int bitsPerPixel, int width, int height) {
  if ((bitsPerPixel != 8 && bitsPerPixel != 24) || width < 1 || height < 1 || width > kDibMaxSide ||
      height > kDibMaxSide) {
    return nullptr;
  }
  DibHeader header;
  header.width = width;
  header.height = height;
  header.bitCount = static_cast<std::uint16_t>(bitsPerPixel);
  header.sizeImage =
      static_cast<std::uint32_t>(width) * (bitsPerPixel / 8) * static_cast<std::uint32_t>(height);
  header.clrUsed = bitsPerPixel == 8 ? 256 : 0;
  const std::size_t stride = (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
  const std::size_t palette = bitsPerPixel == 8 ? 1024 : 0;
  try {
    auto image = std::make_unique<DibImage>();
    image->block.assign(sizeof header + palette + stride * static_cast<std::size_t>(height), 0);
    std::memcpy(image->block.data(), &header, sizeof header);
    return image;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::uint8_t* DibImage_GetPalette(DibImage& image) {
  return image.block.data() + sizeof(DibHeader);
}
const std::uint8_t* DibImage_GetPalette(const DibImage& image) {
  return image.block.data() + sizeof(DibHeader);
}

std::uint8_t* DibImage_GetBits(DibImage& image) {
  return DibImage_GetPalette(image) + DibImage_PaletteBytes(image);
}
const std::uint8_t* DibImage_GetBits(const DibImage& image) {
  return DibImage_GetPalette(image) + DibImage_PaletteBytes(image);
}

std::uint8_t* DibImage_GetRow(DibImage& image, int y) {
  return const_cast<std::uint8_t*>(DibImage_GetRow(std::as_const(image), y));
}

const std::uint8_t* DibImage_GetRow(const DibImage& image, int y) {
  const int height = DibImage_Height(image);
  if (y < 0 || y >= height) return nullptr;
  return DibImage_GetBits(image) + static_cast<std::size_t>(height - y - 1) *
                                       static_cast<std::size_t>(DibImage_Stride(image));
}

void DibImage_BuildBlendTables() { dib::Tables(); }

void DibImage_FillRect(DibImage& image, int x, int y, int width, int height, int red, int green,
                       int blue, int mode) {
  if (!dib::IsFillMode(mode) || !ClipRect(image, x, y, width, height)) return;
  const int bitCount = DibImage_BitCount(image);
  if (bitCount == 8) {
    for (int row = y; row < y + height; ++row) {
      std::memset(DibImage_GetRow(image, row) + x, dib::ClampChannel(red), width);
    }
    return;
  }
  if (bitCount != 24) return;
  const std::uint8_t b = static_cast<std::uint8_t>(dib::ClampChannel(blue));
  const std::uint8_t g = static_cast<std::uint8_t>(dib::ClampChannel(green));
  const std::uint8_t r = static_cast<std::uint8_t>(dib::ClampChannel(red));
  if (mode == kDibSet) {
    // Pages are filled white before every page: one row pattern copied down.
    std::vector<std::uint8_t> pattern(static_cast<std::size_t>(width) * 3);
    for (std::size_t i = 0; i < pattern.size(); i += 3) {
      pattern[i] = b;
      pattern[i + 1] = g;
      pattern[i + 2] = r;
    }
    for (int row = y; row < y + height; ++row) {
      std::memcpy(DibImage_GetRow(image, row) + 3 * x, pattern.data(), pattern.size());
    }
    return;
  }
  const dib::ChannelMap maps[3] = {dib::MapChannel(b, mode), dib::MapChannel(g, mode),
                                   dib::MapChannel(r, mode)};
  for (int row = y; row < y + height; ++row) {
    std::uint8_t* p = DibImage_GetRow(image, row) + 3 * x;
    for (int i = 0; i < width; ++i, p += 3) {
      p[0] = maps[0][p[0]];
      p[1] = maps[1][p[1]];
      p[2] = maps[2][p[2]];
    }
  }
}

namespace {

// Pixel i of a line whose major axis is `length` long and minor axis `minor` long lies `Offset`
// minor steps off the start: the error term starts at length / 2, loses `minor` at every step and
// moves the minor coordinate on (gaining `length`) whenever it falls below 1.
long long MinorOffset(long long i, long long length, long long minor) {
  const long long need = i * minor - length / 2 + 1;
  return need <= 0 ? 0 : (need + length - 1) / length;
}

void PlotLinePixel(DibImage& image, int x, int y, int index, const dib::ChannelMap maps[3]) {
  std::uint8_t* row = DibImage_GetRow(image, y);
  if (DibImage_BitCount(image) == 8) {
    row[x] = static_cast<std::uint8_t>(index);
    return;
  }
  std::uint8_t* p = row + 3 * x;
  for (int c = 0; c < 3; ++c) p[c] = maps[c][p[c]];
}

}  // namespace

void DibImage_DrawLine(DibImage& image, int x, int y, int dx, int dy, int red, int green, int blue,
                       int mode) {
  const int bitCount = DibImage_BitCount(image);
  if ((bitCount != 8 && bitCount != 24) || (mode != kDibSet && mode != kDibMultiply)) return;
  const dib::ChannelMap maps[3] = {dib::MapChannel(dib::ClampChannel(blue), mode),
                                   dib::MapChannel(dib::ClampChannel(green), mode),
                                   dib::MapChannel(dib::ClampChannel(red), mode)};
  const int width = DibImage_Width(image);
  const int height = DibImage_Height(image);
  const bool xMajor = std::abs(static_cast<long long>(dx)) >= std::abs(static_cast<long long>(dy));
  const long long length =
      xMajor ? std::abs(static_cast<long long>(dx)) : std::abs(static_cast<long long>(dy));
  const long long minor =
      xMajor ? std::abs(static_cast<long long>(dy)) : std::abs(static_cast<long long>(dx));
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const long long majorStart = xMajor ? x : y;
  const long long majorLimit = xMajor ? width : height;
  // Only the steps whose major coordinate lies inside the image can draw anything.
  long long first = 0;
  long long last = length - 1;
  if (majorStep > 0) {
    first = std::max(first, -majorStart);
    last = std::min(last, majorLimit - 1 - majorStart);
  } else {
    first = std::max(first, majorStart - (majorLimit - 1));
    last = std::min(last, majorStart);
  }
  for (long long i = first; i <= last; ++i) {
    const long long major = majorStart + i * majorStep;
    const long long other = (xMajor ? y : x) + MinorOffset(i, length, minor) * minorStep;
    const long long px = xMajor ? major : other;
    const long long py = xMajor ? other : major;
    if (px < 0 || py < 0 || px >= width || py >= height) continue;
    PlotLinePixel(image, static_cast<int>(px), static_cast<int>(py), dib::ClampChannel(red), maps);
  }
}

void DibImage_FrameRect(DibImage& image, int x, int y, int width, int height) {
  DibImage_FillRect(image, x, y, width, 1, 0, 0, 0, kDibSet);
  DibImage_FillRect(image, x, y, 1, height, 0, 0, 0, kDibSet);
  DibImage_FillRect(image, x, y + height - 1, width, 1, 0, 0, 0, kDibSet);
  DibImage_FillRect(image, x + width - 1, y, 1, height, 0, 0, 0, kDibSet);
}

void DibImage_FrameRectColor(DibImage& image, int x, int y, int width, int height, int lineWidth,
                             int red, int green, int blue) {
  const int t = lineWidth;
  DibImage_FillRect(image, x, y, width, t, red, green, blue, kDibSet);
  DibImage_FillRect(image, x, y, t, height, red, green, blue, kDibSet);
  DibImage_FillRect(image, x, y + height - t, width, t, red, green, blue, kDibSet);
  DibImage_FillRect(image, x + width - t, y, t, height, red, green, blue, kDibSet);
}

void DibImage_InvertRect(DibImage& image, int width, int height) {
  int x = 0;
  int y = 0;
  if (width < 0 || height < 0 || !ClipRect(image, x, y, width, height)) return;
  const long long bits = static_cast<long long>(width) * DibImage_BitCount(image);
  const std::size_t bytes = static_cast<std::size_t>((bits + 7) / 8);
  for (int row = 0; row < height; ++row) {
    std::uint8_t* p = DibImage_GetRow(image, row);
    for (std::size_t i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(~p[i]);
  }
}

}  // namespace vx
