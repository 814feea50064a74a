#include "print/LineList.h"

#include "platform/CodePage.h"
#include "print/PageCanvas.h"
#include "print/PageDrawing.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"

namespace vx {

void LineList_Clear() {
  PrintEngineState& state = PrintEngine_State();
  state.leaderLines.clear();
  state.leaderLimitReported = false;
}

int LineList_Add(int group, int x, int y, int width, int height, ColorRef color) {
  PrintEngineState& state = PrintEngine_State();
  if (group < 0 || group >= kLeaderGroups || state.leaderLines.size() >= kMaxLeaderLines) {
    if (!state.leaderLimitReported) {
      state.leaderLimitReported = true;
      ReportPrintError(Sjis("1ページの引き出し線が多すぎます(256本まで)"), "LineList_Add");
    }
    return -1;
  }
  state.leaderLines.push_back({x, y, width, height, group, color});
  return 0;
}

const std::vector<LeaderLine>& LineList_Lines() { return PrintEngine_State().leaderLines; }

int LineList_Draw(PrintJob& job, bool output) {
  PageCanvas* canvas = PrintPage_Canvas(job, output);
  const std::vector<LeaderLine>& lines = LineList_Lines();
  if (!canvas || lines.empty()) return 0;
  if (canvas->DrawLeaderLines(lines, job.mapLineValue, job.highResolution != 0) != 0) {
    ReportPrintError(Sjis("印刷用メモリが確保できません"), "LineList_Draw");
    return -1;
  }
  return 0;
}

}  // namespace vx
