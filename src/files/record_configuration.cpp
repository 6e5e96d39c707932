#include "files/record_configuration.h"

#include "files/file_text.h"
#include "model/memory_map.h"

namespace kvt {

Configuration configuration_from(const ConfigRecord& record) {
  Configuration configuration;
  ConfigurationNames names;
  names.panel = from_file_text(record.panel);
  for (int k = 1; k <= kSwitchCount; ++k) {
    names.designations[k - 1] = from_file_text(record.switches[k - 1].designation);
    configuration.bytes[memory_map::switch_address(k)] = record.switches[k - 1].code;
  }
  configuration.names = names;
  configuration.bytes[memory_map::kBlMrCode] = record.BL;
  configuration.bytes[memory_map::kFeatureFlag] = record.feature;
  configuration.bytes[memory_map::kIndicator] = record.indpercent;
  configuration.bytes[memory_map::kBackLight] = record.blpercent;
  return configuration;
}

ConfigRecord record_from(const PanelConfig& config, const ConfigurationNames& names) {
  ConfigRecord record;
  record.model = kModelIdentifier;
  record.panel = to_file_text(names.panel);
  for (int k = 1; k <= kSwitchCount; ++k) {
    RecordSwitch& sw = record.switches[k - 1];
    sw.designation = to_file_text(names.designations[k - 1]);
    sw.code = config.sw[k - 1];
  }
  record.BL = config.BL;
  record.fdesig = kFeatureLabel;
  record.feature = config.feature;
  record.ind = kIndicatorLabel;
  record.indpercent = config.indpercent;
  record.blp = kBackLightLabel;
  record.blpercent = config.blpercent;
  return record;
}

}  // namespace kvt
