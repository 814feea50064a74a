// Numeric ids shared by the whole program: application messages, dialog answers, commands and
// controls. The numbers are part of the program's contract between windows; never renumber.
#pragma once

constexpr unsigned WM_USER = 0x0400;

// Application messages broadcast by the catalogue controller (wParam/lParam in comments).
constexpr unsigned UM_WINDOW_REGISTERED = WM_USER + 4;         // 0, window
constexpr unsigned UM_WINDOW_UNREGISTERED = WM_USER + 5;       // 0, window
constexpr unsigned UM_WINDOW_SHOWN = WM_USER + 6;              // 0, window
constexpr unsigned UM_WINDOW_HIDDEN = WM_USER + 7;             // 0, window
constexpr unsigned UM_CIRCLE_CHANGED = WM_USER + 8;            // 0, circle id
constexpr unsigned UM_PAGE_CHANGED = WM_USER + 9;              // 0, page
constexpr unsigned UM_DAY_CHANGED = WM_USER + 10;              // 0, day
constexpr unsigned UM_RESERVED_11 = WM_USER + 11;              // accepted, never sent
constexpr unsigned UM_BLOCK_CHANGED = WM_USER + 12;            // 0, block id
constexpr unsigned UM_SPACE_CHANGED = WM_USER + 13;            // spaceNoSub, spaceNo
constexpr unsigned UM_GENRE_CHANGED = WM_USER + 14;            // 0, genre id
constexpr unsigned UM_CIRCLE_CHECKED = WM_USER + 15;           // colour number, circle id
constexpr unsigned UM_CIRCLE_UNCHECKED = WM_USER + 16;         // 0, circle id
constexpr unsigned UM_CIRCLE_COLOR_CHANGED = WM_USER + 17;     // colour number, circle id
constexpr unsigned UM_CHECKLIST_RESET = WM_USER + 18;          // 0, 0
constexpr unsigned UM_CURRENT_COLOR_CHANGED = WM_USER + 19;    // old index, new index
constexpr unsigned UM_COLORS_CHANGED = WM_USER + 20;           // 0, 0
constexpr unsigned UM_OPTIONS_CHANGED = WM_USER + 21;          // 0, 0
constexpr unsigned UM_IMAGES_CHANGED = WM_USER + 22;           // 0, 0
constexpr unsigned UM_RUN_SEARCH = WM_USER + 23;               // 0, 0
constexpr unsigned UM_LIST_NEXT_BLOCK = WM_USER + 24;          // list view to its frame only
constexpr unsigned UM_LIST_PREV_BLOCK = WM_USER + 25;          // list view to its frame only
constexpr unsigned UM_CHECKLIST_ENTRY_CHANGED = WM_USER + 26;  // 0, circle id
constexpr unsigned UM_LABEL_EDITED = WM_USER + 27;             // column, row; never broadcast
constexpr unsigned UM_CIRCLE_INFO_UPDATED = WM_USER + 28;      // 0, circle id
constexpr unsigned UM_LIST_COLUMNS_RESIZED = WM_USER + 29;     // 0, 0; never broadcast
constexpr unsigned UM_CHECKLIST_MARKS_CHANGED = WM_USER + 30;  // 0, 0; many circles' marks at once

// Print workers to their message window.
constexpr unsigned UM_PRINT_PROGRESS = WM_USER + 70;  // progress units
constexpr unsigned UM_PRINT_DONE = WM_USER + 71;
constexpr unsigned UM_PRINT_STOPPED = WM_USER + 72;
constexpr unsigned UM_PRINT_FAILED = WM_USER + 73;
constexpr unsigned UM_PRINT_PAGE = WM_USER + 74;  // page number

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

// Memo editor (241): a multi-line edit, OK and Cancel.
constexpr int IDD_EDIT_MEMO = 241;
constexpr int IDC_MEMO_EDIT = 1635;

