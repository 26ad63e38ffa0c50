#include "app/push_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace sorvane {

PushButton::PushButton(std::string name, QWidget* parent)
    : QPushButton(parent), Control("Button", std::move(name)) {
  setAutoDefault(false);
  setDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { raise_event("clicked"); });
}

void PushButton::set_caption(const QString& caption) {
  caption_ = caption;
  // The accessible text; painting lays the caption out itself.
  setAccessibleName(caption);
  update();
}

void PushButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);

  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  // Word wrap follows the Unicode line-breaking rules, which allow a break
  // between any two Chinese characters.
  style()->drawItemText(&painter, area, Qt::AlignCenter | Qt::TextWordWrap, palette(),
                        isEnabled(), caption_, QPalette::ButtonText);
}

std::vector<std::string_view> PushButton::own_setting_names() const { return {"caption"}; }

std::optional<SettingValue> PushButton::own_setting(int offset) const {
  if (offset == 0) return caption_.toStdString();
  return std::nullopt;
}

bool PushButton::set_own_setting(int offset, const SettingValue& value) {
  if (offset != 0 || !std::holds_alternative<std::string>(value)) return false;
  set_caption(QString::fromStdString(std::get<std::string>(value)));
  return true;
}

}  // namespace sorvane
