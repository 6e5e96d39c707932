#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/command_texts.h"
#include "model/rule_texts.h"
#include "model/setting_words.h"

namespace kvt::cli_texts {

// --help: how the program is called, what it is, its commands (from the command table), the
// port rule, the options of all and of each command, and the exit status. Paragraphs are
// wrapped to the terminal's width.
inline constexpr std::string_view kHelpUsage =
    "Usage: kvt-config [FILE.kvc]\n"
    "  or:  kvt-config COMMAND [OPTION]... [ARGUMENT]...";
inline constexpr std::string_view kHelpIntroduction =
    "Configures the TQ KVT ten-button dimmable switch panel. Without arguments it opens the "
    "configuration window; with FILE.kvc the window opens with that file. The commands below "
    "work without a display; \"kvt-config COMMAND --help\" shows one command's usage, options "
    "and an example.";
inline constexpr std::string_view kCommandsHeading = "Commands:";
inline constexpr std::string_view kPortRule =
    "The port: --port, else KVT_SERIAL_PORT, else the port chosen in the window, else "
    "/dev/ttyS0 (or the only other serial port when the system lists no /dev/ttyS0).";
inline constexpr std::string_view kOptionsHeading = "Options:";
inline std::string options_of(std::string_view command) {
  return "Options of " + std::string(command) + ":";
}
inline constexpr std::string_view kHelpOption =
    "Display this help; after a command, that command's usage, options and an example.";
inline constexpr std::string_view kVersionOption = "Display the version.";
inline constexpr std::string_view kExitStatusHeading = "Exit status:";
// Each exit status and what it means.
struct ExitStatusHelp {
  std::string_view status;
  std::string_view meaning;
};
inline constexpr ExitStatusHelp kExitStatusHelp[] = {
    {"0", "Success (verify: the panel matches; ports --probe: the panel answered)."},
    {"1",
     "The panel failed or differs (ports --probe: no port answered; write --each: some FILE "
     "was not written)."},
    {"2",
     "Nothing reached the panel because of the request (usage, file, incomplete switch, "
     "port)."},
    {"128+n",
     "Stopped by signal n; a write under way is finished first, interrupt again to stop it."},
};

// A command's line in --help: how it is called and what it does; `example`: a typical call,
// shown by COMMAND --help.
struct CommandHelp {
  std::string_view usage;
  std::string_view summary;
  std::string_view example = {};
};
inline constexpr CommandHelp kShowHelp{"show FILE [--json]", "Print the configuration in FILE.",
                                       "kvt-config show lobby.kvc"};
inline constexpr CommandHelp kReadHelp{
    "read [--port DEV] [--json] [--name NAME -o FILE]",
    "Read the panel and print its configuration; with -o also save it, NAME as the panel name.",
    "kvt-config read --port /dev/ttyUSB0 --name LOBBY -o lobby.kvc"};
inline constexpr CommandHelp kWriteHelp{
    "write [--port DEV] [--each] FILE...",
    "Write FILE into the panel, every byte verified; with --each, each FILE into a panel of its "
    "own, one panel after another.",
    "kvt-config write --port /dev/ttyUSB0 lobby.kvc\nkvt-config write --each site/*.kvc"};
inline constexpr CommandHelp kVerifyHelp{"verify [--port DEV] FILE",
                                         "Compare the panel with FILE; nothing is written.",
                                         "kvt-config verify lobby.kvc"};
inline constexpr CommandHelp kDiffHelp{
    "diff FILE FILE2 [--json]",
    "Compare two configuration files setting by setting, panel name and designations included.",
    "kvt-config diff lobby.kvc lobby-old.kvc"};
inline constexpr CommandHelp kReportHelp{
    "report FILE|FOLDER... -o OUT.pdf [--page letter]",
    "Write the handover report of a site: a table of its panels with their last write and "
    "comparison, then each panel's sheet.",
    "kvt-config report site/ -o site-handover.pdf"};
inline constexpr CommandHelp kPortsHelp{
    "ports [--probe [--json] [DEV...]]",
    "List the serial ports and the one commands use; with --probe look for the switch panel on "
    "them (or on DEV...), one after another. Nothing is written.",
    "kvt-config ports --probe /dev/ttyUSB0 /dev/ttyUSB1"};
inline constexpr CommandHelp kSheetHelp{
    "sheet FILE [-o OUT.pdf] [--page letter]",
    "Print the configuration in FILE on a one-page PDF sheet (default OUT: FILE as .pdf, A4).",
    "kvt-config sheet site/hall-3.kvc -o hall-3-sheet.pdf"};
inline constexpr CommandHelp kLogHelp{
    "log [--json] [--since YYYY-MM-DD] [--file FILE] [-n N]",
    "Print the journal of panel commands, oldest first (the last N with -n).",
    "kvt-config log --file lobby.kvc -n 5"};

// COMMAND --help: its usage line, what it does, its options and the example.
inline std::string command_usage(std::string_view usage) {
  return "Usage: kvt-config " + std::string(usage);
}
inline constexpr std::string_view kExampleHeading = "Example:";

// What each option does, for the command it is listed under. An operand is named in usage
// errors by its name in the usage lines (e.g. "FILE").
inline constexpr std::string_view kPortOption =
    "The serial device of the panel, e.g. /dev/ttyUSB0.";
inline constexpr std::string_view kPortsPortOption = "Take DEV as the port the commands are given.";
inline constexpr std::string_view kConfigurationJsonOption =
    "Print the configuration as one JSON object.";
inline constexpr std::string_view kDiffJsonOption =
    "Print whether the files are the same, and their differences, as one JSON object.";
inline constexpr std::string_view kProbeJsonOption =
    "Print what each port probed said as one JSON array.";
inline constexpr std::string_view kLogJsonOption = "Print the entries as one JSON array.";
inline constexpr std::string_view kNameOption = "The panel name saved with -o.";
inline constexpr std::string_view kReadOutputOption =
    "Also save the configuration as FILE, as the window saves it after a read.";
inline constexpr std::string_view kSheetOutputOption =
    "The PDF to write (default: FILE with .pdf in place of .kvc).";
inline constexpr std::string_view kReportOutputOption = "The PDF to write.";
inline constexpr std::string_view kPageOption = "The paper: a4 (default) or letter.";
inline constexpr std::string_view kEachOption =
    "One panel after another, a FILE each: wait until it is plugged in, write it, wait until it "
    "is unplugged.";
inline constexpr std::string_view kSinceOption = "Only the entries of this day and after.";
inline constexpr std::string_view kJournalFileOption =
    "Only the entries of this configuration file.";
inline constexpr std::string_view kCountOption = "Only the last N entries.";
inline constexpr std::string_view kQuietOption =
    "No progress and no success message; errors are still reported.";
inline constexpr std::string_view kVerboseOption =
    "Show every frame sent to the panel and every reply, with its time in ms.";
inline constexpr std::string_view kProbeOption =
    "Wake each port and read its model byte; exit 0 when the panel answers on one.";
inline constexpr std::string_view kFileOperand = "FILE";
inline constexpr std::string_view kOtherFileOperand = "FILE2";
inline constexpr std::string_view kPathOperand = "FILE|FOLDER";
inline constexpr std::string_view kDeviceOperand = "DEV";

// The commands by name, e.g. "show, read, ports" in a usage error and "show, read and ports"
// where all are meant.
inline std::string listed(const std::vector<std::string>& names, std::string_view last_joiner) {
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? last_joiner : std::string_view(", ");
    list += names[i];
  }
  return list;
}
inline std::string all_of(const std::vector<std::string>& names) { return listed(names, " and "); }

