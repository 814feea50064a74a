// The days of the current event (day 1 is the first day).
#pragma once

#include "data/PavorunMaster.h"

#include <string>

namespace vx {

struct DateRow {
  int year = 0;
  int month = 0;
  int day = 0;
  int weekday = 0;  // 1 Sunday .. 7 Saturday; 0 the pseudo-day of circles not placed
};

class PavorunDateMaster : public PavorunRowMaster<DateRow> {
 public:
  using PavorunRowMaster::PavorunRowMaster;

  const char* TableName() const override { return "PavorunDate"; }
  const std::string& CreateText() const override;

  // Out of range both answer the id itself.
  int GetDayOfMonth(int id) const;
  int GetWeekday(int id) const;
  // The id of the first day on that weekday; 0 when none.
  int FindDayByWeekday(int weekday) const;

  int InsertRow(int id, int year, int month, int day, int weekday);

 protected:
  void AddRow(int position, int columnCount, char** columns) override;
};

}  // namespace vx
