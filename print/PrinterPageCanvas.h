// The page canvas on the printer: every call goes straight to a QPainter on the QPrinter (CUPS
// or a PDF file), through a transform from page pixels onto the paper. Texts stay text in the
// print face; pictures are handed over once at their own resolution. Frames and separators are
// filled black; leader lines are drawn half transparent.
#pragma once

#include <QTransform>

#include "print/PageCanvas.h"

class QPainter;
class QPrinter;

namespace vx {

class PrinterPageCanvas final : public PageCanvas {
 public:
  // `layoutToDevice` takes page pixels to the printer's device pixels.
  PrinterPageCanvas(QPainter& painter, QPrinter& printer, const QTransform& layoutToDevice)
      : painter_(painter), printer_(printer), transform_(layoutToDevice) {}

  int BeginPage() override;
  void FillRect(const DibRect& r, ColorRef color) override;
  void DrawLine(int x, int y, int dx, int dy, ColorRef color) override;
  int DrawText(const DibRect& box, std::string_view text, int fontSize, unsigned format,
               TextFlow flow) override;
  int DrawPicture(const DibRect& to, const DibImage& picture, const DibRect& from) override;
  int DrawCircleCut(int circleId, const DibRect& box) override;
  int DrawLeaderLines(const std::vector<LeaderLine>& lines, int widthSetting,
                      bool highResolution) override;
  bool OnPrinter() const override { return true; }

 private:
  QPainter& painter_;
  QPrinter& printer_;
  QTransform transform_;
  bool pageStarted_ = false;
};

}  // namespace vx
