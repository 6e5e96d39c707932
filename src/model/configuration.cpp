#include "model/configuration.h"

#include "model/rules.h"
#include "model/tables.h"

namespace kvt {

std::optional<ConfigurationBytes> bytes_to_write(PanelConfig& c, const Controls& controls) {
  c.error_flag = 0;
  build_write_data(c, controls);
  c.BL = kBlMrCode;
  if (c.error_flag == 1) return std::nullopt;

  ConfigurationBytes bytes{};
  for (int k = 1; k <= kSwitchCount; ++k) bytes[memory_map::switch_address(k)] = c.sw[k - 1];
  bytes[memory_map::kBlMrAddress] = c.BL;
  bytes[memory_map::kFeatureFlag] = c.feature;
  bytes[memory_map::kIndicator] = c.indpercent;
  bytes[memory_map::kBackLight] = c.blpercent;
  return bytes;
}

}  // namespace kvt
