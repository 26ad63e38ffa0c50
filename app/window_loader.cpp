#include "app/window_loader.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "app/main_window.h"

namespace sorvane {

QPoint centred_window_position(QSize screen, QSize outer) {
  // Integer division in C++ truncates toward zero: (768 - 905) / 2 is -68.
  return {(screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2};
}

namespace {

QIcon icon_from_ico(const ByteBuffer& bytes) {
  QPixmap pixmap;
  if (bytes.empty() ||
      !pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()), "ICO"))
    return {};
  return QIcon(pixmap);
}

bool apply_common_settings(Control& control, const ControlDescription& d) {
  return control.set_setting(Control::kTag, d.tag) &&
         control.set_setting(Control::kDisabled, std::int64_t{d.disabled}) &&
         control.set_setting(Control::kMousePointer, std::int64_t{d.mouse_pointer});
}

// Routes a control's events to the handlers that the description binds.
EventSink bindings_for(MainWindow* window, const std::string& source,
                       const std::vector<EventBinding>& bindings,
                       const HandlerTable& handlers) {
  std::map<std::string, EventHandler> bound;
  for (const EventBinding& b : bindings)
    if (b.source == source) bound[b.event] = handlers.find(b.handler)->second;
  return [window, bound = std::move(bound)](const std::string& event, const EventArgs& args) {
    const auto it = bound.find(event);
    if (it != bound.end()) it->second(*window, args);
  };
}

}  // namespace

std::unique_ptr<MainWindow> load_main_window(const WindowDescription& description,
                                             const HandlerTable& handlers,
                                             const ControlFactory& factory) {
  for (const EventBinding& b : description.events)
    if (handlers.find(b.handler) == handlers.end()) return nullptr;

  const QSize outer(description.outer_width, description.outer_height);
  auto window = std::make_unique<MainWindow>("", outer);
  window->setWindowTitle(QString::fromStdString(description.title));
  const QIcon icon = icon_from_ico(description.icon);
  if (!icon.isNull()) window->setWindowIcon(icon);
  window->setFont(QApplication::font());
  window->setAutoFillBackground(true);  // the button-face colour of the palette
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window->move(centred_window_position(screen->size(), outer));

  std::vector<QWidget*> shown_at_start;
  for (const ControlDescription& d : description.controls) {
    const auto maker = factory.find(d.kind);
    if (maker == factory.end()) return nullptr;
    std::unique_ptr<Control> control = maker->second(d, window.get());
    if (!control || !apply_common_settings(*control, d)) return nullptr;
    if (QWidget* w = control->widget()) {
      w->hide();
      // Each control goes on top of those created before it.
      w->raise();
      if (d.visible) shown_at_start.push_back(w);
    }
    control->set_event_sink(bindings_for(window.get(), d.name, description.events, handlers));
    window->add_control(std::move(control), d.tab_stop, d.tab_index);
  }
  window->set_event_sink(bindings_for(window.get(), "", description.events, handlers));

  for (QWidget* w : shown_at_start) w->show();

  window->raise_created();

  window->show();
  window->activateWindow();
  const std::vector<QWidget*> cycle = window->tab_cycle();
  if (!cycle.empty()) cycle.front()->setFocus(Qt::ActiveWindowFocusReason);
  return window;
}

}  // namespace sorvane
