#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include <QWidget>

#include "app/control.h"

namespace sorvane {

// Kind `window`: the program's one top-level window. It owns its controls,
// finds them by name, and sees every key press meant for it or any of its
// controls before the focused control does (Esc, Tab, Shift+Tab, Enter, F1).
// Own setting 8: `caption` (the title).
class MainWindow : public QWidget, public Control {
 public:
  MainWindow(std::string name, QSize outer_size);
  ~MainWindow() override;

  QWidget* widget() const override { return const_cast<MainWindow*>(this); }

  // Takes ownership. `tab_stop` controls join the keyboard's tab cycle,
  // ordered by tab index and then by the order they were added in.
  void add_control(std::unique_ptr<Control> control, bool tab_stop, int tab_index);
  Control* control(std::string_view name) const;
  template <typename Kind>
  Kind* control_as(std::string_view name) const {
    return dynamic_cast<Kind*>(control(name));
  }

  // The controls of the tab cycle that can take the focus now, in order.
  std::vector<QWidget*> tab_cycle() const;
  void focus_next(bool forward);

  // Raises the window's "created" event; the loader calls it once, while
  // the window is still hidden.
  void raise_created() { raise_event("created"); }

  // The outer size the window keeps (frame included). Set before showing.
  QSize outer_size() const { return outer_size_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  std::vector<std::string_view> own_setting_names() const override;
  std::optional<SettingValue> own_setting(int offset) const override;
  bool set_own_setting(int offset, const SettingValue& value) override;

 private:
  struct Entry {
    std::unique_ptr<Control> control;
    bool tab_stop;
    int tab_index;
  };

  bool handle_key(QKeyEvent* key);
  void open_help_file() const;
  void keep_outer_size();

  QSize outer_size_;
  std::vector<Entry> controls_;
  QRect required_client_;  // where the controls lie; the client area holds it
  bool fitting_ = false;
};

}  // namespace sorvane
