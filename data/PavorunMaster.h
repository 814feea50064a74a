// Base of the master tables (days, maps, areas, blocks, genres): an in-memory copy of the current
// event's rows, addressed by 1-based id (row position + 1 in id order), with a name index.
#pragma once

#include "data/PavorunTable.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vx {

// A rectangle on a hall map image.
struct PrintRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

// Twice `value`, held to the int range.
int DoubledValue(long long value);
// Twice every value: the high-resolution range that a row without one stands for.
PrintRect DoubledRect(const PrintRect& rect);

class PavorunMaster : public PavorunTable {
 public:
  using PavorunTable::PavorunTable;

  // Reads the current event's rows (optionally restricted by a program-built where clause) in id
  // order. More rows than counted beforehand end the statement aborted (4), keeping those read.
  virtual int Load(const std::string& where = {});
  void FreeRows();

  int Count() const { return rowCount_; }
  // Changes whenever the rows are dropped or reloaded, so that derived answers can be cached.
  unsigned Generation() const { return generation_; }
  // The row's name for 1 <= id <= Count(), else the empty text.
  virtual const std::string& GetRow(int id) const;
  // The id of the (last loaded) row with exactly this name; 0 when none.
  int FindIdByName(std::string_view name) const;
  virtual int FindIdByCode(int code) const;

 protected:
  virtual void AllocRows(int count) = 0;
  virtual void DropRows() = 0;
  virtual void AddRow(int position, int columnCount, char** columns) = 0;

  void RememberName(const std::string& name, int position);
  // "insert into <table> values(<event>,<id>," for the row's own values to follow.
  std::string StartInsert(int id) const;

  // Map and area rows hold from column `first` on a print range, a short-map file stem (at most
  // 11 bytes) and a hi-res print range. Tables older than the last two give `defaultStem` and
  // twice the print range; a row without a print range leaves all three as they are.
  static void ReadPrintColumns(int columnCount, char** columns, int first,
                               const std::string& defaultStem, PrintRect& print, std::string& stem,
                               PrintRect& hiResPrint);
  static void AppendPrintColumns(std::string& sql, const PrintRect& print, std::string_view stem,
                                 const PrintRect& hiResPrint);
  bool InRange(int id) const { return id >= 1 && id <= rowCount_; }
  static std::size_t Index(int id) { return static_cast<std::size_t>(id - 1); }
  static const std::string& EmptyText();

 private:
  int rowCount_ = 0;
  unsigned generation_ = 0;
  std::unordered_map<std::string, int> nameIndex_;
};

// A master keeping its rows as `Row` values, row position = id - 1.
template <class Row>
class PavorunRowMaster : public PavorunMaster {
 public:
  using PavorunMaster::PavorunMaster;

 protected:
  void AllocRows(int count) override { rows_.assign(static_cast<std::size_t>(count), Row{}); }
  void DropRows() override { rows_.clear(); }
  Row& RowAt(int position) { return rows_[static_cast<std::size_t>(position)]; }

  std::vector<Row> rows_;
};

}  // namespace vx
