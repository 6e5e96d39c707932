#pragma once

#include <string_view>

namespace kvt::link_texts {

// What the panel link shows in the status box, word for word.
inline constexpr std::string_view kCommunicationsOk = "COMMUNICATIONS OK";
inline constexpr std::string_view kDataOutOfRange = "ERROR - DATA OUT OF RANGE";
inline constexpr std::string_view kCommunicationsCorrupted = "COMMUNICATIONS CORRUPTED";
inline constexpr std::string_view kDataFailedToVerify = "DATA FAILED TO VERIFY";
inline constexpr std::string_view kPanelFailedToRespond =
    "COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND";
// Put in front of the description of a port that would not open.
inline constexpr std::string_view kPortNotOpened = "SERIAL PORT COULD NOT BE OPENED: ";

}  // namespace kvt::link_texts
