#include "ui/settings/SettingsPage.h"

namespace vx {

SettingsPage::SettingsPage(CatalogController& controller, SettingsValues& scratch,
                           SettingsValues& live, UiServices& ui)
    : controller_(controller), scratch_(scratch), live_(live), ui_(ui) {}

}  // namespace vx
