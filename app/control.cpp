#include "app/control.h"

#include <QWidget>

namespace sorvane {

namespace {
constexpr std::string_view kCommonNames[Control::kCommonSettingCount] = {
    "left", "top", "width", "height", "tag", "visible", "disabled", "mouse_pointer"};
}

Control::Control(std::string kind, std::string name)
    : kind_(std::move(kind)), name_(std::move(name)) {}

Control::~Control() = default;

int Control::setting_count() const {
  return kCommonSettingCount + static_cast<int>(own_setting_names().size());
}

std::string Control::setting_name(int index) const {
  if (index < 0 || index >= setting_count()) return {};
  if (index < kCommonSettingCount) return std::string(kCommonNames[index]);
  return std::string(own_setting_names()[index - kCommonSettingCount]);
}

int Control::setting_index(std::string_view setting_name) const {
  for (int i = 0; i < kCommonSettingCount; ++i)
    if (kCommonNames[i] == setting_name) return i;
  const auto own = own_setting_names();
  for (std::size_t i = 0; i < own.size(); ++i)
    if (own[i] == setting_name) return kCommonSettingCount + static_cast<int>(i);
  return -1;
}

std::optional<SettingValue> Control::setting(int index) const {
  if (index < 0 || index >= setting_count()) return std::nullopt;
  if (index >= kCommonSettingCount) return own_setting(index - kCommonSettingCount);
  const QWidget* w = widget();
  switch (index) {
    case kLeft: return std::int64_t{w ? w->x() : place_[0]};
    case kTop: return std::int64_t{w ? w->y() : place_[1]};
    case kWidth: return std::int64_t{w ? w->width() : place_[2]};
    case kHeight: return std::int64_t{w ? w->height() : place_[3]};
    case kTag: return tag_;
    // A control reads as visible only while it and its window are shown.
    case kVisible: return std::int64_t{w ? w->isVisible() : false};
    case kDisabled: return std::int64_t{w ? !w->isEnabled() : disabled_};
    case kMousePointer: return mouse_pointer_;
    default: return std::nullopt;
  }
}

std::optional<SettingValue> Control::setting(std::string_view setting_name) const {
  return setting(setting_index(setting_name));
}

bool Control::set_setting(int index, const SettingValue& value) {
  if (index < 0 || index >= setting_count()) return false;
  if (index >= kCommonSettingCount) return set_own_setting(index - kCommonSettingCount, value);
  if (index == kTag) {
    if (!std::holds_alternative<std::string>(value)) return false;
    tag_ = std::get<std::string>(value);
    return true;
  }
  if (!std::holds_alternative<std::int64_t>(value)) return false;
  const std::int64_t v = std::get<std::int64_t>(value);
  QWidget* w = widget();
  switch (index) {
    case kLeft:
    case kTop:
    case kWidth:
    case kHeight: {
      if (v < INT32_MIN || v > INT32_MAX) return false;
      if (!w) {
        place_[index] = v;
        return true;
      }
      QRect r = w->geometry();
      const int i = static_cast<int>(v);
      if (index == kLeft) r.moveLeft(i);
      if (index == kTop) r.moveTop(i);
      if (index == kWidth) r.setWidth(i < 0 ? 0 : i);
      if (index == kHeight) r.setHeight(i < 0 ? 0 : i);
      w->setGeometry(r);
      return true;
    }
    case kVisible:
      // A windowless control is never shown, whatever it is told.
      if (w) w->setVisible(v != 0);
      return true;
    case kDisabled:
      if (w) w->setEnabled(v == 0);
      disabled_ = v != 0;
      return true;
    case kMousePointer:
      mouse_pointer_ = v;
      return true;
    default:
      return false;
  }
}

bool Control::set_setting(std::string_view setting_name, const SettingValue& value) {
  return set_setting(setting_index(setting_name), value);
}

void Control::raise_event(const std::string& event, const EventArgs& args) const {
  if (sink_) sink_(event, args);
}

}  // namespace sorvane