// Usage errors, each one line followed by kTryHelp. `argument`, `command`, `option` and
// `operand` are quoted as given (an option without its dashes, an operand by its name, e.g.
// "FILE").
inline constexpr std::string_view kTryHelp = "Try 'kvt-config --help' for more information.";
inline constexpr std::string_view kNoCommand = "no command given";
// `commands`: the command names, comma-separated.
inline std::string unknown_command(const std::string& argument, const std::string& commands) {
  return "unknown command '" + argument + "' (commands: " + commands + ")";
}
// A command one typing slip away from `known`.
inline std::string unknown_command_like(const std::string& argument, const std::string& known) {
  return "unknown command '" + argument + "' (did you mean '" + known + "'?)";
}
// `option`: as it was typed, with its dashes.
inline std::string unknown_option(const std::string& option) {
  return "unknown option '" + option + "'";
}
inline std::string needs_value(const std::string& option) {
  return "option '" + option + "' needs a value";
}
inline std::string takes_no_value(const std::string& option) {
  return "option '" + option + "' takes no value";
}
inline std::string needs_operand(const std::string& command, const std::string& operand) {
  return command + " needs a " + operand;
}
inline std::string needs_option(const std::string& command, const std::string& option) {
  return command + " needs " + option;
}
inline std::string unexpected_argument(const std::string& argument) {
  return "unexpected argument '" + argument + "'";
}
// `option`: with its dashes.
inline std::string option_not_taken(const std::string& command, const std::string& option) {
  return command + " takes no option '" + option + "'";
}
// `name`: an operand's name, or an option with its dashes.
inline std::string is_empty(const std::string& name) { return name + " is empty"; }
inline constexpr std::string_view kOutputWithoutName =
    "read saves with -o FILE and --name NAME together";
