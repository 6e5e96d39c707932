#pragma once

#include <string>

#include "model/dialogs.h"
#include "model/status_box.h"

namespace kvt::cli {

// The window's status box and message boxes on standard error, in the window's own words, each
// message prefixed "kvt-config: ". A command's last status is printed once it ends; while it
// runs, and only when standard error is a terminal, one line shows how far it has come.
class Console : public StatusBox, public Dialogs {
 public:
  // `steps`: the bytes a panel command transfers, for the progress line.
  explicit Console(int steps = 0);

  void set_status_colour(StatusColour colour) override;
  void set_status_text(const std::string& text) override { text_ = text; }
  void set_status_visible(bool) override {}

  void message(const std::string& text, const std::string& title = {}) override;
  bool show_save(FileChooser&) override { return false; }
  bool show_open(FileChooser&) override { return false; }

  // Byte `number` of the panel command's `steps` has been transferred.
  void show_progress(int number);
  // Prints the last status when it says how the command ended (red or green).
  void print_outcome();
  // Prints one message line of our own.
  static void say(const std::string& text);

 private:
  void clear_progress();

  int steps_;
  bool progress_shown_ = false;
  bool terminal_;
  StatusColour colour_ = StatusColour::Yellow;
  std::string text_;
};

}  // namespace kvt::cli
