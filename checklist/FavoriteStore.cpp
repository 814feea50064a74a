#include "checklist/FavoriteStore.h"

#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"
#include "data/SqlRow.h"
#include "data/SqlText.h"

#include <algorithm>
#include <set>
#include <utility>

namespace vx {
namespace {

// Entries gathered in ascending id, put into print order; equal numbers keep the id order.
template <typename Pointer>
void SortByPrintOrder(std::vector<Pointer>& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](Pointer a, Pointer b) { return a->printOrder < b->printOrder; });
}

struct RecordBatch {
  PavorunDatabase* database;
  std::unordered_map<int, CircleRecord>* records;
  const std::atomic<bool>* stop;
};

int AddFetchedRecord(void* context, int columnCount, char** columns, char**) {
  auto* batch = static_cast<RecordBatch*>(context);
  if (batch->stop != nullptr && *batch->stop) return 1;
  CircleRecord record;
  record.FillFromRow(columnCount, columns);
  batch->database->SetRecordGenreName(record);
  const int id = record.id;
  (*batch->records)[id] = std::move(record);
  return 0;
}

}  // namespace

// The records of `ids` (decimal, program-built) read with one statement on a connection of its
// own; false when the statement failed. For many of the event's circles one pass over them all
// beats looking each up.
bool FavoriteStore::ReadCatalogueCircles(const std::vector<int>& ids, CircleRecords& records,
                                         const std::atomic<bool>* stop) const {
  if (ids.empty()) return true;
  records.reserve(records.size() + ids.size());
  if (ids.size() * 4 > static_cast<std::size_t>(std::max(database_.GetMaxCircleId(), 1))) {
    std::vector<int> wanted(ids);
    std::sort(wanted.begin(), wanted.end());
    return database_.QueryRowsOnNewConnection(
               FormatSql("SELECT %s FROM PavorunCircle WHERE pavorunNo=%d;", kCircleColumnList,
                         database_.GetEventNo()),
               [&](const SqlRow& row) {
                 if (stop != nullptr && *stop) return 1;
                 if (!std::binary_search(wanted.begin(), wanted.end(), row.Int(0))) return 0;
                 CircleRecord& record = records[row.Int(0)];
                 record.FillFromRow(row);
                 database_.SetRecordGenreName(record);
                 return 0;
               },
               nullptr) == 0;
  }
  std::string list;
  for (const int id : ids) AppendSqlInt(list, id);
  list.pop_back();
  RecordBatch batch{&database_, &records, stop};
  return database_.ExecPrintfOnNewConnection(
             AddFetchedRecord, &batch,
             "SELECT %s FROM PavorunCircle WHERE pavorunNo=%d AND id in (%s);", kCircleColumnList,
             database_.GetEventNo(), list.c_str()) == 0;
}

FavoriteStore::FavoriteStore(PavorunDatabase& database) : database_(database) {}

FavoriteStore::~FavoriteStore() = default;

FavoriteEntry& FavoriteStore::Insert(int circleId, CircleRecord record, int color) {
  FavoriteEntry entry;
  entry.record = std::move(record);
  entry.color = color < 0 ? -1 : color;
  entry.printOrder = GetEntryCount() + 1;
  return entries_.insert_or_assign(circleId, std::move(entry)).first->second;
}

// A circle with a memo is not dropped by unchecking: it stays as memo only. SetColor keeps only
// catalogue circles so (an unknown circle's memo goes with it); the commit keeps any circle.
void FavoriteStore::ApplyColor(FavoriteEntry& entry, int color, bool keepMemoOfAnyCircle) {
  if (color < 0) {
    const bool keepsMemo =
        !entry.record.memo.empty() && (keepMemoOfAnyCircle || entry.record.id > 0);
    color = keepsMemo ? 0 : -1;
  }
  entry.color = color;
}

bool FavoriteStore::SetColor(int circleId, int color) {
  const auto it = entries_.find(circleId);
  if (it != entries_.end()) {
    ApplyColor(it->second, color, false);
    return true;
  }
  if (color < 0) return true;
  CircleRecord record;
  if (!database_.SelectCircle(record, circleId)) return false;
  Insert(circleId, std::move(record), color);
  return true;
}

