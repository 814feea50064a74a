// The questions of a composed page answered by live queries on the catalogue database's current
// event: on the database's thread only. Pages are composed from CatalogPageFacts, the copy.
#pragma once

#include "data/PavorunDatabase.h"
#include "data/images/PageQueries.h"

namespace vx {

class DatabasePageQueries : public PageQueries {
 public:
  explicit DatabasePageQueries(PavorunDatabase& database) : database_(database) {}

  int GetDateOfDay(int day) const override { return database_.GetDateOfDay(day); }
  int GetWeekdayOfDay(int day) const override { return database_.GetWeekdayOfDay(day); }
  std::string GetAreaNameOfBlock(int blockId) const override {
    return database_.GetAreaNameOfBlock(blockId);
  }
  std::string GetBlockName(int blockId) const override { return database_.GetBlockName(blockId); }
  int GetMaxSpaceNo(int day, int blockId) const override {
    return database_.GetMaxSpaceNo(day, blockId);
  }
  int GetJikoNo(int day, int blockId, int spaceNo, int spaceNoSub) const override {
    return database_.GetJikoNo(day, blockId, spaceNo, spaceNoSub);
  }

 private:
  PavorunDatabase& database_;
};

}  // namespace vx
