// The catalogue questions a composed cut page asks: the caption's date, weekday, hall and block
// names, and which empty desks show an errata picture.
#pragma once

#include <string>

namespace vx {

class PageQueries {
 public:
  virtual ~PageQueries() = default;
  virtual int GetDateOfDay(int day) const = 0;     // day of the month
  virtual int GetWeekdayOfDay(int day) const = 0;  // 0 not placed, 1 Sunday .. 7 Saturday
  virtual std::string GetAreaNameOfBlock(int blockId) const = 0;  // CP932
  virtual std::string GetBlockName(int blockId) const = 0;        // CP932
  virtual int GetMaxSpaceNo(int day, int blockId) const = 0;      // 0 when none
  // The errata picture number of a desk half, -1 when it has none.
  virtual int GetJikoNo(int day, int blockId, int spaceNo, int spaceNoSub) const = 0;
};

}  // namespace vx
