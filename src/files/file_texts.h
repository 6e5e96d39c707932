#pragma once

#include <string>
#include <string_view>

namespace kvt::file_texts {

// What the file commands show, word for word.
inline constexpr std::string_view kChooserFilter = "KORVELANTIX CONFIGURATION FILES (*.kvc)";
inline constexpr std::string_view kOpenTitle = "READ CONFIGURATION FILE";
inline constexpr std::string_view kSaveTitle = "WRITE CONFIGURATION FILE";
inline constexpr std::string_view kNoPanelName = "Name must be entered in PANEL NAME field";
inline constexpr std::string_view kMismatchTitle = "FILE/MODEL MIS-MATCH";
inline constexpr std::string_view kMismatch =
    "AN ERROR HAS OCCURRED READING THE FILE BECAUSE THE FILE\n"
    "WAS NOT CREATED FOR THE 00-00417-(MDL) SWITCH PANEL\n"
    "----------THE FILE READ OPERATION IS BEING ABANDONED!-----------";

// Our own reasons, in capitals. A reason the system gives keeps its own letters, because it
// may hold a path, and on Linux "/TMP/X.KVC" names another file than "/tmp/x.kvc".
inline constexpr std::string_view kIsAFolder = "IT IS A FOLDER";
inline constexpr std::string_view kNotARegularFile = "NOT A REGULAR FILE";
inline constexpr std::string_view kLargerThanLimit = "LARGER THAN 1 MiB";
inline constexpr std::string_view kCutShort = "CUT SHORT: NO LINE END";
inline constexpr std::string_view kDiskFull =
    "NOT ALL OF IT COULD BE WRITTEN, THE DISK MAY BE FULL";

// The path is shown with its control characters escaped (see visible_text), because these texts
// also go to a terminal.
// "CONFIGURATION FILE COULD NOT BE READ: <path> (<reason>)"
std::string not_read(const std::string& path, const std::string& reason);
// "CONFIGURATION FILE WAS NOT SAVED: <path> (<reason>)"
std::string not_saved(const std::string& path, const std::string& reason);

}  // namespace kvt::file_texts
