#pragma once

#include <string>
#include <string_view>

#include "model/setting_words.h"

namespace kvt::sheet_texts {

// What the configuration sheet prints, word for word.
inline constexpr std::string_view kIndependentLighting = setting_words::kIndependentLighting;
inline constexpr std::string_view kIndicatorIntensity = "INDICATOR INTENSITY";
inline constexpr std::string_view kBackLightIntensity = "BACK-LIGHT INTENSITY";
inline constexpr std::string_view kCodes = "CODES WRITTEN";
inline constexpr std::string_view kOn = "ON";
inline constexpr std::string_view kOff = "OFF";
using setting_words::percent;
// A button's label on the panel's face.
using setting_words::switch_label;
// The footer's name for a configuration read out of the panel rather than opened from a file.
inline constexpr std::string_view kReadFromSwitchPanel = "READ FROM THE SWITCH PANEL";
// The footer: where the configuration came from, when and by what it was printed.
inline std::string footer(const std::string& source, const std::string& date,
                          const std::string& version) {
  return source + "    PRINTED " + date + "    KVT-CONFIG " + version;
}

// A sheet or report written as a PDF file, and why it was not: the page could not be drawn, or
// the name is that of the configuration file the sheet shows. "CONFIGURATION SHEET WAS NOT
// SAVED: <path> (<reason>)", the path shown escaped, in the window as on the command line.
inline constexpr std::string_view kSheetNotDrawn = "THE PAGE COULD NOT BE DRAWN";
inline constexpr std::string_view kSheetOverConfiguration = "IT IS THE CONFIGURATION FILE";
inline std::string sheet_not_saved(const std::string& path, const std::string& reason) {
  return "CONFIGURATION SHEET WAS NOT SAVED: " + path + " (" + reason + ")";
}

// The handover report's table of a site's panels.
inline constexpr std::string_view kPanelColumn = "PANEL";
inline constexpr std::string_view kFileColumn = "FILE";
inline constexpr std::string_view kSwitchesColumn = "SWITCHES IN USE";
inline constexpr std::string_view kLastWriteColumn = "LAST WRITE";
inline constexpr std::string_view kLastComparisonColumn = "LAST COMPARISON";
inline constexpr std::string_view kNotOpened = "NOT OPENED";

// A page of a document of several.
inline std::string page_number(int page, int pages) {
  return "PAGE " + std::to_string(page) + " OF " + std::to_string(pages);
}

}  // namespace kvt::sheet_texts
