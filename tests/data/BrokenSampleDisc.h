// A small cut of the sample generator's disc of event 96 (tests/testdata/disc/sample-*: its
// definition and layout files and 15 circles on both days, in both halls), and the broken files
// that once installed over it "with success": an empty circle file (0 circles), a circle file cut
// in the middle of a row, a definition file cut at 700 bytes inside *PavorunGenre, one cut at the
// line end before its errata section, a circle row holding a NUL byte, and layout files that left
// halls holding circles without desks (empty, only comments, cut after a TAB of a row, cut at the
// line end after the first hall, the second hall's desks naming blocks the definition lacks).
// Each is replayed through the import job, the install dialog and the command-line installer.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/CodePage.h"
#include "tests/support/TempDir.h"

namespace vxtest {

struct BrokenDiscFile {
  const char* saved;  // under tests/testdata/disc
  const char* file;   // the disc file it replaces
  const char* why;    // the refusal after "<file>: " (UTF-8)
};

inline const BrokenDiscFile kBrokenDiscFiles[] = {
    {"empty-V96ROM.TXT", "V96ROM.TXT",
     "1日目 (金曜日), 2日目 (土曜日) のサークルが1つもありません. ファイルが空か、途中で切れている"
     "可能性があります."},
    {"halved-V96ROM.TXT", "V96ROM.TXT",
     "行 8: 行の途中でファイルが終わっています (列の数 13, 行の列の数 20). ファイルが途中で切れて"
     "いる可能性があります."},
    {"cut700-V96DEF.TXT", "V96DEF.TXT",
     "行 35: 行の途中でファイルが終わっています (列の数 2, 行の列の数 3). ファイルが途中で切れて"
     "いる可能性があります."},
    {"lineend-V96DEF.TXT", "V96DEF.TXT",
     "必要な節 (*PavorunJiko) がないか、その行がありません. ファイルが途中で切れている可能性が"
     "あります."},
    {"nul-V96ROM.TXT", "V96ROM.TXT",
     "行 4: 列 9 に NUL 文字 (0x00) があります. ファイルが壊れている可能性があります."},
    {"empty-V96MAP.TXT", "V96MAP.TXT",
     "地図 東123 (サークル 11 件), 西12 (サークル 2 件) に机の配置が1つもありません. ファイルに机の"
     "行が1つもありません."},
    {"comments-V96MAP.TXT", "V96MAP.TXT",
     "地図 東123 (サークル 11 件), 西12 (サークル 2 件) に机の配置が1つもありません. ファイルに机の"
     "行が1つもありません."},
    {"halved-V96MAP.TXT", "V96MAP.TXT",
     "行 37: 行の途中でファイルが終わっています (列の数 4, 行の列の数 5). ファイルが途中で切れて"
     "いる可能性があります."},
    {"lineend-V96MAP.TXT", "V96MAP.TXT", "地図 西12 (サークル 2 件) に机の配置が1つもありません."},
    {"otherblocks-V96MAP.TXT", "V96MAP.TXT",
     "地図 西12 (サークル 2 件) に机の配置が1つもありません."},
};

// Sound files in place of the sample's: a hall whose blocks hold no circle needs no desks.
inline const BrokenDiscFile kSoundDiscFiles[] = {{"emptyhall-V96DEF.TXT", "V96DEF.TXT", ""}};

inline std::filesystem::path SavedDiscFile(const std::string& name) {
  return std::filesystem::path(std::getenv("VX_TEST_DATA")) / "disc" / name;
}

// The whole refusal as the import states it (CP932).
inline std::string BrokenDiscRefusal(const BrokenDiscFile& broken) {
  return std::string(broken.file) + ": " + vx::Sjis(broken.why);
}

// The good sample disc (single circle file) into `folder`.
inline void WriteSampleDisc(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (const char* name : {"V96DEF.TXT", "V96MAP.TXT", "V96ROM.TXT"}) {
    WriteFileBytes(folder / name, ReadFileBytes(SavedDiscFile(std::string("sample-") + name)));
  }
}

// The disc in `folder` with one of its files replaced by the broken one.
inline void BreakSampleDisc(const std::filesystem::path& folder, const BrokenDiscFile& broken) {
  WriteSampleDisc(folder);
  WriteFileBytes(folder / broken.file, ReadFileBytes(SavedDiscFile(broken.saved)));
}

}  // namespace vxtest