// `character`: as it stands in the name; `code`: its code point, none for a byte that is no
// UTF-8. "--name: a panel name cannot hold '"' (U+0022)"
inline std::string name_refused(const std::string& character, std::optional<char32_t> code) {
  std::string why = "not UTF-8";
  if (code) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(*code));
    why = hex;
  }
  return "--name: a panel name cannot hold '" + character + "' (" + why + ")";
}
inline constexpr std::string_view kProbeOnly = "ports takes DEV and --json only with --probe";
inline constexpr std::string_view kEachOnly = "write takes more than one FILE only with --each";
inline constexpr std::string_view kQuietAndVerbose = "-q and -v exclude each other";

// sheet: the paper asked for is not one of ours; the PDF could not be written.
inline std::string unknown_page(const std::string& page) {
  return "--page " + page + ": the paper is a4 or letter";
}
// report: the handover report of a site.
inline std::string report_title(const std::string& date) { return "HANDOVER REPORT " + date; }
inline constexpr std::string_view kNeverInJournal = "NEVER";
inline constexpr std::string_view kNoSwitchInUse = "NONE";
inline constexpr std::string_view kNotThisPanelsFile = "NOT A CONFIGURATION FILE FOR THIS PANEL";
inline constexpr std::string_view kReportOverConfiguration = "IT IS ONE OF THE CONFIGURATION FILES";
inline std::string not_in_report(const std::string& path, const std::string& reason) {
  return path + " NOT OPENED (" + reason + "); LISTED AS SUCH IN THE REPORT";
}
inline std::string report_not_saved(const std::string& path, const std::string& reason) {
  return "REPORT WAS NOT SAVED: " + path + " (" + reason + ")";
}

// log: a day or a count it cannot take; a journal line or file it had to leave out.
inline std::string since_refused(const std::string& value) {
  return "--since " + value + ": the day is written YYYY-MM-DD";
}
inline std::string count_refused(const std::string& value) {
  return "-n " + value + ": N is a whole number";
}
inline std::string journal_line_cut(const std::string& path, int line) {
  return "LINE " + std::to_string(line) + " OF THE JOURNAL " + path +
         " WAS CUT SHORT AND IS LEFT OUT";
}
inline std::string journal_unreadable(const std::string& path, const std::string& reason) {
  return "THE JOURNAL COULD NOT BE READ: " + path + " (" + reason + ")";
}
inline constexpr std::string_view kJournalOff = "THE JOURNAL IS TURNED OFF (KVT_JOURNAL=off)";
// A value the entry does not have, in its column.
inline constexpr std::string_view kNoValue = "-";

// The window asked for where it cannot open. `commands`: all_of the command names.
inline constexpr std::string_view kWindowTakesOneFile = "the window takes at most one FILE";
inline std::string no_display(const std::string& commands) {
  return "no display: the window needs a desktop session; the commands " + commands +
         " work without one";
}

