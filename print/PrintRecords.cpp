// Splitting print lines into fields, the documents' sorts and the grouping by day and hall.
#include "print/PrintRecords.h"

#include <QCollator>
#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <tuple>

#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "platform/LeadingInt.h"
#include "platform/Sjis.h"
#include "print/PrintDataSource.h"
#include "print/PrintEngineState.h"

namespace vx {
namespace {

bool EndsLine(char c) { return c == '\0' || c == '\n' || c == '\r'; }

// Splits a line into fields in place; `text` ends with a NUL.
class LineSplitter {
 public:
  explicit LineSplitter(PrintRecord& record) : r_(record), s_(record.text) {}

  void Run() {
    bool more = true;
    while (more) {
      const std::size_t start = out_;
      more = s_[in_] == '"' && !(s_[in_ + 1] == '"' && s_[in_ + 2] != '"') ? Quoted() : Unquoted();
      s_[out_++] = '\0';
      if (r_.fieldCount < kMaxRecordFields) {
        r_.fieldOffsets[r_.fieldCount++] = static_cast<std::uint32_t>(start);
      }
    }
  }

 private:
  // A double-byte character is copied whole: its second byte is never a delimiter.
  bool CopyDoubleByte() {
    if (!IsSjisLeadByte(static_cast<unsigned char>(s_[in_])) || EndsLine(s_[in_ + 1])) return false;
    s_[out_++] = s_[in_++];
    s_[out_++] = s_[in_++];
    return true;
  }

  // Backslash n and two backslashes; answers whether it took an escape.
  bool Escape() {
    if (s_[in_] != '\\') return false;
    if (s_[in_ + 1] == 'n') {
      s_[out_++] = '\n';
    } else if (s_[in_ + 1] == '\\') {
      s_[out_++] = '\\';
    } else {
      return false;
    }
    in_ += 2;
    return true;
  }

  // Answers whether another field follows.
  bool Unquoted() {
    while (true) {
      if (CopyDoubleByte() || Escape()) continue;
      const char c = s_[in_];
      if (EndsLine(c)) return false;
      ++in_;
      if (c == ',') return true;
      s_[out_++] = c;
      if (c == '"' && s_[in_] == '"') ++in_;
    }
  }

  bool Quoted() {
    ++in_;  // the opening quote
    while (true) {
      if (CopyDoubleByte() || Escape()) continue;
      const char c = s_[in_];
      if (EndsLine(c)) return false;
      ++in_;
      if (c != '"') {
        s_[out_++] = c;
      } else if (s_[in_] == '"') {
        s_[out_++] = '"';
        ++in_;
      } else {
        return Unquoted();  // the rest of the field after the closing quote
      }
    }
  }

  PrintRecord& r_;
  std::string& s_;
  std::size_t in_ = 0;
  std::size_t out_ = 0;
};

// The locale's order of texts, as the list of circles by name is sorted on screen.
class KanaOrder {
 public:
  KanaOrder() : collator_(QLocale(QLocale::Japanese, QLocale::Japan)) {}
  int Compare(std::string_view a, std::string_view b) const {
    return collator_.compare(QString::fromStdString(Cp932ToUtf8(a)),
                             QString::fromStdString(Cp932ToUtf8(b)));
  }

