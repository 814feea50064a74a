#include "data/images/FileReader.h"

namespace vx {

FileReader::FileReader(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "rb")) {}

FileReader::~FileReader() {
  if (file_) std::fclose(file_);
}

std::size_t FileReader::Read(void* buffer, std::size_t count) {
  if (!file_ || count == 0) return 0;
  return std::fread(buffer, 1, count, file_);
}

}  // namespace vx