// Circle detail view: the description and memo boxes, and the six link lines as label / value
// (the values take clicks). Control ids only; some numbers also name an icon.
constexpr int IDC_DETAIL_DESCRIPTION = 33101;
constexpr int IDC_DETAIL_MEMO = 33102;
constexpr int IDC_LINK_URL_LABEL = 143;
constexpr int IDC_LINK_URL = 145;
constexpr int IDC_LINK_MAIL_LABEL = 146;
constexpr int IDC_LINK_MAIL = 147;
constexpr int IDC_LINK_PORTAL_LABEL = 33103;
constexpr int IDC_LINK_PORTAL = 33105;
constexpr int IDC_LINK_TWITTER_LABEL = 33108;
constexpr int IDC_LINK_TWITTER = 33107;
constexpr int IDC_LINK_PIXIV_LABEL = 33110;
constexpr int IDC_LINK_PIXIV = 33109;
constexpr int IDC_LINK_FEED_LABEL = 33104;
constexpr int IDC_LINK_FEED = 33106;

// Bookmark organiser (182) and the new bookmark's title (185).
constexpr int IDD_BOOKMARK_ORGANIZE = 182;
constexpr int IDD_BOOKMARK_ADD = 185;
constexpr int IDC_BOOKMARK_TREE = 1602;
constexpr int IDC_BOOKMARK_PAGE_TEXT = 1605;
constexpr int IDC_BOOKMARK_TITLE = 1606;

// Circle search (135): days, keyword fields, genres, filters, keywords and the run buttons.
constexpr int IDD_SEARCH = 135;
constexpr int IDC_SEARCH_SELECT_ALL_GENRES = 7;
constexpr int IDC_SEARCH_CLEAR_ALL_GENRES = 6;
constexpr int IDC_SEARCH_NARROW = 3;
constexpr int IDC_SEARCH_REDO = 4;
constexpr int IDC_SEARCH_KEYWORD = 1000;
constexpr int IDC_SEARCH_MATCH_ALL = 1001;
constexpr int IDC_SEARCH_MATCH_ANY = 1002;
constexpr int IDC_SEARCH_DAY_FIRST = 1003;  // .. 1006, days 1 to 4
constexpr int IDC_SEARCH_NO_DAY = 1007;
constexpr int IDC_SEARCH_FIELD_NAME = 1008;  // .. 1014: name, reading, pen name, book, URL, mail,
                                             // description
constexpr int IDC_SEARCH_GENRES = 1015;
constexpr int IDC_SEARCH_NORMALIZE = 1017;
constexpr int IDC_SEARCH_MEMO_ONLY = 1040;
constexpr int IDC_SEARCH_RESET = 1041;
constexpr int IDC_SEARCH_FIELD_MEMO = 1042;
constexpr int IDC_SEARCH_FIELD_UPDATE = 1043;
constexpr int IDC_SEARCH_FIELD_GENRE = 1044;
constexpr int IDC_SEARCH_FIELD_ORBALINK = 1045;
constexpr int IDC_SEARCH_FIELD_RSS = 1046;
constexpr int IDC_SEARCH_UPDATED_ONLY = 1047;
constexpr int IDC_SEARCH_FIELD_TWITTER = 1048;
constexpr int IDC_SEARCH_FIELD_PIXIV = 1049;
constexpr int IDC_SEARCH_KEEP_OPEN = 1704;

// Circle list window: the view's lists, the list bar's selectors and the status pane.
constexpr int IDC_CIRCLE_LIST = 117;
constexpr int IDC_LIST_BLOCK_COMBO = 131;  // blocks, or kana initials in mode 1
constexpr int IDC_LIST_MODE_COMBO = 132;
constexpr int IDC_LIST_DAY_COMBO = 133;
constexpr int ID_LIST_STATUS_PANE = 187;
// Checklist window: the view's day tabs and the list of each tab.
constexpr int IDC_CHECKLIST_TABS = 116;
constexpr int IDC_CHECKLIST_LIST = 117;
// Portal login (248): the embedded browser (or the pasted address where none can run) and Cancel.
constexpr int IDD_PORTAL_LOGIN = 248;
constexpr int IDC_PORTAL_BROWSER = 1741;
constexpr int IDC_PORTAL_RETURN_ADDRESS = 1742;

// Export result (1539): the refused favourites in a read-only multi-line edit, and OK.
constexpr int IDD_EXPORT_RESULT = 1539;
constexpr int IDC_EXPORT_RESULT_TEXT = 1635;

