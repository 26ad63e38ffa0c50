// A bare Qt window of the program's size with three push buttons, shown and
// left running: the yardstick that bench/startup.py measures Sorvane's
// start-up against.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare"));
  window.resize(523, 905);
  window.move(698, 87);  // where Sorvane centres itself on a 1920 x 1080 screen
  const int tops[] = {13, 77, 133};
  const int heights[] = {64, 56, 88};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(QStringLiteral("按钮"), &window);
    b->setGeometry(467, tops[i], 40, heights[i]);
  }
  window.show();
  return app.exec();
}
