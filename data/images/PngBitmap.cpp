#include "data/images/PngBitmap.h"

#include <png.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <bit>
#include <csetjmp>
#include <new>
#include <vector>

#include "data/images/FileReader.h"
#include "data/images/OctetReader.h"

// Format_ARGB32 is B, G, R, A in memory only on little-endian machines.
static_assert(std::endian::native == std::endian::little);

namespace vx {
namespace {

enum class DecodeOutcome { kDecoded, kNotPng, kFailed };

constexpr std::size_t kSignatureBytes = 8;
constexpr png_uint_32 kMaxAncillaryChunks = 16;
constexpr png_alloc_size_t kMaxChunkAllocation = 1u << 20;

// The libpng structures of one decode and what they fill; freed however the decode ends.
struct PngDecode {
  explicit PngDecode(PictureLimits l) : limits(l) {}
  PictureLimits limits;
  png_structp png = nullptr;
  png_infop info = nullptr;
  bool hasAlpha = false;
  QImage image;
  std::vector<png_bytep> rows;

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
void SetUpTransforms(PngDecode& d) {
  const int colorType = png_get_color_type(d.png, d.info);
  const int bitDepth = png_get_bit_depth(d.png, d.info);
  d.hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0;
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(d.png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(d.png);
  if (png_get_valid(d.png, d.info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(d.png);
    d.hasAlpha = true;
  }
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(d.png);
  }
  if (bitDepth == 16) png_set_strip_16(d.png);
  png_set_bgr(d.png);
  png_set_filler(d.png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(d.png);
  png_read_update_info(d.png, d.info);
}

// The picture and one row pointer per row; false when it is too large or memory runs out.
bool AllocatePicture(PngDecode& d) {
  const std::uint32_t width = png_get_image_width(d.png, d.info);
  const std::uint32_t height = png_get_image_height(d.png, d.info);
  if (std::uint64_t{width} * height > d.limits.maxPixels) return false;
  if (png_get_rowbytes(d.png, d.info) != std::size_t{width} * 4) return false;
  d.image = QImage(static_cast<int>(width), static_cast<int>(height),
                   d.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (d.image.isNull()) return false;
  try {
    d.rows.resize(height);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::uint32_t y = 0; y < height; ++y) d.rows[y] = d.image.scanLine(static_cast<int>(y));
  return true;
}

// libpng errors jump back here; nothing with a destructor lives in the frames they skip.
bool RunDecode(PngDecode& d) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_read_info(d.png, d.info);
  SetUpTransforms(d);
  if (!AllocatePicture(d)) return false;
  png_read_image(d.png, d.rows.data());
  png_read_end(d.png, nullptr);
  return true;
}

DecodeOutcome Decode(Reader& reader, const PictureLimits& limits, QImage& picture) {
  if (!HasPngSignature(reader)) return DecodeOutcome::kNotPng;
  PngDecode d(limits);
  if (!CreateReadStructs(d, reader) || !RunDecode(d)) return DecodeOutcome::kFailed;
  picture = std::move(d.image);
  return DecodeOutcome::kDecoded;
}

bool Fits(const QSize& size, const PictureLimits& limits) {
  return size.width() > 0 && size.height() > 0 &&
         static_cast<std::uint32_t>(size.width()) <= limits.maxSide &&
         static_cast<std::uint32_t>(size.height()) <= limits.maxSide &&
         std::uint64_t(size.width()) * std::uint64_t(size.height()) <= limits.maxPixels;
}

// Other formats through Qt's readers, in the same 32-bit layout as decoded PNGs. The size is
// checked from the header first; formats that cannot tell it are held by Qt's own allocation
// limit.
QImage ReadWithQt(QIODevice& device, const PictureLimits& limits) {
  QImageReader reader(&device);
  const QSize declared = reader.size();
  if (declared.isValid() && !Fits(declared, limits)) return {};
  const QImage image = reader.read();
  if (image.isNull() || !Fits(image.size(), limits)) return {};
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                       : QImage::Format_RGB32);
}

}  // namespace

QImage DecodePng(Reader& reader, const PictureLimits& limits) {
  QImage picture;
  Decode(reader, limits, picture);
  return picture;
}

QImage LoadImageFile(const std::filesystem::path& path, const PictureLimits& limits) {
  FileReader reader(path);
  if (!reader.IsOpen()) return {};
  QImage picture;
  switch (Decode(reader, limits, picture)) {
    case DecodeOutcome::kDecoded:
      return picture;
    case DecodeOutcome::kNotPng: {
      QFile file(QFile::decodeName(path.c_str()));
      if (!file.open(QIODevice::ReadOnly)) return {};
      return ReadWithQt(file, limits);
    }
    case DecodeOutcome::kFailed:
      break;
  }
  return {};
}

QImage LoadImageFromMemory(std::string_view bytes, const PictureLimits& limits) {
  OctetReader reader(bytes);
  QImage picture;
  switch (Decode(reader, limits, picture)) {
    case DecodeOutcome::kDecoded:
      return picture;
    case DecodeOutcome::kNotPng: {
      QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
      QBuffer buffer(&data);
      if (!buffer.open(QIODevice::ReadOnly)) return {};
      return ReadWithQt(buffer, limits);
    }
    case DecodeOutcome::kFailed:
      break;
  }
  return {};
}

}  // namespace vx