// Settings pages: behaviour options (150), paths (191), list columns (210), check colours (149).
// The pages share one sheet, so an id may stand for different controls on different pages.
constexpr int IDD_SETTINGS_GENERAL = 150;
constexpr int IDD_SETTINGS_PATHS = 191;
constexpr int IDD_SETTINGS_LIST = 210;
constexpr int IDD_SETTINGS_COLORS = 149;
constexpr int IDC_CFG_AUTO_NEXT = 1021;
constexpr int IDC_CFG_LIST_SYNC = 1022;
constexpr int IDC_CFG_SCROLL_ADOBE = 1023;
constexpr int IDC_CFG_AUTO_SEL = 1024;
constexpr int IDC_CFG_SCROLL_IE = 1025;
constexpr int IDC_CFG_ONE_CLICK_SEL = 1026;
constexpr int IDC_CFG_SCROLL_DRAG = 1027;
constexpr int IDC_CFG_STRICT_LOAD = 1028;
constexpr int IDC_CFG_AUTO_NEXT2 = 1029;
constexpr int IDC_CFG_AUTO_LOAD = 1664;
constexpr int IDC_CFG_CURSOR_INIT = 1710;
constexpr int IDC_CFG_START_COVER = 1711;
constexpr int IDC_CFG_FVR_OVER = 1712;
constexpr int IDC_CFG_FVR_OVER_COLOR = 1713;
constexpr int IDC_CFG_SYNC_ICONIC = 1714;
constexpr int IDC_CFG_RESET = 1720;
constexpr int IDC_CFG_IMG_AUTO = 1612;
constexpr int IDC_CFG_IMG_FIXED = 1613;
constexpr int IDC_CFG_IMG_PATH = 1614;
constexpr int IDC_CFG_IMG_PATH_LABEL = 1615;
constexpr int IDC_CFG_IMG_BROWSE = 1616;
constexpr int IDC_CFG_BROWSER_DEFAULT = 1730;
constexpr int IDC_CFG_BROWSER_CHOSEN = 1731;
constexpr int IDC_CFG_BROWSER_LABEL = 1732;
constexpr int IDC_CFG_BROWSER_PATH = 1733;
constexpr int IDC_CFG_BROWSER_BROWSE = 1734;
constexpr int IDC_CFG_CHECK_COLUMNS = 1694;
constexpr int IDC_CFG_CHECK_COLUMN_UP = 1695;
constexpr int IDC_CFG_CHECK_COLUMN_DOWN = 1696;
constexpr int IDC_CFG_LIST_COLUMNS = 1697;
constexpr int IDC_CFG_LIST_COLUMN_UP = 1698;
constexpr int IDC_CFG_LIST_COLUMN_DOWN = 1699;
constexpr int IDC_CFG_COLUMNS_DEFAULT = 1700;
constexpr int IDC_CFG_COLOR_FIRST = 1020;             // display colours 1-9
constexpr int IDC_CFG_PRINT_COLOR_FIRST = 1029;       // print colours 1-9
constexpr int IDC_CFG_COLOR_MORE_FIRST = 1740;        // display colours 10-16
constexpr int IDC_CFG_PRINT_COLOR_MORE_FIRST = 1750;  // print colours 10-16
constexpr int IDC_CFG_COLOR_RESET = 1038;
constexpr int IDC_CFG_COLOR_RESET_SECOND = 1711;
constexpr int IDC_CFG_COLOR_NAME = 1636;
constexpr int IDC_CFG_COLOR_NAME_INDEX = 1665;
constexpr int IDC_CFG_COLOR_SET = 1702;

// --- Commands (WM_COMMAND ids; each QAction carries one) -----------------------------------------
// Some numbers also name a cursor or a bitmap (152-158); the ID_ prefix says "command".

// Check colours: only 17 colours have ids, and the colour count never exceeds 16.
constexpr int ID_CHECK_COLOR_FIRST = 33001;  // check with colour 1 .. 17 (id - 33000)
constexpr int ID_CHECK_COLOR_LAST = 33017;
constexpr int ID_UNCHECK = 33020;           // remove from the checklist
constexpr int ID_CHECK_OR_RECOLOR = 33030;  // main window: sends ID_CHECK_CURRENT_COLOR to the view
constexpr int ID_CHECK_CURRENT_COLOR = 33040;
constexpr int ID_COLOR_EDIT = 33041;           // the check-colour sheet
constexpr int ID_CURRENT_COLOR_FIRST = 33051;  // make colour index 0 .. 16 current (id - 33051)
constexpr int ID_CURRENT_COLOR_LAST = 33067;

