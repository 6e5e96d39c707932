#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "simulated_panel.h"

namespace kvt::testing {

// What the worked example's file writes at addresses 0 to 13.
inline constexpr std::array<std::uint8_t, 14> kWorkedCodes = {12,  0,   159, 160, 160, 160, 160,
                                                              160, 160, 160, 159, 1,   10,  4};

// A panel of our model holding `codes` at addresses 0 to 13.
inline sim::PanelMemory panel_holding(const std::array<std::uint8_t, 14>& codes) {
  sim::PanelMemory memory{};
  std::copy(codes.begin(), codes.end(), memory.begin());
  memory[sim::kModelAddress] = 69;
  return memory;
}

}  // namespace kvt::testing
