#pragma once

#include <cstdint>
#include <string>

#include "model/decode_switch.h"

namespace kvt {

// A switch's setting as people read it: "B 3", "BL/MR", "N/A"; a module chosen without a
// channel yet reads as the module alone ("B").
std::string setting_text(const SwitchPositions& at);

// The setting a switch code stands for, decoded as a load decodes it.
std::string setting_text(std::int16_t code);

// The percentage an intensity code stands for; a code without an item of its own reads as the
// list's first item, 100, as a load selects it.
int intensity_percent(std::int16_t code);

}  // namespace kvt
