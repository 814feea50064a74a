// The map documents: pages that show one hall map each, in two passes over the records: first
// one page (or more) per day and hall group, then per day and hall entry. The selected circles
// are marked on the map; MAP shows only the map, LISTMAP and LISTMAP2 also list the page's
// circles beside it with lines to their desks.
#pragma once

#include <string>

#include "data/PavorunMaster.h"
#include "print/MapPlacement.h"
#include "print/PrintDocument.h"

namespace vx {

struct PrintRecord;

class HallMapDocument : public PrintDocument {
 public:
  // What a page shows: in pass 1 a hall group's map, in pass 2 the part of one hall entry.
  struct MapPage {
    int pass = 1;
    int day = 0;        // 1-based day entry
    int group = 0;      // page counter: hall group 1..7, or 7 + the hall entry
    int hallGroup = 0;  // whose map image the page shows
    std::string name;   // of the hall group or hall entry
    PrintRect part;     // on the map image
    std::string block;  // of the page's first circle
    int color = -1;
  };

 protected:
  bool DrawsHallMaps() const override { return true; }
  void OrderRecords(const PrintJob& job) override;
  int LayOutCopy(PrintJob& copy) override;

  virtual int GroupingMode(const PrintJob& job) const = 0;
  virtual bool PrintsBlankMaps() const { return false; }
  // Circles a page of the pass holds; 0 for no limit.
  virtual int SlotsPerPage(int) const { return 0; }
  virtual std::string PageTitle(const PrintJob& job, const MapPage& page) const = 0;
  virtual MapPlacement Placement(const PrintJob& job, const MapPage& page) const = 0;
  // After the white page and before the title: column headers and the like.
  virtual int BeginPageBody(PrintJob&, const MapPage&) { return 0; }
  // A circle of a page in range, in `slot`; -1 fails the run.
  virtual int PlaceCircle(PrintJob& copy, const PrintRecord& record, int slot) = 0;
  // After the map is drawn, before the page is output.
  virtual int EndPageBody(PrintJob&, int) { return 0; }

  const MapPage& CurrentPage() const { return current_; }
  const MapPlacement& CurrentPlacement() const { return placement_; }

 private:
  bool Select(const PrintRecord& record, const PrintJob& copy, int pass, MapPage& page) const;
  bool NewGroup(const MapPage& page, int mode, bool breakColor) const;
  int RunPass(PrintJob& copy, int pass);
  int PrintBlankMaps(PrintJob& copy);
  int BlankPage(PrintJob& copy, const MapPage& page);
  int BeginPage(PrintJob& copy, const MapPage& page);
  int EndPage(PrintJob& copy);

  MapPage current_;
  MapPlacement placement_;
  bool open_ = false;
  bool limitReached_ = false;
  int slot_ = 0;
};

}  // namespace vx
