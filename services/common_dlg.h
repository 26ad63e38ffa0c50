#pragma once

#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace sorvane {

// One entry of a file dialog's filter list: the text shown to the user and
// the file pattern(s) it stands for ("*.jpg", or several joined by ';').
struct FilterPair {
  std::string description;
  std::string pattern;

  bool operator==(const FilterPair& o) const {
    return description == o.description && pattern == o.pattern;
  }
};

// Splits a filter text of the form "description|pattern|description|pattern"
// into its pairs. Trailing white space is removed; "||" is appended unless the
// text already ends with it; then every '|' ends an item and the items
// alternate description and pattern up to the first empty item. A description
// left without a pattern is dropped. An empty text gives no list.
std::vector<FilterPair> parse_dialog_filter(const std::string& filter);

// A file dialog component: its settings, and `open`, which shows a modal open
// or save dialog and on a confirmed choice leaves the chosen file's full path
// in the file name. Texts are UTF-8.
class CommonDlg {
 public:
  enum Kind { kOpen = 0, kSave = 1 };

  // 0 open dialog, 1 save dialog; 2 and 3 are kept but are not file dialogs,
  // so `open` refuses them. Stored values are clamped to 0..3.
  int kind() const { return kind_; }
  void set_kind(int kind) { kind_ = kind < 0 ? 0 : (kind > 3 ? 3 : kind); }

  // The dialog's caption; empty gives the dialog's own ("Open", "Save As").
  const std::string& title() const { return title_; }
  void set_title(std::string title) { title_ = std::move(title); }

  // Before `open`: the name put in the dialog's name box. After a confirmed
  // `open`: the full path of the chosen file. Nothing else changes it.
  const std::string& file_name() const { return file_name_; }
  void set_file_name(std::string name) { file_name_ = std::move(name); }

  // Description and pattern pairs separated by '|' (see parse_dialog_filter).
  const std::string& filter() const { return filter_; }
  void set_filter(std::string filter) { filter_ = std::move(filter); }

  // Index from 0 of the pair selected when the dialog opens; negative values
  // are stored as 0.
  int initial_filter() const { return initial_filter_; }
  void set_initial_filter(int index) { initial_filter_ = index < 0 ? 0 : index; }

  // The folder shown first; empty leaves the choice to the dialog.
  const std::string& initial_directory() const { return initial_directory_; }
  void set_initial_directory(std::string dir) { initial_directory_ = std::move(dir); }

  // Joined once to a typed name that has no extension (".jpg" and "jpg" are
  // the same).
  const std::string& default_extension() const { return default_extension_; }
  void set_default_extension(std::string ext) { default_extension_ = std::move(ext); }

  // Ask before accepting the name of a file that does not exist.
  bool create_prompt() const { return create_prompt_; }
  void set_create_prompt(bool on) { create_prompt_ = on; }

  // Accept only names of existing files (open dialogs only).
  bool file_must_exist() const { return file_must_exist_; }
  void set_file_must_exist(bool on) { file_must_exist_ = on; }

  // Ask before accepting the name of an existing file (save dialogs only).
  bool overwrite_prompt() const { return overwrite_prompt_; }
  void set_overwrite_prompt(bool on) { overwrite_prompt_ = on; }

  // Accept only names in existing folders.
  bool path_must_exist() const { return path_must_exist_; }
  void set_path_must_exist(bool on) { path_must_exist_ = on; }

  // On: the process's working directory is the same after the dialog as
  // before. Off: a confirmed choice makes the chosen file's folder the working
  // directory, as the classic system dialogs do.
  bool keep_working_directory() const { return keep_working_directory_; }
  void set_keep_working_directory(bool on) { keep_working_directory_ = on; }

  // Shows the dialog modally over `parent`'s window (Qt's own dialog, the
  // same on every platform) and waits for it to close. True when the user
  // confirmed a file; the file name then holds its full path. False when the
  // user cancelled, the kind is not a file dialog, or no application runs;
  // nothing has changed then. Keyboard focus goes back to the widget that had
  // it.
  bool open(QWidget* parent);

  // The object name that the dialog window carries while `open` runs.
  static constexpr const char* kDialogObjectName = "sorvane_file_dialog";

 private:
  int kind_ = kOpen;
  std::string title_;
  std::string file_name_;
  std::string filter_;
  int initial_filter_ = 0;
  std::string initial_directory_;
  std::string default_extension_;
  bool create_prompt_ = false;
  bool file_must_exist_ = false;
  bool overwrite_prompt_ = false;
  bool path_must_exist_ = false;
  bool keep_working_directory_ = false;
};

}  // namespace sorvane
