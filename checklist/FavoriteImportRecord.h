// One row of a checklist load or portal import that waits to be committed: what the file says of a
// circle, and the catalogue circle proposed for it (if any).
#pragma once

#include "checklist/ImportRowTexts.h"

namespace vx {

// What a row does when committed.
enum ImportAction : int {
  kImportRegister = 1,         // check the candidate circle
  kImportRegisterUnknown = 2,  // add the file's circle as a circle the catalogue does not hold
  kImportSkip = 3,
};

struct FavoriteImportRecord {
  // 0 for a row standing alone; the first row of a group of n candidates holds n + 1 (the
  // candidates and the closing skip row), every other row of the group 1.
  int groupRows = 0;
  int action = kImportSkip;
  int color = 0;         // the colour number the source gives the circle
  int circleId = 0;      // the candidate; 0 when there is none
  ImportRowTexts texts;  // CP932
};

}  // namespace vx
