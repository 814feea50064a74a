// The checks a row of a disc or update text file passes before its fields are believed. A last
// row without a line end that is shorter than the file's own rows is a file cut short: refused
// whole. Text that is not CP932, a wrong number of fields or a number column without a number
// leave the line out. The file's rows say how long a whole row is: an older file without the last
// columns is no cut.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string_view>

namespace vx {

struct ImportStatus;
class TextLineReader;

class DiscRowCheck {
 public:
  // Whether `line` (line `lineNumber` of its file) is a row to take, with `numbers` among its
  // `columns`; a refused file or a line left out is recorded in `status`. `maxFields` is a whole
  // row's field count.
  bool Accept(const TextLineReader& reader, std::string_view line, int lineNumber,
              std::size_t minFields, std::size_t maxFields,
              std::span<const std::string_view> columns, std::initializer_list<std::size_t> numbers,
              ImportStatus& status);

 private:
  // How many fields short of a whole row the file's rows have come, at most.
  std::size_t rowShortfall_ = 0;
};

}  // namespace vx
