// The run every print document shares: the record set and its check, the back-end of the
// target, the layout, the lay-out of the pages on a private copy of the job, the results, and
// the messages to the job's owner window (UM_PRINT_PROGRESS .. UM_PRINT_PAGE, ending with
// exactly one of DONE, STOPPED and FAILED). The five documents say what differs: their name, the
// order of their records and how they lay out a copy.
//
// A run works on the engine's module state: one run per document kind at a time. It reports its
// failures in error boxes before it ends.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "print/PrintGroupPages.h"

namespace vx {

struct PrintJob;

struct PageGroupCounter {
  int day = 0;
  int group = 0;
};

class PrintDocument {
 public:
  virtual ~PrintDocument() = default;

  // Target 0 counts pages and progress without drawing; 1 image files, 2 and 4 the printer,
  // 3 the preview. 0 done, -1 failed or stopped.
  int Run(PrintJob& job, int target);

 protected:
  virtual int Kind() const = 0;
  virtual const char* Name() const = 0;
  virtual std::string DataCheckText() const = 0;  // CP932
  virtual bool DrawsHallMaps() const { return false; }
  virtual void OrderRecords(const PrintJob& job) = 0;
  virtual int LinesPerPage() const = 0;
  // Lays out one copy of the document; -1 fails the run. A raised stop flag ends it early.
  virtual int LayOutCopy(PrintJob& copy) = 0;

  // --- For the lay-out ---------------------------------------------------------------------------
  bool StopRaised() const;
  // Whether the renderers draw on the current page: not in the counting pass, not on a page out
  // of range.
  bool Draws() const { return target_ != 0 && !skip_; }
  int Target() const { return target_; }
  // Takes up page page_: false when it lies past the last page that can be output (the copy
  // stops there); otherwise sets whether it is skipped.
  bool TakePageNumber();
  // One progress unit, posted.
  void AddProgress();
  // The end of page page_ of the group (`mode`, `day`, `group`, as for the title): the page
  // output when in range, the group's page count, the progress and page messages, the lines of
  // the page; -1 fails the run.
  int FinishPage(PrintJob& copy, int mode, int day, int group);
  // The title text of the current page (at most 255 bytes, whole characters): `mode` as the
  // list documents group, `day` the 1-based day entry, with the page's number in its group
  // against the group's total of the last counting pass.
  std::string Title(int mode, int day, int group, std::string_view hall, std::string_view block,
                    bool countPages, bool notPlacedTitles) const;
  // Keeps and draws the page's title and draws the colour legend; -1 fails the run.
  int DrawPageHead(PrintJob& copy, const std::string& title);

  int page_ = 1;
  bool skip_ = false;
  int linesOnPage_ = 0;
  int linesPrinted_ = 0;
  int pagesOutput_ = 0;
  int selected_ = 0;  // records taken in this copy: the running numbers
  PrintGroupPages groupPages_;

 private:
  // The counter of a group: the whole run without grouping, the day, or the day and group.
  static PageGroupCounter CounterOf(int mode, int day, int group);
  int RunSteps(PrintJob& job);
  bool DataCheckPassed() const;
  void StartCopy();
  int LayOut(PrintJob& job);
  int Fail(PrintJob& job, bool opened);
  void FillResults(PrintJob& job, const PrintJob& copy) const;

  int target_ = 0;
  int progress_ = 0;
  const PrintJob* poster_ = nullptr;
  std::atomic<int>* stop_ = nullptr;
};

}  // namespace vx
