#pragma once

#include <QPushButton>

#include "app/control.h"

namespace sorvane {

// Kind `Button`: an ordinary push button (never a default button) whose
// caption is centred both ways and wrapped onto as many lines as its width
// needs; a caption of Chinese characters may break between any two of them.
// Own setting 8: `caption`. Raises "clicked".
class PushButton : public QPushButton, public Control {
 public:
  PushButton(std::string name, QWidget* parent);

  QWidget* widget() const override { return const_cast<PushButton*>(this); }

  QString caption() const { return caption_; }
  void set_caption(const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;

  std::vector<std::string_view> own_setting_names() const override;
  std::optional<SettingValue> own_setting(int offset) const override;
  bool set_own_setting(int offset, const SettingValue& value) override;

 private:
  QString caption_;
};

}  // namespace sorvane
