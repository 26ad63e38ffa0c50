#include "app/pictures/builtin_pictures.h"
#include "app/window_description.h"
#include "common/colour.h"

namespace sorvane {

namespace {

ControlDescription button(std::string name, int left, int top, int width, int height,
                          std::string caption) {
  ControlDescription c;
  c.kind = "Button";
  c.name = std::move(name);
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.tab_stop = true;
  c.settings = {{"caption", std::move(caption)}};
  return c;
}

ControlDescription file_dialog(std::string name, int left, int kind, bool create_prompt) {
  ControlDescription c;
  c.kind = "CommonDlg";
  c.name = std::move(name);
  c.left = left;
  c.top = 224;
  c.width = 26;
  c.height = 26;
  c.visible = false;
  c.settings = {
      {"kind", std::int64_t{kind}},
      {"filter", std::string("图片文件(*.jpg)|*.jpg")},
      {"default_extension", std::string(".jpg")},
      {"create_prompt", std::int64_t{create_prompt}},
      {"file_must_exist", std::int64_t{1}},
      {"overwrite_prompt", std::int64_t{1}},
      {"path_must_exist", std::int64_t{1}},
      {"keep_working_directory", std::int64_t{0}},
  };
  return c;
}

}  // namespace

WindowDescription builtin_window_description() {
  WindowDescription w;
  w.title = "Sorvane";
  w.left = 50;
  w.top = 50;
  w.outer_width = 523;
  w.outer_height = 905;
  w.icon = builtin::window_icon().to_buffer();

  ControlDescription display;
  display.kind = "CartoonBox";
  display.name = "动画框1";
  display.left = 1;
  display.top = 0;
  display.width = 460;
  display.height = 878;
  display.tab_stop = true;
  display.settings = {
      {"border", std::int64_t{0}},
      {"BackColor", std::int64_t{kNoColour}},
      {"pic", builtin::background_picture().to_buffer()},
      {"PicDrawMode", std::int64_t{0}},
  };

  ControlDescription panel;
  panel.kind = "PicBox";
  panel.name = "图片框1";
  panel.left = 36;
  panel.top = 169;
  panel.width = 372;
  panel.height = 435;
  panel.settings = {
      {"border", std::int64_t{0}},
      {"BackColor", std::int64_t{kNoColour}},
      {"pic", builtin::panel_picture().to_buffer()},
      {"DrawMode", std::int64_t{0}},
      {"PlayAnimation", std::int64_t{1}},
  };

  w.controls = {
      display,
      button("按钮1", 467, 13, 40, 64, "上传图片"),
      panel,
      button("按钮2", 467, 133, 40, 88, "不要服务图标管理"),
      button("按钮3", 467, 77, 40, 56, "保存图片"),
      file_dialog("通用对话框1", 464, 0, true),
      file_dialog("通用对话框2", 489, 1, false),
  };

  w.events = {
      {"", "created", "handle_window_created"},
      {"按钮1", "clicked", "handle_upload_click"},
      {"按钮2", "clicked", "handle_panel_toggle_click"},
      {"按钮3", "clicked", "handle_save_click"},
      {"图片框1", "left_button_pressed", "handle_panel_left_press"},
      {"动画框1", "物体左键被按下", "handle_object_left_press"},
  };
  return w;
}

}  // namespace sorvane