// Views: navigation and the clipboard.
constexpr int ID_PREV_PAGE = 32774;
constexpr int ID_NEXT_PAGE = 32775;
constexpr int ID_NEXT_BLOCK = 32864;
constexpr int ID_PREV_BLOCK = 32865;
constexpr int ID_HISTORY_BACK = 32845;
constexpr int ID_HISTORY_FORWARD = 32846;
constexpr int ID_COPY_CIRCLE = 1707;
constexpr int ID_PASTE_CHECKLIST = 1708;
constexpr int ID_CUT_CIRCLE = 1709;  // copy, then remove from the checklist

// Main window: zoom and display.
constexpr int ID_FIT_WIDTH_ONCE = 153;
constexpr int ID_FIT_HEIGHT_ONCE = 154;
constexpr int ID_FOCUS_ZOOM_BOX = 157;
constexpr int ID_ZOOM_OUT = 32787;
constexpr int ID_ZOOM_IN = 32788;
constexpr int ID_ACTUAL_SIZE = 32789;
constexpr int ID_FIT_HEIGHT = 32790;
constexpr int ID_FIT_WIDTH = 32791;
constexpr int ID_ANTI_ALIAS = 32792;
constexpr int ID_ZOOM_BOX = 32800;  // the zoom box's place on a tool bar
constexpr int ID_FIT_PAGE = 32814;
constexpr int ID_HIGH_RESOLUTION = 32867;
constexpr int ID_LIST_SHOW_CUT = 32868;
constexpr int ID_PAGE_JUMP = 32803;
constexpr int ID_BAR_BASIC = 32839;
constexpr int ID_BAR_JUMP = 32840;
constexpr int ID_BAR_DISPLAY = 32841;
constexpr int ID_BAR_CHECK = 32842;
constexpr int ID_BAR_NAVIGATE = 32847;
constexpr int ID_STATUS_NEXT_PAGE = 61224;  // ">>"
constexpr int ID_STATUS_PREV_PAGE = 61225;  // "<<"

// Main window: checklist files.
constexpr int ID_CHECKLIST_OPEN = 32793;
constexpr int ID_CHECKLIST_SAVE = 32794;
constexpr int ID_CHECKLIST_APPEND = 32795;
constexpr int ID_CHECKLIST_NEW = 32818;
constexpr int ID_CHECKLIST_SAVE_AS = 32819;
constexpr int ID_CHECKLIST_SAVE_VER1 = 32843;
constexpr int ID_PORTAL_IMPORT = 32870;
constexpr int ID_PORTAL_EXPORT = 32871;
constexpr int ID_RECENT_FIRST = 34600;  // .. 34609
constexpr int ID_RECENT_LAST = 34609;

// Main window: jump menus (first id of each range; the item's position is added) and their
// placeholders in the menu tables.
constexpr int ID_JUMP_DAY_FIRST = 34000;    // .. 34099
constexpr int ID_JUMP_HALL_FIRST = 34100;   // .. 34199
constexpr int ID_JUMP_BLOCK_FIRST = 34200;  // .. 34399
constexpr int ID_JUMP_GENRE_FIRST = 34400;  // .. 34499
constexpr int ID_JUMP_DAY_PLACEHOLDER = 32809;
constexpr int ID_JUMP_HALL_PLACEHOLDER = 32810;
constexpr int ID_JUMP_BLOCK_PLACEHOLDER = 32811;
constexpr int ID_JUMP_GENRE_PLACEHOLDER = 32812;

// Main window: the window menu.
constexpr int ID_WINDOW_ENTRY_FIRST = 33200;   // .. 33215
constexpr int ID_WINDOW_TOGGLE_FIRST = 33300;  // .. 33315, accelerators only
constexpr int ID_CHILD_WINDOWS_TOP = 32808;
constexpr int ID_RESET_WINDOW_LAYOUT = 32834;

