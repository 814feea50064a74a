#include "print/HallMapRenderer.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "print/MapDesk.h"
#include "print/MapPictureFile.h"
#include "print/MapPlacement.h"
#include "print/PageDrawing.h"
#include "print/PrintEngineState.h"
#include "print/PrintErrors.h"
#include "print/PrintRecordFields.h"

namespace vx {
namespace {

HallMapCache& Cache() { return PrintEngine_State().hallMap; }

const PrintHallGroup* GroupOf(int hallGroup, int day) {
  const PrintCatalogTables& tables = PrintEngine_State().tables;
  if (day < 1 || day > static_cast<int>(tables.days.size())) return nullptr;
  const PrintDay& d = tables.days[static_cast<std::size_t>(day - 1)];
  if (hallGroup < 1 || hallGroup > static_cast<int>(d.groups.size())) return nullptr;
  return &d.groups[static_cast<std::size_t>(hallGroup - 1)];
}

// Subtracts the colour's complement: white becomes the colour, darker pixels darker still.
void Mark(DibImage& map, const DibRect& r, ColorRef color) {
  DibImage_FillRect(map, r.x, r.y, r.w, r.h, 255 - (color & 0xFF), 255 - ((color >> 8) & 0xFF),
                    255 - ((color >> 16) & 0xFF), kDibSubtract);
}

void Restore(DibImage& working, const DibImage& loaded, const DibRect& r) {
  DibImage_Blit(working, r.x, r.y, r.w, r.h, loaded, r.x, r.y, kDibSet);
}

}  // namespace

void MapHall_ClearCache() { Cache() = HallMapCache{}; }

int MapHall_ReadBMPMap(int hallGroup, int day, const PrintJob& job, bool output) {
  if (!output) return 0;
  HallMapCache& cache = Cache();
  if (cache.loaded && cache.hallGroup == hallGroup && cache.day == day) return 0;
  MapHall_ClearCache();
  const PrintHallGroup* group = GroupOf(hallGroup, day);
  if (!group || group->mapFile.empty()) return 0;
  DibImagePtr picture = MapPicture_Load(group->mapFile);
  DibImagePtr map = picture ? DibImage_To24(*picture) : nullptr;
  if (!map) {
    ReportFileReadError(PrintEngine_ImagePath(group->mapFile), "MapHall_ReadBMPMap");
    return -1;
  }
  if (MapHall_MixGenreMap(*map, hallGroup, day, job) != 0) return -1;
  cache.hallGroup = hallGroup;
  cache.day = day;
  cache.loaded = std::move(map);
  return 0;
}

int MapHall_MixGenreMap(DibImage& map, int hallGroup, int day, const PrintJob& job) {
  if (!job.mapGenre || job.genrePercent == 0) return 0;
  const PrintHallGroup* group = GroupOf(hallGroup, day);
  if (!group || !PrintEngine_ImageFileExists(group->genreFile)) return 0;
  DibImagePtr picture = MapPicture_Load(group->genreFile);
  if (!picture) {
    ReportFileReadError(PrintEngine_ImagePath(group->genreFile), "MapHall_MixGenreMap");
    return -1;
  }
  DibImagePtr layer = DibImage_To24(*picture);
  if (!layer) {
    ReportPrintError(Sjis("印刷用メモリが確保できません(1)"), "MapHall_MixGenreMap");
    return -1;
  }
  const int lighten = 100 - std::clamp(job.genrePercent, 0, 100);
  const int width = DibImage_Width(*layer);
  const int height = DibImage_Height(*layer);
  if (lighten > 0) {
    DibImage_FillRect(*layer, 0, 0, width, height, 255, 255, 255,
                      lighten >= 100 ? kDibSet : lighten);
  }
  DibImage_Blit(map, 0, 0, width, height, *layer, 0, 0, kDibMultiply);
  return 0;
}

int MapHall_StartPage(bool output) {
  HallMapCache& cache = Cache();
  cache.working.reset();
  cache.lastDeskValid = false;
  if (!output || !cache.loaded) return 0;
  cache.working = DibImage_To24(*cache.loaded);
  if (!cache.working) {
    ReportPrintError(Sjis("印刷用メモリが確保できません(1)"), "MapHall_StartPage");
    return -1;
  }
  return 0;
}

int MapHall_PaintCircle(const PrintRecord& record, const PrintJob&, bool output) {
  HallMapCache& cache = Cache();
  const PrintHallGroup* group = GroupOf(cache.hallGroup, cache.day);
  if (!output || !cache.working || !group) return 0;
  const ColorRef color = PrintEngine_State().tables.ColorOf(record.FieldInt(kFieldColor));
  const DibRect r = MapDesk_CircleRect(record, group->cell);
  const bool wholeDesk = record.fieldCount <= 22;
  if (wholeDesk && cache.lastDeskValid && cache.lastDeskX == r.x && cache.lastDeskY == r.y) {
    // Two circles on one desk without halves: each shows on its own side.
    Restore(*cache.working, *cache.loaded, r);
    Mark(*cache.working, {r.x, r.y, r.w / 2, r.h}, cache.lastDeskColor);
    Mark(*cache.working, {r.x + r.w / 2, r.y, r.w - r.w / 2, r.h}, color);
    cache.lastDeskValid = false;
    return 0;
  }
  Mark(*cache.working, r, color);
  cache.lastDeskValid = wholeDesk;
  cache.lastDeskX = r.x;
  cache.lastDeskY = r.y;
  cache.lastDeskColor = color;
  return 0;
}

int MapHall_DrawMap(PrintJob& job, const MapPlacement& placement, int frameWidth, bool output) {
  PageCanvas* canvas = PrintPage_Canvas(job, output);
  const HallMapCache& cache = Cache();
  if (!canvas || placement.onPage.w <= 0 || placement.onPage.h <= 0) return 0;
  const PagePoint origin = PrintPage_Origin();
  const DibRect to{placement.onPage.x + origin.x, placement.onPage.y + origin.y, placement.onPage.w,
                   placement.onPage.h};
  if (cache.working && canvas->DrawPicture(to, *cache.working, placement.part) != 0) {
    ReportPrintError(Sjis("印刷用メモリが確保できません(1)"), "MapHall_DrawMap");
    return -1;
  }
  if (frameWidth > 0) {
    DrawFrame(*canvas,
              {to.x - frameWidth, to.y - frameWidth, to.w + 2 * frameWidth, to.h + 2 * frameWidth},
              frameWidth, frameWidth);
  }
  return 0;
}

}  // namespace vx
