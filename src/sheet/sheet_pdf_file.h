#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <functional>
#include <optional>
#include <string>

#include "model/configuration_view.h"
#include "sheet/configuration_sheet.h"

class QPdfWriter;

namespace kvt {

// A portrait page of `paper` with a white border inside what any printer can print.
QPageLayout bordered_page(QPageSize::PageSizeId paper);

// Draws a PDF document with `draw` on a writer laid out as `layout` and titled `title`, in
// memory, then writes it as the file `target` by the one writer a configuration file is saved
// with (write_whole_file): a regular file, a symbolic link to one or a name not yet taken; a
// device, a FIFO or a folder there is refused before anything is written. The file is replaced
// only once the new one is complete, keeping its owner, group and permissions, and no stop signal
// leaves a part-written file behind. Returns the reason, for the user, when it fails.
std::optional<std::string> write_pdf_file(const std::string& target, const QPageLayout& layout,
                                          const std::string& title,
                                          const std::function<bool(QPdfWriter&)>& draw);

// Writes the sheet of `view`, which came from `source`, as the PDF file `target`, as
// write_pdf_file does, titled with the panel name. A `target` that is the configuration file
// `source` itself, under this or another name (a hard or a symbolic link), is refused: the sheet
// would replace the technician's configuration.
std::optional<std::string> write_sheet_file(const ConfigurationView& view,
                                            const ConfigurationSource& source,
                                            const std::string& target, const QPageLayout& layout);

}  // namespace kvt
