#pragma once

#include "files/config_record.h"
#include "model/configuration.h"
#include "model/panel_config.h"

namespace kvt {

// A record's values as a configuration for the window: texts from Latin-1 to UTF-8.
Configuration configuration_from(const ConfigRecord& record);

// The record a save writes: the model identifier, the labels, the panel name and designations
// given (UTF-8, saved as Latin-1) and the codes build_write_data has just computed.
ConfigRecord record_from(const PanelConfig& config, const ConfigurationNames& names);

}  // namespace kvt
