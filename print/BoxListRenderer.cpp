#include "print/BoxListRenderer.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "print/PageDrawing.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintItemText.h"
#include "print/PrintRecordFields.h"
#include "print/PrintTextDrawer.h"
#include "print/TemplateText.h"

namespace vx {
namespace {

constexpr int kCutBorderWidth = 2;

struct BoxPlace {
  DibRect rect;  // on the page
  int fontSize = 0;
};

class BoxEntryPainter {
 public:
  BoxEntryPainter(PageCanvas& page, const PrintJob& job, const PrintRecord& record, int serial,
                  int cellX, int cellY)
      : page_(page),
        job_(job),
        l_(PrintEngine_State().layout),
        record_(record),
        serial_(serial),
        innerX_(cellX + l_.borderWidth + l_.paddingWidth),
        innerY_(cellY + l_.borderHeight + l_.paddingHeight) {}

  int Paint() {
    int runningY = 0;
    bool previousEmpty = false;  // the supplement box before drew no text
    for (std::size_t i = 0; i < l_.boxes.size(); ++i) {
      const PrintLayoutBox& box = l_.boxes[i];
      if (!Shown(box.item)) continue;
      const std::string text = Text(box.item);
      BoxPlace place = Place(i, box, runningY, previousEmpty);
      if (Draw(box, place, text) != 0) return -1;
      if (box.height >= 0) runningY = place.rect.y - innerY_ + place.rect.h;
      previousEmpty = box.item == kItemSupplement && text.empty();
    }
    return PaintCuts();
  }

 private:
  bool Shown(int item) const { return item < 0 || PrintItem_Shown(item, job_); }

  std::string Text(int item) const {
    if (item == kItemSerialNumber) {
      return job_.serialNumbers ? FormatNumberText(l_.posNo, serial_) : std::string();
    }
    return PrintItem_Text(record_, item, l_);
  }

  bool ItemShownAt(std::size_t i, int item) const {
    return i < l_.boxes.size() && l_.boxes[i].item == item;
  }

  // Where the box goes, with the room it takes over from a neighbouring supplement or memo box.
  BoxPlace Place(std::size_t i, const PrintLayoutBox& box, int runningY, bool previousEmpty) const {
    int y = box.height < 0 ? box.y : runningY;
    int height = std::abs(box.height);
    int font = box.fontSize;
    if (box.item == kItemSupplement) {
      if (ItemShownAt(i + 1, kItemMemo) &&
          (!Shown(kItemMemo) || record_.Field(kFieldMemo).empty())) {
        height += std::abs(l_.boxes[i + 1].height);
      }
      if (job_.enlargeSupplement) font += font / 2;
    } else if (box.item == kItemMemo) {
      if (i > 0 && ItemShownAt(i - 1, kItemSupplement)) {
        const int previous = std::abs(l_.boxes[i - 1].height);
        if (!Shown(kItemSupplement)) {
          height += previous;  // the hidden box took no room: this one starts where it would
        } else if (previousEmpty) {
          y -= previous;
          height += previous;
        }
      }
      if (job_.enlargeMemo) font += font / 2;
    }
    return {{innerX_ + box.x, innerY_ + y, box.width, height}, font};
  }

  int Draw(const PrintLayoutBox& box, const BoxPlace& place, const std::string& text) {
    if (box.item == kItemAlways) {
      DrawCutBox(place.rect);
      return 0;
    }
    const int inset = box.border + box.padding;
    DibRect inner{place.rect.x + inset, place.rect.y + inset, place.rect.w - 2 * inset,
                  place.rect.h - 2 * inset};
    if (place.fontSize > 0) inner.h -= inner.h % place.fontSize;  // whole lines only
    const unsigned align = box.align == 1 ? kTextCenter : box.align == 2 ? kTextRight : kTextLeft;
    const bool wraps = box.item == kItemSupplement || box.item == kItemMemo;
    if (DrawTextBox(page_, inner, text, place.fontSize, align,
                    wraps ? TextFlow::kWrap : TextFlow::kFit) != 0) {
      ReportPrintError(Sjis("印刷用メモリが確保できません(1)"), "List2_PaintColumnData_BMP");
      return -1;
    }
    return 0;
  }

  // A circle without a page gets a crossed-out box in its check colour; the others their cut,
  // after every box.
  void DrawCutBox(const DibRect& r) {
    if (record_.FieldInt(kFieldPageNo) != 0) {
      cuts_.push_back(r);
      return;
    }
    DrawRecordColor(page_, r, record_);
    DrawFrame(page_, r, 1, 1);
    page_.DrawLine(r.x, r.y, r.w, r.h, kBlack);
    page_.DrawLine(r.x, r.y + r.h - 1, r.w, -r.h, kBlack);
  }

  int PaintCuts() {
    const int circleId = record_.FieldInt(kFieldCircleId) + 1;
    for (const DibRect& r : cuts_) {
      if (page_.DrawCircleCut(circleId, r) != 0) return ReportMemory();
    }
    return 0;
  }

  static int ReportMemory() {
    ReportPrintError(Sjis("印刷用メモリが確保できません(2-2)"), "List2_PaintColumnData_BMP");
    return -1;
  }

  PageCanvas& page_;
  const PrintJob& job_;
  const PrintLayout& l_;
  const PrintRecord& record_;
  int serial_;
  int innerX_;
  int innerY_;
  std::vector<DibRect> cuts_;
};

}  // namespace

void BoxList_CellOf(const ListGrid& grid, int index, int direction, int& column, int& row) {
  const int across = std::max(1, grid.across);
  const int down = std::max(1, grid.down);
  const bool downColumns = direction != 0;
  column = downColumns ? index / down : index % across;
  row = downColumns ? index % down : index / across;
}

DibRect BoxList_CellRect(const PrintLayout& layout, const ListGrid& grid, int originX, int originY,
                         int index, int direction) {
  int column = 0;
  int row = 0;
  BoxList_CellOf(grid, index, direction, column, row);
  return grid.CellRect(layout, originX, originY, column, row);
}

int List2_PaintColumnData_BMP(PrintJob& job, const ListGrid& grid, int index,
                              const PrintRecord* record, int serial, bool output) {
  PageCanvas* canvas = PrintPage_Canvas(job, output);
  if (!canvas || !record) return 0;
  const PrintLayout& l = PrintEngine_State().layout;
  const PagePoint origin = PrintPage_Origin();
  const DibRect cell = BoxList_CellRect(l, grid, origin.x, origin.y, index, job.cutDirection);
  if (BoxEntryPainter(*canvas, job, *record, serial, cell.x, cell.y).Paint() != 0) return -1;
  if (job.cutBorder) DrawFrame(*canvas, cell, kCutBorderWidth, kCutBorderWidth);
  return 0;
}

}  // namespace vx
