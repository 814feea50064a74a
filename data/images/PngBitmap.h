// Catalogue pictures decoded into 32-bit rows of B, G, R, A bytes, top row first
// (QImage::Format_ARGB32, or Format_RGB32 with A = 0xFF when the picture has no transparency).
// Pictures are values: a QImage owns its pixels and copies share them until written.
#pragma once

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "data/images/Reader.h"

namespace vx {

// Pictures larger than this on a side, or with more pixels in all, are refused.
constexpr std::uint32_t kMaxPictureSide = 20000;
constexpr std::uint64_t kMaxPicturePixels = 80'000'000;

// The PNG read from `reader`; a null picture when the bytes are not a PNG, are damaged or
// truncated, or the picture is too large to hold.
QImage DecodePng(Reader& reader);

// The picture in a file or a memory block: PNG through DecodePng; bytes that are not PNG (JPEG,
// GIF, ...) through Qt's image readers. A null picture when nothing could be decoded.
QImage LoadImageFile(const std::filesystem::path& path);
QImage LoadImageFromMemory(std::string_view bytes);

}  // namespace vx
