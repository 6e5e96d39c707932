#include "cli/panel_comparison.h"

#include "cli/cli_texts.h"
#include "model/configuration_load.h"
#include "model/memory_map.h"
#include "model/not_settings.h"
#include "model/switch_rows.h"

namespace kvt::cli {
namespace {

// A byte as a load from its source shows it; one no read can bring, as its number.
std::string meaning(std::int16_t address, std::int16_t value, ByteSource source) {
  if (value < 0 || value > memory_map::kHighestValidByte) return cli_texts::unknown_code(value);
  return shown_as(address, value, source);
}

std::string label_of(std::int16_t address) {
  switch (memory_map::byte_at(address)) {
    case memory_map::ConfigurationByte::SwitchCode:
      break;
    case memory_map::ConfigurationByte::BlMrCode:
      return std::string(cli_texts::kBlMrCodeLabel);
    case memory_map::ConfigurationByte::FeatureFlag:
      return std::string(cli_texts::kIndependentLightingLabel);
    case memory_map::ConfigurationByte::Indicator:
      return std::string(cli_texts::kIndicatorLabel);
    case memory_map::ConfigurationByte::BackLight:
      return std::string(cli_texts::kBackLightLabel);
  }
  return cli_texts::switch_label(address + 1);
}

}  // namespace

std::vector<std::string> differences(const ConfigurationBytes& panel,
                                     const ConfigurationBytes& file) {
  std::vector<std::string> lines;
  for (std::size_t index = 0; index < panel.size(); ++index) {
    if (panel[index] == file[index]) continue;
    const auto address = static_cast<std::int16_t>(index);
    std::string in_panel = meaning(address, panel[index], ByteSource::Panel);
    std::string in_file = meaning(address, file[index], ByteSource::File);
    // Shown alike, the bytes themselves tell the two apart.
    if (in_panel == in_file) {
      in_panel = cli_texts::with_byte(in_panel, panel[index]);
      in_file = cli_texts::with_byte(in_file, file[index]);
    }
    lines.push_back(cli_texts::difference(label_of(address), in_panel, in_file));
  }
  return lines;
}

}  // namespace kvt::cli
