#pragma once

#include <cstdint>

namespace kvt {

// The configuration values the window holds for its whole life beside its controls. Every
// number is 16-bit signed, as the panel protocol and the file format expect; every value starts
// at 0. The BL/MR code is not among them: it is never shown, and every write and save sends 159.
struct PanelConfig {
  std::int16_t feature = 0;          // independent lighting: 1 while Check1 is ticked
  std::int16_t indpercent = 0;       // indicator intensity code
  std::int16_t blpercent = 0;        // back-light intensity code
  std::int16_t carried_channel = 0;  // channel position the last switch loaded selected

  bool operator==(const PanelConfig&) const = default;
};

}  // namespace kvt
