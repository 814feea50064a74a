#include "print/MapDocument.h"

#include "platform/CodePage.h"
#include "print/HallMapRenderer.h"
#include "print/PageTitles.h"
#include "print/PrintEngineState.h"

namespace vx {

int MapDocument::Kind() const { return kDocumentMap; }

std::string MapDocument::DataCheckText() const {
  return Sjis("このお気に入りデータには対応していません");
}

int MapDocument::GroupingMode(const PrintJob&) const { return kTitleHall; }

// A map page's title never counts pages.
std::string MapDocument::PageTitle(const PrintJob&, const MapPage& page) const {
  return Title(kTitleHall, page.day, page.group, page.name, {}, false, false);
}

MapPlacement MapDocument::Placement(const PrintJob& job, const MapPage& page) const {
  const PrintLayout& l = PrintEngine_State().layout;
  MapAlign horizontal = MapAlign::kCentre;
  MapAlign vertical = MapAlign::kCentre;
  MapPlacement_AlignOf(job.mapPosition, horizontal, vertical);
  const DibRect part{page.part.x, page.part.y, page.part.w, page.part.h};
  return MapPlacement_Fit(part, page.pass == 1 ? l.mapRect : l.hallRect, horizontal, vertical);
}

int MapDocument::PlaceCircle(PrintJob& copy, const PrintRecord& record, int) {
  return MapHall_PaintCircle(record, copy, Draws());
}

}  // namespace vx
