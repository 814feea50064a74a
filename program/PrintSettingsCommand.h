// The print settings command (印刷詳細設定): the sheet of the four print kinds on the working
// print settings, with the engine's context set for the pages' previews; the print records are
// released afterwards, so that the next job reads the checklist again.
#pragma once

class QWidget;

namespace vx {

class ApplicationCore;
class PrintContext;
class UiServices;

// IDOK when the sheet's values were taken, IDCANCEL otherwise (nothing open: IDCANCEL at once).
int RunPrintSettingsCommand(QWidget* owner, ApplicationCore& core, UiServices& ui,
                            PrintContext& context);

}  // namespace vx
