#include "app/commands.h"

#include "app/main_window.h"

namespace sorvane {

void handle_window_created(MainWindow&) {}

void handle_upload_click(MainWindow&) {}

void handle_panel_toggle_click(MainWindow&) {}

void handle_save_click(MainWindow&) {}

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
