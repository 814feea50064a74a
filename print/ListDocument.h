// Print document LIST (kind 4): one row of columns per circle.
#pragma once

#include "print/GridListDocument.h"

namespace vx {

class ListDocument final : public GridListDocument {
 protected:
  int Kind() const override;
  const char* Name() const override { return "PrintDocument_Lst1"; }
  std::string DataCheckText() const override;
  int DrawHeaders(PrintJob& copy) override;
  int DrawEntry(PrintJob& copy, int slot, const PrintRecord& record) override;
  int DrawEmptySlot(PrintJob& copy, int slot) override;
};

}  // namespace vx
