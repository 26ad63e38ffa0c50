// What the main window does besides its controls: the F1 help file, its
// icon, maximising, and the toolkit's Chinese translation.
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/program.h"

namespace sorvane {
namespace {

// Records the files that the window asks the desktop to open.
class OpenedFiles : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls.push_back(url); }
};

class WindowBehaviour : public ::testing::Test {
 protected:
  void SetUp() override {
    window = load_main_window(builtin_window_description(), command_handlers(),
                              builtin_control_factory());
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  std::unique_ptr<MainWindow> window;
};

TEST_F(WindowBehaviour, F1OpensTheHelpFileOnlyWhenItExists) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString old_cwd = QDir::currentPath();
  QDir::setCurrent(dir.path());
  OpenedFiles opened;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  EXPECT_TRUE(opened.urls.isEmpty());

  const QString help = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                       QStringLiteral(".hlp");
  QFile file(dir.filePath(help));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  ASSERT_EQ(opened.urls.size(), 1);
  EXPECT_EQ(opened.urls.front().toLocalFile(), QFileInfo(file).absoluteFilePath());

  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  QDir::setCurrent(old_cwd);
}

TEST_F(WindowBehaviour, HasItsIconAndKeepsControlsWhenMaximised) {
  EXPECT_FALSE(window->windowIcon().isNull());
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  const QRect area = window->control("动画框1")->widget()->geometry();
  const QRect save = window->control("按钮3")->widget()->geometry();
  window->showMaximized();
  QTest::qWait(50);
  EXPECT_EQ(window->control("动画框1")->widget()->geometry(), area);
  EXPECT_EQ(window->control("按钮3")->widget()->geometry(), save);
}

TEST(Translation, TheToolkitSpeaksChinese) {
  install_toolkit_translation();
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("打开"));
}

}  // namespace
}  // namespace sorvane

#include "window_behaviour_test.moc"
