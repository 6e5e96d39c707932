#pragma once

#include <cstddef>
#include <cstdint>

namespace kvt::memory_map {

// The panel's configuration memory as this program uses it: one byte per address.
constexpr std::int16_t switch_address(int switch_number) {
  return static_cast<std::int16_t>(switch_number - 1);
}
inline constexpr std::int16_t kBlMrAddress = 10;  // always written as 159, never read
inline constexpr std::int16_t kFeatureFlag = 11;  // independent lighting, 1 or 0
inline constexpr std::int16_t kIndicator = 12;    // indicator intensity code
inline constexpr std::int16_t kBackLight = 13;    // back-light intensity code
// Addresses 0 to 13 hold one configuration.
inline constexpr std::size_t kConfigurationSize = 14;
inline constexpr std::int16_t kModel = 63;      // model byte, never written
inline constexpr std::int16_t kModelByte = 69;  // what address 63 holds in our panel model
inline constexpr std::int16_t kHighestValidByte = 160;

}  // namespace kvt::memory_map
