#include "print/QtPrintTextDrawer.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "print/DibImageInternal.h"
#include "print/DibImageQt.h"
#include "print/QtPrintTextStyle.h"

namespace vx {
namespace {

constexpr int kFractionBits = 15;
constexpr std::int64_t kOne = std::int64_t{1} << kFractionBits;

struct Face {
  QFont font;
  QFontMetrics metrics;
};

// What one thread draws page texts with: a picture that only grows, a painter kept open on it,
// and the faces measured so far. Texts are drawn one after the other into its top left corner.
class TextScratch {
 public:
  const Face& FaceOf(int height, int weight) {
    const auto key = std::make_pair(height, weight);
    auto it = faces_.find(key);
    if (it == faces_.end()) {
      QFont font = PrintTextFont(height, weight);
      it = faces_.emplace(key, Face{font, QFontMetrics(font)}).first;
    }
    return it->second;
  }

  // The painter on a white area of `width` x `height` at the top left; null without memory.
  QPainter* Clear(int width, int height) {
    if (width > picture_.width() || height > picture_.height()) {
      painter_.reset();
      picture_ = QImage(std::max(width, picture_.width()), std::max(height, picture_.height()),
                        QImage::Format_RGB32);
      if (picture_.isNull()) return nullptr;
      painter_ = std::make_unique<QPainter>(&picture_);
      painter_->setRenderHint(QPainter::TextAntialiasing);
      painter_->setPen(Qt::black);
      fontKey_ = {-1, -1};
    }
    painter_->fillRect(0, 0, width, height, Qt::white);
    return painter_.get();
  }

  void UseFace(QPainter& painter, int height, int weight) {
    if (fontKey_ == std::make_pair(height, weight)) return;
    fontKey_ = {height, weight};
    painter.setFont(FaceOf(height, weight).font);
  }

  // Grey level of the drawn text in row y (blue channel; the text is grey on white).
  const QRgb* Row(int y) const { return reinterpret_cast<const QRgb*>(picture_.constScanLine(y)); }