// A configuration for people (show, read) and a verify's differences share the labels.
inline constexpr std::string_view kPanelNameLabel = command_texts::kPanelNameLabel;
using setting_words::switch_label;
inline constexpr std::string_view kIndependentLightingLabel = setting_words::kIndependentLighting;
inline constexpr std::string_view kIndicatorLabel = command_texts::kIndicatorLabel;
inline constexpr std::string_view kBackLightLabel = command_texts::kBackLightLabel;
inline constexpr std::string_view kOn = rule_texts::kOn;
inline constexpr std::string_view kOff = rule_texts::kOff;
using setting_words::percent;

// verify: the panel holds what the file would write, or one line per difference.
inline constexpr std::string_view kMatch = "MATCH";
// diff: the two files hold the same configuration, or one line per difference; texts quoted.
inline constexpr std::string_view kSame = "SAME";
inline std::string designation_label(int k) { return switch_label(k) + " DESIGNATION"; }
inline std::string quoted(const std::string& text) { return '"' + text + '"'; }

// After a panel command that may have failed for the wrong port. `reason`: why it was chosen.
inline std::string port_hint(const std::string& device, std::string_view reason) {
  return "port " + device + " (" + std::string(reason) +
         "); \"kvt-config ports\" lists the serial ports";
}

// ports: the serial ports the system lists, then the one commands use and why. With none listed
// and none set, one line says both.
inline constexpr std::string_view kNoPorts = "No serial ports found.";
inline std::string no_ports_default_tried(const std::string& device) {
  return "No serial port is connected; commands will try the default, " + device + ".";
}
inline std::string port_line(const std::string& device, const std::string& stable_name,
                             const std::string& description) {
  std::string line = device;
  if (!stable_name.empty()) line += "  " + stable_name;
  if (!description.empty()) line += "  (" + description + ")";
  return line;
}
inline std::string commands_use(const std::string& device, std::string_view reason) {
  return "Commands use " + device + ": " + std::string(reason) + ".";
}

// Every message line starts so, on standard error, and the progress line too.
inline constexpr std::string_view kMessagePrefix = "kvt-config: ";
// The progress line of a panel command, shown only on a terminal.
inline std::string progress(int number, int steps) {
  return "byte " + std::to_string(number) + " of " + std::to_string(steps);
}

// -v: a line per frame, after its time: "    12 ms  sent     "R63\r"".
inline constexpr std::string_view kFrameSent = "sent";
inline constexpr std::string_view kFrameReceived = "received";

// Added to the mismatch message: the model byte the panel answered with, against ours.
inline std::string model_answered(int model) {
  return " (MODEL " + std::to_string(model) + " ANSWERED)";
}

// What the command line says when SIGINT, SIGTERM or SIGHUP arrives during a panel command,
// after "kvt-config: ".
inline constexpr std::string_view kStoppedPanelUnchanged =
    "STOPPED: THE SWITCH PANEL WAS NOT CHANGED.";
inline std::string finishing_write() {
  return std::string(command_texts::kFinishingWrite) + " (INTERRUPT AGAIN TO STOP AT ONCE)";
}
// `last_address`: the highest address a write frame went out for.
inline std::string write_stopped(int last_address) {
  return "WRITE STOPPED: " + command_texts::partly_written(last_address);
}

// write --each on standard output: what the technician is to do next, and the run's last line,
// "3 WRITTEN, 1 FAILED: LOBBY 2" (with no failure "2 WRITTEN, 0 FAILED"). `failed`: the panel
// names of the files that failed, or the file where it has none or could not be opened.
inline std::string connect_panel(const std::string& panel_name, const std::string& file) {
  return "CONNECT THE SWITCH PANEL FOR " + panel_name + " (" + file + ")";
}
inline constexpr std::string_view kUnplugPanel = "UNPLUG THE SWITCH PANEL";
inline std::string bench_summary(int written, const std::vector<std::string>& failed) {
  std::string line =
      std::to_string(written) + " WRITTEN, " + std::to_string(failed.size()) + " FAILED";
  return failed.empty() ? line : line + ": " + listed(failed, ", ");
}
// A stop while the panel just written is being unplugged: it holds its file, and the next
// file's panel was never asked for.
inline constexpr std::string_view kStoppedBeforeNextPanel = "STOPPED BEFORE THE NEXT SWITCH PANEL.";

}  // namespace kvt::cli_texts
