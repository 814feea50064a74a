// The catalogue of one sample event as plain data: what the writers turn into text files,
// archives and pictures. Texts are CP932 bytes; ids count from 1 as in the catalogue database.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vx::sampledisc {

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

// Pixel sizes of cuts, page files and hall map desks.
struct Geometry {
  int cutW = 120;  // low-resolution cut; the high-resolution cut is twice as large
  int cutH = 170;
  int pageOriginX = 8;  // top left of the first cut on a page file
  int pageOriginY = 48;
  int pageFooter = 24;
  int deskW = 20;  // one space on the low-resolution hall map
  int deskH = 20;
  int mapOriginX = 0;
  int mapOriginY = 0;
  int captionBand = 40;  // caption height on a page file
  static constexpr int kColumns = 6;
  static constexpr int kRows = 6;
  static constexpr int kCellsPerPage = kColumns * kRows;
  static constexpr int kHiResScale = 2;
};

struct EventDay {
  int id = 0;
  int year = 0;
  int month = 0;
  int day = 0;
  int weekday = 0;  // 1 Sunday .. 7 Saturday
};

struct HallMap {
  int id = 0;
  std::string name;     // CP932, one of the printed hall groups ("東123", ...)
  std::string stem;     // file name stem of MAP%1d%s.PNG and GNR%1d%s.PNG
  std::string allStem;  // stem of the outline picture ALLMAP%s.PNG
  Rect print;           // print range inside the map picture
  int width = 0;        // size of the low-resolution map picture
  int height = 0;
  int rotate = 0;
  bool writeHiResRange = true;  // false leaves x2..h2 empty in the definition file
};

struct HallArea {
  int id = 0;
  std::string name;  // CP932 ("東1", "西3･4", ...)
  int mapId = 0;
  std::string allStem;
  Rect print;
  std::vector<int> blockIds;
  bool writeHiResRange = true;
};

struct Block {
  int id = 0;
  std::string name;  // CP932, one double-byte character
  int areaId = 0;
  int spaceCount = 0;
};

// Desk layout codes: how a desk is split between its halves a and b.
enum DeskLayout : int {
  kHalfALeft = 1,
  kHalfABottom = 2,
  kHalfARight = 3,
  kHalfATop = 4,
};

struct Desk {
  int blockId = 0;
  int spaceNo = 0;
  int x = 0;  // top left on the low-resolution hall map
  int y = 0;
  int layout = 0;
  int mapId = 0;
};

struct Genre {
  int id = 0;
  int code = 0;
  std::string name;       // CP932
  int group = 0;          // the third field of the definition line
  std::uint32_t rgb = 0;  // colour on the genre maps, 0xRRGGBB
};

struct Circle {
  int id = 0;        // the id the import gives the line
  int updateId = 0;  // names the cut entry %06d.PNG
  int pageNo = 0;
  int cutIndex = 0;
  int day = 0;  // 0: not placed by the lottery
  int blockId = 0;
  int spaceNo = 0;
  int spaceNoSub = 0;
  int genreId = 0;
  std::string name;  // CP932 from here on
  std::string kana;
  std::string penName;
  std::string bookName;
  std::string url;
  std::string mail;
  std::string description;
  std::string updateData;
  std::string orbalink;
  std::string rss;
  std::string twitter;
  std::string pixiv;
};

struct Errata {
  int day = 0;
  int blockId = 0;
  int spaceNo = 0;
  int spaceNoSub = 0;
  int jikoNo = 0;
};

struct PageCell {
  enum Kind { kEmpty, kCircle, kBlockTitle, kTitleTail, kVacancy };
  Kind kind = kEmpty;
  int circleIndex = -1;  // kCircle: index into Catalog::circles
  int blockId = 0;       // kBlockTitle, kVacancy
  int spaceNo = 0;       // kVacancy
  int spaceNoSub = 0;    // kVacancy
  int jikoNo = -1;       // kVacancy with an errata row
};

struct CatalogPage {
  int pageNo = 0;
  int day = 0;
  std::array<PageCell, Geometry::kCellsPerPage> cells{};
};

// Circles the tests look for by name; the value is the index into Catalog::circles.
struct SpecialCircles {
  int hiraganaGakkou = -1;                  // がっこう, day 1
  int katakanaGakkou = -1;                  // ガッコウ, day 2
  int halfWidthGakkou = -1;                 // ｶﾞｯｺｳ, not placed
  int apostrophe = -1;                      // ねこ's Cafe
  int emptyName = -1;                       // the circle whose name is empty
  std::array<int, 3> sameName{-1, -1, -1};  // three circles named みかん箱
  int backslash = -1;                       // description with a backslash

  bool Contains(int index) const {
    for (int i : {hiraganaGakkou, katakanaGakkou, halfWidthGakkou, apostrophe, emptyName,
                  sameName[0], sameName[1], sameName[2], backslash}) {
      if (i == index) return true;
    }
    return false;
  }
};

struct Catalog {
  int event = 0;
  std::string eventName;  // CP932
  Geometry geometry;
  std::vector<EventDay> days;
  std::vector<HallMap> maps;
  std::vector<HallArea> areas;
  std::vector<Block> blocks;
  std::vector<Desk> desks;
  std::vector<Genre> genres;
  std::vector<Circle> circles;  // in file order: day 1, day 2, ..., then the unplaced
  std::vector<Errata> errata;
  std::vector<CatalogPage> pages;
  int errataPictureCount = 0;      // JIKO01.PNG .. JIKO%02d.PNG
  std::vector<int> correctedCuts;  // circle indexes with a cut in the override archives
  SpecialCircles special;

  const Block& BlockById(int id) const { return blocks[id - 1]; }
  const HallArea& AreaById(int id) const { return areas[id - 1]; }
  const HallMap& MapById(int id) const { return maps[id - 1]; }
  const Genre& GenreById(int id) const { return genres[id - 1]; }
  const EventDay& DayById(int id) const { return days[id - 1]; }
  const Desk* FindDesk(int blockId, int spaceNo) const;
  int PlacedCircleCount() const;
};

}  // namespace vx::sampledisc
