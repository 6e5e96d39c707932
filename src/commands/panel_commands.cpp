#include "commands/panel_commands.h"

#include <optional>
#include <string>
#include <variant>

#include "commands/command_texts.h"
#include "commands/configuration_differences.h"
#include "commands/transfer_status.h"
#include "link/panel_check.h"
#include "model/configuration.h"
#include "model/configuration_load.h"
#include "model/editor_events.h"
#include "model/headless_controls.h"
#include "model/memory_map.h"
#include "model/not_settings.h"
#include "model/rule_texts.h"
#include "model/switch_rows.h"

namespace kvt {
namespace {

// A transfer step: a one-tick pause, then the byte at `address` read.
ByteTransfer read_step(StatusBox& status, PanelLink& link, std::int16_t address) {
  link.wait_tick();
  const ByteTransfer read = link.readee(address);
  say_byte_read(status, read.outcome);
  return read;
}

// The bytes after the model check, in ascending order: every configuration byte, BL/MR only
// when `read_bytes` asks for it. Each value read is put on screen before the transfer's outcome is
// acted on, so a byte outside 0..160 is still shown; a read that brought no value stops at once.
// Returns false at the first failed transfer.
bool read_configuration_bytes(PanelConfig& c, Controls& controls, StatusBox& status,
                              PanelLink& link, PanelRead& into, ReadBytes read_bytes) {
  for (std::size_t index = 0; index < into.bytes.size(); ++index) {
    const auto address = static_cast<std::int16_t>(index);
    if (!memory_map::holds_a_setting(address) && read_bytes == ReadBytes::Shown) continue;
    const ByteTransfer read = read_step(status, link, address);
    if (!brought_value(read.outcome)) return false;
    into.bytes[index] = read.value;
    into.obtained[index] = true;
    load_byte(c, controls, address, read.value, ByteSource::Panel);
    if (read.outcome != Transfer::Ok) return false;
  }
  return true;
}

// Writes addresses 0..13 in ascending order; false at the first byte that fails.
bool write_configuration_bytes(const ConfigurationBytes& bytes, StatusBox& status,
                               PanelLink& link) {
  for (std::size_t address = 0; address < bytes.size(); ++address) {
    link.wait_tick();
    const Transfer written =
        link.sendee(static_cast<std::int16_t>(address), bytes[address]).outcome;
    say_byte_written(status, written);
    if (written != Transfer::Ok) return false;
  }
  return true;
}

// Ends a command with `text` in `colour`, kept for its outcome.
CommandOutcome ending(StatusBox& status, CommandEnd end, StatusColour colour, std::string text) {
  show_status(status, colour, text);
  return {end, std::move(text), {}};
}

// The part both commands share: wake the panel, check its model, transfer the bytes. Success
// is reported here; a failure is left to report_failure, which a write adds to.
template <typename TransferBytes>
CommandOutcome run_transfer(Controls& controls, StatusBox& status, PanelLink& link,
                            std::string_view mismatch_prompt, std::string_view done,
                            TransferBytes transfer_bytes) {
  const PanelCheckEnd check = wake_and_check_model(link);
  std::string wake_up_said = say_wake_up(status, check.wake_up);
  if (check.model_read) say_byte_read(status, *check.model_read);
  switch (check.check) {
    case PanelCheck::Cancelled:
      return {CommandEnd::Cancelled, {}, {}};
    // A silent panel has been reported with the wake-up.
    case PanelCheck::NoAnswer:
      return {CommandEnd::NoAnswer, std::move(wake_up_said), {}};
    case PanelCheck::OtherModel:
      controls.dialogs().message(std::string(mismatch_prompt),
                                 std::string(command_texts::kMismatchTitle));
      return {CommandEnd::OtherModel, {}, check.model};
    case PanelCheck::PortBroke:
    case PanelCheck::Failed:
      break;
    case PanelCheck::Ours:
      if (transfer_bytes()) {
        link.wait_tick();
        return ending(status, CommandEnd::Done, StatusColour::Green, std::string(done));
      }
      break;
  }
  // A transfer cut short by a stop is no fault of the panel's data, nor is a port that stopped
  // working.
  if (link.shutting_down()) return {CommandEnd::Cancelled, {}, {}};
  return {link.port_failed() ? CommandEnd::PortBroke : CommandEnd::Failed, {}, {}};
}

bool is_failure(CommandEnd end) {
  return end == CommandEnd::PortBroke || end == CommandEnd::Failed;
}

// A failed transfer in red: the port that stopped working, or the panel's bad data; `note`, when
// given, as a line of its own after it.
void report_failure(StatusBox& status, const PanelLink& link, CommandOutcome& outcome,
                    const std::string& note = {}) {
  std::string text =
      link.port_failed() ? link.port_error_text() : std::string(command_texts::kTransferFailed);
  if (!note.empty()) text += '\n' + note;
  outcome = ending(status, outcome.end, StatusColour::Red, std::move(text));
}

// Opens the link; a port that will not open is reported in red and ends the command.
std::optional<CommandOutcome> open_or_report(StatusBox& status, PanelLink& link,
                                             const std::string& device) {
  if (link.open_link(device)) return std::nullopt;
  return ending(status, CommandEnd::PortNotOpened, StatusColour::Red, link.port_error_text());
}

}  // namespace

bool may_be_wrong_port(CommandEnd end) {
  return end == CommandEnd::NoAnswer || end == CommandEnd::PortBroke ||
         end == CommandEnd::PortNotOpened;
}

PanelRead read_config(PanelConfig& c, Controls& controls, StatusBox& status, PanelLink& link,
                      const std::string& device, ReadBytes read_bytes) {
  show_status(status, StatusColour::Yellow, command_texts::kStartRead);
  controls.set_text(kPanelNameBox, "");
  PanelRead read;
  if (auto refused = open_or_report(status, link, device)) {
    static_cast<CommandOutcome&>(read) = std::move(*refused);
    return read;
  }
  static_cast<CommandOutcome&>(read) = run_transfer(
      controls, status, link, command_texts::kMismatchRead, command_texts::kReadDone,
      [&] { return read_configuration_bytes(c, controls, status, link, read, read_bytes); });
  if (is_failure(read.end)) report_failure(status, link, read);
  link.close_link();
  if (read.end == CommandEnd::Done) {
    controls.dialogs().name_not_settings(std::string(rule_texts::kPanelHolder),
                                         not_settings(read.bytes, ByteSource::Panel));
  }
  return read;
}

PanelWrite write_config(PanelConfig& c, Controls& controls, StatusBox& status, PanelLink& link,
                        const std::string& device) {
  show_status(status, StatusColour::Yellow, command_texts::kStartWrite);
  const auto data = bytes_to_write(c, controls);
  const ConfigurationBytes* bytes = std::get_if<ConfigurationBytes>(&data);
  PanelWrite outcome;
  if (bytes) outcome.bytes = *bytes;
  if (auto refused = open_or_report(status, link, device)) {
    static_cast<CommandOutcome&>(outcome) = std::move(*refused);
    return outcome;
  }
  if (!bytes) {
    static_cast<CommandOutcome&>(outcome) =
        ending(status, CommandEnd::Incomplete, StatusColour::Red,
               std::string(rule_texts::kIncompleteData));
  } else {
    static_cast<CommandOutcome&>(outcome) = run_transfer(
        controls, status, link, command_texts::kMismatchWrite, command_texts::kWriteDone,
        [&] { return write_configuration_bytes(*bytes, status, link); });
  }
  // Bytes already written stay in the panel: it now holds parts of two configurations.
  const auto written = link.last_write_sent();
  if (outcome.end != CommandEnd::Done && written) outcome.written_up_to = *written;
  if (is_failure(outcome.end)) {
    report_failure(status, link, outcome,
                   written ? command_texts::partly_written(*written) : std::string());
  }
  link.close_link();
  return outcome;
}

PanelComparison compare_with_panel(const ConfigurationBytes& expected,
                                   const std::string& expected_side, Dialogs& dialogs,
                                   StatusBox& status, PanelLink& link, const std::string& device) {
  // The panel's values go to controls of their own, as they would go to a second window.
  PanelConfig panel_config;
  HeadlessControls panel_controls(panel_config, dialogs);
  load_handling(panel_config, panel_controls);
  PanelComparison comparison;
  static_cast<PanelRead&>(comparison) =
      read_config(panel_config, panel_controls, status, link, device, ReadBytes::AllWritten);
  if (comparison.end == CommandEnd::Done) {
    comparison.differences =
        differences({comparison.bytes, std::string(command_texts::kPanelSide), ByteSource::Panel},
                    {expected, expected_side, ByteSource::File});
  }
  return comparison;
}

}  // namespace kvt
