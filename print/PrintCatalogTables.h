// The catalogue tables of a print job: check colours, and per event day its label, weekday,
// hall groups (maps) and hall entries with their picture names and print rectangles. The engine
// fills them at the start of every document; the documents and page renderers look names, block
// lists and file names up in them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "checklist/FavoriteColor.h"
#include "data/PavorunMaster.h"
#include "print/PrintDataSource.h"

namespace vx {

struct PrintJob;
struct PrintLayout;

constexpr int kHallGroupCount = 7;   // maps of the halls
constexpr int kHallCount = 14;       // areas
constexpr int kMaxHallEntries = 15;  // per day

// The fixed hall-group and hall names (CP932), numbers 1.. in this order.
const std::array<std::string, kHallGroupCount>& HallGroupNames();
const std::array<std::string, kHallCount>& HallNames();

struct PrintHallGroup {
  int mapId = 0;  // 0: the catalogue has no map of this name
  bool highResolution = false;
  std::string mapFile;  // names relative to the image folder; the map's is empty when missing
  std::string genreFile;
  std::string outlineFile;
  PrintRect print;
  PrintMapCell cell;  // origin + 1 and desk size; doubled in high resolution
  std::string blockNames;
  std::string name;
  int rotate = 0;
  int hallCount = 0;  // of the day's hall entries on this map
};

struct PrintHallEntry {
  int hallGroup = 0;  // 1..7
  int hall = 0;       // 1..14
  PrintRect print;
  std::string name;
  std::string firstBlock;
  int smallestSpace = 0;
  int largestSpace = 0;
  std::string furtherBlocks;
  std::string outlineFile;
};

struct PrintDay {
  std::string label;                   // the layout's DAYCOUNT with the day number, or POSFAIL
  std::string weekday;                 // the short weekday name, or POSFAIL2
  std::vector<PrintHallGroup> groups;  // 7, or none for the circles not placed
  std::vector<PrintHallEntry> halls;   // up to 15
  std::string outlineFile;             // the outline of the whole day ("BS")
};

struct PrintColor {
  ColorRef color = 0xFFFFFF;
  std::string name;
};

struct PrintCatalogTables {
  int colorCount = 0;
  std::vector<PrintColor> colors;  // [1..n] the check colours, [n + 1] white; [0] unused
  int dayCount = 0;
  std::vector<PrintDay> days;  // [0..dayCount-1] the event days, [dayCount] circles not placed
  int maxGroups = 0;
  int maxHallEntries = 0;

  // The colour of check colour c, white for c outside 1..n.
  ColorRef ColorOf(int c) const;
};

// Fills the engine's tables from its data source and image folder with the layout's day texts;
// the job's high-resolution flag chooses the pictures.
int PrintEngine_LoadCatalogTables(const PrintLayout& layout, const PrintJob& job);
// Ids of the i-th (0-based) hall group's map and hall's area; 0 when the name is unknown.
int PrintEngine_GetHallGroupMapId(int i);
int PrintEngine_GetHallAreaId(int i);

}  // namespace vx