// Application commands.
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_SUPPORT_PAGE = 32844;
constexpr int ID_SETTINGS = 32780;
constexpr int ID_SETTINGS_EXPORT = 32854;
constexpr int ID_SETTINGS_IMPORT = 32855;
constexpr int ID_PRINT_SETTINGS_EXPORT = 32852;
constexpr int ID_PRINT_SETTINGS_IMPORT = 32853;
constexpr int ID_COLOR_SHEET = 61227;
constexpr int ID_PRINT = 32771;
constexpr int ID_IMAGE_OUTPUT = 32866;
constexpr int ID_PRINT_DETAILS = 32823;
constexpr int ID_IMAGE_DATA = 32827;
constexpr int ID_CIRCLE_DATA = 32828;
constexpr int ID_EVENT_SWITCH = 32829;
constexpr int ID_DATABASE_INIT = 32858;
constexpr int ID_UPDATE_FROM_NET = 32856;
constexpr int ID_UPDATE_FROM_FILE = 32857;
constexpr int ID_BOOKMARK_ADD = 32824;
constexpr int ID_BOOKMARK_ORGANIZE = 32825;
constexpr int ID_BOOKMARK_FIRST = 35000;  // .. 39095 (index = id - 35000)
constexpr int ID_BOOKMARK_LAST = 39096;   // reached by the handler's range, finds no record
constexpr int ID_HELP_CONTENTS = 32815;
constexpr int ID_HELP_SEARCH = 32816;
constexpr int ID_HELP_INDEX = 32817;
constexpr int ID_WEB_SEARCH = 32831;
constexpr int ID_WEB_SEARCH_SETTINGS = 32836;
constexpr int ID_OPEN_CIRCLE_URL = 32859;
constexpr int ID_OPEN_CIRCLE_TWITTER = 32872;
constexpr int ID_OPEN_CIRCLE_PIXIV = 32873;
constexpr int ID_EDIT_MEMO = 32860;
constexpr int ID_ERASE_UNCHECKED_MEMOS = 32869;
constexpr int ID_ERASE_ALL_MEMOS = 32874;
constexpr int ID_SEARCH = 32801;
constexpr int ID_SEARCH_NARROW = 32813;
constexpr int ID_SEARCH_REDO_NARROW = 32830;
constexpr int ID_FETCH_RSS = 302;

// Map window and its bar.
constexpr int ID_MAP_FIT_WHOLE = 152;
constexpr int ID_MAP_FIT_WIDTH_ONCE = 155;
constexpr int ID_MAP_FIT_HEIGHT_ONCE = 156;
constexpr int ID_MAP_FOCUS_ZOOM_BOX = 158;
constexpr int ID_MAP_ZOOM_OUT = 32781;
constexpr int ID_MAP_ZOOM_IN = 32782;
constexpr int ID_MAP_FIT_WIDTH = 32783;
constexpr int ID_MAP_FIT_HEIGHT = 32784;
constexpr int ID_MAP_ACTUAL_SIZE = 32785;
constexpr int ID_MAP_ANTI_ALIAS = 32786;
constexpr int ID_MAP_CHOICE = 32799;
constexpr int ID_MAP_OPACITY = 32833;

// List and checklist windows.
constexpr int ID_QUICK_KEYWORD = 32802;
constexpr int ID_LIST_SORT_LOCK = 32822;
constexpr int ID_CHECKLIST_ORDER_LOCK = 188;
constexpr int ID_PRINT_ORDER_FROM_LIST = 32821;

// Bookmark organiser.
constexpr int ID_BOOKMARK_NEW_GROUP = 1603;
constexpr int ID_BOOKMARK_DELETE = 1604;
constexpr int ID_BOOKMARK_RENAME = 32826;

// --- Bars ------------------------------------------------------------------------------------
constexpr int IDW_TOOLBAR = 59392;  // the standard tool bar id (colour bars, list bar)
constexpr int IDW_STATUS_BAR = 59393;
constexpr int IDW_PANE_FIRST = 59648;  // a frame's view

// --- Menus, accelerators and the menu-image tool bar (IDR_) --------------------------------------
constexpr int IDR_MENU_MAIN = 128;
constexpr int IDR_ACCEL_MAIN = 128;
constexpr int IDR_MENU_MAP_VIEW = 132;
constexpr int IDR_MENU_BOOKMARK_TREE = 189;
constexpr int IDR_TOOLBAR_MENU_IMAGES = 137;  // command id -> image of IDB_TOOLBAR

