#include "services/common_dlg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace sorvane {

std::vector<FilterPair> parse_dialog_filter(const std::string& filter) {
  std::string text = filter;
  while (!text.empty()) {
    const char c = text.back();
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
      text.pop_back();
    } else {
      break;
    }
  }
  std::vector<FilterPair> pairs;
  if (text.empty()) return pairs;
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "||") != 0) text += "||";

  // Every '|' ends an item; the list ends at the first empty item.
  std::vector<std::string> items;
  std::size_t start = 0;
  for (std::size_t bar = text.find('|'); bar != std::string::npos;
       start = bar + 1, bar = text.find('|', start)) {
    std::string item = text.substr(start, bar - start);
    if (item.empty()) break;
    items.push_back(std::move(item));
  }
  for (std::size_t i = 0; i + 1 < items.size(); i += 2) {
    pairs.push_back(FilterPair{items[i], items[i + 1]});
  }
  return pairs;
}

namespace {

// Qt's dialog takes one text per entry, "description (patterns)", with the
// patterns separated by blanks; with HideNameFilterDetails it shows only the
// part before the last parentheses, i.e. the description as given.
QString qt_name_filter(const FilterPair& pair) {
  QString patterns = QString::fromStdString(pair.pattern);
  patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
  return QString::fromStdString(pair.description) + QStringLiteral(" (") + patterns.simplified() +
         QLatin1Char(')');
}

// Qt's own file dialog with the checks that it does not make by itself: a
// missing folder when the path must exist, and the create prompt. Qt makes
// the overwrite prompt and the file-must-exist check itself.
class FileDialog : public QFileDialog {
 public:
  FileDialog(QWidget* parent, bool path_must_exist, bool create_prompt)
      : QFileDialog(parent), path_must_exist_(path_must_exist), create_prompt_(create_prompt) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && !files.front().isEmpty()) {
      const QFileInfo info(files.front());
      if (!info.isDir()) {
        if (path_must_exist_ && !info.absoluteDir().exists()) {
          // Qt's own wording, so its translation applies.
          const QString message = QCoreApplication::translate(
              "QFileDialog",
              "%1\nDirectory not found.\nPlease verify the correct directory name was given.");
          QMessageBox::warning(this, windowTitle(), message.arg(info.absolutePath()));
          return;
        }
        const bool missing_refused = fileMode() == QFileDialog::ExistingFile;
        if (create_prompt_ && !info.exists() && !missing_refused) {
          const QString message =
              QStringLiteral("%1\n该文件不存在。\n要创建该文件吗？").arg(info.fileName());
          if (QMessageBox::question(this, windowTitle(), message,
                                    QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::No) != QMessageBox::Yes) {
            return;
          }
        }
      }
    }
    QFileDialog::accept();
  }

 private:
  bool path_must_exist_;
  bool create_prompt_;
};

}  // namespace

bool CommonDlg::open(QWidget* parent) {
  if (kind_ != kOpen && kind_ != kSave) return false;
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return false;

  const QPointer<QWidget> had_focus = QApplication::focusWidget();
  const QString cwd_before = QDir::currentPath();

  FileDialog dialog(parent, path_must_exist_, create_prompt_);
  dialog.setObjectName(QString::fromLatin1(kDialogObjectName));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
  if (kind_ == kOpen) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(file_must_exist_ ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  } else {
    // A save dialog accepts names of files that do not exist yet.
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !overwrite_prompt_);
  }
  if (!title_.empty()) dialog.setWindowTitle(QString::fromStdString(title_));

  const std::vector<FilterPair> pairs = parse_dialog_filter(filter_);
  if (!pairs.empty()) {
    QStringList filters;
    for (const FilterPair& p : pairs) filters << qt_name_filter(p);
    dialog.setNameFilters(filters);
    const auto index = static_cast<std::size_t>(initial_filter_);
    dialog.selectNameFilter(filters.at(index < pairs.size() ? static_cast<int>(index) : 0));
  }
  if (!default_extension_.empty()) {
    // Qt drops a leading dot itself.
    dialog.setDefaultSuffix(QString::fromStdString(default_extension_));
  }
  if (!initial_directory_.empty()) {
    dialog.setDirectory(QString::fromStdString(initial_directory_));
  }
  if (!file_name_.empty()) {
    // A name with a folder opens that folder, with the bare name in the box.
    dialog.selectFile(QString::fromStdString(file_name_));
  }

  QString chosen;
  QObject::connect(&dialog, &QFileDialog::fileSelected,
                   [&chosen](const QString& file) { chosen = file; });

  // Once shown, the dialog takes the keyboard with the name box focused, so
  // a name typed at once (by a person, or by a tool driving the program)
  // lands there, and the file list follows the typed path as Qt intends.
  QTimer::singleShot(0, &dialog, [&dialog]() {
    dialog.activateWindow();
    if (QLineEdit* box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
      box->setFocus(Qt::ActiveWindowFocusReason);
    }
  });

  const int result = dialog.exec();
  const bool confirmed = result == QDialog::Accepted && !chosen.isEmpty();

  if (keep_working_directory_) {
    QDir::setCurrent(cwd_before);
  }
  if (had_focus) {
    // The window under the dialog takes the keyboard back, with the focus
    // where it was.
    had_focus->window()->activateWindow();
    had_focus->setFocus(Qt::OtherFocusReason);
  }
  if (!confirmed) return false;

  const QFileInfo info(chosen);
  const QString full = QDir::cleanPath(info.absoluteFilePath());
  file_name_ = full.toStdString();
  if (!keep_working_directory_) QDir::setCurrent(QFileInfo(full).absolutePath());
  return true;
}

}  // namespace sorvane
