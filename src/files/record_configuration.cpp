#include "files/record_configuration.h"

#include "files/file_text.h"
#include "model/memory_map.h"

namespace kvt {

Configuration configuration_from(const ConfigRecord& record) {
  Configuration configuration;
  configuration.names.panel = from_file_text(record.panel);
  for (int k = 1; k <= kSwitchCount; ++k) {
    configuration.names.designations[k - 1] = from_file_text(record.switches[k - 1].designation);
    configuration.bytes[memory_map::switch_address(k)] = record.switches[k - 1].code;
  }
  configuration.bytes[memory_map::kBlMrAddress] = record.BL;
  configuration.bytes[memory_map::kFeatureFlag] = record.feature;
  configuration.bytes[memory_map::kIndicator] = record.indpercent;
  configuration.bytes[memory_map::kBackLight] = record.blpercent;
  return configuration;
}

ConfigRecord record_from(const ConfigurationBytes& bytes, const ConfigurationNames& names) {
  ConfigRecord record;
  record.model = kModelIdentifier;
  record.panel = to_file_text(names.panel);
  for (int k = 1; k <= kSwitchCount; ++k) {
    RecordSwitch& sw = record.switches[k - 1];
    sw.designation = to_file_text(names.designations[k - 1]);
    sw.code = bytes[memory_map::switch_address(k)];
  }
  record.BL = bytes[memory_map::kBlMrAddress];
  record.fdesig = kFeatureLabel;
  record.feature = bytes[memory_map::kFeatureFlag];
  record.ind = kIndicatorLabel;
  record.indpercent = bytes[memory_map::kIndicator];
  record.blp = kBackLightLabel;
  record.blpercent = bytes[memory_map::kBackLight];
  return record;
}

}  // namespace kvt
