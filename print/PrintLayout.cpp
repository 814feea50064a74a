// Section names, the documents' reading order and the high-resolution doubling.
#include "print/PrintLayout.h"

#include <atomic>
#include <filesystem>

#include "platform/CodePage.h"
#include "print/PrintEngineState.h"
#include "print/PrintJob.h"

namespace vx {
namespace {

void Double(int& value, int k) { value *= k; }
void Double(DibRect& r, int k) {
  r.x *= k;
  r.y *= k;
  r.w *= k;
  r.h *= k;
}

void ScaleColorList(PrintLayout& l, int k) {
  for (int* v : {&l.colorOffsetX, &l.colorOffsetY, &l.colorCellWidth, &l.colorCellHeight,
                 &l.colorCellBorderWidth, &l.colorCellBorderHeight, &l.colorCellPaddingWidth,
                 &l.colorCellPaddingHeight, &l.colorPageBorderWidth, &l.colorPageBorderHeight,
                 &l.colorPagePaddingWidth, &l.colorPagePaddingHeight, &l.colorBoxWidth,
                 &l.colorBoxBorderWidth, &l.colorBoxBorderHeight}) {
    Double(*v, k);
  }
}

void ScaleLists(PrintLayout& l, int k) {
  for (int* v : {&l.cellWidth, &l.cellHeight, &l.borderWidth, &l.borderHeight, &l.paddingWidth,
                 &l.paddingHeight, &l.separatorWidth, &l.listOffsetX, &l.listOffsetY,
                 &l.mapListOffsetX, &l.mapListOffsetY, &l.hallListOffsetX, &l.hallListOffsetY,
                 &l.fixedSum, &l.boxDrawPointX, &l.boxDrawPointY}) {
    Double(*v, k);
  }
  for (PrintLayoutColumn& column : l.listColumns) {
    if (column.width <= 0) Double(column.width, k);  // shares stay as they are
  }
  for (PrintLayoutBox& box : l.boxes) {
    for (int* v :
         {&box.x, &box.y, &box.width, &box.height, &box.border, &box.padding, &box.fontSize}) {
      Double(*v, k);
    }
  }
}

}  // namespace

std::string PrintLayout_SectionName(int documentKind, int layoutNumber, int orientation) {
  const char* prefix = nullptr;
  switch (documentKind) {
    case kDocumentMap:
      prefix = "MAP_";
      layoutNumber = 0;
      break;
    case kDocumentListMap:
      prefix = "LISTMAP_";
      break;
    case kDocumentListMap2:
      prefix = "LISTMAP2_";
      break;
    case kDocumentList:
      prefix = "LIST_";
      break;
    case kDocumentCircleList:
      prefix = "CIRCLELIST_";
      break;
    default:
      return {};
  }
  return prefix + std::to_string(layoutNumber) + (orientation == kLandscape ? "H" : "V");
}

void All_ScaleLayoutParam(const PrintJob& job) {
  PrintLayout& l = PrintEngine_State().layout;
  const int k = job.highResolution == 1 ? 2 : 1;
  l.scale = k;
  if (k == 1) return;
  Double(l.dpi, k);
  Double(l.pageTitleFont, k);
  ScaleColorList(l, k);
  Double(l.outlineMapRect, k);
  Double(l.outlineHallRect, k);
  Double(l.outlineFrameWidth, k);
  Double(l.outlineOuterFrameWidth, k);
  ScaleLists(l, k);
  Double(l.mapRect, k);
  Double(l.hallRect, k);
}

int PrintLayout_ReadForDocument(const PrintJob& job, int documentKind) {
  std::atomic<bool>& failed = PrintEngine_State().layoutFailed;
  failed = true;
  const std::string section =
      PrintLayout_SectionName(documentKind, job.layoutNumber, job.orientation);
  if (section.empty() || Document_ReadLayoutParam(job) != 0 || All_ReadLayoutParam(section) != 0) {
    return -1;
  }
  bool ok = true;
  switch (documentKind) {
    case kDocumentList:
      ok = List_ReadLayoutParam(section) == 0 && List1_ReadLayoutParam(section, job) == 0;
      break;
    case kDocumentCircleList:
      ok = List_ReadLayoutParam(section) == 0 && List2_ReadLayoutParam(section) == 0;
      break;
    case kDocumentMap:
      ok = MapHall_ReadLayoutParam(section) == 0 && Map_ReadUnrotate(section);
      break;
    case kDocumentListMap:
      ok = List1_ReadLayoutParam(section, job) == 0 && MapHall_ReadLayoutParam(section) == 0 &&
           MapHallLine_ReadLayoutParam(section) == 0;
      break;
    default:
      ok = List2_ReadLayoutParam(section) == 0 && MapHall_ReadLayoutParam(section) == 0 &&
           MapHallLine_ReadLayoutParam(section) == 0 && ListMap2_ReadBoxDrawPoint(section);
      break;
  }
  const bool maps = documentKind >= kDocumentMap && documentKind <= kDocumentListMap2;
  if (!ok || ReadLayoutParam_CL(section) != 0 || (maps && ReadLayoutParam_AM(section) != 0)) {
    return -1;
  }
  All_ScaleLayoutParam(job);
  failed = false;
  return 0;
}

bool PrintLayout_Failed() { return PrintEngine_State().layoutFailed; }

std::string PrintLayout_FailureText() {
  const std::filesystem::path& file = PrintEngine_State().layoutFile;
  std::error_code error;
  if (std::filesystem::status(file, error).type() == std::filesystem::file_type::not_found) {
    return Sjis("組み込みの印刷レイアウトに誤りがあるため、印刷できません。");
  }
  return Sjis("印刷レイアウトファイル ") + Utf8ToCp932(file.string()) +
         Sjis(
             " に誤りがあるため、印刷できません。\n"
             "ファイルを直すか、削除して組み込みのレイアウトを使ってください。");
}

}  // namespace vx
