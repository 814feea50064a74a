// Print document MAP (kind 1): one hall map per page with the selected circles marked, or blank
// maps when the job prints no circles.
#pragma once

#include "print/HallMapDocument.h"

namespace vx {

class MapDocument final : public HallMapDocument {
 protected:
  int Kind() const override;
  const char* Name() const override { return "PrintDocument_Map1"; }
  std::string DataCheckText() const override;
  int LinesPerPage() const override { return 0; }
  int GroupingMode(const PrintJob&) const override;
  bool PrintsBlankMaps() const override { return true; }
  std::string PageTitle(const PrintJob& job, const MapPage& page) const override;
  MapPlacement Placement(const PrintJob& job, const MapPage& page) const override;
  int PlaceCircle(PrintJob& copy, const PrintRecord& record, int slot) override;
};

}  // namespace vx
