// Print document CIRCLELIST (kind 5): one box-list cell per circle, with its cut.
#pragma once

#include "print/GridListDocument.h"

namespace vx {

class CircleListDocument final : public GridListDocument {
 protected:
  int Kind() const override;
  const char* Name() const override { return "PrintDocument_Lst2"; }
  std::string DataCheckText() const override;
  // Box lists have no column headers and leave empty slots blank.
  int DrawHeaders(PrintJob&) override { return 0; }
  int DrawEntry(PrintJob& copy, int slot, const PrintRecord& record) override;
  int DrawEmptySlot(PrintJob&, int) override { return 0; }
};

}  // namespace vx
