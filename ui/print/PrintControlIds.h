// The control numbers of the print dialogs, as their templates give them (tests find the controls
// by them).
#pragma once

namespace vx::print_controls {

// The print kind radios (list, cut, map, blank map) and what they share.
constexpr int kKindList = 1046;
constexpr int kKindCut = 1048;
constexpr int kKindMap = 1049;
constexpr int kKindBlankMap = 1053;
constexpr int kKindDescription = 1050;
constexpr int kDetails = 1051;
constexpr int kPreview = 1052;
constexpr int kNoGdiPlus = 1042;
constexpr int kAllPages = 1056;
constexpr int kPageRangeChoice = 1058;
constexpr int kPageRange = 1637;
constexpr int kRangeNote = 1639;

// The print dialog.
constexpr int kPrinter = 1139;
constexpr int kCopies = 1154;
constexpr int kCollate = 1041;
constexpr int kPaperName = 1641;
constexpr int kHelp = 1642;
constexpr int kPaperAndMargins = 1656;
constexpr int kNoPrinter = 1659;  // ours: the print server did not answer

// The paper size and margin dialog.
constexpr int kPaperKind = 1643;
constexpr int kPaperHeight = 1644;
constexpr int kPaperWidth = 1638;
constexpr int kMarginLeft = 1653;
constexpr int kMarginRight = 1654;
constexpr int kMarginTop = 1651;
constexpr int kMarginBottom = 1652;
constexpr int kKeepAspect = 1650;
constexpr int kPaperPreview = 1655;

// The image-file output dialog.
constexpr int kOutputFolder = 1630;
constexpr int kBrowseFolder = 1631;
constexpr int kBaseName = 1632;
constexpr int kLongSide = 1633;
constexpr int kDescription = 1646;
constexpr int kHighResolution = 1705;
constexpr int kImageFormat = 1751;
constexpr int kFormatHint = 1752;

}  // namespace vx::print_controls
