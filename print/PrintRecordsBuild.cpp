// Taking the checklist as print lines: the entries of a copy of the checklist in the job's print
// order, each written as one line of the older checklist format.
#include <algorithm>
#include <climits>
#include <set>
#include <thread>
#include <tuple>

#include "print/PrintDataSource.h"
#include "print/PrintEngineState.h"
#include "print/PrintRecords.h"

namespace vx {
namespace {

// What the print orders compare, taken once per entry.
struct OrderedEntry {
  const FavoriteEntry* entry;
  int day;  // not placed (0 or less) after every event day
  PrintSpace space;
};

int DayKey(int day) { return day > 0 ? day : INT_MAX; }

// Compares two entries of the same day.
bool Before(int order, const OrderedEntry& a, const OrderedEntry& b) {
  const CircleRecord& ra = a.entry->record;
  const CircleRecord& rb = b.entry->record;
  switch (order) {
    case kOrderPlace:
      if (ra.blockId == 0 && rb.blockId == 0) return a.entry->printOrder < b.entry->printOrder;
      return std::tie(ra.blockId, ra.spaceNo, ra.spaceNoSub) <
             std::tie(rb.blockId, rb.spaceNo, rb.spaceNoSub);
    case kOrderCircleName:
      return std::lexicographical_compare(
          ra.circleKana.begin(), ra.circleKana.end(), rb.circleKana.begin(), rb.circleKana.end(),
          [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
          });
    case kOrderColor:
      return std::tie(a.entry->color, a.entry->printOrder) <
             std::tie(b.entry->color, b.entry->printOrder);
    case kOrderCoordinates: {
      if (ra.blockId != rb.blockId) return ra.blockId < rb.blockId;
      if (a.space.x != b.space.x) return a.space.x > b.space.x;
      if (a.space.y != b.space.y) return a.space.y < b.space.y;
      const bool ascending = a.space.layout == 3 || a.space.layout == 4;
      return ascending ? ra.spaceNoSub < rb.spaceNoSub : ra.spaceNoSub > rb.spaceNoSub;
    }
    case kOrderHallPlace:
      if (ra.blockId == 0 && rb.blockId == 0) return a.entry->printOrder < b.entry->printOrder;
      return std::tie(a.space.areaId, ra.blockId, ra.spaceNo, ra.spaceNoSub) <
             std::tie(b.space.areaId, rb.blockId, rb.spaceNo, rb.spaceNoSub);
    default:
      return a.entry->printOrder < b.entry->printOrder;
  }
}

// The entries in the job's order. Entries arrive in ascending circle id; equal ones keep that
// order, except that equal kana put the circle met later first.
std::vector<const FavoriteEntry*> InPrintOrder(const std::vector<FavoriteEntry>& entries,
                                               const PrintDataSource& source, int order) {
  std::vector<OrderedEntry> ordered;
  ordered.reserve(entries.size());
  for (const FavoriteEntry& e : entries) {
    ordered.push_back({&e, DayKey(e.record.day), source.Space(e.record.blockId, e.record.spaceNo)});
  }
  if (order == kOrderCircleName) std::reverse(ordered.begin(), ordered.end());
  std::stable_sort(ordered.begin(), ordered.end(), [order](const auto& a, const auto& b) {
    return a.day != b.day ? a.day < b.day : Before(order, a, b);
  });
  std::vector<const FavoriteEntry*> result;
  for (const OrderedEntry& o : ordered) result.push_back(o.entry);
  return result;
}

// A block-wise print works on a copy of the checklist: its unchecked entries dropped, then every
// catalogue circle of the checked circles' blocks added unchecked.
std::vector<FavoriteEntry> WithWholeBlocks(std::vector<FavoriteEntry> entries,
                                           const PrintDataSource& source) {
  std::erase_if(entries, [](const FavoriteEntry& e) { return e.color < 0; });
  std::set<DayBlock> blocks;
  std::set<int> ids;
  int lastOrder = 0;
  for (const FavoriteEntry& e : entries) {
    ids.insert(e.record.id);
    lastOrder = std::max(lastOrder, e.printOrder);
    if (e.record.day > 0 && e.record.blockId > 0) blocks.insert({e.record.day, e.record.blockId});
  }
  const std::vector<DayBlock> pairs(blocks.begin(), blocks.end());
  for (CircleRecord& circle : source.CirclesOfBlocks(pairs)) {
    if (ids.contains(circle.id)) continue;
    FavoriteEntry added;
    added.record = std::move(circle);
    added.color = -1;
    added.printOrder = ++lastOrder;
    entries.push_back(std::move(added));
  }
  std::sort(entries.begin(), entries.end(), [](const FavoriteEntry& a, const FavoriteEntry& b) {
    return a.record.id < b.record.id;
  });
  return entries;
}

// The colour a line carries: a block-wise print prints the colours the job takes, and every
// other circle unchecked.
int LineColor(const FavoriteEntry& e, bool blockAll, int colorMask) {
  if (!blockAll) return e.color;
  return e.color >= 1 && e.color <= 31 && (colorMask & (1 << (e.color - 1))) ? e.color : -1;
}

void TakeLines(PrintEngineState& state) {
  const PrintDataSource& source = *state.services.source;
  PrintRecordSet& set = state.records;
  set.lines.assign(1, source.ChecklistHeaderLine());
  set.cuts.clear();
  if (state.headerOnly) return;
  std::vector<FavoriteEntry> entries = source.ChecklistEntries();
  if (state.blockAll) {
    entries = WithWholeBlocks(std::move(entries), source);
  } else {
    std::erase_if(entries, [](const FavoriteEntry& e) { return e.color < 0; });
  }
  for (const FavoriteEntry* e : InPrintOrder(entries, source, state.printOrder)) {
    set.lines.push_back(
        source.ChecklistLine(e->record, LineColor(*e, state.blockAll, state.job.colorMask)));
    const CircleRecord& r = e->record;
    set.cuts[r.id] = {r.pageNo, r.cutIndex, r.updateId, e->color};
  }
}

}  // namespace

int PrintRecords_Build() {
  PrintEngineState& state = PrintEngine_State();
  try {
    const bool contextThread = std::this_thread::get_id() == state.contextThread;
    if (contextThread && state.services.source) TakeLines(state);
    PrintRecordSet& set = state.records;
    if (set.lines.empty()) return -1;
    set.records.assign(set.lines.size(), PrintRecord{});
    set.order.resize(set.lines.size());
    for (std::size_t i = 0; i < set.lines.size(); ++i) {
      PrintRecords_SplitLine(set.lines[i], set.records[i]);
      set.order[i] = static_cast<int>(i);
    }
    return 0;
  } catch (const std::bad_alloc&) {
    PrintRecords_Free();
    return -1;
  }
}

void PrintRecords_Free() {
  PrintRecordSet& set = PrintEngine_State().records;
  set.records.clear();
  set.order.clear();
}

}  // namespace vx
