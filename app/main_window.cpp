#include "app/main_window.h"

#include <algorithm>

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>

namespace sorvane {

MainWindow::MainWindow(std::string name, QSize outer_size)
    : QWidget(nullptr), Control("window", std::move(name)), outer_size_(outer_size) {
  // Until the window system reports the frame, the whole outer size is
  // taken for the client area; keep_outer_size() corrects it once shown.
  resize(outer_size_);
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  // Controls are destroyed here, before QWidget's destructor would delete
  // the child widgets a second time.
  controls_.clear();
}

void MainWindow::add_control(std::unique_ptr<Control> control, bool tab_stop, int tab_index) {
  if (QWidget* w = control->widget()) {
    w->setFocusPolicy(tab_stop ? Qt::StrongFocus : Qt::NoFocus);
    required_client_ = required_client_.united(w->geometry());
  }
  controls_.push_back({std::move(control), tab_stop, tab_index});
}

Control* MainWindow::control(std::string_view name) const {
  for (const Entry& e : controls_)
    if (e.control->name() == name) return e.control.get();
  return nullptr;
}

std::vector<QWidget*> MainWindow::tab_cycle() const {
  std::vector<const Entry*> entries;
  for (const Entry& e : controls_) {
    QWidget* w = e.control->widget();
    if (e.tab_stop && w && w->isVisible() && w->isEnabled()) entries.push_back(&e);
  }
  // Equal tab indices keep their creation order.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry* a, const Entry* b) { return a->tab_index < b->tab_index; });
  std::vector<QWidget*> cycle;
  for (const Entry* e : entries) cycle.push_back(e->control->widget());
  return cycle;
}

void MainWindow::focus_next(bool forward) {
  const std::vector<QWidget*> cycle = tab_cycle();
  if (cycle.empty()) return;
  const auto at = std::find(cycle.begin(), cycle.end(), QApplication::focusWidget());
  std::size_t next = 0;
  if (at == cycle.end()) {
    next = forward ? 0 : cycle.size() - 1;
  } else {
    const std::size_t i = static_cast<std::size_t>(at - cycle.begin());
    next = forward ? (i + 1) % cycle.size() : (i + cycle.size() - 1) % cycle.size();
  }
  cycle[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  if (static_cast<QWidget*>(watched)->window() != this) return false;
  return handle_key(static_cast<QKeyEvent*>(event));
}

bool MainWindow::handle_key(QKeyEvent* key) {
  // A key held with Ctrl, Shift or Alt is another key (Shift+Tab arrives
  // as Backtab with Shift).
  const Qt::KeyboardModifiers mods =
      key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  switch (key->key()) {
    case Qt::Key_Escape:
      if (mods != Qt::NoModifier) return false;
      close();
      return true;
    case Qt::Key_Tab:
      if (mods != Qt::NoModifier) return false;
      focus_next(true);
      return true;
    case Qt::Key_Backtab:
      if (mods != Qt::ShiftModifier) return false;
      focus_next(false);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // No button is a default button, so Enter presses nothing.
      return mods == Qt::NoModifier || mods == Qt::KeypadModifier;
    case Qt::Key_F1:
      if (mods != Qt::NoModifier) return false;
      open_help_file();
      return true;
    default:
      return false;
  }
}

void MainWindow::open_help_file() const {
  const QFileInfo program(QCoreApplication::applicationFilePath());
  const QFileInfo help(QDir::current(), program.completeBaseName() + QStringLiteral(".hlp"));
  if (help.isFile()) QDesktopServices::openUrl(QUrl::fromLocalFile(help.absoluteFilePath()));
}

void MainWindow::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // The window itself never keeps the focus: it goes to the first control
  // of the tab cycle.
  const std::vector<QWidget*> cycle = tab_cycle();
  if (!cycle.empty()) cycle.front()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  keep_outer_size();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  keep_outer_size();
}

void MainWindow::keep_outer_size() {
  if (fitting_ || !isVisible() || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen |
                                                     Qt::WindowMinimized)))
    return;
  const QRect frame = frameGeometry();
  const QRect client = geometry();
  const QSize decoration(frame.width() - client.width(), frame.height() - client.height());
  // The outer size is kept exactly, unless the frame is so large that the
  // controls would not fit: then the window grows just enough to hold them.
  const QSize wanted = (outer_size_ - decoration)
                           .expandedTo(QSize(required_client_.right() + 1,
                                             required_client_.bottom() + 1));
  if (wanted == client.size()) return;
  fitting_ = true;
  resize(wanted);
  fitting_ = false;
}

std::vector<std::string_view> MainWindow::own_setting_names() const { return {"caption"}; }

std::optional<SettingValue> MainWindow::own_setting(int offset) const {
  if (offset == 0) return windowTitle().toStdString();
  return std::nullopt;
}

bool MainWindow::set_own_setting(int offset, const SettingValue& value) {
  if (offset != 0 || !std::holds_alternative<std::string>(value)) return false;
  setWindowTitle(QString::fromStdString(std::get<std::string>(value)));
  return true;
}

}  // namespace sorvane
