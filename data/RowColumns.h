// Reading the column texts that SQLite hands to a row callback. A column beyond the row, or a
// NULL value, reads as 0 or the empty text.
#pragma once

#include <climits>
#include <cstdlib>
#include <string>

namespace vx {

inline const char* ColumnText(int columnCount, char** columns, int i) {
  if (columns == nullptr || i < 0 || i >= columnCount) return nullptr;
  return columns[i];
}

// Leading decimal number of the column (as atoi reads it), clamped to the int range.
inline int ColumnInt(int columnCount, char** columns, int i) {
  const char* text = ColumnText(columnCount, columns, i);
  if (text == nullptr) return 0;
  const long long value = std::strtoll(text, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

inline std::string ColumnString(int columnCount, char** columns, int i) {
  const char* text = ColumnText(columnCount, columns, i);
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace vx
