// Sorvane: entry and exit. No command line, environment or settings are
// read; the window comes from the description built into the program.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/commands.h"
#include "app/control_factory.h"
#include "app/main_window.h"
#include "app/window_description.h"
#include "app/window_loader.h"

int main(int argc, char** argv) {
  // Qt would otherwise take options such as -style from the command line.
  int qt_argc = argc > 0 ? 1 : 0;
  QApplication app(qt_argc, argv);

  // The program's own folder is the working directory (the F1 help file
  // and the dialogs' first folder are looked up there).
  QDir::setCurrent(QCoreApplication::applicationDirPath());

  // The toolkit's own dialogs and prompts speak Simplified Chinese too.
  QTranslator qt_translation;
  if (qt_translation.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qt_translation);

  std::unique_ptr<sorvane::MainWindow> window = sorvane::load_main_window(
      sorvane::builtin_window_description(), sorvane::command_handlers(),
      sorvane::builtin_control_factory());
  if (!window) return -1;
  if (!window->isVisible()) return 0;
  return app.exec();
}
