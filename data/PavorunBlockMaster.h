// The blocks of the current event: a two-byte name and the area holding the block.
#pragma once

#include "data/PavorunMaster.h"

#include <string>
#include <string_view>

namespace vx {

struct BlockRow {
  std::string name;  // at most 3 bytes
  int areaId = 0;
};

class PavorunBlockMaster : public PavorunRowMaster<BlockRow> {
 public:
  using PavorunRowMaster::PavorunRowMaster;

  const char* TableName() const override { return "PavorunBlock"; }
  const std::string& CreateText() const override;

  const std::string& GetRow(int id) const override;
  int GetAreaId(int id) const;
  // Appends the ids of the blocks of `areaId`, in row order, separated by ",".
  void AppendBlockIdsOfArea(std::string& text, int areaId) const;

  int InsertRow(int id, std::string_view name, int areaId);

 protected:
  void AddRow(int position, int columnCount, char** columns) override;
};

}  // namespace vx
