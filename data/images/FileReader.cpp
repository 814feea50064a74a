#include "data/images/FileReader.h"

#include <cstdint>

#include "platform/BoundedFileReader.h"

namespace vx {
namespace {

// Opened without waiting on a pipe's writer, and only as a regular file: a pipe or a device would
// hold the reads.
std::FILE* OpenRegularFile(const std::filesystem::path& path) {
  BoundedFileReader::Outcome outcome{};
  return BoundedFileReader(UINTMAX_MAX).OpenStream(path, outcome);
}

}  // namespace

FileReader::FileReader(const std::filesystem::path& path) : file_(OpenRegularFile(path)) {}

FileReader::~FileReader() {
  if (file_) std::fclose(file_);
}

std::size_t FileReader::Read(void* buffer, std::size_t count) {
  if (!file_ || count == 0) return 0;
  return std::fread(buffer, 1, count, file_);
}

}  // namespace vx
