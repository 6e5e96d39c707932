#pragma once

#include <QPageSize>
#include <functional>
#include <optional>
#include <string>

#include "model/configuration_view.h"

class QPdfWriter;

namespace kvt::cli {

// The paper --page names ("a4", the default when empty, or "letter"), or none.
std::optional<QPageSize::PageSizeId> paper_named(const std::string& name);

// Where the sheet of configuration file `path` goes unless -o says: the same name with .pdf in
// place of .kvc, or .pdf added to a name that does not end in .kvc.
std::string sheet_name_for(const std::string& path);

// Draws a PDF document with `draw` on a writer laid out for `paper` (with a white border inside
// what any printer can print) and titled `title`, then writes it as the file `target` as
// write_sheet_file does. Returns the reason, for the user, when it fails.
std::optional<std::string> write_pdf_file(const std::string& target, QPageSize::PageSizeId paper,
                                          const std::string& title,
                                          const std::function<bool(QPdfWriter&)>& draw);

// Writes the sheet of `view`, loaded from `source`, as the PDF file `target`, by the one writer a
// configuration file is saved with (write_whole_file): a regular file, a symbolic link to one or
// a name not yet taken; a device, a FIFO or a folder there is refused before anything is written.
// The file is replaced only once the new one is complete, keeping its owner, group and
// permissions, and no stop signal leaves a part-written file behind. Returns the reason, for the
// user, when it fails.
std::optional<std::string> write_sheet_file(const ConfigurationView& view,
                                            const std::string& source, const std::string& target,
                                            QPageSize::PageSizeId paper);

}  // namespace kvt::cli
