#include "data/SqlRow.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>

namespace vx {

int SqlRow::ColumnCount() const { return sqlite3_data_count(statement_); }

int SqlRow::Int(int i) const {
  if (i < 0 || i >= ColumnCount()) return 0;
  const sqlite3_int64 value = sqlite3_column_int64(statement_, i);
  return static_cast<int>(std::clamp<sqlite3_int64>(value, INT_MIN, INT_MAX));
}

std::string_view SqlRow::Text(int i) const {
  if (i < 0 || i >= ColumnCount()) return {};
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, i));
  if (text == nullptr) return {};
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, i))};
}

}  // namespace vx
