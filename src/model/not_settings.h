#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/configuration_load.h"

namespace kvt {

// A configuration byte that no list item or tick state stands for. Loaded, it is shown as the
// nearest thing the window has (an intensity as "100", a switch as "N/A", the flag by its
// source's rule), and the technician is told so.
struct NotSetting {
  std::int16_t address;
  std::int16_t value;
  std::string what;   // "INDICATOR INTENSITY", "SW3 ASSIGNMENT", ...
  std::string shown;  // as shown_as words it: "100 %", "on", "N/A"
  bool operator==(const NotSetting&) const = default;
};

// A configuration byte as a load shows it, in the words a printed configuration uses: "B 3",
// "BL/MR" or "N/A" for a switch code (0 or more), "on" or "off" for the independent-lighting
// flag, "100 %" .. "30 %" for an intensity code; the BL/MR code, which is never shown, as its
// number.
std::string shown_as(std::int16_t address, std::int16_t value, ByteSource source);

// Every byte of `bytes` a load cannot show as it is, by address: an intensity code other than
// 1..7 and 10, a flag other than 0 and 1, a switch code above 160. The BL/MR code is never
// shown, so it is not looked at.
std::vector<NotSetting> not_settings(const ConfigurationBytes& bytes, ByteSource source);

}  // namespace kvt
