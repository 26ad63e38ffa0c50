#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/setting_value.h"

class QWidget;

namespace sorvane {

using EventArgs = std::vector<std::int64_t>;
using EventSink = std::function<void(const std::string& event, const EventArgs& args)>;

// One control of the main window: a named thing with numbered settings.
// Every kind has the same eight common settings (0-7) followed by its own,
// numbered from 8. A control that has a window exposes its widget; the
// common settings then read and write that widget. A windowless control
// (a file dialog) only keeps them.
class Control {
 public:
  enum CommonSetting : int {
    kLeft = 0,
    kTop,
    kWidth,
    kHeight,
    kTag,
    kVisible,
    kDisabled,
    kMousePointer,
    kCommonSettingCount
  };

  Control(std::string kind, std::string name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& kind() const { return kind_; }
  const std::string& name() const { return name_; }

  // The control's widget, or nullptr for a windowless control.
  virtual QWidget* widget() const = 0;

  int setting_count() const;
  std::string setting_name(int index) const;
  // The index of the setting with this name, or -1.
  int setting_index(std::string_view setting_name) const;

  // Nothing for an index the kind does not have.
  std::optional<SettingValue> setting(int index) const;
  std::optional<SettingValue> setting(std::string_view setting_name) const;
  // False for an index the kind does not have or a value it cannot take.
  bool set_setting(int index, const SettingValue& value);
  bool set_setting(std::string_view setting_name, const SettingValue& value);

  // Events go to the sink that the window loader installs.
  void set_event_sink(EventSink sink) { sink_ = std::move(sink); }

  // Hands an event of the control to its sink (the bound handler, if any).
  void raise_event(const std::string& event, const EventArgs& args = {}) const;

 protected:

  // The kind's own settings; `offset` 0 is setting number 8.
  virtual std::vector<std::string_view> own_setting_names() const = 0;
  virtual std::optional<SettingValue> own_setting(int offset) const = 0;
  virtual bool set_own_setting(int offset, const SettingValue& value) = 0;

 private:
  std::string kind_;
  std::string name_;
  std::string tag_;
  std::int64_t mouse_pointer_ = 0;
  // Kept for windowless controls only.
  std::int64_t place_[4] = {0, 0, 0, 0};
  bool disabled_ = false;
  EventSink sink_;
};

}  // namespace sorvane
