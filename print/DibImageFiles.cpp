// BMP files: writing a page image, and reading a bitmap with headers checked against the file.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "platform/BoundedFileReader.h"
#include "print/DibImage.h"

namespace vx {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t ReadU32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Larger than any bitmap of the largest side; only a regular file is read, never a pipe.
constexpr std::uintmax_t kMaxBmpFileBytes =
    std::uintmax_t{4} * kDibMaxSide * kDibMaxSide + (std::uintmax_t{1} << 20);

bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
  try {
    std::string read;
    if (BoundedFileReader(kMaxBmpFileBytes).Read(path, read) != BoundedFileReader::Outcome::kRead) {
      return false;
    }
    bytes.assign(read.begin(), read.end());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// What the headers of a BMP file say, checked against each other and against the real size.
struct BmpLayout {
  DibHeader header;
  std::size_t paletteOffset = 0;
  std::size_t paletteBytes = 0;
  std::size_t pixelOffset = 0;
  std::size_t stride = 0;
  bool topDown = false;
};

bool ReadLayout(const std::vector<std::uint8_t>& file, BmpLayout& layout) {
  if (file.size() < kFileHeaderSize + sizeof(DibHeader)) return false;
  if (file[0] != 'B' || file[1] != 'M' || ReadU32(&file[6]) != 0) return false;
  DibHeader& h = layout.header;
  std::memcpy(&h, &file[kFileHeaderSize], sizeof h);
  const bool knownDepth = h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 ||
                          h.bitCount == 16 || h.bitCount == 24 || h.bitCount == 32;
  if (h.size < sizeof(DibHeader) || h.size > file.size() - kFileHeaderSize || h.planes != 1 ||
      !knownDepth || h.compression != 0 || h.width < 1 || h.width > kDibMaxSide || h.height == 0 ||
      h.height < -kDibMaxSide || h.height > kDibMaxSide) {
    return false;
  }
  const std::uint32_t maxColors = h.bitCount <= 8 ? 1u << h.bitCount : 0;
  if (maxColors != 0 && h.clrUsed > maxColors) return false;
  layout.paletteOffset = kFileHeaderSize + h.size;
  layout.paletteBytes = maxColors == 0 ? 0 : 4 * std::size_t{h.clrUsed ? h.clrUsed : maxColors};
  layout.pixelOffset = ReadU32(&file[10]);
  layout.stride = (static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32 * 4;
  layout.topDown = h.height < 0;
  const std::size_t rows = static_cast<std::size_t>(layout.topDown ? -h.height : h.height);
  // The file-size field is not trusted: the pixels must lie inside the bytes really read.
  return layout.pixelOffset >= layout.paletteOffset + layout.paletteBytes &&
         layout.pixelOffset <= file.size() &&
         (file.size() - layout.pixelOffset) / layout.stride >= rows;
}

}  // namespace

DibImagePtr DibImage_LoadBmp(const std::filesystem::path& path) {
  std::vector<std::uint8_t> file;
  BmpLayout layout;
  if (!ReadWholeFile(path, file) || !ReadLayout(file, layout)) return nullptr;
  DibHeader header = layout.header;
  const int rows = std::abs(header.height);
  header.size = sizeof(DibHeader);
  header.height = rows;
  try {
    auto image = std::make_unique<DibImage>();
    image->block.resize(sizeof header + layout.paletteBytes + layout.stride * rows);
    std::uint8_t* out = image->block.data();
    std::memcpy(out, &header, sizeof header);
    std::memcpy(out + sizeof header, &file[layout.paletteOffset], layout.paletteBytes);
    std::uint8_t* bits = out + sizeof header + layout.paletteBytes;
    for (int r = 0; r < rows; ++r) {
      const int stored = layout.topDown ? rows - 1 - r : r;  // bottom-up in the image
      std::memcpy(bits + layout.stride * r, &file[layout.pixelOffset + layout.stride * stored],
                  layout.stride);
    }
    return image;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

int DibImage_SaveBmp(const DibImage* image, const std::filesystem::path& path) {
  if (image == nullptr) return 0;
  const std::size_t headerAndPalette = sizeof(DibHeader) + DibImage_PaletteBytes(*image);
  const std::size_t pixels =
      static_cast<std::size_t>(DibImage_Stride(*image)) * std::abs(DibImage_Height(*image));
  if (image->block.size() < headerAndPalette + pixels) return -3;
  std::uint8_t fileHeader[kFileHeaderSize] = {'B', 'M'};
  PutU32(fileHeader + 2, static_cast<std::uint32_t>(kFileHeaderSize + headerAndPalette + pixels));
  PutU32(fileHeader + 10, static_cast<std::uint32_t>(kFileHeaderSize + headerAndPalette));
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return -1;
  int result = 0;
  if (std::fwrite(fileHeader, 1, sizeof fileHeader, file) != sizeof fileHeader) {
    result = -2;
  } else if (std::fwrite(image->block.data(), 1, headerAndPalette + pixels, file) !=
             headerAndPalette + pixels) {
    result = -3;
  }
  if (std::fclose(file) != 0 && result == 0) result = -4;
  return result;
}

}  // namespace vx
