// What the page renderers draw on: the few drawing calls a page needs, with two surfaces behind
// them. The page image (PageImageCanvas) composes the page in memory for image files, the
// preview and printing through page images; the printer surface (PrinterPageCanvas) draws the
// same calls straight onto the printer, text as text. Positions are page pixels at the layout's
// DPI on both.
#pragma once

#include <string_view>
#include <vector>

#include "checklist/FavoriteColor.h"
#include "print/DibImage.h"

namespace vx {

struct LeaderLine;

// How a text takes its box: squeezed onto one line when it is wider, or wrapped inside it.
enum class TextFlow { kFit, kWrap };

constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kWhite = 0xFFFFFF;

class PageCanvas {
 public:
  virtual ~PageCanvas() = default;

  // A new page: the page image turns white, the printer starts its next sheet; -1 after
  // reporting.
  virtual int BeginPage() = 0;
  virtual void FillRect(const DibRect& r, ColorRef color) = 0;
  // A line one pixel wide from (x, y) covering dx by dy.
  virtual void DrawLine(int x, int y, int dx, int dy, ColorRef color) = 0;
  // The CP932 text in black in `box`, in a font `fontSize` pixels high; `format` takes the
  // kText* alignment flags. The box's background shows around the letters. -1 when it cannot
  // be drawn (memory).
  virtual int DrawText(const DibRect& box, std::string_view text, int fontSize, unsigned format,
                       TextFlow flow) = 0;
  // Part `from` of the picture scaled into `to`, smoothly.
  virtual int DrawPicture(const DibRect& to, const DibImage& picture, const DibRect& from) = 0;
  // The cut of the print records' circle `circleId` on white in `box`; -1 after reporting.
  virtual int DrawCircleCut(int circleId, const DibRect& box) = 0;
  // The leader lines of a list-with-map page, in the job's line width setting (0..2).
  virtual int DrawLeaderLines(const std::vector<LeaderLine>& lines, int widthSetting,
                              bool highResolution) = 0;
  // True on the printer: frames that a page image draws in colour are black there.
  virtual bool OnPrinter() const = 0;
};

}  // namespace vx
