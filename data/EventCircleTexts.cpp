#include "data/EventCircleTexts.h"

#include "data/CircleRecord.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "data/SqlRow.h"
#include "data/SqlText.h"
#include "data/SqliteConnection.h"
#include "data/TextFold.h"
#include "data/TextSqlFunctions.h"
#include "platform/Sjis.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>

namespace vx {
namespace {

constexpr int kColumns = EventCircleTexts::kColumnCount;

// The keyword columns in the order a search joins them; the memo and the genre name follow.
const SearchCondition::FieldOperand* const kColumnOperands = SearchCondition::kFieldOperands;
static_assert(SearchCondition::kFieldOperands[kColumns].bit == SearchCondition::kFieldMemo &&
              SearchCondition::kFieldOperands[kColumns + 1].bit ==
                  SearchCondition::kFieldGenreName);

// The record's text of each keyword column, in the same order.
std::string CircleRecord::*const kTextMembers[kColumns] = {
    &CircleRecord::circleName, &CircleRecord::circleKana, &CircleRecord::penName,
    &CircleRecord::bookName,   &CircleRecord::url,        &CircleRecord::mailAddr,
    &CircleRecord::description, &CircleRecord::updateData, &CircleRecord::orbalink,
    &CircleRecord::rss,        &CircleRecord::twitter,    &CircleRecord::pixiv};

constexpr const char* kNumberColumns =
    "id,pageNo,cutIndex,day,blockId,spaceNo,spaceNoSub,genreId,updateId,updateFlag";
int CircleRecord::*const kNumberMembers[] = {
    &CircleRecord::id,      &CircleRecord::pageNo,     &CircleRecord::cutIndex,
    &CircleRecord::day,     &CircleRecord::blockId,    &CircleRecord::spaceNo,
    &CircleRecord::spaceNoSub, &CircleRecord::genreId, &CircleRecord::updateId,
    &CircleRecord::updateFlag};

// Where each column lies among a circle's texts: the default fields first, in the order a search
// joins them, so that their concatenation is one piece of the folded copy.
constexpr int kSlotOfColumn[kColumns] = {0, 1, 2, 3, 6, 7, 4, 5, 8, 9, 10, 11};

std::string ReadStatement(int event) {
  std::string columns;
  for (int slot = 0; slot < kColumns; ++slot) {
    for (int k = 0; k < kColumns; ++k) {
      if (kSlotOfColumn[k] == slot) columns += std::string(",") + kColumnOperands[k].operand;
    }
  }
  // In the table's order: reading the rows as they lie beats walking the primary key.
  return FormatSql("SELECT %s%s FROM PavorunCircle NOT INDEXED WHERE pavorunNo=%d;",
                   kNumberColumns, columns.c_str(), event);
}

// The slots of the chosen columns when they follow one another in the order the columns are
// joined: (first slot, count); count 0 otherwise.
std::pair<int, int> ContiguousSlots(int columns) {
  int first = -1, count = 0;
  for (int k = 0; k < kColumns; ++k) {
    if ((columns & (1 << k)) == 0) continue;
    if (count > 0 && kSlotOfColumn[k] != first + count) return {0, 0};
    if (count == 0) first = kSlotOfColumn[k];
    ++count;
  }
  return {first, count};
}

// Whether folding `text` alone splits differently from folding it with what follows: its last
// byte is a lead byte that the walk takes on its own.
bool EndsInsideACharacter(std::string_view text) {
  std::size_t i = 0;
  while (i + 1 < text.size()) i += IsSjisLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  return i + 1 == text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[i]));
}

std::string_view Arg(sqlite3_value* value) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
  if (text == nullptr) return {};
  return {text, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

void FoldedMatchFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i) {
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return sqlite3_result_null(context);
  }
  const auto* texts = static_cast<const EventCircleTexts*>(sqlite3_user_data(context));
  const std::optional<int> match =
      texts->Match(sqlite3_value_int(argv[0]), sqlite3_value_int(argv[1]), Arg(argv[2]),
                   argc > 3 ? std::optional(Arg(argv[3])) : std::nullopt);
  if (!match) return sqlite3_result_null(context);
  if (*match < 0) return sqlite3_result_error(context, "circle texts out of date", -1);
  sqlite3_result_int(context, *match);
}

std::int64_t DataVersion(SqliteConnection& connection) {
  std::int64_t version = -1;
  connection.QueryRows(
      "PRAGMA data_version;",
      [&version](const SqlRow& row) {
        version = row.Int(0);
        return 0;
      },
      nullptr);
  return version;
}

void AppendSlot(std::string& texts, std::vector<std::uint32_t>& offsets, std::string_view text,
                bool fold) {
  offsets.push_back(static_cast<std::uint32_t>(texts.size()));
  if (fold) {
    FoldText(text, texts);
  } else {
    texts.append(text);
  }
}

}  // namespace

