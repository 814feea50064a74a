// The circles a list control shows, in row order.
#pragma once

#include <vector>

#include "ui/list/ListControl.h"

namespace vxtest {

inline std::vector<int> ListedIds(const vx::ListControl* list) {
  std::vector<int> ids;
  for (int row = 0; row < list->Model().RowCount(); ++row) {
    ids.push_back(list->Model().Row(row).record.circleId);
  }
  return ids;
}

}  // namespace vxtest
