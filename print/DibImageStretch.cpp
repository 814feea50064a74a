// The scaled copy: nearest pixel, area average when reducing, bilinear when enlarging.
#include <cstdint>
#include <vector>

#include "print/DibImage.h"
#include "print/DibImageInternal.h"

namespace vx {
namespace {

constexpr int kFractionBits = 15;
constexpr std::int64_t kOne = std::int64_t{1} << kFractionBits;

// The source as blue, green, red rows; images of other depths are converted row by row as the
// copy first needs them.
class BgrRows {
 public:
  explicit BgrRows(const DibImage& source)
      : source_(source), direct_(DibImage_BitCount(source) == 24),
        width_(DibImage_Width(source)) {
    if (!direct_) converted_.resize(static_cast<std::size_t>(DibImage_Height(source)));
  }

  const std::uint8_t* Row(int y) {
    const std::uint8_t* row = DibImage_GetRow(source_, y);
    if (direct_) return row;
    std::vector<std::uint8_t>& out = converted_[static_cast<std::size_t>(y)];
    if (out.empty()) {
      out.resize(static_cast<std::size_t>(width_) * 3);
      for (int x = 0; x < width_; ++x) {
        const dib::Bgr c = dib::PixelColor(source_, row, x);
        out[3 * x] = c.b;
        out[3 * x + 1] = c.g;
        out[3 * x + 2] = c.r;
      }
    }
    return out.data();
  }

 private:
  const DibImage& source_;
  bool direct_;
  int width_;
  std::vector<std::vector<std::uint8_t>> converted_;
};

// One axis of the copy: destination extent n over source cells [first, first + count) of the
// source image, read in reverse when mirrored. Positions are relative to the rectangle's start.
struct Axis {
  int destinationStart = 0;
  int destinationCount = 0;
  int sourceFirst = 0;
  int sourceCount = 0;
  bool mirrored = false;
  std::int64_t step = 0;

  // The source image coordinate of relative cell u, kept inside the source rectangle.
  int Cell(std::int64_t u) const {
    const int v = static_cast<int>(std::clamp<std::int64_t>(u, 0, sourceCount - 1));
    return sourceFirst + (mirrored ? sourceCount - 1 - v : v);
  }
};

// Normalises a rectangle axis with a negative extent; answers whether it was turned round.
bool Normalise(int& start, int& extent) {
  if (extent >= 0) return false;
  start += extent;
  extent = -extent;
  return true;
}

// The axis, or false when the rectangles leave nothing to copy on it.
bool MakeAxis(int to, int toExtent, int from, int fromExtent, int sourceSize, Axis& axis) {
  const bool mirrorTo = Normalise(to, toExtent);
  const bool mirrorFrom = Normalise(from, fromExtent);
  if (toExtent == 0 || fromExtent == 0) return false;
  // Cells of the rectangle outside the source image read the nearest cell inside it.
  if (from >= sourceSize || from + fromExtent <= 0) return false;
  axis.destinationStart = to;
  axis.destinationCount = toExtent;
  axis.sourceFirst = from;
  axis.sourceCount = fromExtent;
  axis.mirrored = mirrorTo != mirrorFrom;
  axis.step = static_cast<std::int64_t>(fromExtent) * kOne / toExtent;
  return true;
}

struct Span {
  int cell;
  std::int64_t weight;
};

// The source cells that the footprint of destination position i covers, with their areas.
std::vector<Span> Footprint(const Axis& axis, int i) {
  const std::int64_t a = i * axis.step;
  const std::int64_t b = std::max(a + axis.step, a + 1);
  std::vector<Span> spans;
  for (std::int64_t u = a >> kFractionBits; u * kOne < b; ++u) {
    const std::int64_t covered = std::min(b, (u + 1) * kOne) - std::max(a, u * kOne);
    if (covered > 0) spans.push_back({axis.Cell(u), covered});
  }
  return spans;
}

class Stretch {
 public:
  Stretch(DibImage& destination, const DibImage& source, const Axis& x, const Axis& y, int sourceW,
          int sourceH)
      : destination_(destination), rows_(source), x_(x), y_(y), sourceW_(sourceW),
        sourceH_(sourceH) {}

