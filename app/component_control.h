#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include <QWidget>

#include "app/control.h"

namespace sorvane {

// One numbered setting of a component, read and written through the
// component's own typed interface.
template <typename Component>
struct Property {
  std::string_view name;
  std::function<SettingValue(const Component&)> read;
  std::function<bool(Component&, const SettingValue&)> write;
};

// A component (a widget such as CartoonBox, or a windowless one such as
// CommonDlg) as a control of the main window: its own settings, numbered
// from 8, are the properties of its kind's table, in order.
template <typename Component>
class ComponentControl : public Control {
 public:
  ComponentControl(std::string kind, std::string name, std::unique_ptr<Component> component,
                   const std::vector<Property<Component>>& properties)
      : Control(std::move(kind), std::move(name)),
        component_(std::move(component)),
        properties_(properties) {}

  Component& component() { return *component_; }
  const Component& component() const { return *component_; }

  QWidget* widget() const override {
    if constexpr (std::is_base_of_v<QWidget, Component>)
      return component_.get();
    else
      return nullptr;
  }

 protected:
  std::vector<std::string_view> own_setting_names() const override {
    std::vector<std::string_view> names;
    for (const auto& p : properties_) names.push_back(p.name);
    return names;
  }
  std::optional<SettingValue> own_setting(int offset) const override {
    if (offset < 0 || offset >= static_cast<int>(properties_.size())) return std::nullopt;
    return properties_[static_cast<std::size_t>(offset)].read(*component_);
  }
  bool set_own_setting(int offset, const SettingValue& value) override {
    if (offset < 0 || offset >= static_cast<int>(properties_.size())) return false;
    return properties_[static_cast<std::size_t>(offset)].write(*component_, value);
  }

 private:
  std::unique_ptr<Component> component_;
  const std::vector<Property<Component>>& properties_;
};

// Property makers for the usual kinds of setting.
template <typename C, typename Get, typename Set>
Property<C> integer_property(std::string_view name, Get get, Set set) {
  return {name, [get](const C& c) -> SettingValue { return static_cast<std::int64_t>(get(c)); },
          [set](C& c, const SettingValue& v) {
            if (!std::holds_alternative<std::int64_t>(v)) return false;
            set(c, std::get<std::int64_t>(v));
            return true;
          }};
}

template <typename C, typename Get, typename Set>
Property<C> text_property(std::string_view name, Get get, Set set) {
  return {name, [get](const C& c) -> SettingValue { return std::string(get(c)); },
          [set](C& c, const SettingValue& v) {
            if (!std::holds_alternative<std::string>(v)) return false;
            set(c, std::get<std::string>(v));
            return true;
          }};
}

template <typename C, typename Get, typename Set>
Property<C> bytes_property(std::string_view name, Get get, Set set) {
  return {name, [get](const C& c) -> SettingValue { return ByteBuffer(get(c)); },
          [set](C& c, const SettingValue& v) {
            if (!std::holds_alternative<ByteBuffer>(v)) return false;
            set(c, std::get<ByteBuffer>(v));
            return true;
          }};
}

}  // namespace sorvane
