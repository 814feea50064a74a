// The hall map of the running map document: the map of one (hall group, day) pair as loaded
// (with its genre layer mixed in), the working copy the page's circles are painted on, and the
// desk painted last.
#pragma once

#include <memory>

#include "checklist/FavoriteColor.h"
#include "print/DibImage.h"

namespace vx {

struct HallMapCache {
  int hallGroup = 0;  // 0: nothing loaded
  int day = 0;
  std::shared_ptr<DibImage> loaded;
  DibImagePtr working;
  // The desk painted last (whole desks only): two circles of one desk share it.
  bool lastDeskValid = false;
  int lastDeskX = 0;
  int lastDeskY = 0;
  ColorRef lastDeskColor = 0;
};

}  // namespace vx
