// The list documents: one entry per selected circle in the list grid, filled column by column,
// a new page when the grid is full or, as the job asks, at a change of day, hall, block or check
// colour. LIST draws rows of columns, CIRCLELIST boxes with the circles' cuts.
#pragma once

#include <string>

#include "print/ListGrid.h"
#include "print/PrintDocument.h"

namespace vx {

struct PrintRecord;

class GridListDocument : public PrintDocument {
 protected:
  void OrderRecords(const PrintJob& job) override;
  int LinesPerPage() const override;
  int LayOutCopy(PrintJob& copy) override;

  // The page's column headers; the entry of a circle in `slot`; an empty slot of a page that
  // ends early. Each -1 fails the run.
  virtual int DrawHeaders(PrintJob& copy) = 0;
  virtual int DrawEntry(PrintJob& copy, int slot, const PrintRecord& record) = 0;
  virtual int DrawEmptySlot(PrintJob& copy, int slot) = 0;

  ListGrid Grid() const;

 private:
  // Where the record goes; false when the job does not print it.
  struct Place {
    int day = 0;
    int hall = 0;
    std::string block;
    int color = 0;
  };
  bool Select(const PrintRecord& record, const PrintJob& copy, Place& place) const;
  bool NewGroup(const Place& place) const;
  int BeginPage(PrintJob& copy, const Place& place);
  int EndPage(PrintJob& copy, int slot);

  int mode_ = 0;
  bool breakColor_ = false;
  Place previous_;
};

}  // namespace vx
