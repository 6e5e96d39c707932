#pragma once

#include <string>
#include <string_view>

namespace kvt::setting_words {

// The words for a configuration's values that the window, the printed sheet, the command line
// and the rules' messages all use alike. Each layer's own texts stay in its own table.
inline constexpr std::string_view kIndependentLighting = "INDEPENDENT LIGHTING";
// What a designation box holds until the technician types one: it names no button, so a printed
// sheet leaves that button blank.
inline constexpr std::string_view kStartDesignation = "DESIGNATION ";
// A button's name: "SW1" .. "SW10".
inline std::string switch_label(int k) { return "SW" + std::to_string(k); }
// An intensity as people read it: "100 %".
inline std::string percent(int number) { return std::to_string(number) + " %"; }

}  // namespace kvt::setting_words
