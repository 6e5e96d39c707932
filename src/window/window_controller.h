#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "model/dialogs.h"
#include "sheet/configuration_sheet.h"

class QPrinter;
class QWidget;

namespace kvt {

class Controls;
class EditHistory;
class PanelLink;
class PortSelector;
class StatusBox;
struct PanelConfig;
struct JournalRecord;
enum class CommandEnd;

// Runs the window's commands on the configuration it shows: one at a time, with the window busy
// meanwhile; keeps the technician's edits in the edit history, which knows whether that
// configuration has changed since it was last opened from a file, saved, or read from the panel,
// and asks before a close, a file open or a read drops such changes; knows where it came from,
// for the printed sheet. What a load itself changes, its rules' corrections included, is no edit.
// Files opened and saved join the recent files.
class WindowController : public QObject {
  Q_OBJECT

 public:
  // `window` is the window the commands run in, `controls` and `status` its controls and status
  // box; `history` the history of its edits; `choose_printer` is the print dialog, false when
  // cancelled.
  WindowController(QWidget& window, PanelConfig& config, Controls& controls, StatusBox& status,
                   PortSelector& ports, EditHistory& history,
                   std::function<bool(QPrinter&)> choose_printer);

  // The load handling, run once before the window is shown.
  void load();
  // READ, WRITE, READ_FILE and WRITE_FILE.
  void read_config();
  void write_config();
  void open_file_chosen();
  void save_file();
  // Opens the configuration file at `path` as READ_FILE opens the one chosen; READ_FILE offers
  // it next.
  void open_file(const std::string& path);
  // A configuration file dropped on the window or chosen among the recent files: opened as
  // READ_FILE opens the one chosen, unsaved changes asked about first.
  void open_file_after_asking(const std::string& path);
  // FIND THE SWITCH PANEL, run as a panel command is.
  void find_panel();
  // PRINT CONFIGURATION SHEET...: the sheet of the configuration shown.
  void print_sheet();
  // COMPARE WITH SWITCH PANEL: reads the panel and says whether it holds the configuration
  // shown, and if not, where they differ. Nothing in the window changes but the status box.
  void compare_with_panel();

  // Runs the handler of a control the technician (or a rule, nested) has changed. Once the
  // outermost has ended, what it and the rules it ran changed is one edit.
  void run_edit(const std::function<void()>& handler);
  // A text box has been left: what changed since the last edit is one edit, unless a handler or
  // a load is still under way (they record theirs when they end).
  void record_edit();

  // Whether the window may close now: unsaved changes are asked about first (CANCEL keeps it
  // open). Once it may, a panel command or a search that waits is ended at its next wait; the
  // command closes the port.
  bool may_close();
  // Closes the window as its close box does, but without asking about unsaved changes.
  void close_without_asking();
  // For a stop signal: when a panel write has sent its first write frame, the write goes on to
  // its end, saying so in the status box, and `then` runs once the command has ended; true then.
  // False when no write is under way: nothing is kept waiting.
  bool finish_write_then(std::function<void()> then);

  bool command_running() const { return command_running_; }

 signals:
  // A command has started (true) or ended (false): no other command may start meanwhile.
  void busy_changed(bool busy);
  // A command has ended and the keyboard focus is back where it was.
  void command_ended();

 private:
  // Runs one command to its end, the window busy meanwhile, so no command can start inside
  // another while a panel command waits on the serial line. The keyboard focus ends where it was
  // when the command started: on the button pressed, or where a key was.
  template <typename Command>
  void run_command(Command command);
  // Runs a load (the load handling, a file open, a read): what it changes is not the user's. A
  // load that changes the window is where undoing stops.
  template <typename Load>
  auto as_load(Load load);
  // Before unsaved changes would be dropped: asks, and saves when told to. True when the caller
  // may go on: nothing unsaved, DISCARD, or SAVE and the save succeeded.
  bool settle_unsaved_changes();
  // The file save, with its checks and chooser; true when the file was written.
  bool save_to_file();
  // Opens the configuration file at `path`, which READ_FILE then offers.
  void open_named_file(const std::string& path);
  // After the configuration file at `path` has been opened into the window.
  void opened(const std::string& path);
  // A panel command that may have gone to the wrong port says which port, and how to choose.
  void add_port_hint(CommandEnd end);
  // Records a panel command in the journal; a journal that cannot take it is said once per run,
  // in a message box, and changes nothing else.
  void record_in_journal_once(const JournalRecord& record);
  // A write or comparison in the journal, with the file and panel name the window shows.
  void record_with_window_names(JournalRecord record);

  QWidget& window_;
  PanelConfig& config_;
  Controls& controls_;
  StatusBox& status_;
  PortSelector& ports_;
  EditHistory& history_;
  std::function<bool(QPrinter&)> choose_printer_;
  PanelLink* link_ = nullptr;         // of the SerialLink child
  PanelLink* search_link_ = nullptr;  // the link probing for the panel, while it does
  FileChooser common_dialog1_;        // remembers the last file name between file commands
  // Where the configuration shown came from, which its printed sheet names: the file opened or
  // saved last, or the panel after a read. A read that did not end well leaves a configuration
  // that is neither, and so does the start-up.
  ConfigurationSource source_;
  bool command_running_ = false;
  bool loading_ = false;
  int edits_running_ = 0;  // handlers of an edit under way, nested ones included
  bool ask_before_closing_ = true;
  // The command running has sent a write frame: the panel may hold new bytes.
  bool write_frame_sent_ = false;
  bool journal_failure_said_ = false;
  // What runs once the command under way has ended (finish_write_then).
  std::function<void()> after_command_;
};

}  // namespace kvt
