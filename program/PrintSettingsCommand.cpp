#include "program/PrintSettingsCommand.h"

#include "app/ApplicationCore.h"
#include "app/CatalogController.h"
#include "print/PrintEngine.h"
#include "print/PrintEngineState.h"
#include "program/PrintContext.h"
#include "res/ResourceIds.h"
#include "ui/print/PrintSettingsSheet.h"
#include "ui/settings/SettingsSheet.h"

namespace vx {

int RunPrintSettingsCommand(QWidget* owner, ApplicationCore& core, UiServices& ui,
                            PrintContext& context) {
  if (!context.Set(core, ui)) return IDCANCEL;
  CatalogController& controller = *core.Controller();
  EditColorsFunction editColors = [&core, &controller, &ui](QWidget* page) {
    SettingsSheet(SettingsSheet::Kind::kCheckColors, controller, core.Values(), ui).Run(page);
  };
  PrintSettingsContext pages{*PrintEngine_Services().source, ui, editColors};
  controller.BeginModal();
  const int result = RunPrintSettingsSheet(owner, pages, core.Values().print);
  controller.EndModal();
  PrintEngine_ReleaseRecords();
  return result;
}

}  // namespace vx
