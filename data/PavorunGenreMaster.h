// The genres of the current event: name and the disc's genre code.
#pragma once

#include "data/PavorunMaster.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vx {

struct GenreRow {
  std::string name;  // at most 41 bytes
  int code = 0;
};

class PavorunGenreMaster : public PavorunMaster {
 public:
  using PavorunMaster::PavorunMaster;

  const char* TableName() const override { return "PavorunGenre"; }
  const std::string& CreateText() const override;

  const std::string& GetRow(int id) const override;
  int GetCode(int id) const;
  int FindIdByCode(int code) const override;

  int InsertRow(int id, std::string_view name, int code);

 protected:
  void AllocRows(int count) override { rows_.assign(static_cast<std::size_t>(count), {}); }
  void DropRows() override;
  void AddRow(int position, int columnCount, char** columns) override;

 private:
  std::vector<GenreRow> rows_;
  std::unordered_map<int, int> codeIndex_;
};

}  // namespace vx
