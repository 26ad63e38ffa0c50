#pragma once

#include <map>
#include <memory>
#include <string>

#include <QPoint>
#include <QSize>

#include "app/control.h"
#include "app/control_factory.h"
#include "app/window_description.h"

namespace sorvane {

class MainWindow;

// A plain function bound to one event of one control by the description.
using EventHandler = void (*)(MainWindow& window, const EventArgs& args);
using HandlerTable = std::map<std::string, EventHandler, std::less<>>;

// Where a window of `outer` size goes to be centred on a screen of `screen`
// size: each division truncates toward zero, so a screen lower than the
// window gives a negative top.
QPoint centred_window_position(QSize screen, QSize outer);

// Builds the main window from its description: the window hidden and
// centred on the primary screen, the controls created hidden in order and
// stacked with the last on top, the visible ones shown, the created event
// raised while the window is still hidden, then the window shown and
// activated with the focus on the first control of the tab cycle. Gives
// nullptr, with everything made so far destroyed, when a control cannot be
// made, a setting is refused, or a binding names an unknown handler.
std::unique_ptr<MainWindow> load_main_window(const WindowDescription& description,
                                             const HandlerTable& handlers,
                                             const ControlFactory& factory);

}  // namespace sorvane
