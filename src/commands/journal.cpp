#include "commands/journal.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSysInfo>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "commands/command_texts.h"
#include "commands/journal_file.h"

namespace kvt {
namespace {

QJsonValue json_text(const std::string& text) { return QString::fromStdString(text); }

QJsonValue json_text(const std::optional<std::string>& text) {
  return text ? json_text(*text) : QJsonValue(QJsonValue::Null);
}

// ISO 8601 in local time with its offset, to the second: "2026-12-11T10:15:02+01:00".
QString local_time(const QDateTime& now) {
  const QDateTime local = now.toLocalTime();
  const int offset_minutes = local.offsetFromUtc() / 60;
  const int minutes = std::abs(offset_minutes);
  return local.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) +
         QString::asprintf("%c%02d:%02d", offset_minutes < 0 ? '-' : '+', minutes / 60,
                           minutes % 60);
}

// Who ran the command: the account the program runs as.
std::string user_name() {
  const uid_t uid = ::geteuid();
  if (const passwd* user = ::getpwuid(uid); user != nullptr && user->pw_name != nullptr) {
    return user->pw_name;
  }
  return std::to_string(uid);
}

std::string_view result_of(CommandEnd end) {
  switch (end) {
    case CommandEnd::Done:
      return command_texts::kResultDone;
    case CommandEnd::Incomplete:
      return command_texts::kResultRefused;
    case CommandEnd::OtherModel:
      return command_texts::kResultOtherModel;
    case CommandEnd::NoAnswer:
      return command_texts::kResultNoAnswer;
    case CommandEnd::Cancelled:
      return command_texts::kResultStopped;
    case CommandEnd::PortNotOpened:
    case CommandEnd::PortBroke:
    case CommandEnd::Failed:
      break;
  }
  return command_texts::kResultFailed;
}

}  // namespace

JournalRecord journal_record(std::string_view command, std::string_view from, std::string port,
                             const CommandOutcome& outcome) {
  JournalRecord record;
  record.command = command;
  record.from = from;
  record.port = std::move(port);
  record.result = result_of(outcome.end);
  record.message = outcome.said;
  if (outcome.end == CommandEnd::OtherModel) {
    record.message = command == command_texts::kJournalWrite ? command_texts::kMismatchWrite
                                                             : command_texts::kMismatchRead;
  }
  return record;
}

void add_bytes(JournalRecord& record, const PanelRead& read) {
  for (std::size_t address = 0; address < record.bytes.size(); ++address) {
    if (read.obtained[address]) record.bytes[address] = read.bytes[address];
  }
}

void add_bytes(JournalRecord& record, const PanelWrite& write) {
  record.written_up_to = write.written_up_to;
  // Bytes that never went out are not in the panel: a write refused or stopped before its first
  // write frame records none.
  if (!write.bytes || (write.end != CommandEnd::Done && !write.written_up_to)) return;
  for (std::size_t address = 0; address < record.bytes.size(); ++address) {
    record.bytes[address] = (*write.bytes)[address];
  }
}

void add_file(JournalRecord& record, const std::string& path) {
  if (path.empty()) return;
  std::error_code unknown;
  const std::filesystem::path absolute = std::filesystem::absolute(path, unknown);
  record.file = unknown ? path : absolute.lexically_normal().string();
}

void add_panel_name(JournalRecord& record, const std::string& name) {
  if (!name.empty()) record.panel_name = name;
}

QJsonObject journal_entry(const JournalRecord& record, const QDateTime& now) {
  QJsonValue bytes(QJsonValue::Null);
  if (std::any_of(record.bytes.begin(), record.bytes.end(), [](auto b) { return b.has_value(); })) {
    QJsonArray values;
    for (const auto& value : record.bytes) {
      values.append(value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null));
    }
    bytes = values;
  }
  return {
      {"time", local_time(now)},
      {"command", json_text(std::string(record.command))},
      {"from", json_text(std::string(record.from))},
      {"port", json_text(record.port)},
      {"result", json_text(std::string(record.result))},
      {"message", json_text(record.message)},
      {"file", json_text(record.file)},
      {"panel_name", json_text(record.panel_name)},
      {"bytes", bytes},
      {"written_up_to",
       record.written_up_to ? QJsonValue(*record.written_up_to) : QJsonValue(QJsonValue::Null)},
      {"user", json_text(user_name())},
      {"host", QSysInfo::machineHostName()},
      {"version", QCoreApplication::applicationVersion()},
  };
}

std::optional<JournalFailure> record_in_journal(const JournalRecord& record) {
  const auto path = journal_path();
  if (!path) return std::nullopt;
  const QByteArray line = QJsonDocument(journal_entry(record, QDateTime::currentDateTime()))
                              .toJson(QJsonDocument::Compact);
  if (auto reason = JournalFile(*path).append(line.toStdString())) {
    return JournalFailure{*path, std::move(*reason)};
  }
  return std::nullopt;
}

}  // namespace kvt
