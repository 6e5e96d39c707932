#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/switch_rows.h"

namespace kvt {

// The model identifier that opens every configuration file; a file with any other first field
// was made for another panel and is refused.
inline constexpr std::string_view kModelIdentifier = "00-00417-MDL";

// The three labels the save writes before the flag and the two intensity codes. Opening reads
// them but never compares them.
inline constexpr std::string_view kFeatureLabel = "feature";
inline constexpr std::string_view kIndicatorLabel = "ind%";
inline constexpr std::string_view kBackLightLabel = "bl%";

inline constexpr int kRecordFieldCount = 29;

struct RecordSwitch {
  std::string designation;
  std::int16_t code = 0;

  bool operator==(const RecordSwitch&) const = default;
};

// The 29 values of one configuration record, in file order. Texts are the bytes as they stand in
// the file (Latin-1); converting them for the window is the file commands' job.
struct ConfigRecord {
  std::string model;                                // field 1
  std::string panel;                                // field 2
  std::array<RecordSwitch, kSwitchCount> switches;  // fields 3..22: designation, code per switch
  std::int16_t BL = 0;                              // field 23
  std::string fdesig;                               // field 24, the label "feature"
  std::int16_t feature = 0;                         // field 25
  std::string ind;                                  // field 26, the label "ind%"
  std::int16_t indpercent = 0;                      // field 27
  std::string blp;                                  // field 28, the label "bl%"
  std::int16_t blpercent = 0;                       // field 29

  bool operator==(const ConfigRecord&) const = default;
};

}  // namespace kvt
