// The checklist store as the catalogue sees it: memos by circle id.
#pragma once

#include "data/CircleMemoLookup.h"
#include "data/CircleRecord.h"

#include <functional>
#include <map>
#include <string>

namespace vxtest {

class FakeMemoStore : public vx::CircleMemoLookup {
 public:
  void Add(int id, const std::string& memo) {
    records_[id].id = id;
    records_[id].memo = memo;
    records_[id].circleName = "stored" + std::to_string(id);
  }
  const vx::CircleRecord* FindCircle(int circleId) const override {
    if (onFind) onFind();
    const auto found = records_.find(circleId);
    return found == records_.end() ? nullptr : &found->second;
  }
  std::function<void()> onFind;  // getMemo calls FindCircle for every row it looks at

 private:
  std::map<int, vx::CircleRecord> records_;
};

}  // namespace vxtest
