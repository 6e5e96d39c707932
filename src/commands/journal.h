#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "commands/panel_commands.h"
#include "model/memory_map.h"

namespace kvt {

// One panel command as the journal keeps it; the time, the user, the host and the version are
// added as it is recorded.
struct JournalRecord {
  std::string_view command;  // command_texts::kJournalRead, ...Write or ...Verify
  std::string_view from;     // command_texts::kFromWindow or kFromCommandLine
  std::string port;
  std::string_view result;                // command_texts::kResultDone, ...
  std::string message;                    // the words the command ended with
  std::optional<std::string> file;        // absolute
  std::optional<std::string> panel_name;  // none when empty
  // Addresses 0 to 13: each value the command obtained (written, read or compared).
  std::array<std::optional<std::int16_t>, memory_map::kConfigurationSize> bytes{};
  std::optional<int> written_up_to;
};

// The record of a panel command `command`, run from `from` on `port`, that ended as `outcome`
// says: its result and message. A panel of another model is said in a message box, whose words
// are the message.
JournalRecord journal_record(std::string_view command, std::string_view from, std::string port,
                             const CommandOutcome& outcome);
// The bytes a read obtained.
void add_bytes(JournalRecord& record, const PanelRead& read);
// The bytes a write sent, once a write frame went out, and how far a write that ended early came.
void add_bytes(JournalRecord& record, const PanelWrite& write);
// The file the command worked with, made absolute; an empty name is none.
void add_file(JournalRecord& record, const std::string& path);
// The panel name the command worked with; an empty one is none.
void add_panel_name(JournalRecord& record, const std::string& name);

// The entry for `record` recorded at `now`: one JSON object with every field, absent values null.
QJsonObject journal_entry(const JournalRecord& record, const QDateTime& now);

// Why the journal could not take an entry.
struct JournalFailure {
  std::string path;
  std::string reason;
};

// Appends the entry for `record`, recorded now, to the journal (none when it is turned off).
// Whatever goes wrong is returned, never thrown: the journal never changes a command's outcome.
std::optional<JournalFailure> record_in_journal(const JournalRecord& record);

}  // namespace kvt
