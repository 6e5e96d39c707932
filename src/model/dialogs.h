#pragma once

#include <string>
#include <vector>

namespace kvt {

// What the file chooser is asked and what it answers: `file_name` is offered when the chooser
// opens and holds the chosen full path afterwards, so the next open offers the name last used.
struct FileChooser {
  std::string file_name;
  std::string filter;  // e.g. "KORVELANTIX CONFIGURATION FILES (*.kvc)"
  std::string title;
  std::string default_suffix;  // without the dot, e.g. "kvc"
};

struct NotSetting;

// How the user answered the question about unsaved changes.
enum class UnsavedAnswer { Save, Discard, Cancel };

// Modal message boxes and file choosers. The window owns the real one; tests inject a recorder.
// All texts are UTF-8.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message with the OK button only and no icon. An empty title means the program's title.
  virtual void message(const std::string& text, const std::string& title = {}) = 0;
  // Return false when the user cancels; on true, chooser.file_name holds the chosen path.
  virtual bool show_save(FileChooser& chooser) = 0;
  virtual bool show_open(FileChooser& chooser) = 0;
  // Asks whether to save unsaved changes first, with the buttons SAVE, DISCARD and CANCEL;
  // Escape or closing the box answers CANCEL. Only the window has changes to lose, so a front
  // end without one is never asked, and would keep everything.
  virtual UnsavedAnswer ask_save_first(const std::string& /*text*/, const std::string& /*title*/) {
    return UnsavedAnswer::Cancel;
  }
  // Names the values a load met that are not settings, which `holder` (the switch panel, or a
  // file's name as messages show it) holds: one line each, in one message box titled for them.
  // Says nothing when there are none.
  virtual void name_not_settings(const std::string& holder, const std::vector<NotSetting>& values);
};

}  // namespace kvt
