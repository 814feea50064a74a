// The errata table: the number of the errata image shown for a desk half.
#pragma once

#include "data/PavorunTable.h"

#include <string>

namespace vx {

class PavorunJikoTable : public PavorunTable {
 public:
  using PavorunTable::PavorunTable;

  const char* TableName() const override { return "PavorunJiko"; }
  const std::string& CreateText() const override;

  // The errata image number of that desk half; -1 when there is none or no database.
  int FindJikoNo(int day, int blockId, int spaceNo, int spaceNoSub);
  int InsertRow(int day, int blockId, int spaceNo, int spaceNoSub, int jikoNo);
};

}  // namespace vx
