#pragma once

namespace kvt {

inline constexpr int kSwitchCount = 10;

// Switch k (1..10) is served by module list 2k-1, channel list 2k and designation box k+2.
constexpr int module_list(int switch_number) { return 2 * switch_number - 1; }
constexpr int channel_list(int switch_number) { return 2 * switch_number; }
constexpr int designation_box(int switch_number) { return switch_number + 2; }

inline constexpr int kIndicatorList = 21;   // List21
inline constexpr int kBackLightList = 22;   // List22
inline constexpr int kStatusBoxNumber = 1;  // Text1
inline constexpr int kPanelNameBox = 2;     // Text2

}  // namespace kvt
