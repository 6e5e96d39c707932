#pragma once

#include <string>
#include <vector>

namespace kvt {

// The configuration files opened or saved last, newest first, each once, kept in the user's
// settings for the next run. Paths are the system's bytes, absolute, so a name that is not UTF-8
// opens from the list too.
inline constexpr std::size_t kMostRecentFiles = 8;

std::vector<std::string> recent_files();
// Puts `path` (made absolute) first.
void add_recent_file(const std::string& path);
// Whether something is still at `path`.
bool recent_file_exists(const std::string& path);
// At the start of a run: the files that are no longer there leave the list.
void drop_missing_recent_files();

}  // namespace kvt
