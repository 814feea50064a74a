// Column kinds of the circle list and the checklist view, their captions and default layouts.
// A column definition holds the kind in its low byte and ColumnShown when the column is shown;
// widths are kept per kind (slot 0 is the colour column).
#pragma once

#include <string>

#include "app/SettingsValues.h"

namespace vx {

constexpr int ListColumnCount = 20;
constexpr int ColumnIdCircleName = 4;  // always shown
constexpr int ColumnIdMemo = 11;
constexpr int ColumnIdCircleCut = 17;
constexpr int ColumnShown = 0x100;

// Events from this number on have no RSS-detail column and renamed link columns.
constexpr int kFirstEventWithoutRssDetail = 90;

enum ListColumnView { kCircleListView = 0, kChecklistView = 1 };

// 16 below event 90, -1 (no such column) from 90 on.
int ColumnIdRssDetail(int eventNumber);

// CP932 caption of a column kind 0..19; "" for kind 0 and unknown kinds.
std::string GetListColumnCaption(int columnId, int view, int eventNumber);

// The four column tables of `values` set to the defaults for the event.
void ResetListColumns(SettingsValues& values, int eventNumber);

// Makes a loaded column list usable: the circle-name column is always shown, and a list that lacks
// the cut column gets it, shown, in front of the circle-name column. Widths stay with their kinds.
void RepairListColumns(int (&columns)[kColumnSlotCount], int (&widths)[kColumnSlotCount]);

}  // namespace vx
