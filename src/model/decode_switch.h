#pragma once

#include <cstdint>
#include <optional>

namespace kvt {

// Where a switch code sits in a switch's lists.
struct SwitchPositions {
  int module;                  // position in the module list
  std::optional<int> channel;  // position in the channel list; none for BL/MR and N/A
  bool operator==(const SwitchPositions&) const = default;
};

// The list positions of a switch code: 159 is BL/MR, 160 and above N/A, both without a channel;
// 0..158 module "A".."P" with channel "1".."10". A negative code is module "A" with the code
// itself as the channel position.
SwitchPositions decode_switch(std::int16_t code);

}  // namespace kvt
