#include "cli/commands.h"

#include <QScopeGuard>
#include <cstdio>
#include <optional>
#include <utility>
#include <variant>

#include "cli/cli_texts.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/headless_editor.h"
#include "cli/interruption.h"
#include "cli/port_listing.h"
#include "cli/port_probing.h"
#include "cli/sheet_file.h"
#include "cli/text_and_json.h"
#include "cli/write_each.h"
#include "commands/command_texts.h"
#include "commands/file_open.h"
#include "commands/file_save.h"
#include "commands/journal.h"
#include "commands/port_choice.h"
#include "files/visible_text.h"
#include "link/system_ports.h"
#include "model/memory_map.h"
#include "model/rule_texts.h"
#include "model/switch_rows.h"
#include "sheet/sheet_pdf_file.h"
#include "sheet/sheet_texts.h"

namespace kvt::cli {
namespace {

// Bytes each panel command transfers after the model byte, for the progress line.
constexpr int kReadSteps = 1 + kSwitchCount + 3;
constexpr int kVerifySteps = 1 + static_cast<int>(memory_map::kConfigurationSize);
constexpr int kWriteSteps = 1 + static_cast<int>(memory_map::kConfigurationSize);

int exit_status(CommandEnd end) {
  switch (end) {
    case CommandEnd::Done:
      return kSuccess;
    case CommandEnd::PortNotOpened:
    case CommandEnd::Incomplete:
      return kRequestRefused;
    default:
      return kPanelFailed;
  }
}

// The configuration loaded, with the values the console has named as not settings.
void print_configuration(HeadlessEditor& editor, const Console& console, bool json) {
  const ConfigurationView view = view_of(editor.config(), editor.controls());
  const std::string out = json ? as_json(view, console.not_settings_named()) : as_text(view);
  std::fwrite(out.data(), 1, out.size(), stdout);
}

// Runs a panel command on the port the rule picks and reports how it ended; a failure that may
// come from the wrong port names the port and where to look for the others. Returns the port.
template <typename PanelCommand>
std::string on_panel(const Request& request, Console& console, Interruption& interruption,
                     PanelCommand command) {
  const PortChoice port = current_port(request.port);
  // The mismatch message waits for the outcome, which names the other panel's model.
  console.hold_messages();
  const CommandOutcome outcome = command(port.device);
  console.release_messages(outcome.other_model);
  if (!interruption.stopped_unchanged()) {
    console.print_outcome(outcome.said, outcome.end == CommandEnd::Done);
  }
  interruption.command_ended(outcome.end);
  if (may_be_wrong_port(outcome.end)) {
    Console::say(cli_texts::port_hint(port.device, reason_text(port.reason)));
  }
  return port.device;
}

// Records a command in the journal. A journal that cannot take it is said once, and changes
// neither the outcome nor the exit status.
void record_once(const JournalRecord& record) {
  static bool failure_said = false;
  const auto failure = record_in_journal(record);
  if (!failure || std::exchange(failure_said, true)) return;
  Console::say(command_texts::not_recorded(failure->path, failure->reason));
}

// A command on the command line, as the journal records it.
JournalRecord command_record(std::string_view command, const std::string& port,
                             const CommandOutcome& outcome) {
  return journal_record(command, command_texts::kFromCommandLine, port, outcome);
}

// A command refused before anything was sent, as an incomplete switch is, with the words it
// was refused with.
JournalRecord refused_record(std::string_view command, const Request& request,
                             std::string message) {
  return command_record(command, current_port(request.port).device,
                        {CommandEnd::Incomplete, std::move(message), {}});
}

// A stop before the panel changed is the command's outcome, whatever its last step did; so is
// any stop of a read or a verify, which then shows nothing. A write stopped after its first
// write frame says how far it came.
void note_stop(JournalRecord& record, Interruption& interruption) {
  if (interruption.stopped_unchanged()) {
    record.result = command_texts::kResultStopped;
    record.message = cli_texts::kStoppedPanelUnchanged;
  } else if (record.command != command_texts::kJournalWrite && interruption.exit_status()) {
    record.result = command_texts::kResultStopped;
  } else if (record.result == command_texts::kResultStopped && record.written_up_to) {
    record.message = cli_texts::write_stopped(*record.written_up_to);
  }
}

// The file's configuration, its codes as a write would send them; or, said on standard error,
// the words it is refused with when it cannot be opened or a switch is incomplete.
std::variant<ConfigurationView, std::string> complete_file_view(const std::string& path) {
  Console console;
  HeadlessEditor file(console);
  if (auto refused = file.open_file(path)) return std::move(*refused);
  ConfigurationView view = view_of(file.config(), file.controls());
  if (!view.codes) {
    Console::say(std::string(rule_texts::kIncompleteData));
    return std::string(rule_texts::kIncompleteData);
  }
  return view;
}

}  // namespace

Loudness loudness_of(const Request& request) {
  if (request.quiet) return Loudness::Quiet;
  return request.verbose ? Loudness::Verbose : Loudness::Normal;
}

int show_command(const Request& request) {
  Console console;
  HeadlessEditor editor(console);
  if (editor.open_file(request.operands.at(0))) return kRequestRefused;
  print_configuration(editor, console, request.json);
  return kSuccess;
}

int read_command(const Request& request) {
  Console console(kReadSteps, loudness_of(request));
  HeadlessEditor editor(console);
  Interruption interruption(editor.link(), console);
  PanelRead read;
  const std::string port = on_panel(request, console, interruption, [&](const std::string& device) {
    read = editor.read_panel(device);
    return CommandOutcome(read);
  });
  JournalRecord read_record = command_record(command_texts::kJournalRead, port, read);
  add_bytes(read_record, read);
  note_stop(read_record, interruption);
  // Recorded once the command has ended, with the file a save made.
  const auto recorded = qScopeGuard([&] { record_once(read_record); });
  // Stopped, a read shows and saves nothing, even when the signal came as it ended.
  if (const auto stopped = interruption.exit_status()) return *stopped;
  if (read.end != CommandEnd::Done) return exit_status(read.end);
  print_configuration(editor, console, request.json);
  if (request.output.empty()) return kSuccess;

  // Saved as the window saves after a read: the name typed in, the designations empty.
  editor.controls().set_text(kPanelNameBox, request.name);
  const FileSaveEnd saved =
      save_config_file(editor.config(), editor.controls(), console, request.output);
  const bool said_in_red = saved == FileSaveEnd::Incomplete || saved == FileSaveEnd::NotSaved;
  console.print_outcome(said_in_red ? console.status_text() : std::string(), false);
  if (saved != FileSaveEnd::Saved) return kRequestRefused;
  add_file(read_record, request.output);
  add_panel_name(read_record, request.name);
  return kSuccess;
}

Console write_console(const Request& request) { return Console(kWriteSteps, loudness_of(request)); }

bool open_to_write(const Request& request, HeadlessEditor& editor, const std::string& path) {
  const auto refused = editor.open_file(path);
  if (!refused) return true;
  JournalRecord refused_write = refused_record(command_texts::kJournalWrite, request, *refused);
  add_file(refused_write, path);
  record_once(refused_write);
  return false;
}

CommandEnd write_opened(const Request& request, HeadlessEditor& editor, Console& console,
                        Interruption& interruption, const std::string& path) {
  PanelWrite write;
  const std::string port = on_panel(request, console, interruption, [&](const std::string& device) {
    write = editor.write_panel(device);
    return CommandOutcome(write);
  });
  JournalRecord write_record = command_record(command_texts::kJournalWrite, port, write);
  add_bytes(write_record, write);
  add_file(write_record, path);
  add_panel_name(write_record, editor.controls().text(kPanelNameBox));
  note_stop(write_record, interruption);
  record_once(write_record);
  return write.end;
}

int write_command(const Request& request) {
  if (request.each) return write_each_command(request);
  Console console = write_console(request);
  HeadlessEditor editor(console);
  if (!open_to_write(request, editor, request.operands.at(0))) return kRequestRefused;
  Interruption interruption(editor.link(), console);
  const CommandEnd end =
      write_opened(request, editor, console, interruption, request.operands.at(0));
  return interruption.exit_status().value_or(exit_status(end));
}

int verify_command(const Request& request) {
  const std::string& path = request.operands.at(0);
  const auto file = complete_file_view(path);
  if (const auto* refused = std::get_if<std::string>(&file)) {
    JournalRecord refused_verify = refused_record(command_texts::kJournalVerify, request, *refused);
    add_file(refused_verify, path);
    record_once(refused_verify);
    return kRequestRefused;
  }
  const ConfigurationView& view = std::get<ConfigurationView>(file);
  const ConfigurationBytes expected = *view.codes;

  Console console(kVerifySteps, loudness_of(request));
  HeadlessEditor editor(console);
  Interruption interruption(editor.link(), console);
  PanelComparison read;
  const std::string port = on_panel(request, console, interruption, [&](const std::string& device) {
    read = compare_with_panel(expected, std::string(command_texts::kFileSide), console, console,
                              editor.link(), device);
    return CommandOutcome(read);
  });
  JournalRecord verify_record = command_record(command_texts::kJournalVerify, port, read);
  add_bytes(verify_record, read);
  add_file(verify_record, path);
  add_panel_name(verify_record, view.panel);
  note_stop(verify_record, interruption);
  const auto recorded = qScopeGuard([&] { record_once(verify_record); });
  if (const auto stopped = interruption.exit_status()) return *stopped;
  if (read.end != CommandEnd::Done) return exit_status(read.end);

  const std::vector<std::string>& found = read.differences;
  std::string said = found.empty() ? std::string(cli_texts::kMatch) : std::string();
  for (const std::string& line : found) said += (said.empty() ? "" : "\n") + line;
  std::puts(said.c_str());
  if (!found.empty()) verify_record.result = command_texts::kResultDiffers;
  verify_record.message = said;
  return found.empty() ? kSuccess : kPanelFailed;
}

int ports_command(const Request& request) {
  if (request.probe) return probe_command(request);
  const std::string listing = ports_listing(request.port, system_ports());
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return kSuccess;
}

int sheet_command(const Request& request) {
  const std::string& path = request.operands.at(0);
  const auto file = complete_file_view(path);
  const auto* view = std::get_if<ConfigurationView>(&file);
  if (!view) return kRequestRefused;
  const std::string target = request.output.empty() ? sheet_name_for(path) : request.output;
  // The paper was checked with the rest of the usage.
  const QPageSize::PageSizeId paper = *paper_named(request.page);
  if (const auto reason =
          write_sheet_file(*view, ConfigurationSource::file(path), target, bordered_page(paper))) {
    Console::say(sheet_texts::sheet_not_saved(visible_text(target), *reason));
    return kRequestRefused;
  }
  return kSuccess;
}

}  // namespace kvt::cli
