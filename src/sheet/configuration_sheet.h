#pragma once

#include <string>

#include "model/configuration_view.h"

class QPagedPaintDevice;

namespace kvt {

// Where a printed sheet came from, for its footer.
struct SheetOrigin {
  std::string file_name;  // UTF-8
  std::string date;       // as printed, e.g. "2026-12-11"
  std::string version;    // the program's version
};

// The footer of a sheet printed now of the configuration file at `path` (empty for none): the
// file's own name, today's date and this program's version.
SheetOrigin printed_now(const std::string& path);

// Draws the configuration sheet on one page of `device` (a PDF writer or a printer): the panel
// name as the title, the panel's face with each button's designation and setting, the special
// features, the codes a write sends and a footer. False when the device cannot be painted on.
bool draw_sheet(QPagedPaintDevice& device, const ConfigurationView& view,
                const SheetOrigin& origin);

}  // namespace kvt
