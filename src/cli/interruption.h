#pragma once

#include <QObject>
#include <optional>

#include "commands/panel_commands.h"
#include "commands/stop_signals.h"
#include "link/panel_link.h"

namespace kvt::cli {

class Console;

// How a panel command on the command line answers SIGINT, SIGTERM and SIGHUP, caught for as
// long as the object lives. A read, a verify, and a write that has sent no write frame yet stop
// at once: the panel is unchanged. A write under way is let finish (at most the 1.6 s a whole
// write takes), because a panel left half-written holds a mix of two configurations; a second
// signal stops it at once, and the addresses it reached are named. Either way the command ends
// through its own path, so the port is closed as after any command.
class Interruption : public QObject {
  Q_OBJECT

 public:
  Interruption(PanelLink& link, Console& console);

  // Once the panel command has ended with `end`: says what a stopped write left in the panel.
  // Signals from now on only set the exit status.
  void command_ended(CommandEnd end);
  // 128 + the number of the first signal caught, or nothing when none came.
  std::optional<int> exit_status();
  // The command was stopped before it changed the panel, and has said so: that is its outcome,
  // even when its last step had already succeeded.
  bool stopped_unchanged() const { return stopped_unchanged_; }

 private:
  void on_caught(int signal_number, int count);

  StopSignals signals_;
  PanelLink& link_;
  Console& console_;
  bool command_ended_ = false;
  bool stopped_unchanged_ = false;
};

}  // namespace kvt::cli
