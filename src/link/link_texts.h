#pragma once

#include <string_view>

namespace kvt::link_texts {

// What the panel link and the panel commands show, word for word.
inline constexpr std::string_view kCommunicationsOk = "COMMUNICATIONS OK";
inline constexpr std::string_view kDataOutOfRange = "ERROR - DATA OUT OF RANGE";
inline constexpr std::string_view kCommunicationsCorrupted = "COMMUNICATIONS CORRUPTED";
inline constexpr std::string_view kDataFailedToVerify = "DATA FAILED TO VERIFY";
inline constexpr std::string_view kPanelFailedToRespond =
    "COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND";
// What `kvt-config ports` says of a port remembered from the window that cannot be used.
inline constexpr std::string_view kRememberedPortIgnored =
    "The port remembered from the window is ignored: ";
inline constexpr std::string_view kRememberedPortEmpty = "it is empty";
inline constexpr std::string_view kRememberedPortHoldsNul = "it holds a NUL character";
inline constexpr std::string_view kRememberedPortHoldsControl = "it holds a control character";
inline constexpr std::string_view kRememberedPortNotAbsolute = "it is not an absolute path";
// Put in front of the description of a port that would not open.
inline constexpr std::string_view kPortNotOpened = "SERIAL PORT COULD NOT BE OPENED: ";

inline constexpr std::string_view kStartRead =
    "STARTING COMMUNICATIONS TO READ SWITCH PANEL CONFIGURATION";
inline constexpr std::string_view kStartWrite =
    "STARTING COMMUNICATIONS TO WRITE SWITCH PANEL CONFIGURATION";
inline constexpr std::string_view kReadDone = "SWITCH PANEL DATA READ SUCCESSFUL";
inline constexpr std::string_view kWriteDone = "SWITCH PANEL HAS BEEN PROGRAMMED";
inline constexpr std::string_view kTransferFailed = "COMMUNICATIONS FAILURE-BAD SWITCH PANEL DATA";
inline constexpr std::string_view kMismatchTitle = "SWITCH PANEL/CONFIGURATION MIS-MATCH";
inline constexpr std::string_view kMismatchRead =
    "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO READ DATA FROM DOES NOT MATCH THIS "
    "CONFIGURATION PROGRAM";
inline constexpr std::string_view kMismatchWrite =
    "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO WRITE DATA TO DOES NOT MATCH THIS "
    "CONFIGURATION PROGRAM";

}  // namespace kvt::link_texts
