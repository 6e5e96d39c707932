#include "model/configuration.h"

namespace kvt {

ConfigurationBytes configuration_bytes(const PanelConfig& c) {
  ConfigurationBytes bytes{};
  for (int k = 1; k <= kSwitchCount; ++k) bytes[memory_map::switch_address(k)] = c.sw[k - 1];
  bytes[memory_map::kBlMrCode] = c.BL;
  bytes[memory_map::kFeatureFlag] = c.feature;
  bytes[memory_map::kIndicator] = c.indpercent;
  bytes[memory_map::kBackLight] = c.blpercent;
  return bytes;
}

}  // namespace kvt