bool FavoriteStore::SetColorMany(std::span<const int> circleIds, int color) {
  std::vector<int> missing;
  if (color >= 0) {
    for (const int id : circleIds) {
      if (!entries_.contains(id)) missing.push_back(id);
    }
  }
  CircleRecords fetched;
  bool complete = ReadCatalogueCircles(missing, fetched);
  for (const int id : circleIds) {
    const auto it = entries_.find(id);
    if (it != entries_.end()) {
      ApplyColor(it->second, color, false);
    } else if (color >= 0) {
      const auto record = fetched.find(id);
      if (record == fetched.end()) {
        complete = false;
        continue;
      }
      Insert(id, std::move(record->second), color);
      fetched.erase(record);
    }
  }
  return complete;
}

bool FavoriteStore::SetColorAndMemo(int circleId, int color, std::string_view memo) {
  const auto it = entries_.find(circleId);
  if (it != entries_.end()) {
    if (!memo.empty()) it->second.record.memo.assign(memo);
    ApplyColor(it->second, color, true);
    return true;
  }
  if (color < 0) return true;
  CircleRecord record;
  if (!database_.SelectCircle(record, circleId)) return false;
  FavoriteEntry& entry = Insert(circleId, std::move(record), color);
  if (!memo.empty()) entry.record.memo.assign(memo);
  return true;
}

// The circle's record from `fetched` when given (taken out of it), else from the catalogue.
bool FavoriteStore::TakeCatalogueRecord(int circleId, CircleRecords* fetched,
                                        CircleRecord& record) const {
  if (fetched == nullptr) return database_.SelectCircle(record, circleId);
  auto found = fetched->extract(circleId);
  if (found.empty()) return false;
  record = std::move(found.mapped());
  return true;
}

int FavoriteStore::GetColor(int circleId) const {
  const auto it = entries_.find(circleId);
  return it != entries_.end() ? it->second.color : -1;
}

bool FavoriteStore::SetMemo(int circleId, std::string_view memo) {
  const auto it = entries_.find(circleId);
  if (it == entries_.end()) return false;
  it->second.record.memo.assign(memo);
  return true;
}

void FavoriteStore::SetPrintOrder(int circleId, int number) {
  const auto it = entries_.find(circleId);
  if (it != entries_.end()) it->second.printOrder = number;
}

void FavoriteStore::SetPrintOrderList(std::span<const int> circleIds) {
  int number = 0;
  for (const int id : circleIds) SetPrintOrder(id, ++number);
}

const CircleRecord* FavoriteStore::FindCircle(int circleId) const {
  const auto it = entries_.find(circleId);
  return it != entries_.end() ? &it->second.record : nullptr;
}

bool FavoriteStore::CopyCircle(int circleId, CircleRecord& out) const {
  const CircleRecord* record = FindCircle(circleId);
  if (record == nullptr) return false;
  out.Assign(*record);
  return true;
}

int FavoriteStore::AddUnknownCircle(int color, const CircleRecord& texts) {
  const int id = ++lastUnknownId_;
  CircleRecord record;
  record.id = id;
  record.day = -1;
  record.circleName = texts.circleName;
  record.circleKana = texts.circleKana;
  record.penName = texts.penName;
  record.bookName = texts.bookName;
  record.url = texts.url;
  record.mailAddr = texts.mailAddr;
  record.description = texts.description;
  record.updateData = texts.updateData;
  record.orbalink = texts.orbalink;
  record.rss = texts.rss;
  record.memo = texts.memo;
  record.twitter = texts.twitter;
  record.pixiv = texts.pixiv;
  Insert(id, std::move(record), color);
  return id;
}

void FavoriteStore::Purge(bool all) {
  if (all) {
    entries_.clear();
    lastUnknownId_ = INT_MIN;
    return;
  }
  std::erase_if(entries_, [](const auto& item) { return item.second.color < 0; });
  std::vector<FavoriteEntry*> order;
  order.reserve(entries_.size());
  for (auto& [id, entry] : entries_) order.push_back(&entry);
  SortByPrintOrder(order);
  int number = 0;
  for (FavoriteEntry* entry : order) entry->printOrder = ++number;
}

