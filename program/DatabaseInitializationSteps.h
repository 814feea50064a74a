// The long steps of the database initialisation as the program runs them: the disc import, the
// merge and the file copy, each in its progress dialog. They run at start-up before any window
// and at the end of the run after the windows are gone, so the dialogs have no owner.
#pragma once

#include "app/DatabaseInitializer.h"

namespace vx {

class ProgressJobRunner;

// `ui` and `runner` must outlive the steps.
DatabaseInitializer::Steps DatabaseInitializationSteps(UiServices& ui, ProgressJobRunner& runner);

}  // namespace vx
