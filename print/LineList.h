// The leader lines of a list-with-map page: from list entries to their circles' spaces on the
// map. The documents add one per circle; the renderer draws them when the page ends.
#pragma once

#include <vector>

#include "checklist/FavoriteColor.h"

namespace vx {

struct PrintJob;

constexpr int kMaxLeaderLines = 256;
constexpr int kLeaderGroups = 20;

struct LeaderLine {
  int x = 0;  // start
  int y = 0;
  int width = 0;  // end = start + (width, height)
  int height = 0;
  int group = 0;
  ColorRef color = 0;
};

void LineList_Clear();
// Adds a line; -1 (reported once a page) when 256 are stored or the group is outside 0..19.
int LineList_Add(int group, int x, int y, int width, int height, ColorRef color);
const std::vector<LeaderLine>& LineList_Lines();
// Draws every line of the page (points in page pixels) on the page's canvas, in the width of
// the job's line setting.
int LineList_Draw(PrintJob& job, bool output);

}  // namespace vx
