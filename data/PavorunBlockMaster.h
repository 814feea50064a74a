// The blocks of the current event: a two-byte name and the area holding the block.
#pragma once

#include "data/PavorunMaster.h"

#include <string>
#include <string_view>
#include <vector>

namespace vx {

struct BlockRow {
  std::string name;  // at most 3 bytes
  int areaId = 0;
};

class PavorunBlockMaster : public PavorunMaster {
 public:
  using PavorunMaster::PavorunMaster;

  const char* TableName() const override { return "PavorunBlock"; }
  const std::string& CreateText() const override;

  const std::string& GetRow(int id) const override;
  int GetAreaId(int id) const;
  // Appends the ids of the blocks of `areaId`, in row order, separated by ",".
  void AppendBlockIdsOfArea(std::string& text, int areaId) const;

  int InsertRow(int id, std::string_view name, int areaId);

 protected:
  void AllocRows(int count) override { rows_.assign(static_cast<std::size_t>(count), {}); }
  void DropRows() override { rows_.clear(); }
  void AddRow(int position, int columnCount, char** columns) override;

 private:
  std::vector<BlockRow> rows_;
};

}  // namespace vx
