// The "Print" group of the settings: one block of 234 32-bit words. The print dialogs copy it whole
// and the print settings pages address its words by number, so the layout below is fixed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace vx {

constexpr int kPrintKindCount = 4;  // list, cut list, map, blank map
constexpr int kPaperKindCount = 7;  // free, A3, B4, A4, B5, A5, B6
constexpr std::size_t kPrintPathSize = 260;

// Margins of one paper kind, in tenths of a millimetre.
struct PrintMargins {
  std::int32_t top;
  std::int32_t bottom;
  std::int32_t left;
  std::int32_t right;
};

// The thirteen words of one print kind.
struct PrintKindSettings {
  std::int32_t days;        // "VQ%dDays.%02d": day bits
  std::int32_t blocks;      // "VQ%dBlocks.%02d": hall bits
  std::int32_t maps;        // "VQ%dMaps.%02d": hall-group bits
  std::int32_t colors;      // check-colour bits
  std::int32_t sort;        // print order
  std::int32_t pageChange;  // page breaks: day, hall, colour, block
  std::int32_t layout;
  std::int32_t items;  // printed items
  std::int32_t page;   // serial numbers
  std::int32_t colorList;
  std::int32_t blockAll;
  std::int32_t enlargeSup;
  std::int32_t enlargeMemo;
};

struct PrintSettings {
  std::int32_t mode;  // print kind: 0 list, 1 cut list, 2 map, 3 blank map
  std::int32_t paperType;
  std::int32_t paperSizeW;
  std::int32_t paperSizeH;
  std::int32_t keepMarginAspect;
  PrintMargins margins[kPaperKindCount];
  std::int32_t cMapBlocks;
  std::int32_t cutBorder;
  std::int32_t cutDir;
  std::int32_t mapLine;
  std::int32_t mapGenre;
  std::int32_t mapGenrePercent;
  std::int32_t mapSmallMap;
  std::int32_t mapSmallMapRot;
  std::int32_t mapPosition;
  std::int32_t mapLineColors;
  std::int32_t whiteMapGenre;
  std::int32_t whiteMapGenrePercent;
  std::int32_t whiteMapSmallMap;
  std::int32_t whiteMapSmallMapRot;
  std::int32_t whiteMapPosition;
  std::int32_t bmpPrint;
  std::int32_t hiReso;
  char bmpOutPath[kPrintPathSize];
  char bmpOutFile[kPrintPathSize];
  std::int32_t bmpOutSize;
  std::int32_t bmpOutFormat;
  PrintKindSettings kinds[kPrintKindCount];
};

constexpr int kPrintSettingsWords = 234;
constexpr int kPrintKindFirstWord = 182;  // word of kinds[0].days; each kind has 13 words

#define VX_PRINT_WORD(field, word) \
  static_assert(offsetof(PrintSettings, field) == (word)*4, #field " must stay at word " #word)
VX_PRINT_WORD(paperType, 1);
VX_PRINT_WORD(margins, 5);
VX_PRINT_WORD(cMapBlocks, 33);
VX_PRINT_WORD(cutBorder, 34);
VX_PRINT_WORD(cutDir, 35);
VX_PRINT_WORD(mapLine, 36);
VX_PRINT_WORD(mapGenrePercent, 38);
VX_PRINT_WORD(mapSmallMapRot, 40);
VX_PRINT_WORD(mapPosition, 41);
VX_PRINT_WORD(mapLineColors, 42);
VX_PRINT_WORD(whiteMapGenre, 43);
VX_PRINT_WORD(whiteMapPosition, 47);
VX_PRINT_WORD(bmpPrint, 48);
VX_PRINT_WORD(hiReso, 49);
VX_PRINT_WORD(bmpOutPath, 50);
VX_PRINT_WORD(bmpOutFile, 115);
VX_PRINT_WORD(bmpOutSize, 180);
VX_PRINT_WORD(bmpOutFormat, 181);
VX_PRINT_WORD(kinds, kPrintKindFirstWord);
VX_PRINT_WORD(kinds[2].layout, 214);
VX_PRINT_WORD(kinds[3].colors, 224);
VX_PRINT_WORD(kinds[3].layout, 227);
#undef VX_PRINT_WORD
static_assert(sizeof(PrintKindSettings) == 13 * 4);
static_assert(sizeof(PrintSettings) == kPrintSettingsWords * 4);
static_assert(std::is_trivially_copyable_v<PrintSettings>);

}  // namespace vx
