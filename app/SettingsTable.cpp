#include "app/SettingsTable.h"

namespace vx::settings {
namespace {

using V = SettingsValues;
using P = PrintSettings;
using K = PrintKindSettings;

constexpr IntKey<V> kSystemInts[] = {
    {"VQNumber96", &V::eventNumber, 96},
    {"noDatabase96", &V::noDatabase, 0},
};

constexpr IntKey<V> kWindowInts[] = {
    {"ChildWndTop", &V::childWndTop, 0},     {"CutAntiAlias", &V::cutAntiAlias, 1},
    {"CutResolution", &V::cutResolution, 0}, {"CutStretchMode", &V::cutStretchMode, 0},
    {"CutZoomSize", &V::cutZoomSize, 100},   {"ListShowCut", &V::listShowCut, 1},
    {"MapAntiAlias", &V::mapAntiAlias, 1},   {"MapStretchMode", &V::mapStretchMode, 0},
    {"MapZoomSize", &V::mapZoomSize, 100},   {"MapGenreDisp", &V::mapGenreDisp, 0},
};

constexpr IntKey<V> kConfigInts[] = {
    {"ListSortEnable", &V::listSortEnable, 1},
    {"SortEnable", &V::sortEnable, 1},
    {"AutoNext", &V::autoNext, 1},
    {"AutoNext2", &V::autoNext2, 0},
    {"ListSync", &V::listSync, 0},
    {"ScrollMode", &V::scrollMode, 0},
    {"AutoSel", &V::autoSel, 0},
    {"OneClickSel", &V::oneClickSel, 0},
    {"MdlsSearch", &V::mdlsSearch, 0},
    {"StrictLoad", &V::strictLoad, 0},
    {"AutoLoad", &V::autoLoad, 0},
    {"SearchDlgStyle", &V::searchDlgStyle, 1},
    {"CursorInit", &V::cursorInit, 0},
    {"StartCover", &V::startCover, 1},
    {"FvrOver", &V::fvrOver, 0},
    {"FvrOverColor", &V::fvrOverColor, 0},
    {"SyncIconic", &V::syncIconic, 0},
    {"BrowserPathMode", &V::browserPathMode, 0},
};

constexpr IntKey<V> kGoogleInts[] = {
    {"Type", &V::googleType, 1},
    {"Item1", &V::googleItem1, 1},
    {"Item2", &V::googleItem2, 3},
    {"Condition", &V::googleCondition, 0},
};

constexpr IntSection kSystemIntSections[] = {
    {kSystemSection, kSystemInts},
    {kWindowSection, kWindowInts},
    {kConfigSection, kConfigInts},
    {"Google", kGoogleInts},
};

constexpr SystemText kSystemTexts[] = {
    {kSystemSection, {"DefaultFileDir96", &V::defaultFileDir, ""}},
    {kConfigSection, {"BrowserPath", &V::browserPath, ""}},
};

constexpr IntKey<V> kEventInts[] = {
    {"LastSelPage", &V::lastSelPage, 0},
    {"ImgPathMode", &V::imgPathMode, 0},
};

// Relative to the image folder; the look-up accepts either separator.
constexpr TextKey<V> kEventTexts[] = {
    {"MDATAFile", &V::mdataFile, "MDATA/MAP%1d%s.PNG"},
    {"GDATAFile", &V::gdataFile, "MDATA/GNR%1d%s.PNG"},
    {"ADATAFile", &V::adataFile, "MDATA/ALLMAP%s.PNG"},
    {"HMDATAFile", &V::hmdataFile, "MDATA/HMP%1d%s.PNG"},
    {"HGDATAFile", &V::hgdataFile, "MDATA/HGR%1d%s.PNG"},
    {"HADATAFile", &V::hadataFile, "MDATA/HALMAP%s.PNG"},
    {"ImagePath", &V::imagePath, ""},
};

constexpr IntKey<P> kPrintInts[] = {
    {"Mode", &P::mode, 0},
    {"CMapBlocks", &P::cMapBlocks, 65280},
    {"MapLine", &P::mapLine, 1},
    {"MapGenre", &P::mapGenre, 0},
    {"MapGenrePercent", &P::mapGenrePercent, 50},
    {"MapSmallMap", &P::mapSmallMap, 1},
    {"MapSmallMapRot", &P::mapSmallMapRot, 1},
    {"MapPosition", &P::mapPosition, 5},
    {"MapLineColors", &P::mapLineColors, 65535},
    {"WhiteMapGenre", &P::whiteMapGenre, 1},
    {"WhiteMapGenrePercent", &P::whiteMapGenrePercent, 50},
    {"WhiteMapSmallMap", &P::whiteMapSmallMap, 1},
    {"WhiteMapSmallMapRot", &P::whiteMapSmallMapRot, 1},
    {"WhiteMapPosition", &P::whiteMapPosition, 5},
    {"CutBorder", &P::cutBorder, 0},
    {"CutDir", &P::cutDir, 1},
    {"PaperType2", &P::paperType, 3},
    {"PaperSizeW", &P::paperSizeW, 2100},
    {"PaperSizeH", &P::paperSizeH, 2970},
    {"KeepMarginAspect", &P::keepMarginAspect, 1},
    {"HiReso", &P::hiReso, 0},
    {"BMPPrint", &P::bmpPrint, 0},
    {"BMPOutSize", &P::bmpOutSize, 1024},
    {"BMPOutFormat", &P::bmpOutFormat, 0},
};

constexpr TextKey<P> kPrintTexts[] = {
    {"BMPOutPath", &P::bmpOutPath, ""},
    {"BMPOutFile", &P::bmpOutFile, "BMPOUT"},
};

constexpr PrintKindKey kPrintKindKeys[] = {
    {"Days.", true, &K::days, {65535, 65535, 65535, 65535}},
    {"Blocks.", true, &K::blocks, {65535, 65535, 65535, 65535}},
    {"Maps.", true, &K::maps, {65535, 65535, 65535, 65535}},
    {"Colors.", false, &K::colors, {65535, 65535, 65535, 65535}},
    {"Sort.", false, &K::sort, {0, 0, 4, 0}},
    {"PageChange.", false, &K::pageChange, {1, 1, 1, 1}},
    {"Layout.", false, &K::layout, {0, 0, 1, 0}},
    {"Items.", false, &K::items, {63, 65535, 63, 63}},
    {"Page.", false, &K::page, {1, 1, 1, 1}},
    {"ColorList.", false, &K::colorList, {1, 1, 1, 1}},
    {"BlockAll.", false, &K::blockAll, {1, 1, 1, 1}},
    {"EnlargeSup.", false, &K::enlargeSup, {0, 0, 0, 0}},
    {"EnlargeMemo.", false, &K::enlargeMemo, {0, 0, 0, 0}},
};

constexpr IntKey<PrintMargins> kMarginKeys[] = {
    {"Margin.Top.", &PrintMargins::top, 283},
    {"Margin.Bottom.", &PrintMargins::bottom, 283},
    {"Margin.Left.", &PrintMargins::left, 200},
    {"Margin.Right.", &PrintMargins::right, 200},
};

constexpr std::string_view kToolBarNames[kToolBarCount] = {"Basic", "Jump", "Disp", "Check",
                                                           "Navi"};

}  // namespace

std::span<const IntSection> SystemIntSections() { return kSystemIntSections; }
std::span<const SystemText> SystemTexts() { return kSystemTexts; }
std::span<const IntKey<SettingsValues>> EventInts() { return kEventInts; }
std::span<const TextKey<SettingsValues>> EventTexts() { return kEventTexts; }
std::span<const IntKey<PrintSettings>> PrintInts() { return kPrintInts; }
std::span<const TextKey<PrintSettings>> PrintTexts() { return kPrintTexts; }
std::span<const PrintKindKey> PrintKindKeys() { return kPrintKindKeys; }
std::span<const IntKey<PrintMargins>> MarginKeys() { return kMarginKeys; }
std::span<const std::string_view> ToolBarNames() { return kToolBarNames; }

}  // namespace vx::settings
