#pragma once

#include "app/window_loader.h"

namespace sorvane {

class MainWindow;

// The program's event handlers, bound to their events by the window's
// description. They keep no state between calls and report nothing.

// The window's created event: puts the overlay object on the display area.
void handle_window_created(MainWindow& window);
// 按钮1: a picture file of the user's choice becomes the background.
void handle_upload_click(MainWindow& window);
// 按钮2: hides or shows the panel picture and re-captions the button.
void handle_panel_toggle_click(MainWindow& window);
// 按钮3: saves what the display area shows as a BMP file.
void handle_save_click(MainWindow& window);
// 图片框1 left press (x, y, keys) and 动画框1 object press (id): nothing.
void handle_panel_left_press(MainWindow& window, int x, int y, int keys);
void handle_object_left_press(MainWindow& window, int object_id);

// The handlers above by their names, as the description binds them.
const HandlerTable& command_handlers();

}  // namespace sorvane
