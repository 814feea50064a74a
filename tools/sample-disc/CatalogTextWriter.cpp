#include "tools/sample-disc/CatalogTextWriter.h"

#include "platform/CodePage.h"
#include "tools/sample-disc/TabText.h"

namespace vx::sampledisc {
namespace {

std::vector<std::string> RectFields(const Rect& r) {
  return {Num(r.x), Num(r.y), Num(r.w), Num(r.h)};
}

// The high-resolution range, or four empty fields that leave it to the importer's default.
std::vector<std::string> HiResFields(const Rect& r, bool write) {
  if (!write) return {"", "", "", ""};
  const int s = Geometry::kHiResScale;
  return {Num(r.x * s), Num(r.y * s), Num(r.w * s), Num(r.h * s)};
}

void Append(std::vector<std::string>& fields, const std::vector<std::string>& more) {
  fields.insert(fields.end(), more.begin(), more.end());
}

void Section(TabText& out, const char* comment, const char* name) {
  out.Raw("");
  out.Raw(Utf8ToCp932(std::string("# ") + comment));
  out.Raw(std::string("*") + name);
}

void WriteEventSections(TabText& out, const Catalog& c) {
  Section(out, "開催回と名称", "Pavorun");
  out.Line({Num(c.event), c.eventName});
  const Geometry& g = c.geometry;
  Section(out, "カット: 幅 高さ 原点X 原点Y オフセットX オフセットY", "CutInfo");
  out.Line({Num(g.cutW), Num(g.cutH), Num(g.pageOriginX), Num(g.pageOriginY), "0", "0"});
  Section(out, "配置図の机: 幅 高さ 原点X 原点Y", "MapTableInfo");
  out.Line({Num(g.deskW), Num(g.deskH), Num(g.mapOriginX), Num(g.mapOriginY)});
  Section(out, "開催日", "PavorunDate");
  for (const EventDay& day : c.days) {
    out.Line({Num(day.year), Num(day.month), Num(day.day), WeekdayMarkOf(day.weekday)});
  }
}

void WriteHallSections(TabText& out, const Catalog& c) {
  Section(out, "地図", "PavorunMap");
  for (const HallMap& map : c.maps) {
    std::vector<std::string> fields = {map.name, map.stem};
    Append(fields, RectFields(map.print));
    fields.push_back(map.allStem);
    Append(fields, HiResFields(map.print, map.writeHiResRange));
    fields.push_back(Num(map.rotate));
    out.Line(fields);
  }
  Section(out, "地区: 名称 地図 ブロック 印刷範囲", "PavorunArea");
  for (const HallArea& area : c.areas) {
    std::string blockNames;
    for (int id : area.blockIds) blockNames += c.BlockById(id).name;
    std::vector<std::string> fields = {area.name, c.MapById(area.mapId).name, blockNames};
    Append(fields, RectFields(area.print));
    fields.push_back(area.allStem);
    Append(fields, HiResFields(area.print, area.writeHiResRange));
    out.Line(fields);
  }
}

void WriteGenreAndErrata(TabText& out, const Catalog& c) {
  Section(out, "ジャンル: コード 名称 分類", "PavorunGenre");
  for (const Genre& genre : c.genres) out.Line({Num(genre.code), genre.name, Num(genre.group)});
  Section(out, "事故: 日 ブロック スペース a/b 画像番号", "PavorunJiko");
  for (const Errata& e : c.errata) {
    out.Line({Num(e.day), c.BlockById(e.blockId).name, Num(e.spaceNo), Num(e.spaceNoSub),
              Num(e.jikoNo)});
  }
}

std::string BlockName(const Catalog& c, const Circle& circle) {
  return circle.blockId > 0 ? c.BlockById(circle.blockId).name : std::string();
}

std::string AreaMark(const Catalog& c, const Circle& circle) {
  if (circle.blockId == 0) return {};
  return c.AreaById(c.BlockById(circle.blockId).areaId).name.substr(0, 2);
}

// Columns from the genre code on, shared by both circle file forms.
std::vector<std::string> CircleTail(const Catalog& c, const Circle& circle) {
  return {Num(c.GenreById(circle.genreId).code),
          circle.name,
          circle.kana,
          circle.penName,
          circle.bookName,
          circle.url,
          circle.mail,
          circle.description,
          circle.updateData,
          circle.orbalink,
          circle.rss,
          circle.twitter,
          circle.pixiv};
}

}  // namespace

std::string WeekdayMarkOf(int weekday) {
  static const char* const kMarks[] = {"漏", "日", "月", "火", "水", "木", "金", "土"};
  return Utf8ToCp932(weekday >= 0 && weekday <= 7 ? kMarks[weekday] : "漏");
}

std::string WeekdayMark(const Catalog& catalog, int day) {
  return WeekdayMarkOf(day > 0 ? catalog.DayById(day).weekday : 0);
}

std::string DefinitionFileText(const Catalog& catalog) {
  TabText out;
  out.Raw(kSampleSignature);
  WriteEventSections(out, catalog);
  WriteHallSections(out, catalog);
  WriteGenreAndErrata(out, catalog);
  return out.Text();
}

std::string LayoutFileText(const Catalog& catalog) {
  TabText out;
  out.Raw(kSampleSignature);
  out.Raw(Utf8ToCp932("# ブロック スペース X Y 机の向き"));
  for (const Desk& desk : catalog.desks) {
    out.Line({catalog.BlockById(desk.blockId).name, Num(desk.spaceNo), Num(desk.x), Num(desk.y),
              Num(desk.layout)});
  }
  return out.Text();
}

std::string SingleCircleFileText(const Catalog& catalog) {
  TabText out;
  for (const Circle& circle : catalog.circles) {
    std::vector<std::string> fields = {Num(circle.updateId),      Num(circle.pageNo),
                                       Num(circle.cutIndex),      WeekdayMark(catalog, circle.day),
                                       AreaMark(catalog, circle), BlockName(catalog, circle),
                                       Num(circle.spaceNo)};
    Append(fields, CircleTail(catalog, circle));
    out.Line(fields);
  }
  return out.Text();
}

std::string DayCircleFileText(const Catalog& catalog, int day) {
  TabText out;
  int unplacedLine = 0;
  for (const Circle& circle : catalog.circles) {
    if (circle.day != day) continue;
    std::vector<std::string> fields;
    // Half of the unplaced circles come in the short form: an empty flag and no page columns.
    const bool shortForm = day == 0 && unplacedLine++ % 2 == 0;
    if (shortForm) {
      fields = {""};
    } else {
      fields = {day == 0 ? "0" : "1", Num(circle.id), Num(circle.pageNo)};
    }
    Append(fields, {Num(circle.cutIndex), WeekdayMark(catalog, circle.day),
                    AreaMark(catalog, circle), BlockName(catalog, circle), Num(circle.spaceNo)});
    Append(fields, CircleTail(catalog, circle));
    out.Line(fields);
  }
  return out.Text();
}

}  // namespace vx::sampledisc
