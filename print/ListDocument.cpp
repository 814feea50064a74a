#include "print/ListDocument.h"

#include "platform/CodePage.h"
#include "print/ColumnListRenderer.h"
#include "print/PrintJob.h"

namespace vx {

int ListDocument::Kind() const { return kDocumentList; }

std::string ListDocument::DataCheckText() const {
  return Sjis("このお気に入りデータには対応していません(3)");
}

int ListDocument::DrawHeaders(PrintJob& copy) {
  const ListGrid grid = Grid();
  for (int column = 0; column < grid.across; ++column) {
    if (List1_PaintColumnData_BMP(copy, grid, {column, -1, nullptr, -1, 0}, Draws()) != 0) {
      return -1;
    }
  }
  return 0;
}

int ListDocument::DrawEntry(PrintJob& copy, int slot, const PrintRecord& record) {
  const ListGrid grid = Grid();
  return List1_PaintColumnData_BMP(
      copy, grid, {slot / grid.down, slot % grid.down, &record, slot, selected_}, Draws());
}

int ListDocument::DrawEmptySlot(PrintJob& copy, int slot) {
  const ListGrid grid = Grid();
  return List1_PaintColumnData_BMP(copy, grid,
                                   {slot / grid.down, slot % grid.down, nullptr, slot, 0}, Draws());
}

}  // namespace vx
