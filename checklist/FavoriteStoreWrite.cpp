// Writing the checklist: the current format (Header, Color, Circle and UnKnown records) and the
// older format (magic line and one 29-field line per circle), both CP932 with CR LF.
#include "checklist/ChecklistText.h"
#include "checklist/FavoriteStore.h"
#include "checklist/Utf8UnderSjisCheck.h"
#include "data/PavorunDatabase.h"
#include "data/Weekday.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage.h"

#include <cstdio>

namespace vx {
namespace {

// Serials of events before this one are circle ids - 1; later ones are the update id.
constexpr int kFirstEventWithSerials = 74;

constexpr const char* kLineEnd = "\r\n";

// The fields of a Circle, UnKnown or older-format record, each followed by a comma.
class RecordLine {
 public:
  explicit RecordLine(std::string& out) : out_(out) {}

  RecordLine& Text(std::string_view text) {
    AppendCsvText(out_, text);
    return End();
  }
  RecordLine& LongText(std::string_view text) { return Text(EscapeLongText(text)); }
  RecordLine& Plain(std::string_view text) {
    out_.append(text);
    return End();
  }
  RecordLine& Number(int value) { return Plain(std::to_string(value)); }
  RecordLine& NumberOrEmpty(int value) { return Plain(value != 0 ? std::to_string(value) : ""); }
  RecordLine& Empty(int count) {
    for (int i = 0; i < count; ++i) End();
    return *this;
  }

 private:
  RecordLine& End() {
    out_.push_back(',');
    return *this;
  }

