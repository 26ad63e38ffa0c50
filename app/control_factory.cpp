#include "app/control_factory.h"

#include <algorithm>

#include "app/component_control.h"
#include "app/push_button.h"
#include "display/cartoon_box.h"
#include "display/pic_box.h"
#include "services/common_dlg.h"

namespace sorvane {

namespace {

int to_int(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}
ColourValue to_colour(std::int64_t v) { return static_cast<ColourValue>(v); }

// Settings 8-10 of both picture controls: frame style, fill colour and the
// picture's file bytes.
template <typename C>
std::vector<Property<C>> picture_control_settings() {
  return {
      integer_property<C>("border", [](const C& c) { return c.border(); },
                          [](C& c, std::int64_t v) { c.set_border(to_int(v)); }),
      integer_property<C>("BackColor", [](const C& c) { return c.back_color(); },
                          [](C& c, std::int64_t v) { c.set_back_color(to_colour(v)); }),
      bytes_property<C>("pic", [](const C& c) { return c.pic(); },
                        [](C& c, ByteBuffer v) { c.set_pic(std::move(v)); }),
  };
}

template <typename C>
std::vector<Property<C>> joined(std::vector<Property<C>> first, std::vector<Property<C>> then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

// CartoonBox's own settings, 8-20.
const std::vector<Property<CartoonBox>>& cartoon_box_properties() {
  using C = CartoonBox;
  static const std::vector<Property<C>> table = joined(picture_control_settings<C>(), {
      integer_property<C>("PicDrawMode", [](const C& c) { return c.pic_draw_mode(); },
                          [](C& c, std::int64_t v) { c.set_pic_draw_mode(to_int(v)); }),
      integer_property<C>("PenStyle", [](const C& c) { return c.drawing_settings().pen_style; },
                          [](C& c, std::int64_t v) { c.drawing_settings().pen_style = v; }),
      integer_property<C>("DrawRop2", [](const C& c) { return c.drawing_settings().draw_rop2; },
                          [](C& c, std::int64_t v) { c.drawing_settings().draw_rop2 = v; }),
      integer_property<C>("PenWidth", [](const C& c) { return c.drawing_settings().pen_width; },
                          [](C& c, std::int64_t v) { c.drawing_settings().pen_width = v; }),
      integer_property<C>("PenColor", [](const C& c) { return c.drawing_settings().pen_color; },
                          [](C& c, std::int64_t v) { c.drawing_settings().pen_color = to_colour(v); }),
      integer_property<C>("BrushStyle", [](const C& c) { return c.drawing_settings().brush_style; },
                          [](C& c, std::int64_t v) { c.drawing_settings().brush_style = v; }),
      integer_property<C>("BrushColor", [](const C& c) { return c.drawing_settings().brush_color; },
                          [](C& c, std::int64_t v) {
                            c.drawing_settings().brush_color = to_colour(v);
                          }),
      integer_property<C>("TextColor", [](const C& c) { return c.drawing_settings().text_color; },
                          [](C& c, std::int64_t v) { c.drawing_settings().text_color = to_colour(v); }),
      integer_property<C>("TextBackColor",
                          [](const C& c) { return c.drawing_settings().text_back_color; },
                          [](C& c, std::int64_t v) {
                            c.drawing_settings().text_back_color = to_colour(v);
                          }),
      text_property<C>("font", [](const C& c) { return c.drawing_settings().font; },
                       [](C& c, std::string v) { c.drawing_settings().font = std::move(v); }),
  });
  return table;
}

// PicBox's own settings, 8-14.
const std::vector<Property<PicBox>>& pic_box_properties() {
  using C = PicBox;
  static const std::vector<Property<C>> table = joined(picture_control_settings<C>(), {
      integer_property<C>("DrawMode", [](const C& c) { return c.draw_mode(); },
                          [](C& c, std::int64_t v) { c.set_draw_mode(to_int(v)); }),
      integer_property<C>("PlayAnimation", [](const C& c) { return c.play_animation(); },
                          [](C& c, std::int64_t v) { c.set_play_animation(v != 0); }),
      text_property<C>("DataSource", [](const C& c) { return c.data_source(); },
                       [](C& c, std::string v) { c.set_data_source(std::move(v)); }),
      text_property<C>("DataColumn", [](const C& c) { return c.data_column(); },
                       [](C& c, std::string v) { c.set_data_column(std::move(v)); }),
  });
  return table;
}

// CommonDlg's settings, 8-19.
const std::vector<Property<CommonDlg>>& common_dlg_properties() {
  using C = CommonDlg;
  static const std::vector<Property<C>> table = {
      integer_property<C>("kind", [](const C& c) { return c.kind(); },
                          [](C& c, std::int64_t v) { c.set_kind(to_int(v)); }),
      text_property<C>("title", [](const C& c) { return c.title(); },
                       [](C& c, std::string v) { c.set_title(std::move(v)); }),
      text_property<C>("file_name", [](const C& c) { return c.file_name(); },
                       [](C& c, std::string v) { c.set_file_name(std::move(v)); }),
      text_property<C>("filter", [](const C& c) { return c.filter(); },
                       [](C& c, std::string v) { c.set_filter(std::move(v)); }),
      integer_property<C>("initial_filter", [](const C& c) { return c.initial_filter(); },
                          [](C& c, std::int64_t v) { c.set_initial_filter(to_int(v)); }),
      text_property<C>("initial_directory", [](const C& c) { return c.initial_directory(); },
                       [](C& c, std::string v) { c.set_initial_directory(std::move(v)); }),
      text_property<C>("default_extension", [](const C& c) { return c.default_extension(); },
                       [](C& c, std::string v) { c.set_default_extension(std::move(v)); }),
      integer_property<C>("create_prompt", [](const C& c) { return c.create_prompt(); },
                          [](C& c, std::int64_t v) { c.set_create_prompt(v != 0); }),
      integer_property<C>("file_must_exist", [](const C& c) { return c.file_must_exist(); },
                          [](C& c, std::int64_t v) { c.set_file_must_exist(v != 0); }),
      integer_property<C>("overwrite_prompt", [](const C& c) { return c.overwrite_prompt(); },
                          [](C& c, std::int64_t v) { c.set_overwrite_prompt(v != 0); }),
      integer_property<C>("path_must_exist", [](const C& c) { return c.path_must_exist(); },
                          [](C& c, std::int64_t v) { c.set_path_must_exist(v != 0); }),
      integer_property<C>("keep_working_directory",
                          [](const C& c) { return c.keep_working_directory(); },
                          [](C& c, std::int64_t v) { c.set_keep_working_directory(v != 0); }),
  };
  return table;
}

template <typename Component>
void place(Component& widget, const ControlDescription& d) {
  widget.setGeometry(d.left, d.top, d.width, d.height);
}

// The description's own settings, in order; nullptr when one is refused.
std::unique_ptr<Control> with_settings(std::unique_ptr<Control> control,
                                       const ControlDescription& d) {
  for (const auto& [name, value] : d.settings)
    if (!control->set_setting(name, value)) return nullptr;
  return control;
}

}  // namespace

const ControlFactory& builtin_control_factory() {
  static const ControlFactory factory = {
      {"Button",
       [](const ControlDescription& d, QWidget* parent) -> std::unique_ptr<Control> {
         auto button = std::make_unique<PushButton>(d.name, parent);
         place(*button, d);
         return with_settings(std::move(button), d);
       }},
      {"CartoonBox",
       [](const ControlDescription& d, QWidget* parent) -> std::unique_ptr<Control> {
         auto box = std::make_unique<CartoonBox>(parent);
         place(*box, d);
         auto control = std::make_unique<ComponentControl<CartoonBox>>(
             "CartoonBox", d.name, std::move(box), cartoon_box_properties());
         CartoonBox& area = control->component();
         Control* self = control.get();
         area.set_object_press_handler([self](int id) {
           self->raise_event("物体左键被按下", {id});
         });
         return with_settings(std::move(control), d);
       }},
      {"PicBox",
       [](const ControlDescription& d, QWidget* parent) -> std::unique_ptr<Control> {
         auto box = std::make_unique<PicBox>(parent);
         place(*box, d);
         auto control = std::make_unique<ComponentControl<PicBox>>("PicBox", d.name, std::move(box),
                                                                   pic_box_properties());
         Control* self = control.get();
         control->component().set_left_press_handler([self](int x, int y, int keys) {
           self->raise_event("left_button_pressed", {x, y, keys});
         });
         // Only the description may ask for draw mode 3 (fit the window to
         // the picture); a later write is clamped to 0-2.
         for (const auto& [name, value] : d.settings) {
           if (name == "DrawMode") {
             if (!std::holds_alternative<std::int64_t>(value)) return nullptr;
             control->component().set_initial_draw_mode(to_int(std::get<std::int64_t>(value)));
           } else if (!control->set_setting(name, value)) {
             return nullptr;
           }
         }
         return control;
       }},
      {"CommonDlg",
       [](const ControlDescription& d, QWidget*) -> std::unique_ptr<Control> {
         auto control = std::make_unique<ComponentControl<CommonDlg>>(
             "CommonDlg", d.name, std::make_unique<CommonDlg>(), common_dlg_properties());
         control->set_setting(Control::kLeft, std::int64_t{d.left});
         control->set_setting(Control::kTop, std::int64_t{d.top});
         control->set_setting(Control::kWidth, std::int64_t{d.width});
         control->set_setting(Control::kHeight, std::int64_t{d.height});
         return with_settings(std::move(control), d);
       }},
  };
  return factory;
}

}  // namespace sorvane
