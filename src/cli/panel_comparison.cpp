#include "cli/panel_comparison.h"

#include "cli/cli_texts.h"
#include "model/decode_switch.h"
#include "model/memory_map.h"
#include "model/panel_config.h"
#include "model/switch_rows.h"
#include "model/tables.h"

namespace kvt::cli {
namespace {

// A switch code as the lists show it, decoded the way a read decodes it.
std::string switch_setting(std::int16_t code) {
  if (code < 0 || code > memory_map::kHighestValidByte) return cli_texts::unknown_code(code);
  PanelConfig scratch;
  scratch.A = code;
  decode_switch(scratch);
  std::string setting(kModuleTable.at(static_cast<std::size_t>(scratch.h_index)).text);
  if (code < kBlMrCode) {
    setting += ' ';
    setting += kChannelTable.at(static_cast<std::size_t>(scratch.l_index)).text;
  }
  return setting;
}

std::string intensity(std::int16_t code) {
  for (const ListItem& item : kIntensityTable) {
    if (item.value == code) return cli_texts::percent(std::string(item.text));
  }
  return cli_texts::unknown_code(code);
}

std::string lighting(std::int16_t flag) {
  return std::string(flag != 0 ? cli_texts::kOn : cli_texts::kOff);
}

template <typename Describe>
void compare(std::vector<std::string>& lines, std::string_view what, std::int16_t panel,
             std::int16_t file, Describe describe) {
  if (panel == file) return;
  lines.push_back(cli_texts::difference(std::string(what), describe(panel), describe(file)));
}

}  // namespace

std::vector<std::string> differences(const ConfigurationBytes& panel,
                                     const ConfigurationBytes& file) {
  std::vector<std::string> lines;
  const auto at = [](const ConfigurationBytes& bytes, std::int16_t address) {
    return bytes[static_cast<std::size_t>(address)];
  };
  for (int k = 1; k <= kSwitchCount; ++k) {
    const std::int16_t address = memory_map::switch_address(k);
    compare(lines, cli_texts::switch_label(k), at(panel, address), at(file, address),
            switch_setting);
  }
  compare(lines, cli_texts::kIndependentLightingLabel, at(panel, memory_map::kFeatureFlag),
          at(file, memory_map::kFeatureFlag), lighting);
  compare(lines, cli_texts::kIndicatorLabel, at(panel, memory_map::kIndicator),
          at(file, memory_map::kIndicator), intensity);
  compare(lines, cli_texts::kBackLightLabel, at(panel, memory_map::kBackLight),
          at(file, memory_map::kBackLight), intensity);
  return lines;
}

}  // namespace kvt::cli
