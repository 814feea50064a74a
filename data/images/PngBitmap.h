// Catalogue pictures decoded into 32-bit rows of B, G, R, A bytes, top row first
// (QImage::Format_ARGB32, or Format_RGB32 with A = 0xFF when the picture has no transparency).
// Pictures are values: a QImage owns its pixels and copies share them until written.
#pragma once

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "data/images/PngDecoder.h"

namespace vx {

// Page files, hall maps, covers and block titles: a few thousand pixels a side.
constexpr std::uint32_t kMaxPictureSide = 8192;
constexpr std::uint64_t kMaxPicturePixels = 32u << 20;  // 128 MB of 32-bit pixels
constexpr PictureLimits kPictureLimits{kMaxPictureSide, kMaxPicturePixels};
// One circle's cut: a sixth of a page's width.
constexpr std::uint32_t kMaxCutSide = 1024;
constexpr PictureLimits kCutPictureLimits{kMaxCutSide, std::uint64_t{kMaxCutSide} * kMaxCutSide};

// The PNG read from `reader`; a null picture when the bytes are not a PNG, are damaged or
// truncated, or the picture is beyond `limits`. Ancillary chunks other than tRNS are skipped
// unread, so a picture costs what its pixels cost.
QImage DecodePng(Reader& reader, const PictureLimits& limits = kPictureLimits);

// The picture in a file or a memory block: PNG through DecodePng; bytes that are not PNG (JPEG,
// GIF, ...) through Qt's image readers. A null picture when nothing could be decoded or the
// picture is beyond `limits`.
QImage LoadImageFile(const std::filesystem::path& path,
                     const PictureLimits& limits = kPictureLimits);
QImage LoadImageFromMemory(std::string_view bytes, const PictureLimits& limits = kPictureLimits);

}  // namespace vx