int EventCircleTexts::Register(sqlite3* connection) {
  for (const int argc : {3, 4}) {
    const int rc = sqlite3_create_function_v2(connection, kFunctionName, argc, SQLITE_UTF8, this,
                                              FoldedMatchFunction, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return rc;
  }
  return SQLITE_OK;
}

int EventCircleTexts::Prepare(SqliteConnection& connection, int event,
                              const std::atomic<bool>& cancel, std::string* error) {
  const std::int64_t version = DataVersion(connection);
  if (loaded_ && event == event_ && version == dataVersion_) return 0;
  Forget();
  const int rc = Read(connection, event, cancel, error);
  if (rc != 0) {
    Forget();
    return rc;
  }
  byId_.reserve(circles_.size());
  for (std::size_t i = 0; i < circles_.size(); ++i) byId_.emplace_back(circles_[i].numbers[0], i);
  std::sort(byId_.begin(), byId_.end());
  loaded_ = true;
  event_ = event;
  dataVersion_ = version;
  return 0;
}

void EventCircleTexts::Forget() {
  loaded_ = false;
  circles_.clear();
  byId_.clear();
  raw_.clear();
  rawOffsets_.clear();
  folded_.clear();
  foldedOffsets_.clear();
  hint_ = 0;
}

int EventCircleTexts::Read(SqliteConnection& connection, int event,
                           const std::atomic<bool>& cancel, std::string* error) {
  return connection.QueryRows(
      ReadStatement(event),
      [&](const SqlRow& row) {
        if (cancel.load()) return 1;
        Circle circle;
        for (int n = 0; n < kNumberCount; ++n) circle.numbers[n] = row.Int(n);
        for (int slot = 0; slot < kColumns; ++slot) {
          const std::string_view text = row.Text(kNumberCount + slot);
          if (row.IsNull(kNumberCount + slot)) circle.nullSlots |= 1u << slot;
          circle.ragged = circle.ragged || EndsInsideACharacter(text);
          AppendSlot(raw_, rawOffsets_, text, false);
          AppendSlot(folded_, foldedOffsets_, text, true);
        }
        circles_.push_back(circle);
        // The offsets are 32 bits: a catalogue is far smaller, but never read past them.
        return raw_.size() > std::numeric_limits<std::uint32_t>::max() / 2 ? 1 : 0;
      },
      error);
}

std::size_t EventCircleTexts::IndexOf(int id) const {
  for (std::size_t i = hint_; i < byId_.size() && i < hint_ + 2; ++i) {
    if (byId_[i].first == id) return byId_[hint_ = i].second;
  }
  const auto it = std::lower_bound(byId_.begin(), byId_.end(), std::pair(id, std::size_t{0}));
  if (it == byId_.end() || it->first != id) return circles_.size();
  hint_ = static_cast<std::size_t>(it - byId_.begin());
  return it->second;
}

std::string_view EventCircleTexts::Slots(const std::string& texts,
                                         const std::vector<std::uint32_t>& offsets,
                                         std::size_t index, int firstSlot, int slotCount) {
  const std::size_t at = index * kColumns + static_cast<std::size_t>(firstSlot);
  const std::size_t last = at + static_cast<std::size_t>(slotCount);
  const std::size_t end = last < offsets.size() ? offsets[last] : texts.size();
  return std::string_view(texts).substr(offsets[at], end - offsets[at]);
}

std::string_view EventCircleTexts::Raw(std::size_t index, int column) const {
  return Slots(raw_, rawOffsets_, index, kSlotOfColumn[column], 1);
}

std::optional<int> EventCircleTexts::Match(int id, int fields, std::string_view key,
                                           std::optional<std::string_view> genreName) const {
  const std::size_t index = IndexOf(id);
  if (index == circles_.size()) return -1;
  const Circle& circle = circles_[index];
  int columns = 0;
  unsigned slots = 0;
  for (int k = 0; k < kColumns; ++k) {
    if (fields & kColumnOperands[k].bit) {
      columns |= 1 << k;
      slots |= 1u << kSlotOfColumn[k];
    }
  }
  if (circle.nullSlots & slots) return std::nullopt;
  // The memo and the genre name come last and are folded together, as one text.
  thread_local std::string tail;
  tail.clear();
  if (fields & SearchCondition::kFieldMemo) tail += database_.GetCircleMemo(id);
  if (genreName) tail += *genreName;
  thread_local std::string text;
  text.clear();
  if (circle.ragged) {
    std::string raw;
    for (int k = 0; k < kColumns; ++k) {
      if (columns & (1 << k)) raw += Raw(index, k);
    }
    FoldText(raw + tail, text);
  } else if (const auto [first, count] = ContiguousSlots(columns); tail.empty() && count > 0) {
    return ContainsCharacters(Slots(folded_, foldedOffsets_, index, first, count), key) ? 1 : 0;
  } else {
    for (int k = 0; k < kColumns; ++k) {
      if (columns & (1 << k)) {
        text += Slots(folded_, foldedOffsets_, index, kSlotOfColumn[k], 1);
      }
    }
    FoldText(tail, text);
  }
  return ContainsCharacters(text, key) ? 1 : 0;
}

bool EventCircleTexts::FillRecord(int id, CircleRecord& record) const {
  const std::size_t index = IndexOf(id);
  if (index == circles_.size()) return false;
  record.Clear();
  for (int n = 0; n < kNumberCount; ++n) record.*kNumberMembers[n] = circles_[index].numbers[n];
  for (int k = 0; k < kColumns; ++k) record.*kTextMembers[k] = Raw(index, k);
  return true;
}

}  // namespace vx