void FavoriteStore::ReleaseUnchecked(std::span<const int> circleIds) {
  for (const int id : circleIds) {
    const auto it = entries_.find(id);
    if (it != entries_.end() && it->second.color < 0) entries_.erase(it);
  }
}

bool FavoriteStore::EraseUncheckedMemos() {
  bool erased = false;
  for (auto& [id, entry] : entries_) {
    if (entry.color != 0) continue;
    entry.color = -1;
    erased = true;
  }
  Purge(false);
  return erased;
}

bool FavoriteStore::EraseAllMemos() {
  bool erased = false;
  for (auto& [id, entry] : entries_) {
    if (entry.color < 0) continue;
    erased = erased || entry.color == 0 || !entry.record.memo.empty();
    if (entry.color == 0) entry.color = -1;
    entry.record.memo.clear();
  }
  Purge(false);
  return erased;
}

bool FavoriteStore::LoadSameBlockCircles() {
  if (entries_.empty()) return true;
  std::map<int, std::set<int>> blocksByDay;
  for (const auto& [id, entry] : entries_) {
    blocksByDay[entry.record.day].insert(entry.record.blockId);
  }
  std::string terms;
  for (const auto& [day, blocks] : blocksByDay) {
    for (const int block : blocks) {
      if (!terms.empty()) terms.append("OR");
      terms.append(FormatSql("(day=%d AND blockId=%d)", day, block));
    }
  }
  const auto addNeighbour = [](void* context, int columnCount, char** columns, char**) {
    auto* self = static_cast<FavoriteStore*>(context);
    const int id = ColumnInt(columnCount, columns, 0);
    if (self->entries_.contains(id)) return 0;
    CircleRecord record;
    record.FillFromRow(columnCount, columns);
    self->Insert(id, std::move(record), -1);
    return 0;
  };
  return database_.ExecPrintfOnNewConnection(
             addNeighbour, this, "SELECT %s FROM PavorunCircle WHERE pavorunNo=%d AND (%s)",
             kCircleColumnList, database_.GetEventNo(), terms.c_str()) == 0;
}

std::vector<const FavoriteEntry*> FavoriteStore::GetEntriesInPrintOrder() const {
  std::vector<const FavoriteEntry*> order;
  order.reserve(entries_.size());
  for (const auto& [id, entry] : entries_) {
    if (entry.color >= 0) order.push_back(&entry);
  }
  SortByPrintOrder(order);
  return order;
}

void FavoriteStore::ForEachChecked(const EntryUpdater& visit) {
  if (!visit) return;
  for (auto& [id, entry] : entries_) {
    if (entry.color >= 0 && !visit(entry)) return;
  }
}

void FavoriteStore::ForEachInPrintOrder(const EntryVisitor& visit) const {
  if (!visit) return;
  for (const FavoriteEntry* entry : GetEntriesInPrintOrder()) {
    if (!visit(*entry)) return;
  }
}

void FavoriteStore::AddAllToPrintRecords(const EntryVisitor& add) const {
  if (!add) return;
  for (const auto& [id, entry] : entries_) {
    if (!add(entry)) return;
  }
}

void FavoriteStore::ExportPlacedToPortal(const EntryVisitor& send) const {
  if (!send) return;
  for (const auto& [id, entry] : entries_) {
    if (entry.color < 0 || id < 0 || entry.record.day <= 0) continue;
    if (!send(entry)) return;
  }
}

void FavoriteStore::SetColorDef(int index, ColorRef checkColor, ColorRef printColor,
                                std::string_view name) {
  if (index < 0) return;
  FavoriteColor& color = colors_[index];
  color.checkColor = checkColor;
  color.printColor = printColor;
  color.name.assign(name);
}

ColorRef FavoriteStore::GetCheckColor(int index) const {
  const auto it = colors_.find(index);
  return it != colors_.end() ? it->second.checkColor : 0;
}

ColorRef FavoriteStore::GetPrintColor(int index) const {
  const auto it = colors_.find(index);
  return it != colors_.end() ? it->second.printColor : 0;
}

const std::string& FavoriteStore::GetColorName(int index) const {
  static const std::string none;
  const auto it = colors_.find(index);
  return it != colors_.end() ? it->second.name : none;
}

int FavoriteStore::BoundColor(int color) const { return std::clamp(color, 0, kMaxColorCount); }

}  // namespace vx
