#include "model/configuration.h"

#include "model/tables.h"

namespace kvt {

std::variant<ConfigurationBytes, IncompleteSwitch> bytes_to_write(const PanelConfig& c,
                                                                  const Controls& controls) {
  ConfigurationBytes bytes{};
  for (int k = 1; k <= kSwitchCount; ++k) {
    std::int16_t& code = bytes[memory_map::switch_address(k)];
    const int module = controls.selected(module_list(k));
    if (module == kBlMrPosition || module == kNaPosition) {
      code = controls.item_value(module_list(k), module);
      continue;
    }
    const int channel = controls.selected(channel_list(k));
    if (channel == kNoSelection || module == kNoSelection) return IncompleteSwitch{k};
    const std::int32_t sum = std::int32_t{controls.item_value(module_list(k), module)} +
                             std::int32_t{controls.item_value(channel_list(k), channel)};
    code = static_cast<std::int16_t>(sum);
  }
  bytes[memory_map::kBlMrAddress] = kBlMrCode;
  bytes[memory_map::kFeatureFlag] = c.feature;
  bytes[memory_map::kIndicator] = c.indpercent;
  bytes[memory_map::kBackLight] = c.blpercent;
  return bytes;
}

}  // namespace kvt
