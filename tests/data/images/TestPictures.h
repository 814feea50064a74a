// PNG files put together byte by byte (rows unfiltered), so that every colour type the decoder
// meets is covered without binary test data.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vxtest {

inline std::string Be32(std::uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
  return Be32(std::uint32_t(data.size())) + body + Be32(std::uint32_t(crc));
}

// `chunks` (PLTE, tRNS) go before the picture data; interlaced `rows` are those of the passes.
inline std::string Png(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType,
                       const std::vector<std::string>& rows, const std::string& chunks = "",
                       bool interlaced = false) {
  std::string raw;
  for (const std::string& row : rows) raw += '\0' + row;
  uLongf size = compressBound(uLong(raw.size()));
  std::string data(size, '\0');
  compress(reinterpret_cast<Bytef*>(data.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
           uLong(raw.size()));
  data.resize(size);
  const std::string header = Be32(width) + Be32(height) + char(bitDepth) + char(colourType) + '\0' +
                             '\0' + char(interlaced);
  return "\x89PNG\r\n\x1A\n" + PngChunk("IHDR", header) + chunks + PngChunk("IDAT", data) +
         PngChunk("IEND", "");
}

}  // namespace vxtest
