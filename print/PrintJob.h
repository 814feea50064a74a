// The job block of the print engine: what the request asks for, turned into the masks and flags
// the five print documents read, the output target, and what the documents leave in it when a
// run succeeds. The engine holds one; the preview keeps copies of it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/UiServices.h"
#include "print/DibImage.h"

namespace vx {

class PageCanvas;

// The five print documents; each has its own run, preparation pass and stop flag.
enum PrintDocumentKind : int {
  kDocumentNone = 0,
  kDocumentMap = 1,
  kDocumentListMap = 2,
  kDocumentListMap2 = 3,
  kDocumentList = 4,
  kDocumentCircleList = 5,
};
constexpr int kDocumentKindCount = 5;

// Where the pages go; 0 is the counting pass, which outputs nothing.
enum PrintTarget : int {
  kTargetCount = 0,
  kTargetImageFiles = 1,
  kTargetPrinter = 2,  // drawn straight onto the printer
  kTargetPreview = 3,
  kTargetPrinterImages = 4,  // the printer, pages first rendered as images ("BMPPrint")
};

enum PrintOrientation : int { kLandscape = 0, kPortrait = 1 };

// Image file formats of the image-file target.
enum PrintImageFormat : int { kImageBmp = 0, kImagePng = 1, kImageJpeg = 2 };

constexpr int kLinesPerPageTableSize = 10000;

struct PrintJob {
  // --- Left by the documents ---------------------------------------------------------------------
  int pageKind = 0;                     // 1 when pages are drawn straight onto the printer
  std::shared_ptr<DibImage> pageImage;  // none on the printer drawn directly
  std::shared_ptr<PageCanvas> canvas;   // what the renderers draw on, made by the back-end
  int currentPage = 0;
  int recordCount = 0;  // header line included
  int linesPrinted = 0;
  int linesPerPage = 0;
  int pagesOutput = 0;
  std::shared_ptr<DibImage> scaledPageImage;  // the preview's copy of the finished page
  int outputWidth = 0;
  int outputHeight = 0;
  std::vector<std::uint16_t> linesPerPageTable = std::vector<std::uint16_t>(kLinesPerPageTableSize);

  // --- Set by the engine -------------------------------------------------------------------------
  int highResolution = 0;
  int imageFormat = kImageBmp;
  int orientation = kLandscape;
  int layoutNumber = 0;
  int recordSortKey = 0;  // the print order when it is 2 (circle name) or 3 (colour), else 0
  bool breakDay = false;
  bool breakHall = false;
  bool breakColor = false;
  bool breakBlock = false;
  // Map documents: bit j for hall group j + 1, bit 7 + i for hall i + 1; lists: bit i for hall
  // i + 1.
  int hallMask = 0;
  int dayMask = 0;    // bit d - 1 for day d; the bit after the last day: circles not placed
  int colorMask = 0;  // bit c - 1 for check colour c
  int itemMask = 0;
  int rangeFlagA = 1;         // the copy count
  int rangeFlagB = 0;         // collate
  int pageFigure = 0;         // pages laid out by the preparation pass
  int preparationResult = 0;  // progress units of the preparation pass
  int target = kTargetCount;
  int longSide = 0;  // long side of written images in pixels; 0: the page's own size
  bool mapLine = false;
  int mapLineValue = 0;
  int lineColorMask = 0;  // bit c - 1 for each colour whose leader lines are drawn
  bool cutBorder = false;
  int cutDirection = 0;
  bool coordinateOrder = false;
  bool serialNumbers = false;
  bool enlargeSupplement = false;
  bool enlargeMemo = false;
  OwnerWindow ownerWindow = nullptr;
  double printableWidth = 0;  // millimetres
  double printableHeight = 0;
  double leftMargin = 0;
  double topMargin = 0;
  int mapPosition = 0;
  bool mapGenre = false;
  int genrePercent = 0;
  bool smallMap = false;
  bool smallMapRotation = false;
  bool colorList = false;
  std::string outputFolder;  // image-file target: native path
  std::string outputFile;    // image-file target: base name of the files
  std::string pageRange;     // empty after set-up; "1-" stands for all pages
};

}  // namespace vx
