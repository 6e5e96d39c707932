#include "cli/handover_report.h"

#include <QDate>
#include <QJsonObject>
#include <QPdfWriter>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/headless_editor.h"
#include "cli/journal_log.h"
#include "cli/sheet_file.h"
#include "commands/command_texts.h"
#include "commands/journal_file.h"
#include "commands/journal_reading.h"
#include "files/config_file.h"
#include "files/visible_text.h"
#include "model/configuration_view.h"
#include "model/rule_texts.h"
#include "sheet/sheet_pdf_file.h"
#include "sheet/site_report.h"

namespace kvt::cli {
namespace {

namespace fs = std::filesystem;

// The files the paths name: a file as given, a folder's .kvc files directly in it. In file-name
// order, each once.
std::vector<std::string> report_files(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      files.push_back(path);
      continue;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
      const fs::path& name = entry.path();
      if (name.extension() == ".kvc" && !entry.is_directory(error)) files.push_back(name.string());
    }
  }
  std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
    const std::string first = fs::path(a).filename().string();
    const std::string second = fs::path(b).filename().string();
    return first != second ? first < second : a < b;
  });
  files.erase(std::unique(files.begin(), files.end()), files.end());
  return files;
}

// Why the configuration file at `path` cannot be opened; none when it can.
std::optional<std::string> refusal_of(const std::string& path) {
  const ConfigFileReading reading = read_config_file(path);
  if (std::holds_alternative<ConfigRecord>(reading)) return std::nullopt;
  if (const auto* unreadable = std::get_if<FileUnreadable>(&reading)) return unreadable->reason;
  return std::string(cli_texts::kNotThisPanelsFile);
}

std::string switches_in_use(const ConfigurationView& view) {
  std::string used;
  for (std::size_t i = 0; i < view.switches.size(); ++i) {
    if (view.switches[i].module == "N/A") continue;
    if (!used.empty()) used += ' ';
    used += cli_texts::switch_label(static_cast<int>(i) + 1);
  }
  return used.empty() ? std::string(cli_texts::kNoSwitchInUse) : used;
}

// "2026-12-11 10:15 done", then "/dev/ttyUSB0" below: when (to the minute), how it ended and,
// for a write, on which port.
std::string journal_fact(const QJsonObject& entry, bool with_port) {
  const QString time = entry.value("time").toString();
  std::string fact = time.left(10).toStdString() + ' ' + time.mid(11, 5).toStdString() + ' ' +
                     entry.value("result").toString().toStdString();
  if (with_port) fact += '\n' + visible_text(entry.value("port").toString().toStdString());
  return fact;
}

// Fills each panel's (rows[i], of files[i]) last write and last comparison from the journal,
// "NEVER" where it has none. A journal turned off has none; what cannot be read of it is said on
// standard error.
void add_journal_facts(std::vector<SiteRow>& rows, const std::vector<std::string>& files) {
  for (SiteRow& row : rows) {
    row.last_write = std::string(cli_texts::kNeverInJournal);
    row.last_comparison = std::string(cli_texts::kNeverInJournal);
  }
  const auto path = journal_path();
  if (!path) return;
  std::vector<SameFile> matchers;
  for (const std::string& file : files) matchers.emplace_back(file);
  const JournalGaps gaps = read_journal(*path, [&](const QJsonObject& entry, std::string_view) {
    const QString command = entry.value("command").toString();
    const bool write = command == QLatin1String(command_texts::kJournalWrite);
    const bool verify = command == QLatin1String(command_texts::kJournalVerify);
    if (!write && !verify) return;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (!rows[i].refused.empty() || !matchers[i](entry)) continue;
      (write ? rows[i].last_write : rows[i].last_comparison) = journal_fact(entry, write);
    }
  });
  say_what_was_left_out(gaps);
}

// True when `target` is one of `files`, which the report would overwrite.
bool is_an_input(const std::string& target, const std::vector<std::string>& files) {
  return std::any_of(files.begin(), files.end(), [&](const std::string& file) {
    std::error_code unknown;
    return fs::equivalent(file, target, unknown);
  });
}

}  // namespace

int report_command(const Request& request) {
  const std::vector<std::string> files = report_files(request.operands);
  if (is_an_input(request.output, files)) {
    Console::say(cli_texts::report_not_saved(visible_text(request.output),
                                             std::string(cli_texts::kReportOverConfiguration)));
    return kRequestRefused;
  }

  std::vector<SiteRow> rows;
  std::vector<SiteSheet> sheets;
  bool all_opened = true;
  for (const std::string& file : files) {
    Console console;
    HeadlessEditor editor(console);
    SiteRow row;
    row.file = fs::path(file).filename().string();
    // Each file that cannot be opened is named once, in one line, among a site's many.
    if (const auto refused = refusal_of(file); refused || editor.open_file(file)) {
      row.refused = refused.value_or(std::string(cli_texts::kNotThisPanelsFile));
      Console::say(cli_texts::not_in_report(visible_text(file), row.refused));
    } else if (const ConfigurationView view = view_of(editor.config(), editor.controls());
               !view.codes) {
      Console::say(std::string(rule_texts::kIncompleteData));
      row.refused = std::string(rule_texts::kIncompleteData);
    } else {
      row.panel = view.panel;
      row.switches_in_use = switches_in_use(view);
      sheets.push_back({view, printed_now(ConfigurationSource::file(file))});
    }
    all_opened = all_opened && row.refused.empty();
    rows.push_back(std::move(row));
  }

  add_journal_facts(rows, files);
  const SheetOrigin origin = printed_now(ConfigurationSource{});
  const std::string title = cli_texts::report_title(origin.date);
  // The paper was checked with the rest of the usage.
  const QPageSize::PageSizeId paper = *paper_named(request.page);
  const auto failed =
      write_pdf_file(request.output, bordered_page(paper), title, [&](QPdfWriter& writer) {
        return draw_site_report(writer, title, rows, sheets, {title, origin.date, origin.version});
      });
  if (failed) {
    Console::say(cli_texts::report_not_saved(visible_text(request.output), *failed));
    return kRequestRefused;
  }
  return all_opened ? kSuccess : kRequestRefused;
}

}  // namespace kvt::cli
