#pragma once

#include <string>
#include <string_view>

namespace kvt::command_texts {

// What the panel commands show, word for word.

// Why the port rule chose the port it did.
inline constexpr std::string_view kChosenByFlag = "given with --port";
inline constexpr std::string_view kChosenByEnvironment = "set in KVT_SERIAL_PORT";
inline constexpr std::string_view kChosenInTheWindow = "chosen in the window";
inline constexpr std::string_view kDefaultPortChosen = "the default serial port";
inline constexpr std::string_view kOnlyPortPresent = "the only serial port present";

inline constexpr std::string_view kStartRead =
    "STARTING COMMUNICATIONS TO READ SWITCH PANEL CONFIGURATION";
inline constexpr std::string_view kStartWrite =
    "STARTING COMMUNICATIONS TO WRITE SWITCH PANEL CONFIGURATION";
inline constexpr std::string_view kReadDone = "SWITCH PANEL DATA READ SUCCESSFUL";
inline constexpr std::string_view kWriteDone = "SWITCH PANEL HAS BEEN PROGRAMMED";
// How one exchange with the panel ended.
inline constexpr std::string_view kCommunicationsOk = "COMMUNICATIONS OK";
inline constexpr std::string_view kDataOutOfRange = "ERROR - DATA OUT OF RANGE";
inline constexpr std::string_view kCommunicationsCorrupted = "COMMUNICATIONS CORRUPTED";
inline constexpr std::string_view kDataFailedToVerify = "DATA FAILED TO VERIFY";
inline constexpr std::string_view kPanelFailedToRespond =
    "COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND";
// A stop signal came after the first write frame: the write goes on to its end first.
inline constexpr std::string_view kFinishingWrite =
    "FINISHING THE WRITE SO THAT THE SWITCH PANEL IS NOT LEFT HALF-WRITTEN";
inline constexpr std::string_view kTransferFailed = "COMMUNICATIONS FAILURE-BAD SWITCH PANEL DATA";
// After a write that ended early: `last_address` is the highest address a write frame went out
// for.
inline std::string partly_written(int last_address) {
  return "THE SWITCH PANEL HOLDS A PARTLY WRITTEN CONFIGURATION (ADDRESSES 0 TO " +
         std::to_string(last_address) + "). WRITE IT AGAIN.";
}
inline constexpr std::string_view kMismatchTitle = "SWITCH PANEL/CONFIGURATION MIS-MATCH";
inline constexpr std::string_view kMismatchRead =
    "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO READ DATA FROM DOES NOT MATCH THIS "
    "CONFIGURATION PROGRAM";
inline constexpr std::string_view kMismatchWrite =
    "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO WRITE DATA TO DOES NOT MATCH THIS "
    "CONFIGURATION PROGRAM";

// A configuration for people and its differences share the labels.
inline constexpr std::string_view kPanelNameLabel = "PANEL NAME";
inline constexpr std::string_view kIndicatorLabel = "INDICATOR INTENSITY";
inline constexpr std::string_view kBackLightLabel = "BACK-LIGHT INTENSITY";
inline constexpr std::string_view kBlMrCodeLabel = "BL/MR CODE";
// One difference between two configurations, each side named by where it is held: "SW2: panel
// A 5, file A 1".
inline std::string difference(const std::string& label, const std::string& first_side,
                              const std::string& first, const std::string& second_side,
                              const std::string& second) {
  return label + ": " + first_side + " " + first + ", " + second_side + " " + second;
}
inline constexpr std::string_view kPanelSide = "panel";
inline constexpr std::string_view kFileSide = "file";
inline constexpr std::string_view kWindowSide = "window";
// A byte no list item stands for.
inline std::string unknown_code(int code) { return "code " + std::to_string(code); }
// Where two bytes mean the same but differ: "on (5)".
inline std::string with_byte(const std::string& meaning, int byte) {
  return meaning + " (" + std::to_string(byte) + ")";
}
// COMPARE WITH SWITCH PANEL: how the comparison of the panel with the window ended.
inline constexpr std::string_view kPanelHoldsConfiguration =
    "SWITCH PANEL HOLDS THIS CONFIGURATION";
inline constexpr std::string_view kPanelDiffers = "SWITCH PANEL DIFFERS FROM THIS CONFIGURATION";
inline constexpr std::string_view kDifferencesTitle = "DIFFERENCES";

// What the file commands show, word for word.
inline constexpr std::string_view kChooserFilter = "KORVELANTIX CONFIGURATION FILES (*.kvc)";
inline constexpr std::string_view kOpenTitle = "READ CONFIGURATION FILE";
inline constexpr std::string_view kSaveTitle = "WRITE CONFIGURATION FILE";
inline constexpr std::string_view kNoPanelName = "Name must be entered in PANEL NAME field";
inline constexpr std::string_view kFileMismatchTitle = "FILE/MODEL MIS-MATCH";
inline constexpr std::string_view kFileMismatch =
    "AN ERROR HAS OCCURRED READING THE FILE BECAUSE THE FILE\n"
    "WAS NOT CREATED FOR THE 00-00417-(MDL) SWITCH PANEL\n"
    "----------THE FILE READ OPERATION IS BEING ABANDONED!-----------";

// The journal's words for a panel command: which it was, where it was given and how it ended.
inline constexpr std::string_view kJournalRead = "read";
inline constexpr std::string_view kJournalWrite = "write";
inline constexpr std::string_view kJournalVerify = "verify";
inline constexpr std::string_view kFromWindow = "window";
inline constexpr std::string_view kFromCommandLine = "command line";
inline constexpr std::string_view kResultDone = "done";
inline constexpr std::string_view kResultDiffers = "differs";
inline constexpr std::string_view kResultFailed = "failed";
inline constexpr std::string_view kResultOtherModel = "other_model";
inline constexpr std::string_view kResultNoAnswer = "no_answer";
inline constexpr std::string_view kResultRefused = "refused";
inline constexpr std::string_view kResultStopped = "stopped";
inline constexpr std::string_view kJournalTitle = "JOURNAL";

// The path is shown with its control characters escaped (see visible_text), because these texts
// also go to a terminal.
// "CONFIGURATION FILE COULD NOT BE READ: <path> (<reason>)"
std::string not_read(const std::string& path, const std::string& reason);
// "CONFIGURATION FILE WAS NOT SAVED: <path> (<reason>)"
std::string not_saved(const std::string& path, const std::string& reason);
// "NOT RECORDED IN THE JOURNAL <path> (<reason>)"
std::string not_recorded(const std::string& path, const std::string& reason);

}  // namespace kvt::command_texts
