#include "program/ApplicationCommands.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/ApplicationCore.h"
#include "app/CatalogController.h"
#include "app/DefaultWindowLayout.h"
#include "program/PrintContext.h"
#include "program/PrintSettingsCommand.h"
#include "program/VindaxelApplication.h"
#include "res/ResourceIds.h"
#include "ui/detail/DetailWindow.h"
#include "ui/list/ListWindow.h"
#include "ui/map/HallMapWindow.h"
#include "ui/main/AboutDialog.h"
#include "ui/main/BeaconWidget.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WebSearchSettingsDialog.h"

namespace vx {

ApplicationCommands::ApplicationCommands(VindaxelApplication& application)
    : application_(application), printContext_(std::make_unique<PrintContext>()) {
  On(ID_APP_ABOUT, [this] { ShowAbout(); });
  On(ID_APP_EXIT, [this] {
    if (MainWindow* main = application_.mainWindow()) main->close();
  });
  On(ID_WEB_SEARCH_SETTINGS, [this] { EditWebSearchSettings(); });
  On(ID_PRINT_DETAILS, [this] { EditPrintSettings(); });
  On(ID_CHILD_WINDOWS_TOP, [this] { ToggleChildWindowsTop(); });
  On(ID_RESET_WINDOW_LAYOUT, [this] { ResetWindowLayout(); });
  OnUpdate(ID_CHILD_WINDOWS_TOP, [this](int, CommandState& state) {
    state.checked = application_.core()->values().childWndTop != 0;
  });
}

void ApplicationCommands::ShowAbout() {
  CatalogController* controller = application_.core()->controller();
  controller->BeginModal();
  AboutDialog(application_.beacon(), *controller).exec();
  controller->EndModal();
}

void ApplicationCommands::EditWebSearchSettings() {
  CatalogController* controller = application_.core()->controller();
  controller->BeginModal();
  WebSearchSettingsDialog(application_.beacon(), *controller).exec();
  controller->EndModal();
}

ApplicationCommands::~ApplicationCommands() = default;

void ApplicationCommands::EditPrintSettings() {
  ApplicationCore& core = *application_.core();
  if (!core.controller()) return;
  RunPrintSettingsCommand(application_.beacon(), core, *core.controller()->GetUiServices(),
                          *printContext_);
}

void ApplicationCommands::ToggleChildWindowsTop() {
  SettingsValues& values = application_.core()->values();
  values.childWndTop = values.childWndTop ? 0 : 1;
  MainWindow* main = application_.mainWindow();
  if (!main) return;
  application_.core()->controller()->RaiseWindow(main);
  if (!values.childWndTop) main->raise();
}

void ApplicationCommands::ResetWindowLayout() {
  ApplicationCore& core = *application_.core();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  ApplyDefaultLayout(core.values(), {area.left(), area.top(), area.width(), area.height()});
  if (DetailWindow* detail = application_.detailWindow()) {
    detail->PlaceAt(core.values().windowRects[kDetailSlot]);
    core.controller()->SaveWindowRect(detail);
    core.controller()->ShowRegisteredWindow(detail);
  }
  MainWindow* main = application_.mainWindow();
  if (!main) return;
  main->PlaceAt(core.values().windowRects[kMainSlot]);
  core.controller()->SaveWindowRect(main);
  if (ListWindow* list = application_.listWindow()) {
    list->PlaceAt(core.values().windowRects[kListSlot]);
    core.controller()->SaveWindowRect(list);
    core.controller()->HideRegisteredWindow(list);
  }
  if (HallMapWindow* map = application_.mapWindow()) {
    map->PlaceAt(core.values().windowRects[kMapSlot]);
    core.controller()->SaveWindowRect(map);
    core.controller()->HideRegisteredWindow(map);
  }
  main->show();
  main->activateWindow();
}

}  // namespace vx
