#include "data/images/PngDecoder.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <new>

namespace vx {
namespace {

constexpr std::size_t kSignatureBytes = 8;
constexpr png_uint_32 kMaxAncillaryChunks = 16;
constexpr png_alloc_size_t kMaxChunkAllocation = 1u << 20;

// The libpng structures of one decode; freed however the decode ends.
struct PngDecode {
  PngDecode(const PictureLimits& l, PngPixelTarget& t) : limits(l), target(t) {}
  PictureLimits limits;
  PngPixelTarget& target;
  png_structp png = nullptr;
  png_infop info = nullptr;
  PngShape shape;
  int storedDepth = 0;
  std::vector<std::uint8_t*> rows;

  ~PngDecode() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

// A short read is an error: libpng would otherwise decode whatever the buffer held.
void ReadFromReader(png_structp png, png_bytep data, std::size_t length) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (reader->Read(data, length) != length) png_error(png, "unexpected end of data");
}

bool HasPngSignature(Reader& reader) {
  png_byte signature[kSignatureBytes];
  if (reader.Read(signature, kSignatureBytes) != kSignatureBytes) return false;
  return png_sig_cmp(signature, 0, kSignatureBytes) == 0;
}

bool CreateReadStructs(PngDecode& d, Reader& reader) {
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (!d.png) return false;
  d.info = png_create_info_struct(d.png);
  if (!d.info) return false;
  png_set_read_fn(d.png, &reader, ReadFromReader);
  png_set_sig_bytes(d.png, kSignatureBytes);
  png_set_user_limits(d.png, d.limits.maxSide, d.limits.maxSide);
  // Text, palettes of suggestions, profiles and the rest are never used: skipped unread, so a
  // chunk header declaring gigabytes costs nothing. Only the pixels cost memory.
  png_set_keep_unknown_chunks(d.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_chunk_cache_max(d.png, kMaxAncillaryChunks);
  png_set_chunk_malloc_max(d.png, kMaxChunkAllocation);
  return true;
}

// Every colour type and depth becomes 8-bit B, G, R and alpha or filler.
void SetUpBgra32(PngDecode& d) {
  const int colorType = png_get_color_type(d.png, d.info);
  d.shape.hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0;
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(d.png);
  if (colorType == PNG_COLOR_TYPE_GRAY && d.storedDepth < 8) png_set_expand_gray_1_2_4_to_8(d.png);
  if (png_get_valid(d.png, d.info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(d.png);
    d.shape.hasAlpha = true;
  }
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(d.png);
  }
  if (d.storedDepth == 16) png_set_strip_16(d.png);
  png_set_bgr(d.png);
  png_set_filler(d.png, 0xFF, PNG_FILLER_AFTER);
}

// The palette of an index picture: the file's own, or the grey levels of the depth it was stored
// in (a 1-bit grey picture is black and white, whatever depth its indices are widened to).
void FillStoredPalette(PngDecode& d) {
  auto& palette = d.shape.palette;
  if (png_get_color_type(d.png, d.info) == PNG_COLOR_TYPE_PALETTE) {
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(d.png, d.info, &entries, &count);
    for (int i = 0; i < std::min(count, 256); ++i) {
      palette.push_back({entries[i].blue, entries[i].green, entries[i].red});
    }
    return;
  }
  const int levels = 1 << std::min(d.storedDepth, 8);
  for (int i = 0; i < levels; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 255 / (levels - 1));
    palette.push_back({grey, grey, grey});
  }
}

// Colour pictures as B, G, R bytes without alpha; the others one index byte per pixel.
void SetUpStored(PngDecode& d) {
  const int colorType = png_get_color_type(d.png, d.info);
  d.shape.colour = (colorType & PNG_COLOR_MASK_COLOR) && colorType != PNG_COLOR_TYPE_PALETTE;
  if (colorType & PNG_COLOR_MASK_ALPHA) png_set_strip_alpha(d.png);
  if (d.storedDepth == 16) png_set_strip_16(d.png);
  if (d.storedDepth < 8) png_set_packing(d.png);
  if (d.shape.colour) png_set_bgr(d.png);
  if (!d.shape.colour) FillStoredPalette(d);
}

std::size_t BytesPerPixel(const PngDecode& d) {
  if (d.target.Layout() == PngLayout::kBgra32) return 4;
  return d.shape.colour ? 3 : 1;
}

// The target's rows; false when the picture is too large or the target refuses it.
bool AllocatePicture(PngDecode& d) {
  d.shape.width = png_get_image_width(d.png, d.info);
  d.shape.height = png_get_image_height(d.png, d.info);
  if (std::uint64_t{d.shape.width} * d.shape.height > d.limits.maxPixels) return false;
  if (png_get_rowbytes(d.png, d.info) != std::size_t{d.shape.width} * BytesPerPixel(d)) {
    return false;
  }
  try {
    return d.target.Allocate(d.shape, d.rows) && d.rows.size() == d.shape.height;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// libpng errors jump back here; nothing with a destructor lives in the frames they skip.
bool RunDecode(PngDecode& d) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_read_info(d.png, d.info);
  d.storedDepth = png_get_bit_depth(d.png, d.info);
  if (d.target.Layout() == PngLayout::kBgra32) {
    SetUpBgra32(d);
  } else {
    SetUpStored(d);
  }
  png_set_interlace_handling(d.png);
  png_read_update_info(d.png, d.info);
  if (!AllocatePicture(d)) return false;
  png_read_image(d.png, d.rows.data());
  png_read_end(d.png, nullptr);
  return true;
}

}  // namespace

PngDecodeResult DecodePng(Reader& reader, const PictureLimits& limits, PngPixelTarget& target) {
  if (!HasPngSignature(reader)) return PngDecodeResult::kNotPng;
  PngDecode d(limits, target);
  if (!CreateReadStructs(d, reader) || !RunDecode(d)) return PngDecodeResult::kFailed;
  return PngDecodeResult::kDecoded;
}

}  // namespace vx
