// The main window as its description builds it, on the offscreen platform.
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/window_loader.h"

namespace sorvane {
namespace {

struct PlacementRow {
  const char* name;
  QSize screen;
  QPoint expected;
};

class CentredPlacement : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(CentredPlacement, TruncatesTowardZero) {
  EXPECT_EQ(centred_window_position(GetParam().screen, QSize(523, 905)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, CentredPlacement,
    ::testing::Values(PlacementRow{"laptop_1366x768_top_above_screen", {1366, 768}, {421, -68}},
                      PlacementRow{"full_hd", {1920, 1080}, {698, 87}},
                      PlacementRow{"exactly_the_window", {523, 905}, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// Handlers that count what reaches them, bound by the real names.
struct Counts {
  int created = 0;
  int upload = 0;
  int toggle = 0;
  int save = 0;
};
Counts counts;

HandlerTable counting_handlers() {
  HandlerTable table = command_handlers();
  table["handle_window_created"] = [](MainWindow&, const EventArgs&) { ++counts.created; };
  table["handle_upload_click"] = [](MainWindow&, const EventArgs&) { ++counts.upload; };
  table["handle_panel_toggle_click"] = [](MainWindow&, const EventArgs&) { ++counts.toggle; };
  table["handle_save_click"] = [](MainWindow&, const EventArgs&) { ++counts.save; };
  return table;
}

class LoadedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    counts = {};
    window = load_main_window(builtin_window_description(), counting_handlers(),
                              builtin_control_factory());
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  QWidget* widget_of(const char* name) const { return window->control(name)->widget(); }
  std::string focused_name() const {
    for (const char* name : {"动画框1", "按钮1", "图片框1", "按钮2", "按钮3"})
      if (widget_of(name)->hasFocus()) return name;
    return "(none)";
  }
  void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
  }

  std::unique_ptr<MainWindow> window;
};

TEST_F(LoadedWindow, ControlsComeFromTheDescription) {
  struct Expected {
    const char* name;
    const char* kind;
    QRect place;
  };
  const Expected table[] = {
      {"动画框1", "CartoonBox", {1, 0, 460, 878}}, {"按钮1", "Button", {467, 13, 40, 64}},
      {"图片框1", "PicBox", {36, 169, 372, 435}},  {"按钮2", "Button", {467, 133, 40, 88}},
      {"按钮3", "Button", {467, 77, 40, 56}},      {"通用对话框1", "CommonDlg", {464, 224, 26, 26}},
      {"通用对话框2", "CommonDlg", {489, 224, 26, 26}},
  };
  for (const Expected& e : table) {
    SCOPED_TRACE(e.name);
    Control* c = window->control(e.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->kind(), e.kind);
    const QRect place(static_cast<int>(setting_int(*c->setting(Control::kLeft))),
                      static_cast<int>(setting_int(*c->setting(Control::kTop))),
                      static_cast<int>(setting_int(*c->setting(Control::kWidth))),
                      static_cast<int>(setting_int(*c->setting(Control::kHeight))));
    EXPECT_EQ(place, e.place);
    const bool dialog = std::string(e.kind) == "CommonDlg";
    EXPECT_EQ(setting_bool(*c->setting(Control::kVisible)), !dialog);
    EXPECT_EQ(c->setting_name(8), dialog ? "kind" : (std::string(e.kind) == "Button" ? "caption"
                                                                                   : "border"));
  }
  EXPECT_EQ(window->windowTitle(), "Sorvane");
  EXPECT_EQ(setting_text(*window->control("按钮1")->setting("caption")), "上传图片");
  EXPECT_EQ(setting_text(*window->control("按钮2")->setting("caption")), "不要服务图标管理");
  EXPECT_EQ(setting_text(*window->control("按钮3")->setting("caption")), "保存图片");
  EXPECT_EQ(window->control("动画框1")->setting_index("pic"), 10);
  EXPECT_EQ(counts.created, 1);
}

TEST_F(LoadedWindow, StackedWithTheLastCreatedOnTop) {
  const QObjectList children = window->children();
  std::vector<QWidget*> stacked;
  for (QObject* o : children)
    if (o->isWidgetType()) stacked.push_back(static_cast<QWidget*>(o));
  const std::vector<QWidget*> expected = {widget_of("动画框1"), widget_of("按钮1"),
                                          widget_of("图片框1"), widget_of("按钮2"),
                                          widget_of("按钮3")};
  EXPECT_EQ(stacked, expected);
}

TEST_F(LoadedWindow, TabCyclesTheTabStopsAndNeverThePanel) {
  EXPECT_EQ(focused_name(), "动画框1");
  const char* forward[] = {"按钮1", "按钮2", "按钮3", "动画框1"};
  for (const char* name : forward) {
    press(Qt::Key_Tab);
    EXPECT_EQ(focused_name(), name);
  }
  press(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(focused_name(), "按钮3");
}

TEST_F(LoadedWindow, EnterPressesNothingAndSpacePressesTheFocusedButton) {
  for (int i = 0; i < 4; ++i) {
    press(Qt::Key_Return);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    press(Qt::Key_Tab);
  }
  EXPECT_EQ(counts.upload + counts.toggle + counts.save, 0);
  press(Qt::Key_Tab);  // 按钮1
  press(Qt::Key_Space);
  press(Qt::Key_Tab);  // 按钮2
  press(Qt::Key_Space);
  EXPECT_EQ(counts.upload, 1);
  EXPECT_EQ(counts.toggle, 1);
  EXPECT_EQ(counts.save, 0);
}

TEST_F(LoadedWindow, EscapeClosesTheWindowFromAnyControl) {
  press(Qt::Key_Tab);
  press(Qt::Key_Tab);
  press(Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  // Visible reads true only while the control and its window are shown.
  EXPECT_FALSE(setting_bool(*window->control("图片框1")->setting(Control::kVisible)));
}

TEST(FailedStart, AnUnloadableDescriptionEndsWithMinusOne) {
  struct Row {
    const char* name;
    void (*spoil)(WindowDescription&);
  };
  const Row rows[] = {
      {"unknown_kind", [](WindowDescription& d) { d.controls[3].kind = "Slider"; }},
      {"refused_setting", [](WindowDescription& d) { d.controls[0].settings.push_back({"no_such", std::int64_t{1}}); }},
      {"unknown_handler", [](WindowDescription& d) { d.events[1].handler = "handle_nothing"; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    WindowDescription d = builtin_window_description();
    row.spoil(d);
    EXPECT_EQ(load_main_window(d, command_handlers(), builtin_control_factory()), nullptr);
    EXPECT_EQ(run_program(d, command_handlers(), builtin_control_factory()), -1);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
  }
}

}  // namespace
}  // namespace sorvane
