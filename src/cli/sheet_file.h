#pragma once

#include <QPageSize>
#include <optional>
#include <string>

namespace kvt::cli {

// The paper --page names ("a4", the default when empty, or "letter"), or none.
std::optional<QPageSize::PageSizeId> paper_named(const std::string& name);

// Where the sheet of configuration file `path` goes unless -o says: the same name with .pdf in
// place of .kvc, or .pdf added to a name that does not end in .kvc.
std::string sheet_name_for(const std::string& path);

}  // namespace kvt::cli
