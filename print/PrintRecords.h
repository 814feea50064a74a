// The print records: the checklist written, in the job's print order, as the older checklist
// text, one line per circle after the format's first line, each line split into up to 32 fields.
// The documents check the first line, group the records by day and hall, sort them and read the
// fields: 0 circle id - 1 (or -1), 1 check colour (-1 when printed unchecked), 4 weekday name,
// 5 area, 6 block name, 7 space number, 18 circle kana (and the rest of the older format).
//
// The lines are taken from the checklist and the catalogue only on the thread that set the
// engine's context (the UI thread, in the counting pass that precedes every run); a document
// thread splits the lines taken last, so that it never reads or changes the user's checklist.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/CircleRecord.h"

class QPainter;

namespace vx {

struct CutRect;

constexpr int kMaxRecordFields = 32;

// The print orders of the job (the settings' "Sort", and 5 for order 1 with a page per hall).
enum PrintOrder : int {
  kOrderChecklist = 0,
  kOrderPlace = 1,
  kOrderCircleName = 2,
  kOrderColor = 3,
  kOrderCoordinates = 4,
  kOrderHallPlace = 5,
};

// Where the grouping pass found a record: 1-based day entry, hall group and hall entry, and the
// byte position of its block name in the hall group's block names; 0 when not found.
struct PrintGroupKey {
  int day = 0;
  int hallGroup = 0;
  int hallEntry = 0;
  int blockPosition = 0;
};

struct PrintRecord {
  int fieldCount = 0;
  PrintGroupKey groupKey;
  int priorPosition = 0;  // the position before the last sort

  // Field i; "" when the record has fewer fields.
  std::string_view Field(int i) const;
  // Field i as a decimal number (leading digits; 0 when none).
  int FieldInt(int i) const;

  std::string text;  // the split line: fields end with NUL
  std::uint32_t fieldOffsets[kMaxRecordFields] = {};
};

// The circles' cut data taken with the lines, for the cut painter.
struct PrintCutSource {
  int pageNo = 0;
  int cutIndex = 0;
  int updateId = 0;
  int color = -1;
};

struct PrintRecordSet {
  std::vector<std::string> lines;                // line 0 is the first line of the format
  std::unordered_map<int, PrintCutSource> cuts;  // by circle id
  std::vector<PrintRecord> records;              // one per line, as split
  std::vector<int> order;                        // indices into records in their current order
  int Count() const { return static_cast<int>(order.size()); }
  PrintRecord& At(int position) {
    return records[static_cast<std::size_t>(order[static_cast<std::size_t>(position)])];
  }
  const PrintRecord& At(int position) const {
    return records[static_cast<std::size_t>(order[static_cast<std::size_t>(position)])];
  }
};

// Takes the lines (on the context thread; elsewhere the lines taken last are kept) and splits
// them into the engine's record set; 0, or -1 when no lines can be had or memory runs out.
int PrintRecords_Build();
void PrintRecords_Free();
// Splits one line in place into the record's fields; always 0.
int PrintRecords_SplitLine(std::string_view line, PrintRecord& record);
// The document-side sort of the records after the first line: 1 circle id, 2 kana (locale
// order), 3 colour, 101 day and hall entry, 102 hall group, 103 day, hall group and block
// position, 104 day; equal records keep their previous order. 0 and 4..8 and 100 and above 104
// do not sort (0); a key below 0 or from 9 to 99 answers -1.
int PrintRecords_Sort(int key);
// The byte position of the block name `needle` in the block names `text`, found at character
// boundaries only; npos when absent or empty.
std::size_t PrintRecords_FindBlock(std::string_view text, std::string_view needle);
// Fills every record's group key from the job's catalogue tables; 0.
int PrintRecords_GroupByHall();
// Draws the cut of a circle of the record set (circle id above 0) into the rectangle, its mark in
// the print colour of its check colour (white when it has none); nothing without a data source.
void PrintEngine_DrawCircleCut(int circleId, QPainter& painter, const CutRect& rect);

}  // namespace vx
