#include "app/commands.h"

#include "app/component_control.h"
#include "app/main_window.h"
#include "app/pictures/builtin_pictures.h"
#include "display/cartoon_box.h"
#include "services/common_dlg.h"
#include "services/snapshot.h"
#include "services/whole_file.h"

namespace sorvane {

namespace {

CartoonBox* display_area(MainWindow& window) {
  auto* c = window.control_as<ComponentControl<CartoonBox>>("动画框1");
  return c ? &c->component() : nullptr;
}

CommonDlg* file_dialog(MainWindow& window, const char* name) {
  auto* c = window.control_as<ComponentControl<CommonDlg>>(name);
  return c ? &c->component() : nullptr;
}

}  // namespace

void handle_window_created(MainWindow& window) {
  CartoonBox* area = display_area(window);
  if (!area) return;
  const int id = area->create_object(0, 0);
  // No transparent colour: the overlay's alpha channel alone decides, so its
  // opaque white pixels stay opaque.
  area->set_object_picture(id, builtin::overlay_picture().to_buffer(), -1);
}

void handle_upload_click(MainWindow& window) {
  CommonDlg* dialog = file_dialog(window, "通用对话框1");
  CartoonBox* area = display_area(window);
  if (!dialog || !area || !dialog->open(&window)) return;
  // A file that cannot be read gives an empty buffer, which leaves the
  // area with its fill colour under the overlay; so does one that does not
  // decode.
  area->set_pic(read_whole_file(dialog->file_name()));
}

void handle_panel_toggle_click(MainWindow& window) {
  Control* panel = window.control("图片框1");
  Control* button = window.control("按钮2");
  if (!panel || !button) return;
  // The visibility changes first, then the caption names the next press.
  if (setting_bool(panel->setting(Control::kVisible).value_or(std::int64_t{0}))) {
    panel->set_setting(Control::kVisible, std::int64_t{0});
    button->set_setting("caption", std::string("显示服务图标管理"));
  } else {
    panel->set_setting(Control::kVisible, std::int64_t{1});
    button->set_setting("caption", std::string("隐藏服务图标管理"));
  }
}

void handle_save_click(MainWindow& window) {
  CommonDlg* dialog = file_dialog(window, "通用对话框2");
  Control* area = window.control("动画框1");
  if (!dialog || !area || !dialog->open(&window)) return;
  // Captured at once, before anything else is handled. A failed capture is
  // an empty buffer, and the file is then written empty.
  const ByteBuffer picture = snapshot_window(window_handle(area->widget()));
  write_whole_file(dialog->file_name(), picture);
}

void handle_panel_left_press(MainWindow&, int, int, int) {}

void handle_object_left_press(MainWindow&, int) {}

const HandlerTable& command_handlers() {
  static const HandlerTable table = {
      {"handle_window_created", [](MainWindow& w, const EventArgs&) { handle_window_created(w); }},
      {"handle_upload_click", [](MainWindow& w, const EventArgs&) { handle_upload_click(w); }},
      {"handle_panel_toggle_click",
       [](MainWindow& w, const EventArgs&) { handle_panel_toggle_click(w); }},
      {"handle_save_click", [](MainWindow& w, const EventArgs&) { handle_save_click(w); }},
      {"handle_panel_left_press",
       [](MainWindow& w, const EventArgs& a) {
         if (a.size() == 3)
           handle_panel_left_press(w, static_cast<int>(a[0]), static_cast<int>(a[1]),
                                   static_cast<int>(a[2]));
       }},
      {"handle_object_left_press",
       [](MainWindow& w, const EventArgs& a) {
         if (a.size() == 1) handle_object_left_press(w, static_cast<int>(a[0]));
       }},
  };
  return table;
}

}  // namespace sorvane
