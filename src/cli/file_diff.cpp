#include "cli/file_diff.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/headless_editor.h"
#include "commands/command_texts.h"
#include "commands/configuration_differences.h"
#include "files/config_file.h"
#include "files/record_configuration.h"
#include "files/visible_text.h"
#include "model/memory_map.h"
#include "model/setting_words.h"
#include "model/switch_rows.h"

namespace kvt::cli {
namespace {

// A file as it stands on disk: the bytes it holds, not what a window would make of them, so a
// value that is no setting still shows as the file's own.
struct DiffedFile {
  std::string name;  // as given, escaped for the terminal
  Configuration configuration;
};

// The file at `path`, or none when it is refused or cannot be read: said on standard error as
// show says it.
std::optional<DiffedFile> diffed_file(const std::string& path) {
  Console console;
  HeadlessEditor editor(console);
  if (editor.open_file(path)) return std::nullopt;
  const ConfigFileReading reading = read_config_file(path);
  const auto* record = std::get_if<ConfigRecord>(&reading);
  if (record == nullptr) return std::nullopt;  // changed since it was opened; said then
  return DiffedFile{visible_text(path), configuration_from(*record)};
}

std::optional<std::string> text_difference(const std::string& label, const DiffedFile& first,
                                           const std::string& in_first, const DiffedFile& second,
                                           const std::string& in_second) {
  if (in_first == in_second) return std::nullopt;
  return command_texts::difference(label, first.name, cli_texts::quoted(visible_text(in_first)),
                                   second.name, cli_texts::quoted(visible_text(in_second)));
}

// Panel name first, then each switch's setting and designation, then the bytes after them.
std::vector<std::string> file_differences(const DiffedFile& first, const DiffedFile& second) {
  const ComparedSide one{first.configuration.bytes, first.name, ByteSource::File};
  const ComparedSide other{second.configuration.bytes, second.name, ByteSource::File};
  const ConfigurationNames& a = first.configuration.names;
  const ConfigurationNames& b = second.configuration.names;
  std::vector<std::string> lines;
  auto add = [&lines](std::optional<std::string> line) {
    if (line) lines.push_back(std::move(*line));
  };
  add(text_difference(std::string(cli_texts::kPanelNameLabel), first, a.panel, second, b.panel));
  for (int k = 1; k <= kSwitchCount; ++k) {
    add(difference_at(static_cast<std::int16_t>(k - 1), one, other));
    add(text_difference(cli_texts::designation_label(k), first, a.designations.at(k - 1), second,
                        b.designations.at(k - 1)));
  }
  for (auto address = static_cast<std::int16_t>(kSwitchCount);
       address < static_cast<std::int16_t>(memory_map::kConfigurationSize); ++address) {
    add(difference_at(address, one, other));
  }
  return lines;
}

std::string differences_json(const std::vector<std::string>& lines) {
  QJsonArray array;
  for (const std::string& line : lines) array.append(QString::fromUtf8(line));
  return QJsonDocument(QJsonObject{{"same", lines.empty()}, {"differences", array}})
      .toJson(QJsonDocument::Indented)
      .toStdString();
}

}  // namespace

int diff_command(const Request& request) {
  const auto first = diffed_file(request.operands.at(0));
  const auto second = diffed_file(request.operands.at(1));
  if (!first || !second) return kRequestRefused;
  const std::vector<std::string> lines = file_differences(*first, *second);
  if (request.json) {
    const std::string out = differences_json(lines);
    std::fwrite(out.data(), 1, out.size(), stdout);
  } else if (lines.empty()) {
    std::puts(std::string(cli_texts::kSame).c_str());
  }
  if (!request.json) {
    for (const std::string& line : lines) std::puts(line.c_str());
  }
  return lines.empty() ? kSuccess : kPanelFailed;
}

}  // namespace kvt::cli
