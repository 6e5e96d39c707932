#pragma once

#include <string>
#include <string_view>

namespace kvt::file_texts {

// Why a configuration file could not be read or saved: our own reasons, in capitals. A reason
// the system gives keeps its own letters, because it may hold a path, and on Linux "/TMP/X.KVC"
// names another file than "/tmp/x.kvc".
inline constexpr std::string_view kIsAFolder = "IT IS A FOLDER";
inline constexpr std::string_view kNotARegularFile = "NOT A REGULAR FILE";
inline constexpr std::string_view kLargerThanLimit = "LARGER THAN 1 MiB";
inline constexpr std::string_view kCutShort = "CUT SHORT: NO LINE END";
inline constexpr std::string_view kDiskFull =
    "NOT ALL OF IT COULD BE WRITTEN, THE DISK MAY BE FULL";

}  // namespace kvt::file_texts
