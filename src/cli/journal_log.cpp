// log: the journal of panel commands, for people or as JSON.

#include "cli/journal_log.h"

#include <QDate>
#include <QJsonObject>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "commands/journal_file.h"
#include "commands/journal_reading.h"
#include "files/visible_text.h"

namespace kvt::cli {
namespace {

// The columns of a line: the command and the result padded to their usual widths.
constexpr std::size_t kCommandWidth = 6;
constexpr std::size_t kResultWidth = 7;
constexpr std::string_view kGap = "  ";

std::string text_of(const QJsonObject& entry, const char* field) {
  return entry.value(QLatin1String(field)).toString().toStdString();
}

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

// What an entry may hold as null, in its column.
std::string or_none(const std::string& text) {
  return text.empty() ? std::string(cli_texts::kNoValue) : visible_text(text);
}

// "2026-12-11 10:15:02  write   done     /dev/ttyUSB0  LOBBY 2  lobby.kvc": the local time as
// recorded (its offset left out), then the file by its own name. Texts from the journal are
// escaped, as show escapes a configuration's names.
std::string line_of(const QJsonObject& entry) {
  std::string time = text_of(entry, "time").substr(0, 19);
  if (time.size() > 10 && time[10] == 'T') time[10] = ' ';
  const std::string file = text_of(entry, "file");
  std::string line = visible_text(time);
  line.append(kGap).append(padded(visible_text(text_of(entry, "command")), kCommandWidth));
  line.append(kGap).append(padded(visible_text(text_of(entry, "result")), kResultWidth));
  line.append(kGap).append(or_none(text_of(entry, "port")));
  line.append(kGap).append(or_none(text_of(entry, "panel_name")));
  line.append(kGap).append(or_none(file.substr(file.rfind('/') + 1)));
  return line;
}

// Of the day `since` or after: entries keep their local date in their first ten characters.
bool on_or_after(const QJsonObject& entry, const std::string& since) {
  return text_of(entry, "time").substr(0, 10) >= since;
}

}  // namespace

void say_what_was_left_out(const JournalGaps& journal) {
  for (const auto& [path, reason] : journal.unreadable) {
    Console::say(cli_texts::journal_unreadable(visible_text(path), reason));
  }
  for (const auto& [path, line] : journal.cut_lines) {
    Console::say(cli_texts::journal_line_cut(visible_text(path), line));
  }
}

int log_command(const Request& request) {
  const bool valid_day =
      QDate::fromString(QString::fromStdString(request.since), QStringLiteral("yyyy-MM-dd"))
          .isValid();
  if (!request.since.empty() && (request.since.size() != 10 || !valid_day)) {
    return usage_error(cli_texts::since_refused(request.since));
  }
  std::size_t last = SIZE_MAX;
  if (request.count) {
    const std::string& count = *request.count;
    if (count.empty() || count.size() > 9 ||
        count.find_first_not_of("0123456789") != std::string::npos) {
      return usage_error(cli_texts::count_refused(count));
    }
    last = std::stoul(count);
  }
  const auto path = journal_path();
  if (!path) {
    Console::say(std::string(cli_texts::kJournalOff));
    return kSuccess;
  }

  // Only what is printed of the entries kept is held, at most the last `last` of them: for
  // people a line, for scripts the entry as the journal holds it.
  std::deque<std::string> kept;
  std::optional<SameFile> same_file;
  if (!request.file.empty()) same_file.emplace(request.file);
  const JournalGaps gaps =
      read_journal(*path, [&](const QJsonObject& entry, std::string_view line) {
        if (!request.since.empty() && !on_or_after(entry, request.since)) return;
        if (same_file && !(*same_file)(entry)) return;
        kept.push_back(request.json ? std::string(line) : line_of(entry));
        if (kept.size() > last) kept.pop_front();
      });
  say_what_was_left_out(gaps);

  std::string out;
  for (const std::string& line : kept) {
    if (request.json) out.append(out.empty() ? "[\n  " : ",\n  ");
    out.append(line);
    if (!request.json) out.append(1, '\n');
  }
  if (request.json) out.append(out.empty() ? "[]\n" : "\n]\n");
  std::fwrite(out.data(), 1, out.size(), stdout);
  return kSuccess;
}

}  // namespace kvt::cli