// --- Bitmaps (IDB_) --------------------------------------------------------------------------
constexpr int IDB_TOOLBAR = 130;      // 16 x 15 images of the main, detail, list and checklist bars
constexpr int IDB_MAP_TOOLBAR = 131;  // 16 x 15 images of the map bar
constexpr int IDB_REMOVE = 134;       // the colour bars' remove button
constexpr int IDB_BOOKMARK = 183;
constexpr int IDB_BOOKMARK_GROUP = 184;
// The print preview's bar (16 x 15): zoom 25, 50, 100, 200, 400 %, previous, next, close.
constexpr int IDB_PREVIEW_ZOOM_25 = 20011;
constexpr int IDB_PREVIEW_PREVIOUS = 20016;
constexpr int IDB_PREVIEW_NEXT = 20017;
constexpr int IDB_PREVIEW_CLOSE = 20018;
// The print settings pages' layout pictures (what each layout puts where on the page).
constexpr int IDB_LAYOUT_BLANK_MAP_LANDSCAPE = 168;
constexpr int IDB_LAYOUT_MAP_COLORS_LANDSCAPE = 169;
constexpr int IDB_LAYOUT_MAP_LIST_LANDSCAPE = 170;
constexpr int IDB_LAYOUT_MAP_CUTS_LARGE_LANDSCAPE = 171;
constexpr int IDB_LAYOUT_CUTS_4X4 = 172;
constexpr int IDB_LAYOUT_CUTS_5X5 = 173;
constexpr int IDB_LAYOUT_CUTS_6X6 = 174;
constexpr int IDB_LAYOUT_CUTS_2X5 = 175;
constexpr int IDB_LAYOUT_CUTS_3X7 = 176;
constexpr int IDB_LAYOUT_CUTS_4X9 = 177;
constexpr int IDB_LAYOUT_LIST_PORTRAIT = 178;
constexpr int IDB_LAYOUT_LIST_LANDSCAPE = 179;
constexpr int IDB_LAYOUT_LIST_TWO_COLUMNS = 180;
constexpr int IDB_LAYOUT_CUTS_5X10 = 207;
constexpr int IDB_LAYOUT_CUTS_7X7 = 208;
constexpr int IDB_LAYOUT_MAP_CUTS_MEDIUM_LANDSCAPE = 215;
constexpr int IDB_LAYOUT_MAP_CUTS_SMALL_LANDSCAPE = 216;
constexpr int IDB_LAYOUT_MAP_CUTS_LARGE_PORTRAIT = 217;
constexpr int IDB_LAYOUT_MAP_CUTS_MEDIUM_PORTRAIT = 218;
constexpr int IDB_LAYOUT_MAP_CUTS_SMALL_PORTRAIT = 219;
constexpr int IDB_LAYOUT_MAP_LIST_PORTRAIT = 220;
constexpr int IDB_LAYOUT_MAP_COLORS_PORTRAIT = 221;
constexpr int IDB_LAYOUT_BLANK_MAP_PORTRAIT = 222;

// --- Window icons (IDI_) -----------------------------------------------------------------------
constexpr int IDI_MAIN = 128;
constexpr int IDI_MAP = 145;
constexpr int IDI_DETAIL = 146;
constexpr int IDI_CHECKLIST = 147;
constexpr int IDI_LIST = 148;

// --- Cursors (IDCUR_) ------------------------------------------------------------------------
constexpr int IDCUR_LINK = 144;           // over a link of the detail view
constexpr int IDCUR_HAND = 152;           // grab scrolling, ready
constexpr int IDCUR_GRABBING = 153;       // grab scrolling, held
constexpr int IDCUR_SCROLL_CENTER = 154;  // auto-scroll origin
constexpr int IDCUR_SCROLL_UP = 155;
constexpr int IDCUR_SCROLL_DOWN = 156;
constexpr int IDCUR_SCROLL_LEFT = 157;
constexpr int IDCUR_SCROLL_RIGHT = 158;
constexpr int IDCUR_SCROLL_UP_LEFT = 159;
constexpr int IDCUR_SCROLL_UP_RIGHT = 160;
constexpr int IDCUR_SCROLL_DOWN_LEFT = 161;
constexpr int IDCUR_SCROLL_DOWN_RIGHT = 162;

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
