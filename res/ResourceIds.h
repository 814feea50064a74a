// Numeric ids shared by the whole program: application messages, dialog answers, commands and
// controls. The numbers are part of the program's contract between windows; never renumber.
#pragma once

constexpr unsigned WM_USER = 0x0400;

// Application messages broadcast by the catalogue controller (wParam/lParam in comments).
constexpr unsigned UM_WINDOW_REGISTERED = WM_USER + 4;        // 0, window
constexpr unsigned UM_WINDOW_UNREGISTERED = WM_USER + 5;      // 0, window
constexpr unsigned UM_WINDOW_SHOWN = WM_USER + 6;             // 0, window
constexpr unsigned UM_WINDOW_HIDDEN = WM_USER + 7;            // 0, window
constexpr unsigned UM_CIRCLE_CHANGED = WM_USER + 8;           // 0, circle id
constexpr unsigned UM_PAGE_CHANGED = WM_USER + 9;             // 0, page
constexpr unsigned UM_DAY_CHANGED = WM_USER + 10;             // 0, day
constexpr unsigned UM_RESERVED_11 = WM_USER + 11;             // accepted, never sent
constexpr unsigned UM_BLOCK_CHANGED = WM_USER + 12;           // 0, block id
constexpr unsigned UM_SPACE_CHANGED = WM_USER + 13;           // spaceNoSub, spaceNo
constexpr unsigned UM_GENRE_CHANGED = WM_USER + 14;           // 0, genre id
constexpr unsigned UM_CIRCLE_CHECKED = WM_USER + 15;          // colour number, circle id
constexpr unsigned UM_CIRCLE_UNCHECKED = WM_USER + 16;        // 0, circle id
constexpr unsigned UM_CIRCLE_COLOR_CHANGED = WM_USER + 17;    // colour number, circle id
constexpr unsigned UM_CHECKLIST_RESET = WM_USER + 18;         // 0, 0
constexpr unsigned UM_CURRENT_COLOR_CHANGED = WM_USER + 19;   // old index, new index
constexpr unsigned UM_COLORS_CHANGED = WM_USER + 20;          // 0, 0
constexpr unsigned UM_OPTIONS_CHANGED = WM_USER + 21;         // 0, 0
constexpr unsigned UM_IMAGES_CHANGED = WM_USER + 22;          // 0, 0
constexpr unsigned UM_RUN_SEARCH = WM_USER + 23;              // 0, 0
constexpr unsigned UM_LIST_NEXT_BLOCK = WM_USER + 24;         // list view to its frame only
constexpr unsigned UM_LIST_PREV_BLOCK = WM_USER + 25;         // list view to its frame only
constexpr unsigned UM_CHECKLIST_ENTRY_CHANGED = WM_USER + 26; // 0, circle id
constexpr unsigned UM_LABEL_EDITED = WM_USER + 27;            // column, row; never broadcast
constexpr unsigned UM_CIRCLE_INFO_UPDATED = WM_USER + 28;     // 0, circle id
constexpr unsigned UM_LIST_COLUMNS_RESIZED = WM_USER + 29;    // 0, 0; never broadcast

// Print workers to their message window.
constexpr unsigned UM_PRINT_PROGRESS = WM_USER + 70;  // progress units
constexpr unsigned UM_PRINT_DONE = WM_USER + 71;
constexpr unsigned UM_PRINT_STOPPED = WM_USER + 72;
constexpr unsigned UM_PRINT_FAILED = WM_USER + 73;
constexpr unsigned UM_PRINT_PAGE = WM_USER + 74;      // page number

// Dialog and message-box answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Progress dialogs (template 181): a text, a bar and Cancel (IDCANCEL).
constexpr int IDD_PROGRESS = 181;
constexpr int IDC_PROGRESS_BAR = 1600;
constexpr int IDC_PROGRESS_TEXT = 1601;

// Database maintenance dialogs: image data (190), circle data (192), image path (193), event
// switch (196).
constexpr int IDD_IMAGE_INSTALL = 190;
constexpr int IDD_DATABASE_INSTALL = 192;
constexpr int IDD_IMAGE_PATH = 193;
constexpr int IDD_EVENT_SWITCH = 196;
constexpr int IDC_IMAGE_INSTALLED_LIST = 1608;
constexpr int IDC_IMAGE_EVENT_COMBO = 1609;
constexpr int IDC_IMAGE_INSTALL = 1610;
constexpr int IDC_IMAGE_DELETE = 1611;
constexpr int IDC_IMAGE_PATH_EDIT = 1614;
constexpr int IDC_DB_EVENT_LIST = 1617;
constexpr int IDC_DB_SOURCE_PATH = 1618;
constexpr int IDC_DB_SOURCE_KIND = 1619;
constexpr int IDC_DB_BROWSE = 1620;
constexpr int IDC_DB_INSTALL = 1621;
constexpr int IDC_DB_DELETE = 1622;
constexpr int IDC_IMAGE_PATH_TEXT = 1623;
constexpr int IDC_IMAGE_PATH_BROWSE = 1625;
constexpr int IDC_SWITCH_EVENT_LIST = 1627;
constexpr int IDC_SWITCH_CURRENT_TEXT = 1628;

// About box (template 100), page jump (151) and web-search settings (212).
constexpr int IDD_ABOUT = 100;
constexpr int IDC_ABOUT_SYSTEM_INFO = 1019;
constexpr int IDC_ABOUT_TITLE = 1045;
constexpr int IDD_PAGE_JUMP = 151;
constexpr int IDC_PAGE_JUMP_EDIT = 1043;
constexpr int IDD_WEB_SEARCH_SETTINGS = 212;
constexpr int IDC_WEB_SEARCH_OR = 1690;
constexpr int IDC_WEB_SEARCH_AND = 1691;
constexpr int IDC_WEB_SEARCH_CUSTOM = 1692;
constexpr int IDC_WEB_SEARCH_ITEM1 = 1693;
constexpr int IDC_WEB_SEARCH_ITEM2 = 1694;
constexpr int IDC_WEB_SEARCH_CONDITION = 1695;
