// Job set-up: the request turned into the document, the masks and flags of the job block.
#include <map>

#include "print/PrintDataSource.h"
#include "print/PrintEngine.h"
#include "print/PrintEngineState.h"
#include "print/PrintSelection.h"

namespace vx {
namespace {

struct DocumentChoice {
  int kind = kDocumentNone;
  int orientation = kLandscape;
  int layoutNumber = 0;
  int headerOnly = -1;  // -1: left as it was
};

DocumentChoice ChooseListDocument(int layout) {
  if (layout == 1 || layout == 2) return {kDocumentList, kPortrait, layout - 1, 0};
  if (layout >= 3 && layout <= 5) return {kDocumentList, kLandscape, layout - 3, 0};
  return {kDocumentList, kLandscape, 0, 0};
}

DocumentChoice ChooseCutListDocument(int layout) {
  if (layout >= 1 && layout <= 4) return {kDocumentCircleList, kLandscape, 4 - layout, 0};
  if (layout >= 5 && layout <= 8) return {kDocumentCircleList, kPortrait, 8 - layout, 0};
  return {kDocumentCircleList, kLandscape, 0, 0};
}

DocumentChoice ChooseMapDocument(int layout) {
  const int orientation = layout >= 7 ? kPortrait : kLandscape;
  const int l = layout >= 7 ? layout - 6 : layout;
  switch (l) {
    case 1:
      return {kDocumentMap, orientation, 0, 1};
    case 2:
      return {kDocumentMap, orientation, 1, 0};
    case 3:
      return {kDocumentListMap, orientation, 0, 0};
    case 4:
    case 5:
    case 6:
      return {kDocumentListMap2, orientation, l - 4, 0};
    default:
      return {kDocumentMap, orientation, 0, -1};
  }
}

DocumentChoice ChooseDocument(const PrintSelection& request) {
  switch (request.family) {
    case PrintSelection::kFamilyCutList:
      return ChooseCutListDocument(request.layout);
    case PrintSelection::kFamilyMaps:
      return ChooseMapDocument(request.layout);
    default:
      return ChooseListDocument(request.layout);
  }
}

bool IsMapDocument(int kind) { return kind >= kDocumentMap && kind <= kDocumentListMap2; }

// Halls with a print rectangle and circles are taken when the request takes them; hall groups
// when the request names them and their map shows more than one such hall.
int HallMask(const PrintSelection& request, int kind) {
  const PrintDataSource* source = PrintEngine_Services().source;
  if (!source) return 0;
  const int offset = IsMapDocument(kind) ? kHallGroupCount : 0;
  std::map<int, int> hallsOnMap;
  int mask = 0;
  for (int i = 0; i < kHallCount; ++i) {
    const PrintAreaInfo area =
        source->Area(source->FindAreaId(HallNames()[static_cast<std::size_t>(i)]));
    if (!area.hasPrintRect || area.circleCount < 1) continue;
    if (request.TakesHall(i + 1)) mask |= 1 << (i + offset);
    ++hallsOnMap[area.mapId];
  }
  if (!IsMapDocument(kind)) return mask;
  for (int j = 0; j < kHallGroupCount; ++j) {
    const int mapId = source->FindMapId(HallGroupNames()[static_cast<std::size_t>(j)]);
    if (request.HasHallGroup(j + 1) && mapId != 0 && hallsOnMap[mapId] > 1) mask |= 1 << j;
  }
  return mask;
}

// Sets a record-set input; a change makes the next pass build the records again.
template <class T>
void SetRecordInput(T& field, T value) {
  if (field == value) return;
  field = value;
  PrintEngine_InvalidateRecords();
}

void SetOrderAndBreaks(PrintEngineState& state, const PrintSelection& request) {
  PrintJob& job = state.job;
  job.breakDay = request.BreaksAt(PrintSelection::kBreakDay);
  job.breakHall = request.BreaksAt(PrintSelection::kBreakHall);
  job.breakBlock = request.BreaksAt(PrintSelection::kBreakBlock);
  job.breakColor = request.BreaksAt(PrintSelection::kBreakColor);
  int order = request.printOrder;
  if (order == kOrderPlace) {
    if (job.breakBlock) job.breakHall = false;
    if (job.breakHall) order = kOrderHallPlace;
  }
  job.coordinateOrder = order == kOrderCoordinates;
  SetRecordInput(state.printOrder, order);
  SetRecordInput(state.blockAll, order == kOrderPlace && request.blockAll);
  job.recordSortKey = order == kOrderCircleName || order == kOrderColor ? order : 0;
}

void SetMasks(PrintEngineState& state, const PrintSelection& request) {
  PrintJob& job = state.job;
  const PrintDataSource* source = state.services.source;
  const int dayCount = source ? source->DayCount() : 0;
  job.dayMask = 0;
  for (int d = 0; d <= dayCount && d < 31; ++d) {
    if (request.TakesDay(d + 1)) job.dayMask |= 1 << d;
  }
  const int colorCount = source ? source->CheckColorCount() : 0;
  int colorMask = 0;
  for (int c = 0; c < colorCount && c < 31; ++c) {
    if (request.TakesColor(c + 1)) colorMask |= 1 << c;
  }
  SetRecordInput(job.colorMask, colorMask);
  job.lineColorMask = 0;
  for (const int c : request.LineColors()) {
    if (c >= 1 && c <= 31) job.lineColorMask |= 1 << (c - 1);
  }
  job.itemMask = request.itemMask;
  job.hallMask = HallMask(request, state.documentKind);
}

void CopyOptions(PrintJob& job, const PrintSelection& request) {
  job.mapLine = request.mapLine;
  job.mapLineValue = request.mapLineValue;
  job.cutBorder = request.cutBorder;
  job.cutDirection = request.cutDirection;
  job.serialNumbers = request.serialNumbers;
  job.enlargeSupplement = request.enlargeSupplement;
  job.enlargeMemo = request.enlargeMemo;
  job.mapPosition = request.mapPosition;
  job.mapGenre = request.mapGenre;
  job.genrePercent = request.genrePercent;
  job.smallMap = request.smallMap;
  job.smallMapRotation = request.smallMapRotation;
  job.colorList = request.colorList;
  job.printableWidth = request.printableWidth;
  job.printableHeight = request.printableHeight;
  job.leftMargin = request.leftMargin;
  job.topMargin = request.topMargin;
}

}  // namespace

int PrintEngine_SetupJob(PrintSelection& request) {
  PrintEngineState& state = PrintEngine_State();
  PrintJob& job = state.job;
  const DocumentChoice choice = ChooseDocument(request);
  state.documentKind = choice.kind;
  job.orientation = choice.orientation;
  job.layoutNumber = choice.layoutNumber;
  if (choice.headerOnly >= 0) SetRecordInput(state.headerOnly, choice.headerOnly == 1);
  if (choice.kind == kDocumentListMap2) request.cutDirection = 0;
  // Every job starts at normal resolution; the targets chosen after the set-up raise it.
  job.highResolution = 0;
  state.pageLimitReported = false;
  SetOrderAndBreaks(state, request);
  SetMasks(state, request);
  CopyOptions(job, request);
  job.pageRange.clear();
  job.rangeFlagA = 1;
  job.rangeFlagB = 0;
  job.ownerWindow = nullptr;
  job.pageFigure = 0;
  PrintEngine_PrepareJob();
  return job.pageFigure;
}

}  // namespace vx
