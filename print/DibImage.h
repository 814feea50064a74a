// Page pictures in memory, laid out as packed device-independent bitmaps: a 40-byte header, a
// palette of four-byte entries (blue, green, red, 0) for 8 bits per pixel or fewer, then the rows
// bottom-up, each padded to a multiple of 4 bytes; 24-bit pixels are stored blue, green, red.
// The page renderers compose pages with these functions; QImage appears only at the edges
// (preview, image files, printer).
//
// Coordinates count x from the left and y from the top. Rectangles are x, y, width, height; a
// negative width or height extends to the left or upwards from the given corner. Colours are three
// integers red, green, blue; on an 8-bit image the red value is the palette index. Drawing is
// clipped to the image. Everything is integer arithmetic; no function keeps state except the
// combine tables, built once on first use.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace vx {

class PrintTextDrawer;

struct DibHeader {
  std::uint32_t size = 40;
  std::int32_t width = 0;
  std::int32_t height = 0;  // positive: rows stored bottom-up
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;  // without the row padding for images this library creates
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;
};
static_assert(sizeof(DibHeader) == 40);

// One image: the whole packed bitmap in one block.
struct DibImage {
  std::vector<std::uint8_t> block;
};
using DibImagePtr = std::unique_ptr<DibImage>;

struct DibRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

// How a colour or source value s meets each channel d of a destination pixel.
enum DibMode : int {
  kDibBlendMax = 99,   // 0..99: d - (d - s) * mode / 100
  kDibSet = 100,       // d = s
  kDibAdd = 101,       // fill: min(255, d + s); transparent copy: max(0, d - s)
  kDibSubtract = 102,  // fill: max(0, d - s); transparent copy: min(255, d + s)
  kDibPercent = 103,   // d * s / 100, s from 0 to 100
  kDibMultiply = 104,  // d * s / 255
};

// Images larger than this on a side are refused (a page at 600 DPI on A3 is about 7,000 by 9,900).
constexpr int kDibMaxSide = 20000;

DibHeader DibImage_Header(const DibImage& image);
int DibImage_Width(const DibImage& image);
int DibImage_Height(const DibImage& image);
int DibImage_BitCount(const DibImage& image);
// Bytes per row including the padding.
int DibImage_Stride(const DibImage& image);
// Bytes of palette entries before the rows (4 per colour used, or 4 x 2^depth when the header
// names none; none above 8 bits).
int DibImage_PaletteBytes(const DibImage& image);

// A new zero-filled image of 8 or 24 bits per pixel (an 8-bit image has 256 black palette
// entries); null for another depth, a size outside 1..kDibMaxSide or when memory runs out.
DibImagePtr DibImage_Create(int bitsPerPixel, int width, int height);

std::uint8_t* DibImage_GetPalette(DibImage& image);
const std::uint8_t* DibImage_GetPalette(const DibImage& image);
std::uint8_t* DibImage_GetBits(DibImage& image);
const std::uint8_t* DibImage_GetBits(const DibImage& image);
// Row y counted from the top; null outside the image.
std::uint8_t* DibImage_GetRow(DibImage& image, int y);
const std::uint8_t* DibImage_GetRow(const DibImage& image, int y);

// Builds the combine tables now (they are otherwise built on first use).
void DibImage_BuildBlendTables();

// --- Drawing ----------------------------------------------------------------------------------
// 24-bit: modes 0..104; 8-bit: every mode writes the index.
void DibImage_FillRect(DibImage& image, int x, int y, int width, int height, int red, int green,
                       int blue, int mode);
// A line from (x, y) covering dx by dy (its end point excluded); modes 100 and 104 (8-bit: the
// index is set).
void DibImage_DrawLine(DibImage& image, int x, int y, int dx, int dy, int red, int green, int blue,
                       int mode);
// One-pixel black frame on the rectangle's edges.
void DibImage_FrameRect(DibImage& image, int x, int y, int width, int height);
// Frame of `lineWidth` inside the rectangle, mode 100.
void DibImage_FrameRectColor(DibImage& image, int x, int y, int width, int height, int lineWidth,
                             int red, int green, int blue);
// Inverts every byte of the rectangle at the top-left corner.
void DibImage_InvertRect(DibImage& image, int width, int height);

// --- Copies -----------------------------------------------------------------------------------
// A source rectangle onto a 24-bit destination. Mode 100 converts 1-, 4-, 8-, 16- (5-5-5) and
// 24-bit sources through their palettes; modes 103 and 104 take 8-bit sources (the byte is s for
// all three channels) and 24-bit sources.
void DibImage_Blit(DibImage& destination, int x, int y, int width, int height,
                   const DibImage& source, int sourceX, int sourceY, int mode);
// From the top-left corners, skipping transparent source pixels (8-bit index 0, 24-bit black).
// 24-bit destination: modes 0..99 and 100..103; an 8-bit destination takes the non-zero indices
// of an 8-bit source unchanged.
void DibImage_BlitTransparent(int mode, DibImage& destination, int width, int height,
                              const DibImage& source);
// Scaled copy onto a 24-bit destination in fixed point with 15 fraction bits; negative extents
// mirror. With `average`, a reducing copy averages the covered source pixels by area and an
// enlarging one interpolates bilinearly.
void DibImage_StretchBlit(DibImage& destination, const DibRect& to, const DibImage& source,
                          const DibRect& from, bool average);
// A new image of the same depth turned by 90 degrees clockwise or by 180 degrees; null for
// another angle or when memory runs out.
DibImagePtr DibImage_Rotate(const DibImage& image, int angle);

// --- Text -------------------------------------------------------------------------------------
// Text styles: background and text grey levels. 0 and 1 suit the percentage mode, 2 and 3 the
// multiply mode.
enum DibTextStyle : int {
  kTextMaskPercent = 0,         // background 100, text 0
  kTextMaskPercentInverse = 1,  // background 0, text 100
  kTextMaskMultiply = 2,        // background 255, text 0
  kTextMaskMultiplyInverse = 3  // background 0, text 255
};
// A new 8-bit grey mask of the CP932 text (the index is the grey level). A negative width asks for
// shrink-to-fit: the text is drawn twice as wide and squeezed into |width|. Null when the drawer
// fails or memory runs out.
DibImagePtr DibImage_RenderText(PrintTextDrawer& drawer, std::string_view text, int width,
                                int height, int fontHeight, int fontWeight, unsigned format,
                                int style);

// --- Files ------------------------------------------------------------------------------------
// The bitmap of a BMP file (any depth the file holds, rows bottom-up); null when the file cannot
// be read or its headers do not agree with its real size.
DibImagePtr DibImage_LoadBmp(const std::filesystem::path& path);
// 0, or -1 when the file cannot be opened, -2 / -3 on a short write of the file header / the
// bitmap, -4 when closing fails. A null image writes nothing and gives 0.
int DibImage_SaveBmp(const DibImage* image, const std::filesystem::path& path);
// RGB PNGs (alpha stripped) as 24-bit images, grey and palette PNGs as 8-bit images with their
// palette or a grey ramp; null for a damaged file.
DibImagePtr DibImage_LoadPng(const std::filesystem::path& path);

}  // namespace vx
