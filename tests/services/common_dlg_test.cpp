// The file dialog component, driven from inside its modal loop.
#include "services/common_dlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace sorvane {
namespace {

// Runs `action` on the first visible window of type T once it shows up, from
// within the event loop that `open` runs.
template <typename T>
void when_shown(std::function<void(T*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, action]() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* found = qobject_cast<T*>(w); found != nullptr && found->isVisible()) {
        timer->stop();
        timer->deleteLater();
        action(found);
        return;
      }
    }
  });
  timer->start();
}

QLineEdit* name_box(QFileDialog* d) { return d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }

void type_and_enter(QFileDialog* d, const QString& text) {
  QLineEdit* box = name_box(d);
  ASSERT_NE(box, nullptr);
  box->clear();
  // The dialog activates itself and focuses the name box once shown.
  for (int i = 0; i < 400 && !box->hasFocus(); ++i) QTest::qWait(5);
  ASSERT_TRUE(box->hasFocus()) << "the name box should take typed keys";
  for (const QChar c : text) {
    if (c.unicode() < 128) {
      QTest::keyClick(box, c.toLatin1());
    } else {  // typed through an input method: text without a key code
      QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  QTest::keyClick(box, Qt::Key_Return);
}

// The two components of the main window, in a scratch folder.
class FileDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/services-dialog-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = QString::fromUtf8(tmpl);
    cwd_ = QDir::currentPath();
    for (CommonDlg* d : {&open_, &save_}) {
      d->set_filter("图片文件(*.jpg)|*.jpg");
      d->set_default_extension(".jpg");
      d->set_file_must_exist(true);
      d->set_overwrite_prompt(true);
      d->set_path_must_exist(true);
      d->set_initial_directory(dir_.toStdString());
    }
    open_.set_kind(0);
    open_.set_create_prompt(true);
    save_.set_kind(1);
    window_.resize(200, 100);
    window_.show();
  }
  void TearDown() override {
    QDir::setCurrent(cwd_);
    QDir(dir_).removeRecursively();
  }

  std::string in_dir(const QString& name) const { return (dir_ + QLatin1Char('/') + name).toStdString(); }
  void touch(const QString& name) const {
    QFile f(dir_ + QLatin1Char('/') + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }

  QString dir_;
  QString cwd_;
  QWidget window_;
  CommonDlg open_;
  CommonDlg save_;
};

TEST_F(FileDialog, CancelGivesFalseAndKeepsFileName) {
  open_.set_file_name("/earlier/choice.jpg");
  QStringList shown_filters;
  QString object_name, title;
  bool modal = false;
  when_shown<QFileDialog>([&](QFileDialog* d) {
    auto* combo = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    for (int i = 0; combo != nullptr && i < combo->count(); ++i) shown_filters << combo->itemText(i);
    object_name = d->objectName();
    title = d->windowTitle();
    modal = d->isModal();
    d->reject();
  });
  EXPECT_FALSE(open_.open(&window_));
  EXPECT_EQ(open_.file_name(), "/earlier/choice.jpg");
  EXPECT_EQ(shown_filters, QStringList{QStringLiteral("图片文件(*.jpg)")});
  EXPECT_EQ(object_name, QStringLiteral("sorvane_file_dialog"));
  EXPECT_FALSE(title.isEmpty());
  EXPECT_TRUE(modal);
}

TEST_F(FileDialog, TypedFullPathIsAcceptedWithEnter) {
  touch(QStringLiteral("chosen.jpg"));
  when_shown<QFileDialog>(
      [&](QFileDialog* d) { type_and_enter(d, dir_ + QStringLiteral("/chosen.jpg")); });
  EXPECT_TRUE(open_.open(&window_));
  EXPECT_EQ(open_.file_name(), in_dir(QStringLiteral("chosen.jpg")));
  // The classic dialogs make the chosen folder the working directory.
  EXPECT_EQ(QDir::currentPath(), dir_);
}

TEST_F(FileDialog, KeepWorkingDirectoryLeavesItAlone) {
  touch(QStringLiteral("chosen.jpg"));
  open_.set_keep_working_directory(true);
  when_shown<QFileDialog>([&](QFileDialog* d) { type_and_enter(d, QStringLiteral("chosen.jpg")); });
  EXPECT_TRUE(open_.open(&window_));
  EXPECT_EQ(QDir::currentPath(), cwd_);
}

TEST_F(FileDialog, OpenRefusesMissingFile) {
  bool warned = false;
  when_shown<QFileDialog>([&](QFileDialog* d) {
    when_shown<QMessageBox>([&, d](QMessageBox* box) {
      warned = true;
      box->accept();
      QTimer::singleShot(0, d, [d] { d->reject(); });
    });
    type_and_enter(d, QStringLiteral("missing.jpg"));
  });
  EXPECT_FALSE(open_.open(&window_));
  EXPECT_TRUE(warned);
  EXPECT_EQ(open_.file_name(), "");
}

TEST_F(FileDialog, OverwritePromptAnsweredNoKeepsDialogOpen) {
  touch(QStringLiteral("old.jpg"));
  int prompts = 0;
  when_shown<QFileDialog>([&](QFileDialog* d) {
    when_shown<QMessageBox>([&, d](QMessageBox* box) {
      ++prompts;
      box->button(QMessageBox::No)->click();
      // Still open after "no": cancel it.
      QTimer::singleShot(0, d, [d] { d->reject(); });
    });
    type_and_enter(d, QStringLiteral("old"));
  });
  EXPECT_FALSE(save_.open(&window_));
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(save_.file_name(), "");
}

TEST_F(FileDialog, OverwritePromptAnsweredYesConfirms) {
  touch(QStringLiteral("old.jpg"));
  when_shown<QFileDialog>([&](QFileDialog* d) {
    when_shown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    type_and_enter(d, QStringLiteral("old"));
  });
  EXPECT_TRUE(save_.open(&window_));
  EXPECT_EQ(save_.file_name(), in_dir(QStringLiteral("old.jpg")));
}

TEST_F(FileDialog, SaveIntoMissingFolderIsRefused) {
  bool warned = false;
  when_shown<QFileDialog>([&](QFileDialog* d) {
    when_shown<QMessageBox>([&, d](QMessageBox* box) {
      warned = true;
      box->accept();
      QTimer::singleShot(0, d, [d] { d->reject(); });
    });
    type_and_enter(d, dir_ + QStringLiteral("/no/such/pic"));
  });
  EXPECT_FALSE(save_.open(&window_));
  EXPECT_TRUE(warned);
}

TEST_F(FileDialog, FocusReturnsToWidgetThatHadIt) {
  auto* edit = new QLineEdit(&window_);
  edit->show();
  QApplication::setActiveWindow(&window_);
  edit->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), edit);
  when_shown<QFileDialog>([](QFileDialog* d) { d->reject(); });
  save_.open(&window_);
  EXPECT_EQ(window_.focusWidget(), edit);
  for (int i = 0; i < 400 && QApplication::focusWidget() != edit; ++i) QTest::qWait(5);
  EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST_F(FileDialog, KindsOtherThanOpenAndSaveAreRefused) {
  CommonDlg other;
  other.set_kind(7);
  EXPECT_EQ(other.kind(), 3);
  other.set_kind(-1);
  EXPECT_EQ(other.kind(), 0);
  other.set_kind(2);
  EXPECT_FALSE(other.open(&window_));
  other.set_initial_filter(-4);
  EXPECT_EQ(other.initial_filter(), 0);
}

// A name typed in the save dialog, and what comes back.
struct TypedNameCase {
  const char* name;
  const char* typed;
  const char* returned;
};

class SaveDialogName : public FileDialog, public ::testing::WithParamInterface<TypedNameCase> {};

TEST_P(SaveDialogName, GetsDefaultExtensionOnce) {
  when_shown<QFileDialog>(
      [&](QFileDialog* d) { type_and_enter(d, QString::fromUtf8(GetParam().typed)); });
  ASSERT_TRUE(save_.open(&window_));
  EXPECT_EQ(save_.file_name(), in_dir(QString::fromUtf8(GetParam().returned)));
}

INSTANTIATE_TEST_SUITE_P(Names, SaveDialogName,
                         ::testing::Values(TypedNameCase{"bare", "pic", "pic.jpg"},
                                           TypedNameCase{"with_default", "pic.jpg", "pic.jpg"},
                                           TypedNameCase{"other_extension", "pic.bmp", "pic.bmp"},
                                           TypedNameCase{"chinese", "图片", "图片.jpg"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
