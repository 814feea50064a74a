#include "print/PrintDocument.h"

#include <algorithm>
#include <exception>
#include <new>

#include "platform/CodePage.h"
#include "platform/Sjis.h"
#include "print/ColorLegendRenderer.h"
#include "print/HallMapRenderer.h"
#include "print/PageDrawing.h"
#include "print/PageRange.h"
#include "print/PageTitles.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintLayout.h"
#include "print/PrintOutput.h"

namespace vx {
namespace {

constexpr std::size_t kTitleBufferMax = 255;
constexpr int kPreviewLongSide = 960;

// The record set holds the older checklist format: "QUILLOR" and a version of 100 to 199.
bool HeaderSupported(const PrintRecordSet& set) {
  if (set.Count() < 1) return false;
  const PrintRecord& header = set.At(0);
  const int version = header.FieldInt(1);
  return header.fieldCount >= 4 && header.Field(0) == "QUILLOR" && version >= 100 && version <= 199;
}

}  // namespace

int PrintDocument::Run(PrintJob& job, int target) {
  target_ = target;
  poster_ = &job;
  stop_ = &PrintEngine_StopFlag(Kind());
  // A document thread's flag was cleared when it started; a stop raised since then holds.
  if (!PrintEngine_IsDocumentThread()) *stop_ = 0;
  progress_ = 0;
  PrintEngine_Post(job, UM_PRINT_PROGRESS, 0);
  // A throw must not end the document thread without its end message.
  try {
    return RunSteps(job);
  } catch (const std::bad_alloc&) {
    ReportPrintError(Sjis("印刷用メモリが確保できません"), Name());
  } catch (const std::exception& e) {
    ReportPrintError(Sjis("印刷を続けられません: ") + e.what(), Name());
  }
  return Fail(job, true);
}

int PrintDocument::RunSteps(PrintJob& job) {
  DibImage_BuildBlendTables();
  if (DrawsHallMaps()) MapHall_ClearCache();
  if (PrintEngine_GetRecords() != 0) {
    ReportPrintError(Sjis("「お気に入り」データが読み込めません"), Name());
  }
  if (!DataCheckPassed()) {
    ReportPrintError(DataCheckText(), Name());
    return Fail(job, false);
  }
  if (target_ == kTargetCount) {
    std::fill(job.linesPerPageTable.begin(), job.linesPerPageTable.end(), 0);
  }
  job.pageKind = target_ == kTargetPrinter ? 1 : 0;
  // The layout comes first: the back-end sizes the page image from it.
  if (PrintLayout_ReadForDocument(job, Kind()) != 0) return Fail(job, false);
  if (PrintOutput_Open(job, target_) != 0) return Fail(job, true);
  PageRange_Parse(job.pageRange);
  PrintRecords_GroupByHall();
  OrderRecords(job);
  PrintJob copy = job;
  if (LayOut(copy) != 0 || StopRaised()) return Fail(job, true);
  FillResults(job, copy);
  PrintPage_Release(copy);
  if (PrintOutput_Close(job, target_) != 0) return Fail(job, false);
  PrintEngine_State().groupTotals[static_cast<std::size_t>(Kind())] = groupPages_;
  PrintEngine_InvalidateRecords();
  if (DrawsHallMaps() && target_ != kTargetCount) MapHall_ClearCache();
  PrintEngine_Post(job, UM_PRINT_DONE, progress_);
  return 0;
}

bool PrintDocument::DataCheckPassed() const { return HeaderSupported(PrintEngine_State().records); }

int PrintDocument::LayOut(PrintJob& copy) {
  const int copies = copy.rangeFlagB != 0 && copy.rangeFlagA > 0 ? copy.rangeFlagA : 1;
  for (int c = 0; c < copies; ++c) {
    StartCopy();
    if (LayOutCopy(copy) != 0 || StopRaised()) return -1;
  }
  return 0;
}

void PrintDocument::StartCopy() {
  groupPages_.Clear();
  page_ = 1;
  skip_ = false;
  linesOnPage_ = 0;
  linesPrinted_ = 0;
  pagesOutput_ = 0;
  selected_ = 0;
}

int PrintDocument::Fail(PrintJob& job, bool opened) {
  if (opened) PrintOutput_Abort(job, target_);
  PrintEngine_InvalidateRecords();
  if (DrawsHallMaps()) MapHall_ClearCache();
  PrintEngine_Post(job, StopRaised() ? UM_PRINT_STOPPED : UM_PRINT_FAILED, 0);
  return -1;
}

void PrintDocument::FillResults(PrintJob& job, const PrintJob& copy) const {
  job.recordCount = PrintEngine_State().records.Count();
  job.linesPrinted = linesPrinted_;
  job.linesPerPage = LinesPerPage();
  job.pagesOutput = pagesOutput_;
  job.pageFigure = page_ - 1;
  job.preparationResult = progress_;
  job.currentPage = copy.currentPage;
  job.scaledPageImage = copy.scaledPageImage;
  job.linesPerPageTable = copy.linesPerPageTable;
  // The counting pass tells the preview the size of the pages it will get.
  const PrintPageGeometry& geometry = PrintEngine_State().geometry;
  if (!job.pageImage && target_ != kTargetCount) return;
  const int width = job.pageImage ? DibImage_Width(*job.pageImage) : geometry.width;
  const int height = job.pageImage ? DibImage_Height(*job.pageImage) : geometry.height;
  const int longSide = job.longSide > 0            ? job.longSide
                       : target_ == kTargetPreview ? kPreviewLongSide
                                                   : std::max(width, height);
  const int shortSide =
      static_cast<int>(static_cast<long long>(longSide) * std::min(width, height) /
                       std::max(1, std::max(width, height)));
  job.outputWidth = width >= height ? longSide : shortSide;
  job.outputHeight = width >= height ? shortSide : longSide;
}

bool PrintDocument::StopRaised() const { return stop_ && stop_->load() != 0; }

bool PrintDocument::TakePageNumber() {
  if (PageRange_CheckPageLimit(page_, Name()) != 0) return false;
  skip_ = PageRange_IsSelected(page_) == 0;
  return true;
}

void PrintDocument::AddProgress() {
  ++progress_;
  PrintEngine_Post(*poster_, UM_PRINT_PROGRESS, progress_);
}

PageGroupCounter PrintDocument::CounterOf(int mode, int day, int group) {
  if (mode == kTitleNone) return {0, 0};
  return {day, mode == kTitleDay ? 0 : group};
}

int PrintDocument::FinishPage(PrintJob& copy, int mode, int day, int group) {
  copy.currentPage = page_;
  if (!skip_) {
    if (PrintOutput_Put(copy, target_) != 0) return -1;
    ++pagesOutput_;
  }
  const PageGroupCounter key = CounterOf(mode, day, group);
  ++groupPages_.At(key.day, key.group);
  if (!skip_) {
    AddProgress();
    PrintEngine_Post(*poster_, UM_PRINT_PAGE, page_);
  }
  if (page_ < kLinesPerPageTableSize) {
    copy.linesPerPageTable[static_cast<std::size_t>(page_)] =
        static_cast<std::uint16_t>(std::min(linesOnPage_, 0xFFFF));
  }
  ++page_;
  linesOnPage_ = 0;
  return 0;
}

std::string PrintDocument::Title(int mode, int day, int group, std::string_view hall,
                                 std::string_view block, bool countPages,
                                 bool notPlacedTitles) const {
  const PrintEngineState& state = PrintEngine_State();
  const PrintLayout& l = state.layout;
  PageTitleParts parts;
  parts.event = l.documentTitle;
  if (day >= 1 && day <= static_cast<int>(state.tables.days.size())) {
    const PrintDay& d = state.tables.days[static_cast<std::size_t>(day - 1)];
    parts.dayLabel = d.label;
    parts.weekday = d.weekday;
  }
  parts.hall = hall;
  parts.block = block;
  parts.weekHead = l.weekHead;
  parts.weekTail = l.weekTail;
  parts.hallHead = l.hallHead;
  parts.hallTail = l.hallTail;
  parts.notPlacedWeekday = l.posFail2;
  const PageGroupCounter key = CounterOf(mode, day, group);
  const int n = groupPages_.At(key.day, key.group) + 1;
  const int total =
      countPages ? state.groupTotals[static_cast<std::size_t>(Kind())].At(key.day, key.group) : 0;
  return SjisTruncate(PageTitle_Format(parts, mode, n, total, notPlacedTitles), kTitleBufferMax);
}

int PrintDocument::DrawPageHead(PrintJob& copy, const std::string& title) {
  PageTitle_Set(page_, title);
  if (PageSetup_PrintTitle_BMP(copy, title, Draws()) != 0) return -1;
  if (copy.colorList && RenderCheckColorList_BMP(copy, Draws()) != 0) return -1;
  return 0;
}

}  // namespace vx
