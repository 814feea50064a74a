#include "print/PdfFileCheck.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string>
#include <string_view>

namespace vx {
namespace {

constexpr std::streamoff kTailBytes = 64;  // "startxref\n<offset>\n%%EOF\n" with room to spare

std::string ReadAt(std::ifstream& in, std::streamoff offset, std::streamoff count) {
  std::string bytes(static_cast<std::size_t>(count), '\0');
  in.seekg(offset);
  in.read(bytes.data(), count);
  bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
  in.clear();
  return bytes;
}

// The offset that "startxref" gives at the end of `tail`, or -1.
long long TableOffset(std::string_view tail) {
  tail = tail.substr(0, tail.find_last_not_of("\r\n ") + 1);
  constexpr std::string_view kEnd = "%%EOF";
  constexpr std::string_view kStart = "startxref";
  const std::size_t start = tail.rfind(kStart);
  if (!tail.ends_with(kEnd) || start == std::string_view::npos) return -1;
  std::string_view number = tail.substr(start + kStart.size());
  number.remove_prefix(std::min(number.find_first_not_of("\r\n "), number.size()));
  long long offset = -1;
  std::from_chars(number.data(), number.data() + number.size(), offset);
  return offset;
}

}  // namespace

bool PdfFileIsComplete(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  const std::streamoff from = std::max<std::streamoff>(0, size - kTailBytes);
  const long long table = TableOffset(ReadAt(in, from, size - from));
  return table >= 0 && table < size && ReadAt(in, table, 4) == "xref";
}

}  // namespace vx
