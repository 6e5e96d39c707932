#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kvt {

// One row of a list: the text the technician sees and the value that codes are built from.
struct ListItem {
  std::string_view text;
  std::int16_t value;
};

// Module lists: "N/A", modules "A".."P" carrying their module base, and "BL/MR".
// "N/A" and "BL/MR" carry the complete code of a switch that has no channel.
inline constexpr std::array<ListItem, 18> kModuleTable{{
    {"N/A", 160},
    {"A", 0},
    {"B", 10},
    {"C", 20},
    {"D", 30},
    {"E", 40},
    {"F", 50},
    {"G", 60},
    {"H", 70},
    {"I", 80},
    {"J", 90},
    {"K", 100},
    {"L", 110},
    {"M", 120},
    {"N", 130},
    {"O", 140},
    {"P", 150},
    {"BL/MR", 159},
}};

// Channel lists: "1".."10", each carrying its position.
inline constexpr std::array<ListItem, 10> kChannelTable{{
    {"1", 0},
    {"2", 1},
    {"3", 2},
    {"4", 3},
    {"5", 4},
    {"6", 5},
    {"7", 6},
    {"8", 7},
    {"9", 8},
    {"10", 9},
}};

// Intensity lists: the percentage and the intensity code the panel stores. The codes are not
// proportional (100 % is 10, not 8) but a higher code is always a brighter setting.
inline constexpr std::array<ListItem, 8> kIntensityTable{{
    {"100", 10},
    {"90", 7},
    {"80", 6},
    {"70", 5},
    {"60", 4},
    {"50", 3},
    {"40", 2},
    {"30", 1},
}};

// The intensity list position of an intensity code; none for a code without an item of its own.
constexpr std::optional<int> intensity_position(std::int16_t code) {
  for (std::size_t position = 0; position < kIntensityTable.size(); ++position) {
    if (kIntensityTable[position].value == code) return static_cast<int>(position);
  }
  return std::nullopt;
}

inline constexpr int kNaPosition = 0;     // "N/A" in a module list
inline constexpr int kBlMrPosition = 17;  // "BL/MR" in a module list
inline constexpr int kNoSelection = -1;
// Module "P" with channel "10" adds up to the BL/MR code: a pair no switch may be left on.
inline constexpr int kModulePPosition = 16;
inline constexpr int kChannel10Position = 9;

inline constexpr std::int16_t kBlMrCode = 159;
inline constexpr std::int16_t kNaCode = 160;

}  // namespace kvt
