#include "ui/menus/MenuTables.h"

#include "res/ResourceIds.h"

namespace vx {

namespace {

using E = MenuEntry;

// The menus are laid out as they show, one item a line.
// clang-format off
MenuEntry FileMenu() {
  return E::SubMenu("ファイル(&F)", {
      E::Item("新規作成(&N)\tCtrl+N", ID_CHECKLIST_NEW),
      E::Item("チェックリストを開く(&O)...\tCtrl+O", ID_CHECKLIST_OPEN),
      E::Item("チェックリストの追加読み込み(&I)...", ID_CHECKLIST_APPEND),
      E::Separator(),
      E::Item("チェックリストの保存(&S)\tCtrl+S", ID_CHECKLIST_SAVE),
      E::Item("名前を付けて保存(&A)...", ID_CHECKLIST_SAVE_AS),
      E::Item("Ver1形式で保存(&E)...", ID_CHECKLIST_SAVE_VER1),
      E::Separator(),
      E::Item("Orbalinkからお気に入りを読み込む(&L)...", ID_PORTAL_IMPORT),
      E::Item("Orbalinkへお気に入りを送る(&U)...", ID_PORTAL_EXPORT),
      E::Separator(),
      E::Item("印刷(&P)...\tCtrl+P", ID_PRINT),
      E::Item("画像ファイル出力(&B)", ID_IMAGE_OUTPUT),
      E::Item("印刷詳細設定(&R)...", ID_PRINT_DETAILS),
      E::Item("印刷設定のエクスポート(&W)", ID_PRINT_SETTINGS_EXPORT),
      E::Item("印刷設定のインポート(&Q)", ID_PRINT_SETTINGS_IMPORT),
      E::Separator(),
      E::SubMenu("最近使ったチェックリスト(&F)", {E::Item("(なし)", ID_RECENT_FIRST)}),
      E::Separator(),
      E::Item("終了(&X)", ID_APP_EXIT),
  });
}

MenuEntry ViewMenu() {
  return E::SubMenu("表示(&V)", {
      E::Item("ズームアウト(&O)\tCtrl+'-'", ID_ZOOM_OUT),
      E::Item("ズームイン(&I)\tCtrl+'+'", ID_ZOOM_IN),
      E::Separator(),
      E::Item("幅に合わせる(&W)", ID_FIT_WIDTH),
      E::Item("高さに合わせる(&H)", ID_FIT_HEIGHT),
      E::Item("全体を表示(&L)\tCtrl+0", ID_FIT_PAGE),
      E::Item("元のサイズ(&R)\tCtrl+1", ID_ACTUAL_SIZE),
      E::Separator(),
      E::Item("アンチエイリアス(&A)", ID_ANTI_ALIAS),
      E::Item("高解像度表示(&R)", ID_HIGH_RESOLUTION),
      E::Item("リスト中のカット表示(&C)", ID_LIST_SHOW_CUT),
      E::Separator(),
      E::SubMenu("ツールバー(&T)", {
          E::Item("基本バー(&B)", ID_BAR_BASIC),
          E::Item("ページ移動バー(&J)", ID_BAR_JUMP),
          E::Item("表示バー(&D)", ID_BAR_DISPLAY),
          E::Item("チェックバー(&C)", ID_BAR_CHECK),
          E::Item("ナビゲートバー(&N)", ID_BAR_NAVIGATE),
      }),
  });
}

MenuEntry JumpMenu() {
  return E::SubMenu("ページ移動(&J)", {
      E::Item("前のページ(&P)\tPage Up", ID_PREV_PAGE),
      E::Item("次のページ(&N)\tPage Down", ID_NEXT_PAGE),
      E::Item("前のブロック(&B)\tCtrl+E", ID_PREV_BLOCK),
      E::Item("次のブロック(&K)\tCtrl+R", ID_NEXT_BLOCK),
      E::Item("ページ指定で移動(&G)...\tCtrl+G", ID_PAGE_JUMP),
      E::SubMenu("日付(&D)", {E::Item("(なし)", ID_JUMP_DAY_PLACEHOLDER)}),
      E::SubMenu("ホール(&H)", {E::Item("(なし)", ID_JUMP_HALL_PLACEHOLDER)}),
      E::SubMenu("ブロック(&L)", {E::Item("(なし)", ID_JUMP_BLOCK_PLACEHOLDER)}),
      E::SubMenu("ジャンル(&E)", {E::Item("(なし)", ID_JUMP_GENRE_PLACEHOLDER)}),
      E::Separator(),
      E::Item("戻る(&R)\tAlt+←", ID_HISTORY_BACK),
      E::Item("進む(&F)\tAlt+→", ID_HISTORY_FORWARD),
  });
}

MenuEntry BookmarkMenu() {
  return E::SubMenu("ブックマーク(&B)", {
      E::Item("このページを追加(&A)...", ID_BOOKMARK_ADD),
      E::Item("ブックマークの整理(&O)...", ID_BOOKMARK_ORGANIZE),
      E::Separator(),
  });
}

// The colour items are inserted in front of these nine.
MenuEntry ChecklistMenu() {
  return E::SubMenu("チェックリスト(&A)", {
      E::SubMenu("標準のチェック色(&D)", {E::Item("色&1", ID_CURRENT_COLOR_FIRST)}),
      E::Item("チェック色の編集(&F)...", ID_COLOR_SHEET),
      E::Separator(),
      E::Item("サークルのメモを編集する(&M)\tCtrl+T", ID_EDIT_MEMO),
      E::Item("チェックなしサークルのメモを消去する", ID_ERASE_UNCHECKED_MEMOS),
      E::Item("全てのメモを消去する", ID_ERASE_ALL_MEMOS),
      E::Separator(),
      E::Item("クリップボードからチェックリストにペースト(&P)", ID_PASTE_CHECKLIST),
      E::Item("チェックリストの順番のロック(&L)", ID_CHECKLIST_ORDER_LOCK),
  });
}

MenuEntry SearchMenu() {
  return E::SubMenu("検索(&S)", {
      E::Item("検索(&S)...\tCtrl+F", ID_SEARCH),
      E::Item("絞込み検索(&N)...", ID_SEARCH_NARROW, "検索結果から絞込み検索を行う"),
      E::Item("絞込み検索のやり直し(&R)...", ID_SEARCH_REDO_NARROW, "絞込み検索をやり直す"),
      E::Separator(),
      E::Item("サークルをGoogleで検索(&G)\tCtrl+W", ID_WEB_SEARCH),
      E::Item("Google検索の条件設定(&C)", ID_WEB_SEARCH_SETTINGS),
      E::Separator(),
      E::Item("サークルのWEBページを開く(&W)\tCtrl+Q", ID_OPEN_CIRCLE_URL),
      E::Item("サークルのTWITTERを開く(&T)\tCtrl+Y", ID_OPEN_CIRCLE_TWITTER),
      E::Item("サークルのPixivを開く(&T)\tCtrl+U", ID_OPEN_CIRCLE_PIXIV),
      E::Separator(),
      E::Item("サークルのRSS情報をネットから取得(&I)", ID_FETCH_RSS,
              "サークルのRSS情報をネットから取得"),
  });
}

MenuEntry ToolsMenu() {
  return E::SubMenu("ツール(&T)", {
      E::Item("動作設定(&C)...", ID_SETTINGS),
      E::Item("動作設定のエクスポート(&P)", ID_SETTINGS_EXPORT),
      E::Item("動作設定のインポート(&I)", ID_SETTINGS_IMPORT),
      E::Separator(),
      E::Item("画像データの追加・削除(&M)...", ID_IMAGE_DATA),
      E::Item("サークルデータの追加・削除(&D)...", ID_CIRCLE_DATA),
      E::Item("ヴェラストレード回数切り替え(&G)...", ID_EVENT_SWITCH),
      E::Item("データベースの初期化(&T)...", ID_DATABASE_INIT),
      E::Separator(),
      E::Item("データのネット更新(&U)...", ID_UPDATE_FROM_NET),
      E::Item("データのファイル更新(&V)...", ID_UPDATE_FROM_FILE),
  });
}

// Rebuilt by the main window from the registered windows.
MenuEntry WindowMenu() {
  return E::SubMenu("ウィンドウ(&W)", {
      E::Item("子ウィンドウを前面に表示(&T)", ID_CHILD_WINDOWS_TOP),
      E::Separator(),
      E::Item("ウィンドウ位置を初期化(&I)", ID_RESET_WINDOW_LAYOUT),
  });
}

MenuEntry HelpMenu() {
  return E::SubMenu("ヘルプ(&H)", {
      E::Item("目次(&C)", ID_HELP_CONTENTS),
      E::Item("検索(&S)...", ID_HELP_SEARCH),
      E::Item("キーワード(&I)...", ID_HELP_INDEX),
      E::Separator(),
      E::Item("サポートページ（&P)", ID_SUPPORT_PAGE),
      E::Separator(),
      E::Item("バージョン情報(&A)...", ID_APP_ABOUT),
  });
}

}  // namespace

MenuTable MainMenuTable() {
  return {FileMenu(),   ViewMenu(),   JumpMenu(),   BookmarkMenu(), ChecklistMenu(),
          SearchMenu(), ToolsMenu(),  WindowMenu(), HelpMenu()};
}

MenuTable MapViewMenuTable() {
  return {E::SubMenu("表示(&D)", {
      E::Item("ズームアウト(&O)", ID_MAP_ZOOM_OUT),
      E::Item("ズームイン(&I)", ID_MAP_ZOOM_IN),
      E::Separator(),
      E::Item("幅に合わせる(&W)", ID_MAP_FIT_WIDTH),
      E::Item("高さに合わせる(&H)", ID_MAP_FIT_HEIGHT),
      E::Item("全体を表示(&L)", ID_MAP_FIT_WHOLE),
      E::Item("元のサイズ(&R)", ID_MAP_ACTUAL_SIZE),
      E::Separator(),
      E::Item("アンチエイリアス(&A)", ID_MAP_ANTI_ALIAS),
  })};
}

MenuTable BookmarkTreeMenuTable() {
  return {E::SubMenu("ブックマーク", {
      E::Item("名前の変更(&R)", ID_BOOKMARK_RENAME),
      E::Item("この項目を削除(&D)", ID_BOOKMARK_DELETE),
  })};
}

// clang-format on

MenuTable MenuTableOf(int menuId) {
  switch (menuId) {
    case IDR_MENU_MAIN:
      return MainMenuTable();
    case IDR_MENU_MAP_VIEW:
      return MapViewMenuTable();
    case IDR_MENU_BOOKMARK_TREE:
      return BookmarkTreeMenuTable();
    default:
      return {};
  }
}

std::vector<Accelerator> MainAccelerators() {
  return {
      {"Ctrl+D", ID_WINDOW_TOGGLE_FIRST + 1},
      {"Ctrl+F", ID_SEARCH},
      {"Ctrl+G", ID_PAGE_JUMP},
      {"Ctrl+K", ID_WINDOW_TOGGLE_FIRST},
      {"Ctrl+L", ID_WINDOW_TOGGLE_FIRST + 3},
      {"Ctrl+M", ID_WINDOW_TOGGLE_FIRST + 2},
      {"Ctrl+N", ID_CHECKLIST_NEW},
      {"Ctrl+O", ID_CHECKLIST_OPEN},
      {"Ctrl+P", ID_PRINT},
      {"Ctrl+S", ID_CHECKLIST_SAVE},
      {"Alt+Left", ID_HISTORY_BACK},
      {"Alt+Right", ID_HISTORY_FORWARD},
      {"Ctrl+Q", ID_OPEN_CIRCLE_URL},
      {"Ctrl+W", ID_WEB_SEARCH},
      {"Ctrl+E", ID_PREV_BLOCK},
      {"Ctrl+R", ID_NEXT_BLOCK},
      {"Ctrl+T", ID_EDIT_MEMO},
      {"Ctrl+Y", ID_OPEN_CIRCLE_TWITTER},
      {"Ctrl+U", ID_OPEN_CIRCLE_PIXIV},
  };
}

}  // namespace vx
