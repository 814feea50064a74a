// Reads a regular file from its start; the file stays open for the reader's lifetime. Anything
// else (a pipe, a device, a folder) is not opened.
#pragma once

#include <cstdio>
#include <filesystem>

#include "data/images/Reader.h"

namespace vx {

class FileReader : public Reader {
 public:
  explicit FileReader(const std::filesystem::path& path);
  ~FileReader() override;
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  std::size_t Read(void* buffer, std::size_t count) override;

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace vx
