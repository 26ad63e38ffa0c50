#include "app/program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/main_window.h"

namespace sorvane {

int run_program(const WindowDescription& description, const HandlerTable& handlers,
                const ControlFactory& factory) {
  std::unique_ptr<MainWindow> window = load_main_window(description, handlers, factory);
  if (!window) return -1;
  // A window that closed while it was being created leaves nothing to run.
  if (!window->isVisible()) return 0;
  return QApplication::exec();
}

void install_toolkit_translation() {
  static QTranslator translation;
  if (translation.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&translation);
}

}  // namespace sorvane
