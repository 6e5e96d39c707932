#pragma once

#include "files/config_record.h"
#include "model/configuration.h"

namespace kvt {

// A record's values as a configuration for the window: texts from Latin-1 to UTF-8.
Configuration configuration_from(const ConfigRecord& record);

// The record a save writes: the model identifier, the labels, the panel name and designations
// given (UTF-8, saved as Latin-1) and the bytes a write would send.
ConfigRecord record_from(const ConfigurationBytes& bytes, const ConfigurationNames& names);

}  // namespace kvt
