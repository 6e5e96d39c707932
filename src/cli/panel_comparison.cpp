#include "cli/panel_comparison.h"

#include "model/decode_switch.h"
#include "model/memory_map.h"
#include "model/panel_config.h"
#include "model/switch_rows.h"
#include "model/tables.h"

namespace kvt::cli {
namespace {

// A switch code as the lists show it, decoded the way a read decodes it.
std::string switch_setting(std::int16_t code) {
  if (code < 0 || code > memory_map::kHighestValidByte) return "code " + std::to_string(code);
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
    if (item.value == code) return std::string(item.text) + " %";
  }
  return "code " + std::to_string(code);
}

std::string lighting(std::int16_t flag) { return flag != 0 ? "on" : "off"; }

template <typename Describe>
void compare(std::vector<std::string>& lines, const std::string& what, std::int16_t panel,
             std::int16_t file, Describe describe) {
  if (panel == file) return;
  lines.push_back(what + ": panel " + describe(panel) + ", file " + describe(file));
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
    compare(lines, "SW" + std::to_string(k), at(panel, address), at(file, address), switch_setting);
  }
  compare(lines, "INDEPENDENT LIGHTING", at(panel, memory_map::kFeatureFlag),
          at(file, memory_map::kFeatureFlag), lighting);
  compare(lines, "INDICATOR INTENSITY", at(panel, memory_map::kIndicator),
          at(file, memory_map::kIndicator), intensity);
  compare(lines, "BACK-LIGHT INTENSITY", at(panel, memory_map::kBackLight),
          at(file, memory_map::kBackLight), intensity);
  return lines;
}

}  // namespace kvt::cli
