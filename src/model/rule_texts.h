#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/setting_words.h"

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

// Module "P" with channel "10" adds up to 159, the code the panel takes as BL/MR.
inline constexpr std::string_view kSwitchAssignmentTitle = "SWITCH ASSIGNMENT";
inline constexpr std::string_view kP10Refused =
    "MODULE P CHANNEL 10 CANNOT BE STORED: THE SWITCH PANEL TAKES ITS CODE AS BL/MR.";

// How a configuration's values read in words, wherever one is printed.
inline constexpr std::string_view kOn = "on";
inline constexpr std::string_view kOff = "off";

// A value a panel or a file holds that no list item or tick state stands for: what it is and
// how it is shown. `holder`: kPanelHolder, or the file's name as shown in messages.
inline constexpr std::string_view kNotSettingsTitle = "VALUES THAT ARE NOT SETTINGS";
inline constexpr std::string_view kPanelHolder = "THE SWITCH PANEL";
inline constexpr std::string_view kIndicatorIntensity = "INDICATOR INTENSITY";
inline constexpr std::string_view kBackLightIntensity = "BACK-LIGHT INTENSITY";
inline constexpr std::string_view kIndependentLightingFlag = "INDEPENDENT LIGHTING FLAG";
inline std::string switch_assignment(int k) {
  return setting_words::switch_label(k) + " ASSIGNMENT";
}
inline std::string not_a_setting(std::string_view holder, std::int16_t value, std::string_view what,
                                 std::string_view shown) {
  return std::string(holder) + " HOLDS " + std::to_string(value) + " FOR THE " + std::string(what) +
         ", WHICH IS NOT A SETTING; SHOWN AS " + std::string(shown) + ".";
}

}  // namespace kvt::rule_texts