 private:
  QImage picture_;
  std::unique_ptr<QPainter> painter_;
  std::pair<int, int> fontKey_{-1, -1};
  std::map<std::pair<int, int>, Face> faces_;
};

TextScratch& Scratch() {
  thread_local TextScratch scratch;
  return scratch;
}

// The part of the box that lies on the page, relative to the box.
struct Visible {
  int x0, x1, y0, y1;
  bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

Visible VisibleOf(const DibImage& page, const DibRect& box) {
  return {std::max(0, -box.x), std::min(box.w, DibImage_Width(page) - box.x), std::max(0, -box.y),
          std::min(box.h, DibImage_Height(page) - box.y)};
}

inline void Multiply(std::uint8_t* d, int s, const dib::CombineTables& t) {
  if (s == 255) return;
  const auto& row = t.multiply[static_cast<std::size_t>(s)];
  d[0] = row[d[0]];
  d[1] = row[d[1]];
  d[2] = row[d[2]];
}

void MultiplyStraight(DibImage& page, const DibRect& box, const TextScratch& scratch) {
  const Visible v = VisibleOf(page, box);
  if (v.Empty()) return;
  const dib::CombineTables& t = dib::Tables();
  for (int y = v.y0; y < v.y1; ++y) {
    const QRgb* in = scratch.Row(y);
    std::uint8_t* out = DibImage_GetRow(page, box.y + y) + 3 * (box.x + v.x0);
    for (int x = v.x0; x < v.x1; ++x, out += 3) Multiply(out, qBlue(in[x]), t);
  }
}

// Columns [start, start + extent) of the drawing averaged by area into the box's width, as the
// image library's averaging copy does.
void MultiplySqueezed(DibImage& page, const DibRect& box, const TextScratch& scratch, int start,
                      int extent) {
  const Visible v = VisibleOf(page, box);
  if (v.Empty()) return;
  struct Part {
    int cell;
    std::int64_t weight;
  };
  std::vector<std::vector<Part>> footprints(static_cast<std::size_t>(box.w));
  std::vector<std::int64_t> totals(static_cast<std::size_t>(box.w));
  const std::int64_t step = static_cast<std::int64_t>(extent) * kOne / box.w;
  for (int i = v.x0; i < v.x1; ++i) {
    const std::int64_t a = i * step;
    const std::int64_t b = std::max(a + step, a + 1);
    for (std::int64_t u = a >> kFractionBits; u * kOne < b; ++u) {
      const std::int64_t covered = std::min(b, (u + 1) * kOne) - std::max(a, u * kOne);
      if (covered <= 0) continue;
      const int cell = start + static_cast<int>(std::min<std::int64_t>(u, extent - 1));
      footprints[static_cast<std::size_t>(i)].push_back({cell, covered});
      totals[static_cast<std::size_t>(i)] += covered;
    }
  }
  const dib::CombineTables& t = dib::Tables();
  for (int y = v.y0; y < v.y1; ++y) {
    const QRgb* in = scratch.Row(y);
    std::uint8_t* out = DibImage_GetRow(page, box.y + y) + 3 * (box.x + v.x0);
    for (int x = v.x0; x < v.x1; ++x, out += 3) {
      std::int64_t sum = 0;
      for (const Part& p : footprints[static_cast<std::size_t>(x)])
        sum += p.weight * qBlue(in[p.cell]);
      Multiply(out, static_cast<int>(sum / totals[static_cast<std::size_t>(x)]), t);
    }
  }
}

// Where the text's columns start in a drawing twice the box's width, by its alignment.
int SqueezeStart(unsigned format, int boxWidth, int extent) {
  switch (format & kTextHorizontalMask) {
    case kTextCenter:
      return (2 * boxWidth - extent) / 2;
    case kTextRight:
      return 2 * boxWidth - extent;
    default:
      return 0;
  }
}

}  // namespace

bool QtPrintTextDrawer::DrawText(DibImage& image24, std::string_view text, const TextLook& look) {
  const int width = DibImage_Width(image24);
  const int height = DibImage_Height(image24);
  if (DibImage_BitCount(image24) != 24 || width < 1 || height < 1) return false;
  QImage picture(width, height, QImage::Format_RGB32);
  if (picture.isNull()) return false;
  const int background = std::clamp(look.backgroundGrey, 0, 255);
  const int ink = std::clamp(look.textGrey, 0, 255);
  picture.fill(QColor(background, background, background));
  {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(Scratch().FaceOf(look.fontHeight, look.fontWeight).font);
    painter.setPen(QColor(ink, ink, ink));
    painter.drawText(QRect(0, 0, width, height), PrintTextQtFlags(look.format),
                     PrintTextString(text));
  }
  DibImage_CopyFromQImage(image24, picture);
  return true;
}

int QtPrintTextDrawer::TextWidth(std::string_view text, int fontHeight, int fontWeight) {
  return Scratch().FaceOf(fontHeight, fontWeight).metrics.horizontalAdvance(PrintTextString(text));
}

// Drawn once into the thread's scratch picture and multiplied into the page from there: no
// picture, mask or copy of its own per text.
bool QtPrintTextDrawer::DrawTextMultiplied(DibImage& page24, const DibRect& box,
                                           std::string_view text, const TextLook& look, bool fit) {
  if (DibImage_BitCount(page24) != 24 || box.w < 1 || box.h < 1) return false;
  TextScratch& scratch = Scratch();
  const QString shown = PrintTextString(text);
  const int measured =
      scratch.FaceOf(look.fontHeight, look.fontWeight).metrics.horizontalAdvance(shown);
  const bool squeeze = fit && measured > box.w;
  const int width = squeeze ? 2 * box.w : box.w;
  QPainter* painter = scratch.Clear(width, box.h);
  if (!painter) return false;
  scratch.UseFace(*painter, look.fontHeight, look.fontWeight);
  painter->drawText(QRect(0, 0, width, box.h), PrintTextQtFlags(look.format), shown);
  if (!squeeze) {
    MultiplyStraight(page24, box, scratch);
    return true;
  }
  const int extent = std::clamp(measured, box.w, 2 * box.w);
  MultiplySqueezed(page24, box, scratch, SqueezeStart(look.format, box.w, extent), extent);
  return true;
}

}  // namespace vx