 private:
  QCollator collator_;
};

// The part of the group key a sort compares.
std::tuple<int, int, int, int> GroupPart(const PrintGroupKey& k, int key) {
  switch (key) {
    case 101:
      return {k.day, k.hallEntry, 0, 0};
    case 102:
      return {k.hallGroup, 0, 0, 0};
    case 103:
      return {k.day, k.hallGroup, k.blockPosition, 0};
    default:
      return {k.day, 0, 0, 0};
  }
}

PrintGroupKey GroupOf(const PrintRecord& r, const PrintCatalogTables& tables) {
  PrintGroupKey key;
  const std::string_view weekday = r.Field(4);
  const std::string_view block = r.Field(6);
  for (std::size_t d = 0; d < tables.days.size(); ++d) {
    if (tables.days[d].weekday != weekday) continue;
    const PrintDay& day = tables.days[d];
    key.day = static_cast<int>(d) + 1;
    for (std::size_t g = 0; g < day.groups.size(); ++g) {
      const std::size_t at = PrintRecords_FindBlock(day.groups[g].blockNames, block);
      if (at == std::string_view::npos) continue;
      key.hallGroup = static_cast<int>(g) + 1;
      key.blockPosition = static_cast<int>(at);
      break;
    }
    const int space = r.FieldInt(7);
    for (std::size_t h = 0; h < day.halls.size(); ++h) {
      const PrintHallEntry& hall = day.halls[h];
      if (PrintRecords_FindBlock(hall.furtherBlocks, block) != std::string_view::npos ||
          (hall.firstBlock == block && space >= hall.smallestSpace && space <= hall.largestSpace)) {
        key.hallEntry = static_cast<int>(h) + 1;
        break;
      }
    }
    break;
  }
  return key;
}

}  // namespace

std::string_view PrintRecord::Field(int i) const {
  if (i < 0 || i >= fieldCount) return {};
  return text.c_str() + fieldOffsets[i];
}

int PrintRecord::FieldInt(int i) const { return LeadingInt(Field(i)); }

std::size_t PrintRecords_FindBlock(std::string_view text, std::string_view needle) {
  if (needle.empty()) return std::string_view::npos;
  for (std::size_t i = 0; i + needle.size() <= text.size(); i += SjisCharLength(text, i)) {
    if (text.compare(i, needle.size(), needle) == 0) return i;
  }
  return std::string_view::npos;
}

int PrintRecords_SplitLine(std::string_view line, PrintRecord& record) {
  record.text.assign(line);
  record.text.append(3, '\0');  // room to look ahead past the end
  record.fieldCount = 0;
  LineSplitter(record).Run();
  return 0;
}

int PrintRecords_Sort(int key) {
  if (key < 0 || (key >= 9 && key <= 99)) return -1;
  if (key == 0 || (key >= 4 && key <= 8) || key == 100 || key > 104) return 0;
  PrintRecordSet& set = PrintEngine_State().records;
  for (int i = 0; i < set.Count(); ++i) set.At(i).priorPosition = i;
  if (set.Count() < 2) return 0;
  const KanaOrder kana;
  const auto compare = [&](int a, int b) -> int {
    const PrintRecord& ra = set.records[static_cast<std::size_t>(a)];
    const PrintRecord& rb = set.records[static_cast<std::size_t>(b)];
    switch (key) {
      case 1:
        return ra.FieldInt(0) < rb.FieldInt(0) ? -1 : ra.FieldInt(0) > rb.FieldInt(0);
      case 2:
        return kana.Compare(ra.Field(18), rb.Field(18));
      case 3:
        return ra.FieldInt(1) < rb.FieldInt(1) ? -1 : ra.FieldInt(1) > rb.FieldInt(1);
      default: {
        const auto pa = GroupPart(ra.groupKey, key);
        const auto pb = GroupPart(rb.groupKey, key);
        return pa < pb ? -1 : pa > pb;
      }
    }
  };
  std::sort(set.order.begin() + 1, set.order.end(), [&](int a, int b) {
    const int c = compare(a, b);
    if (c != 0) return c < 0;
    return set.records[static_cast<std::size_t>(a)].priorPosition <
           set.records[static_cast<std::size_t>(b)].priorPosition;
  });
  return 0;
}

int PrintRecords_GroupByHall() {
  PrintEngineState& state = PrintEngine_State();
  PrintRecordSet& set = state.records;
  if (set.Count() < 2) return 0;
  for (int i = 1; i < set.Count(); ++i) {
    PrintRecord& r = set.At(i);
    if (r.fieldCount > 18) r.groupKey = GroupOf(r, state.tables);
  }
  return 0;
}

void PrintEngine_DrawCircleCut(int circleId, QPainter& painter, const CutRect& rect) {
  const PrintEngineState& state = PrintEngine_State();
  if (circleId <= 0 || !state.services.source) return;
  const auto it = state.records.cuts.find(circleId);
  if (it == state.records.cuts.end()) return;
  const PrintCutSource& cut = it->second;
  state.services.source->DrawCut(painter, rect, cut.pageNo, cut.cutIndex, cut.updateId,
                                 cut.color >= 1 ? state.tables.ColorOf(cut.color) : 0xFFFFFF);
}

}  // namespace vx
