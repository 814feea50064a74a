#include "tools/sample-disc/ChecklistWriter.h"

#include <algorithm>
#include <cstdio>

#include "platform/CodePage.h"
#include "platform/Sjis.h"
#include "tools/sample-disc/CatalogTextWriter.h"
#include "tools/sample-disc/SampleRandom.h"
#include "tools/sample-disc/WordLists.h"

namespace vx::sampledisc {
namespace {

constexpr std::uint64_t kChecklistStream = 8001;

std::string Hex6(std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06x", static_cast<unsigned>(value));
  return buffer;
}

// Fields each followed by a comma, as the Circle, UnKnown and older-format records are.
class RecordLine {
 public:
  void Text(const std::string& cp932) { line_ += QuoteCsvField(cp932) + ","; }
  void Plain(const std::string& text) { line_ += text + ","; }
  void Number(int value) { Plain(std::to_string(value)); }
  const std::string& Line() const { return line_; }

 private:
  std::string line_;
};

const Desk* DeskOf(const Catalog& catalog, const Circle& circle) {
  return circle.blockId > 0 ? catalog.FindDesk(circle.blockId, circle.spaceNo) : nullptr;
}

std::string AreaShortName(const Catalog& catalog, const Circle& circle) {
  if (circle.blockId == 0) return {};
  return catalog.AreaById(catalog.BlockById(circle.blockId).areaId).name.substr(0, 2);
}

std::string BlockName(const Catalog& catalog, const Circle& circle) {
  return circle.blockId > 0 ? catalog.BlockById(circle.blockId).name : std::string();
}

// Desk column or row as the older format writes it: position over half a desk, odd values
// marking a half-desk shift.
int DeskIndex(int position, int deskSize) {
  const int half = deskSize / 2;
  if (half == 0) return 0;
  const int q = position / half;
  return q % 2 == 0 ? q / 2 : -(q / 2);
}

std::string CircleRecord(const Catalog& catalog, const ChecklistEntry& entry) {
  const Circle& c = entry.circle;
  const std::string cross = Utf8ToCp932("×");
  const Desk* desk = DeskOf(catalog, c);
  RecordLine r;
  r.Plain("Circle");
  r.Number(c.updateId);
  r.Number(entry.colour);
  r.Plain(c.pageNo > 0 ? std::to_string(c.pageNo) : "");
  r.Plain(c.cutIndex > 0 ? std::to_string(c.cutIndex) : "");
  r.Text(c.day >= 1 ? WeekdayMark(catalog, c.day) : cross);
  r.Text(c.blockId > 0 ? AreaShortName(catalog, c) : cross);
  r.Text(c.blockId > 0 ? BlockName(catalog, c) : cross);
  r.Plain(c.spaceNo > 0 ? std::to_string(c.spaceNo) : "XX");
  r.Number(catalog.GenreById(c.genreId).code);
  for (const std::string* text :
       {&c.name, &c.kana, &c.penName, &c.bookName, &c.url, &c.mail, &c.description, &entry.memo}) {
    r.Text(*text);
  }
  r.Number(desk ? desk->x : 0);
  r.Number(desk ? desk->y : 0);
  r.Number(desk ? desk->layout : 0);
  r.Number(c.spaceNoSub);
  for (const std::string* text :
       {&c.updateData, &c.orbalink, &c.rss, &entry.feedText, &c.twitter, &c.pixiv}) {
    r.Text(*text);
  }
  return r.Line();
}

std::string UnknownRecord(const ChecklistEntry& entry) {
  const Circle& c = entry.circle;
  RecordLine r;
  r.Plain("UnKnown");
  r.Text(c.name);
  r.Text(c.kana);
  r.Text(c.penName);
  r.Text(entry.memo);
  r.Number(entry.colour);
  for (const std::string* text : {&c.bookName, &c.url, &c.mail, &c.description, &c.updateData,
                                  &c.orbalink, &c.rss, &entry.feedText}) {
    r.Text(*text);
  }
  return r.Line();
}

std::string OlderLine(const Catalog& catalog, const ChecklistEntry& entry) {
  const Circle& c = entry.circle;
  const bool known = !entry.unknown;
  const Desk* desk = known ? DeskOf(catalog, c) : nullptr;
  RecordLine r;
  r.Number(known ? c.id - 1 : -1);
  r.Number(entry.colour);
  if (known) {
    r.Number(c.pageNo);
    r.Number(c.cutIndex);
    r.Text(WeekdayMark(catalog, c.day));
    r.Text(AreaShortName(catalog, c));
    r.Text(BlockName(catalog, c));
    r.Number(c.spaceNo);
    r.Number(catalog.GenreById(c.genreId).code);
  } else {
    for (int i = 2; i <= 8; ++i) r.Plain("");
  }
  r.Text(c.name);
  r.Text(c.penName);
  r.Text(c.bookName);
  r.Text(c.url);
  r.Text(c.mail);
  r.Text(EscapeLongText(c.description));
  if (known) {
    r.Number(desk ? DeskIndex(desk->x, catalog.geometry.deskW) : 0);
    r.Number(desk ? DeskIndex(desk->y, catalog.geometry.deskH) : 0);
  } else {
    r.Plain("");
    r.Plain("");
  }
  r.Text(EscapeLongText(entry.memo));
  r.Text(c.kana);
  if (known) {
    r.Number(desk ? desk->x : 0);
    r.Number(desk ? desk->y : 0);
    r.Number(desk ? desk->layout : 0);
    r.Number(c.spaceNoSub);
  } else {
    for (int i = 19; i <= 22; ++i) r.Plain("");
  }
  r.Text(EscapeLongText(c.updateData));
  r.Text(c.orbalink);
  r.Text(c.rss);
  r.Text(EscapeLongText(entry.feedText));
  r.Text(c.twitter);
  r.Text(c.pixiv);
  return r.Line();
}

ChecklistEntry KnownEntry(const Catalog& catalog, int index, int colour, const char* memoUtf8) {
  ChecklistEntry entry;
  entry.circle = catalog.circles[index];
  entry.colour = colour;
  entry.memo = Utf8ToCp932(memoUtf8);
  return entry;
}

}  // namespace

std::string QuoteCsvField(const std::string& cp932) {
  bool needsQuotes = false;
  for (std::size_t i = 0; i < cp932.size(); i += SjisCharLength(cp932, i)) {
    const char c = cp932[i];
    if (c == ',' || c == '"' || c == '\r' || c == '\n') needsQuotes = true;
  }
  if (!needsQuotes) return cp932;
  std::string quoted = "\"";
  for (std::size_t i = 0; i < cp932.size();) {
    const std::size_t length = SjisCharLength(cp932, i);
    if (length == 1 && cp932[i] == '"') quoted += '"';
    quoted.append(cp932, i, length);
    i += length;
  }
  return quoted + "\"";
}

std::string EscapeLongText(const std::string& cp932) {
  std::string escaped;
  for (std::size_t i = 0; i < cp932.size();) {
    const std::size_t length = SjisCharLength(cp932, i);
    const char c = cp932[i];
    if (length == 2) {
      escaped.append(cp932, i, 2);
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\\') {
      escaped += "\\\\";
    } else if (c != '\r') {
      escaped += c;
    }
    i += length;
  }
  return escaped;
}

std::vector<ChecklistColor> ChecklistColors() {
  static const std::uint32_t kColors[] = {0x4A94FF, 0xFF00FF, 0x00F7FF, 0x4AB500, 0xFFB500,
                                          0x9C529C, 0xFF0000, 0x00FF00, 0x0000FF};
  static const char* const kNames[] = {"最優先",     "優先", "時間があれば",
                                       "友人に頼む", "委託", "新刊のみ",
                                       "既刊も",     "挨拶", "様子見, 余裕があれば"};
  std::vector<ChecklistColor> colors;
  for (int i = 0; i < 9; ++i) {
    colors.push_back({i + 1, kColors[i], kColors[i], Utf8ToCp932(kNames[i])});
  }
  return colors;
}

std::vector<ChecklistEntry> CurrentEventEntries(const Catalog& catalog, std::uint64_t seed) {
  const SpecialCircles& s = catalog.special;
  std::vector<ChecklistEntry> entries;
  entries.push_back(KnownEntry(catalog, s.hiraganaGakkou, 1, "新刊2冊, 既刊1冊"));
  entries.push_back(KnownEntry(catalog, s.apostrophe, 2, "スケブ\"可\"か聞く"));
  entries.push_back(KnownEntry(catalog, s.sameName[0], 3, "1行目\r\n2行目"));
  entries.push_back(KnownEntry(catalog, s.backslash, 4, "C:\\vx\\memo と \\n の違い"));
  entries.push_back(KnownEntry(catalog, s.halfWidthGakkou, 5, "ｶﾀﾛｸﾞ外, 当日確認"));
  entries.push_back(KnownEntry(catalog, s.katakanaGakkou, 0, "全部入り, \"引用\"\r\n改行\\終わり"));
  entries.back().feedText = Utf8ToCp932("【新刊】委託始めました\r\n【告知】当日は午後参加");

  ChecklistEntry unknown;
  unknown.unknown = true;
  unknown.circle.name = Utf8ToCp932("閉店サークル");
  unknown.circle.kana = Utf8ToCp932("ヘイテンサークル");
  unknown.circle.penName = Utf8ToCp932("誰か");
  unknown.circle.url = "https://closed.example.org/";
  unknown.colour = 6;
  unknown.memo = Utf8ToCp932("カタログ未掲載, 前回\"参加\"");
  entries.push_back(unknown);

  // A few more circles of the catalogue, chosen by the seed, with ordinary memos.
  SampleRandom random = SampleRandom(seed).Fork(kChecklistStream);
  std::vector<int> taken;
  for (const ChecklistEntry& e : entries) taken.push_back(e.unknown ? -1 : e.circle.id - 1);
  while (entries.size() < 17) {
    const int index =
        static_cast<int>(random.Below(static_cast<std::uint32_t>(catalog.circles.size())));
    if (catalog.circles[index].name.empty() ||
        std::find(taken.begin(), taken.end(), index) != taken.end()) {
      continue;
    }
    taken.push_back(index);
    ChecklistEntry entry;
    entry.circle = catalog.circles[index];
    entry.colour = 1 + static_cast<int>(random.Below(9));
    if (random.Chance(60)) entry.memo = Utf8ToCp932(random.Pick(MemoTexts()));
    entries.push_back(entry);
  }
  return entries;
}

std::vector<ChecklistEntry> OtherEventEntries(const Catalog& catalog) {
  const auto firstWith = [&](auto predicate) {
    for (std::size_t i = 0; i < catalog.circles.size(); ++i) {
      const Circle& circle = catalog.circles[i];
      if (!catalog.special.Contains(static_cast<int>(i)) && predicate(circle)) return circle;
    }
    return catalog.circles.front();
  };
  const std::string renamed = Utf8ToCp932("前回の名前");
  std::vector<ChecklistEntry> entries;
  auto add = [&](Circle circle, int colour, const char* memo) {
    ChecklistEntry entry;
    circle.updateId = 500000 + static_cast<int>(entries.size()) + 1;  // the other event's serial
    entry.circle = circle;
    entry.colour = colour;
    entry.memo = Utf8ToCp932(memo);
    entries.push_back(entry);
  };
  Circle byTwitter = firstWith([](const Circle& c) { return !c.twitter.empty(); });
  byTwitter.name = byTwitter.kana = byTwitter.penName = renamed;
  add(byTwitter, 1, "Twitterで見つかるはず");
  Circle byPixiv = firstWith([](const Circle& c) { return c.twitter.empty() && !c.pixiv.empty(); });
  byPixiv.name = byPixiv.kana = byPixiv.penName = renamed;
  add(byPixiv, 2, "Pixivで見つかるはず");
  Circle byNames = firstWith([](const Circle& c) { return c.twitter.empty() && c.pixiv.empty(); });
  add(byNames, 3, "名前とペンネームで");
  // Without Twitter and Pixiv ids these two are left to the name queries.
  Circle sameName = catalog.circles[catalog.special.sameName[0]];
  sameName.penName = Utf8ToCp932("別の人");
  sameName.twitter.clear();
  sameName.pixiv.clear();
  add(sameName, 4, "三つ見つかる");
  Circle apostrophe = catalog.circles[catalog.special.apostrophe];
  apostrophe.twitter.clear();
  apostrophe.pixiv.clear();
  add(apostrophe, 5, "引用符つき");
  Circle missing;
  missing.name = Utf8ToCp932("存在しないサークル");
  missing.kana = Utf8ToCp932("ソンザイシナイサークル");
  missing.penName = Utf8ToCp932("どこにもいない");
  missing.genreId = 1;
  add(missing, 6, "見つからない");

  ChecklistEntry unknown;
  unknown.unknown = true;
  unknown.circle.name = Utf8ToCp932("がっこう");
  unknown.circle.kana = Utf8ToCp932("ガッコウ");
  unknown.colour = 7;
  unknown.memo = Utf8ToCp932("読みが同じサークルが三つ");
  entries.push_back(unknown);
  return entries;
}

std::string CurrentChecklistText(const Catalog& catalog, const std::vector<ChecklistEntry>& entries,
                                 int event, const std::string& encodingName) {
  std::string text = "Header,VellastradeCD-ROMCatalog,Vellastrade" + std::to_string(event) + "," +
                     encodingName + ",Windows 1.96.1\r\n";
  for (const ChecklistColor& color : ChecklistColors()) {
    text += "Color," + std::to_string(color.number) + "," + Hex6(color.color) + "," +
            Hex6(color.printColor) + "," + QuoteCsvField(color.name) + "\r\n";
  }
  for (const ChecklistEntry& entry : entries) {
    text += (entry.unknown ? UnknownRecord(entry) : CircleRecord(catalog, entry)) + "\r\n";
  }
  return text;
}

std::string OlderChecklistText(const Catalog& catalog, const std::vector<ChecklistEntry>& entries,
                               int event) {
  std::string text = "QUILLOR,104,Vellastrade" + std::to_string(event) + ",Windows\r\n";
  for (const ChecklistEntry& entry : entries) text += OlderLine(catalog, entry) + "\r\n";
  return text;
}

std::string EncodeLines(const std::string& cp932Text, int codePage) {
  std::string encoded;
  std::size_t start = 0;
  while (start < cp932Text.size()) {
    std::size_t end = cp932Text.find("\r\n", start);
    if (end == std::string::npos) end = cp932Text.size();
    encoded += FromCp932(std::string_view(cp932Text).substr(start, end - start), codePage);
    if (end < cp932Text.size()) encoded += "\r\n";
    start = end + 2;
  }
  return encoded;
}

}  // namespace vx::sampledisc
