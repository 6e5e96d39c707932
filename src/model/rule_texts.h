#pragma once

#include <string_view>

namespace kvt::rule_texts {

// What the configuration rules tell the user, word for word.
inline constexpr std::string_view kIndicatorBelowBackLight =
    "NORMAL INDICATOR INTENSITY must be set equal to\n"
    "or greater than NORMAL BACKLIGHTING INTENSITY.";
inline constexpr std::string_view kBackLightAboveIndicator =
    "NORMAL BACKLIGHTING INTENSITY must be set equal to\n"
    "or less than NORMAL INDICATOR INTENSITY.";
inline constexpr std::string_view kFeatureTitle = "INDEPENDENT LIGHTING SWITCH ASSIGNMENT";
inline constexpr std::string_view kFeatureNeedsBlMr =
    "ONE OF THE SWITCHES ON THE PANEL MUST BE ASSIGNED TO THE\n"
    "MR/BL CHANNEL IF YOU ARE SELECTING INDEPENDENT LIGHTING.";
// A switch on a module without a channel stops both the panel write and the file save.
inline constexpr std::string_view kIncompleteData =
    "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA";

}  // namespace kvt::rule_texts
