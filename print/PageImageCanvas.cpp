#include "print/PageImageCanvas.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "data/images/CutDrawing.h"
#include "print/DibImageQt.h"
#include "print/LeaderLineImage.h"
#include "print/PrintEngineState.h"
#include "print/PrintRecords.h"
#include "print/PrintTextDrawer.h"

namespace vx {
namespace {

int Red(ColorRef c) { return static_cast<int>(c & 0xFF); }
int Green(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace

int PageImageCanvas::BeginPage() {
  DibImage_FillRect(*page_, 0, 0, DibImage_Width(*page_), DibImage_Height(*page_), 255, 255, 255,
                    kDibSet);
  return 0;
}

void PageImageCanvas::FillRect(const DibRect& r, ColorRef color) {
  DibImage_FillRect(*page_, r.x, r.y, r.w, r.h, Red(color), Green(color), Blue(color), kDibSet);
}

void PageImageCanvas::DrawLine(int x, int y, int dx, int dy, ColorRef color) {
  DibImage_DrawLine(*page_, x, y, dx, dy, Red(color), Green(color), Blue(color), kDibSet);
}

int PageImageCanvas::DrawText(const DibRect& box, std::string_view text, int fontSize,
                              unsigned format, TextFlow flow) {
  PrintTextDrawer* drawer = PrintEngine_Services().text;
  if (text.empty() || box.w <= 0 || box.h <= 0 || fontSize <= 0 || !drawer) return 0;
  const bool fit = flow == TextFlow::kFit;
  format |= kTextNoPrefix | (fit ? kTextSingleLine : kTextWordBreak);
  const TextLook look{fontSize, kFontWeightNormal, format, 0, 255};
  return drawer->DrawTextMultiplied(*page_, box, text, look, fit) ? 0 : -1;
}

int PageImageCanvas::DrawPicture(const DibRect& to, const DibImage& picture, const DibRect& from) {
  DibImage_StretchBlit(*page_, to, picture, from, true);
  return 0;
}

int PageImageCanvas::DrawCircleCut(int circleId, const DibRect& box) {
  if (box.w <= 0 || box.h <= 0) return 0;
  QImage picture(box.w, box.h, QImage::Format_RGB32);
  if (picture.isNull()) return -1;
  picture.fill(Qt::white);
  {
    QPainter painter(&picture);
    PrintEngine_DrawCircleCut(circleId, painter, CutRect{0, 0, box.w, box.h});
  }
  const DibImagePtr cut = DibImage_FromQImage(picture);
  if (!cut) return -1;
  DibImage_Blit(*page_, box.x, box.y, box.w, box.h, *cut, 0, 0, kDibSet);
  return 0;
}

int PageImageCanvas::DrawLeaderLines(const std::vector<LeaderLine>& lines, int widthSetting,
                                     bool highResolution) {
  const int step = std::clamp(widthSetting + (highResolution ? 1 : 0), 0, 3);
  return LeaderLines_DrawIntoImage(*page_, lines, step);
}

}  // namespace vx
