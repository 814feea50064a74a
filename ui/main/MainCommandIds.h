// Command ids of the main window that the shared resource header does not hold yet.
#pragma once

namespace vx {

constexpr int ID_FIT_WIDTH_ONCE = 153;
constexpr int ID_FIT_HEIGHT_ONCE = 154;
constexpr int ID_FOCUS_ZOOM_BOX = 157;
constexpr int ID_ZOOM_OUT = 32787;
constexpr int ID_ZOOM_IN = 32788;
constexpr int ID_ACTUAL_SIZE = 32789;
constexpr int ID_FIT_HEIGHT = 32790;
constexpr int ID_FIT_WIDTH = 32791;
constexpr int ID_ANTI_ALIAS = 32792;
constexpr int ID_ZOOM_BOX = 32800;
constexpr int ID_FIT_PAGE = 32814;
constexpr int ID_HIGH_RESOLUTION = 32867;
constexpr int ID_LIST_SHOW_CUT = 32868;
constexpr int ID_PAGE_JUMP = 32803;
constexpr int ID_BAR_BASIC = 32839;
constexpr int ID_BAR_JUMP = 32840;
constexpr int ID_BAR_DISPLAY = 32841;
constexpr int ID_BAR_CHECK = 32842;
constexpr int ID_BAR_NAVIGATE = 32847;
constexpr int ID_STATUS_NEXT_PAGE = 61224;
constexpr int ID_STATUS_PREV_PAGE = 61225;
constexpr int ID_PREV_PAGE = 32774;
constexpr int ID_NEXT_PAGE = 32775;
constexpr int ID_HISTORY_BACK = 32845;
constexpr int ID_HISTORY_FORWARD = 32846;
constexpr int ID_CHECKLIST_OPEN = 32793;
constexpr int ID_CHECKLIST_SAVE = 32794;
constexpr int ID_CHECKLIST_NEW = 32818;
constexpr int ID_PRINT = 32771;
constexpr int ID_JUMP_DAY_FIRST = 34000;
constexpr int ID_JUMP_HALL_FIRST = 34100;
constexpr int ID_JUMP_BLOCK_FIRST = 34200;
constexpr int ID_JUMP_GENRE_FIRST = 34400;
constexpr int ID_WINDOW_ENTRY_FIRST = 33200;
constexpr int ID_WINDOW_TOGGLE_FIRST = 33300;

}  // namespace vx
