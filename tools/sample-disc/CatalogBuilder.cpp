#include "tools/sample-disc/CatalogBuilder.h"

#include <algorithm>
#include <numeric>

#include "platform/CodePage.h"
#include "tools/sample-disc/HallPlanner.h"
#include "tools/sample-disc/NameMaker.h"
#include "tools/sample-disc/SampleRandom.h"

namespace vx::sampledisc {
namespace {

// Independent random streams, so that each part of the catalogue keeps its values when
// another part changes how many numbers it draws.
enum Stream : std::uint64_t {
  kGenreStream = 1,
  kVacancyStream,
  kUpdateIdStream,
  kCorrectionStream,
  kCircleTextStream = 1000,
};

constexpr int kErrataPictures = 3;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

void AddDays(Catalog& catalog, int count) {
  // Even events are held at the turn of the year, odd ones in August.
  int year = 1975 + (catalog.event - 1) / 2;
  int month = catalog.event % 2 == 0 ? 12 : 8;
  int day = catalog.event % 2 == 0 ? 30 : 11;
  for (int id = 1; id <= count; ++id) {
    catalog.days.push_back({id, year, month, day, WeekdayOf(year, month, day)});
    if (++day > DaysInMonth(year, month)) {
      day = 1;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
}

void AddGenres(Catalog& catalog) {
  struct GenreSeed {
    int code;
    const char* name;
    int group;
    std::uint32_t rgb;
  };
  static const GenreSeed kGenres[] = {
      {110, "創作（少年）", 1, 0x7FB3FF},
      {120, "創作（少女）", 1, 0xFF9FC8},
      {130, "創作（JUNE）", 1, 0xD59FFF},
      {200, "評論・情報", 2, 0x9FE3A0},
      {210, "歴史・ミリタリー", 2, 0xC8B27A},
      {300, "ゲーム（RPG）", 3, 0xFFC86E},
      {310, "ゲーム（その他）", 3, 0xFFE46E},
      {400, "アニメ", 3, 0x6EE0FF},
      {500, "少年漫画", 4, 0x8AA4FF},
      {510, "少女漫画", 4, 0xFFB0A0},
      {600, "小説ＦＣ", 4, 0xB0E070},
      {700, "特撮・映画", 5, 0xFF7E7E},
      {800, "音楽", 5, 0x7ED8C0},
      {900, "同人ソフト", 5, 0xA0A0E0},
      {990, "その他", 5, 0xC0C0C0},
  };
  for (const GenreSeed& seed : kGenres) {
    Genre genre;
    genre.id = static_cast<int>(catalog.genres.size()) + 1;
    genre.code = seed.code;
    genre.name = Utf8ToCp932(seed.name);
    genre.group = seed.group;
    genre.rgb = seed.rgb;
    catalog.genres.push_back(genre);
  }
}

// Puts cells on catalogue pages the way a printed catalogue does: every day starts a page,
// every block starts with its title over two cells of one row, with its space 1a on the same
// page right after the title.
class PageLayouter {
 public:
  explicit PageLayouter(std::vector<CatalogPage>& pages) : pages_(pages) {}

  void StartDay(int day) {
    day_ = day;
    StartPage();
  }

  void StartBlock(int blockId) {
    if (position_ % Geometry::kColumns == Geometry::kColumns - 1) Put({});
    if (position_ + 2 >= Geometry::kCellsPerPage) StartPage();
    PageCell title;
    title.kind = PageCell::kBlockTitle;
    title.blockId = blockId;
    Put(title);
    PageCell tail;
    tail.kind = PageCell::kTitleTail;
    tail.blockId = blockId;
    Put(tail);
  }

  // The next cell would be the first one of a page.
  bool AtPageStart() const { return position_ % Geometry::kCellsPerPage == 0; }

  // Places a cell and answers its page number and 1-based cut index.
  std::pair<int, int> Put(const PageCell& cell) {
    if (position_ == Geometry::kCellsPerPage) StartPage();
    pages_.back().cells[position_] = cell;
    ++position_;
    return {pages_.back().pageNo, position_};
  }

 private:
  void StartPage() {
    // Page 1 is the cover; circle pages follow it.
    const int pageNo = pages_.empty() ? 2 : pages_.back().pageNo + 1;
    CatalogPage page;
    page.pageNo = pageNo;
    page.day = day_;
    pages_.push_back(page);
    position_ = 0;
  }

  std::vector<CatalogPage>& pages_;
  int day_ = 0;
  int position_ = Geometry::kCellsPerPage;
};

enum class SpecialKind {
  kNone,
  kHiraganaGakkou,
  kKatakanaGakkou,
  kHalfWidthGakkou,
  kApostrophe,
  kEmptyName,
  kSameName,
  kBackslash,
};

// The special circles sit at fixed places, ahead of any random vacancy, so their ids do not
// depend on the seed: day 1 Ａ01a..Ａ02b, day 2 Ａ01a..Ａ02a, the first two unplaced circles.
SpecialKind SpecialAt(int day, int blockId, int spaceNo, int half) {
  if (blockId != 1) return SpecialKind::kNone;
  const int slot = (spaceNo - 1) * 2 + half;
  if (day == 1) {
    switch (slot) {
      case 0:
        return SpecialKind::kHiraganaGakkou;
      case 1:
        return SpecialKind::kApostrophe;
      case 2:
        return SpecialKind::kSameName;
      // A half b: the line after it has another space number, so no import can derive a
      // wrong half from the skipped line in the single-file form.
      case 3:
        return SpecialKind::kEmptyName;
      default:
        return SpecialKind::kNone;
    }
  }
  if (day == 2) {
    switch (slot) {
      case 0:
        return SpecialKind::kKatakanaGakkou;
      case 1:
        return SpecialKind::kSameName;
      case 2:
        return SpecialKind::kBackslash;
      default:
        return SpecialKind::kNone;
    }
  }
  return SpecialKind::kNone;
}

class CircleFactory {
 public:
  CircleFactory(Catalog& catalog, const SampleRandom& root)
      : catalog_(catalog), textRoot_(root.Fork(kCircleTextStream)) {}

  int Add(int genreId, SpecialKind special) {
    const int index = static_cast<int>(catalog_.circles.size());
    SampleRandom random = textRoot_.Fork(static_cast<std::uint64_t>(index));
    NameMaker maker(random);
    Circle circle;
    circle.id = index + 1;
    circle.genreId = genreId;
    maker.MakeCircleName(circle.name, circle.kana);
    circle.penName = maker.MakePenName();
    if (random.Chance(85)) circle.bookName = maker.MakeBookName();
    if (random.Chance(70)) circle.description = maker.MakeDescription();
    if (random.Chance(10)) circle.updateData = maker.MakeUpdateData(circle.bookName);
    maker.MakeLinks(circle, circle.id);
    ApplySpecial(circle, special, index);
    catalog_.circles.push_back(circle);
    return index;
  }

 private:
  void ApplySpecial(Circle& circle, SpecialKind special, int index) {
    SpecialCircles& s = catalog_.special;
    switch (special) {
      case SpecialKind::kNone:
        return;
      case SpecialKind::kHiraganaGakkou:
        SetNames(circle, "がっこう", "ガッコウ", "学校太郎");
        s.hiraganaGakkou = index;
        return;
      case SpecialKind::kKatakanaGakkou:
        SetNames(circle, "ガッコウ", "ガッコウ", "校舎花子");
        s.katakanaGakkou = index;
        return;
      case SpecialKind::kHalfWidthGakkou:
        SetNames(circle, "ｶﾞｯｺｳ", "ガッコウ", "ﾊﾝｶｸ");
        s.halfWidthGakkou = index;
        return;
      case SpecialKind::kApostrophe:
        SetNames(circle, "ねこ's Cafe", "ネコズカフェ", "O'Neil");
        s.apostrophe = index;
        return;
      case SpecialKind::kEmptyName:
        SetNames(circle, "", "", "ななし");
        s.emptyName = index;
        return;
      case SpecialKind::kSameName: {
        static const char* const kPens[] = {"みかん農家", "箱入り娘", "段ボール"};
        int slot = 0;
        while (s.sameName[slot] >= 0) ++slot;
        SetNames(circle, "みかん箱", "ミカンバコ", kPens[slot]);
        s.sameName[slot] = index;
        return;
      }
      case SpecialKind::kBackslash:
        SetNames(circle, "円記号同好会", "エンキゴウドウコウカイ", "バックスラッシュ");
        circle.description = Utf8ToCp932("保存先は C:\\vx\\memo です。\\n は改行ではありません。");
        s.backslash = index;
        return;
    }
  }

  static void SetNames(Circle& circle, const char* name, const char* kana, const char* pen) {
    circle.name = Utf8ToCp932(name);
    circle.kana = Utf8ToCp932(kana);
    circle.penName = Utf8ToCp932(pen);
  }

  Catalog& catalog_;
  SampleRandom textRoot_;
};

class CircleScheduler {
 public:
  CircleScheduler(Catalog& catalog, const SampleRandom& root)
      : catalog_(catalog),
        factory_(catalog, root),
        genreRandom_(root.Fork(kGenreStream)),
        vacancyRandom_(root.Fork(kVacancyStream)),
        layouter_(catalog.pages) {}

  void PlaceDay(int day) {
    layouter_.StartDay(day);
    int genreId = 0;
    int runLeft = 0;
    for (const Block& block : catalog_.blocks) {
      // Neighbouring blocks share a genre for a few blocks, as genres gather in the halls.
      if (runLeft-- <= 0) {
        genreId = 1 + static_cast<int>(genreRandom_.Below(catalog_.genres.size()));
        runLeft = genreRandom_.Between(1, 3);
      }
      PlaceBlock(day, block, genreId);
    }
  }

  void AddUnplaced(int count) {
    for (int i = 0; i < count; ++i) {
      SpecialKind special = SpecialKind::kNone;
      if (i == 0) special = SpecialKind::kHalfWidthGakkou;
      if (i == 1) special = SpecialKind::kSameName;
      const int genreId = 1 + static_cast<int>(genreRandom_.Below(catalog_.genres.size()));
      factory_.Add(genreId, special);
    }
  }

 private:
  void PlaceBlock(int day, const Block& block, int blockGenre) {
    layouter_.StartBlock(block.id);
    for (int space = 1; space <= block.spaceCount; ++space) {
      for (int half = 0; half < 2; ++half) {
        const SpecialKind special = SpecialAt(day, block.id, space, half);
        const int vacancy = special == SpecialKind::kNone ? VacancyAt(day, block, space, half) : -1;
        if (vacancy >= 0) {
          AddVacancy(day, block.id, space, half, vacancy);
          continue;
        }
        int genreId = blockGenre;
        if (genreRandom_.Chance(8)) {
          genreId = 1 + static_cast<int>(genreRandom_.Below(catalog_.genres.size()));
        }
        const int index = factory_.Add(genreId, special);
        PageCell cell;
        cell.kind = PageCell::kCircle;
        cell.circleIndex = index;
        const auto [pageNo, cutIndex] = layouter_.Put(cell);
        Circle& circle = catalog_.circles[index];
        circle.pageNo = pageNo;
        circle.cutIndex = cutIndex;
        circle.day = day;
        circle.blockId = block.id;
        circle.spaceNo = space;
        circle.spaceNoSub = half;
      }
    }
  }

  // Answers -1 for an occupied half, else the errata picture of the vacancy (0: none).
  // Only inner b halves fall vacant, never on a page's first cell, so a vacancy always sits
  // between circles of its own block on one page. Besides the random ones, every day has
  // vacancies at block 2 space 3b (errata picture = the day) and block 3 space 4b (no errata),
  // so even the small catalogue has both kinds.
  int VacancyAt(int day, const Block& block, int space, int half) {
    if (half != 1 || space < 3 || space >= block.spaceCount || layouter_.AtPageStart()) return -1;
    if (block.id == 2 && space == 3) return std::min(day, kErrataPictures);
    if (block.id == 3 && space == 4) return 0;
    if (!vacancyRandom_.Chance(2)) return -1;
    return vacancyRandom_.Chance(50) ? 1 + static_cast<int>(vacancyRandom_.Below(kErrataPictures))
                                     : 0;
  }

  void AddVacancy(int day, int blockId, int space, int half, int jikoNo) {
    PageCell cell;
    cell.kind = PageCell::kVacancy;
    cell.blockId = blockId;
    cell.spaceNo = space;
    cell.spaceNoSub = half;
    if (jikoNo > 0) {
      cell.jikoNo = jikoNo;
      catalog_.errata.push_back({day, blockId, space, half, jikoNo});
    }
    layouter_.Put(cell);
  }

  Catalog& catalog_;
  CircleFactory factory_;
  SampleRandom genreRandom_;
  SampleRandom vacancyRandom_;
  PageLayouter layouter_;
};

void AssignUpdateIds(Catalog& catalog, RomForm rom, const SampleRandom& root) {
  // The day files give every circle its own id as update id; the single file carries update
  // ids of its own, here a shuffled run from 100001.
  if (rom == RomForm::kDays) {
    for (Circle& circle : catalog.circles) circle.updateId = circle.id;
    return;
  }
  std::vector<int> ids(catalog.circles.size());
  std::iota(ids.begin(), ids.end(), 100001);
  SampleRandom random = root.Fork(kUpdateIdStream);
  for (std::size_t i = ids.size(); i > 1; --i) {
    std::swap(ids[i - 1], ids[random.Below(static_cast<std::uint32_t>(i))]);
  }
  for (std::size_t i = 0; i < ids.size(); ++i) catalog.circles[i].updateId = ids[i];
}

void ChooseCorrectedCuts(Catalog& catalog, const SampleRandom& root) {
  SampleRandom random = root.Fork(kCorrectionStream);
  for (std::size_t i = 0; i < catalog.circles.size(); ++i) {
    const bool chosen = static_cast<int>(i) == catalog.special.hiraganaGakkou ||
                        (random.Chance(1) && !catalog.circles[i].name.empty());
    if (chosen) catalog.correctedCuts.push_back(static_cast<int>(i));
  }
}

}  // namespace

int WeekdayOf(int year, int month, int day) {
  static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) --year;
  const int sunday0 = (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
  return sunday0 + 1;
}

Catalog BuildCatalog(const SampleOptions& options) {
  const bool small = options.size == CatalogSize::kSmall;
  Catalog catalog;
  catalog.event = options.event;
  catalog.eventName = Utf8ToCp932("ヴェラストレード") + std::to_string(options.event);
  catalog.errataPictureCount = kErrataPictures;
  AddDays(catalog, small ? 2 : 3);
  AddGenres(catalog);
  PlanHalls(options.size, catalog);

  const SampleRandom root(options.seed);
  CircleScheduler scheduler(catalog, root);
  for (const EventDay& day : catalog.days) scheduler.PlaceDay(day.id);
  scheduler.AddUnplaced(small ? 12 : 300);
  AssignUpdateIds(catalog, options.rom, root);
  ChooseCorrectedCuts(catalog, root);
  return catalog;
}

}  // namespace vx::sampledisc
