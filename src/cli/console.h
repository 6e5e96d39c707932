#pragma once

#include <QElapsedTimer>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/watched_port.h"
#include "model/dialogs.h"
#include "model/not_settings.h"
#include "model/status_box.h"

namespace kvt::cli {

// How much a command says on standard error besides its errors.
enum class Loudness {
  Quiet,    // -q: no progress line and no success message
  Normal,   // progress on a terminal, then how the command ended
  Verbose,  // -v: besides, every frame sent and every reply taken, with its time
};

// The window's status box and message boxes on standard error, in the window's own words, each
// message prefixed "kvt-config: ". A command's last status is printed once it ends; while it
// runs, and only when standard error is a terminal, one line shows how far it has come.
class Console : public StatusBox, public Dialogs {
 public:
  // `steps`: the bytes a panel command transfers, for the progress line. Times in the frame log
  // count from here.
  explicit Console(int steps = 0, Loudness loudness = Loudness::Normal);

  void set_status_colour(StatusColour) override {}
  void set_status_text(const std::string& text) override { text_ = text; }
  void set_status_visible(bool) override {}

  void message(const std::string& text, const std::string& title = {}) override;
  bool show_save(FileChooser&) override { return false; }
  bool show_open(FileChooser&) override { return false; }
  // One message line per value, each kept for the JSON of the configuration.
  void name_not_settings(const std::string& holder, const std::vector<NotSetting>& values) override;
  const std::vector<NotSetting>& not_settings_named() const { return not_settings_; }

  // Byte `number` of the panel command's `steps` has been transferred.
  void show_progress(int number);
  // Prints the words a command ended with, `said`: a failure always, a success unless quiet.
  void print_outcome(const std::string& said, bool success);
  // The last text said in the status box: how a file command that failed explains it.
  const std::string& status_text() const { return text_; }
  // The last message said, with its title: how a refused file was refused.
  const std::string& last_message() const { return last_message_; }
  // Prints one message line at once, even while messages are held: what the program does about
  // a stop signal, said as it happens.
  void report(const std::string& text);
  // From now on a message is held back until release_messages or until anything else is
  // printed, so that the message a panel command ends with can name what its outcome holds.
  void hold_messages() { holding_ = true; }
  // Prints the messages held back, each naming `other_model` when a panel of another model
  // answered, and prints messages at once again.
  void release_messages(std::optional<std::int16_t> other_model);
  // The frame log of -v, or none.
  FrameWatcher frame_log();
  // Prints one message line of our own.
  static void say(const std::string& text);

 private:
  void clear_progress();
  // Prints the messages held back, in order, each naming `other_model` where given.
  void print_held(std::optional<std::int16_t> other_model = std::nullopt);

  void log_frame(FrameDirection direction, std::string_view bytes);

  int steps_;
  Loudness loudness_;
  QElapsedTimer clock_;
  bool holding_ = false;
  std::vector<std::string> held_;
  bool progress_shown_ = false;
  bool terminal_;
  std::string text_;
  std::string last_message_;
  std::vector<NotSetting> not_settings_;
};

}  // namespace kvt::cli
