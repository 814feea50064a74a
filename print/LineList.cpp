#include "print/LineList.h"

#include <algorithm>
#include <cstdlib>

#include "platform/CodePage.h"
#include "print/PageDrawing.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"

namespace vx {
namespace {

struct Offset {
  int dx;
  int dy;
};

// The line drawn several times side by side: wider steps take more offsets and larger end
// squares.
struct LineStyle {
  std::vector<Offset> offsets;
  int square;
};

LineStyle StyleOf(int step) {
  switch (step) {
    case 0:
      return {{{0, 0}}, 5};
    case 1:
      return {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}, 6};
    case 2:
      return {{{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}, 7};
    default: {
      LineStyle ring{{}, 9};
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          const bool onRing = std::max(std::abs(dx), std::abs(dy)) == 2;
          const bool corner = std::abs(dx) == 2 && std::abs(dy) == 2;
          if (onRing && !corner) ring.offsets.push_back({dx, dy});
        }
      }
      return ring;
    }
  }
}

void Square(DibImage& page, int x, int y, int size, int r, int g, int b) {
  DibImage_FillRect(page, x - size / 2, y - size / 2, size, size, r, g, b, kDibMultiply);
}

}  // namespace

void LineList_Clear() {
  PrintEngineState& state = PrintEngine_State();
  state.leaderLines.clear();
  state.leaderColumns.fill(-1);
  state.leaderLimitReported = false;
}

int LineList_Add(int group, int column, int x, int y, int width, int height, ColorRef color) {
  PrintEngineState& state = PrintEngine_State();
  if (group < 0 || group >= kLeaderGroups || state.leaderLines.size() >= kMaxLeaderLines) {
    if (!state.leaderLimitReported) {
      state.leaderLimitReported = true;
      ReportPrintError(Sjis("1ページの引き出し線が多すぎます(256本まで)"), "LineList_Add");
    }
    return -1;
  }
  state.leaderLines.push_back({x, y, width, height, group, color});
  int& largest = state.leaderColumns[static_cast<std::size_t>(group)];
  largest = std::max(largest, column);
  return 0;
}

const std::vector<LeaderLine>& LineList_Lines() { return PrintEngine_State().leaderLines; }

int LineList_LargestColumn(int group) {
  if (group < 0 || group >= kLeaderGroups) return -1;
  return PrintEngine_State().leaderColumns[static_cast<std::size_t>(group)];
}

}  // namespace vx

namespace vx {

int LineList_Draw(PrintJob& job, bool output) {
  DibImage* page = PrintPage_Canvas(job, output);
  if (!page) return 0;
  const int step = std::clamp(job.mapLineValue + (job.highResolution ? 1 : 0), 0, 3);
  const LineStyle style = StyleOf(step);
  for (const LeaderLine& line : LineList_Lines()) {
    const int x = line.x;
    const int endX = line.x + line.width;
    const int endY = line.y + line.height;
    const int r = line.color & 0xFF;
    const int g = (line.color >> 8) & 0xFF;
    const int b = (line.color >> 16) & 0xFF;
    // Wide lines in the colour halfway to white, so that the map shows through their overlaps.
    const bool wide = step > 0;
    const int lr = wide ? 255 - (255 - r) / 2 : r;
    const int lg = wide ? 255 - (255 - g) / 2 : g;
    const int lb = wide ? 255 - (255 - b) / 2 : b;
    for (const Offset& o : style.offsets) {
      DibImage_DrawLine(*page, x + o.dx, line.y + o.dy, endX - x, endY - line.y, lr, lg, lb,
                        kDibMultiply);
    }
    Square(*page, x, line.y, style.square, r, g, b);
    Square(*page, endX, endY, style.square, r, g, b);
  }
  return 0;
}

}  // namespace vx
