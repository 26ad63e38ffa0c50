// Sorvane: entry and exit. No command line, environment or settings are
// read; the window comes from the description built into the program.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include "app/commands.h"
#include "app/program.h"

int main(int argc, char** argv) {
  // Only the program's name goes to Qt, which would otherwise take options
  // such as -style from the command line.
  int qt_argc = argc > 0 ? 1 : 0;
  QApplication app(qt_argc, argv);

  // The program's own folder is the working directory: the F1 help file is
  // looked up there.
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  sorvane::install_toolkit_translation();

  return sorvane::run_program(sorvane::builtin_window_description(), sorvane::command_handlers(),
                              sorvane::builtin_control_factory());
}
