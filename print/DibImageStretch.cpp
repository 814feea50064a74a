// The scaled copy: nearest pixel, area average when reducing, bilinear when enlarging.
#include <climits>
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
      : source_(source),
        direct_(DibImage_BitCount(source) == 24),
        width_(DibImage_Width(source)),
        rows_(static_cast<std::size_t>(DibImage_Height(source))) {
    if (direct_) {
      for (std::size_t y = 0; y < rows_.size(); ++y)
        rows_[y] = DibImage_GetRow(source, static_cast<int>(y));
    } else {
      converted_.resize(rows_.size());
    }
  }

  const std::uint8_t* Row(int y) {
    const std::uint8_t*& row = rows_[static_cast<std::size_t>(y)];
    if (!row) row = Convert(y);
    return row;
  }

 private:
  const std::uint8_t* Convert(int y) {
    const std::uint8_t* in = DibImage_GetRow(source_, y);
    std::vector<std::uint8_t>& out = converted_[static_cast<std::size_t>(y)];
    out.resize(static_cast<std::size_t>(width_) * 3);
    for (int x = 0; x < width_; ++x) {
      const dib::Bgr c = dib::PixelColor(source_, in, x);
      out[3 * x] = c.b;
      out[3 * x + 1] = c.g;
      out[3 * x + 2] = c.r;
    }
    return out.data();
  }

  const DibImage& source_;
  bool direct_;
  int width_;
  std::vector<const std::uint8_t*> rows_;
  std::vector<std::vector<std::uint8_t>> converted_;
};

// One axis of the copy: `count` destination positions from `start` over the source rectangle's
// cells [first, first + extent), read in reverse when mirrored. Positions on it are relative to
// the rectangle's start, in fixed point.
struct Axis {
  int start = 0;
  int count = 0;
  int first = 0;
  int extent = 0;
  int sourceSize = 0;
  bool mirrored = false;
  std::int64_t step = 0;

  // The source image coordinate of relative cell u: inside the rectangle, then inside the image.
  int Cell(std::int64_t u) const {
    const int v = static_cast<int>(std::clamp<std::int64_t>(u, 0, extent - 1));
    return std::clamp(first + (mirrored ? extent - 1 - v : v), 0, sourceSize - 1);
  }
  bool Reduces() const { return step > kOne; }
};

bool Normalise(int& start, int& extent) {
  if (extent >= 0) return false;
  start += extent;
  extent = -extent;
  return true;
}

bool MakeAxis(int to, int toExtent, int from, int fromExtent, int sourceSize, Axis& axis) {
  const bool mirrorTo = Normalise(to, toExtent);
  const bool mirrorFrom = Normalise(from, fromExtent);
  if (toExtent == 0 || fromExtent == 0 || sourceSize < 1) return false;
  if (from >= sourceSize || from + fromExtent <= 0) return false;
  axis = {to,
          toExtent,
          from,
          fromExtent,
          sourceSize,
          mirrorTo != mirrorFrom,
          static_cast<std::int64_t>(fromExtent) * kOne / toExtent};
  return true;
}

// The source cells under position i's footprint with the part of each they cover.
struct Footprint {
  std::vector<int> cells;
  std::vector<std::int64_t> weights;
  std::int64_t total = 0;
};

Footprint FootprintOf(const Axis& axis, int i) {
  Footprint f;
  const std::int64_t a = i * axis.step;
  const std::int64_t b = std::max(a + axis.step, a + 1);
  for (std::int64_t u = a >> kFractionBits; u * kOne < b; ++u) {
    const std::int64_t covered = std::min(b, (u + 1) * kOne) - std::max(a, u * kOne);
    if (covered <= 0) continue;
    f.cells.push_back(axis.Cell(u));
    f.weights.push_back(covered);
    f.total += covered;
  }
  return f;
}

// Bilinear neighbours of a position: two cells and the weight of the second (fraction bits).
struct Neighbours {
  int first;
  int second;
  std::int64_t fraction;
};

Neighbours NeighboursOf(const Axis& axis, int i) {
  const std::int64_t p = i * axis.step;
  const std::int64_t u = p >> kFractionBits;
  // At the right and bottom edge the pixel itself stands in for the missing neighbour.
  return {axis.Cell(u), axis.Cell(std::min<std::int64_t>(u + 1, axis.extent - 1)), p & (kOne - 1)};
}

class Stretch {
 public:
  Stretch(DibImage& destination, const DibImage& source, const Axis& x, const Axis& y)
      : destination_(destination),
        rows_(source),
        x_(x),
        y_(y),
        width_(DibImage_Width(destination)),
        height_(DibImage_Height(destination)) {
    // Only the destination columns inside the image are computed.
    for (int i = 0; i < x_.count; ++i) {
      const int dx = x_.start + i;
      if (dx >= 0 && dx < width_) columns_.push_back(i);
    }
  }

  void Run(bool average) {
    if (average && (x_.Reduces() || y_.Reduces())) {
      RunAverage();
    } else if (average) {
      RunBilinear();
    } else {
      RunNearest();
    }
  }

 private:
  std::uint8_t* Out(int j) {
    const int dy = y_.start + j;
    return dy >= 0 && dy < height_ ? DibImage_GetRow(destination_, dy) : nullptr;
  }

  void RunNearest() {
    std::vector<int> cells;
    for (const int i : columns_) cells.push_back(3 * x_.Cell((i * x_.step) >> kFractionBits));
    for (int j = 0; j < y_.count; ++j) {
      std::uint8_t* out = Out(j);
      if (!out) continue;
      const std::uint8_t* in = rows_.Row(y_.Cell((j * y_.step) >> kFractionBits));
      for (std::size_t k = 0; k < columns_.size(); ++k) {
        std::uint8_t* p = out + 3 * (x_.start + columns_[k]);
        const std::uint8_t* s = in + cells[k];
        p[0] = s[0];
        p[1] = s[1];
        p[2] = s[2];
      }
    }
  }