  void Run(bool average) {
    const int width = DibImage_Width(destination_);
    const int height = DibImage_Height(destination_);
    const bool reduces = x_.step > kOne || y_.step > kOne;
    if (average && reduces) {
      for (int i = 0; i < x_.destinationCount; ++i) columnSpans_.push_back(Footprint(x_, i));
    }
    for (int j = 0; j < y_.destinationCount; ++j) {
      const int dy = y_.destinationStart + j;
      if (dy < 0 || dy >= height) continue;
      if (average && reduces) lineSpans_ = Footprint(y_, j);
      std::uint8_t* out = DibImage_GetRow(destination_, dy);
      for (int i = 0; i < x_.destinationCount; ++i) {
        const int dx = x_.destinationStart + i;
        if (dx < 0 || dx >= width) continue;
        std::uint8_t* p = out + 3 * dx;
        if (!average) {
          Nearest(i, j, p);
        } else if (reduces) {
          Average(i, p);
        } else {
          Bilinear(i, j, p);
        }
      }
    }
  }

 private:
  int SourceX(int cell) const { return std::clamp(cell, 0, sourceW_ - 1); }
  int SourceY(int cell) const { return std::clamp(cell, 0, sourceH_ - 1); }
  const std::uint8_t* Pixel(int cellX, int cellY) {
    return rows_.Row(SourceY(cellY)) + 3 * SourceX(cellX);
  }

  void Nearest(int i, int j, std::uint8_t* p) {
    const std::uint8_t* s = Pixel(x_.Cell((i * x_.step) >> kFractionBits),
                                  y_.Cell((j * y_.step) >> kFractionBits));
    p[0] = s[0];
    p[1] = s[1];
    p[2] = s[2];
  }

  void Average(int i, std::uint8_t* p) {
    std::int64_t sum[3] = {0, 0, 0};
    std::int64_t total = 0;
    for (const Span& line : lineSpans_) {
      for (const Span& column : columnSpans_[static_cast<std::size_t>(i)]) {
        const std::int64_t w = line.weight * column.weight;
        const std::uint8_t* s = Pixel(column.cell, line.cell);
        for (int c = 0; c < 3; ++c) sum[c] += s[c] * w;
        total += w;
      }
    }
    for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(total ? sum[c] / total : 0);
  }

  void Bilinear(int i, int j, std::uint8_t* p) {
    const std::int64_t px = i * x_.step;
    const std::int64_t py = j * y_.step;
    const std::int64_t u = px >> kFractionBits;
    const std::int64_t v = py >> kFractionBits;
    const std::int64_t fx = px & (kOne - 1);
    const std::int64_t fy = py & (kOne - 1);
    // At the right and bottom edge the pixel itself stands in for the missing neighbour.
    const int x0 = x_.Cell(u);
    const int x1 = x_.Cell(std::min<std::int64_t>(u + 1, x_.sourceCount - 1));
    const int y0 = y_.Cell(v);
    const int y1 = y_.Cell(std::min<std::int64_t>(v + 1, y_.sourceCount - 1));
    const std::uint8_t* a = Pixel(x0, y0);
    const std::uint8_t* b = Pixel(x1, y0);
    const std::uint8_t* c = Pixel(x0, y1);
    const std::uint8_t* d = Pixel(x1, y1);
    for (int k = 0; k < 3; ++k) {
      const std::int64_t top = a[k] * (kOne - fx) + b[k] * fx;
      const std::int64_t bottom = c[k] * (kOne - fx) + d[k] * fx;
      const std::int64_t value = (top * (kOne - fy) + bottom * fy) >> (2 * kFractionBits);
      p[k] = static_cast<std::uint8_t>(std::min<std::int64_t>(value, 255));
    }
  }

  DibImage& destination_;
  BgrRows rows_;
  const Axis& x_;
  const Axis& y_;
  int sourceW_;
  int sourceH_;
  std::vector<std::vector<Span>> columnSpans_;  // per destination column, when averaging
  std::vector<Span> lineSpans_;                 // of the destination row in hand
};

}  // namespace

void DibImage_StretchBlit(DibImage& destination, const DibRect& to, const DibImage& source,
                          const DibRect& from, bool average) {
  if (DibImage_BitCount(destination) != 24 || !dib::IsReadableDepth(DibImage_BitCount(source))) {
    return;
  }
  const int sourceW = DibImage_Width(source);
  const int sourceH = DibImage_Height(source);
  Axis x;
  Axis y;
  if (!MakeAxis(to.x, to.w, from.x, from.w, sourceW, x) ||
      !MakeAxis(to.y, to.h, from.y, from.h, sourceH, y)) {
    return;
  }
  Stretch(destination, source, x, y, sourceW, sourceH).Run(average);
}

}  // namespace vx
