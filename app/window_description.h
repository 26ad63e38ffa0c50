#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/setting_value.h"

namespace sorvane {

// An event of a control (or of the window itself, source "") bound to a
// handler by the handler's name.
struct EventBinding {
  std::string source;
  std::string event;
  std::string handler;
};

// One control of the window, as the window is built from it.
struct ControlDescription {
  std::string kind;
  std::string name;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool disabled = false;
  bool tab_stop = false;
  int tab_index = 0;
  std::string tag;
  int mouse_pointer = 0;  // 0: the default arrow
  // The kind's own settings by name, applied in this order at creation.
  std::vector<std::pair<std::string, SettingValue>> settings;
};

// The whole main window: the window's own record, its controls in
// creation order (bottom of the stacking order first) and the bindings.
struct WindowDescription {
  std::string title;
  int left = 0;  // the record's own place; the window is centred instead
  int top = 0;
  int outer_width = 0;  // frame and title bar included
  int outer_height = 0;
  ByteBuffer icon;  // ICO file bytes, used as the large and small icon
  std::vector<ControlDescription> controls;
  std::vector<EventBinding> events;
};

// The program's own window, as built into it.
WindowDescription builtin_window_description();

}  // namespace sorvane
