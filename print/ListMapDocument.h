// Print documents LISTMAP (kind 2) and LISTMAP2 (kind 3): a hall map with the page's circles
// listed beside it, as rows of columns (LISTMAP) or as boxes with cuts (LISTMAP2), each joined
// to its desk by a line. A page ends when its list is full, though the hall goes on.
#pragma once

#include "print/HallMapDocument.h"
#include "print/ListGrid.h"

namespace vx {

class ListMapDocument final : public HallMapDocument {
 public:
  explicit ListMapDocument(bool boxes) : boxes_(boxes) {}

 protected:
  int Kind() const override;
  // Both forms report under the first one's name.
  const char* Name() const override { return "PrintDocument_Map2"; }
  std::string DataCheckText() const override;
  int LinesPerPage() const override { return GridOf(1).Cells(); }
  int GroupingMode(const PrintJob& job) const override;
  int SlotsPerPage(int pass) const override { return GridOf(pass).Cells(); }
  std::string PageTitle(const PrintJob& job, const MapPage& page) const override;
  MapPlacement Placement(const PrintJob& job, const MapPage& page) const override;
  int BeginPageBody(PrintJob& copy, const MapPage& page) override;
  int PlaceCircle(PrintJob& copy, const PrintRecord& record, int slot) override;
  int EndPageBody(PrintJob& copy, int slot) override;

 private:
  // The list beside the hall group's map (pass 1) or the hall entry's part (pass 2).
  ListGrid GridOf(int pass) const;
  // The cell of `slot` on the page and its column.
  DibRect CellOf(const PrintJob& job, int slot, int& column) const;
  int AddLeaderLine(const PrintJob& copy, const PrintRecord& record, int slot);

  bool boxes_;
};

}  // namespace vx
