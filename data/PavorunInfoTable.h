// The event information table: one row per event with its name and image geometry.
#pragma once

#include "data/EventInfo.h"
#include "data/PavorunTable.h"

#include <string>

namespace vx {

class PavorunInfoTable : public PavorunTable {
 public:
  using PavorunTable::PavorunTable;

  const char* TableName() const override { return "PavorunInfo"; }
  const std::string& CreateText() const override;

  // Fills `info` from the current event's row; without a row `info` keeps what it held.
  int ReadEventInfo(EventInfo& info);
  int InsertRow(const EventInfo& info);
};

}  // namespace vx
