#include "program/ApplicationCommands.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <cstring>
#include <string>

#include "app/ApplicationCore.h"
#include "app/BookmarkMenuItems.h"
#include "app/CatalogController.h"
#include "app/CircleWebCommands.h"
#include "app/DataCommands.h"
#include "app/DefaultWindowLayout.h"
#include "app/HelpUnavailable.h"
#include "app/ModalScope.h"
#include "app/SettingsFileCommands.h"
#include "program/BookmarkMenu.h"
#include "program/PrintContext.h"
#include "program/PrintSettingsCommand.h"
#include "program/QtDataCommandDialogs.h"
#include "program/VindaxelApplication.h"
#include "res/ResourceIds.h"
#include "ui/bookmarks/BookmarkCommands.h"
#include "ui/checklist/ChecklistWindow.h"
#include "ui/checklist/MemoDialog.h"
#include "ui/detail/DetailWindow.h"
#include "ui/list/ListWindow.h"
#include "ui/map/HallMapWindow.h"
#include "ui/main/AboutDialog.h"
#include "ui/main/BeaconWidget.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WebSearchSettingsDialog.h"
#include "ui/menus/MenuTables.h"
#include "ui/settings/SettingsSheet.h"

namespace vx {

namespace {

std::string ImagePathOf(const SettingsValues& values) {
  return std::string(values.imagePath, strnlen(values.imagePath, sizeof values.imagePath));
}

}  // namespace

ApplicationCommands::ApplicationCommands(VindaxelApplication& application)
    : application_(application) {
  ApplicationCore& core = *application_.GetCore();
  CatalogController& controller = *core.Controller();
  UiServices& ui = *controller.GetUiServices();
  dataDialogs_ = std::make_unique<QtDataCommandDialogs>(ui, controller, core.Settings());
  data_ = std::make_unique<DataCommands>(
      core, ui, *dataDialogs_,
      [this](const RestartRequest& request) { application_.RestartAndExit(request); });
  settingsFiles_ =
      std::make_unique<SettingsFileCommands>(core, ui, [this] { BuildBookmarkMenu(); });
  web_ = std::make_unique<CircleWebCommands>(controller);
  bookmarks_ = std::make_unique<BookmarkCommands>(controller, core.Bookmarks());
  printContext_ = std::make_unique<PrintContext>();
  AddWindowCommands();
  AddHelpCommands();
  AddSettingsCommands();
  AddDataCommands();
  AddCircleCommands();
  AddBookmarkCommands();
}

ApplicationCommands::~ApplicationCommands() = default;

void ApplicationCommands::AddWindowCommands() {
  On(ID_APP_EXIT, [this] {
    if (MainWindow* main = application_.GetMainWindow()) main->close();
  });
  On(ID_CHILD_WINDOWS_TOP, [this] {
    ToggleChildWindowsTop();
    CommitSettings();
  });
  On(ID_RESET_WINDOW_LAYOUT, [this] { ResetWindowLayout(); });
  OnUpdate(ID_CHILD_WINDOWS_TOP, [this](int, CommandState& state) {
    state.checked = application_.GetCore()->Values().childWndTop != 0;
  });
}

// There is no manual to show: the help commands say so.
void ApplicationCommands::AddHelpCommands() {
  On(ID_APP_ABOUT, [this] { ShowAbout(); });
  On(ID_SUPPORT_PAGE, [this] { web_->OpenSupportPage(); });
  for (const int id : {ID_HELP_CONTENTS, ID_HELP_SEARCH, ID_HELP_INDEX}) {
    On(id, [this] { ShowHelpUnavailable(); });
  }
}

void ApplicationCommands::AddSettingsCommands() {
  On(ID_SETTINGS, [this] { ShowSettingsSheet(); });
  On(ID_COLOR_SHEET, [this] { ShowColorSheet(); });
  On(ID_SETTINGS_EXPORT, [this] { settingsFiles_->ExportSettings(); });
  On(ID_SETTINGS_IMPORT, [this] {
    if (settingsFiles_->ImportSettings()) CommitSettings();
  });
  On(ID_PRINT_SETTINGS_EXPORT, [this] { settingsFiles_->ExportPrintSettings(); });
  On(ID_PRINT_SETTINGS_IMPORT, [this] {
    if (settingsFiles_->ImportPrintSettings()) CommitSettings();
  });
  On(ID_WEB_SEARCH_SETTINGS, [this] { EditWebSearchSettings(); });
  On(ID_PRINT_DETAILS, [this] { EditPrintSettings(); });
}

void ApplicationCommands::EditPrintSettings() {
  ApplicationCore& core = *application_.GetCore();
  RunPrintSettingsCommand(application_.GetBeacon(), core, *core.Controller()->GetUiServices(),
                          *printContext_);
  CommitSettings();
}

void ApplicationCommands::CommitSettings() { application_.GetCore()->CommitSettings(); }

void ApplicationCommands::AddDataCommands() {
  On(ID_IMAGE_DATA, [this] { data_->InstallImageData(); });
  On(ID_CIRCLE_DATA, [this] { data_->InstallCircleData(); });
  On(ID_EVENT_SWITCH, [this] { data_->SwitchEvent(); });
  On(ID_DATABASE_INIT, [this] { data_->InitializeDatabase(); });
  On(ID_UPDATE_FROM_NET, [this] { data_->UpdateCircleData(false); });
  On(ID_UPDATE_FROM_FILE, [this] { data_->UpdateCircleData(true); });
}

void ApplicationCommands::AddCircleCommands() {
  CatalogController& controller = *application_.GetCore()->Controller();
  using Link = CircleWebCommands::Link;
  On(ID_WEB_SEARCH, [this] { web_->SearchCurrentCircle(); });
  On(ID_OPEN_CIRCLE_URL, [this] { web_->OpenCurrentCircleLink(Link::kUrl); });
  On(ID_OPEN_CIRCLE_TWITTER, [this] { web_->OpenCurrentCircleLink(Link::kTwitter); });
  On(ID_OPEN_CIRCLE_PIXIV, [this] { web_->OpenCurrentCircleLink(Link::kPixiv); });
  On(ID_EDIT_MEMO, [this] { EditMemo(); });
  On(ID_ERASE_UNCHECKED_MEMOS, [&controller] { controller.EraseUncheckedMemos(); });
  On(ID_ERASE_ALL_MEMOS, [&controller] { controller.EraseAllMemos(); });
  On(ID_PASTE_CHECKLIST, [&controller] { controller.PasteFromClipboard(); });
  On(ID_FETCH_RSS, [&controller] { controller.FetchChecklistRss(); });
  OnUpdate(ID_PASTE_CHECKLIST, [&controller](int, CommandState& state) {
    state.enabled = controller.IsClipboardTextAvailable();
  });
}

void ApplicationCommands::AddBookmarkCommands() {
  On(ID_BOOKMARK_ADD, [this] {
    if (!bookmarks_->AddCurrentPage(application_.GetBeacon())) return;
    BuildBookmarkMenu();
    CommitSettings();
  });
  On(ID_BOOKMARK_ORGANIZE, [this] {
    bookmarks_->Organize(application_.GetBeacon());
    BuildBookmarkMenu();
    CommitSettings();
  });
  OnRange(ID_BOOKMARK_FIRST, ID_BOOKMARK_LAST, [this](int id) { GoToBookmark(id); });
}

void ApplicationCommands::ShowAbout() {
  CatalogController* controller = application_.GetCore()->Controller();
  ModalScope modal(controller);
  AboutDialog(application_.GetBeacon(), *controller).exec();
}

void ApplicationCommands::ShowHelpUnavailable() {
  CatalogController& controller = *application_.GetCore()->Controller();
  if (!controller.GetUiServices()) return;
  ModalScope modal(&controller);
  vx::ShowHelpUnavailable(*controller.GetUiServices(), controller.GetDialogOwner());
}

void ApplicationCommands::EditWebSearchSettings() {
  CatalogController* controller = application_.GetCore()->Controller();
  ModalScope modal(controller);
  WebSearchSettingsDialog(application_.GetBeacon(), *controller).exec();
  CommitSettings();
}

// A new image folder in the settings is looked for at once, as at start-up.
void ApplicationCommands::ShowSettingsSheet() {
  ApplicationCore& core = *application_.GetCore();
  CatalogController& controller = *core.Controller();
  SettingsValues& values = core.Values();
  const int mode = values.imgPathMode;
  const std::string path = ImagePathOf(values);
  SettingsSheet(SettingsSheet::Kind::kSettings, controller, values, *controller.GetUiServices())
      .Run(application_.GetBeacon());
  if (values.imgPathMode != mode || (values.imgPathMode == 1 && ImagePathOf(values) != path)) {
    core.RelocateImageData();
  }
}

void ApplicationCommands::ShowColorSheet() {
  CatalogController& controller = *application_.GetCore()->Controller();
  SettingsSheet(SettingsSheet::Kind::kCheckColors, controller, application_.GetCore()->Values(),
                *controller.GetUiServices())
      .Run(application_.GetBeacon());
}

void ApplicationCommands::EditMemo() {
  CatalogController& controller = *application_.GetCore()->Controller();
  const CircleRecord circle = controller.GetCurrentCircle();
  if (circle.id == 0) return;
  MemoDialog dialog(application_.GetBeacon(), circle.circleName);
  dialog.SetMemo(controller.GetCircleMemo(circle.id));
  int answer = IDCANCEL;
  {
    ModalScope modal(&controller);
    answer = dialog.DoModal();
  }
  if (answer == IDOK) controller.SetCircleMemo(dialog.Memo(), circle.id);
}

void ApplicationCommands::GoToBookmark(int id) {
  const BookmarkList& list = application_.GetCore()->Bookmarks();
  const int index = BookmarkIndexOfCommand(list, id);
  if (index >= 0) application_.GetCore()->Controller()->GoToPage(list.GetAt(index)->page);
}

void ApplicationCommands::BuildBookmarkMenu() {
  MainWindow* main = application_.GetMainWindow();
  CommandMenu* menu = main ? main->Menu().SubMenuAt(kMainBookmarkMenu) : nullptr;
  if (menu) vx::BuildBookmarkMenu(*menu, application_.GetCore()->Bookmarks());
}

void ApplicationCommands::ToggleChildWindowsTop() {
  SettingsValues& values = application_.GetCore()->Values();
  values.childWndTop = values.childWndTop ? 0 : 1;
  MainWindow* main = application_.GetMainWindow();
  if (!main) return;
  application_.GetCore()->Controller()->RaiseWindow(main);
  if (!values.childWndTop) main->raise();
}

void ApplicationCommands::PlaceToolWindow(ToolWindowFrame* window, int slot, bool shown) {
  if (!window) return;
  ApplicationCore& core = *application_.GetCore();
  window->PlaceAt(core.Values().windowRects[slot]);
  core.Controller()->SaveWindowRect(window);
  if (shown) {
    core.Controller()->ShowRegisteredWindow(window);
  } else {
    core.Controller()->HideRegisteredWindow(window);
  }
}

void ApplicationCommands::ResetWindowLayout() {
  ApplicationCore& core = *application_.GetCore();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  // The main window is framed by now, as the others are or will be: the frames cover the layout.
  const QWindow* handle =
      application_.GetMainWindow() ? application_.GetMainWindow()->windowHandle() : nullptr;
  const QMargins frame = handle ? handle->frameMargins() : QMargins();
  ApplyDefaultLayout(core.Values(), {area.left(), area.top(), area.width(), area.height()},
                     {frame.left(), frame.top(), frame.right(), frame.bottom()});
  PlaceToolWindow(application_.GetDetailWindow(), kDetailSlot, true);
  PlaceToolWindow(application_.GetChecklistWindow(), kChecklistSlot, true);
  MainWindow* main = application_.GetMainWindow();
  if (!main) return;
  main->PlaceAt(core.Values().windowRects[kMainSlot]);
  core.Controller()->SaveWindowRect(main);
  PlaceToolWindow(application_.GetListWindow(), kListSlot, false);
  PlaceToolWindow(application_.GetMapWindow(), kMapSlot, false);
  main->show();
  main->activateWindow();
}

}  // namespace vx
