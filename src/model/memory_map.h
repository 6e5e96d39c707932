#pragma once

#include <cstddef>
#include <cstdint>

namespace kvt::memory_map {

// The panel's configuration memory as this program uses it: one byte per address.
constexpr std::int16_t switch_address(int switch_number) {
  return static_cast<std::int16_t>(switch_number - 1);
}
inline constexpr std::int16_t kBlMrAddress = 10;  // the BL/MR code
inline constexpr std::int16_t kFeatureFlag = 11;  // independent lighting, 1 or 0
inline constexpr std::int16_t kIndicator = 12;    // indicator intensity code
inline constexpr std::int16_t kBackLight = 13;    // back-light intensity code
// Addresses 0 to 13 hold one configuration.
inline constexpr std::size_t kConfigurationSize = 14;
inline constexpr std::int16_t kModel = 63;      // model byte, never written
inline constexpr std::int16_t kModelByte = 69;  // what address 63 holds in our panel model
inline constexpr std::int16_t kHighestValidByte = 160;

// What the byte at a configuration address is.
enum class ConfigurationByte { SwitchCode, BlMrCode, FeatureFlag, Indicator, BackLight };

// The byte at `address` (0 to 13): addresses 0 to 9 hold the switch codes.
constexpr ConfigurationByte byte_at(std::int16_t address) {
  switch (address) {
    case kBlMrAddress:
      return ConfigurationByte::BlMrCode;
    case kFeatureFlag:
      return ConfigurationByte::FeatureFlag;
    case kIndicator:
      return ConfigurationByte::Indicator;
    case kBackLight:
      return ConfigurationByte::BackLight;
    default:
      return ConfigurationByte::SwitchCode;
  }
}

// Every byte but the BL/MR code is a setting: the window shows it, a read brings it back, a load
// takes it in. The BL/MR code is no one's choice: every write and save sends the BL/MR switch
// code there (bytes_to_write), whatever a read or a file brought, so a read skips it, and a load
// and the list of values that are not settings pass it by. A comparison of whole
// configurations (verify) still sees it.
constexpr bool holds_a_setting(std::int16_t address) {
  return byte_at(address) != ConfigurationByte::BlMrCode;
}

}  // namespace kvt::memory_map