  void RunBilinear() {
    std::vector<Neighbours> across;
    for (const int i : columns_) across.push_back(NeighboursOf(x_, i));
    for (int j = 0; j < y_.count; ++j) {
      std::uint8_t* out = Out(j);
      if (!out) continue;
      const Neighbours down = NeighboursOf(y_, j);
      const std::uint8_t* top = rows_.Row(down.first);
      const std::uint8_t* bottom = rows_.Row(down.second);
      for (std::size_t k = 0; k < columns_.size(); ++k) {
        const Neighbours& n = across[k];
        std::uint8_t* p = out + 3 * (x_.start + columns_[k]);
        for (int c = 0; c < 3; ++c) {
          const std::int64_t upper =
              top[3 * n.first + c] * (kOne - n.fraction) + top[3 * n.second + c] * n.fraction;
          const std::int64_t lower =
              bottom[3 * n.first + c] * (kOne - n.fraction) + bottom[3 * n.second + c] * n.fraction;
          const std::int64_t v =
              (upper * (kOne - down.fraction) + lower * down.fraction) >> (2 * kFractionBits);
          p[c] = static_cast<std::uint8_t>(std::min<std::int64_t>(v, 255));
        }
      }
    }
  }

  // Separable area average: the source rows under a destination row are summed down by their
  // covered parts (a plain loop over the row that the compiler vectorises), then each
  // destination column sums its footprint across and divides by the covered area.
  void RunAverage() {
    int lowest = INT32_MAX;
    int highest = -1;
    for (const int i : columns_) {
      const Footprint f = FootprintOf(x_, i);
      across_.push_back({static_cast<std::uint32_t>(cells_.size()),
                         static_cast<std::uint32_t>(f.cells.size()), f.total});
      for (std::size_t n = 0; n < f.cells.size(); ++n) {
        cells_.push_back(3 * f.cells[n]);
        weights_.push_back(static_cast<std::uint32_t>(f.weights[n]));
        lowest = std::min(lowest, 3 * f.cells[n]);
        highest = std::max(highest, 3 * f.cells[n] + 2);
      }
    }
    if (highest < 0) return;
    // 32-bit column sums hold up to 500 rows of full weight, and their weighted sums across fit
    // 64 bits; taller footprints sum in 64 bits and across in floating point.
    if ((y_.step >> kFractionBits) < 500) {
      AverageRows<std::uint32_t, std::uint64_t>(lowest, highest);
    } else {
      AverageRows<std::uint64_t, double>(lowest, highest);
    }
  }

  template <class Sum, class Total>
  void AverageRows(int lowest, int highest) {
    std::vector<Sum> down(static_cast<std::size_t>(highest + 1));
    for (int j = 0; j < y_.count; ++j) {
      std::uint8_t* out = Out(j);
      if (!out) continue;
      const Footprint f = FootprintOf(y_, j);
      std::fill(down.begin() + lowest, down.end(), 0);
      for (std::size_t r = 0; r < f.cells.size(); ++r) {
        const std::uint8_t* in = rows_.Row(f.cells[r]);
        // Weights are at most 32768: 16 by 16 bit products, which vectorise well.
        const auto w = static_cast<std::uint16_t>(f.weights[r]);
        Sum* sum = down.data();
        for (int k = lowest; k <= highest; ++k) {
          sum[k] += static_cast<std::uint32_t>(w * static_cast<std::uint16_t>(in[k]));
        }
      }
      for (std::size_t k = 0; k < across_.size(); ++k) {
        const Span& span = across_[k];
        Total b = 0, g = 0, r = 0;
        for (std::uint32_t n = span.first; n < span.first + span.count; ++n) {
          const Sum* s = down.data() + cells_[n];
          const Total w = weights_[n];
          b += w * static_cast<Total>(s[0]);
          g += w * static_cast<Total>(s[1]);
          r += w * static_cast<Total>(s[2]);
        }
        // The small addend keeps exact quotients from falling short in the division.
        const double scale = 1.0 / (static_cast<double>(span.total) * static_cast<double>(f.total));
        std::uint8_t* p = out + 3 * (x_.start + columns_[k]);
        p[0] = static_cast<std::uint8_t>(static_cast<double>(b) * scale + 1e-7);
        p[1] = static_cast<std::uint8_t>(static_cast<double>(g) * scale + 1e-7);
        p[2] = static_cast<std::uint8_t>(static_cast<double>(r) * scale + 1e-7);
      }
    }
  }

  // A destination column's footprint in the flat cell and weight lists.
  struct Span {
    std::uint32_t first;
    std::uint32_t count;
    std::int64_t total;
  };

  DibImage& destination_;
  BgrRows rows_;
  const Axis& x_;
  const Axis& y_;
  int width_;
  int height_;
  std::vector<int> columns_;
  std::vector<Span> across_;
  std::vector<int> cells_;  // byte offsets in a source row
  std::vector<std::uint32_t> weights_;
};

}  // namespace

void DibImage_StretchBlit(DibImage& destination, const DibRect& to, const DibImage& source,
                          const DibRect& from, bool average) {
  if (DibImage_BitCount(destination) != 24 || !dib::IsReadableDepth(DibImage_BitCount(source))) {
    return;
  }
  Axis x;
  Axis y;
  if (!MakeAxis(to.x, to.w, from.x, from.w, DibImage_Width(source), x) ||
      !MakeAxis(to.y, to.h, from.y, from.h, DibImage_Height(source), y)) {
    return;
  }
  Stretch(destination, source, x, y).Run(average);
}

}  // namespace vx