  std::string& out_;
};

const std::string& Cross() {
  static const std::string cross = Sjis("×");
  return cross;
}

std::string ColorLine(int number, const FavoriteColor& color) {
  char head[64];
  std::snprintf(head, sizeof head, "Color,%d,%06x,%06x,", number, color.checkColor,
                color.printColor);
  std::string line = head;
  AppendCsvText(line, color.name);
  return line;
}

}  // namespace

void FavoriteStore::FormatRecord(const FavoriteEntry& entry, std::string& out) const {
  if (entry.record.id < 0) {
    FormatUnknownRecord(entry, out);
  } else {
    FormatCircleRecord(entry, out);
  }
}

void FavoriteStore::FormatCircleRecord(const FavoriteEntry& entry, std::string& out) const {
  const CircleRecord& r = entry.record;
  const PavorunDatabase& db = database_;
  const bool placed = r.blockId != 0;
  RecordLine line(out);
  line.Plain("Circle")
      .Number(db.GetEventNo() >= kFirstEventWithSerials ? r.updateId : r.id - 1)
      .Number(entry.color)
      .NumberOrEmpty(r.pageNo)
      .NumberOrEmpty(r.cutIndex)
      .Text(r.day >= 1 ? GetWeekdayShortName(db.GetWeekdayOfDay(r.day)) : Cross())
      .Text(placed ? db.GetAreaSimpleNameOfBlock(r.blockId) : Cross())
      .Text(placed ? db.GetBlockName(r.blockId) : Cross())
      .Plain(r.spaceNo != 0 ? std::to_string(r.spaceNo) : "XX")
      .Number(db.GetGenreCode(r.genreId));
  for (const std::string* text : {&r.circleName, &r.circleKana, &r.penName, &r.bookName, &r.url,
                                  &r.mailAddr, &r.description, &r.memo}) {
    line.Text(*text);
  }
  line.Number(db.GetSpaceX(r.blockId, r.spaceNo))
      .Number(db.GetSpaceY(r.blockId, r.spaceNo))
      .Number(db.GetSpaceLayout(r.blockId, r.spaceNo))
      .Number(r.spaceNoSub);
  for (const std::string* text :
       {&r.updateData, &r.orbalink, &r.rss, &r.rssInfo, &r.twitter, &r.pixiv}) {
    line.Text(*text);
  }
}

// Twitter and Pixiv close the record so that they survive a save and a load.
void FavoriteStore::FormatUnknownRecord(const FavoriteEntry& entry, std::string& out) const {
  const CircleRecord& r = entry.record;
  RecordLine line(out);
  line.Plain("UnKnown").Text(r.circleName).Text(r.circleKana).Text(r.penName).Text(r.memo);
  line.Number(entry.color);
  for (const std::string* text : {&r.bookName, &r.url, &r.mailAddr, &r.description, &r.updateData,
                                  &r.orbalink, &r.rss, &r.rssInfo, &r.twitter, &r.pixiv}) {
    line.Text(*text);
  }
}

std::string FavoriteStore::SaveText() const {
  std::string text = "Header,VellastradeCD-ROMCatalog,Vellastrade" +
                     std::to_string(database_.GetEventNo()) + ",Shift_JIS,Windows 1.96.1";
  text += kLineEnd;
  for (const auto& [index, color] : colors_) text += ColorLine(index + 1, color) + kLineEnd;
  for (const FavoriteEntry* entry : GetEntriesInPrintOrder()) {
    FormatRecord(*entry, text);
    text += kLineEnd;
  }
  return ReadableAsCp932(std::move(text));
}

std::error_code FavoriteStore::Save(const std::filesystem::path& path) const {
  return WriteStamped(path, SaveText());
}

std::error_code FavoriteStore::WriteStamped(const std::filesystem::path& path,
                                            std::string_view text) const {
  const std::error_code error = WriteFileAtomically(path, text);
  if (!error) lastFileStamp_ = ChecklistFileStamp::Of(text);
  return error;
}

void FavoriteStore::AppendVer1Header(std::string& out) const {
  out += "QUILLOR,104,Vellastrade" + std::to_string(database_.GetEventNo()) + ",Windows";
}

void FavoriteStore::FormatVer1Line(std::string& out, const CircleRecord& r, int color) const {
  const PavorunDatabase& db = database_;
  const bool known = r.id >= 0;
  RecordLine line(out);
  if (known) {
    line.Number(r.id - 1).Number(color).Number(r.pageNo).Number(r.cutIndex);
    line.Text(GetWeekdayShortName(db.GetWeekdayOfDay(r.day)))
        .Text(db.GetAreaSimpleNameOfBlock(r.blockId))
        .Text(db.GetBlockName(r.blockId))
        .Number(r.spaceNo)
        .Number(db.GetGenreCode(r.genreId));
  } else {
    line.Number(-1).Number(color).Empty(7);
  }
  line.Text(r.circleName).Text(r.penName).Text(r.bookName).Text(r.url).Text(r.mailAddr);
  line.LongText(r.description);
  if (known) {
    line.Number(db.GetSpaceDeskColumn(r.blockId, r.spaceNo))
        .Number(db.GetSpaceDeskRow(r.blockId, r.spaceNo));
  } else {
    line.Empty(2);
  }
  line.LongText(r.memo).Text(r.circleKana);
  if (known) {
    line.Number(db.GetSpaceX(r.blockId, r.spaceNo))
        .Number(db.GetSpaceY(r.blockId, r.spaceNo))
        .Number(db.GetSpaceLayout(r.blockId, r.spaceNo))
        .Number(r.spaceNoSub);
  } else {
    line.Empty(4);
  }
  line.LongText(r.updateData).Text(r.orbalink).Text(r.rss).LongText(r.rssInfo);
  line.Text(r.twitter).Text(r.pixiv);
}

void FavoriteStore::FormatVer1Entry(std::string& out, const FavoriteEntry& entry) const {
  FormatVer1Line(out, entry.record, entry.color);
}

std::string FavoriteStore::SaveVer1Text() const {
  std::string text;
  AppendVer1Header(text);
  text += kLineEnd;
  for (const FavoriteEntry* entry : GetEntriesInPrintOrder()) {
    FormatVer1Entry(text, *entry);
    text += kLineEnd;
  }
  return ReadableAsCp932(std::move(text));
}

std::error_code FavoriteStore::SaveVer1(const std::filesystem::path& path) const {
  return WriteStamped(path, SaveVer1Text());
}

void FavoriteStore::CopyAsVer1Text(std::string& out, std::span<const int> circleIds,
                                   int color) const {
  AppendVer1Header(out);
  out += kLineEnd;
  for (const int id : circleIds) {
    if (const auto it = entries_.find(id); it != entries_.end()) {
      const FavoriteEntry& entry = it->second;
      FormatVer1Line(out, entry.record, entry.color > 0 ? entry.color : color);
    } else {
      CircleRecord record;
      if (!database_.SelectCircle(record, id)) continue;
      FormatVer1Line(out, record, color);
    }
    out += kLineEnd;
  }
}

}  // namespace vx
