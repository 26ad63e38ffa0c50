#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/control.h"
#include "app/window_description.h"

class QWidget;

namespace sorvane {

// Makes a control of one kind as a child of `parent`, with its place, size
// and own settings from the description; nullptr when it cannot be made or
// refuses one of the settings.
using ControlMaker =
    std::function<std::unique_ptr<Control>(const ControlDescription&, QWidget* parent)>;

using ControlFactory = std::map<std::string, ControlMaker, std::less<>>;

// The kinds of this program: Button, CartoonBox, PicBox and CommonDlg.
const ControlFactory& builtin_control_factory();

}  // namespace sorvane
