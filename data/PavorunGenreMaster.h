// The genres of the current event: name and the disc's genre code.
#pragma once

#include "data/PavorunMaster.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace vx {

struct GenreRow {
  std::string name;  // at most 41 bytes
  int code = 0;
};

class PavorunGenreMaster : public PavorunRowMaster<GenreRow> {
 public:
  using PavorunRowMaster::PavorunRowMaster;

  const char* TableName() const override { return "PavorunGenre"; }
  const std::string& CreateText() const override;

  const std::string& GetRow(int id) const override;
  int GetCode(int id) const;
  int FindIdByCode(int code) const override;

  int InsertRow(int id, std::string_view name, int code);

 protected:
  void DropRows() override;
  void AddRow(int position, int columnCount, char** columns) override;

 private:
  std::unordered_map<int, int> codeIndex_;
};

}  // namespace vx
