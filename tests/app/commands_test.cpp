// The commands that need no dialog, on the real window: the overlay put on
// at creation and the panel toggle with its captions.
#include <QApplication>

#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/component_control.h"
#include "app/main_window.h"
#include "display/cartoon_box.h"

namespace sorvane {
namespace {

std::unique_ptr<MainWindow> real_window() {
  return load_main_window(builtin_window_description(), command_handlers(),
                          builtin_control_factory());
}

TEST(Commands, TheWindowIsCreatedWithTheOverlayAsObjectOne) {
  auto window = real_window();
  ASSERT_NE(window, nullptr);
  auto& area = window->control_as<ComponentControl<CartoonBox>>("动画框1")->component();
  ASSERT_EQ(area.objects().size(), 1u);
  const CartoonObject& overlay = area.objects().front();
  EXPECT_EQ(overlay.id, 1);
  EXPECT_EQ(overlay.x, 0);
  EXPECT_EQ(overlay.y, 0);
  ASSERT_NE(overlay.picture, nullptr);
  EXPECT_EQ(overlay.picture->picture.width, 460);
  EXPECT_EQ(overlay.picture->picture.height, 879);
  EXPECT_EQ(overlay.picture->picture.frames[0].transparent_colour, kNoColour);
  // An opaque band pixel hits object 1; the transparent top does not.
  EXPECT_EQ(area.hit_test(100, 700), 1);
  EXPECT_EQ(area.hit_test(100, 100), -1);
}

TEST(Commands, ToggleHidesAndShowsThePanelAndNamesTheNextPress) {
  auto window = real_window();
  ASSERT_NE(window, nullptr);
  Control* panel = window->control("图片框1");
  Control* button = window->control("按钮2");
  const struct {
    bool visible;
    const char* caption;
  } after_press[] = {
      {false, "显示服务图标管理"}, {true, "隐藏服务图标管理"}, {false, "显示服务图标管理"}};
  for (const auto& expected : after_press) {
    handle_panel_toggle_click(*window);
    EXPECT_EQ(setting_bool(*panel->setting(Control::kVisible)), expected.visible);
    EXPECT_EQ(setting_text(*button->setting("caption")), expected.caption);
  }
}

TEST(Commands, PointerHandlersChangeNothing) {
  auto window = real_window();
  ASSERT_NE(window, nullptr);
  const ByteBuffer before =
      setting_bytes(*window->control("动画框1")->setting("pic"));
  handle_panel_left_press(*window, 10, 20, 1);
  handle_object_left_press(*window, 1);
  EXPECT_EQ(setting_bytes(*window->control("动画框1")->setting("pic")), before);
  EXPECT_TRUE(setting_bool(*window->control("图片框1")->setting(Control::kVisible)));
}

}  // namespace
}  // namespace sorvane
