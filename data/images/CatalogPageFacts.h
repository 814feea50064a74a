// What a composed page asks of the catalogue (day dates and weekdays, hall and block names, the
// highest space of each block on each day, the errata pictures of empty desks), copied from the
// database in one go for one event. Composing a page then never touches the database, so print
// workers and the views may compose at the same time while the UI thread goes on querying.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/images/PageQueries.h"

namespace vx {

class PavorunDatabase;

class CatalogPageFacts : public PageQueries {
 public:
  // The facts of the database's current event: masters and circle statistics as selecting the
  // event loaded them, plus one query over its errata rows. Runs on the connection's own thread.
  static std::shared_ptr<const CatalogPageFacts> Read(PavorunDatabase& database);

  int GetEventNo() const { return event_; }

  // The answers PavorunDatabase gives for the same event.
  int GetDateOfDay(int day) const override;
  int GetWeekdayOfDay(int day) const override;
  std::string GetAreaNameOfBlock(int blockId) const override;
  std::string GetBlockName(int blockId) const override;
  int GetMaxSpaceNo(int day, int blockId) const override;
  int GetJikoNo(int day, int blockId, int spaceNo, int spaceNoSub) const override;

 private:
  struct Day {
    int dayOfMonth = 0;
    int weekday = 0;
  };
  struct Block {
    std::string name;
    std::string areaName;
  };

  static std::uint64_t DeskKey(int day, int blockId);
  void ReadMaxSpaces(PavorunDatabase& database);
  void ReadErrata(PavorunDatabase& database);

  int event_ = 0;
  std::vector<Day> days_;                             // day d at d - 1
  std::vector<Block> blocks_;                         // block id b at b - 1
  std::unordered_map<std::uint64_t, int> maxSpaces_;  // DeskKey(day, block)
  // (day, block) -> (spaceNo, spaceNoSub) -> errata picture
  std::unordered_map<std::uint64_t, std::unordered_map<std::uint64_t, int>> errata_;
};

}  // namespace vx
