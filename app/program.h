#pragma once

#include "app/control_factory.h"
#include "app/window_description.h"
#include "app/window_loader.h"

namespace sorvane {

// The program after QApplication exists: loads the main window from
// `description` and runs the event loop until the window closes. Gives the
// exit status: 0 after a normal end, -1 when the window cannot be loaded.
int run_program(const WindowDescription& description, const HandlerTable& handlers,
                const ControlFactory& factory);

// Loads Qt's own Simplified Chinese translation, so that the toolkit's
// dialogs and prompts speak Chinese too.
void install_toolkit_translation();

}  // namespace sorvane
